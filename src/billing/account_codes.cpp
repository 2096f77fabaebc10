#include "billing/account_codes.h"

#include "platform/database.h"

namespace kavro {

AccountCodes::AccountCodes(Transaction& t) : m_t(t) {}

QString AccountCodes::duplicateMessage(const QString& code)
{
    return QStringLiteral("Účtovací kód „%1“ už v číselníku je. Zadejte jiný kód.").arg(code);
}

QString AccountCodes::emptyCodeMessage() { return QStringLiteral("Účtovací kód nesmí být prázdný. Zadejte kód."); }

bool AccountCodes::load(QList<AccountCode>* out)
{
    m_error.clear();
    out->clear();
    Query q(m_t);
    q.setSQL(QStringLiteral(" SELECT  Kod_uctu,Firma,Osoba,Poznamka FROM dba.ciselnik_uctovacich_kodu "));
    bool ok = q.run();
    for (; ok && !q.atEnd(); q.next()) {
        AccountCode c;
        c.Puvodni_Kod_uctu = q.value(1);
        c.Kod_uctu = q.value(1);
        c.Firma = q.value(2);
        c.Osoba = q.value(3);
        c.Poznamka = q.value(4);
        c.Stav = AccountCode::Stored;
        out->append(c);
    }
    if (!ok || !q.lastErrorText().isEmpty()) {
        m_error = q.lastErrorText();
        out->clear();
        return false;
    }
    return true;
}

bool AccountCodes::codeTaken(const QString& code, const QString& own)
{
    m_error.clear();
    Query q(m_t);
    q.setSQL(QStringLiteral(" SELECT  Count(*) FROM dba.ciselnik_uctovacich_kodu WHERE Kod_Uctu = ? AND Kod_Uctu <> ?"));
    q.bind(1, code);
    q.bind(2, own);
    if (!q.run() || q.atEnd()) {
        m_error = q.lastErrorText();
        return false;
    }
    return q.intValue(1) > 0;
}

bool AccountCodes::save(AccountCode& entry)
{
    m_error.clear();
    m_duplicate = false;
    m_emptyCode = false;
    const bool novy = entry.Stav == AccountCode::New;
    // A row stored without a code (by another program) may keep it; no entry gets one here.
    if (entry.Kod_uctu.trimmed().isEmpty() && (novy || entry.Kod_uctu != entry.Puvodni_Kod_uctu)) {
        m_emptyCode = true;
        m_error = emptyCodeMessage();
        return false;
    }
    Query q(m_t);
    if (novy) {
        q.setSQL(QStringLiteral(" Insert into dba.ciselnik_uctovacich_kodu (Firma,Osoba,Kod_Uctu,Poznamka) VALUES (?,?,?,?)"));
        q.bindAll({entry.Firma, entry.Osoba, entry.Kod_uctu, entry.Poznamka});
    } else {
        q.setSQL(QStringLiteral(" Update dba.ciselnik_uctovacich_kodu set Kod_Uctu=?, Firma=?, Osoba=?, Poznamka=? "
                                "WHERE Kod_Uctu = ?"));
        q.bindAll({entry.Kod_uctu, entry.Firma, entry.Osoba, entry.Poznamka, entry.Puvodni_Kod_uctu});
    }
    if (!q.execute()) {
        m_duplicate = q.lastErrorIsDuplicateKey();
        m_error = m_duplicate ? duplicateMessage(entry.Kod_uctu) : q.lastErrorText();
        return false;
    }
    if (q.rowCount() != 1) {
        // Another program deleted the row since the list was read.
        m_error = QStringLiteral("Účtovací kód „%1“ už v číselníku není.").arg(entry.Puvodni_Kod_uctu);
        return false;
    }
    // An inserted entry counts as loaded; a re-saved one updates again next time.
    entry.Stav = novy ? AccountCode::Stored : AccountCode::Resaved;
    entry.Puvodni_Kod_uctu = entry.Kod_uctu;
    return true;
}

bool AccountCodes::remove(const AccountCode& entry)
{
    m_error.clear();
    if (entry.Stav == AccountCode::New) return true;
    Query q(m_t);
    if (!q.execute(QStringLiteral("Delete from dba.ciselnik_uctovacich_kodu where Kod_Uctu=?"), {entry.Puvodni_Kod_uctu})) {
        m_error = q.lastErrorText();
        return false;
    }
    return true;
}

} // namespace kavro
