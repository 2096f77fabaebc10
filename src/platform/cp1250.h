#pragma once
// Texts of the collector's files and of directory imports are in code page 1250.
#include <QByteArray>
#include <QString>

namespace kavro {

QString fromCp1250(const char* data, qsizetype size);
inline QString fromCp1250(const QByteArray& b) { return fromCp1250(b.constData(), b.size()); }
// Characters with no place in the code page become '?'.
QByteArray toCp1250(const QString& s);

} // namespace kavro
