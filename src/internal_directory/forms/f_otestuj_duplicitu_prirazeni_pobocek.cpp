#include "internal_directory/forms/f_otestuj_duplicitu_prirazeni_pobocek.h"

#include "ui_f_otestuj_duplicitu_prirazeni_pobocek.h"

#include "internal_directory/assignment_overlaps.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "platform/unit_of_work.h"

#include <QTimer>

namespace kavro {

F_Otestuj_duplicitu_prirazeni_pobocek::F_Otestuj_duplicitu_prirazeni_pobocek(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::F_Otestuj_duplicitu_prirazeni_pobocek>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    resize(300, sizeHint().height());
}

F_Otestuj_duplicitu_prirazeni_pobocek::~F_Otestuj_duplicitu_prirazeni_pobocek() = default;

void F_Otestuj_duplicitu_prirazeni_pobocek::Create(QWidget* parent)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    show();
    QTimer::singleShot(0, this, &F_Otestuj_duplicitu_prirazeni_pobocek::F_Otestuj_duplicitu_prirazeni_pobocek_Create);
}

void F_Otestuj_duplicitu_prirazeni_pobocek::F_Otestuj_duplicitu_prirazeni_pobocek_Create()
{
    Otestuj_duplicitni_linky();
    finish(false);
}

void F_Otestuj_duplicitu_prirazeni_pobocek::leave()
{
    // The window ends by itself when the test is done.
    if (!m_bezi) finish(false);
}

void F_Otestuj_duplicitu_prirazeni_pobocek::Otestuj_duplicitni_linky()
{
    m_bezi = true;
    ui->label_1->repaint();
    AssignmentOverlaps test(Transaction::main());
    {
        // The zero-length rows go for good, whatever the test then finds.
        UnitOfWork prace;
        if (!test.smazNuloveRadky() || !prace.commit()) {
            const QString chyba = test.chyba().isEmpty() ? prace.errorText() : test.chyba();
            prace.rollback();
            showDbError(QStringLiteral("Přiřazení s nulovou platností nelze odstranit."), chyba);
        }
    }
    const bool ok = test.otestuj(
        [this](const QString& cislo) {
            ui->textb_1->setText(cislo);
            ui->textb_1->repaint();
        },
        [this](const ChybnePrirazeni& c) {
            messageBox(this, IconWarning, ButtonsOk, QStringLiteral("Chybné přiřazení"), AssignmentOverlaps::zprava(c));
        });
    if (!ok) showDbError(QStringLiteral("Přiřazení poboček nelze otestovat."), test.chyba());
    m_bezi = false;
}

} // namespace kavro
