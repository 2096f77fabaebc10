#include "zakladni_okno.h"
#include "ui_zakladni_okno.h"

#include "common/konfigurace.h"
#include "frame/forms/jedna_instance.h"
#include "frame/forms/o_aplikaci.h"
#include "frame/menu_ids.h"
#include "frame/prikazy_menu.h"
#include "frame/spusteni.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"
#include "platform/unit_of_work.h"
#include "common/registry_names.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace kavro {

namespace {

// The home state and city of the stored site, by name.
const char* const kVychoziMisto =
    "SELECT Ciselnik_statu.Nazev_statu, Ciselnik_mest.Nazev_mesta "
    "FROM dba.konfigurace_mista konfigurace, dba.Ciselnik_statu, dba.Ciselnik_mest "
    "WHERE konfigurace.kod_statu = Ciselnik_statu.Kod_statu "
    "and konfigurace.kod_mesta = Ciselnik_mest.Kod_mesta "
    "and konfigurace.kod_statu = Ciselnik_mest.Kod_statu";

} // namespace

Zakladni_okno::Zakladni_okno(QWidget* parent)
    : QMainWindow(parent), ui(new Ui::Zakladni_okno), m_prihlaseni(this), m_heslo(this), m_zadej_rok(this), m_pamet(this)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("Zakladni_okno"));
    QFont titul(QStringLiteral("Courier New"), 12, QFont::Bold, true);
    ui->label_1->setFont(titul);
    QFont vydavatel(QStringLiteral("Courier New"), 10, QFont::Bold, true);
    ui->label_4->setFont(vydavatel);
    QFont datum = font();
    datum.setItalic(true);
    datum.setPointSizeF(font().pointSizeF() * 0.8);
    ui->label_3->setFont(datum);
    vytvor_menu();
    // The cancel action of the window (Esc) closes it like "Konec".
    auto* zrus = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(zrus, &QShortcut::activated, this, &Zakladni_okno::Zakladni_okno_Cancel);
    obnov_dostupnost();
}

Zakladni_okno::~Zakladni_okno()
{
    Zakladni_okno_Destroy();
}

QAction* Zakladni_okno::pridej(QMenu* menu, int id, const QString& text, Obsluha obsluha, Druh druh,
                               const QString& napoveda)
{
    QAction* a = menu->addAction(text);
    a->setObjectName(QStringLiteral("polozka_%1").arg(id));
    a->setData(id);
    if (!napoveda.isEmpty()) a->setStatusTip(napoveda);
    connect(a, &QAction::triggered, this, obsluha);
    m_polozky[id] = a;
    m_druhy[id] = druh;
    return a;
}

