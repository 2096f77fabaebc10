#pragma once
// The calendar picker "Kalendář": a month calendar; a double click on a day
// picks it and closes the window, the close box leaves without a pick.
#include <QDialog>

#include <memory>

class QDate;

namespace Ui { class cl_Ukaz_kalendar; }

namespace kavro {

// A date carried into and out of the calendar.
struct SDatum {
    short den = 1;
    short mesic = 1;
    int rok = 2000;
};

class cl_Ukaz_kalendar : public QDialog {
    Q_OBJECT
public:
    explicit cl_Ukaz_kalendar(QWidget* parent = nullptr);
    ~cl_Ukaz_kalendar() override;

    // Runs the calendar modally on *datum; when the user picks a day, *datum
    // holds it afterwards, otherwise it is left unchanged. True when a day was picked.
    bool Create(QWidget* parent, SDatum* datum);

    void cl_Ukaz_kalendar_Create();
    void ctDate_1_DblClick(const QDate& date);

private:
    std::unique_ptr<Ui::cl_Ukaz_kalendar> ui;
    SDatum* m_datum = nullptr;
    int m_den = 0;   // day and month at the last double click
    int m_mesic = 0;
    bool m_vybrano = false;
};

} // namespace kavro
