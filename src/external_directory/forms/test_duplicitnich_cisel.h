#pragma once
// The duplicate-subscriber test: a small progress window that walks every
// subscriber of the external directory and reports, one message each, the
// entries whose number begins the number of another entry of the same state
// and city. Cancel in a message ends the walk; the window closes itself at
// the end. It changes nothing.
#include "common/forms/dialog_base.h"

#include <memory>

namespace Ui {
class Test_duplicitnich_cisel;
}

namespace kavro {

class Test_duplicitnich_cisel : public Dialog {
    Q_OBJECT
public:
    explicit Test_duplicitnich_cisel(QWidget* parent = nullptr);
    ~Test_duplicitnich_cisel() override;

    // Shows the window, runs the walk and closes; the number of entries reported.
    int Create(QWidget* parent);

protected:
    void leave() override;  // the walk cannot be left but by Cancel in a message

private:
    int Testuj_Cisla();

    std::unique_ptr<Ui::Test_duplicitnich_cisel> ui;
};

} // namespace kavro
