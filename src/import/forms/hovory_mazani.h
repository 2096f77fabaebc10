#pragma once
// Deleting the calls of a period: proposes the whole stored period, deletes whole
// days on "Smaž" and commits. The date boxes normalise what is typed when they
// lose the focus and open the calendar picker on a right click and from the
// buttons cb_1 and cb_2 beside them.
#include <QDialog>
#include <memory>

namespace Ui {
class Hovory_mazani;
}

namespace kavro {

class Hovory_mazani : public QDialog {
    Q_OBJECT
public:
    static bool Create(QWidget* parent);
    explicit Hovory_mazani(QWidget* parent = nullptr);
    ~Hovory_mazani() override;

private:
    std::unique_ptr<Ui::Hovory_mazani> ui;
    void Hovory_mazani_Create();
    void cb_OK_Click();
    void cb_Cancel_Click();
};

} // namespace kavro
