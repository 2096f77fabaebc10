#include "call_import.h"

#include "common/konfigurace.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/unit_of_work.h"
#include "tariffing/stupen_hovoru.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace kavro {

namespace {


// A new call waits at the first stage for the tariffing.
QString vlozHovor()
{
    return QStringLiteral(
               "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
               "ustredna_pocet_impulsu, ustredna_prepojeni, tarifovat_hovor, ustredna_cislo_pobocky, status_hovoru, "
               "ustredna_cislo_linky, doplnkova_informace, kod_uctu) "
               "VALUES (?, ?, ?, ?, ?, ?, '0', ?, %1, ?, ?, ?)")
        .arg(cislo(StupenHovoru::Nacten));
}
const char* const kJeUlozen = "SELECT id_hovoru FROM dba.hovory WHERE id_hovoru = ?";

// Calls sent to a database server in one statement.
constexpr std::size_t kDavkaServeru = 500;

// Stores n calls at once and names those it stored: a call whose number is
// stored already (or comes twice) is left out.
QString vlozHovory(std::size_t n)
{
    QString sql = QStringLiteral(
        "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
        "ustredna_pocet_impulsu, ustredna_prepojeni, tarifovat_hovor, ustredna_cislo_pobocky, status_hovoru, "
        "ustredna_cislo_linky, doplnkova_informace, kod_uctu) VALUES ");
    const QString radek = QStringLiteral("(?, ?, ?, ?, ?, ?, '0', ?, %1, ?, ?, ?)").arg(cislo(StupenHovoru::Nacten));
    for (std::size_t i = 0; i < n; ++i) sql += (i ? QStringLiteral(", ") : QString()) + radek;
    return sql + QStringLiteral(" ON CONFLICT (id_hovoru) DO NOTHING RETURNING id_hovoru");
}

} // namespace

QDate denZTextu(const QString& den)
{
    QString d = den;
    d.remove(QLatin1Char('-'));
    if (d.size() < 8) return QDate();
    bool ok1 = false, ok2 = false, ok3 = false;
    const int y = d.left(4).toInt(&ok1);
    int m = d.mid(4, 2).toInt(&ok2);
    int day = d.mid(6, 2).toInt(&ok3);
    if (!ok1 || !ok2 || !ok3 || y < 1) return QDate();
    m = qBound(1, m, 12);
    day = qBound(1, day, QDate(y, m, 1).daysInMonth());
    return QDate(y, m, day);
}

QString posledni_zapis_do_hovoru(Transaction& t)
{
    Query q(t, QStringLiteral("SELECT Coalesce(date(Max(hovory.ustredna_datum_a_cas)),date('1997-08-01')) FROM DBA.hovory hovory "
                              "WHERE hovory.ustredna_datum_a_cas < ?"));
    q.bind(1, clock::today().addDays(1).toString(QStringLiteral("yyyy-MM-dd")));
    QString d;
    if (q.run() && !q.atEnd()) d = q.value(1);
    q.close();
    if (d.size() < 10) return QStringLiteral("19970801");
    return d.mid(0, 4) + d.mid(5, 2) + d.mid(8, 2);
}

QString Pricti_jeden_den(const QString& den)
{
    const QDate d = denZTextu(den);
    if (!d.isValid()) return den;
    if (d == QDate(9999, 12, 31)) return den; // the calendar ends there
    return d.addDays(1).toString(QStringLiteral("yyyyMMdd"));
}

// ---------------------------------------------------------------- the run

Import_hovoru::Import_hovoru(Transaction& t, QObject* parent) : QObject(parent), m_t(t)
{
    qRegisterMetaType<kavro::Import_hovoru::Souhrn>();
}

Import_hovoru::~Import_hovoru()
{
    if (m_tarif) m_tarif->stav = nullptr;
}

void Import_hovoru::setTariffingRun(TariffingRun* run)
{
    if (m_tarif) m_tarif->stav = nullptr;
    m_tarif = run;
    if (m_tarif) m_tarif->stav = [this](const QString& text) { emit stav_tarifikace(text); };
}

void Import_hovoru::nactiAdresar()
{
    m_jmena.clear();
    m_jmena_nacteny = true;
    QDir dir(m_p.adresar);
    const QStringList names = dir.entryList(QDir::Files);
    for (const QString& n : names) {
        const QString lower = n.toLower();
        // An exact ".dat" name wins over other letter cases.
        if (!m_jmena.contains(lower) || n == lower) m_jmena.insert(lower, n);
    }
}

