#include "common/forms/cl_ukaz_kalendar.h"

#include "ui_cl_ukaz_kalendar.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace kavro {

cl_Ukaz_kalendar::cl_Ukaz_kalendar(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::cl_Ukaz_kalendar>())
{
    ui->setupUi(this);
    ui->ctDate_1->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    ui->ctDate_1->setFirstDayOfWeek(Qt::Monday);
    connect(ui->ctDate_1, &QCalendarWidget::activated, this, &cl_Ukaz_kalendar::ctDate_1_DblClick);
}

cl_Ukaz_kalendar::~cl_Ukaz_kalendar() = default;

bool cl_Ukaz_kalendar::Create(QWidget* parent, SDatum* datum)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    m_datum = datum;
    m_vybrano = false;
    cl_Ukaz_kalendar_Create();
    exec();
    return m_vybrano;
}

void cl_Ukaz_kalendar::cl_Ukaz_kalendar_Create()
{
    // The window opens at the mouse cursor, kept on the screen.
    adjustSize();
    QPoint p = QCursor::pos();
    if (QScreen* s = QGuiApplication::screenAt(p)) {
        const QRect r = s->availableGeometry();
        p.setX(qBound(r.left(), p.x(), qMax(r.left(), r.right() - frameGeometry().width())));
        p.setY(qBound(r.top(), p.y(), qMax(r.top(), r.bottom() - frameGeometry().height())));
    }
    move(p);

    m_den = m_datum->den;
    m_mesic = m_datum->mesic;
    QDate d(m_datum->rok, m_datum->mesic, m_datum->den);
    if (!d.isValid()) d = QDate(qMax(1, m_datum->rok), 1, 1);
    ui->ctDate_1->setSelectedDate(d);
    ui->ctDate_1->setCurrentPage(d.year(), d.month());
}

void cl_Ukaz_kalendar::ctDate_1_DblClick(const QDate& date)
{
    // A double click that only turned the month over (same day number in
    // another month) does not pick; the next one on that day does.
    const int den = date.day();
    const int mesic = date.month();
    const bool vybrat = den != m_den || mesic == m_mesic;
    m_den = den;
    m_mesic = mesic;
    if (!vybrat) return;

    m_datum->den = short(den);
    m_datum->mesic = short(mesic);
    m_datum->rok = date.year();
    m_vybrano = true;
    accept();
}

} // namespace kavro
