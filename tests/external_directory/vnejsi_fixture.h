#pragma once
// What the external directory's tests share: a database with the small tariff
// data set (site 00 / 0, home state 420, home area 2, Prague's subscribers
// 2345, 23456 and 777), tariffed calls to given numbers, and the directory
// tree's items by their text.
#include "common/tree_model.h"
#include "platform/database.h"
#include "tariffing/tarifovani.h"
#include "tarifovani_data.h"
#include "test_env.h"

#ifdef QT_TESTLIB_LIB
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#endif

namespace kavro::test {

// The tariff data set committed into `env`'s database: "" or what went wrong.
inline QString naplnSeznam(TestEnv& env)
{
    QString error;
    if (!env.ok()) return env.error();
    if (!fillTariffData(&error)) return error;
    return Transaction::main().commit() ? QString() : QStringLiteral("commit failed");
}

// Calls of 3 impulses to `cisla` on 2024-03-05 from 10:01 on (ids from 1), tariffed.
inline bool volej(std::initializer_list<const char*> cisla)
{
    qint64 id = 1;
    for (const char* c : cisla) {
        Call h;
        h.id = id;
        h.when = QString("2024-03-05 10:%1:00").arg(id++, 2, 10, QChar('0'));
        h.number = c;
        h.impulses = 3;
        h.duration = "00:02:00";
        if (!addCall(h)) return false;
    }
    Tarifovani t;
    return t.tarifikuj() == Tarifovani::Vysledek::Hotovo;
}

inline QString hodnota(const QString& sql, const QVariantList& p = {}) { return Transaction::main().scalar(sql, p); }

// The item of a level by the start of its text under `parent`.
inline QModelIndex polozka(LazyTreeModel* m, const QString& zacatek, const QModelIndex& parent = {})
{
    m->ensureLoaded(parent);
    for (int r = 0; r < m->rowCount(parent); ++r)
        if (m->index(r, 0, parent).data().toString().startsWith(zacatek)) return m->index(r, 0, parent);
    return {};
}

inline QStringList texty(LazyTreeModel* m, const QModelIndex& parent = {})
{
    QStringList out;
    for (int r = 0; r < m->rowCount(parent); ++r) out << m->index(r, 0, parent).data().toString().trimmed();
    return out;
}

#ifdef QT_TESTLIB_LIB
// Types into a box key by key where the text is ASCII (through the box's validator), else inserts it whole.
inline void napis(QWidget* d, const char* box, const QString& text)
{
    auto* e = d->findChild<QLineEdit*>(box);
    QVERIFY2(e, box);
    e->clear();
    bool ascii = true;
    for (QChar c : text) ascii &= c.unicode() < 128;
    if (ascii) QTest::keyClicks(e, text);
    else e->insert(text);
}

inline void klikni(QWidget* d, const char* button)
{
    auto* b = d->findChild<QPushButton*>(button);
    QVERIFY2(b && b->isEnabled(), button);
    b->click();
}
#endif

} // namespace kavro::test
