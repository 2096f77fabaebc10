#pragma once
// Small text operations shared by many forms. The operations bound to widgets
// (calendar picker, stepping a date or time box, path of a tree item) live in
// common/forms/knihovna_okna.h in the same namespace.
#include <QString>

namespace kavro::knihovna {

// The text padded with blanks on the right to n characters, then cut to its
// first n characters (always exactly n characters; empty for n <= 0).
QString uprav_delku(const QString& text, int n);

// The date text of a date box stepped by n days: the text is first normalised
// (cl_Datum::test_datumu), then stepped; the result is "RRRR-MM-DD", held
// between 0000-01-01 and 9999-12-31.
QString uprav_datum_text(const QString& text, int n);

// The time text of a time box stepped by n seconds: the text is first
// normalised (cl_Datum::test_casu with an empty text meaning 00:00:00), then
// stepped with the wrap at midnight; the result is "hh:mm:ss".
QString uprav_cas_text(const QString& text, int n);

} // namespace kavro::knihovna
