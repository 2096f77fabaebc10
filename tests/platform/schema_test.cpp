// The database built from db/: every relation the program names is there with
// the columns its statements use, codes keep their leading zeros, numbers
// compare quoted and unquoted, the read-only views answer, and the reference
// data that comes with the database hangs together.
#include "platform/database.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using kavro::Query;
using kavro::Transaction;

namespace {

QString one(const QString& sql, const QVariantList& params = {})
{
    return Transaction::main().scalar(sql, params);
}

bool run(const QString& sql, const QVariantList& params = {})
{
    Transaction& t = Transaction::main();
    const bool ok = t.exec(sql, params);
    EXPECT_TRUE(ok) << sql.toStdString() << ": " << t.lastErrorText().toStdString();
    return ok;
}

class Schema : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ok()) << env.error().toStdString(); }
    kavro::test::TestEnv env;
};

} // namespace

// Each relation with the columns the statements of the program name, spelled
// as they spell them: a missing column fails the SELECT.
TEST_F(Schema, EveryRelationHasTheColumnsTheStatementsUse)
{
    const std::vector<std::pair<const char*, const char*>> relations = {
        {"hovory",
         "id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
         "ustredna_pocet_impulsu, ustredna_prepojeni, tarifovat_hovor, ustredna_cislo_pobocky, "
         "status_hovoru, ustredna_cislo_linky, doplnkova_informace, kod_uctu, typ_hovoru, kod_statu, "
         "kod_mesta, cislo_ucastnika, id_pasma, program_pocet_impulsu, id_firmy, id_oddeleni, popis_osob"},
        {"kalendar", "datum, typ_dne"},
        {"tarifni_vysilace", "ustredna_cislo_linky, zapojen"},
        {"konfigurace_mista", "mezistatni_predvolba, mezimestska_predvolba, kod_statu, kod_mesta, ID_mista"},
        {"casy_pseudotarifu", "typ_hovoru, typ_casu, cas, pocatek_platnosti, konec_platnosti"},
        {"vazba_tto_tto", "volajici_tto, volane_tto, id_pasma"},
        {"ciselnik_pasem", "id_pasma, nazev_pasma, typ_pasma"},
        {"perioda_impulsu", "id_pasma, Pocatek_platnosti, Konec_platnosti, Od_casu, Do_casu, perioda, Typ_dne"},
        {"zlevnene_volani", "Kod_statu, pocatek_platnosti, konec_platnosti, od_casu, do_casu, perioda, typ_dne"},
        {"cena_impulsu", "id_ceny, Pocatek_platnosti, Konec_platnosti, Cena_Impulsu, Typ_ceny"},
        {"pevne_svatky", "id_svatku, den, Mesic, Nazev, Rok"},
        {"prirazeni_pobocek",
         "Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, ID_Oddeleni, ID_Osoby, Dohled"},
        {"ciselnik_firem",
         "ID_Firmy, nazev_firmy, utvar, ulice, PSC, obec, ICO, DIC, procentualni_navyseni, pausalni_poplatek"},
        {"ciselnik_oddeleni", "ID_Oddeleni, nazev_oddeleni, ID_Firmy"},
        {"ciselnik_osob", "ID_Osoby, prijmeni, jmeno, titul, Funkce, Poznamka, ID_Firmy, ID_Oddeleni"},
        {"ciselnik_statu", "kod_statu, nazev_statu, id_pasma"},
        {"ciselnik_mest", "kod_statu, kod_mesta, nazev_mesta, id_pasma, Cislo_TTO"},
        {"ciselnik_ucastniku", "kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, Firma, Soukrome"},
        {"ciselnik_uctovacich_kodu", "Kod_uctu, Firma, Osoba, Poznamka"},
        {"p_import_ext_seznamu", "Volane_cislo, Popis, firma, kod_statu, kod_mesta, kod_volane_cislo, typ_volani"},
        {"cetnost_volani", "ustredna_volane_cislo, kod_statu, kod_mesta, pocet, stat, mesto"},
        {"kdo_volal", "ID_hovoru, ID_firmy, ID_oddeleni, ID_osoby, Soukrome, firma, oddeleni, Kdo_volal"},
    };
    for (const auto& [table, columns] : relations) {
        Query q;
        q.setSQL(QStringLiteral("SELECT %1 FROM dba.%2").arg(QLatin1String(columns), QLatin1String(table)));
        EXPECT_TRUE(q.run()) << table << ": " << q.lastErrorText().toStdString();
    }
    // The two relations the program only reads are views, not tables it could write.
    EXPECT_EQ(one(kavro::test::onServer()
                      ? QStringLiteral("SELECT count(*) FROM information_schema.views WHERE table_schema = 'dba' "
                                       "AND table_name IN ('kdo_volal', 'cetnost_volani')")
                      : QStringLiteral("SELECT count(*) FROM dba.sqlite_master WHERE type = 'view' "
                                       "AND name IN ('kdo_volal', 'cetnost_volani')")),
              QStringLiteral("2"));
}

