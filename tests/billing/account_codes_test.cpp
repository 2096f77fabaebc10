// The account-code table: loading, saving new and stored entries, refused
// duplicates and deleting.
#include "billing/account_codes.h"
#include "platform/database.h"
#include "test_env.h"

#include <gtest/gtest.h>

using namespace kavro;

namespace {

class AccountCodesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ok()) << env.error().toStdString();
        ASSERT_TRUE(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES "
                                             "('B2', 'Beta', 'Eva', 'pozn.'), ('A1', 'Alfa', 'Jan', '')"));
        ASSERT_TRUE(codes.load(&list));
        ASSERT_EQ(list.size(), 2);
        if (list[0].Kod_uctu != "A1") std::swap(list[0], list[1]);
    }

    static QString row(const QString& code)
    {
        const QString r = Transaction::main().scalar(
            "SELECT Firma || '|' || Osoba || '|' || Poznamka FROM dba.ciselnik_uctovacich_kodu WHERE Kod_uctu = ?", {code});
        return r.isNull() ? QStringLiteral("(none)") : r;
    }
    static qint64 count() { return Transaction::main().scalar("SELECT count(*) FROM dba.ciselnik_uctovacich_kodu").toLongLong(); }

    test::TestEnv env;
    AccountCodes codes{Transaction::main()};
    QList<AccountCode> list; // A1, B2 as loaded
};

} // namespace

TEST_F(AccountCodesTest, LoadsEveryRowAsStored)
{
    const AccountCode& b = list[1];
    EXPECT_EQ(b.Stav, AccountCode::Stored);
    EXPECT_EQ(b.Puvodni_Kod_uctu, "B2");
    EXPECT_EQ(b.Firma + "|" + b.Osoba + "|" + b.Poznamka, "Beta|Eva|pozn.");
}

TEST_F(AccountCodesTest, NewEntryIsInsertedThenUpdatedUnderItsCode)
{
    AccountCode c;
    c.Kod_uctu = "C3";
    c.Firma = "O'Brien";
    ASSERT_TRUE(codes.save(c)) << codes.errorText().toStdString();
    EXPECT_EQ(c.Stav, AccountCode::Stored);
    EXPECT_EQ(c.Puvodni_Kod_uctu, "C3");
    EXPECT_EQ(row("C3"), "O'Brien||");
    // A changed code saved twice moves the same row.
    c.Kod_uctu = "C4";
    c.Osoba = "Iva";
    ASSERT_TRUE(codes.save(c));
    EXPECT_EQ(c.Stav, AccountCode::Resaved);
    c.Poznamka = "druhé uložení";
    ASSERT_TRUE(codes.save(c));
    EXPECT_EQ(row("C3"), "(none)");
    EXPECT_EQ(row("C4"), "O'Brien|Iva|druhé uložení");
    EXPECT_EQ(count(), 3);
}

TEST_F(AccountCodesTest, DuplicateCodeIsRefusedAndChangesNothing)
{
    // (A new entry under a taken code: the window's test.)
    AccountCode b = list[1];
    b.Kod_uctu = "A1";
    EXPECT_FALSE(codes.save(b));
    EXPECT_TRUE(codes.duplicate());
    EXPECT_EQ(codes.errorText(), AccountCodes::duplicateMessage("A1"));
    EXPECT_EQ(b.Puvodni_Kod_uctu, "B2");
    EXPECT_EQ(b.Stav, AccountCode::Stored);
    EXPECT_EQ(row("B2"), "Beta|Eva|pozn.");

    EXPECT_TRUE(codes.codeTaken("A1", "B2"));
    EXPECT_FALSE(codes.codeTaken("A1", "A1"));
    EXPECT_FALSE(codes.codeTaken("Z9", ""));
}

// An empty code is refused like a taken one, for a new entry and for a
// stored one whose code is cleared; a row stored without a code keeps it.
TEST_F(AccountCodesTest, EmptyCodeIsRefusedAndChangesNothing)
{
    AccountCode c;
    c.Kod_uctu = "  ";
    c.Firma = "Bez kódu";
    EXPECT_FALSE(codes.save(c));
    EXPECT_TRUE(codes.emptyCode());
    EXPECT_FALSE(codes.duplicate());
    EXPECT_EQ(codes.errorText(), AccountCodes::emptyCodeMessage());
    EXPECT_EQ(c.Stav, AccountCode::New);
    AccountCode a = list[0];
    a.Kod_uctu = "";
    EXPECT_FALSE(codes.save(a));
    EXPECT_TRUE(codes.emptyCode());
    EXPECT_EQ(a.Puvodni_Kod_uctu, "A1");
    EXPECT_EQ(row("A1"), "Alfa|Jan|");
    EXPECT_EQ(count(), 2);

    ASSERT_TRUE(Transaction::main().exec("INSERT INTO dba.ciselnik_uctovacich_kodu VALUES ('', 'Stará', '', '')"));
    ASSERT_TRUE(codes.load(&list));
    for (AccountCode& e : list)
        if (e.Kod_uctu.isEmpty()) {
            e.Osoba = "Ota";
            EXPECT_TRUE(codes.save(e)) << codes.errorText().toStdString();
        }
    EXPECT_EQ(row(""), "Stará|Ota|");
}

// A never-stored entry runs no statement (the window's test shows a stored empty code
// surviving it); a stored one is deleted under its stored code, not the edited one.
TEST_F(AccountCodesTest, DeletingUnderTheStoredCode)
{
    AccountCode c;
    c.Kod_uctu = "D5";
    ASSERT_TRUE(codes.save(c));
    c.Kod_uctu = "D6"; // edited but not saved: the row is still stored as D5
    ASSERT_TRUE(codes.remove(c));
    EXPECT_EQ(row("D5"), "(none)");
    EXPECT_EQ(count(), 2);
}

TEST_F(AccountCodesTest, SavingARowDeletedMeanwhileFails)
{
    ASSERT_TRUE(Transaction::main().exec("DELETE FROM dba.ciselnik_uctovacich_kodu WHERE Kod_uctu = 'A1'"));
    AccountCode a = list[0];
    a.Firma = "Nová";
    EXPECT_FALSE(codes.save(a));
    EXPECT_FALSE(codes.duplicate());
    EXPECT_FALSE(codes.errorText().isEmpty());
    EXPECT_EQ(a.Stav, AccountCode::Stored);
    EXPECT_EQ(count(), 1);
}