QString Import_hovoru::cestaKSouboru(const QDate& den)
{
    if (!m_jmena_nacteny) nactiAdresar();
    const QString name = den.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".dat");
    const auto it = m_jmena.constFind(name);
    return QDir(m_p.adresar).filePath(it == m_jmena.constEnd() ? name : it.value());
}

qint64 Import_hovoru::Zjisti_celkovou_velikost_importu(const QDate& od, const QDate& do_)
{
    qint64 sum = 0;
    for (QDate d = od; d.isValid() && d <= do_; d = d.addDays(1)) {
        const QFileInfo fi(cestaKSouboru(d));
        if (fi.isFile() && fi.isReadable()) sum += fi.size();
    }
    return sum;
}

void Import_hovoru::hlasPrubeh(qint64 pos, qint64 size, bool vzdy)
{
    const int f = size > 0 ? int(pos * 1000 / size) : 0;
    const int c = m_celkem > 0 ? int(qMin<qint64>(m_zpracovano + pos, m_celkem) * 1000 / m_celkem) : 0;
    if (!vzdy && f == m_posl_soubor && c == m_posl_celkem) return;
    m_posl_soubor = f;
    m_posl_celkem = c;
    emit prubeh(pos, size, qMin<qint64>(m_zpracovano + pos, m_celkem), m_celkem);
}

void Import_hovoru::spustTarifikaci()
{
    odesliDavku(); // the run must see every call read so far
    if (m_zastavit) return;
    ++m_souhrn.behu_tarifikace;
    if (!m_tarif) return;
    emit tarifikace_zacina();
    if (!m_tarif->spust()) {
        if (m_tarif->obsazeno())
            obsazeno(true);
        else
            m_souhrn.chyba_tarifikace = m_tarif->zprava();
    }
    emit tarifikace_skoncila();
}

void Import_hovoru::potvrd()
{
    odesliDavku();
    // Each file is committed on its own, also after a cancel or a damaged
    // record; after a write refused because another program holds the
    // database the guard rolls the file back.
    UnitOfWork soubor(m_t);
    if (m_zastavit) return;
    if (!soubor.commit()) {
        if (soubor.errorIsBusy()) return obsazeno(false);
        ++m_souhrn.chyb_potvrzeni;
        m_souhrn.posledni_chyba = soubor.errorText();
    }
}

void Import_hovoru::zrus()
{
    m_ukoncit.store(true);
    // While the files are read, a wait ends with the reading. The final
    // tariffing, which the calls stored so far need, waits for the lock
    // unless the user ends the wait it shows.
    if (!m_posledni_beh.load() || m_ceka.load()) m_konec_cekani.store(true);
}

void Import_hovoru::zrusIHned()
{
    m_ukoncit.store(true);
    m_konec_cekani.store(true);
}

void Import_hovoru::obsazeno(bool priTarifikaci)
{
    m_zastavit = true;
    if (m_souhrn.obsazeno || m_souhrn.cekani_ukonceno) return;
    // "Ukončit" pressed while the layer waited: the user ended the wait.
    if (m_konec_cekani.load())
        m_souhrn.cekani_ukonceno = true;
    else
        m_souhrn.obsazeno = true;
    m_souhrn.obsazeno_pri_tarifikaci = priTarifikaci;
    m_souhrn.obsazeno_na_konci = priTarifikaci && m_posledni_beh;
    m_souhrn.obsazeno_soubor = m_soubor;
    m_souhrn.obsazeno_den = QString::fromStdString(m_veta.datum_a_cas.substr(0, 10));
}

qint64 Import_hovoru::pocetNeotarifovanych()
{
    // It only reads: the guard ends the reading unit of work it opens.
    UnitOfWork cteni(m_t);
    Query q(m_t, QStringLiteral("SELECT count(*) FROM dba.hovory WHERE status_hovoru < %1")
                     .arg(cislo(StupenHovoru::Otarifovan)));
    if (!q.run() || q.atEnd()) return -1;
    return q.intValue(1);
}

bool Import_hovoru::je_ulozen(qint32 cislo_vety)
{
    if (!m_hledej) m_hledej = std::make_unique<Query>(m_t, QString::fromLatin1(kJeUlozen));
    Query& q = *m_hledej;
    q.bind(1, cislo_vety);
    const bool nalezen = q.run() && !q.atEnd();
    q.close();
    m_posledni_duplicitni = nalezen;
    return nalezen;
}

