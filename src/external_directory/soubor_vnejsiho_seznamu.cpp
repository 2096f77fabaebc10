#include "external_directory/soubor_vnejsiho_seznamu.h"

#include "platform/cp1250.h"
#include "platform/import_lines.h"

#include <QFile>

namespace kavro {

QString Soubor_vnejsiho_tel_seznamu::vrat_polozku(const QString& radek, int n, const QString& oddelovac)
{
    qsizetype pos = 0;
    for (int i = 0; i < n; ++i) {
        const qsizetype k = radek.indexOf(oddelovac, pos);
        if (k < 0) return QString(QLatin1String(""));
        pos = k + oddelovac.size();
    }
    const qsizetype k = radek.indexOf(oddelovac, pos);
    const QString pole = k < 0 ? radek.mid(pos) : radek.mid(pos, k - pos);
    return pole.trimmed();
}

Soubor_vnejsiho_tel_seznamu::Stav Soubor_vnejsiho_tel_seznamu::nacti(const QString& cesta)
{
    m_radky.clear();
    m_chyba.clear();
    QFile f(cesta);
    if (!f.open(QIODevice::ReadOnly)) {
        m_chyba = QStringLiteral("Soubor %1 nelze číst.\n%2").arg(cesta, f.errorString());
        return Stav::NelzeCist;
    }
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        m_chyba = QStringLiteral("Soubor %1 nelze číst.\n%2").arg(cesta, f.errorString());
        return Stav::NelzeCist;
    }
    return rozeber(data, cesta);
}

Soubor_vnejsiho_tel_seznamu::Stav Soubor_vnejsiho_tel_seznamu::rozeber(const QByteArray& data, const QString& cesta)
{
    m_radky.clear();
    m_chyba.clear();
    if (data.isEmpty()) return Stav::Nacteno;
    // A file of lines ended by LF or CR alone holds no line of this format:
    // taking it whole as one line would store garbage.
    if (data.indexOf("\r\n") < 0 && (data.indexOf('\n') >= 0 || data.indexOf('\r') >= 0)) {
        m_chyba = QStringLiteral("Soubor neobsahuje žádný řádek ukončený CR LF.\n"
                                 "Řádky souboru musí končit znaky CR LF.");
        return Stav::ZadnyRadek;
    }
    const QList<QByteArray> radky = crLfLines(data);
    // A lone CR or LF or another control character in a line refuses the
    // whole file before anything of it is taken: its fields would run across
    // lines or hold the character.
    for (qsizetype i = 0; i < radky.size(); ++i) {
        const qsizetype z = firstControlChar(radky[i]);
        if (z >= 0) {
            m_chyba = controlCharRefusal(cesta, i + 1, radky[i][z]);
            return Stav::ChybnyRadek;
        }
    }
    m_radky.reserve(size_t(radky.size()));
    for (const QByteArray& b : radky) {
        const QString radek = fromCp1250(b);
        m_radky.push_back({vrat_polozku(radek, 0), vrat_polozku(radek, 1), vrat_polozku(radek, 2)});
    }
    return Stav::Nacteno;
}

} // namespace kavro
