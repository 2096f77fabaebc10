#pragma once
// Message boxes with the codes the program has always used:
// icons 0x10 stop, 0x20 question, 0x30 warning, 0x40 information;
// buttons 0 OK, 1 OK/Cancel, 4 Yes/No, 3 Yes/No/Cancel;
// results 1 OK, 2 Cancel, 6 Yes, 7 No.
// Esc and the close box answer Cancel where the box has it, OK in a box of
// OK alone; a Yes/No question ignores both and waits for "Ano" or "Ne".
#include <QString>
#include <functional>

class QWidget;

namespace kavro {

enum MsgIcon { IconStop = 0x10, IconQuestion = 0x20, IconWarning = 0x30, IconInfo = 0x40 };
enum MsgButtons { ButtonsOk = 0, ButtonsOkCancel = 1, ButtonsYesNoCancel = 3, ButtonsYesNo = 4 };
enum MsgResult { ResultOk = 1, ResultCancel = 2, ResultYes = 6, ResultNo = 7 };

struct MessageRequest {
    int icon = 0;
    int buttons = 0;
    QString caption;
    QString text;
};

// Shows a modal box on the user-interface thread and returns the code of the button pressed.
int messageBox(QWidget* owner, int icon, int buttons, const QString& caption, const QString& text);

// Tests answer boxes instead of showing them. An empty function shows boxes again.
using MessageAnswerer = std::function<int(const MessageRequest&)>;
void setMessageAnswerer(MessageAnswerer answerer);

} // namespace kavro