TEST_F(Schema, CodesKeepLeadingZerosAndNumbersCompareQuotedOrNot)
{
    run(QStringLiteral("INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, "
                       "ustredna_volane_cislo, ustredna_pocet_impulsu, ustredna_prepojeni, tarifovat_hovor, "
                       "ustredna_cislo_pobocky, status_hovoru, ustredna_cislo_linky, doplnkova_informace, kod_uctu) "
                       "VALUES ('000000123', '1999-03-15 10:00:00', '00:01:05', '0049301234', '0', '0', '0', "
                       "'0123', '2', '07', '', '0042')"));
    EXPECT_EQ(one(QStringLiteral("SELECT ustredna_cislo_pobocky || '/' || ustredna_cislo_linky || '/' || kod_uctu "
                                 "|| '/' || ustredna_volane_cislo || '/' || ustredna_prepojeni FROM dba.hovory")),
              QStringLiteral("0123/07/0042/0049301234/0"));
    // The record number is a number: the import's duplicate test finds it however it is written,
    // and a second insert of the same number is refused.
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE id_hovoru = '123'")), QStringLiteral("1"));
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE id_hovoru = ?"), {123}), QStringLiteral("1"));
    EXPECT_FALSE(Transaction::main().exec(QStringLiteral("INSERT INTO dba.hovory (id_hovoru) VALUES ('123')")));
    // Stages and charge marks are written quoted and compared unquoted.
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.hovory WHERE status_hovoru = 2 AND tarifovat_hovor = 0 "
                                 "AND ustredna_pocet_impulsu = 0 AND ustredna_delka_hovoru > '00:01:00'")),
              QStringLiteral("1"));

    run(QStringLiteral("INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta, id_pasma, Cislo_TTO) "
                       "VALUES (?, ?, ?, ?, ?)"),
        {QStringLiteral("0420"), QStringLiteral("0019"), QStringLiteral("Zkušební"), QStringLiteral("9999"),
         QStringLiteral("9999")});
    run(QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, "
                       "Firma) VALUES ('0420', '0019', '0123', 'Vrátnice', 'Dorvek')"));
    run(QStringLiteral("INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, "
                       "ID_firmy, ID_Oddeleni, ID_Osoby) VALUES ('0123', '1999-01-01 00:00:00', "
                       "'9999-12-31 23:59:59', '9999', '9999', '9999')"));
    run(QStringLiteral("INSERT INTO dba.konfigurace_mista (mezistatni_predvolba, mezimestska_predvolba, kod_statu, "
                       "kod_mesta, ID_mista) VALUES ('00', '0', '420', '2', 'Výchozí')"));
    run(QStringLiteral("INSERT INTO dba.ciselnik_uctovacich_kodu (Kod_uctu, Firma) VALUES ('0042', 'Dorvek')"));
    EXPECT_EQ(one(QStringLiteral("SELECT kod_statu || kod_mesta FROM dba.ciselnik_mest WHERE nazev_mesta = ?"),
                  {QStringLiteral("Zkušební")}),
              QStringLiteral("04200019"));
    EXPECT_EQ(one(QStringLiteral("SELECT Cislo_ucastnika FROM dba.ciselnik_ucastniku WHERE kod_mesta = '0019'")),
              QStringLiteral("0123"));
    EXPECT_EQ(one(QStringLiteral("SELECT mezistatni_predvolba || '|' || mezimestska_predvolba "
                                 "FROM dba.konfigurace_mista")),
              QStringLiteral("00|0"));
    // An extension written with a leading zero is matched with the call's extension as text.
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.hovory, dba.prirazeni_pobocek pp "
                                 "WHERE pp.cislo_pobocky = hovory.ustredna_cislo_pobocky "
                                 "AND hovory.ustredna_datum_a_cas BETWEEN pp.pocatek_platnosti AND konec_platnosti")),
              QStringLiteral("1"));
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.hovory, dba.ciselnik_uctovacich_kodu k "
                                 "WHERE k.Kod_Uctu = hovory.kod_uctu")),
              QStringLiteral("1"));
    // Zones and the ids of the directory: 9999 and '9999' are the same value.
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '0420' "
                                 "AND id_pasma = 9999 AND id_pasma = '9999' AND Cislo_TTO = 9999")),
              QStringLiteral("1"));
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.prirazeni_pobocek "
                                 "WHERE ID_firmy = 9999 AND ID_Oddeleni = '9999' AND Cislo_pobocky = '0123'")),
              QStringLiteral("1"));
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.ciselnik_pasem WHERE id_pasma = '9999'")),
              one(QStringLiteral("SELECT count(*) FROM dba.ciselnik_pasem WHERE id_pasma = 9999")));
    // Defaults that the program relies on when it writes no value.
    EXPECT_EQ(one(QStringLiteral("SELECT Dohled FROM dba.prirazeni_pobocek")), QStringLiteral("-"));
    EXPECT_EQ(one(QStringLiteral("SELECT Soukrome FROM dba.ciselnik_ucastniku")), QStringLiteral("F"));
    // A subscriber is stored once per state, area and number.
    EXPECT_FALSE(Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika) VALUES ('0420', '0019', '0123')")));
}

