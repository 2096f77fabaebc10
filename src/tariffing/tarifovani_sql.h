#pragma once
// The lookups that give a call its called state, area and subscriber and its
// caller, as SQL expressions. The re-identification of called parties builds
// its statements from these; the tariffing run decides in memory
// (VypocetTarifu) by the same rules, so that both decide every call alike:
//   - a code or number matches when it begins the dialled number at the given
//     position; of several matches the longest wins (state and area codes of
//     1 to 5 characters, subscriber numbers of any length);
//   - the caller's firm and department are set only where every assignment
//     row of the extension valid at the call's start names the same one; the
//     persons are the List of the surnames on those rows.
//
// What varies is passed in as SQL text:
//   `hovor`     the name or alias under which the statement names the call's
//               table; its columns are named as in dba.hovory
//               (ustredna_volane_cislo, kod_statu, kod_mesta,
//               ustredna_cislo_pobocky, ustredna_datum_a_cas);
//   `predvolba` an expression for the prefix the code follows (a parameter
//               placeholder such as "?1", or a column); it may occur several
//               times in the result, so a plain "?" needs one value per
//               occurrence;
//   `kodStatu`, `kodMesta`  expressions for the state and area a subscriber
//               belongs to.
// A lookup needs the lengths the codes of its directory have (nacti_delky);
// with none it is "NULL".
#include <QList>
#include <QStringList>
#include <QString>

namespace kavro {

class Transaction;

namespace tarifovani_sql {

// The distinct lengths of the directories' codes, longest first.
struct DelkyKodu {
    QList<int> statu;      // state codes, 1 to 5 characters
    QList<int> mest;       // area codes, 1 to 5 characters
    QList<int> ucastniku;  // subscriber numbers, at least 1 character
};

// Reads the lengths from dba.ciselnik_statu, dba.ciselnik_mest and
// dba.ciselnik_ucastniku; false (with the engine's text in `chyba`) when a
// query failed.
bool nacti_delky(Transaction& t, DelkyKodu& delky, QString* chyba = nullptr);

// ---- generic lookups from a position `zacatek` (1-based, an expression) of
// ---- the dialled number

// The longest state code that begins the dialled number at `zacatek`.
QString kod_statu_od(const QString& hovor, const QString& zacatek, const QList<int>& delky);
// The longest area code of the state `hovor`.kod_statu that begins the
// dialled number at `zacatek`.
QString kod_mesta_od(const QString& hovor, const QString& zacatek, const QList<int>& delky);
// The longest subscriber number of state `kodStatu` and area `kodMesta` that
// begins the dialled number at `zacatek`.
QString cislo_ucastnika_od(const QString& hovor, const QString& zacatek, const QString& kodStatu,
                           const QString& kodMesta, const QList<int>& delky);

// ---- the lookups of each call type

// International call ('C'): the state after the international prefix.
QString mezistatni_kod_statu(const QString& hovor, const QString& predvolba, const DelkyKodu& delky);
// International call: the area after the prefix and the call's state code.
QString mezistatni_kod_mesta(const QString& hovor, const QString& predvolba, const DelkyKodu& delky);
// International call: the subscriber after prefix, state and area of the call.
QString mezistatni_cislo_ucastnika(const QString& hovor, const QString& predvolba, const DelkyKodu& delky);
// Long-distance call ('B'): the area (of the call's state) after the long-distance prefix.
QString mezimestsky_kod_mesta(const QString& hovor, const QString& predvolba, const DelkyKodu& delky);
// Long-distance call: the subscriber after prefix and area of the call.
QString mezimestsky_cislo_ucastnika(const QString& hovor, const QString& predvolba, const DelkyKodu& delky);
// Local call ('A'): the subscriber of the home state and area on the whole dialled number.
QString mistni_cislo_ucastnika(const QString& hovor, const QString& kodStatu, const QString& kodMesta,
                               const DelkyKodu& delky);

// The caller of the call: a sub-select of one row and three columns, the
// firm, the department and the persons, for
// "SET (id_firmy, id_oddeleni, popis_osob) = " + volajici(...).
QString volajici(const QString& hovor);

} // namespace tarifovani_sql
} // namespace kavro
