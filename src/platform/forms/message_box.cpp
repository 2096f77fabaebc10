#include "message_box.h"

#include "platform/forms/dialog_placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <mutex>

namespace kavro {

namespace {
std::mutex g_lock;
MessageAnswerer g_answerer;

// A Yes/No question has to be answered: Esc and the close box do nothing, as
// they did on the platform the program comes from. Qt would take them as "Ne"
// and so throw away, say, the edits of a window whose save question it is.
class Question : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool mustAnswer = false;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (mustAnswer && e->matches(QKeySequence::Cancel)) return;
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override
    {
        if (mustAnswer && !clickedButton()) {
            e->ignore();
            return;
        }
        QMessageBox::closeEvent(e);
    }
};
} // namespace

void setMessageAnswerer(MessageAnswerer answerer)
{
    std::lock_guard<std::mutex> l(g_lock);
    g_answerer = std::move(answerer);
}

int messageBox(QWidget* owner, int icon, int buttons, const QString& caption, const QString& text)
{
    MessageAnswerer answerer;
    {
        std::lock_guard<std::mutex> l(g_lock);
        answerer = g_answerer;
    }
    if (answerer) return answerer(MessageRequest{icon, buttons, caption, text});

    installDialogPlacement();
    Question box(owner);
    box.setWindowTitle(windowCaption(caption));
    box.setText(text);
    switch (icon & 0xF0) {
    case IconStop: box.setIcon(QMessageBox::Critical); break;
    case IconQuestion: box.setIcon(QMessageBox::Question); break;
    case IconWarning: box.setIcon(QMessageBox::Warning); break;
    case IconInfo: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    switch (buttons & 0x0F) {
    case ButtonsOkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Zrušit"), QMessageBox::RejectRole);
        break;
    case ButtonsYesNo:
        yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
        box.mustAnswer = true;
        break;
    case ButtonsYesNoCancel:
        yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Zrušit"), QMessageBox::RejectRole);
        break;
    default:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    }
    box.exec();
    QAbstractButton* b = box.clickedButton();
    if (b && b == yes) return ResultYes;
    if (b && b == no) return ResultNo;
    if (b && b == ok) return ResultOk;
    if (cancel) return ResultCancel;
    return no ? ResultNo : ResultOk;
}

} // namespace kavro
