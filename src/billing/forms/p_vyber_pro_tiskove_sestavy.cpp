#include "billing/forms/p_vyber_pro_tiskove_sestavy.h"

#include "ui_p_vyber_pro_tiskove_sestavy.h"

#include "common/forms/p_nastaveni_od_do.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "platform/registry.h"

#include <QApplication>
#include <QEvent>

namespace kavro {

const QString P_Vyber_pro_tiskove_sestavy::ValueCasOd = QStringLiteral("Cas_od");
const QString P_Vyber_pro_tiskove_sestavy::ValueCasDo = QStringLiteral("Cas_do");

namespace {

// An empty time box stands for the whole first or last day.
const QString PocatekDne = QStringLiteral("00:00:00");
const QString KonecDne = QStringLiteral("23:59:59");

} // namespace

P_Vyber_pro_tiskove_sestavy::P_Vyber_pro_tiskove_sestavy(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::P_Vyber_pro_tiskove_sestavy>())
{
    ui->setupUi(this);
    ui->textb_datum_od->setCalendarButton(ui->cb_3);
    ui->textb_datum_do->setCalendarButton(ui->cb_4);
    ui->textb_cas_od->setUpDown(ui->updown_1);
    ui->textb_cas_do->setUpDown(ui->updown_2);
    ui->textb_cas_do->installEventFilter(this);
    connect(ui->combo_firma, &QComboBox::activated, this, &P_Vyber_pro_tiskove_sestavy::combo_firma_Select);
    connect(ui->combo_oddeleni, &QComboBox::activated, this, &P_Vyber_pro_tiskove_sestavy::combo_oddeleni_Select);
    connect(ui->combo_osoba, &QComboBox::activated, this, &P_Vyber_pro_tiskove_sestavy::combo_osoba_Select);
    connect(ui->combo_stat, &QComboBox::activated, this, &P_Vyber_pro_tiskove_sestavy::combo_stat_Select);
    connect(ui->combo_mesto, &QComboBox::activated, this, &P_Vyber_pro_tiskove_sestavy::combo_mesto_Select);
    connect(ui->combo_ucastnik, &QComboBox::activated, this, &P_Vyber_pro_tiskove_sestavy::combo_ucastnik_Select);
    connect(ui->textb_cislo, &QLineEdit::textChanged, this, &P_Vyber_pro_tiskove_sestavy::textb_cislo_Change);
    connect(ui->optb_prichozi, &QRadioButton::clicked, this, &P_Vyber_pro_tiskove_sestavy::optb_prichozi_Click);
    connect(ui->optb_odchozi, &QRadioButton::clicked, this, &P_Vyber_pro_tiskove_sestavy::optb_odchozi_Click);
    connect(ui->optb_prichozi_odchozi, &QRadioButton::clicked, this,
            &P_Vyber_pro_tiskove_sestavy::optb_prichozi_odchozi_Click);
    connect(ui->cb_1, &QPushButton::clicked, this, &P_Vyber_pro_tiskove_sestavy::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &P_Vyber_pro_tiskove_sestavy::cb_2_Click);
}

P_Vyber_pro_tiskove_sestavy::~P_Vyber_pro_tiskove_sestavy() = default;

bool P_Vyber_pro_tiskove_sestavy::Create(QWidget* parent, FDX_filtr_hovory* record)
{
    if (record) m_record = record;
    if (!m_record) m_record = &m_vlastni;
    // Every opening starts outgoing, with all subscriber kinds and no typed number.
    ui->optb_odchozi->setChecked(true);
    {
        const QSignalBlocker b(ui->textb_cislo);
        ui->textb_cislo->clear();
    }
    P_Vyber_pro_tiskove_sestavy_Create();
    ui->cb_1->setFocus();
    runModal(parent);
    return m_record->OK;
}

void P_Vyber_pro_tiskove_sestavy::P_Vyber_pro_tiskove_sestavy_Create()
{
    ui->combo_1->setCurrentIndex(0);
    const Registry& reg = Registry::instance();
    const QString klic_registru = P_Nastaveni_od_do::RegistryKey;
    QString datum_od = reg.read(klic_registru, P_Nastaveni_od_do::ValueOd);
    QString cas_od = reg.read(klic_registru, ValueCasOd);
    if (datum_od.isEmpty()) {
        datum_od = m_record->datum_od.left(10);
        cas_od = m_record->datum_od.size() > 10 ? m_record->datum_od.right(8) : QString();
    }
    QString datum_do = reg.read(klic_registru, P_Nastaveni_od_do::ValueDo);
    QString cas_do = reg.read(klic_registru, ValueCasDo);
    if (datum_do.isEmpty()) {
        datum_do = m_record->datum_do.left(10);
        cas_do = m_record->datum_do.size() > 10 ? m_record->datum_do.right(8) : QString();
    }
    ui->textb_datum_od->setText(datum_od);
    ui->textb_cas_od->setText(cas_od.trimmed().isEmpty() ? PocatekDne : cas_od);
    ui->textb_datum_do->setText(datum_do);
    ui->textb_cas_do->setText(cas_do.trimmed().isEmpty() ? KonecDne : cas_do);
    predvyber = !m_record->datum_od.isEmpty();
    nastav_konfiguraci();
    nacti_firmy();
    nacti_staty();
    vypln_volane_cislo();
    predvyber = false;
}

QString P_Vyber_pro_tiskove_sestavy::klic(const QComboBox* combo)
{
    return combo->currentIndex() < 0 ? QStringLiteral("0") : combo->currentData().toString();
}

void P_Vyber_pro_tiskove_sestavy::nacti(QComboBox* combo, const QString& vse, const QString& sql,
                                        const QVariantList& hodnoty, const std::function<QString(const Query&)>& text,
                                        const QString& predvybrano)
{
    combo->clear();
    combo->addItem(vse, QStringLiteral("0"));
    int vybrany = 0;
    Query q;
    q.setSQL(sql);
    q.bindAll(hodnoty);
    bool ok = q.run();
    for (; ok && !q.atEnd(); q.next()) {
        const QString id = q.value(1);
        combo->addItem(text(q), id);
        if (predvyber && vybrany == 0 && id == predvybrano) vybrany = combo->count() - 1;
    }
    if (!ok || !q.lastErrorText().isEmpty())
        showDbError(QStringLiteral("Seznam pro výběr hovorů nelze načíst."), q.lastErrorText());
    q.close();
    combo->setCurrentIndex(vybrany);
}

void P_Vyber_pro_tiskove_sestavy::nastav_konfiguraci()
{
    SiteCodes misto;
    QString chyba;
    if (!SiteCodes::read(Transaction::main(), &misto, &chyba))
        showDbError(QStringLiteral("Údaje místa volání nelze načíst."), chyba);
    m_filtr = CallFilter(misto);
}

void P_Vyber_pro_tiskove_sestavy::nacti_firmy()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    nacti(ui->combo_firma, QStringLiteral("Všechny firmy"),
          QStringLiteral("SELECT  ID_FIRMY,NAZEV_FIRMY FROM DBA.CISELNIK_FIREM "
                         "order by nazev_firmy COLLATE czech"),
          {},
          [](const Query& q) { return q.value(2); }, m_record->id_firmy);
    nacti_oddeleni(klic(ui->combo_firma));
    nacti_pobocky();
    nastav_enabled();
    QApplication::restoreOverrideCursor();
}