void Zakladni_okno::vytvor_menu()
{
    QMenuBar* mb = menuBar();
    mb->setObjectName(QStringLiteral("menu_1"));
    auto popup = [&](QMenu* nad, const QString& text) {
        return nad ? nad->addMenu(text) : mb->addMenu(text);
    };
    using Z = Zakladni_okno;
    const Druh V = Druh::Vlastni, O = Druh::Okno, I = Druh::Import, S = Druh::Sestava, B = Druh::Vyuctovani,
               K = Druh::Kalendar;

    QMenu* hovory = m_popup[0] = popup(nullptr, QStringLiteral("Hovory"));
    QAction* nacteni = pridej(hovory, menu::ImportNew, QStringLiteral("Načtení nových"), &Z::menu_1_item_hovory_nacteni_Click, I,
                              QStringLiteral("Načtení nových hovorů ze sběrací části programu"));
    pridej(hovory, menu::ImportPeriod, QStringLiteral("Opakované načtení ze souboru od - do"), &Z::menu_1_Item12_Click, I,
           QStringLiteral("Opakované načtení nových hovorů ze sběrací části programu"));
    pridej(hovory, menu::ImportFile, QStringLiteral("Opakované načtení z vybraného souboru"), &Z::menu_1_Item29_Click, I);
    pridej(hovory, menu::DeleteCalls, QStringLiteral("Vymazání z tabulky"), &Z::menu_1_item_hovory_mazani_Click, O,
           QStringLiteral("Vymazání hovorů z tabulky kde jsou uloženy"));
    hovory->addSeparator();
    QAction* tarif = pridej(hovory, menu::Retariff, QStringLiteral("Opakovaný výpočet pseudotarifu"),
                            &Z::menu_1_item_hovory_tarifovani_Click, O,
                            QStringLiteral("Znovu spočítá počty impulsů u hovorů otarifovaných pseudotarifem"));
    pridej(hovory, menu::Reidentify, QStringLiteral("Opakovaná identifikace účastníka"), &Z::menu_1_Item_prirazeni_osob_Click, O,
           QStringLiteral("Přiřadí účastníka k hovoru podle volaných čísel"));
    // The accelerators belong to the window, so they work whatever the menu shows.
    nacteni->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    tarif->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    addAction(nacteni);
    addAction(tarif);

    QMenu* sestavy = m_popup[1] = popup(nullptr, QStringLiteral("Sestavy"));
    QMenu* vnitrni = popup(sestavy, QStringLiteral("Vnitřní telefonní seznam"));
    pridej(vnitrni, menu::ListFirmDeptPerson, QStringLiteral("&Firma - oddělení - osoba"), &Z::menu_1_vnitrni_1_Click, S);
    pridej(vnitrni, menu::ListFirmPersonDept, QStringLiteral("Firma - &osoba - oddělení"), &Z::menu_1_vnitrni_2_Click, S);
    pridej(vnitrni, menu::ListPersonFirmDept, QStringLiteral("Osoba - firma - o&ddělení"), &Z::menu_1_vnitrni_3_Click, S);
    pridej(vnitrni, menu::ListFirmDeptExtension, QStringLiteral("Firma - oddělenení - pobočka"), &Z::menu_1_Item21_Click, S);
    vnitrni->addSeparator();
    pridej(vnitrni, menu::ListWithoutFirm, QStringLiteral("Telefonní seznam bez firmy a pobočky"), &Z::menu_1_Item43_Click, S);
    pridej(vnitrni, menu::ListPeopleWithNote, QStringLiteral("Seznam lidi s poznamkou"), &Z::menu_1_Item38_Click, S);
    QMenu* vnejsi = popup(sestavy, QStringLiteral("Vnější telefonní seznam"));
    QMenu* predvolby = popup(vnejsi, QStringLiteral("&Předvolby"));
    pridej(predvolby, menu::PrefixesDomestic, QStringLiteral("&Vnitrostátní"), &Z::menu_1_Item8_Click, S);
    pridej(predvolby, menu::PrefixesInternational, QStringLiteral("&Mezistátní"), &Z::menu_1_Item9_Click, S);
    QMenu* ucastnici = popup(vnejsi, QStringLiteral("&Účastníci"));
    pridej(ucastnici, menu::SubscribersDomestic, QStringLiteral("&Vnitrostátní"), &Z::menu_1_ucastnci_Click, S);
    pridej(ucastnici, menu::SubscribersInternational, QStringLiteral("&Mezistátní"), &Z::menu_1_Item11_Click, S);
    pridej(ucastnici, menu::DiscountedInternational, QStringLiteral("&Výhodně tarifované mezinárodní hovory"), &Z::menu_1_Item35_Click, S);
    QMenu* shovory = popup(sestavy, QStringLiteral("Hovory"));
    pridej(shovory, menu::CallBrowser, QStringLiteral("&Podle výběru"), &Z::menu_1_Item3_Click, O);
    pridej(shovory, menu::CallFrequency, QStringLiteral("Podle četnosti volání"), &Z::menu_1_Item36_Click, B);
    pridej(shovory, menu::CallsByImpulses, QStringLiteral("Hovory podle impulsů"), &Z::menu_1_Item44_Click, S);
    pridej(shovory, menu::CallsByDuration, QStringLiteral("Hovory podle délky spojení"), &Z::menu_1_Item45_Click, S);
    pridej(shovory, menu::WatchedLines, QStringLiteral("&Sledované linky"), &Z::menu_1_Item32_Click, B);
    pridej(shovory, menu::AllCalls, QStringLiteral("&Všechny"), &Z::menu_1_Item20_Click, S);
    sestavy->addSeparator();
    QMenu* vyuct = popup(sestavy, QStringLiteral("&Vyúčtování"));
    pridej(vyuct, menu::BillingByFirm, QStringLiteral("Po firmách"), &Z::menu_1_item_hovory_vyuctovani_Click, B);
    pridej(vyuct, menu::BillingByDepartment, QStringLiteral("Po oddělěních"), &Z::menu_1_Item0_Click, B);
    pridej(vyuct, menu::BillingByExtension, QStringLiteral("Po pobočkách"), &Z::menu_1_Item25_Click, B);
    pridej(vyuct, menu::BillingDetailed, QStringLiteral("Detailni rozpis"), &Z::menu_1_Item31_Click, B);
    vyuct->addSeparator();
    pridej(vyuct, menu::BillingByAccountCode, QStringLiteral("Podle účtovacích kódů"), &Z::menu_1_Item27_Click, B);
    pridej(sestavy, menu::WrongImpulses, QStringLiteral("Oprava chybně oimpulsovaných hovorů"), &Z::menu_1_Item37_Click, S);

    QMenu* seznamy = m_popup[2] = popup(nullptr, QStringLiteral("&Seznamy"));
    QMenu* svnitrni = popup(seznamy, QStringLiteral("&Vnitřní telefonní seznam"));
    pridej(svnitrni, menu::InternalDirectory, QStringLiteral("&Údržba"), &Z::menu_1_item_nastaveni_prirazeni_pobocek_Click, O);
    pridej(svnitrni, menu::UnassignedExtensions, QStringLiteral("Identifikace nepřiřazených poboček"), &Z::menu_1_Item17_Click, O);
    pridej(svnitrni, menu::AssignmentHistory, QStringLiteral("Historie přiřazení poboček"), &Z::menu_1_Item4_Click, O);
    pridej(svnitrni, menu::AssignmentOverlaps, QStringLiteral("Otestuj chybné přiřazení poboček"), &Z::menu_1_Item46_Click, O);
    svnitrni->addSeparator();
    pridej(svnitrni, menu::InternalImport, QStringLiteral("Načtení z externího souboru"), &Z::menu_1_Item19_Click, O);
    QMenu* svnejsi = popup(seznamy, QStringLiteral("Vnější &telefonní seznam"));
    pridej(svnejsi, menu::ExternalDirectory, QStringLiteral("&Údržba"), &Z::menu_1_item_Externi_telefonni_seznam_Click, O);
    pridej(svnejsi, menu::FrequentSubscribers, QStringLiteral("Doplnění často volaných účastníků"), &Z::menu_1_Item14_Click, O);
    pridej(svnejsi, menu::UnknownPrefixes, QStringLiteral("Vyhledání a doplnění neznámých předvoleb"), &Z::menu_1_Item15_Click, O);
    pridej(svnejsi, menu::DuplicateSubscribers, QStringLiteral("Otestování duplicitních záznamů"), &Z::menu_1_Item47_Click, O);
    svnejsi->addSeparator();
    pridej(svnejsi, menu::ExternalImport, QStringLiteral("Načtení z externího souboru"), &Z::menu_1_Item6_Click, O);

    QMenu* nastaveni = m_popup[3] = popup(nullptr, QStringLiteral("Nastavení"));
    pridej(nastaveni, menu::ZoneAssignment, QStringLiteral("&Zařazení do tarifních pásem"), &Z::menu_1_item_nastaveni_tarifni_pasma_Click, O);
    pridej(nastaveni, menu::AccountCodes, QStringLiteral("Číselník účtovacích kódů"), &Z::menu_1_Item26_Click, O);
    QMenu* svatky = popup(nastaveni, QStringLiteral("&Kalendáře svátků"));
    pridej(svatky, menu::FixedHolidays, QStringLiteral("Pevných"), &Z::menu_1_Item18_Click, K);
    pridej(svatky, menu::YearHolidays, QStringLiteral("Pro daný rok"), &Z::menu_1_Item22_Click, K);
    QMenu* rychlosti = popup(nastaveni, QStringLiteral("Rychlosti impulsů"));
    pridej(rychlosti, menu::ZoneImpulsePeriods, QStringLiteral("&V tarifním pásmu"),
           &Z::menu_1_Item_nastaveni_rychlost_impulsu_v_tarifnim_pasmu_Click, O);
    pridej(rychlosti, menu::DiscountedPeriods, QStringLiteral("&Zvýhodněně tarifované hovory"), &Z::menu_1_Item34_Click, O);
    pridej(nastaveni, menu::ImpulsePrices, QStringLiteral("&Cen impulsů"), &Z::menu_1_item_nastaveni_cena_impulsu_Click, O);
    pridej(nastaveni, menu::PseudotariffSettings, QStringLiteral("&Parametrů pseudotarifu"), &Z::menu_1_item_nastaveni_pseudotarifu_Click, O);
    pridej(nastaveni, menu::SiteSettings, QStringLiteral("&Místa volání"), &Z::menu_1_item_Vychozi_misto_Click, O);
    nastaveni->addSeparator();
    pridej(nastaveni, menu::InputDirectories, QStringLiteral("&Adresáře se vstupními daty"), &Z::menu_1_Item_Adresar_se_vstpnimi_daty_Click, O);
    pridej(nastaveni, menu::OdbcCache, QStringLiteral("Rezervovaná paměť ODBC"), &Z::menu_1_Item30_Click, V);
    nastaveni->addSeparator();
    QMenu* hesla = popup(nastaveni, QStringLiteral("Změna hesel"));
    pridej(hesla, menu::PasswordAdmin, QStringLiteral("Administrátor"), &Z::menu_1_Item39_Click, V);
    pridej(hesla, menu::PasswordEditing, QStringLiteral("Oprava číselníku"), &Z::menu_1_Item40_Click, V);
    pridej(hesla, menu::PasswordReading, QStringLiteral("Prohlížení"), &Z::menu_1_Item41_Click, V);

    QMenu* konec = m_popup[4] = popup(nullptr, QStringLiteral("Konec"));
    pridej(konec, menu::Quit, QStringLiteral("&Konec"), &Z::menu_1_item_konec_Click, V);
    konec->addSeparator();
    pridej(konec, menu::About, QStringLiteral("&O aplikaci"), &Z::menu_1_Item_o_aplikaci_Click, V);

    // A window registered after the menu was built is offered from then on.
    for (QMenu* m : m_popup) connect(m, &QMenu::aboutToShow, this, &Zakladni_okno::obnov_dostupnost);
}

