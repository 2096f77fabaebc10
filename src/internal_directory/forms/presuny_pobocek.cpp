#include "internal_directory/forms/presuny_pobocek.h"

#include "common/forms/z_zruseni_polozky_firma_oddeleni_osoba.h"
#include "common/tree_model.h"
#include "internal_directory/forms/nastaveni_pobocky.h"
#include "internal_directory/seznam_pobocek.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"

#include <QTimer>
#include <QTreeView>
#include <vector>

namespace kavro {

namespace {

bool je(const Struct_std* r, std::initializer_list<const char*> typy)
{
    if (!r) return false;
    for (const char* t : typy)
        if (r->typ == QLatin1String(t)) return true;
    return false;
}

} // namespace

PresunyPobocek::PresunyPobocek(Nastaveni_pobocky& okno) : m_okno(okno)
{
    // The move runs after the drop has ended: its question is a modal dialog,
    // which must not open while the view is still inside the drag.
    const auto odlozene = [this](bool (PresunyPobocek::*presun)(const LazyTreeModel&, const QModelIndex&,
                                                                  const QModelIndex&)) {
        return [this, presun](const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target) {
            const QPersistentModelIndex co(dragged), kam(target);
            const bool naPrazdne = !target.isValid(); // the pool's empty space
            const LazyTreeModel* z = &from;
            QTimer::singleShot(0, &m_okno, [this, presun, z, co, kam, naPrazdne] {
                if (co.isValid() && (naPrazdne || kam.isValid())) (this->*presun)(*z, co, kam);
            });
            return true;
        };
    };
    okno.seznam().strom().setDropHandler(odlozene(&PresunyPobocek::tv_1_DragDrop));
    okno.seznam().volne().setDropHandler(odlozene(&PresunyPobocek::tv_2_DragDrop));
    // An extension is freed by dropping it anywhere in the pool, also where no item is.
    okno.seznam().volne().setRootDropTarget(true);
}

QString PresunyPobocek::cestaCile(const QModelIndex& uzel)
{
    QStringList casti;
    for (QModelIndex i = uzel; i.isValid(); i = i.parent()) casti.prepend(i.data().toString());
    return QStringLiteral("\\\\") + casti.join(QLatin1Char('\\'));
}

QString PresunyPobocek::cestaZdroje(const QModelIndex& uzel)
{
    QString cesta;
    for (QModelIndex i = uzel; i.isValid(); i = i.parent()) cesta = i.data().toString() + QLatin1Char('\\') + cesta;
    return cesta;
}

QString PresunyPobocek::okamzik(const QString& titulek, const QString& prvni, const QString& druhy)
{
    FDX_Z_Zruseni_polozky_firma_oddeleni_osoba z;
    z.OK = false;
    z.popis = prvni;
    z.nadpis = druhy;
    z.titulek = titulek;
    z.datum = clock::today().toString(QStringLiteral("yyyy-MM-dd"));
    z.cas = clock::now().toString(QStringLiteral("hh:mm:ss"));
    Z_Zruseni_polozky_firma_oddeleni_osoba d(&m_okno);
    d.Create(&m_okno, &z);
    return z.OK ? z.datum + QLatin1Char(' ') + z.cas : QString();
}

bool PresunyPobocek::tv_1_DragDrop(const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target)
{
    SeznamPobocek& s = m_okno.seznam();
    const Struct_std* zdroj = from.record<Struct_std>(dragged);
    const Struct_std* cil = s.strom().record<Struct_std>(target);
    if (!zdroj || !cil) return false;
    const int pohled = s.pohled();
    const bool zPoolu = &from == &s.volne();
    QString titulek, prvni, druhy;
    if (zPoolu) {
        // A free extension onto a firm, department or person.
        if (!je(zdroj, {"T"}) || !je(cil, {"F", "S", "O"})) return false;
        titulek = QStringLiteral("Přiřazení linky");
        prvni = QStringLiteral("Linku č. ") + zdroj->Cislo_pobocky;
        druhy = QStringLiteral("Opravdu přiřadit linku ?");
    } else if (&from == &s.strom() && je(zdroj, {"T"})
               && (pohled == 1 ? je(cil, {"F", "S", "O"}) : je(cil, {"F", "S"}))) {
        titulek = QStringLiteral("Přeřazení linky");
        prvni = QStringLiteral("na :") + cestaCile(target);
        druhy = QStringLiteral("Přepojit linku :\\") + cestaZdroje(dragged);
    } else if (&from == &s.strom() && je(zdroj, {"O"}) && (pohled == 1 ? je(cil, {"S"}) : je(cil, {"T"}))) {
        titulek = QStringLiteral("Přeřazení osoby");
        prvni = QStringLiteral("do :") + cestaCile(target);
        druhy = QStringLiteral("Přesunout :\\") + cestaZdroje(dragged);
    } else {
        return false;
    }
    m_okno.tv_1()->setCurrentIndex(target);
    const QString kdy = okamzik(titulek, prvni, druhy);
    if (kdy.isEmpty()) return false;
    s.nastavOkamzikZmeny(kdy);
    const QPersistentModelIndex zdrojTrvale(dragged);
    if (zPoolu) {
        const QModelIndex novy = s.prenes_Item(s.volne(), dragged, s.strom(), target, OtevrenyKonec);
        if (!novy.isValid()) {
            m_okno.ukazChybu(QStringLiteral("Linku se nepodařilo přiřadit."));
            return false;
        }
        s.volne().removeItem(zdrojTrvale);
    } else {
        if (!kopiruj_strom(dragged, target)) {
            m_okno.ukazChybu(QStringLiteral("Položku se nepodařilo přesunout."));
            return false;
        }
        s.strom().removeItem(zdrojTrvale);
    }
    s.nastavZmeneno(true);
    m_okno.poZmene();
    return true;
}

bool PresunyPobocek::tv_2_DragDrop(const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex&)
{
    SeznamPobocek& s = m_okno.seznam();
    const Struct_std* zdroj = from.record<Struct_std>(dragged);
    if (&from != &s.strom() || s.pohled() != 1 || !je(zdroj, {"T"})) return false;
    const QString kdy = okamzik(QStringLiteral("Přiřazení linky"), QStringLiteral("\\") + cestaZdroje(dragged),
                                QStringLiteral("Opravdu zrušit přiřazení linky ?"));
    if (kdy.isEmpty()) return false;
    s.nastavOkamzikZmeny(kdy);
    const QPersistentModelIndex zdrojTrvale(dragged);
    // Into the pool: a free row of the number from the moment, open-ended.
    if (!s.prenes_Item(s.strom(), dragged, s.volne(), QModelIndex(), OtevrenyKonec).isValid()) {
        m_okno.ukazChybu(QStringLiteral("Linku se nepodařilo uvolnit."));
        return false;
    }
    s.strom().removeItem(zdrojTrvale);
    s.nastavZmeneno(true);
    m_okno.poZmene();
    return true;
}

bool PresunyPobocek::kopiruj_strom(const QModelIndex& zdroj, const QModelIndex& cil)
{
    SeznamPobocek& s = m_okno.seznam();
    LazyTreeModel& m = s.strom();
    // The records of the branch as they are now: a refused move gives them back.
    std::vector<std::pair<QPersistentModelIndex, Struct_std>> puvodni;
    std::function<void(const QModelIndex&)> zapamatuj = [&](const QModelIndex& i) {
        s.Rozbal_vetev_stromu(i);
        if (const Struct_std* r = m.record<Struct_std>(i)) puvodni.emplace_back(i, *r);
        for (int k = 0; k < m.rowCount(i); ++k) zapamatuj(m.index(k, 0, i));
    };
    zapamatuj(zdroj);
    const bool zmeneno = s.zmeneno();
    Savepoint sp(Transaction::main());
    QList<QPersistentModelIndex> nove;
    if (sp.ok() && kopiruj(zdroj, cil, nove) && sp.release()) return true;
    sp.rollback();
    // The nodes stored so far leave the tree (the first one takes the rest with it).
    if (!nove.isEmpty() && nove.first().isValid()) m.removeItem(nove.first());
    for (auto& [i, r] : puvodni)
        if (Struct_std* z = m.record<Struct_std>(i)) *z = r;
    s.nastavZmeneno(zmeneno);
    return false;
}

bool PresunyPobocek::kopiruj(const QModelIndex& zdroj, const QModelIndex& cil, QList<QPersistentModelIndex>& nove)
{
    SeznamPobocek& s = m_okno.seznam();
    LazyTreeModel& m = s.strom();
    s.Rozbal_vetev_stromu(zdroj);
    QList<QPersistentModelIndex> deti;
    for (int k = 0; k < m.rowCount(zdroj); ++k) deti << QPersistentModelIndex(m.index(k, 0, zdroj));
    const QModelIndex novy = s.prenes_Item(m, zdroj, m, cil);
    if (!novy.isValid()) return false;
    nove << QPersistentModelIndex(novy);
    const QPersistentModelIndex novyTrvale(novy);
    for (const QPersistentModelIndex& d : deti)
        if (!kopiruj(d, novyTrvale, nove)) return false;
    return true;
}

} // namespace kavro
