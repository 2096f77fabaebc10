#pragma once
// "Nastavení údajů pro  pseudotarif": the subtracted time and the connection
// time of local, long-distance and international calls. The times are written
// only when "Ulož" is pressed, as one unit of work.
#include <QDialog>
#include <QString>
#include <array>

#include "platform/unit_of_work.h"

#include "ui_nastaveni_pseudotarifu.h"

namespace kavro {

class Nastaveni_Pseudotarifu : public QDialog, public Ui::Nastaveni_Pseudotarifu {
    Q_OBJECT
public:
    explicit Nastaveni_Pseudotarifu(QWidget* parent = nullptr);

    // Loads the six times and runs the form modally over `parent`; true when saved.
    bool Create(QWidget* parent);

    // Loads the six times (done by Create).
    void Nastaveni_Pseudotarifu_Create();
    // The stored time of a call type and time kind; "" when there is none.
    QString Napln_hodnotou(const QString& typ_hovoru, const QString& typ_casu);

    void cb_OK_Click();
    void cb_Cancel_Click();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::array<TimeBox*, 6> pole() const;
    UnitOfWork m_prace;  // what the window leaves pending is rolled back
};

} // namespace kavro
