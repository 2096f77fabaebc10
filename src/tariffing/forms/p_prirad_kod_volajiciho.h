#pragma once
// "Přiřazuji volané účastníky k hovoru": a status window without buttons. It
// reads the site; when the home state and area are set it identifies the
// called parties and callers of every stored call again on a worker thread,
// naming each step in l_status, and closes by itself at the end. Without them
// it tells the user to set the site and closes, writing nothing. A failure is
// rolled back and reported.
#include "tariffing/reidentifikace.h"

#include <QDialog>
#include <atomic>
#include <memory>

class QLabel;
class QThread;

namespace Ui {
class P_prirad_kod_volajiciho;
}

namespace kavro {

class P_prirad_kod_volajiciho : public QDialog {
    Q_OBJECT
public:
    explicit P_prirad_kod_volajiciho(QWidget* parent = nullptr);
    ~P_prirad_kod_volajiciho() override;

    // Runs the window modally over `parent`; returns when it has closed, true
    // when the calls were identified again.
    bool Create(QWidget* parent);

    QLabel* l_status() const;
    Reidentifikace& logika() { return m_logika; }
    bool bezi() const { return m_bezi; }

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private:
    // Reads the site, then starts the worker or reports the missing site.
    // False when the window is to close at once.
    bool P_prirad_kod_volajiciho_Create();
    void nastav_parametry();
    void dokonceno();

    std::unique_ptr<Ui::P_prirad_kod_volajiciho> m_ui;
    Reidentifikace m_logika;
    QThread* m_worker = nullptr;
    std::atomic<bool> m_bezi{false};
    bool m_ok = false;
    bool m_ctenoOk = false;
};

} // namespace kavro
