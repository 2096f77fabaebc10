#pragma once
// Test and demonstration data: collector daily files written byte for byte as the
// collector writes them, and (directory.h) a directory of firms, extensions and
// subscribers for a database.
#include <QByteArray>
#include <QDate>
#include <functional>
#include <QList>
#include <QString>
#include <QStringList>
#include <random>

namespace kavro {
class Transaction;
}

namespace kavro::gendata {

// The called numbers are built from these codes.
struct Codes {
    QString homeState = QStringLiteral("420");
    QString longDistancePrefix = QStringLiteral("0");
    QString internationalPrefix = QStringLiteral("00");
    QStringList areaCodes;      // area codes of the home state, without the prefix
    QStringList countryCodes;   // state codes other than the home state
};

// Czech area codes and a set of country codes.
Codes builtInCodes();
// Codes from a database's ciselnik_mest / ciselnik_statu (and the site row when there
// is one); the built-in lists fill whatever the database lacks.
Codes codesFromDatabase(Transaction& t);

struct Record;

struct Options {
    quint32 seed = 1;
    QDate firstDay = QDate(2024, 3, 1);
    int days = 1;
    int callsPerDay = 1000;
    double malformedShare = 0.0;   // share of records written malformed
    QString outDir;
    int firstRecordNumber = 1;     // record numbers run on across the days
    int extensions = 2000;
    int lines = 40;                // trunk lines; the first half deliver impulses
    bool upperCaseNames = false;   // "20240315.DAT" instead of "20240315.dat"
    Codes codes = builtInCodes();
    // Called by writeFiles() with each day's records before they are written;
    // a record changed there is framed again with reframe().
    std::function<void(const QDate&, QList<Record>&)> adjustDay;
};

// The ten fields of one record as they are written (texts as CP1250 bytes).
struct Fields {
    qint32 number = 0;
    QByteArray dateTime;     // YYYY-MM-DD HH:MM:SS
    QByteArray duration;     // HH:MM:SS
    QByteArray called;
    qint32 impulses = 0;
    QByteArray transfer;     // "0" or "1"
    QByteArray extension;
    qint32 line = 0;
    QByteArray info;
    QByteArray account;
};

// The plain body of a record: the ten fields joined by ';' and ended by CR LF.
QByteArray body(const Fields& f);
// A framed, scrambled record: coding byte, length byte, body XOR coding byte.
// The body is at most 255 bytes.
QByteArray frame(const QByteArray& plainBody, quint8 coding);

struct Record {
    Fields fields;
    QByteArray plain;      // plain body
    QByteArray framed;     // bytes in the file
    bool malformed = false;
};

// Makes plain and framed again from the fields (with the record's own coding byte).
void reframe(Record& r);

// Makes the records of days; numbers run on from `number`, which is advanced.
class Generator {
public:
    explicit Generator(const Options& o);
    QList<Record> day(const QDate& d, int calls);
    const QStringList& extensionNumbers() const { return m_extensions; }
    int nextNumber() const { return m_number; }

private:
    Fields call(const QDate& d, int secondOfDay);
    QByteArray subscriber(int minDigits, int maxDigits);
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    double unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_rng); }

    Options m_o;
    std::mt19937 m_rng;
    int m_number;
    QStringList m_extensions;
};

// Name of a day's file: "YYYYMMDD.dat".
QString fileName(const QDate& d, bool upperCase = false);

struct Result {
    int files = 0;
    qint64 records = 0;
    qint64 malformed = 0;
    qint64 bytes = 0;
    QString error;
};

// Writes `days` files from `firstDay` into outDir (created). False when a file
// cannot be written.
bool writeFiles(const Options& o, Result* result = nullptr);
// Writes records as one file.
bool writeFile(const QString& path, const QList<Record>& records, QString* error = nullptr);

} // namespace kavro::gendata