TEST_F(Schema, GeneratedIdsFollowTheGreatestOne)
{
    run(QStringLiteral("INSERT INTO dba.ciselnik_firem (nazev_firmy) VALUES ('Dorvek')"));
    const QString first = one(QStringLiteral("SELECT max(ID_Firmy) FROM dba.ciselnik_firem"));
    run(QStringLiteral("INSERT INTO dba.ciselnik_firem (nazev_firmy) VALUES ('Druhá')"));
    EXPECT_EQ(one(QStringLiteral("SELECT max(ID_Firmy) FROM dba.ciselnik_firem")).toInt(), first.toInt() + 1);
    EXPECT_GT(first.toInt(), 0);
    run(QStringLiteral("INSERT INTO dba.ciselnik_oddeleni (nazev_oddeleni, ID_Firmy) VALUES ('Účtárna', ?)"), {first});
    run(QStringLiteral("INSERT INTO dba.ciselnik_osob (prijmeni, jmeno, titul, ID_Firmy, ID_Oddeleni) "
                       "VALUES ('Nováková', 'Jana', 'Ing.', ?, '1')"),
        {first});
    EXPECT_EQ(one(QStringLiteral("SELECT max(ID_Oddeleni) FROM dba.ciselnik_oddeleni")), QStringLiteral("1"));
    EXPECT_EQ(one(QStringLiteral("SELECT max(ID_Osoby) FROM dba.ciselnik_Osob")), QStringLiteral("1"));
}

