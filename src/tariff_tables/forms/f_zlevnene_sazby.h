#pragma once
// "Zlevněné sazby": the discounted impulse periods of called states by
// validity range, time band and day type. Each change is written at once;
// "Ulož" keeps them, "Opusť" and Esc drop them, the close box asks.
#include "tariff_tables/forms/strom_period.h"
#include "tariff_tables/forms/zlevnene_sazby_vloz_stat.h"

#include <memory>

namespace Ui { class F_Zlevnene_sazby; }

namespace kavro {

class F_Zlevnene_sazby : public StromPeriod {
    Q_OBJECT
public:
    explicit F_Zlevnene_sazby(QWidget* parent = nullptr);
    ~F_Zlevnene_sazby() override;

    bool Create(QWidget* parent);

protected:
    void operace_vlastnika(const QModelIndex& vybrana, int operace) override;
    void nabidka(QMenu& menu, const QModelIndex& vybrana) override;
    QString text_platnosti(const PeriodyImpulsu::Platnost& p) const override;
    QString druh_vlastnika() const override { return QStringLiteral("S"); }

private:
    // The top-level item of a state; invalid when it is not shown.
    QModelIndex stat(const QString& kod) const;

    std::unique_ptr<Ui::F_Zlevnene_sazby> ui;
    Zlevnene_sazby_Vloz_stat m_vyber_statu;
};

} // namespace kavro
