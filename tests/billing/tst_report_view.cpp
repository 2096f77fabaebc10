// The report table as a user scrolls it: row numbers beside their rows.
#include "billing/forms/report_view.h"
#include "test_env.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

using namespace kavro;

namespace {

// A report of `n` numbered rows that reads them as the table asks.
ReportObject cisla(int n)
{
    ReportObject o;
    o.name = QStringLiteral("cisla");
    o.title = QStringLiteral("Čísla");
    o.columns = {ReportColumn{QStringLiteral("cislo"), QStringLiteral("Číslo"), ReportColumn::Number}};
    o.select = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                              "SELECT i AS cislo FROM n ORDER BY i")
                   .arg(n);
    return o;
}

} // namespace

class TestReportView : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<test::TestEnv>();
        QVERIFY2(env->ok(), qPrintable(env->error()));
    }
    void cleanup() { env.reset(); }

    // Dragging the scroll bar to its end reads more rows; each row number then
    // stands beside its row, and the last rows are reached at the end.
    void rowNumbersStayBesideRowsAfterDragToEnd()
    {
        QWidget okno;
        auto* table = new QTableView(&okno);
        auto* hlavicka = new QLabel(&okno);
        auto* celkem = new QLabel(&okno);
        auto* l = new QVBoxLayout(&okno);
        l->addWidget(hlavicka);
        l->addWidget(table);
        l->addWidget(celkem);
        ReportView view(table, hlavicka, celkem, &okno);
        view.report().setObject(cisla(1000));
        QVERIFY(view.report().retrieve({}));
        view.refresh();
        okno.resize(500, 333);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        QScrollBar* bar = table->verticalScrollBar();
        QHeaderView* cisla = table->verticalHeader();
        // A real drag of the slider from its top to the bottom of the bar, in steps.
        QStyleOptionSlider opt;
        opt.initFrom(bar);
        opt.orientation = Qt::Vertical;
        opt.minimum = bar->minimum();
        opt.maximum = bar->maximum();
        opt.sliderPosition = bar->sliderPosition();
        opt.sliderValue = bar->value();
        opt.singleStep = bar->singleStep();
        opt.pageStep = bar->pageStep();
        const QRect handle = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
        QPoint at = handle.center();
        QTest::mousePress(bar, Qt::LeftButton, {}, at);
        for (int krok = 0; krok < 60; ++krok) {
            at.ry() += 8;
            QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(bar, &move);
            QTest::qWait(1);
        }
        QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
        QTest::qWait(10);
        // Every row read, the last one whole at the bottom edge, and the row
        // numbers scrolled exactly as far as the rows.
        QCOMPARE(table->model()->rowCount(), 1000);
        QCOMPARE(bar->value(), bar->maximum());
        const int posledni = table->rowViewportPosition(999) + table->rowHeight(999);
        QCOMPARE(posledni, table->viewport()->height());
        QCOMPARE(cisla->offset(), bar->value());
        QCOMPARE(cisla->height(), table->viewport()->height());
        const int horni = table->rowAt(0);
        QCOMPARE(cisla->logicalIndexAt(0), horni);
        QCOMPARE(cisla->sectionViewportPosition(horni), table->visualRect(table->model()->index(horni, 0)).top());
        // A step back up by the wheel keeps them together.
        QWheelEvent kolo(QPointF(10, 10), table->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(table->viewport(), &kolo);
        QVERIFY(bar->value() < bar->maximum());
        QCOMPARE(cisla->offset(), bar->value());
    }
};

QTEST_MAIN(TestReportView)
#include "tst_report_view.moc"
