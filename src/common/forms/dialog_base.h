#pragma once
// What every window of the program shares: it runs modally from Create(), and
// Esc and the close box do what its leave button does.
//
// A window class derives from Dialog and owns its generated controls:
//
//   namespace Ui { class Nastaveni_cena_impulsu; }
//   class Nastaveni_cena_impulsu : public Dialog {
//       Q_OBJECT
//   public:
//       explicit Nastaveni_cena_impulsu(QWidget* parent = nullptr);
//       ~Nastaveni_cena_impulsu() override;      // defined where Ui is complete
//       bool Create(QWidget* parent, FDX_... * record = nullptr);
//   protected:
//       void leave() override;                   // "&Opusť": roll back, finish(false)
//   private:
//       std::unique_ptr<Ui::Nastaveni_cena_impulsu> ui;
//       UnitOfWork m_prace;                      // only in windows that write
//   };
//
// A window that writes holds a UnitOfWork (platform/unit_of_work.h): its save
// button commits through it, leaving drops what is pending.
#include <QDialog>
#include <QString>

namespace kavro {

class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(QWidget* parent = nullptr);

    // Esc and the close box come here; they act as the leave button.
    void reject() override;

    // Changes written since the last save (drives the save question).
    bool zmeneno() const { return m_zmeneno; }
    void nastavZmeneno(bool zmeneno = true) { m_zmeneno = zmeneno; }

protected:
    // Runs the window modally over `parent`; true when it ended with finish(true).
    bool runModal(QWidget* parent);
    // What the leave button does; by default it ends the window unconfirmed.
    virtual void leave();
    // Ends the window: true = confirmed or saved.
    void finish(bool confirmed);
    // "Chcete změny uložit" with the window's caption: ResultYes, ResultNo
    // (or ResultCancel with withCancel).
    int askSave(bool withCancel = false);
    // The same question as a warning under the caption "V datech byly provedeny
    // změny", as the editing windows ask it when they are left.
    int askKeepChanges(bool withCancel = false);
    // A Czech message about a refused statement, with the engine's text on a second line.
    void showDbError(const QString& what, const QString& engineText);

private:
    bool m_zmeneno = false;
};

} // namespace kavro
