#pragma once
// Deleting the calls of a period: proposes the whole stored period, deletes whole
// days on "Smaž" and commits.
#include <QDialog>
#include <memory>

class QLineEdit;

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

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    std::unique_ptr<Ui::Hovory_mazani> ui;
    void Hovory_mazani_Create();
    void cb_OK_Click();
    void cb_Cancel_Click();
    void Datum_od_LostFocus();
    void Datum_do_LostFocus();
    void cb_1_Click();
    void cb_2_Click();
    void ukazKalendar(QLineEdit* box);
};

} // namespace kavro
