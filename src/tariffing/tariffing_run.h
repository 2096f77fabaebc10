#pragma once
// The tariffing run as the import starts it after each day and at the end.
#include <QString>
#include <functional>
#include <memory>

namespace kavro {

// The tariffing run, as the import starts it. The import calls both functions on
// its worker thread; spust() returns when the run has finished.
class TariffingRun {
public:
    virtual ~TariffingRun() = default;
    // Clears the first-run flag: the next run completes the calendar with every
    // missing call date (the import calls it at the start of each run of files).
    virtual void novy_beh() = 0;
    // Tariffs every call below stage 10. False when the run failed.
    virtual bool spust() = 0;
    // Why the last run failed, in Czech ("" when it did not).
    virtual QString zprava() const { return QString(); }
    // True when the last run failed because another program holds the database.
    virtual bool obsazeno() const { return false; }

    // Set by the import before the first run: receives the step in progress
    // ("" at the end). It is called on the thread that runs spust().
    std::function<void(const QString&)> stav;
};

// Makes the run an import starts; the import's window gets one from the
// registration of its command (an empty one: the import stores calls only).
using TariffingRunFactory = std::function<std::unique_ptr<TariffingRun>()>;

} // namespace kavro