void P_Vyber_pro_tiskove_sestavy::nacti_oddeleni(const QString& id_firmy)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    nacti(ui->combo_oddeleni, QStringLiteral("Všechna oddělení"),
          QStringLiteral("SELECT ID_ODDELENI,NAZEV_ODDELENI \tFROM DBA.CISELNIK_ODDELENI \tWHERE ID_FIRMY  = ? "
                         "\torder by nazev_oddeleni COLLATE czech"),
          {id_firmy}, [](const Query& q) { return q.value(2); }, m_record->id_oddeleni);
    nacti_osoby(klic(ui->combo_oddeleni));
    nacti_pobocky();
    nastav_enabled();
    QApplication::restoreOverrideCursor();
}

void P_Vyber_pro_tiskove_sestavy::nacti_osoby(const QString& id_oddeleni)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    nacti(ui->combo_osoba, QStringLiteral("Všechny osoby"),
          QStringLiteral("SELECT  ID_OSOBY,jmeno,prijmeni FROM DBA.CISELNIK_OSOB \tWHERE ID_Oddeleni=? "
                         "\torder by prijmeni COLLATE czech, jmeno COLLATE czech"),
          {id_oddeleni}, [](const Query& q) { return q.value(3); }, m_record->id_osoby);
    nastav_enabled();
    nacti_pobocky();
    QApplication::restoreOverrideCursor();
}

