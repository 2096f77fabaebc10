#pragma once
// The call import: reads the collector's daily files into the calls table.
//
// Import_hovoru does the whole run on the thread that calls Vkladej_soubory()
// (the import window starts it on a worker thread). It never touches a window:
// progress, the day being imported, malformed files and the final summary are
// signals, which reach the window queued. Everything the user is asked (the
// period, the file) is asked before the run starts and passed in Parametry.
#include "import/adresare.h"
#include "import/collector_file.h"
#include "tariffing/tariffing_run.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace kavro {

class Query;
class Transaction;

// What the main menu passes to the import window.
struct FDX_Typ_importu {
    int typ_importu = 1;      // 1 new files, 2 files of a period, 3 one chosen file
    bool import_bezi = false; // true while the import window exists
};



// Day of the newest stored call that is not after today, as YYYYMMDD;
// 19970801 when there is none. (A call dated in the future by a wrong exchange
// clock is stored, but must not move the start of the next import.)
QString posledni_zapis_do_hovoru(Transaction& t);
// The following day, YYYYMMDD -> YYYYMMDD.
QString Pricti_jeden_den(const QString& den);
// A YYYYMMDD (or YYYY-MM-DD) text as a date; out-of-range parts are clamped.
QDate denZTextu(const QString& den);

class Import_hovoru : public QObject {
    Q_OBJECT
public:
    struct Parametry {
        int typ_importu = 1;
        // Type 2: the period (both days included); a reversed one reads no file.
        // Type 1 reads from the day of the newest stored call to today. The run
        // never goes past today.
        QDate od;
        QDate do_;
        bool obdobi_potvrzeno = true; // type 2: false when the period was not confirmed
        // Type 3: the chosen file ("" = none chosen).
        QString soubor;
        // Directory of the daily files.
        QString adresar;
    };

    struct Souhrn {
        qint64 souboru = 0;          // files read
        qint64 vet = 0;              // accepted records
        qint64 ulozeno = 0;          // calls stored
        qint64 duplicit = 0;         // calls already stored
        qint64 nulovych_dnu = 0;     // records with month or day "00"
        qint64 neplatnych_casu = 0;  // records whose date, time or duration is no real value
        qint64 chybnych_souboru = 0; // files stopped by a malformed record
        qint64 chyb_vkladani = 0;    // inserts the database refused
        qint64 chyb_potvrzeni = 0;   // commits that failed
        qint64 behu_tarifikace = 0;  // tariffing runs started
        QString chyba_tarifikace;    // why the last failed tariffing run failed
        bool zruseno = false;
        QString posledni_chyba;
        // The run ended because another program holds the database: at a call
        // of `obsazeno_den` read from `obsazeno_soubor` (that file keeps none
        // of the calls not yet committed), or in the tariffing run started then
        // (the final one after every file: `obsazeno_na_konci`).
        bool obsazeno = false;
        // The same place, but the user ended the wait for the other program.
        bool cekani_ukonceno = false;
        bool obsazeno_pri_tarifikaci = false;
        bool obsazeno_na_konci = false;
        QString obsazeno_soubor;
        QString obsazeno_den;
        // After either: calls in the database below stage 10, which the final
        // tariffing could not take up (-1 when they could not be counted).
        // The tariffing of the next import takes every one of them.
        qint64 neotarifovano = 0;
    };

    explicit Import_hovoru(Transaction& t, QObject* parent = nullptr);
    ~Import_hovoru() override;

    // The tariffing run to start (may be null: calls are only stored).
    void setTariffingRun(TariffingRun* run);

    // The worker: runs the import and returns its summary (also sent by `hotovo`).
    Souhrn Vkladej_soubory(const Parametry& p);

    // Asks the run to stop (safe from any thread); it stops within one record,
    // and a wait for another program's lock while the files are read ends at
    // once. The final tariffing after a cancel still waits for the lock as
    // any write does; a call while it shows its wait (cekani(true)) ends it.
    void zrus();
    // Stops the run and every wait for a lock at once (the window goes away).
    void zrusIHned();
    bool zruseno() const { return m_ukoncit.load(); }

