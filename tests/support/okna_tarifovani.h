#pragma once
// What the tests of the tariffing windows share: a fresh database holding the
// tariff data, the message boxes a window shows, and local calls tariffed once.
#include "tariffing/tarifovani.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"
#include "tarifovani_data.h"
#include "test_env.h"

#include <QtTest>
#include <memory>

namespace kavro::test {

class OknaTarifovani {
public:
    // The boxes shown since start(), each answered "OK".
    QList<MessageRequest> boxes;

    // For init(): the database with the tariff data committed.
    void start()
    {
        m_env = std::make_unique<TestEnv>();
        QVERIFY2(m_env->ok(), qPrintable(m_env->error()));
        QString error;
        QVERIFY2(fillTariffData(&error), qPrintable(error));
        QVERIFY(Transaction::main().commit());
        boxes.clear();
        setMessageAnswerer([this](const MessageRequest& r) {
            boxes << r;
            return int(ResultOk);
        });
    }
    // For cleanup().
    void stop()
    {
        setMessageAnswerer({});
        m_env.reset();
    }

private:
    std::unique_ptr<TestEnv> m_env;
};

// Local calls to 2345678 at `when` (ids 1, 2, ...), tariffed: each finds the
// subscriber 23456. With `odejdeUcastnik` that subscriber then leaves the
// directory, so a call identified again finds the shorter 2345 instead.
inline void tarifovaneMistniHovory(const QStringList& when, bool odejdeUcastnik)
{
    for (int i = 0; i < when.size(); ++i)
        QVERIFY(addCall({.id = i + 1, .when = when[i], .number = QStringLiteral("2345678")}));
    Tarifovani t;
    QCOMPARE(t.tarifikuj(), Tarifovani::Vysledek::Hotovo);
    QCOMPARE(callValue(1, QStringLiteral("cislo_ucastnika")), QStringLiteral("23456"));
    if (!odejdeUcastnik) return;
    QVERIFY(Transaction::main().exec(QStringLiteral("DELETE FROM dba.ciselnik_ucastniku WHERE cislo_ucastnika = '23456'")));
    QVERIFY(Transaction::main().commit());
}

} // namespace kavro::test
