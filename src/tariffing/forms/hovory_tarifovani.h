#pragma once
// The small progress window of a tariffing run ("Otarifováni hovorů"). Create()
// shows it modally, runs the whole tariffing on a worker thread, shows the
// step in progress in l_status and closes when the run is over; a run that
// could not tariff tells the user why. The object keeps its Tarifovani between
// runs, so a window that owns one Hovory_tarifovani and runs it repeatedly
// gets the calendar retyped by every run after the first.
#include "tariffing/tarifovani.h"

#include <QDialog>
#include <atomic>
#include <memory>

class QLabel;
class QThread;

namespace Ui {
class Hovory_tarifovani;
}

namespace kavro {

class Hovory_tarifovani : public QDialog {
    Q_OBJECT
public:
    explicit Hovory_tarifovani(QWidget* parent = nullptr);
    ~Hovory_tarifovani() override;

    // Runs one tariffing with this window as a modal child of `parent`;
    // returns when the window has closed (on the user-interface thread only).
    Tarifovani::Vysledek Create(QWidget* parent);

    // The window over a run that another worker does (the call import runs the
    // tariffing on its own worker after each day): ukazBeh() shows it over
    // `parent` (which stays blocked while it is open), nastavStav() shows the
    // step in progress, skonciBeh() closes it. User-interface thread only.
    void ukazBeh(QWidget* parent);
    void nastavStav(const QString& text);
    void skonciBeh();

    Tarifovani& tarifovani() { return m_tarifovani; }
    bool bezi() const { return m_bezi; }
    QLabel* l_status() const;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private:
    // Starts the worker that runs tarifikuj().
    void Hovory_tarifovani_Create();

    std::unique_ptr<Ui::Hovory_tarifovani> m_ui;
    Tarifovani m_tarifovani;
    QThread* m_worker = nullptr;
    std::atomic<bool> m_bezi{false};
    Tarifovani::Vysledek m_vysledek = Tarifovani::Vysledek::Hotovo;
};

} // namespace kavro