QAction* Zakladni_okno::polozka(int id) const
{
    auto it = m_polozky.find(id);
    return it == m_polozky.end() ? nullptr : it->second;
}

QMenu* Zakladni_okno::popup(int pozice) const
{
    return pozice >= 0 && pozice < 5 ? m_popup[pozice] : nullptr;
}

void Zakladni_okno::obnov_dostupnost()
{
    const PrikazyMenu& p = PrikazyMenu::instance();
    for (const auto& [id, a] : m_polozky) {
        bool ok = true;
        switch (m_druhy[id]) {
        case Druh::Vlastni: ok = true; break;
        case Druh::Okno: ok = p.ma(id); break;
        case Druh::Import: ok = bool(p.importHovoru()); break;
        case Druh::Sestava: ok = bool(p.sestava()); break;
        case Druh::Vyuctovani: ok = bool(p.vyuctovani()); break;
        case Druh::Kalendar: ok = bool(p.kalendarSvatku()); break;
        }
        a->setEnabled(ok);
    }
}

bool Zakladni_okno::Create(const QString& prikazova_radka)
{
    bool zavrit = false;

    // 1. The configuration instance.
    jmeno_aplikace = jmenoInstance(prikazova_radka);

    // 2. The configuration store.
    m_konfigurace = std::make_unique<konfiguracni_hodnoty>(aplikace_v_registru, jmeno_aplikace);
    konfigurace = m_konfigurace.get();
    konfigurace->nastav_promennou(registr::JmenoAplikace, jmeno_aplikace, QString());

    // 3. The data directory ends with a separator (in memory only).
    const QString adresar = konfigurace->zjisti_hodnotu(registr::DatovyAdresar);
    const QString doplneny = doplnLomitko(adresar);
    if (doplneny != adresar) konfigurace->nastav_promennou(registr::DatovyAdresar, doplneny, QString());

    // 4. The caption.
    setWindowTitle(titulekOkna(jmeno_aplikace, konfigurace->zjisti_hodnotu(registr::Ustredna)));

    // 5. One program per caption; the first one is brought up instead.
    m_druha_instance = Otestuj_spusteni_aplikace(windowTitle());
    if (!m_druha_instance) m_prihlaseni.Create(this);

    // 6. The database connection.
    Transaction& t = Transaction::main();
    m_spojeno = t.connect(registr::ZdrojKavro, Registry::instance());
    int chyba = t.lastErrorNumber();
    if (m_spojeno) {
        UnitOfWork zkouska(t);
        if (!zkouska.commit()) {
            chyba = zkouska.errorNumber();
            t.disconnect();
            m_spojeno = false;
        }
    }
    if (!m_spojeno) {
        Nepodarilo_se_spojeni_se_zdrojem(chyba);
        m_navratovy_kod = 1;
        zavrit = true;
    }

    // 7. Rights.
    konfigurace->nastav_uroven_prav(Vrat_stupen_opravneni());

    // 8. The starting place (needs the database; the site dialog must not keep a
    // program without a connection from ending).
    if (m_spojeno && !Nastav_parametry()) zavrit = true;
    m_fdx.ukazat_ulozit = false;

    // 9. The organisation name.
    Jmeno_uzivatele = konfigurace->zjisti_hodnotu(registr::JmenoUzivatele);
    ui->label_9->setText(Jmeno_uzivatele);

    // 10. A second instance ends here.
    if (m_druha_instance) zavrit = true;

    // 11. The default report period.
    Vypln_registr(registr::DatumOd, clock::today().toString(QStringLiteral("yyyy-MM-dd")));
    Vypln_registr(registr::DatumDo, QStringLiteral("9999-12-31"));

    obnov_dostupnost();
    if (zavrit) {
        Zakladni_okno_Destroy();
        return false;
    }
    m_instance = new JednaInstance(this);
    connect(m_instance, &JednaInstance::obnovit, this, &Zakladni_okno::obnov_okno);
    m_instance->naslouchej(windowTitle());
    return true;
}

