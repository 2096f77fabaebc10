#include "tariff_tables/ceny_impulsu.h"

#include "platform/database.h"
#include "platform/unit_of_work.h"

#include <QDate>
#include <QRegularExpression>

namespace kavro {

namespace {

QDate den(const QString& text)
{
    static const QRegularExpression tvar(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return tvar.match(text).hasMatch() ? QDate::fromString(text, Qt::ISODate) : QDate();
}

QString posun(const QString& text, int dny) { return den(text).addDays(dny).toString(Qt::ISODate); }

} // namespace

CenyImpulsu::CenyImpulsu(Transaction& t) : m_t(t) {}
CenyImpulsu::CenyImpulsu() : m_t(Transaction::main()) {}

bool CenyImpulsu::nacti(QList<Cena>& out)
{
    out.clear();
    Query q(m_t, QStringLiteral("SELECT id_ceny, pocatek_platnosti, konec_platnosti, cena_impulsu "
                                "FROM dba.cena_impulsu WHERE typ_ceny = 'A' ORDER BY pocatek_platnosti, id_ceny"));
    if (!q.run()) {
        m_error = q.lastErrorText();
        return false;
    }
    for (; !q.atEnd(); q.next()) out.append({q.intValue(1), q.value(2), q.value(3), q.value(4)});
    return true;
}

QString CenyImpulsu::chyba(const QString& od, const QString& do_, const QString& cena)
{
    const QString proc = chyba_obdobi(od, do_);
    return proc.isEmpty() ? chyba_ceny(cena) : proc;
}

QString CenyImpulsu::chyba_obdobi(const QString& od, const QString& do_)
{
    if (!den(od).isValid()) return QStringLiteral("Počátek platnosti není platné datum.");
    if (!den(do_).isValid()) return QStringLiteral("Konec platnosti není platné datum.");
    if (!(od < do_)) return QStringLiteral("Počátek platnosti musí předcházet konci platnosti.");
    return QString();
}

QString CenyImpulsu::chyba_ceny(const QString& cena)
{
    static const QRegularExpression cislice(QStringLiteral("^\\d*$"));
    // "2,50" is no 250: a price is never read past a character that is not a digit.
    if (!cislice.match(cena).hasMatch())
        return QStringLiteral("Cena za impuls se zadává jen číslicemi, v celých haléřích (2,50 Kč je 250).");
    if (cena.size() > 10 || cena.toLongLong() <= 0) return QStringLiteral("Cena za impuls musí být celé číslo větší než 0.");
    return QString();
}

bool CenyImpulsu::exec(const QString& sql, const QVariantList& params)
{
    Query q(m_t);
    if (q.execute(sql, params)) return true;
    m_error = q.lastErrorText();
    return false;
}

bool CenyImpulsu::jedna(const QString& sql, const QVariantList& params, QString& out)
{
    Query q(m_t, sql);
    q.bindAll(params);
    if (!q.run()) {
        m_error = q.lastErrorText();
        return false;
    }
    out = q.atEnd() ? QString() : q.value(1);
    return true;
}

bool CenyImpulsu::uloz(Cena& c)
{
    m_error = chyba(c.od, c.do_, c.cena);
    if (!m_error.isEmpty()) return false;
    const qint64 puvodni = c.id;
    Savepoint bod(m_t);
    if (!bod.ok()) {
        m_error = m_t.lastErrorText();
        return false;
    }
    if (!uloz_v_bode(c)) {
        bod.rollback();
        c.id = puvodni;
        return false;
    }
    return bod.release() || (c.id = puvodni, m_error = m_t.lastErrorText(), false);
}

bool CenyImpulsu::uloz_v_bode(Cena& c)
{
    const qint64 cena = c.cena.toLongLong();
    if (c.id == 0) {
        Query q(m_t);
        if (!q.execute(QStringLiteral("INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, "
                                      "Typ_ceny) VALUES (?, ?, ?, 'A')"),
                       {c.od, c.do_, cena})) {
            m_error = q.lastErrorText();
            return false;
        }
        // The id just generated: the greatest, as the unit of work holds the table.
        QString id;
        if (!jedna(QStringLiteral("SELECT max(id_ceny) FROM dba.cena_impulsu"), {}, id)) return false;
        c.id = id.toLongLong();
    } else {
        Query q(m_t);
        if (!q.execute(QStringLiteral("UPDATE dba.cena_impulsu SET Pocatek_platnosti = ?, Konec_platnosti = ?, "
                                      "Cena_Impulsu = ? WHERE id_ceny = ? AND typ_ceny = 'A'"),
                       {c.od, c.do_, cena, c.id})) {
            m_error = q.lastErrorText();
            return false;
        }
        if (q.rowCount() != 1) {
            m_error = QStringLiteral("Cena mezitím zmizela z tabulky.");
            return false;
        }
    }

    // A longer period holding the new one is split: it ends the day before
    // and a copy with its price begins the day after.
    {
        Query q(m_t, QStringLiteral("SELECT id_ceny, konec_platnosti, cena_impulsu FROM dba.cena_impulsu "
                                    "WHERE typ_ceny = 'A' AND id_ceny <> ? AND pocatek_platnosti < ? "
                                    "AND konec_platnosti > ?"));
        q.bindAll({c.id, c.od, c.do_});
        if (!q.run()) {
            m_error = q.lastErrorText();
            return false;
        }
        struct Delsi { qint64 id; QString konec; QString cena; };
        QList<Delsi> delsi;
        for (; !q.atEnd(); q.next()) delsi.append({q.intValue(1), q.value(2), q.value(3)});
        q.close();
        for (const Delsi& d : delsi) {
            if (!exec(QStringLiteral("UPDATE dba.cena_impulsu SET konec_platnosti = ? WHERE id_ceny = ?"),
                      {posun(c.od, -1), d.id})
                || !exec(QStringLiteral("INSERT INTO dba.cena_impulsu (Pocatek_platnosti, Konec_platnosti, "
                                        "Cena_Impulsu, Typ_ceny) VALUES (?, ?, ?, 'A')"),
                         {posun(c.do_, 1), d.konec, d.cena}))
                return false;
        }
    }

    // Other rows lying inside the new period go.
    if (!exec(QStringLiteral("DELETE FROM dba.cena_impulsu WHERE typ_ceny = 'A' AND id_ceny <> ? "
                             "AND pocatek_platnosti >= ? AND konec_platnosti <= ?"),
              {c.id, c.od, c.do_}))
        return false;

    // The row starting last before the period ends the day before it.
    QString pred;
    if (!jedna(QStringLiteral("SELECT id_ceny FROM dba.cena_impulsu WHERE typ_ceny = 'A' "
                              "AND id_ceny <> ? AND pocatek_platnosti < ? "
                              "ORDER BY pocatek_platnosti DESC, id_ceny DESC"),
               {c.id, c.od}, pred))
        return false;
    if (!pred.isEmpty()
        && !exec(QStringLiteral("UPDATE dba.cena_impulsu SET konec_platnosti = ? WHERE id_ceny = ?"),
                 {posun(c.od, -1), pred.toLongLong()}))
        return false;

    // The row ending first after the period begins the day after it.
    QString po;
    if (!jedna(QStringLiteral("SELECT id_ceny FROM dba.cena_impulsu WHERE typ_ceny = 'A' "
                              "AND id_ceny <> ? AND konec_platnosti > ? ORDER BY konec_platnosti, id_ceny"),
               {c.id, c.do_}, po))
        return false;
    if (!po.isEmpty()
        && !exec(QStringLiteral("UPDATE dba.cena_impulsu SET pocatek_platnosti = ? WHERE id_ceny = ?"),
                 {posun(c.do_, 1), po.toLongLong()}))
        return false;
    return true;
}

QString CenyImpulsu::cena_dne(const QString& den)
{
    return m_t.scalar(QStringLiteral("SELECT cena_impulsu FROM dba.cena_impulsu WHERE typ_ceny = 'A' "
                                     "AND pocatek_platnosti <= ? AND konec_platnosti >= ? "
                                     "ORDER BY pocatek_platnosti DESC"),
                      {den.left(10), den.left(10)});
}

QString CenyImpulsu::v_korunach(qint64 halere, qint64 impulsy)
{
    const qint64 celkem = halere * impulsy;
    const qint64 kc = celkem / 100;
    const qint64 h = (celkem < 0 ? -celkem : celkem) % 100;
    return QStringLiteral("%1%2,%3")
        .arg(celkem < 0 && kc == 0 ? QStringLiteral("-") : QString())
        .arg(kc)
        .arg(h, 2, 10, QLatin1Char('0'));
}

} // namespace kavro
