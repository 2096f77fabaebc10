#pragma once
// The file of an external directory: text in code page 1250, one entry a line,
// lines ending with CR LF, up to three fields separated by "," (called number
// with its prefix, description, subscriber), each trimmed, a missing one
// empty, fields after the third ignored. A last line without CR LF counts as
// a line. A line holding a lone CR or LF or another control character but
// the tab refuses the whole file (see platform/import_lines.h).
#include <QByteArray>
#include <QString>
#include <vector>

namespace kavro {

struct Radek_souboru {
    QString cislo;  // the called number as written
    QString popis;  // description of the number
    QString firma;  // the subscriber
};

class Soubor_vnejsiho_tel_seznamu {
public:
    // ZadnyRadek: no line ends with CR LF (LF or CR alone); ChybnyRadek: a
    // line holds a control character. Unless Nacteno, radky() is empty.
    enum class Stav { Nacteno, NelzeCist, ZadnyRadek, ChybnyRadek };

    // Reads the file (read-only). The lines are in radky() afterwards.
    Stav nacti(const QString& cesta);
    // The same for bytes already read; `cesta` names the file in messages.
    Stav rozeber(const QByteArray& data, const QString& cesta = QString());

    const std::vector<Radek_souboru>& radky() const { return m_radky; }
    // What went wrong, in Czech ("" after a good read).
    QString chyba() const { return m_chyba; }

    // Field n (from 0) of one line without its CR LF, trimmed; "" when the line has fewer.
    static QString vrat_polozku(const QString& radek, int n, const QString& oddelovac = QStringLiteral(","));

private:
    std::vector<Radek_souboru> m_radky;
    QString m_chyba;
};

} // namespace kavro
