#pragma once
// Changes one of the three passwords ("PWD1" administrator, "PWD2" editing,
// "PWD3" reading) kept in the configuration's base key. "Ulož" can be pressed
// only while the current password is right and the new one is typed twice alike.

#include <QDialog>
#include <memory>

namespace Ui {
class F_Pristupove_Heslo;
}

namespace kavro {

class F_Pristupove_Heslo : public QDialog {
    Q_OBJECT
public:
    explicit F_Pristupove_Heslo(QWidget* parent = nullptr);
    ~F_Pristupove_Heslo() override;
    // Runs the dialog modally for password number Cislo_hesla.
    bool Create(QWidget* parent);

    int Cislo_hesla = 1;
    QString Cislo_hesla_text;

    bool Otestuj_heslo();

private:
    void F_Pristupove_Heslo_Create();
    void textb_1_Change();
    void textb_2_Change();
    void textb_3_Change();
    void cb_1_Click();
    void cb_2_Click();
    QString jmenoHodnoty() const { return QStringLiteral("PWD") + Cislo_hesla_text; }

    std::unique_ptr<Ui::F_Pristupove_Heslo> ui;
};

} // namespace kavro