void Import_hovoru::Uloz_strukturu(const Struktura_vety& veta)
{
    // A date with month or day "00" is not stored.
    const std::string& d = veta.datum_a_cas;
    if ((d.size() > 6 && d[5] == '0' && d[6] == '0') || (d.size() > 9 && d[8] == '0' && d[9] == '0')) {
        ++m_souhrn.nulovych_dnu;
        return;
    }
    if (m_t.isServer()) {
        // A server is sent the calls in batches: one round trip per call would
        // cost more than the rest of the import.
        m_davka.push_back(veta);
        if (m_davka.size() >= kDavkaServeru) odesliDavku();
        return;
    }
    ulozJeden(veta);
}

void Import_hovoru::odesliDavku()
{
    if (m_davka.empty()) return;
    std::vector<Struktura_vety> davka;
    davka.swap(m_davka);
    if (!m_vlozDavku || m_vlozDavkuRadku != davka.size()) {
        m_vlozDavku = std::make_unique<Query>(m_t, vlozHovory(davka.size()));
        m_vlozDavkuRadku = davka.size();
    }
    Query& q = *m_vlozDavku;
    int i = 0;
    for (const Struktura_vety& v : davka) {
        q.bind(++i, v.cislo_vety);
        q.bind(++i, v.datum_a_cas.c_str());
        q.bind(++i, v.delka_hovoru.c_str());
        q.bind(++i, v.volane_cislo.c_str());
        q.bind(++i, v.pocet_impulsu);
        q.bind(++i, v.prepojeni ? "1" : "0");
        q.bind(++i, v.cislo_pobocky);
        q.bind(++i, v.cislo_linky);
        q.bind(++i, v.doplnkova_informace.c_str());
        q.bind(++i, v.kod_uctu.c_str());
    }
    if (!q.run()) {
        // Refused as a whole (nothing of it is stored): each call alone, so
        // that only the refused ones are counted as refused.
        q.close();
        for (const Struktura_vety& v : davka) ulozJeden(v);
        return;
    }
    QSet<qint64> ulozene;
    for (; !q.atEnd(); q.next()) ulozene.insert(q.intValue(1));
    q.close();
    m_souhrn.ulozeno += ulozene.size();
    m_souhrn.duplicit += qint64(davka.size()) - ulozene.size();
    m_posledni_duplicitni = !ulozene.contains(davka.back().cislo_vety);
}

void Import_hovoru::ulozJeden(const Struktura_vety& veta)
{
    if (!m_vloz) m_vloz = std::make_unique<Query>(m_t, vlozHovor());
    Query& q = *m_vloz;
    q.bind(1, veta.cislo_vety);
    q.bind(2, veta.datum_a_cas.c_str());
    q.bind(3, veta.delka_hovoru.c_str());
    q.bind(4, veta.volane_cislo.c_str());
    q.bind(5, veta.pocet_impulsu);
    q.bind(6, veta.prepojeni ? "1" : "0");
    q.bind(7, veta.cislo_pobocky);
    q.bind(8, veta.cislo_linky);
    q.bind(9, veta.doplnkova_informace.c_str());
    q.bind(10, veta.kod_uctu.c_str());
    if (!q.execute()) {
        // Another program holds the database: the run stops at the first such refusal.
        if (q.lastErrorIsBusy()) return obsazeno(false);
        // A call stored already is a duplicate whatever kept the insert from
        // running (a write-protected database refuses every insert).
        if (q.lastErrorIsDuplicateKey() || je_ulozen(veta.cislo_vety)) {
            ++m_souhrn.duplicit;
            m_posledni_duplicitni = true;
            return;
        }
        ++m_souhrn.chyb_vkladani;
        m_souhrn.posledni_chyba = q.lastErrorText();
        return;
    }
    ++m_souhrn.ulozeno;
    m_posledni_duplicitni = false;
}

