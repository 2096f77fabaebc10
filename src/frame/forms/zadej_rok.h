#pragma once
// Asks for a year (the holiday calendar of one year).

#include <QDialog>
#include <memory>

namespace Ui {
class Zadej_rok;
}

namespace kavro {

class Zadej_rok : public QDialog {
    Q_OBJECT
public:
    explicit Zadej_rok(QWidget* parent = nullptr);
    ~Zadej_rok() override;
    // Runs the dialog modally; afterwards `vybrano` tells whether a year was chosen.
    bool Create(QWidget* parent);

    QString rok;          // the year typed, set only when one was chosen
    bool vybrano = false; // the last run ended with "Vyber" and a year

private:
    void Zadej_rok_Create();
    void cb_1_Click();
    void cb_2_Click();

    std::unique_ptr<Ui::Zadej_rok> ui;
};

} // namespace kavro