bool Zakladni_okno::Otestuj_spusteni_aplikace(const QString& titulek)
{
    return JednaInstance::jizBezi(titulek);
}

void Zakladni_okno::obnov_okno()
{
    showMinimized();
    showNormal();
    raise();
    activateWindow();
}

void Zakladni_okno::Nepodarilo_se_spojeni_se_zdrojem(int cislo_chyby)
{
    messageBox(this, IconWarning, ButtonsOk, QStringLiteral("Nepodařilo se navázat spojení"),
               QStringLiteral("Ověřte si nastaveni ODBC zdroje. Chyba c.") + QString::number(cislo_chyby));
}

int Zakladni_okno::Vrat_stupen_opravneni()
{
    const QString pwd1 = konfigurace->precti_promennou_registru(registr::PWD1, QString());
    const QString pwd2 = konfigurace->precti_promennou_registru(registr::PWD2, QString());
    const int stupen = stupenOpravneni(m_druha_instance ? QString() : m_prihlaseni.Zadane_heslo, pwd1, pwd2);
    ui->label_2->setText(textOpravneni(stupen));
    if (stupen < 3) menuBar()->removeAction(m_popup[3]->menuAction());
    if (stupen < 2) menuBar()->removeAction(m_popup[2]->menuAction());
    return stupen;
}

