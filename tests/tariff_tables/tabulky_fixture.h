#pragma once
// What the tariff-table tests share: the period tables' rows as text, items
// of a lazy tree by their text, a right click with the item chosen from its
// menu, answers to the range and band dialogs, and a write the database refuses.
#include "common/tree_model.h"
#include "platform/database.h"
#include "test_env.h"

#include <QRegularExpression>

#ifdef QT_TESTLIB_LIB
#include "ovladac.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>
#include <functional>
#endif

namespace kavro::test {

// The rows of perioda_impulsu or zlevnene_volani as "owner od do from-to=period/day", sorted.
inline QString radkyPeriod(const char* tabulka)
{
    const QString klic = QByteArray(tabulka) == "perioda_impulsu" ? "id_pasma" : "kod_statu";
    Query q(Transaction::main(), QStringLiteral("SELECT %2, pocatek_platnosti, konec_platnosti, od_casu, do_casu, "
                                                "perioda, typ_dne FROM dba.%1 ORDER BY 1, 2, 3, 7, 4")
                                     .arg(QLatin1String(tabulka), klic));
    QStringList out;
    for (bool ok = q.run(); ok && !q.atEnd(); q.next())
        out << QStringLiteral("%1 %2 %3 %4-%5=%6/%7")
                   .arg(q.value(1), q.value(2), q.value(3), q.value(4), q.value(5), q.value(6), q.value(7));
    return out.join(QStringLiteral(" | "));
}

// The database refuses the writes `kdy` names ("BEFORE UPDATE ON perioda_impulsu [WHEN ...]") with "zamitnuto".
inline bool odmitej(const QString& kdy)
{
    static const QRegularExpression tvar(QStringLiteral("^BEFORE (.+) ON (\\w+)(?: WHEN (.+))?$"));
    const QRegularExpressionMatch m = tvar.match(kdy);
    if (!m.hasMatch()) return false;
    const QString podminka = m.captured(3).isEmpty() ? QStringLiteral("1 = 1") : m.captured(3);
    return odmitajZapis(Transaction::main(), QStringLiteral("odmitnuto"), m.captured(1), m.captured(2), podminka,
                        QStringLiteral("zamitnuto"))
        && Transaction::main().commit();
}

inline QModelIndex najdi(LazyTreeModel& m, const QString& text, const QModelIndex& parent = {})
{
    m.ensureLoaded(parent);
    for (int r = 0; r < m.rowCount(parent); ++r)
        if (m.index(r, 0, parent).data().toString().startsWith(text)) return m.index(r, 0, parent);
    return {};
}

inline QStringList texty(LazyTreeModel& m, const QModelIndex& parent = {})
{
    m.ensureLoaded(parent);
    QStringList out;
    for (int r = 0; r < m.rowCount(parent); ++r) out << m.index(r, 0, parent).data().toString();
    return out;
}

#ifdef QT_TESTLIB_LIB
// The window helpers, for the Qt Test programs.

inline void klik(QWidget* w, const char* tlacitko) { w->findChild<QPushButton*>(tlacitko)->click(); }
inline void napis(QWidget* w, const char* box, const QString& text) { w->findChild<QLineEdit*>(box)->setText(text); }

// A right click on `i` (or at `bod` when `i` is invalid): the name of the menu
// that came up ("" for none), with the item `polozka` chosen from it.
inline QString pravyKlik(QAbstractItemView* tv, const QModelIndex& i, const QString& polozka = QString(),
                         QPoint bod = QPoint())
{
    if (i.isValid()) {
        if (auto* strom = qobject_cast<QTreeView*>(tv)) strom->expand(i.parent());
        tv->scrollTo(i);
        bod = tv->visualRect(i).center();
    }
    QString jmeno;
    bool hotovo = polozka.isEmpty();
    QTimer hlidka;
    hlidka.setInterval(5);
    QObject::connect(&hlidka, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        hlidka.stop();
        jmeno = menu->objectName();
        QAction* vybrana = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == polozka) vybrana = a;
        menu->close();
        if (vybrana) QTimer::singleShot(0, vybrana, [&, vybrana] {
            vybrana->trigger();
            hotovo = true;
        });
    });
    // A menu opened while the window is still being activated after a
    // dialog closes is closed again at once: the user would click again.
    // A menu may run its own loop or return at once and show itself later.
    for (int pokus = 0; pokus < 3 && jmeno.isEmpty(); ++pokus) {
        hlidka.start();
        emit tv->customContextMenuRequested(bod);
        (void)QTest::qWaitFor([&] { return !jmeno.isEmpty(); }, 100);
        hlidka.stop();
    }
    if (!jmeno.isEmpty() && !QTest::qWaitFor([&] { return hotovo; }, 5000))
        qWarning("menu item %s not done", qPrintable(polozka));
    return jmeno;
}

// Runs window `w` with `skript` acting from the window's own event loop, so
// that the dialogs the script opens are answered by `o`.
template <class W> void spust(Ovladac& o, W& w, std::function<void(QWidget*)> skript)
{
    o.ukaz(w, [skript](QWidget* okno) {
        QTimer::singleShot(0, okno, [skript, okno] {
            skript(okno);
            if (QTest::currentTestFailed() && okno->isVisible()) qobject_cast<QDialog*>(okno)->reject();
        });
    });
}

// Answers the range dialog with two days.
inline std::function<void(QWidget*)> platnost(const QString& od, const QString& do_)
{
    return [=](QWidget* d) {
        napis(d, "textb_1", od);
        napis(d, "textb_2", do_);
        klik(d, "cb_1");
    };
}

// Answers the band dialog; one it refuses is left with "Opusť".
inline std::function<void(QWidget*)> cas(int typ, const QString& od, const QString& do_, const QString& perioda)
{
    return [=](QWidget* d) {
        d->findChild<QComboBox*>("combo_1")->setCurrentIndex(typ - 1);
        napis(d, "textb_1", od);
        napis(d, "textb_2", do_);
        napis(d, "textb_3", perioda);
        klik(d, "cb_1");
        if (d->isVisible()) klik(d, "cb_2");
    };
}
#endif

} // namespace kavro::test
