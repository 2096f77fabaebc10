#pragma once
// Shows and sets the database engine's cache size in the data source's start
// line. The program takes the new size at its next start.

#include <QDialog>
#include <memory>

namespace Ui {
class rezervovana_pamet_odbc;
}

namespace kavro {

class rezervovana_pamet_odbc : public QDialog {
    Q_OBJECT
public:
    explicit rezervovana_pamet_odbc(QWidget* parent = nullptr);
    ~rezervovana_pamet_odbc() override;
    bool Create(QWidget* parent);

private:
    void rezervovana_pamet_odbc_Create();
    void cb_1_Click();
    void cb_2_Click();
    void textb_1_Change();

    std::unique_ptr<Ui::rezervovana_pamet_odbc> ui;
};

} // namespace kavro