bool Zakladni_okno::Nastav_parametry()
{
    for (;;) {
        Query q(Transaction::main());
        q.setSQL(QString::fromLatin1(kVychoziMisto));
        if (!q.run()) {
            messageBox(this, IconStop, ButtonsOk, QStringLiteral("Chyba databáze"),
                       QStringLiteral("Výchozí místo nelze načíst.\n") + q.lastErrorText());
            return true;
        }
        ui->label_6->setText(q.value(1));
        ui->label_7->setText(q.value(2));
        const bool nalezeno = !q.atEnd();
        q.close();
        if (nalezeno) break;
        // No usable site: the site dialog comes back until one is saved; leaving
        // it ends the program instead of asking again for ever.
        if (!PrikazyMenu::instance().ma(menu::SiteSettings)) break;
        if (!PrikazyMenu::instance().spust(menu::SiteSettings, this)) return false;
    }
    m_fdx.ukazat_ulozit = false;
    return true;
}

void Zakladni_okno::Vypln_registr(const QString& jmeno, const QString& hodnota)
{
    vyplnRegistr(*konfigurace, jmeno, hodnota);
}

void Zakladni_okno::otevri(int id)
{
    PrikazyMenu::instance().spust(id, this);
}

void Zakladni_okno::sestava(const QString& objekt, const QString& titulek, bool datum1, bool datum2)
{
    const auto& s = PrikazyMenu::instance().sestava();
    if (!s) return;
    m_fdx.objekt_sestavy = objekt;
    m_fdx.titulek = titulek;
    m_fdx.argument[0] = datum1 ? QVariant(FDX_Zakladni_okno::obrazekDatumu()) : QVariant();
    m_fdx.argument[1] = datum2 ? QVariant(FDX_Zakladni_okno::obrazekDatumu()) : QVariant();
    m_fdx.ukazat_ulozit = false;
    s(this, &m_fdx);
}

