#include "billing/forms/s_tiskove_sestavy.h"

#include "ui_s_tiskove_sestavy.h"

#include "billing/forms/report_view.h"
#include "billing/sestavy.h"
#include "common/datum.h"
#include "common/forms/p_nastaveni_od_do.h"
#include "common/forms/z_zruseni_polozky_firma_oddeleni_osoba.h"
#include "platform/forms/message_box.h"

namespace kavro {

S_Tiskove_sestavy::S_Tiskove_sestavy(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::S_Tiskove_sestavy>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    m_okamzik = new Z_Zruseni_polozky_firma_oddeleni_osoba(this);
    m_obdobi = new P_Nastaveni_od_do(this);
    m_view = new ReportView(ui->dw_1, ui->label_hlavicka, ui->label_celkem, this);
    ui->label_hlavicka->hide();
    ui->label_celkem->hide();
    connect(ui->cb_1, &QPushButton::clicked, this, &S_Tiskove_sestavy::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &S_Tiskove_sestavy::cb_2_Click);
    // "Ulož" has nothing to do.
}

S_Tiskove_sestavy::~S_Tiskove_sestavy() = default;

bool S_Tiskove_sestavy::Create(QWidget* parent, FDX_Zakladni_okno* request)
{
    if (request) m_pozadavek = request;
    if (!m_pozadavek) m_pozadavek = &m_vlastni;
    if (parent != parentWidget()) setParent(parent, windowFlags());
    m_zavrit = false;
    S_Tiskove_sestavy_Create();
    if (m_zavrit) return true;
    runModal(parent);
    return true;
}

bool S_Tiskove_sestavy::chybaSestavy(const QString& text)
{
    messageBox(this, IconWarning, ButtonsOk, windowTitle(), sestavy::zpravaNelzeNacist() + QLatin1Char('\n') + text);
    m_view->refresh();
    return false;
}

void S_Tiskove_sestavy::S_Tiskove_sestavy_Create()
{
    FDX_Zakladni_okno& r = *m_pozadavek;
    ui->cb_3->setVisible(r.ukazat_ulozit);
    if (r.objekt_sestavy.isEmpty()) return;
    setWindowTitle(r.titulek);
    Report& sestava = m_view->report();
    if (!sestava.setObject(r.objekt_sestavy)) {
        chybaSestavy(sestava.errorText());
        return;
    }
    auto argumenty = [&r](int prvni) {
        QVariantList a;
        for (int i = prvni; i < 5; ++i) a << r.argument[size_t(i)];
        while (a.size() < 16) a << QVariant();
        return a;
    };
    QString novy, chyba;
    switch (sestavy::pripad(r.argument[0], r.argument[1])) {
    case sestavy::Pripad::Okamzik: {
        cl_Datum d;
        FDX_Z_Zruseni_polozky_firma_oddeleni_osoba z;
        z.OK = false;
        z.popis = r.titulek;
        z.nadpis = QStringLiteral("Vytisknout sestavu ");
        z.titulek = QStringLiteral("Vyber datum");
        z.datum = d.vrat_datum(QStringLiteral("RRRR-MM-DD"));
        z.cas = d.vrat_cas();
        m_okamzik->Create(this, &z);
        if (!z.OK) {
            m_zavrit = true;
            return;
        }
        if (!sestavy::vlozOkamzik(sestava.select(), z.datum, z.cas, &novy, &chyba)) {
            messageBox(this, IconWarning, ButtonsOk, windowTitle(), chyba);
            m_zavrit = true;
            return;
        }
        sestava.setSelect(novy);
        r.argument[0] = z.datum + QLatin1Char(' ') + z.cas;
        if (!sestava.retrieve(argumenty(0))) chybaSestavy(sestava.errorText());
        else m_view->refresh();
        return;
    }
    case sestavy::Pripad::Obdobi: {
        cl_Datum d;
        FDX_Nastaveni_datum_od_do o;
        o.datum_od = d.vrat_datum(QStringLiteral("RRRR-MM-DD"));
        o.datum_do = o.datum_od;
        o.titulek = QStringLiteral("Vyberte datum od - do");
        o.popis_akce = QStringLiteral("Zobrazit hovory od - do");
        o.OK = false;
        m_obdobi->Create(this, &o);
        if (!o.OK) {
            m_view->refresh();
            return;
        }
        if (!sestavy::vlozObdobi(sestava.select(), o.datum_od, o.datum_do, &novy, &chyba)) {
            chybaSestavy(chyba);
            return;
        }
        sestava.setSelect(novy);
        m_view->setPeriod(o.datum_od, o.datum_do);
        if (!sestava.retrieve(argumenty(2))) chybaSestavy(sestava.errorText());
        else m_view->refresh();
        return;
    }
    case sestavy::Pripad::Prosty:
        if (!sestava.retrieve(argumenty(0))) chybaSestavy(sestava.errorText());
        else m_view->refresh();
        return;
    }
}

void S_Tiskove_sestavy::cb_1_Click() { finish(false); }

void S_Tiskove_sestavy::cb_2_Click() { m_view->print(); }

} // namespace kavro
