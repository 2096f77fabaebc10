#include "tariff_tables/forms/nastaveni_tarifnich_pasem.h"

#include "ui_nastaveni_tarifnich_pasem.h"

#include <QMenu>

namespace kavro {

Nastaveni_tarifnich_pasem::Nastaveni_tarifnich_pasem(QWidget* parent)
    : StromPeriod(PeriodyImpulsu::pasma(), parent), ui(std::make_unique<Ui::Nastaveni_tarifnich_pasem>()),
      m_dialog_nazvu(this)
{
    ui->setupUi(this);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Nastaveni_tarifnich_pasem::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Nastaveni_tarifnich_pasem::cb_Cancel_Click);
}

Nastaveni_tarifnich_pasem::~Nastaveni_tarifnich_pasem() = default;

bool Nastaveni_tarifnich_pasem::Create(QWidget* parent)
{
    nastavZmeneno(false);
    pripoj(ui->tv_1);
    return runModal(parent);
}

QString Nastaveni_tarifnich_pasem::text_platnosti(const PeriodyImpulsu::Platnost& p) const
{
    return QStringLiteral("od : ") + p.od + QStringLiteral(" Do : ") + p.do_;
}

void Nastaveni_tarifnich_pasem::nabidka(QMenu& menu, const QModelIndex& vybrana)
{
    const Uzel* u = strom().record<Uzel>(vybrana);
    if (!u || nabidkaRozsahuACasu(menu, *u, QStringLiteral("p_datum"), QStringLiteral("p_cas"))) return;
    menu.setObjectName(QStringLiteral("p_pasma"));
    pridej(menu, QStringLiteral("Oprava názvu pásma"), 1, 2);
    menu.addSeparator();
    pridej(menu, QStringLiteral("Vložení data od - do"), 2, 1);
}

void Nastaveni_tarifnich_pasem::operace_vlastnika(const QModelIndex& vybrana, int operace)
{
    Uzel* u = strom().record<Uzel>(vybrana);
    if (!u || u->druh != u"P" || operace != 2) return;
    FDX_Nastaveni_tarifnich_pasem r;
    r.rezim = 2;
    r.popis_pasma = u->nazev;
    if (!m_dialog_nazvu.Create(this, &r) || !r.OK || r.popis_pasma == u->nazev) return;
    if (!m_periody.prejmenuj_pasmo(u->klic, r.popis_pasma)) {
        chyba(QStringLiteral("Název pásma se nepodařilo změnit, zůstal původní."), m_periody.lastError());
        return;
    }
    u->nazev = r.popis_pasma;
    strom().setItemText(vybrana, r.popis_pasma);
    nastavZmeneno();
}

} // namespace kavro
