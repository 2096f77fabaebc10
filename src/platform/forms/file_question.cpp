#include "platform/forms/file_question.h"

#include <QFileDialog>
#include <mutex>

namespace kavro {

namespace {
std::mutex g_lock;
FileAnswerer g_answerer;
}

void setFileAnswerer(FileAnswerer answerer)
{
    std::lock_guard<std::mutex> l(g_lock);
    g_answerer = std::move(answerer);
}

QString askFile(QWidget* owner, const FileQuestion& q)
{
    FileAnswerer answerer;
    {
        std::lock_guard<std::mutex> l(g_lock);
        answerer = g_answerer;
    }
    if (answerer) return answerer(q);
    switch (q.kind) {
    case FileQuestion::SaveFile:
        return QFileDialog::getSaveFileName(owner, q.caption, q.dir, q.filter);
    case FileQuestion::Folder:
        return QFileDialog::getExistingDirectory(owner, q.caption, q.dir);
    case FileQuestion::OpenFile:
    default:
        return QFileDialog::getOpenFileName(owner, q.caption, q.dir, q.filter);
    }
}

} // namespace kavro
