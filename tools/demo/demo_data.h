#pragma once
// A demonstration installation (also the data of the end-to-end tests).
#include <QString>

namespace kavro {
class Transaction;
}

namespace kavro::demo {

// Site of the exchange (Praha, prefixes "00" and "0"), pseudotariff, impulse
// periods of every zone, an impulse price and the public holidays; committed.
bool fillTariffTables(Transaction& t);

// Creates the database `dbPath` with the tariff tables and a small directory,
// writes `days` daily files (the last ones before today) into folder/sberac,
// points the instance's "DatovyAdresar" there and makes those days the period
// the dialogs offer first. False with a message on stderr.
bool create(const QString& folder, const QString& dbPath, int days = 30, int callsPerDay = 400);

} // namespace kavro::demo
