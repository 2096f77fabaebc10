#include "platform/forms/busy_wait_label.h"

#include <QLabel>
#include <QVariant>

namespace kavro {

namespace {
// The label's text before the wait, kept on the label itself.
constexpr char kPredCekanim[] = "kavro_text_pred_cekanim";
} // namespace

QString busyWaitText() { return QStringLiteral("Čekám na databázi, používá ji jiný program …"); }

void showBusyWait(QLabel* label, bool waiting)
{
    if (!label) return;
    const QVariant pred = label->property(kPredCekanim);
    if (waiting) {
        if (!pred.isValid()) label->setProperty(kPredCekanim, label->text());
        label->setText(busyWaitText());
    } else if (pred.isValid()) {
        label->setText(pred.toString());
        label->setProperty(kPredCekanim, QVariant());
    }
}

} // namespace kavro
