#pragma once
// A small, complete set of tariff data for tests of the tariffing run: the
// site (prefixes 00 and 0, home state 420, home area 2), states, cities,
// subscribers, zones with impulse periods, a discount, the pseudotariff,
// holidays, trunk lines and the internal directory, plus helpers to add calls
// at stage 2 and read them back.
#include <QString>
#include <QVariant>

namespace kavro::test {

// Fills every table the tariffing reads. Returns false (with the database's
// error in `error`) when an insert fails.
bool fillTariffData(QString* error = nullptr);

struct Call {
    qint64 id = 0;
    QString when;              // "YYYY-MM-DD hh:mm:ss"
    QString duration = QStringLiteral("00:01:00");
    QString number;
    int impulses = 0;
    QString extension = QStringLiteral("100");
    int line = 1;              // 1 delivers impulses, 2 does not (see fillTariffData)
};

// Inserts one call at stage 2, not charged, without any derived column.
bool addCall(const Call& c);
// A column of one call as text ("" for NULL); isNullValue tells NULL apart.
QString callValue(qint64 id, const QString& column);
bool callIsNull(qint64 id, const QString& column);
// The day type of a calendar date (0 when it has no row).
int dayType(const QString& date);
qint64 countWhere(const QString& table, const QString& condition);

} // namespace kavro::test
