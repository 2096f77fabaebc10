#pragma once
// The account codes the exchange reports with calls (hovory.kod_uctu) and the
// firm, contact person and note kept for each in dba.ciselnik_uctovacich_kodu.
// The list window keeps one entry per code and writes each change at once,
// inside the unit of work it holds.
#include <QList>
#include <QString>

namespace kavro {

class Transaction;

// One code as the list window holds it.
struct AccountCode {
    enum State { Stored = 0, New = 1, Resaved = 2 };
    QString Puvodni_Kod_uctu;  // the code the row is stored under; "" while never stored
    QString Kod_uctu;          // the code as edited
    QString Firma;
    QString Osoba;
    QString Poznamka;
    int Stav = New;
};

class AccountCodes {
public:
    // Longest texts the window accepts (the code may be of any length).
    static constexpr int MaxFirma = 22;
    static constexpr int MaxOsoba = 15;
    static constexpr int MaxPoznamka = 256;

    explicit AccountCodes(Transaction& t);

    // Every stored code, in the order the database gives them. False on a
    // database error (errorText()).
    bool load(QList<AccountCode>* out);

    // Writes one entry: a new one is inserted, a stored one updated under the
    // code it is stored under. On success the entry is stored under its
    // edited code (Puvodni_Kod_uctu = Kod_uctu). A code another row holds is
    // refused (duplicate() is true), so is an empty code for a new entry or
    // one whose code was changed (emptyCode() is true), and a stored row that
    // has disappeared; on any failure nothing of this save is kept and the
    // entry is unchanged.
    bool save(AccountCode& entry);

    // Deletes the entry's row. An entry never stored runs no statement.
    bool remove(const AccountCode& entry);

    // Whether a stored row other than the one stored under `own` holds `code`.
    // False also on a database error (errorText() is then set).
    bool codeTaken(const QString& code, const QString& own);

    QString errorText() const { return m_error; }
    bool duplicate() const { return m_duplicate; }
    bool emptyCode() const { return m_emptyCode; }

    // The Czech message for a code that is stored already.
    static QString duplicateMessage(const QString& code);
    // The Czech message for an entry saved without a code.
    static QString emptyCodeMessage();

private:
    Transaction& m_t;
    QString m_error;
    bool m_duplicate = false;
    bool m_emptyCode = false;
};

} // namespace kavro
