#include "pamet_odbc.h"
#include "common/registry_names.h"

#include <QRegularExpression>

namespace kavro {

namespace {

// The cache option: "-c", optional blanks, the digits (captured), "M" or "m".
const QRegularExpression& volbaPameti()
{
    static const QRegularExpression re(QStringLiteral("-c(\\s*)(\\d+)[Mm]"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

bool jenCislice(const QString& s)
{
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (!c.isDigit()) return false;
    return true;
}

} // namespace

QString klicZdrojeKavro()
{
    return registr::KlicZdrojeKavro;
}

QString velikostPametiZeStartu(const QString& start)
{
    const auto m = volbaPameti().match(start);
    return m.hasMatch() ? m.captured(2) : QStringLiteral("2");
}

QString startSVelikostiPameti(const QString& start, const QString& velikost)
{
    if (!jenCislice(velikost)) return start;
    const auto m = volbaPameti().match(start);
    if (!m.hasMatch()) return start + QStringLiteral(" -c") + velikost + u'M';
    QString novy = start;
    novy.replace(m.capturedStart(2), m.capturedLength(2), velikost);
    return novy;
}

} // namespace kavro
