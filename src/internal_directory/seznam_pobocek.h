#pragma once
// The internal directory as the directory window shows and edits it: the
// tree of firms, departments, persons and extensions (view 1 "Osoba - linka":
// person above extension; view 2 "Linka - osoba": extension above person) and
// the pool of free extensions, both as of one moment, each node carrying its
// Struct_std; and the node operations, each of which writes its rows at once
// in the open unit of work and then updates the trees.
//
// Every operation is atomic: it runs in a Savepoint and checks what it can
// before it writes; when a write fails, only that operation's writes are
// undone and the trees stay as they were (chyba() says why).
//
// Loading: a branch is read when it is first expanded (LazyTreeModel); an
// operation that adds under a node loads that node's branch first, so the
// new node is never read a second time.
#include "internal_directory/fdx_firmy.h"
#include "internal_directory/prirazeni_pobocek.h"
#include "internal_directory/struct_std.h"

#include "common/tree_model.h"

#include <QList>
#include <QModelIndex>
#include <QString>

#include <functional>
#include <memory>

namespace kavro {

class Transaction;

class SeznamPobocek {
public:
    // Makes the models (a window gives a model that draws the icons).
    using Tvorba = std::function<std::unique_ptr<LazyTreeModel>(LazyTreeModel::Loader)>;

    explicit SeznamPobocek(Transaction& t, Tvorba tvorba = {});
    ~SeznamPobocek();

    LazyTreeModel& strom() { return *m_strom; }   // tv_1
    LazyTreeModel& volne() { return *m_volne; }   // tv_2, the free pool

    int pohled() const { return m_pohled; }
    void nastavPohled(int pohled) { m_pohled = pohled == 2 ? 2 : 1; }
    QString okamzik() const { return m_okamzik; }
    void nastavOkamzik(const QString& okamzik) { m_okamzik = okamzik; }
    QString ustredna() const { return m_ustredna; }
    void nastavUstrednu(const QString& u) { m_ustredna = u; }
    // Set by every operation that wrote; cleared by the window's "Ulož".
    bool zmeneno() const { return m_zmeneno; }
    void nastavZmeneno(bool z) { m_zmeneno = z; }
    // The moment a move takes effect at (the moment dialog of a drop).
    QString okamzik_zmeny() const { return m_okamzik_zmeny; }
    void nastavOkamzikZmeny(const QString& m) { m_okamzik_zmeny = m; }

    // Builds both trees anew as of okamzik(): the root with its firms and
    // its own extensions loaded, and the pool.
    void nacti();
    QModelIndex koren() const;
    // Loads a node's children once (the find dialog and the window's expand).
    void Rozbal_vetev_stromu(const QModelIndex& uzel);
    // The record of a node of either tree.
    static Struct_std* zaznam(const QModelIndex& uzel);
    // Adds a node for `r` under `rodic` (top level when invalid) of `model`.
    QModelIndex Vloz_Item(LazyTreeModel& model, const QModelIndex& rodic, const Struct_std& r);
    // Text, icon and the has-children mark of a node for its record.
    LazyTreeModel::Item polozka(const Struct_std& r, bool vPoolu) const;

    // ---- node operations: kind 1 firm, 2 department, 3 person, 4 extension ----
    // The exchange record for an action (1 new, 2 edit, 3 end, 4 show) on the
    // selected node; kept between calls like the window's own.
    FDX_Firmy& vypln(int druh, int akce, const QModelIndex& vybrany);
    // A confirmed new node: beside the selected one (naUrovni) or under it.
    // An extension goes through Rucni_prirazeni_pobocky.
    QModelIndex novy_uzel(int druh, const QModelIndex& vybrany, bool naUrovni, const FDX_Firmy& fdx);
    // A confirmed edit of the selected node.
    bool oprav_uzel(int druh, const QModelIndex& vybrany, const FDX_Firmy& fdx);
    // Ends a firm, department or person at `konec` with everything below it.
    bool ukonci_uzel(const QModelIndex& vybrany, const QString& konec);
    // "Ukonči platnost" of an extension: ends its row (under a department in
    // view 2 with its holders) and puts the number into the pool from `konec`.
    // When the number is still held by someone else afterwards, no pool row
    // is stored and info() says so.
    bool ukonci_pobocku(const QModelIndex& vybrany, const QString& konec);
    // Switches the watch mark of an extension, or of a person's row of the
    // extension it stands under (view 2).
    bool prepni_sledovani(const QModelIndex& vybrany);
    // A new extension chosen in the line dialog for the selected node: taken
    // from the pool when the pool holds the number at its start, else stored
    // as new. Returns the new node (invalid when refused or failed).
    QModelIndex Rucni_prirazeni_pobocky(Struct_std r, const QModelIndex& vybrany, bool ukoncit_predchozi);
    // Moves one node: its rows end at okamzik_zmeny() and it is stored anew
    // under `cil` (of `doModelu`) from that moment, to `konec`. Checked first
    // (refused with nothing written); atomic. The source node stays for the
    // caller to remove. Returns the new node, invalid when refused or failed.
    QModelIndex prenes_Item(LazyTreeModel& zModelu, const QModelIndex& zdroj, LazyTreeModel& doModelu,
                            const QModelIndex& cil, const QString& konec = OtevrenyKonecPresunu);
    // Ends `uzel` and its following siblings with everything below them, or
    // (jenVetev) `uzel` and its branch only; every branch is loaded first.
    // Runs inside the caller's savepoint.
    bool Zrus_platnost_u_vetve(const QModelIndex& uzel, const QString& konec, bool jenVetev);
    // Switches the view and rebuilds as of now; gives the nodes to open on
    // the path of the node that was selected, in order.
    QList<QModelIndex> prepni_zobrazeni(const QModelIndex& vybrany);

    // Why the last operation failed, and whether it was refused because the
    // number is still assigned (the window's "Uložení položky" message).
    QString chyba() const { return m_chyba; }
    bool obsazeno() const { return m_obsazeno; }
    QString info() const { return m_info; }
    static QString textObsazeno();

    PrirazeniPobocek& data() { return m_data; }

private:
    QList<LazyTreeModel::Item> nactiStrom(const QModelIndex& rodic, const LazyTreeModel& m);
    QList<LazyTreeModel::Item> nactiVolne(const QModelIndex& rodic);
    bool ukonciJeden(const QModelIndex& uzel, const QString& konec);
    void zacni();
    QString ted() const;

    Transaction& m_t;
    PrirazeniPobocek m_data;
    std::unique_ptr<LazyTreeModel> m_strom;
    std::unique_ptr<LazyTreeModel> m_volne;
    int m_pohled = 1;
    QString m_okamzik;
    QString m_ustredna;
    bool m_zmeneno = false;
    QString m_okamzik_zmeny;
    FDX_Firmy m_fdx;
    QString m_chyba;
    QString m_info;
    bool m_obsazeno = false;
    // Why a write was refused: the number is held (the "Uložení položky"
    // message) or the database said no (its text).
    void odmitnuto(bool obsazeno);
};

} // namespace kavro
