#include "internal_directory/forms/pobocky_z_hovoru_v_poolu.h"

#include "common/tree_model.h"
#include "internal_directory/forms/nastaveni_pobocky.h"
#include "internal_directory/seznam_pobocek.h"
#include "internal_directory/unassigned_extensions.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "platform/unit_of_work.h"

#include <QApplication>
#include <QMenu>
#include <QTreeView>

namespace kavro {

namespace {

QModelIndex vybrany(QTreeView* strom)
{
    return strom->selectionModel()->isSelected(strom->currentIndex()) ? strom->currentIndex() : QModelIndex();
}

} // namespace

Pobocky_z_hovoru_v_poolu::Pobocky_z_hovoru_v_poolu(Nastaveni_pobocky& okno) : m_okno(okno)
{
    QMenu* menu = okno.popup_neprirazena_polozka();
    QAction* zrus = menu->addAction(QStringLiteral("&Zruš linku"));
    QObject::connect(zrus, &QAction::triggered, menu, [this] { popup_neprirazena_polozka_Item1_Click(); });
    menu->addSeparator();
    QAction* nacti = menu->addAction(QStringLiteral("&Načti nepřiřazené linky"));
    QObject::connect(nacti, &QAction::triggered, menu, [this] { popup_neprirazena_polozka_Item2_Click(); });
    m_poolu = menu->actions();
    m_zarad = menu->addAction(QStringLiteral("Zařaď pod ústřednu"));
    QObject::connect(m_zarad, &QAction::triggered, menu, [this] { popup_1_Item0_Click(); });
    // The window's "Načti" rebuilds the pool: its own menu comes back.
    QObject::connect(&okno.seznam().volne(), &QAbstractItemModel::modelReset, menu, [this] { nastavStav(false); });
    nastavStav(false);
}

void Pobocky_z_hovoru_v_poolu::nastavStav(bool hovory)
{
    m_hovory = hovory;
    for (QAction* a : m_poolu) a->setVisible(!hovory);
    m_zarad->setVisible(hovory);
}

void Pobocky_z_hovoru_v_poolu::popup_neprirazena_polozka_Item1_Click()
{
    SeznamPobocek& s = m_okno.seznam();
    const QModelIndex i = vybrany(m_okno.tv_2());
    const Struct_std* r = s.volne().record<Struct_std>(i);
    if (!r) return;
    Struct_std konec = *r;
    // The row ends at the moment the window shows, as typed (not necessarily loaded).
    konec.Konec_platnosti = m_okno.okamzikOkna();
    Savepoint sp(Transaction::main());
    if (!sp.ok() || !s.data().Ukonci_platnost_zaznamu(konec) || !sp.release()) {
        const QString chyba = s.data().chyba().isEmpty() ? Transaction::main().lastErrorText() : s.data().chyba();
        messageBox(&m_okno, IconStop, ButtonsOk, m_okno.windowTitle(),
                   QStringLiteral("Linku se nepodařilo zrušit.\n") + chyba);
        return;
    }
    s.volne().removeItem(i);
    s.nastavZmeneno(true);
    m_okno.poZmene();
}

void Pobocky_z_hovoru_v_poolu::popup_neprirazena_polozka_Item2_Click()
{
    nastavStav(true);
    LazyTreeModel& m = m_okno.seznam().volne();
    m.ensureLoaded(QModelIndex());
    // Loading again replaces the lines loaded before.
    for (int i = m.rowCount() - 1; i >= 0; --i)
        if (m.record<NeprirazenyBeh>(m.index(i, 0))) m.removeItem(m.index(i, 0));
    QList<NeprirazenyBeh> behy;
    UnassignedExtensions hovory(Transaction::main());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = hovory.nacti(behy);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        messageBox(&m_okno, IconStop, ButtonsOk, m_okno.windowTitle(),
                   QStringLiteral("Hovory nelze načíst.\n") + hovory.chyba());
        return;
    }
    for (const NeprirazenyBeh& b : behy) m.insertItem(QModelIndex(), {b.text(), b, false, false, false, {}});
    if (m.rowCount() == 0)
        messageBox(&m_okno, 0, ButtonsOk, QStringLiteral("Nepřiřazené pobočky"),
                   QStringLiteral("Nejsou nalezeny žádné nepřiřazené pobočky"));
}

void Pobocky_z_hovoru_v_poolu::popup_1_Item0_Click()
{
    LazyTreeModel& m = m_okno.seznam().volne();
    const QModelIndex i = vybrany(m_okno.tv_2());
    const NeprirazenyBeh* b = m.record<NeprirazenyBeh>(i);
    if (!b) return;  // only the lines found in calls are placed
    UnassignedExtensions hovory(Transaction::main());
    switch (hovory.zarad(*b)) {
    case UnassignedExtensions::Zarazeni::Zarazeno:
        break;
    case UnassignedExtensions::Zarazeni::Prekryti:
        messageBox(&m_okno, IconWarning, ButtonsOk, QStringLiteral("Nepřiřazené pobočky"), hovory.chyba());
        return;
    case UnassignedExtensions::Zarazeni::Chyba:
        messageBox(&m_okno, IconStop, ButtonsOk, m_okno.windowTitle(),
                   QStringLiteral("Pobočku nelze zařadit pod ústřednu.\n") + hovory.chyba());
        return;
    }
    m.removeItem(i);
    m_okno.seznam().nastavZmeneno(true);
    m_okno.poZmene();
}

} // namespace kavro
