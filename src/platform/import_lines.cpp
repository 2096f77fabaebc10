#include "platform/import_lines.h"

namespace kavro {

QList<QByteArray> crLfLines(const QByteArray& data)
{
    QList<QByteArray> out;
    qsizetype od = 0;
    while (od < data.size()) {
        const qsizetype i = data.indexOf("\r\n", od);
        if (i < 0) {
            out << data.mid(od);
            break;
        }
        out << data.mid(od, i - od);
        od = i + 2;
    }
    return out;
}

qsizetype firstControlChar(QByteArrayView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto b = static_cast<unsigned char>(line[i]);
        if ((b < 0x20 && b != '\t') || b == 0x7F) return i;
    }
    return -1;
}

QString controlCharName(char c)
{
    if (c == '\r') return QStringLiteral("znak CR");
    if (c == '\n') return QStringLiteral("znak LF");
    const uint b = static_cast<unsigned char>(c);
    return QStringLiteral("řídicí znak 0x") + QString::number(b, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

QString controlCharRefusal(const QString& path, qsizetype lineNo, char c)
{
    return QStringLiteral("Soubor %1 nelze načíst.\nŘádek %2 obsahuje %3.\n"
                          "Řádky souboru musí končit znaky CR LF a kromě tabulátoru nesmí obsahovat řídicí znaky.")
        .arg(path)
        .arg(lineNo)
        .arg(controlCharName(c));
}

} // namespace kavro
