#include "tariff_tables/forms/f_zlevnene_sazby.h"

#include "ui_f_zlevnene_sazby.h"

#include "tariff_tables/fdx_vyber_stat.h"
#include "platform/forms/message_box.h"

#include <QMenu>
#include <QTreeView>

namespace kavro {

F_Zlevnene_sazby::F_Zlevnene_sazby(QWidget* parent)
    : StromPeriod(PeriodyImpulsu::slevy(), parent), ui(std::make_unique<Ui::F_Zlevnene_sazby>()), m_vyber_statu(this)
{
    ui->setupUi(this);
    connect(ui->cb_OK, &QPushButton::clicked, this, &F_Zlevnene_sazby::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &F_Zlevnene_sazby::cb_Cancel_Click);
}

F_Zlevnene_sazby::~F_Zlevnene_sazby() = default;

bool F_Zlevnene_sazby::Create(QWidget* parent)
{
    nastavZmeneno(false);
    pripoj(ui->tv_1);
    return runModal(parent);
}

QString F_Zlevnene_sazby::text_platnosti(const PeriodyImpulsu::Platnost& p) const
{
    return PeriodyImpulsu::text_platnosti(p);
}

void F_Zlevnene_sazby::nabidka(QMenu& menu, const QModelIndex& vybrana)
{
    const Uzel* u = strom().record<Uzel>(vybrana);
    if (u && nabidkaRozsahuACasu(menu, *u, QStringLiteral("popup_datum"), QStringLiteral("popup_cas"))) return;
    // A state, and beside the items (an empty table too), where a state can be inserted.
    menu.setObjectName(QStringLiteral("popup_Stat"));
    pridej(menu, QStringLiteral("Vložení státu"), 1, 1);
    if (!u) return;
    pridej(menu, QStringLiteral("Okopíruj také pod"), 1, 2);
    pridej(menu, QStringLiteral("Zrušení státu"), 1, 3);
    menu.addSeparator();
    pridej(menu, QStringLiteral("Vložení data od - do"), 2, 1);
}

QModelIndex F_Zlevnene_sazby::stat(const QString& kod) const
{
    LazyTreeModel& m = const_cast<F_Zlevnene_sazby*>(this)->strom();
    for (int r = 0; r < m.rowCount(); ++r)
        if (const Uzel* u = m.record<Uzel>(m.index(r, 0)); u && u->klic == kod) return m.index(r, 0);
    return {};
}

void F_Zlevnene_sazby::operace_vlastnika(const QModelIndex& vybrana, int operace)
{
    const Uzel* u = strom().record<Uzel>(vybrana);
    if (operace != 1 && (!u || u->druh != u"S")) return;
    if (operace == 3) {
        if (messageBox(this, IconQuestion, ButtonsYesNo, QStringLiteral("Smazání státu"),
                       QStringLiteral("Opravdu smazat vybraný stát ?"))
            != ResultYes)
            return;
        if (!m_periody.smaz_vlastnika(u->klic)) {
            chyba(QStringLiteral("Stát se nepodařilo smazat."), m_periody.lastError());
            return;
        }
        strom().removeItem(vybrana);
        nastavZmeneno();
        return;
    }
    FDX_Vyber_stat v;
    if (!m_vyber_statu.Create(this, &v) || !v.OK || v.kod_statu.isEmpty()) return;
    QModelIndex cil = stat(v.kod_statu);
    if (operace == 1) {
        // A state already shown is not added twice; a new one lives in the tree until its first band.
        if (!cil.isValid())
            cil = strom().insertItem(QModelIndex(), polozka(Uzel{v.kod_statu, QStringLiteral("S"),
                                                                  m_periody.nazev(v.kod_statu), false}));
        tv()->setCurrentIndex(cil);
        return;
    }
    int pridano = 0;
    if (!m_periody.kopiruj(u->klic, v.kod_statu, &pridano)) {
        chyba(QStringLiteral("Sazby se nepodařilo okopírovat."), m_periody.lastError());
        return;
    }
    if (pridano == 0) {
        // The target has every row of the source already: nothing changed.
        messageBox(this, IconInfo, ButtonsOk, windowTitle(),
                   QStringLiteral("Nic nebylo okopírováno: stát %1 už má všechny sazby státu %2.")
                       .arg(m_periody.nazev(v.kod_statu), u->nazev));
        return;
    }
    if (cil.isValid()) {
        // Read again so that the copied ranges show.
        strom().record<Uzel>(cil)->ma_radky = true;
        strom().reloadChildren(cil);
    } else {
        cil = strom().insertItem(QModelIndex(), polozka(Uzel{v.kod_statu, QStringLiteral("S"),
                                                              m_periody.nazev(v.kod_statu), true}));
    }
    tv()->setCurrentIndex(cil);
    nastavZmeneno();
}

} // namespace kavro
