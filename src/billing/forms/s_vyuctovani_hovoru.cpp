#include "billing/forms/s_vyuctovani_hovoru.h"

#include "ui_s_vyuctovani_hovoru.h"

#include "billing/forms/report_view.h"
#include "billing/forms/vyber_pro_vyuctovani.h"
#include "billing/sestavy.h"
#include "frame/spusteni.h"
#include "platform/forms/message_box.h"

namespace kavro {

S_Vyuctovani_hovoru::S_Vyuctovani_hovoru(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::S_Vyuctovani_hovoru>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    m_vyber = new Vyber_pro_vyuctovani(this);
    m_view = new ReportView(ui->dw_1, ui->label_hlavicka, ui->label_celkem, this);
    ui->label_hlavicka->hide();
    ui->label_celkem->hide();
    connect(ui->cb_1, &QPushButton::clicked, this, &S_Vyuctovani_hovoru::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &S_Vyuctovani_hovoru::cb_2_Click);
}

S_Vyuctovani_hovoru::~S_Vyuctovani_hovoru() = default;

bool S_Vyuctovani_hovoru::Create(QWidget* parent, FDX_filtr_hovory* record)
{
    m_record = record;
    if (!m_record) return false;
    if (parent != parentWidget()) setParent(parent, windowFlags());
    m_zavrit = false;
    S_Vyuctovani_hovoru_Create();
    if (m_zavrit) return true;
    runModal(parent);
    return true;
}

void S_Vyuctovani_hovoru::chyba(const QString& text)
{
    messageBox(this, IconWarning, ButtonsOk, windowTitle(), sestavy::zpravaNelzeNacist() + QLatin1Char('\n') + text);
}

void S_Vyuctovani_hovoru::S_Vyuctovani_hovoru_Create()
{
    const int typ = m_record->typ;
    Report& sestava = m_view->report();
    const bool objekt = sestava.setObject(sestavy::objektVyuctovani(typ));
    if (typ == 7) m_record->popis_pole = QStringLiteral("Minimalni počet volání");
    m_vyber->Create(this, m_record);
    if (!m_record->OK) {
        m_zavrit = true;
        return;
    }
    if (!objekt) {
        chyba(sestava.errorText());
        m_view->refresh();
        return;
    }
    QString novy, text;
    if (!sestavy::vlozObdobiVyuctovani(sestava.select(), m_record->datum_od, m_record->datum_do, &novy, &text)) {
        chyba(text);
        m_view->refresh();
        return;
    }
    sestava.setSelect(novy);
    if (typ == 7 && !sestava.setFilter(sestavy::filtrCetnosti(m_record->minimalni_pocet))) {
        chyba(sestava.errorText());
        m_view->refresh();
        return;
    }
    if (!sestava.retrieve(sestavy::argumentyVyuctovani(*m_record, Jmeno_uzivatele))) chyba(sestava.errorText());
    m_view->refresh();
}

void S_Vyuctovani_hovoru::cb_1_Click() { finish(false); }

void S_Vyuctovani_hovoru::cb_2_Click() { m_view->print(); }

} // namespace kavro
