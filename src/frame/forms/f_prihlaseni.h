#pragma once
// The login: shows the user who logged in last and takes the password.
// It checks nothing: the main window derives the rights from the password.

#include <QDialog>
#include <memory>

namespace Ui {
class F_Prihlaseni;
}

namespace kavro {

class F_Prihlaseni : public QDialog {
    Q_OBJECT
public:
    explicit F_Prihlaseni(QWidget* parent = nullptr);
    ~F_Prihlaseni() override;
    // Runs the dialog modally over `parent`.
    bool Create(QWidget* parent);

    // The user name shown when "Přihlásit" was pressed, and the password typed;
    // both stay empty when the dialog was left.
    QString Prihlaseny_uzivatel;
    QString Zadane_heslo;

private:
    void F_Prihlaseni_Create();
    void cb_1_Click();
    void cb_2_Click();

    std::unique_ptr<Ui::F_Prihlaseni> ui;
};

} // namespace kavro