    // Reads one file; a missing one is skipped. Commits nothing.
    void Cti_textovy_soubor(const QString& path);
    // Stores one call unless it is stored already or dated with month or day "00".
    void Uloz_strukturu(const Struktura_vety& veta);
    // True when a call of this number is stored already.
    bool je_ulozen(qint32 cislo_vety);
    // Total size in bytes of the day files from `od` to `do_`.
    qint64 Zjisti_celkovou_velikost_importu(const QDate& od, const QDate& do_);
    // Full path of a day's file: "YYYYMMDD.dat", matched also in another letter case.
    QString cestaKSouboru(const QDate& den);

    const Souhrn& souhrn() const { return m_souhrn; }
    // The Czech text of the failures of the run ("" when there were none).
    static QString textChyb(const Souhrn& s);

signals:
    // Bytes done of the current file and of the whole run.
    void prubeh(qint64 soubor_hotovo, qint64 soubor_celkem, qint64 celkem_hotovo, qint64 celkem);
    // "Importuji den: YYYY-MM-DD"
    void stav(const QString& text);
    // The tariffing step in progress ("" when a run has ended).
    void stav_tarifikace(const QString& text);
    // A malformed record stopped the reading of a file: the file, the record's
    // number in it (from 1) and the byte where the record begins. The window
    // connects it blocking: the import goes on when the user has answered.
    void chybna_data(const QString& soubor, qint64 cislo_zaznamu, qint64 pozice);
    // The run waits for another program that holds the database (true), or
    // no longer waits (false).
    void cekani(bool ceka);
    // A tariffing run starts and has ended (the window shows it meanwhile).
    void tarifikace_zacina();
    void tarifikace_skoncila();
    // The run has ended.
    void hotovo(const kavro::Import_hovoru::Souhrn& souhrn);

private:
    void spustTarifikaci();
    void potvrd();
    // A write was refused because another program holds the database (or
    // the user ended the wait for it): the run stops, and the file being read
    // keeps nothing of itself.
    void obsazeno(bool priTarifikaci);
    // Calls below stage 10 in the database (-1 when they cannot be counted).
    qint64 pocetNeotarifovanych();
    void hlasPrubeh(qint64 pos, qint64 size, bool vzdy);
    void nactiAdresar();

    Transaction& m_t;
    std::unique_ptr<Query> m_vloz;
    std::unique_ptr<Query> m_hledej;
    // On a server: calls read but not sent yet, and the statement that sends them.
    std::vector<Struktura_vety> m_davka;
    std::unique_ptr<Query> m_vlozDavku;
    std::size_t m_vlozDavkuRadku = 0;
    void odesliDavku();
    void ulozJeden(const Struktura_vety& veta);
    bool m_posledni_duplicitni = false; // the last call was stored already
    TariffingRun* m_tarif = nullptr;
    std::atomic<bool> m_ukoncit{false};
    // The stop flag of the waits for another program's lock, and whether one
    // is being shown.
    std::atomic<bool> m_konec_cekani{false};
    std::atomic<bool> m_ceka{false};
    bool m_zastavit = false; // another program holds the database (or the wait for it was ended)
    std::atomic<bool> m_posledni_beh{false}; // the final tariffing run is going on
    QString m_soubor; // the file of the last record read
    Souhrn m_souhrn;
    Parametry m_p;
    std::string m_aktualni_den;
    qint64 m_zpracovano = 0;     // bytes of the files already finished
    qint64 m_celkem = 0;         // bytes of all files of the run
    int m_posl_soubor = -1;      // last reported per-mille values
    int m_posl_celkem = -1;
    QHash<QString, QString> m_jmena; // lower-case file name -> name in the directory
    bool m_jmena_nacteny = false;
    Struktura_vety m_veta;
};

} // namespace kavro

Q_DECLARE_METATYPE(kavro::Import_hovoru::Souhrn)
