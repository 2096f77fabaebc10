#pragma once
// The shared set-up of the tariffing's GoogleTest cases: a fresh database with
// the tariff data of tarifovani_data.h committed, and the calls' columns read back.
#include "tarifovani_data.h"
#include "test_env.h"

#include "platform/database.h"
#include "tariffing/tarifovani.h"

#include <gtest/gtest.h>

namespace kavro::test {

class TarifovaniFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        QString error;
        ASSERT_TRUE(fillTariffData(&error)) << error.toStdString();
        ASSERT_TRUE(Transaction::main().commit());
    }

    // One whole tariffing run, which must end well.
    static void otarifuj()
    {
        Tarifovani t;
        ASSERT_EQ(t.tarifikuj(), Tarifovani::Vysledek::Hotovo) << t.message().toStdString();
    }

    static QString v(qint64 id, const char* column) { return callValue(id, QString::fromLatin1(column)); }
    static bool isNull(qint64 id, const char* column) { return callIsNull(id, QString::fromLatin1(column)); }

    TestEnv env;
};

} // namespace kavro::test
