#pragma once
// "Znovu otarifuj hovory": asks for a first and a last day (proposed: the days
// of the oldest and the newest stored call) and, on "Tarifovat", tariffs the
// calls of every day of that period again, one day after another, on a worker
// thread. The label names the day in progress; the window closes by itself
// when the last day is done, and tells the user only when something failed.
// A run cannot be stopped; "Opusť" before it closes the window and writes nothing.
#include "tariffing/znovu_otarifuj.h"

#include <QDialog>
#include <atomic>
#include <memory>

class QThread;

namespace Ui {
class Hovory_Znovu_otarifuj;
}

namespace kavro {

class Hovory_Znovu_otarifuj : public QDialog {
    Q_OBJECT
public:
    explicit Hovory_Znovu_otarifuj(QWidget* parent = nullptr);
    ~Hovory_Znovu_otarifuj() override;

    // Runs the window modally over `parent`; returns when it has closed,
    // true when a run was made.
    bool Create(QWidget* parent);

    // Fills the two date boxes with the proposed period.
    void Hovory_Znovu_otarifuj_Create();
    void cb_Tarifovat_Click();
    void cb_Cancel_Click();

    bool bezi() const { return m_bezi; }
    Znovu_otarifuj::Vysledek vysledek() const { return m_vysledek; }
    Znovu_otarifuj& logika() { return m_logika; }

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void dokonceno();

    std::unique_ptr<Ui::Hovory_Znovu_otarifuj> m_ui;
    Znovu_otarifuj m_logika;
    QThread* m_worker = nullptr;
    std::atomic<bool> m_bezi{false};
    bool m_spusteno = false;
    Znovu_otarifuj::Vysledek m_vysledek = Znovu_otarifuj::Vysledek::Hotovo;
};

} // namespace kavro
