#include "internal_directory/forms/z_prirazeni_linky.h"

#include "ui_z_prirazeni_linky.h"

#include "internal_directory/prirazeni_pobocek.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QLineEdit>

namespace kavro {

Z_Prirazeni_linky::Z_Prirazeni_linky(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Z_Prirazeni_linky>())
{
    ui->setupUi(this);
    ui->combo_1->lineEdit()->setMaxLength(4);
    ui->combo_1->setInsertPolicy(QComboBox::NoInsert);
    ui->textb_datum1->setCalendarButton(ui->cb_3);
    ui->textb_datum2->setCalendarButton(ui->cb_1);
    ui->textb_cas1->setNula(true);
    ui->textb_cas2->setNula(true);
    ui->textb_cas1->setUpDown(ui->updown_1);
    ui->textb_cas2->setUpDown(ui->updown_2);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Z_Prirazeni_linky::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Z_Prirazeni_linky::cb_Cancel_Click);
}

Z_Prirazeni_linky::~Z_Prirazeni_linky() = default;

bool Z_Prirazeni_linky::Create(QWidget* parent, FDX_Firmy* record)
{
    m_record = record ? record : &m_vychozi;
    Z_Prirazeni_linky_Create();
    return runModal(parent);
}

void Z_Prirazeni_linky::Z_Prirazeni_linky_Create()
{
    const FDX_Firmy& r = *m_record;
    ui->textb_datum1->setText(r.Pocatek_platnosti.left(10));
    ui->textb_cas1->setText(r.Pocatek_platnosti.mid(11, 8));
    ui->textb_datum2->setText(r.Konec_platnosti.left(10));
    ui->textb_cas2->setText(r.Konec_platnosti.mid(11, 8));
    napln_combo();
    const bool jenUkaz = r.Rezim == 4;
    if (r.Rezim == 1) setWindowTitle(QStringLiteral("Opravte platnost"));
    else if (jenUkaz) setWindowTitle(QStringLiteral("Linka je přiřazena"));
    else setWindowTitle(QStringLiteral("Přiřazení linky"));
    for (QWidget* w : std::initializer_list<QWidget*>{ui->combo_1, ui->cb_OK, ui->textb_datum1, ui->textb_cas1,
                                                      ui->textb_datum2, ui->textb_cas2, ui->cb_3, ui->cb_1,
                                                      ui->updown_1, ui->updown_2})
        w->setEnabled(!jenUkaz);
    if (jenUkaz) ui->cb_Cancel->setDefault(true);
}

void Z_Prirazeni_linky::napln_combo()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ui->combo_1->clear();
    Query q(Transaction::main());
    // Extension numbers by their value (GROUP BY: a server sorts a DISTINCT list only by its own columns).
    q.setSQL(QStringLiteral("SELECT ustredna_cislo_pobocky FROM dba.hovory WHERE ustredna_cislo_pobocky IS NOT NULL"
                            " GROUP BY ustredna_cislo_pobocky ORDER BY ustredna_cislo_pobocky COLLATE czech"));
    int vybrany = -1;
    if (q.run()) {
        for (; !q.atEnd(); q.next()) {
            const QString c = q.value(1);
            ui->combo_1->addItem(c);
            if (c == m_record->Cislo_pobocky) vybrany = ui->combo_1->count() - 1;
        }
    }
    ui->combo_1->setCurrentIndex(vybrany);
    ui->combo_1->setEditText(m_record->Cislo_pobocky);
    QApplication::restoreOverrideCursor();
}

QString Z_Prirazeni_linky::cislo() const
{
    return ui->combo_1->currentText().trimmed();
}

void Z_Prirazeni_linky::cb_OK_Click()
{
    FDX_Firmy& r = *m_record;
    // Enter may press "Ulož" while a box still holds what was typed.
    ui->textb_datum1->normalise();
    ui->textb_cas1->normalise();
    ui->textb_datum2->normalise();
    ui->textb_cas2->normalise();
    const QString od = ui->textb_datum1->text() + QLatin1Char(' ') + ui->textb_cas1->text();
    const QString do_ = ui->textb_datum2->text() + QLatin1Char(' ') + ui->textb_cas2->text();
    const QString c = cislo();
    if (!PrirazeniPobocek::platne_cislo(c)) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(),
                   c.isEmpty() ? QStringLiteral("Zadejte číslo linky.") : PrirazeniPobocek::textNeplatneCislo());
        ui->combo_1->setFocus();
        return;
    }
    if (do_ < od) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(),
                   QStringLiteral("Konec platnosti nesmí předcházet jejímu počátku."));
        ui->textb_datum2->setFocus();
        return;
    }
    PrirazeniPobocek data(Transaction::main());
    const int jinde = data.prideleno_jinde(c, r.ID_oddeleni, od, r.Cislo_pobocky_puv, r.Pocatek_puv);
    if (jinde < 0) {
        showDbError(QStringLiteral("Přidělení linky se nepodařilo ověřit."), data.chyba());
        return;
    }
    r.ukoncit_predchozi = false;
    if (jinde > 0) {
        if (messageBox(this, IconWarning, ButtonsYesNo, QStringLiteral("Linka je již přidělena jinému oddělení "),
                       QStringLiteral("Předchozí připojení se zruší"))
            != ResultYes) {
            finish(false);
            return;
        }
        r.ukoncit_predchozi = true;
    }
    r.Cislo_pobocky = c;
    r.Pocatek_platnosti = od;
    r.Konec_platnosti = do_;
    r.OK = true;
    finish(true);
}

void Z_Prirazeni_linky::cb_Cancel_Click() { finish(false); }

} // namespace kavro
