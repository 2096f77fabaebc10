#pragma once
// A report object of the report library: one declarative file in reports/,
// named after the object ("vyuctovani_firma.sestava").
//
//   # a comment line
//   [sestava]
//   titulek = Vyúčtování hovorů po firmách      (title printed above the rows)
//   hlavicka = :jmeno_uzivatele                 (header lines, :argument replaced; any number)
//   argument = datum_od text                    (retrieval arguments in order: name, text|cislo)
//   skupina = firma                             (optional: column whose changes end a group)
//   [sloupce]                                   (the Select's result columns, in its order)
//   firma = text | Firma                        (name = kind | title [| soucet])
//   pocet = cislo | Hovorů | soucet             (kinds: text, cislo, cas (seconds), kc (haléře))
//   [select]
//   SELECT ... WHERE ... ('X'='X') ...          (the Select; :name stands for an argument)
//
// Windows narrow a Select by replacing its placeholder condition 'X'='X'.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace kavro {

struct ReportArgument {
    QString name;
    bool number = false; // "cislo": bound as a whole number, else as text
};

struct ReportColumn {
    enum Kind { Text, Number, Duration, Money };
    QString name;   // the Select's column name (its alias)
    QString title;  // Czech column title
    Kind kind = Text;
    bool sum = false; // summed in group and grand totals
};

struct ReportObject {
    QString name;               // object name (the file's base name)
    QString file; // the file it was read from ("" when not from the library)
    QString title;
    QStringList header;         // header lines with :argument references
    QList<ReportArgument> arguments;
    QString groupColumn;        // empty: no groups
    QList<ReportColumn> columns;
    QString select;

    // The placeholder condition a window replaces to narrow the Select.
    static QString placeholder() { return QStringLiteral("'X'='X'"); }

    // Parses the text of a report file; false with a Czech reason in `error`.
    static bool parse(const QString& text, ReportObject* out, QString* error);
    int columnIndex(const QString& name) const; // -1 when there is none
    bool hasSums() const;
    // The text of a value of column `col` as the report shows it.
    QString format(int col, const QVariant& value) const;
};

// The report library: the folder with the report files. Its place is the
// environment variable KAVRO_REPORTS_DIR when set, else the folder compiled in.
class ReportLibrary {
public:
    static QString folder();
    static void setFolder(const QString& folder); // tests; "" returns to the default
    // Every object name in the library, sorted.
    static QStringList names();
    // Reads the object `name` (exact name first, then regardless of letter case).
    static bool load(const QString& name, ReportObject* out, QString* error);
};

// Seconds as "h:mm:ss" (hours may pass 24); haléře as Kč with two decimals "1234,50".
QString formatDuration(qint64 seconds);
QString formatMoney(qint64 halere);

} // namespace kavro
