#pragma once
// "Nastavení tarifních pásem": the impulse periods of each tariff zone by
// validity range, time band and day type, and the zones' names. Each change
// is written at once; "Ulož" keeps them, "Opusť" and Esc drop them, the
// close box asks.
#include "tariff_tables/forms/strom_period.h"
#include "tariff_tables/forms/z_oprava_popisu_pasma.h"

#include <memory>

namespace Ui { class Nastaveni_tarifnich_pasem; }

namespace kavro {

class Nastaveni_tarifnich_pasem : public StromPeriod {
    Q_OBJECT
public:
    explicit Nastaveni_tarifnich_pasem(QWidget* parent = nullptr);
    ~Nastaveni_tarifnich_pasem() override;

    bool Create(QWidget* parent);

protected:
    void operace_vlastnika(const QModelIndex& vybrana, int operace) override;
    void nabidka(QMenu& menu, const QModelIndex& vybrana) override;
    QString text_platnosti(const PeriodyImpulsu::Platnost& p) const override;
    QString druh_vlastnika() const override { return QStringLiteral("P"); }

private:
    std::unique_ptr<Ui::Nastaveni_tarifnich_pasem> ui;
    Z_oprava_popisu_pasma m_dialog_nazvu;
};

} // namespace kavro
