#include "common/forms/dialog_base.h"

#include "platform/forms/dialog_placement.h"
#include "platform/forms/message_box.h"

namespace kavro {

Dialog::Dialog(QWidget* parent) : QDialog(parent) { installDialogPlacement(); }

void Dialog::reject() { leave(); }

void Dialog::leave() { finish(false); }

void Dialog::finish(bool confirmed) { QDialog::done(confirmed ? QDialog::Accepted : QDialog::Rejected); }

bool Dialog::runModal(QWidget* parent)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    return exec() == QDialog::Accepted;
}

int Dialog::askSave(bool withCancel)
{
    return messageBox(this, IconQuestion, withCancel ? ButtonsYesNoCancel : ButtonsYesNo, windowTitle(),
                      QStringLiteral("Chcete změny uložit"));
}

int Dialog::askKeepChanges(bool withCancel)
{
    return messageBox(this, IconWarning, withCancel ? ButtonsYesNoCancel : ButtonsYesNo,
                      QStringLiteral("V datech byly provedeny změny"), QStringLiteral("Chcete změny uložit"));
}

void Dialog::showDbError(const QString& what, const QString& engineText)
{
    QString text = what;
    if (!engineText.isEmpty()) text += QLatin1Char('\n') + engineText;
    messageBox(this, IconStop, ButtonsOk, windowTitle(), text);
}

} // namespace kavro
