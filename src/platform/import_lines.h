#pragma once
// The lines of the directory import files: bytes in code page 1250, each line
// ended by the pair CR LF. Inside a line no control character may stand but
// the tab: a lone CR or LF means a file written with other line ends (its
// lines would run together), a NUL, an ESC and the like a damaged file; a
// field holding one would be stored garbled.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace kavro {

// The lines of a file's bytes without their CR LF; text after the last CR LF
// is a line too.
QList<QByteArray> crLfLines(const QByteArray& data);

// The place of a line's first control character (a byte below 0x20 other
// than the tab, or 0x7F; CR and LF included), -1 when it has none. The bytes
// are looked at before they are decoded, so a NUL cannot end the text early.
qsizetype firstControlChar(QByteArrayView line);

// The character in words for a message: "znak CR", "znak LF", "řídicí znak 0x1B".
QString controlCharName(char c);

// The refusal of file `path` for control character `c` on line `lineNo` (from 1).
QString controlCharRefusal(const QString& path, qsizetype lineNo, char c);

} // namespace kavro