void Zakladni_okno::vyuctovani(int druh)
{
    if (const auto& v = PrikazyMenu::instance().vyuctovani()) v(this, druh);
}

void Zakladni_okno::import_hovoru(int typ)
{
    if (const auto& i = PrikazyMenu::instance().importHovoru()) i(this, typ);
}

void Zakladni_okno::zmena_hesla(int cislo)
{
    m_heslo.Cislo_hesla = cislo;
    m_heslo.Create(this);
}

// "Hovory"
void Zakladni_okno::menu_1_item_hovory_nacteni_Click() { import_hovoru(1); }
void Zakladni_okno::menu_1_Item12_Click() { import_hovoru(2); }
void Zakladni_okno::menu_1_Item29_Click() { import_hovoru(3); }
void Zakladni_okno::menu_1_item_hovory_mazani_Click() { otevri(menu::DeleteCalls); }
void Zakladni_okno::menu_1_item_hovory_tarifovani_Click() { otevri(menu::Retariff); }
void Zakladni_okno::menu_1_Item_prirazeni_osob_Click() { otevri(menu::Reidentify); }

// "Sestavy" > "Vnitřní telefonní seznam": the directory as of a moment the report asks for.
void Zakladni_okno::menu_1_vnitrni_1_Click()
{
    sestava(QStringLiteral("firma_oddeleni_osoba"), QStringLiteral("Interní telefonní seznam"), true, false);
}
void Zakladni_okno::menu_1_vnitrni_2_Click()
{
    sestava(QStringLiteral("firma_osoba_oddeleni"), QStringLiteral("Interní telefonní seznam"), true, false);
}
void Zakladni_okno::menu_1_vnitrni_3_Click()
{
    sestava(QStringLiteral("osoba_firma_oddeleni"), QStringLiteral("Interní telefonní seznam"), true, false);
}
void Zakladni_okno::menu_1_Item21_Click()
{
    sestava(QStringLiteral("firma_oddeleni_pobocka"), QStringLiteral("Telefonní seznam"), true, false);
}
void Zakladni_okno::menu_1_Item43_Click()
{
    sestava(QStringLiteral("telefonni_seznam3"), QStringLiteral("Interní telefonní seznam bez firmy a pobočky"), true, false);
}
void Zakladni_okno::menu_1_Item38_Click()
{
    sestava(QStringLiteral("Seznam_lidi"), QStringLiteral("Seznam osob s poznámkou"), true, false);
}