void P_Vyber_pro_tiskove_sestavy::nacti_pobocky()
{
    // The deepest chosen level of the caller decides the head of the condition.
    QString hlava;
    QVariantList hodnoty;
    if (ui->combo_osoba->currentIndex() > 0) {
        hlava = QStringLiteral("WHERE ID_OSOBY  =? AND ID_ODDELENI  =? AND ID_FIRMY  =? AND ");
        hodnoty << klic(ui->combo_osoba) << klic(ui->combo_oddeleni) << klic(ui->combo_firma);
    } else if (ui->combo_oddeleni->currentIndex() > 0) {
        hlava = QStringLiteral("WHERE ID_ODDELENI  =? AND ID_FIRMY  =? AND ");
        hodnoty << klic(ui->combo_oddeleni) << klic(ui->combo_firma);
    } else if (ui->combo_firma->currentIndex() > 0) {
        hlava = QStringLiteral("WHERE ID_FIRMY  =? and ");
        hodnoty << klic(ui->combo_firma);
    } else {
        hlava = QStringLiteral("WHERE ");
    }
    // Every extension with a row valid over the whole period the boxes show.
    hodnoty << ui->textb_datum_od->text() + QLatin1Char(' ') + ui->textb_cas_od->text()
            << ui->textb_datum_do->text() + QLatin1Char(' ') + ui->textb_cas_do->text();
    nacti(ui->combo_linka, QStringLiteral("Vsechny_pobocky"),
          QStringLiteral("SELECT cislo_pobocky FROM DBA.PRIRAZENI_POBOCEK ") + hlava
              + QStringLiteral(" Pocatek_platnosti <= ?  and Konec_platnosti>= ? \t\tgroup by cislo_pobocky "
                               "order by cislo_pobocky COLLATE czech"),
          hodnoty, [](const Query& q) { return q.value(1); }, m_record->cislo_pobocky);
}

void P_Vyber_pro_tiskove_sestavy::nacti_staty()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    nacti(ui->combo_stat, QStringLiteral("Všechny státy"),
          QStringLiteral(" SELECT  kod_statu,nazev_statu FROM dba.ciselnik_statu "
                         "order by nazev_statu COLLATE czech"),
          {},
          [](const Query& q) { return q.value(2); }, m_record->kod_statu);
    nacti_mesta(klic(ui->combo_stat));
    QApplication::restoreOverrideCursor();
}

void P_Vyber_pro_tiskove_sestavy::nacti_mesta(const QString& kod_statu)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    nacti(ui->combo_mesto, QStringLiteral("Všechna města"),
          QStringLiteral(" SELECT  kod_mesta,NAZEV_MESTA \tFROM DBA.CISELNIK_MEST  \tWHERE kod_statu   =? "
                         "\torder by nazev_mesta COLLATE czech"),
          {kod_statu}, [](const Query& q) { return q.value(2); }, m_record->kod_mesta);
    nacti_ucastniky();
    QApplication::restoreOverrideCursor();
}

void P_Vyber_pro_tiskove_sestavy::nacti_ucastniky()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    nacti(ui->combo_ucastnik, QStringLiteral("Všichni účastníci"),
          QStringLiteral(" SELECT  cislo_ucastnika, \tnazev_ucastnika,Firma FROM DBA.CISELNIK_UCASTNIKU "
                         "WHERE kod_statu =? and kod_mesta =? ORDER BY nazev_ucastnika COLLATE czech"),
          {klic(ui->combo_stat), klic(ui->combo_mesto)},
          [](const Query& q) {
              const QString jmeno = q.value(2).trimmed();
              return jmeno.isEmpty() ? q.value(3) : jmeno + QStringLiteral(" - ") + q.value(3);
          },
          m_record->cislo_ucastnika);
    nastav_enabled();
    QApplication::restoreOverrideCursor();
}

void P_Vyber_pro_tiskove_sestavy::nastav_enabled()
{
    ui->combo_oddeleni->setEnabled(ui->combo_firma->currentIndex() > 0);
    ui->combo_osoba->setEnabled(ui->combo_oddeleni->currentIndex() > 0);
    if (ui->optb_prichozi->isChecked()) {
        // Incoming calls have no called party: the lists go back to "all"
        // (the city and subscriber lists of the "all" state hold nothing else).
        if (ui->combo_stat->currentIndex() != 0 || ui->combo_mesto->currentIndex() > 0
            || ui->combo_ucastnik->currentIndex() > 0) {
            ui->combo_stat->setCurrentIndex(0);
            nacti_mesta(klic(ui->combo_stat));
        }
        ui->combo_stat->setEnabled(false);
        ui->combo_mesto->setEnabled(false);
        ui->combo_ucastnik->setEnabled(false);
        ui->textb_cislo->setEnabled(false);
        return;
    }
    ui->combo_stat->setEnabled(true);
    ui->textb_cislo->setEnabled(true);
    ui->combo_mesto->setEnabled(ui->combo_stat->currentIndex() > 0);
    ui->combo_ucastnik->setEnabled(ui->combo_mesto->currentIndex() > 0);
}

void P_Vyber_pro_tiskove_sestavy::vypln_volane_cislo()
{
    ui->label_vytocene_cislo->setText(m_filtr.dialledPattern(klic(ui->combo_stat), klic(ui->combo_mesto),
                                                             klic(ui->combo_ucastnik), ui->textb_cislo->text()));
}

void P_Vyber_pro_tiskove_sestavy::combo_firma_Select(int) { nacti_oddeleni(klic(ui->combo_firma)); }

