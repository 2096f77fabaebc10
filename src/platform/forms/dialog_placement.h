#pragma once
// Where dialogs and message boxes open: centred over the window they belong
// to. A dialog asked for before its own window is shown (a selection asked at
// a report window's start) opens over the nearest shown window above it, else
// over the program's main window, else in the middle of the screen. A dialog
// whose caption is empty shows the program's name "Kavro".
#include <QRect>
#include <QString>

class QWidget;

namespace kavro {

// The name shown in the title bar of a dialog that has no caption of its own.
inline QString programName() { return QStringLiteral("Kavro"); }
// `caption`, or the program's name when it is empty.
QString windowCaption(const QString& caption);

// Places every dialog of the application as it is shown (once is enough;
// later calls do nothing).
void installDialogPlacement();

// The rectangle a dialog is centred on (see above).
QRect dialogAnchor(const QWidget* dialog);
// Centres `dialog` on its anchor, kept inside the anchor's screen.
void centreDialog(QWidget* dialog);

} // namespace kavro
