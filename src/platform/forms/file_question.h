#pragma once
// The program's questions for a file or a folder, in one place so that tests
// can answer them (like message boxes) instead of showing a dialog.
#include <QString>
#include <functional>

class QWidget;

namespace kavro {

struct FileQuestion {
    enum Kind { OpenFile, SaveFile, Folder };
    Kind kind = OpenFile;
    QString caption;
    QString dir;     // the folder shown first (a file name in it for SaveFile)
    QString filter;  // "Textové soubory (*.txt)"; empty = every file
};

// Shows the question modally over `owner`; the chosen path, "" when cancelled.
QString askFile(QWidget* owner, const FileQuestion& question);

// Tests answer the questions instead; an empty function shows dialogs again.
using FileAnswerer = std::function<QString(const FileQuestion&)>;
void setFileAnswerer(FileAnswerer answerer);

} // namespace kavro