void P_Vyber_pro_tiskove_sestavy::combo_oddeleni_Select(int) { nacti_osoby(klic(ui->combo_oddeleni)); }

void P_Vyber_pro_tiskove_sestavy::combo_osoba_Select(int) { nacti_pobocky(); }

void P_Vyber_pro_tiskove_sestavy::combo_stat_Select(int)
{
    nacti_mesta(klic(ui->combo_stat));
    vypln_volane_cislo();
}

void P_Vyber_pro_tiskove_sestavy::combo_mesto_Select(int)
{
    nacti_ucastniky();
    vypln_volane_cislo();
}

void P_Vyber_pro_tiskove_sestavy::combo_ucastnik_Select(int) { vypln_volane_cislo(); }

void P_Vyber_pro_tiskove_sestavy::textb_cislo_Change() { vypln_volane_cislo(); }

// A change of direction also rebuilds the pattern, so the pattern of an
// earlier called party never outlives the reset for incoming calls.
void P_Vyber_pro_tiskove_sestavy::optb_prichozi_Click()
{
    nastav_enabled();
    vypln_volane_cislo();
}

void P_Vyber_pro_tiskove_sestavy::optb_odchozi_Click()
{
    nastav_enabled();
    vypln_volane_cislo();
}

void P_Vyber_pro_tiskove_sestavy::optb_prichozi_odchozi_Click()
{
    nastav_enabled();
    vypln_volane_cislo();
}

bool P_Vyber_pro_tiskove_sestavy::eventFilter(QObject* o, QEvent* e)
{
    // Runs before the box normalises itself: an emptied end time is the end of the day.
    if (o == ui->textb_cas_do && e->type() == QEvent::FocusOut && ui->textb_cas_do->text().trimmed().isEmpty())
        ui->textb_cas_do->setText(KonecDne);
    return Dialog::eventFilter(o, e);
}

void P_Vyber_pro_tiskove_sestavy::cb_1_Click()
{
    // Enter may come while a box still holds what was typed.
    if (ui->textb_cas_od->text().trimmed().isEmpty()) ui->textb_cas_od->setText(PocatekDne);
    if (ui->textb_cas_do->text().trimmed().isEmpty()) ui->textb_cas_do->setText(KonecDne);
    ui->textb_datum_od->normalise();
    ui->textb_datum_do->normalise();
    ui->textb_cas_od->normalise();
    ui->textb_cas_do->normalise();
    // A reversed period is refused and not remembered for the next dialog.
    if (ui->textb_datum_do->text() + ui->textb_cas_do->text() < ui->textb_datum_od->text() + ui->textb_cas_od->text()) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), P_Nastaveni_od_do::ZpravaObraceneObdobi);
        ui->textb_datum_do->setFocus();
        return;
    }
    m_record->OK = true;
    m_record->datum_od = ui->textb_datum_od->text() + QLatin1Char(' ') + ui->textb_cas_od->text();
    m_record->datum_do = ui->textb_datum_do->text() + QLatin1Char(' ') + ui->textb_cas_do->text();
    Registry& reg = Registry::instance();
    const QString klic_registru = P_Nastaveni_od_do::RegistryKey;
    reg.write(klic_registru, P_Nastaveni_od_do::ValueOd, ui->textb_datum_od->text());
    reg.write(klic_registru, P_Nastaveni_od_do::ValueDo, ui->textb_datum_do->text());
    reg.write(klic_registru, ValueCasOd, ui->textb_cas_od->text());
    reg.write(klic_registru, ValueCasDo, ui->textb_cas_do->text());
    static const char* const druhy[] = {"", "F", "S"};
    const int druh = ui->combo_1->currentIndex();
    m_record->soukrome = QString::fromLatin1(druh >= 0 && druh < 3 ? druhy[druh] : "");
    m_record->id_firmy = klic(ui->combo_firma);
    m_record->id_oddeleni = klic(ui->combo_oddeleni);
    m_record->id_osoby = klic(ui->combo_osoba);
    m_record->cislo_pobocky = klic(ui->combo_linka);
    m_record->typ = ui->optb_prichozi->isChecked() ? 1 : ui->optb_odchozi->isChecked() ? 2 : 3;
    m_record->kod_statu = klic(ui->combo_stat);
    m_record->kod_mesta = klic(ui->combo_mesto);
    m_record->cislo_ucastnika = klic(ui->combo_ucastnik);
    m_record->volane_cislo = ui->textb_cislo->text();
    m_record->predvolba = ui->label_vytocene_cislo->text();
    finish(true);
}

void P_Vyber_pro_tiskove_sestavy::cb_2_Click()
{
    m_record->OK = false;
    finish(false);
}

void P_Vyber_pro_tiskove_sestavy::leave() { cb_2_Click(); }

} // namespace kavro
