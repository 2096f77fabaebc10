#pragma once
// A small modeless window beside the import window: what a file for the
// external directory import must look like. "Zavři", Esc and the close box
// close it; the import window opens it again with "Info".
#include "common/forms/dialog_base.h"

#include <memory>

namespace Ui {
class Info_o_importu;
}

namespace kavro {

class Info_o_importu : public Dialog {
    Q_OBJECT
public:
    explicit Info_o_importu(QWidget* parent = nullptr);
    ~Info_o_importu() override;

    // Shows the window beside its parent and returns at once; a window that
    // is open already comes to the front.
    void Create(QWidget* parent);

private:
    std::unique_ptr<Ui::Info_o_importu> ui;
};

} // namespace kavro
