#include "tariff_tables/pevne_svatky.h"

#include "common/datum.h"
#include "platform/database.h"

namespace kavro {

const QString Pevne_svatky::Velikonoce = QStringLiteral("Velikonoce");

Pevne_svatky::Pevne_svatky(const QString& rok) : Pevne_svatky(rok, Transaction::main()) {}

Pevne_svatky::Pevne_svatky(const QString& rok, Transaction& t)
    : m_t(t), m_rok(rok)
{
    m_hodnota = rok.trimmed().toInt(&m_cislo);
    m_pevne = m_cislo && m_hodnota == 0;
    m_klic = m_cislo ? QVariant(m_hodnota) : QVariant(rok);
}

QString Pevne_svatky::titulek() const
{
    return m_pevne ? QStringLiteral("Kalendář pevných svátků") : QStringLiteral("Kalendář svátků pro rok ") + m_rok;
}

QString Pevne_svatky::nazevMesice(int mesic)
{
    static const char* const nazvy[] = {"Leden", "Únor", "Březen", "Duben", "Květen", "Červen",
                                        "Červenec", "Srpen", "Září", "Říjen", "Listopad", "Prosinec"};
    return mesic >= 1 && mesic <= 12 ? QString::fromUtf8(nazvy[mesic - 1]) : QString();
}

QString Pevne_svatky::textUzlu(const Struct_svatky& s)
{
    return QStringLiteral("%1  -  %2").arg(s.den, 2, 10, QLatin1Char('0')).arg(s.nazev);
}

int Pevne_svatky::delkaMesice(int mesic, int rok)
{
    cl_Datum d;
    return d.delka_mesice(mesic, rok == 0 ? 2000 : rok);
}

bool Pevne_svatky::denPlati(int den, int mesic, int rok) { return den >= 1 && den <= delkaMesice(mesic, rok); }

bool Pevne_svatky::denMesice(const Struct_svatky& s)
{
    if (denPlati(s.den, s.mesic, rokDnu())) return true;
    return selhani(QStringLiteral("Den %1 v měsíci %2 %3 není.")
                       .arg(s.den)
                       .arg(s.mesic)
                       .arg(rokDnu() == 0 ? QStringLiteral("žádného roku") : QStringLiteral("roku %1").arg(rokDnu())));
}

bool Pevne_svatky::selhani(const QString& text)
{
    m_error = text;
    return false;
}

bool Pevne_svatky::nacti(int mesic, QList<Struct_svatky>* svatky)
{
    svatky->clear();
    m_error.clear();
    Query q(m_t);
    q.setSQL(QStringLiteral("SELECT id_svatku, den, Mesic, Nazev FROM dba.pevne_svatky "
                            "WHERE Mesic = ? AND Rok = ? ORDER BY den, id_svatku"));
    q.bind(1, mesic);
    q.bind(2, m_klic);
    if (!q.run()) return selhani(q.lastErrorText());
    for (; !q.atEnd(); q.next()) {
        Struct_svatky s;
        s.id_svatku = q.intValue(1);
        s.den = int(q.intValue(2));
        s.mesic = mesic;
        s.nazev = q.value(4);
        s.stav = 0;
        s.editovatelny = s.nazev != Velikonoce;
        svatky->append(s);
    }
    q.close();
    return true;
}

bool Pevne_svatky::vloz(Struct_svatky* s)
{
    m_error.clear();
    if (!denMesice(*s)) return false;
    Query q(m_t);
    if (!q.execute(QStringLiteral("INSERT INTO dba.pevne_svatky (den, Mesic, Nazev, Rok) VALUES (?, ?, ?, ?)"),
                   {s->den, s->mesic, s->nazev, m_klic}))
        return selhani(q.lastErrorText());
    // One connection writes through this program: the newest id is the row just stored.
    q.setSQL(QStringLiteral("SELECT max(id_svatku) FROM dba.pevne_svatky"));
    if (!q.run() || q.atEnd()) return selhani(q.lastErrorText());
    s->id_svatku = q.intValue(1);
    q.close();
    return true;
}

bool Pevne_svatky::oprav(const Struct_svatky& s)
{
    m_error.clear();
    if (!denMesice(s)) return false;
    Query q(m_t);
    if (!q.execute(QStringLiteral("UPDATE dba.pevne_svatky SET den = ?, Mesic = ?, Nazev = ?, Rok = ? "
                                  "WHERE id_svatku = ?"),
                   {s.den, s.mesic, s.nazev, m_klic, s.id_svatku}))
        return selhani(q.lastErrorText());
    return q.rowCount() == 1 || selhani(QStringLiteral("Svátek už v tabulce není."));
}

bool Pevne_svatky::smaz(const Struct_svatky& s)
{
    m_error.clear();
    Query q(m_t);
    if (!q.execute(QStringLiteral("DELETE FROM dba.pevne_svatky WHERE id_svatku = ?"), {s.id_svatku}))
        return selhani(q.lastErrorText());
    return q.rowCount() == 1 || selhani(QStringLiteral("Svátek už v tabulce není."));
}

bool Pevne_svatky::Vloz_velikonoce(bool* vlozeno)
{
    *vlozeno = false;
    m_error.clear();
    if (m_pevne || !m_cislo) return true;
    Query q(m_t);
    q.setSQL(QStringLiteral("SELECT count(*) FROM dba.pevne_svatky WHERE Nazev = ? AND Rok = ?"));
    q.bind(1, Velikonoce);
    q.bind(2, m_klic);
    if (!q.run() || q.atEnd()) return selhani(q.lastErrorText());
    const bool ma = q.intValue(1) > 0;
    q.close();
    // A row stored earlier stays where it is, whatever its date.
    if (ma) return true;
    cl_Datum datum;
    const SYSTEMTIME pondeli = datum.Velikonoce(m_hodnota);
    if (pondeli.wYear == 0) return true;
    Struct_svatky s;
    s.den = pondeli.wDay;
    s.mesic = pondeli.wMonth;
    s.nazev = Velikonoce;
    if (!vloz(&s)) return false;
    *vlozeno = true;
    return true;
}

} // namespace kavro