// "Sestavy" > "Vnější telefonní seznam"
void Zakladni_okno::menu_1_Item8_Click()
{
    sestava(QStringLiteral("seznam_predvoleb_mest_cr"), QStringLiteral("Seznam předvoleb měst v České republice"), false, false);
}
void Zakladni_okno::menu_1_Item9_Click()
{
    sestava(QStringLiteral("seznam_predvoleb_mest_stat"), QStringLiteral("Seznam mezinárodních předvoleb "), false, false);
}
void Zakladni_okno::menu_1_ucastnci_Click()
{
    sestava(QStringLiteral("vnejsi_tel_seznam_CR"), QStringLiteral("Vnější telefonní seznam Česká republika"), false, false);
}
void Zakladni_okno::menu_1_Item11_Click()
{
    sestava(QStringLiteral("vnejsi_tel_seznam_stat"), QStringLiteral("Vnější telefonní seznam Mezistátní"), false, false);
}
void Zakladni_okno::menu_1_Item35_Click()
{
    sestava(QStringLiteral("Zvyhodneny_tarif"), QStringLiteral("Zvýhodněné mezinárodní hovory"), false, false);
}

// "Sestavy" > "Hovory": the call lists ask for a period (the picture in arguments 1 and 2).
void Zakladni_okno::menu_1_Item3_Click() { otevri(menu::CallBrowser); }
void Zakladni_okno::menu_1_Item36_Click() { vyuctovani(7); }
void Zakladni_okno::menu_1_Item44_Click()
{
    sestava(QStringLiteral("Hovory_podle_impulsu"), QStringLiteral("Seznam všech hovorů v databázi podle impulsu"), true, true);
}
void Zakladni_okno::menu_1_Item45_Click()
{
    sestava(QStringLiteral("Hovory_podle_delky_hovoru"),
            QStringLiteral("Seznam všech hovorů v databázi podle delky hovoru"), true, true);
}
void Zakladni_okno::menu_1_Item32_Click() { vyuctovani(6); }
void Zakladni_okno::menu_1_Item20_Click()
{
    sestava(QStringLiteral("Hovory"), QStringLiteral("Seznam všech hovorů v databázi"), true, true);
}

// "Sestavy" > "&Vyúčtování"
void Zakladni_okno::menu_1_item_hovory_vyuctovani_Click() { vyuctovani(1); }
void Zakladni_okno::menu_1_Item0_Click() { vyuctovani(2); }
void Zakladni_okno::menu_1_Item25_Click() { vyuctovani(3); }
void Zakladni_okno::menu_1_Item31_Click() { vyuctovani(5); }
void Zakladni_okno::menu_1_Item27_Click() { vyuctovani(4); }

void Zakladni_okno::menu_1_Item37_Click()
{
    const auto& s = PrikazyMenu::instance().sestava();
    if (!s) return;
    m_fdx.objekt_sestavy = QStringLiteral("rozdilne_impulsovani");
    m_fdx.titulek = QStringLiteral("Seznam hovorů které byly rozdílně oimpulsovány pseudotarifem");
    // No arguments: nothing of the previous request may be taken over.
    for (QVariant& a : m_fdx.argument) a = QVariant();
    m_fdx.ukazat_ulozit = true;
    s(this, &m_fdx);
    m_fdx.ukazat_ulozit = false;
}

