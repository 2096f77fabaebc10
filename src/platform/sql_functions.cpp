// Functions the program's statements use that SQLite does not have built in,
// or has with another meaning (date() must accept '1997-8-1').
#include "czech_order.h"
#include "database.h"

#include <sqlite3.h>

#include <QString>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <string>

namespace kavro {

namespace {

struct Ymd { int y = 0, m = 0, d = 0; };

// Reads digits from p while they last; false when there are none.
bool readNum(const char*& p, const char* end, int& out, int maxDigits)
{
    int n = 0, digits = 0;
    while (p < end && *p >= '0' && *p <= '9' && digits < maxDigits) {
        n = n * 10 + (*p - '0');
        ++p;
        ++digits;
    }
    out = n;
    return digits > 0;
}

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int monthDays(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : days[m - 1];
}

// "YYYY-M-D" with an optional time part; false for anything that is not a real date.
bool parseDate(const char* s, int len, Ymd& out, const char** rest = nullptr)
{
    const char* p = s;
    const char* end = s + len;
    while (p < end && *p == ' ') ++p;
    if (!readNum(p, end, out.y, 4) || p >= end || *p != '-') return false;
    ++p;
    if (!readNum(p, end, out.m, 2) || p >= end || *p != '-') return false;
    ++p;
    if (!readNum(p, end, out.d, 2)) return false;
    if (out.m < 1 || out.m > 12 || out.d < 1 || out.d > monthDays(out.y, out.m)) return false;
    if (rest) *rest = p;
    return p == end || *p == ' ' || *p == 'T';
}

// Days since 0000-03-01 in the proleptic Gregorian calendar.
long long dayNumber(int y, int m, int d)
{
    if (m <= 2) { y -= 1; m += 12; }
    return 365LL * y + y / 4 - y / 100 + y / 400 + (153 * (m - 3) + 2) / 5 + d - 1;
}

// "hh:mm[:ss]" with hours of any size; false when it is not a time.
bool parseTime(const char* p, const char* end, long long& secs)
{
    while (p < end && *p == ' ') ++p;
    int h = 0, m = 0, s = 0;
    if (!readNum(p, end, h, 9) || p >= end || *p != ':') return false;
    ++p;
    if (!readNum(p, end, m, 2)) return false;
    if (p < end && *p == ':') {
        ++p;
        if (!readNum(p, end, s, 2)) return false;
    }
    if (p < end && *p == '.') { // fractions of a second are dropped
        ++p;
        while (p < end && *p >= '0' && *p <= '9') ++p;
    }
    while (p < end && *p == ' ') ++p;
    if (p != end) return false;
    secs = 3600LL * h + 60LL * m + s;
    return true;
}

} // namespace

// Seconds of a date-time text ("YYYY-MM-DD[ hh:mm:ss]") or of a time text ("hh:mm:ss").
bool sekundyTextu(const char* s, int len, long long& out)
{
    Ymd d;
    const char* rest = nullptr;
    if (parseDate(s, len, d, &rest)) {
        long long t = 0;
        const char* end = s + len;
        if (rest < end) {
            ++rest;
            if (!parseTime(rest, end, t)) return false;
        }
        out = dayNumber(d.y, d.m, d.d) * 86400LL + t;
        return true;
    }
    return parseTime(s, s + len, out);
}

namespace {

bool toSeconds(sqlite3_value* v, long long& out)
{
    const char* s = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return s && sekundyTextu(s, sqlite3_value_bytes(v), out);
}

bool argDate(sqlite3_value* v, Ymd& d)
{
    const char* s = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return s && parseDate(s, sqlite3_value_bytes(v), d);
}

void fnArgn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc < 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const long long n = sqlite3_value_int64(argv[0]);
    if (n < 1 || n >= argc) return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, argv[n]);
}

// Day of the week, 1 Sunday .. 7 Saturday.
void fnDow(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    Ymd d;
    if (!argDate(argv[0], d)) return sqlite3_result_null(ctx);
    // 0000-03-01 was a Wednesday.
    const long long n = dayNumber(d.y, d.m, d.d);
    const int wd = int(((n + 3) % 7 + 7) % 7); // 0 Sunday
    sqlite3_result_int(ctx, wd + 1);
}

void fnYear(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    Ymd d;
    if (!argDate(argv[0], d)) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, d.y);
}

void fnMonth(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    Ymd d;
    if (!argDate(argv[0], d)) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, d.m);
}

void fnDay(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    Ymd d;
    if (!argDate(argv[0], d)) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, d.d);
}

// date(x): the date part as "YYYY-MM-DD", also of texts such as '1997-8-1'.
void fnDate(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    Ymd d;
    if (!argDate(argv[0], d)) return sqlite3_result_null(ctx);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.y, d.m, d.d);
    sqlite3_result_text(ctx, buf, 10, SQLITE_TRANSIENT);
}

// seconds(a, b): seconds from a to b; seconds(a): seconds since day 0.
void fnSeconds(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    long long a = 0, b = 0;
    if (!toSeconds(argv[0], a)) return sqlite3_result_null(ctx);
    if (argc == 1) return sqlite3_result_int64(ctx, a);
    if (!toSeconds(argv[1], b)) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, b - a);
}

