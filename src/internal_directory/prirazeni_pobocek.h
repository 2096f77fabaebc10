#pragma once
// The directory's reads and writes: who held which extension when, kept in
// dba.prirazeni_pobocek with the names in the three code tables.
//
// A row belongs to the directory at a moment when its validity contains the
// moment (both ends included). Firm, department and person rows carry '9999'
// as their number; '9999' in an id means the level does not apply, '0' that it
// is present but empty; the free pool are the extension rows of three '9999'.
//
// Every write changes only the row of the node it is given (an earlier period
// of the same key is never touched) and runs in the open unit of work; the
// caller keeps or drops it. Every value is bound.
#include "internal_directory/struct_std.h"
#include "internal_directory/fdx_firmy.h"

#include <QList>
#include <QString>

namespace kavro {

class Transaction;

class PrirazeniPobocek {
public:
    explicit PrirazeniPobocek(Transaction& t);

    // ---- reads, as of `okamzik` ("YYYY-MM-DD hh:mm:ss") ----
    // The firms with any row valid at the moment.
    QList<Struct_std> nacti_firmy(const QString& okamzik);
    // The departments of a firm.
    QList<Struct_std> nacti_oddeleni_firmy(const Struct_std& firma, const QString& okamzik);
    // View 1: the persons of a department; view 2: the holders of an extension.
    QList<Struct_std> nacti_osoby_oddeleni(const Struct_std& rodic, int pohled, const QString& okamzik);
    // The extensions hung directly under the node (root, firm, department,
    // person in view 1; root, firm and department in view 2).
    QList<Struct_std> prirad_pobocky(const Struct_std& rodic, int pohled, const QString& okamzik);
    // The free pool, each node with its row's validity.
    QList<Struct_std> volne_pobocky(const QString& okamzik);

    // ---- writes ----
    enum class Vysledek { Ulozeno, Obsazeno, Chyba };
    // Stores a new node: a firm, department or person gets its code-table row
    // and its own row; a person with a number (view 2) also gets the row of
    // that number, and the number's rows without a person in the same
    // department end at the person's start; an extension is stored only when
    // no row of its number ends after its start (Obsazeno otherwise).
    Vysledek Vloz_novou_vetu(Struct_std& r);
    // Stores an edited firm, department or person (code tables only), or an
    // extension's row: found by its stored key and start, it takes the
    // current key, the validity and the watch mark.
    // `pocatek_puv`: the extension row's start as stored.
    bool Uprav_vetu(Struct_std& r, const QString& pocatek_puv = {});
    // Ends the node's own rows at r.Konec_platnosti. Refused (false,
    // chyba() says why) when a row would end before it began.
    bool Ukonci_platnost_zaznamu(const Struct_std& r);
    // A firm or department ended: its remaining rows valid at the moment it
    // was shown at end at r.Konec_platnosti too.
    bool ukonci_vse_pod(const Struct_std& r);
    // A person ended under an extension (view 2): when no row of the number
    // in that department goes on after the end, the department takes the
    // number back from the end.
    bool vrat_pobocku_oddeleni(const Struct_std& osoba);
    // Sets the watch mark of the node's extension row.
    bool nastav_dohled(const Struct_std& r, const QString& dohled);

    // Rows of the number that end after `od`, leaving out the rows of
    // `krome` when given (its stored key and start; for an extension of view
    // 2 under a department, every row of the number in the department valid
    // when it was loaded: a move ends them all).
    int obsazeno_po(const QString& cislo, const QString& od, const Struct_std* krome = nullptr);
    // The line dialog's check: rows of the number in another department (the
    // free pool not counted) that end after `od`, the edited row left out.
    int prideleno_jinde(const QString& cislo, const QString& id_oddeleni, const QString& od,
                        const QString& cislo_puv = {}, const QString& pocatek_puv = {});
    // The line dialog's "Yes": rows of the number (the free pool left out)
    // that began before `od` and end after it end at `od`; the edited row stays.
    bool ukonci_predchozi(const QString& cislo, const QString& od, const QString& cislo_puv = {},
                          const QString& pocatek_puv = {});

    // The names of one assignment: firm, department, "surname first name".
    bool udaje_prirazeni(const FDX_udaje_o_osobe& r, QString* firma, QString* oddeleni, QString* osoba);

    QString chyba() const { return m_chyba; }

    // The id the database has just generated for the row inserted into
    // dba.`tabulka` on `t` (the greatest `sloupec`). 9999 and 0 mean "no
    // level" in the assignment rows, so such an id is moved past them first.
    // Every writer of the code tables (the tree and the import) takes its ids
    // here. "" on a failure (`chyba` says why).
    static QString novy_klic(Transaction& t, const QString& tabulka, const QString& sloupec, QString* chyba);

    // An extension number as users and files may give it: digits only, not
    // 0 (present but empty) and not 9999 (does not apply).
    static bool platne_cislo(const QString& cislo);
    static QString textNeplatneCislo();

private:
    bool exec(const QString& sql, const QVariantList& params);
    QString novy_klic(const QString& tabulka, const QString& sloupec)
    {
        return novy_klic(m_t, tabulka, sloupec, &m_chyba);
    }
    bool vloz_radek(const QString& od, const QString& do_, const QString& firma, const QString& oddeleni,
                    const QString& osoba, const QString& cislo);
    // Ends the rows of a key that `radek` names (its start, or the moment it
    // was loaded at), after checking that none would end before it began.
    // `osoba` empty: every person's row of the number in the department
    // (rows valid at `zobrazeno_k`).
    bool ukonci_radky(const QString& konec, const QString& firma, const QString& oddeleni, const QString& osoba,
                      const QString& cislo, bool presne, const QString& pocatek, const QString& zobrazeno_k);

    Transaction& m_t;
    QString m_chyba;
};

} // namespace kavro
