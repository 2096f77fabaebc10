#include "tarifovani_data.h"

#include "platform/database.h"

namespace kavro::test {

namespace {

bool run(const char* sql, QString* error)
{
    Transaction& t = Transaction::main();
    if (t.exec(QString::fromUtf8(sql))) return true;
    if (error) *error = t.lastErrorText() + QStringLiteral(" in ") + QString::fromUtf8(sql);
    return false;
}

} // namespace

bool fillTariffData(QString* error)
{
    static const char* const statements[] = {
        // The sample directory that comes with the database gives way to the test's own.
        "DELETE FROM dba.ciselnik_ucastniku",
        "DELETE FROM dba.ciselnik_mest",
        "DELETE FROM dba.ciselnik_statu",
        "INSERT INTO dba.konfigurace_mista (ID_mista, mezistatni_predvolba, mezimestska_predvolba, kod_statu, kod_mesta) "
        "VALUES ('Výchozí', '00', '0', '420', '2')",
        // States: 420 home, 42 a shorter code beginning the same digits, 49, 1 with a discount.
        "INSERT INTO dba.ciselnik_statu (kod_statu, nazev_statu, id_pasma) VALUES "
        "('420', 'Česká republika', 9999), ('42', 'Krátký kód', 42), ('49', 'Německo', 21), ('1', 'USA', 22)",
        "INSERT INTO dba.ciselnik_mest (kod_statu, kod_mesta, nazev_mesta, id_pasma) VALUES "
        "('420', '2', 'Praha', 1), ('420', '5', 'Brno', 2), ('420', '56', 'Jihlava', 3), "
        "('49', '30', 'Berlín', 21), ('49', '3', 'Krátké', 21), ('1', '212', 'New York', 22)",
        "INSERT INTO dba.ciselnik_ucastniku (kod_statu, kod_mesta, cislo_ucastnika, nazev_ucastnika) VALUES "
        "('420', '2', '2345', 'Kratší'), ('420', '2', '23456', 'Delší'), ('420', '2', '777', 'Obchod'), "
        "('420', '56', '123', 'Jihlavský'), ('49', '30', '555', 'Berlínský'), "
        "('1', '212', '9', 'Newyorský')",
        // Zone periods: working days 60 s by day (07:00:00-18:59:59), 120 s at night; holidays 180 s.
        "INSERT INTO dba.perioda_impulsu (id_pasma, pocatek_platnosti, konec_platnosti, od_casu, do_casu, perioda, typ_dne) VALUES "
        "(1, '2000-01-01', '9999-12-31', '00:00:00', '06:59:59', 120, 1), "
        "(1, '2000-01-01', '9999-12-31', '07:00:00', '18:59:59', 60, 1), "
        "(1, '2000-01-01', '9999-12-31', '19:00:00', '23:59:59', 120, 1), "
        "(1, '2000-01-01', '9999-12-31', '00:00:00', '23:59:59', 180, 2), "
        "(2, '2000-01-01', '9999-12-31', '00:00:00', '23:59:59', 30, 1), "
        "(2, '2000-01-01', '9999-12-31', '00:00:00', '23:59:59', 30, 2), "
        "(3, '2000-01-01', '2024-06-28', '00:00:00', '23:59:59', 20, 1), "
        "(3, '2024-06-29', '9999-12-31', '00:00:00', '23:59:59', 40, 1), "
        "(21, '2000-01-01', '9999-12-31', '00:00:00', '23:59:59', 60, 1), "
        "(21, '2000-01-01', '9999-12-31', '00:00:00', '23:59:59', 60, 2), "
        "(22, '2000-01-01', '9999-12-31', '00:00:00', '23:59:59', 90, 1), "
        "(22, '2000-01-01', '9999-12-31', '00:00:00', '23:59:59', 90, 2), "
        "(42, '2000-01-01', '9999-12-31', '00:00:00', '23:59:59', 0, 1)",
        // USA is cheaper on working days during the day.
        "INSERT INTO dba.zlevnene_volani (kod_statu, pocatek_platnosti, konec_platnosti, od_casu, do_casu, perioda, typ_dne) VALUES "
        "('1', '2000-01-01', '9999-12-31', '08:00:00', '16:00:00', 30, 1)",
        "INSERT INTO dba.casy_pseudotarifu (typ_hovoru, typ_casu, cas, pocatek_platnosti, konec_platnosti) VALUES "
        "('A', 'D', '00:00:10', '1900-01-01 00:00:00', '9999-12-31 23:59:59'), "
        "('A', 'M', '00:00:30', '1900-01-01 00:00:00', '9999-12-31 23:59:59'), "
        "('B', 'D', '00:00:05', '1900-01-01 00:00:00', '9999-12-31 23:59:59'), "
        "('C', 'D', '00:00:00', '1900-01-01 00:00:00', '9999-12-31 23:59:59')",
        // Holidays: 1 May and 28 October every year, 18 November 2024 only.
        "INSERT INTO dba.pevne_svatky (den, mesic, nazev, rok) VALUES "
        "(1, 5, 'Svátek práce', 0), (28, 10, 'Vznik státu', 0), (18, 11, 'Jen 2024', 2024)",
        // Line 1 delivers impulses, line 2 does not.
        "INSERT INTO dba.tarifni_vysilace (ustredna_cislo_linky, zapojen) VALUES (1, 1), (2, 0)",
        "INSERT INTO dba.ciselnik_osob (id_osoby, prijmeni) VALUES (1, 'Novák'), (2, 'Svoboda'), (3, 'Dvořák')",
        // 100: person 1 of firm 1, department 10. 101: persons 1 and 2 of the same department.
        // 102: firm 1 and firm 2 at once until 2024-06-30 (a faulty directory), firm 2 alone after.
        // 103: handed from firm 1 to firm 2 at 2024-03-01 12:00:00.
        "INSERT INTO dba.prirazeni_pobocek (cislo_pobocky, pocatek_platnosti, konec_platnosti, id_firmy, id_oddeleni, id_osoby) VALUES "
        "('100', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 1, 10, 1), "
        "('101', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 1, 10, 1), "
        "('101', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 1, 10, 2), "
        "('102', '2020-01-01 00:00:00', '2024-06-30 23:59:59', 1, 10, 0), "
        "('102', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 2, 20, 3), "
        "('103', '2020-01-01 00:00:00', '2024-03-01 12:00:00', 1, 10, 0), "
        "('103', '2024-03-01 12:00:00', '9999-12-31 23:59:59', 2, 20, 0), "
        "('9999', '2020-01-01 00:00:00', '9999-12-31 23:59:59', 1, 9999, 9999)",
    };
    for (const char* s : statements)
        if (!run(s, error)) return false;
    return true;
}

bool addCall(const Call& c)
{
    return Transaction::main().exec(QStringLiteral(
        "INSERT INTO dba.hovory (id_hovoru, ustredna_datum_a_cas, ustredna_delka_hovoru, ustredna_volane_cislo, "
        "ustredna_pocet_impulsu, ustredna_prepojeni, tarifovat_hovor, ustredna_cislo_pobocky, status_hovoru, "
        "ustredna_cislo_linky, doplnkova_informace, kod_uctu) VALUES (?, ?, ?, ?, ?, '0', 0, ?, 2, ?, '', '')"),
        {c.id, c.when, c.duration, c.number, c.impulses, c.extension, c.line});
}

QString callValue(qint64 id, const QString& column)
{
    return Transaction::main().scalar(QStringLiteral("SELECT %1 FROM dba.hovory WHERE id_hovoru = ?").arg(column), {id});
}

bool callIsNull(qint64 id, const QString& column)
{
    return Transaction::main().scalar(
               QStringLiteral("SELECT %1 IS NULL FROM dba.hovory WHERE id_hovoru = ?").arg(column), {id})
        == QStringLiteral("1");
}

int dayType(const QString& date)
{
    return Transaction::main().scalar(QStringLiteral("SELECT typ_dne FROM dba.kalendar WHERE datum = ?"), {date}).toInt();
}

qint64 countWhere(const QString& table, const QString& condition)
{
    return Transaction::main()
        .scalar(QStringLiteral("SELECT count(*) FROM dba.%1 WHERE %2").arg(table, condition))
        .toLongLong();
}

} // namespace kavro::test
