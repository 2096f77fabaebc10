#pragma once
// Deleting the calls of a period: proposes the whole stored period, deletes whole
// days on "Smaž" and commits.
#include "ui_hovory_mazani.h"

#include <QDialog>

class QLineEdit;

namespace kavro {

class Hovory_mazani : public QDialog, private Ui::Hovory_mazani {
    Q_OBJECT
public:
    static bool Create(QWidget* parent);
    explicit Hovory_mazani(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
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
