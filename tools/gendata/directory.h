#pragma once
// A directory for a database: states, cities and subscribers, and firms,
// departments and persons holding the generated extensions with a history.
#include <QDate>
#include <QString>

namespace kavro {
class Transaction;
}

namespace kavro::gendata {

struct DirectoryOptions {
    quint32 seed = 1;          // the same seed as the call files gives the same extensions
    int extensions = 2000;
    int states = 200;          // at least this many states in the end
    int cities = 2000;         // at least this many cities in the end
    int subscribers = 50000;
    int firms = 20;
    QDate from = QDate(2023, 1, 1); // assignments start here
};

struct DirectoryResult {
    qint64 states = 0;         // rows in the tables afterwards
    qint64 cities = 0;
    qint64 subscribers = 0;
    qint64 extensions = 0;     // distinct extensions assigned
    qint64 assignments = 0;    // extension rows written
};

// Fills the connected database (values bound, one transaction, committed).
// On failure everything is rolled back and `error` says why.
bool fillDirectory(Transaction& t, const DirectoryOptions& o, DirectoryResult* result = nullptr, QString* error = nullptr);

} // namespace kavro::gendata
