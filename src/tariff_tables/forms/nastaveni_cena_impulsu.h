#pragma once
// "Nastavení ceny za impuls": the list of impulse prices by period. Each
// confirmed price is stored at once and its neighbours are fitted around it;
// the only button "&Opusť" (also Enter, Esc and the close box) keeps what was
// stored.
#include "common/forms/dialog_base.h"
#include "platform/unit_of_work.h"
#include "tariff_tables/ceny_impulsu.h"
#include "tariff_tables/forms/z_cena_impulsu.h"

#include <QList>
#include <memory>

class QPoint;

namespace Ui { class Nastaveni_cena_impulsu; }

namespace kavro {

class Nastaveni_cena_impulsu : public Dialog {
    Q_OBJECT
public:
    explicit Nastaveni_cena_impulsu(QWidget* parent = nullptr);
    ~Nastaveni_cena_impulsu() override;

    bool Create(QWidget* parent, FDX_Cena_impulsu* record = nullptr);

    // Loads the list from the table.
    void Nacti_TREE();
    // 1 "Nová cena", 2 "Oprava stávající ceny" of the selected price.
    void Popup_menu(int operace);
    void cb_OK_Click();

protected:
    void leave() override;

private:
    void tv_1_RightClick(const QPoint& pos);

    std::unique_ptr<Ui::Nastaveni_cena_impulsu> ui;
    UnitOfWork m_prace;
    CenyImpulsu m_ceny;
    QList<CenyImpulsu::Cena> m_seznam;
    FDX_Cena_impulsu m_zaznam;
    Z_Cena_impulsu m_dialog;
};

} // namespace kavro
