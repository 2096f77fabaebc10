#pragma once
// The overlap test of extension assignments: a small modeless window that
// removes the zero-length assignment rows (and keeps that), then walks the
// extension rows showing the number being tested, warns about each extension
// held by two firms or two departments at one moment, and closes itself.
#include "common/forms/dialog_base.h"

#include <memory>

namespace Ui { class F_Otestuj_duplicitu_prirazeni_pobocek; }

namespace kavro {

class F_Otestuj_duplicitu_prirazeni_pobocek : public Dialog {
    Q_OBJECT
public:
    explicit F_Otestuj_duplicitu_prirazeni_pobocek(QWidget* parent = nullptr);
    ~F_Otestuj_duplicitu_prirazeni_pobocek() override;

    // Shows the window and starts the test as soon as the window is up; the
    // window closes itself at the end.
    void Create(QWidget* parent);

    void F_Otestuj_duplicitu_prirazeni_pobocek_Create();
    void Otestuj_duplicitni_linky();

    // True while the test runs.
    bool bezi() const { return m_bezi; }

protected:
    void leave() override;

private:
    std::unique_ptr<Ui::F_Otestuj_duplicitu_prirazeni_pobocek> ui;
    bool m_bezi = false;
};

} // namespace kavro
