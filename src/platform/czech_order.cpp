#include "czech_order.h"

#include <QCollator>
#include <QLocale>

namespace kavro {

int czechCompare(const QString& a, const QString& b)
{
    // One collator per thread: the workers sort too.
    thread_local const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    return collator.compare(a, b);
}

} // namespace kavro