void Import_hovoru::Cti_textovy_soubor(const QString& path)
{
    Datovy_soubor_sberace f;
    if (!f.open(path)) return; // a missing or unreadable file is skipped
    ++m_souhrn.souboru;
    bool prvniVeta = true;
    const qint64 size = f.size();
    m_posl_soubor = m_posl_celkem = -1;
    hlasPrubeh(0, size, true);
    qint64 pos = 0;
    qint64 zaznam = 0;
    Pole_vety pole[10];
    while (f.nextHeader()) {
        if (m_ukoncit.load(std::memory_order_relaxed) || m_zastavit) break;
        ++zaznam;
        if (f.readBody() != Datovy_soubor_sberace::Vysledek::Veta) {
            ++m_souhrn.chybnych_souboru;
            odesliDavku(); // the calls before the damaged record are stored when the user is asked
            emit chybna_data(path, zaznam, pos);
            // The rest of the file is skipped: for the run's progress it is done.
            pos = size;
            break;
        }
        ++m_souhrn.vet;
        if (prvniVeta) {
            // The file a message names: that of the last record read.
            m_soubor = path;
            prvniVeta = false;
        }
        pos = f.position();
        hlasPrubeh(pos, size, false);
        rozdel_vetu(f.bodyData(), f.bodySize(), pole);
        Vynuluj_strukturu(m_veta);
        Nacti_cislo_a_datum(pole, m_veta);
        // A date, time or duration that is no real value (a damaged record that
        // still has its separators) is not stored; the file goes on. The
        // collector's own "0000-00-00" is left to the rule below.
        const std::string& d = m_veta.datum_a_cas;
        const bool nulovy = d.size() > 9 && ((d[5] == '0' && d[6] == '0') || (d[8] == '0' && d[9] == '0'));
        if (!nulovy && (!Datum_a_cas_je_platny(d) || !Delka_je_platna(pole[2]))) {
            ++m_souhrn.neplatnych_casu;
            continue;
        }
        // Calls already stored come in runs (a day read again): after one, the
        // next is looked up by its number before the rest of it is converted.
        // Otherwise the insert itself finds a stored number.
        if (m_posledni_duplicitni && m_davka.empty() && je_ulozen(m_veta.cislo_vety)) {
            ++m_souhrn.duplicit;
        } else {
            Nacti_zbytek(pole, m_veta);
            Uloz_strukturu(m_veta);
        }
        // A new day: the calls of the previous one are complete.
        const std::string& dt = m_veta.datum_a_cas;
        const size_t n = qMin<size_t>(dt.size(), 10);
        if (n != m_aktualni_den.size() || dt.compare(0, n, m_aktualni_den) != 0) {
            if (!m_aktualni_den.empty()) spustTarifikaci();
            if (n > 0) m_aktualni_den.assign(dt, 0, n);
            emit stav(QStringLiteral("Importuji den: ") + QString::fromStdString(m_aktualni_den));
        }
    }
    m_zpracovano += pos;
    f.close();
    hlasPrubeh(0, size, true);
}

Import_hovoru::Souhrn Import_hovoru::Vkladej_soubory(const Parametry& p)
{
    m_p = p;
    m_souhrn = Souhrn();
    m_zastavit = false;
    m_posledni_beh.store(false);
    m_soubor.clear();
    m_posledni_duplicitni = false;
    m_jmena_nacteny = false;
    m_zpracovano = 0;
    m_celkem = 0;
    m_aktualni_den.clear();
    if (m_tarif) m_tarif->novy_beh();
    // A wait for another program's lock is shown in the window, and "Ukončit" ends it.
    BusyWatch cekani;
    cekani.stop = &m_konec_cekani;
    cekani.report = [this](bool ceka) {
        m_ceka.store(ceka);
        emit this->cekani(ceka);
    };
    BusyWatchScope hlidka(m_t, cekani);

    if (p.typ_importu == 3) {
        if (!p.soubor.isEmpty()) {
            m_celkem = QFileInfo(p.soubor).size();
            Cti_textovy_soubor(p.soubor);
            potvrd();
            spustTarifikaci();
        }
    } else if (p.typ_importu != 2 || p.obdobi_potvrzeno) {
        // The run never goes past today.
        const QDate dnes = clock::today();
        QDate od = p.od;
        QDate do_ = p.do_;
        if (p.typ_importu != 2) {
            // New files: from the day of the newest stored call (read again) to today.
            od = denZTextu(posledni_zapis_do_hovoru(m_t));
            do_ = dnes;
        }
        if (!do_.isValid() || do_ > dnes) do_ = dnes;
        m_celkem = Zjisti_celkovou_velikost_importu(od, do_);
        for (QDate d = od; d.isValid() && d <= do_; d = d.addDays(1)) {
            Cti_textovy_soubor(cestaKSouboru(d));
            potvrd(); // also when the file was missing
            if (m_ukoncit.load() || m_zastavit) break;
        }
    }
    // The final tariffing runs in every case, after a cancel too (but when
    // another program holds the database); its changes are committed with it.
    m_posledni_beh.store(true);
    if (!m_zastavit) m_konec_cekani.store(false);
    spustTarifikaci();
    potvrd();
    // The message then says how many calls wait for the next import's
    // tariffing, which takes every call below stage 10.
    if (m_tarif && m_zastavit) {
        m_souhrn.neotarifovano = pocetNeotarifovanych();
        if (m_souhrn.neotarifovano < 0 && m_souhrn.ulozeno == 0) m_souhrn.neotarifovano = 0;
    }
    m_souhrn.zruseno = m_ukoncit.load();
    // Every file of the run has been read or skipped: the whole run is done.
    if (!m_souhrn.zruseno && m_celkem > 0) emit prubeh(0, 0, m_celkem, m_celkem);
    m_vloz.reset();
    m_vlozDavku.reset();
    m_hledej.reset();
    emit hotovo(m_souhrn);
    return m_souhrn;
}

