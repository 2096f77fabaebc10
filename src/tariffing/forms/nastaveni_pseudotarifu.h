#pragma once
// "Nastavení údajů pro  pseudotarif": the subtracted time and the connection
// time of local, long-distance and international calls. The times are written
// only when "Ulož" is pressed, as one unit of work.
#include <QDialog>
#include <memory>
#include <QString>
#include <array>

#include "common/forms/dialog_base.h"
#include "platform/unit_of_work.h"

namespace Ui {
class Nastaveni_Pseudotarifu;
}

namespace kavro {

class TimeBox;

class Nastaveni_Pseudotarifu : public Dialog {
    Q_OBJECT
public:
    explicit Nastaveni_Pseudotarifu(QWidget* parent = nullptr);
    ~Nastaveni_Pseudotarifu() override;

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
    // "Opusť", Esc and the close box: what is pending is rolled back.
    void leave() override;

private:
    std::unique_ptr<Ui::Nastaveni_Pseudotarifu> ui;
    std::array<TimeBox*, 6> pole() const;
    UnitOfWork m_prace;  // what the window leaves pending is rolled back
};

} // namespace kavro