TEST_F(Schema, ViewsNameCallersAndCountCalledNumbers)
{
    // A firm with one department and two persons; extension 201 belongs to Novák
    // (and, from March, to Svobodová too), extension 202 to the department alone.
    run(QStringLiteral("INSERT INTO dba.ciselnik_firem (ID_Firmy, nazev_firmy) VALUES (1, 'Dorvek')"));
    run(QStringLiteral("INSERT INTO dba.ciselnik_oddeleni (ID_Oddeleni, nazev_oddeleni, ID_Firmy) "
                       "VALUES (3, 'Obchod', 1)"));
    run(QStringLiteral("INSERT INTO dba.ciselnik_osob (ID_Osoby, prijmeni, jmeno, ID_Firmy, ID_Oddeleni) "
                       "VALUES (5, 'Novák', 'Petr', 1, 3), (6, 'Svobodová', 'Eva', 1, 3)"));
    const QString ins = QStringLiteral(
        "INSERT INTO dba.prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti, ID_firmy, "
        "ID_Oddeleni, ID_Osoby) VALUES (?, ?, ?, ?, ?, ?)");
    const QString open = QStringLiteral("9999-12-31 23:59:59");
    run(ins, {"9999", "1999-01-01 00:00:00", open, "1", "3", "5"});
    run(ins, {"201", "1999-01-01 00:00:00", open, "1", "3", "5"});
    run(ins, {"201", "1999-03-01 00:00:00", open, "1", "3", "6"});
    run(ins, {"202", "1999-01-01 00:00:00", open, "1", "3", "0"});
    run(QStringLiteral("INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, Cislo_ucastnika, nazev_ucastnika, "
                       "Soukrome) VALUES ('420', '5', '41', 'Soused', 'S'), ('420', '5', '42', 'Dodavatel', NULL)"));
    // Calls as the tariffing leaves them.
    const QString call = QStringLiteral(
        "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_volane_cislo, ustredna_cislo_pobocky, "
        "typ_hovoru, kod_statu, kod_mesta, cislo_ucastnika, id_firmy, id_oddeleni, popis_osob, status_hovoru) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 10)");
    const QVariant null;
    run(call, {1, "1999-02-01 09:00:00", "05412345", "201", "B", "420", "5", "41", 1, 3, "Novák"});
    run(call, {2, "1999-02-01 10:00:00", "05422222", "202", "B", "420", "5", "42", 1, 3, null});
    run(call, {3, "1999-03-02 10:00:00", "0191111", "201", "B", "420", "19", null, 1, 3, "Novák,Svobodová"});
    run(call, {4, "1999-03-03 10:00:00", "0191111", "202", "B", "420", "19", null, 1, 3, null});
    run(call, {5, "1999-03-03 11:00:00", "0191111", "999", "B", "420", "19", null, null, null, null});
    run(call, {6, "1999-03-03 12:00:00", "*IN", "201", "P", null, null, null, 1, 3, "Novák,Svobodová"});
    run(call, {7, "1999-03-03 13:00:00", "0049301234", "201", "C", "49", "30", null, 1, 3, "Novák,Svobodová"});

    // kdo_volal: one row per call, joined as the call browser joins it.
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.hovory, dba.kdo_volal "
                                 "WHERE kdo_volal.ID_hovoru = hovory.ID_hovoru")),
              QStringLiteral("7"));
    Query q;
    q.setSQL(QStringLiteral("SELECT ID_firmy, ID_oddeleni, ID_osoby, Soukrome, firma, oddeleni, Kdo_volal "
                            "FROM dba.kdo_volal WHERE ID_hovoru = ?"));
    auto row = [&](int id) {
        q.bind(1, id);
        if (!q.run() || q.atEnd()) return std::string("?");
        QStringList v;
        for (int c = 1; c <= 7; ++c) v << q.value(c);
        q.close();
        return v.join(QLatin1Char('|')).toStdString();
    };
    EXPECT_EQ(row(1), "1|3|5|S|Dorvek|Obchod|Novák");
    EXPECT_EQ(row(2), "1|3||F|Dorvek|Obchod|");
    EXPECT_EQ(row(3), "1|3|5|F|Dorvek|Obchod|Novák,Svobodová");
    EXPECT_EQ(row(5), "|||F|||");
    // The call browser compares the ids and the mark with quoted values.
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.hovory, dba.kdo_volal Kdo_volal "
                                 "WHERE Kdo_volal.ID_hovoru = hovory.ID_hovoru AND Kdo_volal.ID_osoby ='5' "
                                 "AND Kdo_volal.ID_oddeleni ='3' AND Kdo_volal.ID_firmy ='1'")),
              QStringLiteral("4"));
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.kdo_volal Kdo_volal WHERE Kdo_volal.Soukrome = 'F'")),
              QStringLiteral("6"));

    // cetnost_volani: outgoing calls to numbers that have no subscriber yet, compared
    // with a quoted minimum as the completion window does.
    Query c;
    c.setSQL(QStringLiteral(
        "SELECT DBA.cetnost_volani.ustredna_volane_cislo, DBA.cetnost_volani.kod_statu, DBA.cetnost_volani.kod_mesta, "
        "DBA.cetnost_volani.pocet, DBA.cetnost_volani.stat, DBA.cetnost_volani.mesto FROM DBA.cetnost_volani "
        "WHERE DBA.cetnost_volani.pocet >= ? and length(cetnost_volani.ustredna_volane_cislo)>0 "
        "ORDER BY DBA.cetnost_volani.pocet Desc, DBA.cetnost_volani.ustredna_volane_cislo"));
    c.bind(1, QStringLiteral("1"));
    ASSERT_TRUE(c.run()) << c.lastErrorText().toStdString();
    QStringList rows;
    for (; !c.atEnd(); c.next()) {
        QStringList v;
        for (int i = 1; i <= 6; ++i) v << c.value(i);
        rows << v.join(QLatin1Char('|'));
    }
    EXPECT_EQ(rows.join(QLatin1Char('\n')).toStdString(),
              "0191111|420|19|3|Česká republika|Plzeň\n0049301234|49|30|1|Německo|Berlin");
    EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.cetnost_volani WHERE pocet >='2'")), QStringLiteral("1"));
}