QString Import_hovoru::textChyb(const Souhrn& s)
{
    QString t;
    const bool neotarifovano = s.neotarifovano != 0;
    // Another program held the database: the import stopped early, or its
    // final tariffing left calls untariffed. A wait the user ended is told
    // only when calls are left untariffed: otherwise it ended as any cancel.
    const bool predcasne = s.obsazeno && !s.obsazeno_na_konci;
    if (predcasne || ((s.obsazeno || s.cekani_ukonceno) && neotarifovano)) {
        if (s.cekani_ukonceno)
            t = QStringLiteral("Import hovorů byl ukončen během čekání na databázi, kterou používá jiný program.\n");
        else if (predcasne)
            t = QStringLiteral("Databázi právě používá jiný program, import hovorů byl proto ukončen.\n");
        else
            t = QStringLiteral("Databázi právě používá jiný program, hovory proto nebyly otarifovány.\n");
        const QString soubor = QDir::toNativeSeparators(s.obsazeno_soubor);
        if (!s.obsazeno_pri_tarifikaci) {
            t += QStringLiteral("Hovory dne %1 ze souboru %2 nebyly uloženy, dny načtené před ním uloženy zůstaly.")
                     .arg(s.obsazeno_den, soubor);
        } else {
            t += s.obsazeno_den.isEmpty() ? QStringLiteral("Načtené hovory")
                                          : QStringLiteral("Hovory načtené do dne %1 (soubor %2)").arg(s.obsazeno_den, soubor);
            t += neotarifovano ? QStringLiteral(" jsou uloženy, ale nebyly otarifovány.") : QStringLiteral(" jsou uloženy.");
        }
        if (neotarifovano) {
            t += QLatin1Char('\n');
            if (s.neotarifovano > 0) t += QStringLiteral("Hovorů, které zatím nejsou otarifovány: %1. ").arg(s.neotarifovano);
            t += QStringLiteral("Otarifuje je tarifování při příštím importu hovorů (například Načtení nových).");
        }
        t += QStringLiteral("\nImport můžete zopakovat později.");
    }
    if (s.chyb_vkladani > 0 || s.chyb_potvrzeni > 0 || s.neplatnych_casu > 0) {
        if (!t.isEmpty()) t += QStringLiteral("\n\n");
        t += QStringLiteral("Import hovorů skončil s chybami.");
        if (s.neplatnych_casu > 0)
            t += QStringLiteral("\nZáznamů s neplatným datem nebo časem, které nebyly uloženy: %1").arg(s.neplatnych_casu);
        if (s.chyb_vkladani > 0)
            t += QStringLiteral("\nHovorů, které databáze odmítla uložit: %1").arg(s.chyb_vkladani);
        if (s.chyb_potvrzeni > 0)
            t += QStringLiteral("\nSouborů, jejichž hovory se nepodařilo potvrdit a nejsou uloženy: %1").arg(s.chyb_potvrzeni);
        if (!s.posledni_chyba.isEmpty()) t += QStringLiteral("\nPoslední chyba: ") + s.posledni_chyba;
    }
    // Records dated with day or month "00" are never stored; a message says how many there were.
    if (!t.isEmpty() && s.nulovych_dnu > 0)
        t += QStringLiteral("\nZáznamů se dnem nebo měsícem 00, které nebyly uloženy: %1").arg(s.nulovych_dnu);
    if (!s.chyba_tarifikace.isEmpty()) {
        if (!t.isEmpty()) t += QStringLiteral("\n\n");
        t += s.chyba_tarifikace;
    }
    return t;
}

} // namespace kavro
