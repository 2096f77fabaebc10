#pragma once
// Something that can be printed: a report the report runtime shows, or any
// other document a window hands to the printer dialog.
#include <QString>

class QPrinter;

namespace kavro {

class Printable {
public:
    virtual ~Printable() = default;
    // Prints the whole document on `printer`, which is already set up (a named
    // printer or a PDF file). False when printing failed.
    virtual bool print(QPrinter* printer) = 0;
    // True when the last print() was stopped by the user: it then printed nothing
    // (a PDF file begun is removed) and returned false.
    virtual bool cancelled() const { return false; }
    // The name of the print job.
    virtual QString documentName() const { return QStringLiteral("Kavro"); }
};

} // namespace kavro