// ifnull(x, a, b): a when x is NULL, else b.
void fnIfnull3(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_result_value(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[1] : argv[2]);
}

void fnCeiling(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    switch (sqlite3_value_numeric_type(argv[0])) {
    case SQLITE_NULL: return sqlite3_result_null(ctx);
    case SQLITE_INTEGER: return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
    default: {
        const double c = std::ceil(sqlite3_value_double(argv[0]));
        if (std::fabs(c) < 9.0e18) return sqlite3_result_int64(ctx, static_cast<long long>(c));
        return sqlite3_result_double(ctx, c);
    }
    }
}

void fnString(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    std::string out;
    for (int i = 0; i < argc; ++i) {
        const unsigned char* t = sqlite3_value_text(argv[i]);
        if (t) out.append(reinterpret_cast<const char*>(t), sqlite3_value_bytes(argv[i]));
    }
    sqlite3_result_text(ctx, out.data(), int(out.size()), SQLITE_TRANSIENT);
}

// List(x): the values of a group joined by ','; NULLs are left out, no rows gives NULL.
void listStep(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const unsigned char* t = sqlite3_value_text(argv[0]);
    if (!t) return;
    auto** acc = static_cast<std::string**>(sqlite3_aggregate_context(ctx, sizeof(std::string*)));
    if (!acc) return sqlite3_result_error_nomem(ctx);
    if (!*acc) *acc = new std::string;
    else (*acc)->push_back(',');
    (*acc)->append(reinterpret_cast<const char*>(t), sqlite3_value_bytes(argv[0]));
}

void listFinal(sqlite3_context* ctx)
{
    auto** acc = static_cast<std::string**>(sqlite3_aggregate_context(ctx, 0));
    if (!acc || !*acc) return sqlite3_result_null(ctx);
    sqlite3_result_text(ctx, (*acc)->data(), int((*acc)->size()), SQLITE_TRANSIENT);
    delete *acc;
    *acc = nullptr;
}

// True when the len bytes at s are all ASCII digits (and there is one at least).
bool onlyDigits(const char* s, int len)
{
    if (len <= 0) return false;
    for (int i = 0; i < len; ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

// The collation "czech" of ORDER BY ... COLLATE czech: the Czech alphabet's
// order (Č after C, Ch after H, Ř after R, Š after S, Ž after Z; accents and
// letter case decide only between otherwise equal names), and numbers inside
// texts by their value ("454" before "4688", "1/2" before "1/10"). The server
// has the same order from its ICU collation dba.czech (db/postgresql). Texts
// that differ in any byte never compare equal, so GROUP BY on the same values
// still makes one group per distinct text.
int czechCollation(void*, int n1, const void* p1, int n2, const void* p2)
{
    const char* a = static_cast<const char*>(p1);
    const char* b = static_cast<const char*>(p2);
    int r = 0;
    if (onlyDigits(a, n1) && onlyDigits(b, n2)) {
        // Extension and dialled numbers: by value, without asking the collator.
        int i = 0, j = 0;
        while (i < n1 - 1 && a[i] == '0') ++i;
        while (j < n2 - 1 && b[j] == '0') ++j;
        r = (n1 - i) - (n2 - j);
        if (r == 0) r = std::memcmp(a + i, b + j, std::size_t(n1 - i));
    } else {
        r = czechCompare(QString::fromUtf8(a, n1), QString::fromUtf8(b, n2));
    }
    if (r == 0) {
        r = std::memcmp(a, b, std::size_t(std::min(n1, n2)));
        if (r == 0) r = n1 - n2;
    }
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

} // namespace

void registerSqlFunctions(sqlite3* db)
{
    sqlite3_create_collation_v2(db, "czech", SQLITE_UTF8, nullptr, czechCollation, nullptr);
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "argn", -1, det, nullptr, fnArgn, nullptr, nullptr);
    sqlite3_create_function(db, "dow", 1, det, nullptr, fnDow, nullptr, nullptr);
    sqlite3_create_function(db, "year", 1, det, nullptr, fnYear, nullptr, nullptr);
    sqlite3_create_function(db, "month", 1, det, nullptr, fnMonth, nullptr, nullptr);
    sqlite3_create_function(db, "day", 1, det, nullptr, fnDay, nullptr, nullptr);
    sqlite3_create_function(db, "date", 1, det, nullptr, fnDate, nullptr, nullptr);
    sqlite3_create_function(db, "seconds", 1, det, nullptr, fnSeconds, nullptr, nullptr);
    sqlite3_create_function(db, "seconds", 2, det, nullptr, fnSeconds, nullptr, nullptr);
    sqlite3_create_function(db, "ifnull", 3, det, nullptr, fnIfnull3, nullptr, nullptr);
    sqlite3_create_function(db, "ceiling", 1, det, nullptr, fnCeiling, nullptr, nullptr);
    sqlite3_create_function(db, "ceil", 1, det, nullptr, fnCeiling, nullptr, nullptr);
    sqlite3_create_function(db, "string", -1, det, nullptr, fnString, nullptr, nullptr);
    sqlite3_create_function(db, "list", 1, SQLITE_UTF8, nullptr, nullptr, listStep, listFinal);
}

} // namespace kavro
