#pragma once
// The demonstration installation as a new user meets it: four days of 300
// calls made in a test's folder (now fixed at 2025-04-23 09:00), connected, and
// its collector files read by "Načtení nových" with the tariffing run.
#include "demo_data.h"

#include "import/call_import.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/registry.h"
#include "tariffing/tarifovani.h"
#include "test_env.h"

#include <gtest/gtest.h>

namespace kavro::test {

inline QString demoDatabase(const TestEnv& env) { return env.dir() + QStringLiteral("/demo.db"); }

// Makes and imports the demo; `s` is the import's summary.
inline void importujDemo(const TestEnv& env, Import_hovoru::Souhrn& s)
{
    clock::setFixedNow(QDateTime(QDate(2025, 4, 23), QTime(9, 0)));
    ASSERT_TRUE(demo::create(env.dir(), demoDatabase(env), 4, 300));
    ASSERT_TRUE(Transaction::main().connectFile(demoDatabase(env)));
    auto run = Tarifovani::proImport();
    ASSERT_TRUE(run);
    Import_hovoru imp(Transaction::main());
    imp.setTariffingRun(run.get());
    Import_hovoru::Parametry p;
    p.typ_importu = 1; // "Načtení nových"
    p.adresar =
        Registry::instance().read(QStringLiteral("Software\\Dorvek\\Kavro\\Sberac"), QStringLiteral("DatovyAdresar"));
    s = imp.Vkladej_soubory(p);
}

} // namespace kavro::test