TEST_F(Schema, ReferenceDataHangsTogether)
{
    auto count = [](const char* sql) { return one(QLatin1String(sql)).toInt(); };
    EXPECT_GE(count("SELECT count(*) FROM dba.ciselnik_statu"), 40);
    EXPECT_GE(count("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_statu = '420'"), 40);
    EXPECT_EQ(one(QStringLiteral("SELECT nazev_statu FROM dba.ciselnik_statu WHERE kod_statu = '420'")),
              QStringLiteral("Česká republika"));
    // Zones the site configuration writes, and the "not assigned" zone.
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_pasem WHERE id_pasma IN (1, 2, 9999)"), 3);
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_pasem WHERE typ_pasma NOT IN ('0', '1', '2', '3')"), 0);
    EXPECT_GT(count("SELECT count(*) FROM dba.ciselnik_pasem WHERE typ_pasma = '3'"), 0);
    // Every city belongs to a state; every zone named anywhere exists.
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_mest m WHERE NOT EXISTS "
                    "(SELECT * FROM dba.ciselnik_statu s WHERE s.kod_statu = m.kod_statu)"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_statu s WHERE NOT EXISTS "
                    "(SELECT * FROM dba.ciselnik_pasem p WHERE p.id_pasma = s.id_pasma)"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_mest m WHERE NOT EXISTS "
                    "(SELECT * FROM dba.ciselnik_pasem p WHERE p.id_pasma = m.id_pasma)"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM dba.vazba_tto_tto v WHERE NOT EXISTS "
                    "(SELECT * FROM dba.ciselnik_pasem p WHERE p.id_pasma = v.id_pasma)"),
              0);
    // Codes are digits only, without a dialling prefix.
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_statu WHERE kod_statu GLOB '*[^0-9]*' "
                    "OR kod_statu LIKE '0%' OR length(kod_statu) > 5"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_mest WHERE kod_mesta GLOB '*[^0-9]*' "
                    "OR kod_mesta LIKE '0%' OR length(kod_mesta) > 5"),
              0);
    // Links: no pair twice, and every pair of the cities' exchange areas is linked.
    EXPECT_EQ(count("SELECT count(*) FROM (SELECT volajici_tto, volane_tto FROM dba.vazba_tto_tto "
                    "GROUP BY volajici_tto, volane_tto HAVING count(*) > 1)"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM dba.vazba_tto_tto WHERE volajici_tto IS NULL OR volane_tto IS NULL"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM (SELECT DISTINCT Cislo_TTO a FROM dba.ciselnik_mest "
                    "  WHERE kod_statu = '420' AND EXISTS (SELECT * FROM dba.vazba_tto_tto v WHERE v.volajici_tto = Cislo_TTO)) x, "
                    " (SELECT DISTINCT Cislo_TTO b FROM dba.ciselnik_mest WHERE kod_statu = '420') y "
                    "WHERE NOT EXISTS (SELECT * FROM dba.vazba_tto_tto v WHERE v.volajici_tto = x.a AND v.volane_tto = y.b)"),
              0);
    EXPECT_GE(count("SELECT count(DISTINCT volajici_tto) FROM dba.vazba_tto_tto"), 10);
    // Exactly one area links to itself with zone 1, and its centre is in zone 1: the zones
    // the site configuration computes for that area.
    EXPECT_EQ(count("SELECT count(*) FROM dba.vazba_tto_tto WHERE volajici_tto = volane_tto AND id_pasma = 1"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM dba.vazba_tto_tto WHERE volajici_tto = volane_tto AND id_pasma <> 1 "
                    "AND id_pasma <> 2"),
              0);
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_mest WHERE id_pasma = 1"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_mest m, dba.vazba_tto_tto v "
                    "WHERE m.id_pasma = 1 AND v.volajici_tto = v.volane_tto AND v.id_pasma = 1 "
                    "AND CAST(m.kod_mesta AS INTEGER) = v.volane_tto AND m.Cislo_TTO = v.volane_tto"),
              1);
    // Every domestic city carries the zone of the link from the home area to its area
    // (2 inside the home area, except the home city itself).
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_mest m, dba.vazba_tto_tto home, dba.vazba_tto_tto v "
                    "WHERE m.kod_statu = '420' AND home.volajici_tto = home.volane_tto AND home.id_pasma = 1 "
                    "AND v.volajici_tto = home.volajici_tto AND v.volane_tto = m.Cislo_TTO "
                    "AND m.id_pasma <> CASE WHEN v.id_pasma = 1 AND CAST(m.kod_mesta AS INTEGER) <> v.volane_tto THEN 2 "
                    "ELSE v.id_pasma END"),
              0);
    // Foreign cities are in the zone of their state.
    EXPECT_EQ(count("SELECT count(*) FROM dba.ciselnik_mest m, dba.ciselnik_statu s "
                    "WHERE m.kod_statu = s.kod_statu AND m.kod_statu <> '420' AND m.id_pasma <> s.id_pasma"),
              0);
    // Tables the program and the demo fill start empty.
    for (const char* t : {"hovory", "kalendar", "tarifni_vysilace", "konfigurace_mista", "casy_pseudotarifu",
                          "perioda_impulsu", "zlevnene_volani", "cena_impulsu", "pevne_svatky", "prirazeni_pobocek",
                          "ciselnik_firem", "ciselnik_oddeleni", "ciselnik_osob", "ciselnik_ucastniku",
                          "ciselnik_uctovacich_kodu", "p_import_ext_seznamu"})
        EXPECT_EQ(one(QStringLiteral("SELECT count(*) FROM dba.%1").arg(QLatin1String(t))), QStringLiteral("0")) << t;
}
