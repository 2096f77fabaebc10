#pragma once
// The about box: the product's name, version and maker.

#include <QDialog>
#include <memory>

namespace Ui {
class O_Aplikaci;
}

namespace kavro {

class O_Aplikaci : public QDialog {
    Q_OBJECT
public:
    explicit O_Aplikaci(QWidget* parent = nullptr);
    ~O_Aplikaci() override;
    bool Create(QWidget* parent);

private:
    void O_Aplikaci_Create() {}
    void cb_1_Click();

    std::unique_ptr<Ui::O_Aplikaci> ui;
};

} // namespace kavro