// "&Seznamy"
void Zakladni_okno::menu_1_item_nastaveni_prirazeni_pobocek_Click() { otevri(menu::InternalDirectory); }
void Zakladni_okno::menu_1_Item17_Click() { otevri(menu::UnassignedExtensions); }
void Zakladni_okno::menu_1_Item4_Click() { otevri(menu::AssignmentHistory); }
void Zakladni_okno::menu_1_Item46_Click() { otevri(menu::AssignmentOverlaps); }
void Zakladni_okno::menu_1_Item19_Click() { otevri(menu::InternalImport); }
void Zakladni_okno::menu_1_item_Externi_telefonni_seznam_Click() { otevri(menu::ExternalDirectory); }
void Zakladni_okno::menu_1_Item14_Click() { otevri(menu::FrequentSubscribers); }
void Zakladni_okno::menu_1_Item15_Click() { otevri(menu::UnknownPrefixes); }
void Zakladni_okno::menu_1_Item47_Click() { otevri(menu::DuplicateSubscribers); }
void Zakladni_okno::menu_1_Item6_Click() { otevri(menu::ExternalImport); }

// "Nastavení"
void Zakladni_okno::menu_1_item_nastaveni_tarifni_pasma_Click() { otevri(menu::ZoneAssignment); }
void Zakladni_okno::menu_1_Item26_Click() { otevri(menu::AccountCodes); }
void Zakladni_okno::menu_1_Item18_Click()
{
    if (const auto& k = PrikazyMenu::instance().kalendarSvatku()) k(this, QStringLiteral("0"));
}
void Zakladni_okno::menu_1_Item22_Click()
{
    const auto& k = PrikazyMenu::instance().kalendarSvatku();
    if (!k) return;
    if (m_zadej_rok.Create(this)) k(this, m_zadej_rok.rok);
}
void Zakladni_okno::menu_1_Item_nastaveni_rychlost_impulsu_v_tarifnim_pasmu_Click() { otevri(menu::ZoneImpulsePeriods); }
void Zakladni_okno::menu_1_Item34_Click() { otevri(menu::DiscountedPeriods); }
void Zakladni_okno::menu_1_item_nastaveni_cena_impulsu_Click() { otevri(menu::ImpulsePrices); }
void Zakladni_okno::menu_1_item_nastaveni_pseudotarifu_Click() { otevri(menu::PseudotariffSettings); }
void Zakladni_okno::menu_1_item_Vychozi_misto_Click()
{
    otevri(menu::SiteSettings);
    if (!Nastav_parametry()) close();
}
void Zakladni_okno::menu_1_Item_Adresar_se_vstpnimi_daty_Click() { otevri(menu::InputDirectories); }
void Zakladni_okno::menu_1_Item30_Click() { m_pamet.Create(this); }
void Zakladni_okno::menu_1_Item39_Click() { zmena_hesla(1); }
void Zakladni_okno::menu_1_Item40_Click() { zmena_hesla(2); }
void Zakladni_okno::menu_1_Item41_Click() { zmena_hesla(3); }

// "Konec"
void Zakladni_okno::menu_1_item_konec_Click() { close(); }
void Zakladni_okno::menu_1_Item_o_aplikaci_Click()
{
    O_Aplikaci o(this);
    o.Create(this);
}

void Zakladni_okno::Zakladni_okno_Cancel()
{
    close();
}

void Zakladni_okno::closeEvent(QCloseEvent* e)
{
    Zakladni_okno_Destroy();
    e->accept();
}

void Zakladni_okno::Zakladni_okno_Destroy()
{
    // Runs once, on whichever way the window goes.
    if (m_ukonceno) return;
    m_ukonceno = true;
    // What is pending when the program ends is kept.
    if (m_spojeno) UnitOfWork(Transaction::main()).commit();
    if (konfigurace == m_konfigurace.get()) konfigurace = nullptr;
    m_konfigurace.reset();
}

} // namespace kavro
