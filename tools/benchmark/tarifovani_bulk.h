#pragma once
// A large, realistic data set for measuring the tariffing: about 260 states,
// 2,100 cities, 50,000 subscribers, 2,000 extensions with three assignments
// each, zones with periods and discounts, and any number of calls at stage 2
// spread over one year.
#include <QString>

namespace kavro::benchmark {

// Fills the directories and tariff tables (replacing the sample directory).
bool fillLargeDirectories(QString* error = nullptr);
// Adds `count` calls at stage 2 with ids from `firstId` on; deterministic.
bool addGeneratedCalls(qint64 firstId, qint64 count, QString* error = nullptr);

} // namespace kavro::benchmark
