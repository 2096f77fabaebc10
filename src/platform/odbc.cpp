#include "platform/odbc.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <regex>

namespace kavro::odbc {

namespace {

Chyba diagnostika(SQLSMALLINT typ, SQLHANDLE h)
{
    Chyba c;
    SQLCHAR stav[6] = {0};
    SQLINTEGER cislo = 0;
    SQLCHAR zprava[1024] = {0};
    SQLSMALLINT delka = 0;
    if (h && SQL_SUCCEEDED(SQLGetDiagRec(typ, h, 1, stav, &cislo, zprava, sizeof zprava, &delka))) {
        c.cislo = cislo ? int(cislo) : -1;
        c.stav.assign(reinterpret_cast<const char*>(stav));
        c.text.assign(reinterpret_cast<const char*>(zprava));
        // The driver adds a line of its own after the server's message.
        while (!c.text.empty() && (c.text.back() == '\n' || c.text.back() == ';' || c.text.back() == ' '))
            c.text.pop_back();
    } else {
        c.cislo = -1;
        c.text = "ODBC";
    }
    return c;
}

} // namespace

// ---------------------------------------------------------------- Spojeni

Spojeni::Spojeni() = default;

Spojeni::~Spojeni()
{
    if (m_dbc) {
        SQLEndTran(SQL_HANDLE_DBC, m_dbc, SQL_ROLLBACK);
        SQLDisconnect(m_dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
    }
    if (m_env) SQLFreeHandle(SQL_HANDLE_ENV, m_env);
}

bool Spojeni::jeZdrojDat(const std::string& jmeno)
{
    SQLHENV env = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return false;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR nazev[256];
    SQLSMALLINT n = 0;
    bool nalezen = false;
    SQLUSMALLINT smer = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDataSources(env, smer, nazev, sizeof nazev, &n, nullptr, 0, nullptr))) {
        smer = SQL_FETCH_NEXT;
        if (strcasecmp(reinterpret_cast<const char*>(nazev), jmeno.c_str()) == 0) nalezen = true;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return nalezen;
}

bool Spojeni::otevri(const std::string& retezec)
{
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env))) {
        m_chyba = {-1, "", "Správce ODBC nelze použít"};
        return false;
    }
    SQLSetEnvAttr(m_env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, m_env, &m_dbc);
    SQLSetConnectAttr(m_dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
    const SQLRETURN rc = SQLDriverConnect(m_dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(retezec.c_str())),
                                          SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        m_chyba = diagnostika(SQL_HANDLE_DBC, m_dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
        m_dbc = nullptr;
        return false;
    }
    if (!SQL_SUCCEEDED(SQLSetConnectAttr(m_dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0))) {
        m_chyba = diagnostika(SQL_HANDLE_DBC, m_dbc);
        return false;
    }
    return true;
}

bool Spojeni::commit()
{
    if (SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, m_dbc, SQL_COMMIT))) return true;
    m_chyba = diagnostika(SQL_HANDLE_DBC, m_dbc);
    return false;
}

bool Spojeni::rollback()
{
    if (SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, m_dbc, SQL_ROLLBACK))) return true;
    m_chyba = diagnostika(SQL_HANDLE_DBC, m_dbc);
    return false;
}

bool Spojeni::proved(const std::string& sql)
{
    SQLHSTMT st = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &st))) {
        m_chyba = diagnostika(SQL_HANDLE_DBC, m_dbc);
        return false;
    }
    const SQLRETURN rc = SQLExecDirect(st, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
    const bool ok = SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA;
    if (!ok) m_chyba = diagnostika(SQL_HANDLE_STMT, st);
    SQLFreeHandle(SQL_HANDLE_STMT, st);
    return ok;
}

const std::map<std::string, std::string>& Spojeni::typySloupcu(const std::string& tabulka)
{
    auto it = m_typy.find(tabulka);
    if (it != m_typy.end()) return it->second;
    std::map<std::string, std::string>& typy = m_typy[tabulka];
    const std::size_t tecka = tabulka.find('.');
    const std::string schema = tecka == std::string::npos ? "dba" : tabulka.substr(0, tecka);
    const std::string jmeno = tecka == std::string::npos ? tabulka : tabulka.substr(tecka + 1);
    Prikaz p(*this);
    if (p.priprav("SELECT lower(column_name), data_type FROM information_schema.columns "
                  "WHERE lower(table_schema) = lower(?) AND lower(table_name) = lower(?)")) {
        p.vazText(1, schema);
        p.vazText(2, jmeno);
        if (p.proved())
            while (p.dalsi()) typy[std::string(p.text(0))] = std::string(p.text(1));
    }
    return typy;
}

// ---------------------------------------------------------------- Prikaz

Prikaz::Prikaz(Spojeni& s) : m_s(s) {}

Prikaz::~Prikaz()
{
    if (m_stmt) SQLFreeHandle(SQL_HANDLE_STMT, m_stmt);
}

bool Prikaz::vysledek(short rc, bool zPrikazu)
{
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) return true;
    m_chyba = zPrikazu ? diagnostika(SQL_HANDLE_STMT, m_stmt) : diagnostika(SQL_HANDLE_DBC, m_s.m_dbc);
    m_s.m_chyba = m_chyba;
    m_selhal = true;
    return false;
}

bool Prikaz::priprav(const std::string& sql)
{
    m_chyba = {};
    m_selhal = false;
    if (m_stmt) {
        SQLFreeHandle(SQL_HANDLE_STMT, m_stmt);
        m_stmt = nullptr;
    }
    m_pripraven = false;
    m_otevreny = false;
    if (!m_s.m_dbc) {
        m_chyba = {-1, "", "Není spojení s databází"};
        return false;
    }
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, m_s.m_dbc, &m_stmt))) return vysledek(SQL_ERROR, false);
    const std::string text = proServer(sql, &m_poradi);
    if (!vysledek(SQLPrepare(m_stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())), SQLINTEGER(text.size()))))
        return false;
    m_pocetParametru = 0;
    for (const int n : m_poradi) m_pocetParametru = std::max(m_pocetParametru, n);
    m_parametry.assign(std::size_t(m_pocetParametru), Parametr{});
    m_pripraven = true;
    // UPDATE <table> SET a = ?, b = ? ... WHERE <key> = ? (plain markers only)
    m_hromadna.reset();
    m_hromadnyText.clear();
    static const std::regex update(R"(^\s*UPDATE\s+([A-Za-z_][\w.]*)\s+SET\s+(.+?)\s+WHERE\s+(\w+)\s*=\s*\?\s*$)",
                                   std::regex::icase);
    std::smatch m;
    if (std::regex_match(text, m, update) && int(m_poradi.size()) == m_pocetParametru) {
        auto h = std::make_unique<HromadnaZmena>();
        h->tabulka = m[1].str();
        static const std::regex prirazeni(R"(^\s*(\w+)\s*=\s*\?\s*$)");
        const std::string set = m[2].str();
        std::size_t od = 0;
        bool ok = true;
        while (ok) {
            const std::size_t carka = set.find(',', od);
            const std::string cast = set.substr(od, carka == std::string::npos ? std::string::npos : carka - od);
            std::smatch s;
            if (std::regex_match(cast, s, prirazeni)) h->sloupce.push_back(s[1].str());
            else ok = false;
            if (carka == std::string::npos) break;
            od = carka + 1;
        }
        h->sloupce.push_back(m[3].str());
        for (int i = 0; ok && i < int(m_poradi.size()); ++i) ok = m_poradi[std::size_t(i)] == i + 1;
        if (ok && int(h->sloupce.size()) == m_pocetParametru) m_hromadna = std::move(h);
    }
    return true;
}

bool Prikaz::over()
{
    if (!m_pripraven) return false;
    SQLSMALLINT n = 0;
    if (vysledek(SQLNumResultCols(m_stmt, &n))) return true;
    m_pripraven = false;
    return false;
}

bool Prikaz::provedDavkuJednimPrikazem(std::size_t radky)
{
    const auto& typy = m_s.typySloupcu(m_hromadna->tabulka);
    const std::vector<std::string>& sl = m_hromadna->sloupce;
    const std::size_t sloupcu = sl.size();
    std::vector<std::string> typ(sloupcu);
    for (std::size_t c = 0; c < sloupcu; ++c) {
        std::string jmeno = sl[c];
        for (char& ch : jmeno) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        const auto it = typy.find(jmeno);
        if (it == typy.end()) return false;
        typ[c] = it->second;
    }
    // Each column's values travel as one array: the statement's text and its
    // parameters are the same for any number of rows.
    if (m_hromadnyText.empty()) {
        std::string sql = "UPDATE " + m_hromadna->tabulka + " AS kavro_t SET ";
        for (std::size_t c = 0; c + 1 < sloupcu; ++c) sql += (c ? ", " : "") + sl[c] + " = kavro_v.c" + std::to_string(c);
        sql += " FROM unnest(";
        for (std::size_t c = 0; c < sloupcu; ++c) sql += (c ? ", CAST(? AS " : "CAST(? AS ") + typ[c] + "[])";
        sql += ") AS kavro_v(";
        for (std::size_t c = 0; c < sloupcu; ++c) sql += (c ? ",c" : "c") + std::to_string(c);
        const std::size_t k = sloupcu - 1;
        sql += ") WHERE kavro_t." + sl[k] + " = kavro_v.c" + std::to_string(k);
        m_hromadnyText = sql;
    }
    std::vector<std::string> pole(sloupcu);
    for (std::size_t c = 0; c < sloupcu; ++c) {
        std::string& a = pole[c];
        a.reserve(radky * 8);
        a.push_back('{');
        for (std::size_t r = 0; r < radky; ++r) {
            if (r) a.push_back(',');
            if (m_davkaNull[r * sloupcu + c]) {
                a += "NULL";
                continue;
            }
            a.push_back('"');
            for (const char ch : m_davkaHodnoty[r * sloupcu + c]) {
                if (ch == '"' || ch == '\\') a.push_back('\\');
                a.push_back(ch);
            }
            a.push_back('"');
        }
        a.push_back('}');
    }
    SQLHSTMT st = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, m_s.m_dbc, &st))) return false;
    std::vector<SQLLEN> delky(sloupcu);
    bool ok = SQL_SUCCEEDED(
        SQLPrepare(st, reinterpret_cast<SQLCHAR*>(m_hromadnyText.data()), SQLINTEGER(m_hromadnyText.size())));
    for (std::size_t c = 0; ok && c < sloupcu; ++c) {
        delky[c] = SQLLEN(pole[c].size());
        ok = SQL_SUCCEEDED(SQLBindParameter(st, SQLUSMALLINT(c + 1), SQL_PARAM_INPUT, SQL_C_CHAR, SQL_LONGVARCHAR,
                                            pole[c].size(), 0, pole[c].data(), delky[c], &delky[c]));
    }
    SQLRETURN rc = ok ? SQLExecute(st) : SQL_ERROR;
    ok = SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA;
    if (ok) {
        SQLLEN n = 0;
        SQLRowCount(st, &n);
        m_radku = n > 0 ? n : 0;
    } else {
        m_chyba = diagnostika(SQL_HANDLE_STMT, st);
        m_s.m_chyba = m_chyba;
        m_selhal = true;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, st);
    return ok;
}

void Prikaz::vazText(int i, std::string_view s)
{
    if (i < 1 || i > m_pocetParametru) return;
    Parametr& p = m_parametry[std::size_t(i - 1)];
    p.typ = 3;
    p.text.assign(s.data(), s.size());
}

void Prikaz::vazCele(int i, std::int64_t v)
{
    if (i < 1 || i > m_pocetParametru) return;
    Parametr& p = m_parametry[std::size_t(i - 1)];
    p.typ = 1;
    p.i = v;
}

void Prikaz::vazRealne(int i, double v)
{
    if (i < 1 || i > m_pocetParametru) return;
    Parametr& p = m_parametry[std::size_t(i - 1)];
    p.typ = 2;
    p.d = v;
}

void Prikaz::vazNull(int i)
{
    if (i < 1 || i > m_pocetParametru) return;
    m_parametry[std::size_t(i - 1)].typ = 0;
}

void Prikaz::zavri()
{
    if (m_stmt && m_otevreny) SQLFreeStmt(m_stmt, SQL_CLOSE);
    m_otevreny = false;
}

namespace {

std::string jakoText(std::int64_t v)
{
    char b[24];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return std::string(b, r.ptr);
}

std::string jakoText(double v)
{
    char b[40];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return std::string(b, r.ptr);
}

} // namespace

bool Prikaz::proved()
{
    m_selhal = false;
    m_radku = 0;
    if (!m_pripraven) return false;
    if (m_davka && !provedDavku()) return false;
    zavri();
    // Every value goes as text of an unspecified type: the server reads it as
    // the type the statement needs there, as the embedded engine does.
    SQLLEN nullInd = SQL_NULL_DATA;
    const std::size_t znacek = m_poradi.size();
    std::vector<SQLLEN> delky(znacek);
    std::vector<std::string> cisla(znacek);
    for (std::size_t i = 0; i < znacek; ++i) {
        Parametr& p = m_parametry[std::size_t(m_poradi[i] - 1)];
        const char* data = nullptr;
        SQLLEN* ind = &nullInd;
        std::size_t n = 0;
        switch (p.typ) {
        case 1: cisla[i] = jakoText(p.i); data = cisla[i].c_str(); n = cisla[i].size(); break;
        case 2: cisla[i] = jakoText(p.d); data = cisla[i].c_str(); n = cisla[i].size(); break;
        case 3: data = p.text.c_str(); n = p.text.size(); break;
        default: break;
        }
        if (data) {
            delky[i] = SQLLEN(n);
            ind = &delky[i];
        }
        if (!vysledek(SQLBindParameter(m_stmt, SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                       n ? n : 1, 0, const_cast<char*>(data ? data : ""), SQLLEN(n), ind)))
            return false;
    }
    const SQLRETURN rc = SQLExecute(m_stmt);
    if (!vysledek(rc)) return false;
    SQLLEN radku = 0;
    if (rc != SQL_NO_DATA) SQLRowCount(m_stmt, &radku);
    m_radku = radku > 0 ? radku : 0;
    zjistiSloupce();
    m_otevreny = !m_sloupce.empty();
    return true;
}

void Prikaz::pridejDoDavky()
{
    for (int i = 0; i < m_pocetParametru; ++i) {
        const Parametr& p = m_parametry[std::size_t(i)];
        switch (p.typ) {
        case 1: m_davkaHodnoty.push_back(jakoText(p.i)); break;
        case 2: m_davkaHodnoty.push_back(jakoText(p.d)); break;
        case 3: m_davkaHodnoty.push_back(p.text); break;
        default: m_davkaHodnoty.emplace_back(); break;
        }
        m_davkaNull.push_back(p.typ == 0);
    }
    ++m_davka;
}

bool Prikaz::provedDavku()
{
    m_selhal = false;
    m_radku = 0;
    if (!m_davka) return true;
    const std::size_t radky = m_davka;
    const std::size_t sloupcu = std::size_t(m_pocetParametru);
    const std::size_t znacek = m_poradi.size();
    m_davka = 0;
    zavri();
    // The changes of rows by their key go as one statement.
    if (m_hromadna && radky > 1) {
        const bool ok = provedDavkuJednimPrikazem(radky);
        if (ok || m_selhal) {
            m_davkaHodnoty.clear();
            m_davkaNull.clear();
            return ok;
        }
    }
    // The values of a parameter lie side by side in one buffer of fixed width.
    std::vector<std::vector<char>> data(znacek);
    std::vector<std::vector<SQLLEN>> delky(znacek, std::vector<SQLLEN>(radky));
    bool ok = true;
    for (std::size_t z = 0; z < znacek && ok; ++z) {
        const std::size_t c = std::size_t(m_poradi[z] - 1);
        std::size_t sirka = 1;
        for (std::size_t r = 0; r < radky; ++r) sirka = std::max(sirka, m_davkaHodnoty[r * sloupcu + c].size() + 1);
        data[z].assign(sirka * radky, '\0');
        for (std::size_t r = 0; r < radky; ++r) {
            const std::string& v = m_davkaHodnoty[r * sloupcu + c];
            std::memcpy(data[z].data() + r * sirka, v.data(), v.size());
            delky[z][r] = m_davkaNull[r * sloupcu + c] ? SQL_NULL_DATA : SQLLEN(v.size());
        }
        ok = vysledek(SQLBindParameter(m_stmt, SQLUSMALLINT(z + 1), SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, sirka - 1,
                                       0, data[z].data(), SQLLEN(sirka), delky[z].data()));
    }
    m_davkaHodnoty.clear();
    m_davkaNull.clear();
    if (!ok) return false;
    std::vector<SQLUSMALLINT> stavy(radky);
    SQLULEN zpracovano = 0;
    SQLSetStmtAttr(m_stmt, SQL_ATTR_PARAM_BIND_TYPE, SQL_PARAM_BIND_BY_COLUMN, 0);
    SQLSetStmtAttr(m_stmt, SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(radky), 0);
    SQLSetStmtAttr(m_stmt, SQL_ATTR_PARAM_STATUS_PTR, stavy.data(), 0);
    SQLSetStmtAttr(m_stmt, SQL_ATTR_PARAMS_PROCESSED_PTR, &zpracovano, 0);
    const SQLRETURN rc = SQLExecute(m_stmt);
    ok = vysledek(rc);
    if (ok) {
        SQLLEN n = 0;
        SQLRowCount(m_stmt, &n);
        m_radku = n > 0 ? n : 0;
        for (std::size_t r = 0; r < radky && ok; ++r)
            if (stavy[r] == SQL_PARAM_ERROR) {
                ok = false;
                m_chyba = diagnostika(SQL_HANDLE_STMT, m_stmt);
                m_s.m_chyba = m_chyba;
                m_selhal = true;
            }
    }
    SQLFreeStmt(m_stmt, SQL_CLOSE);
    SQLSetStmtAttr(m_stmt, SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
    SQLSetStmtAttr(m_stmt, SQL_ATTR_PARAM_STATUS_PTR, nullptr, 0);
    SQLSetStmtAttr(m_stmt, SQL_ATTR_PARAMS_PROCESSED_PTR, nullptr, 0);
    SQLFreeStmt(m_stmt, SQL_RESET_PARAMS);
    return ok;
}

void Prikaz::zjistiSloupce()
{
    SQLSMALLINT n = 0;
    SQLNumResultCols(m_stmt, &n);
    m_sloupce.assign(std::size_t(n), Sloupec{});
    m_hodnoty.assign(std::size_t(n), Hodnota{});
    for (SQLSMALLINT c = 0; c < n; ++c) {
        SQLSMALLINT typ = 0;
        SQLDescribeCol(m_stmt, SQLUSMALLINT(c + 1), nullptr, 0, nullptr, &typ, nullptr, nullptr, nullptr);
        Druh d = Druh::Text;
        switch (typ) {
        case SQL_INTEGER:
        case SQL_SMALLINT:
        case SQL_TINYINT:
        case SQL_BIGINT:
        case SQL_BIT: d = Druh::Cele; break;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_NUMERIC:
        case SQL_DECIMAL: d = Druh::Realne; break;
        default: break;
        }
        m_sloupce[std::size_t(c)].druh = d;
    }
}

bool Prikaz::dalsi()
{
    m_selhal = false;
    if (!m_otevreny) return false;
    const SQLRETURN rc = SQLFetch(m_stmt);
    if (rc == SQL_NO_DATA) {
        zavri();
        return false;
    }
    if (!vysledek(rc)) {
        zavri();
        return false;
    }
    for (std::size_t c = 0; c < m_hodnoty.size(); ++c) {
        Hodnota& h = m_hodnoty[c];
        h.text.clear();
        h.null = false;
        char buf[256];
        for (;;) {
            SQLLEN ind = 0;
            const SQLRETURN r = SQLGetData(m_stmt, SQLUSMALLINT(c + 1), SQL_C_CHAR, buf, sizeof buf, &ind);
            if (r == SQL_NO_DATA) break;
            if (!SQL_SUCCEEDED(r)) {
                vysledek(r);
                zavri();
                return false;
            }
            if (ind == SQL_NULL_DATA) {
                h.null = true;
                break;
            }
            if (r == SQL_SUCCESS_WITH_INFO && (ind == SQL_NO_TOTAL || ind >= SQLLEN(sizeof buf))) {
                h.text.append(buf, sizeof buf - 1);
                continue;
            }
            h.text.append(buf, std::size_t(ind));
            break;
        }
    }
    return true;
}

Prikaz::Druh Prikaz::druh(int c) const
{
    if (c < 0 || c >= pocetSloupcu()) return Druh::Null;
    if (m_hodnoty[std::size_t(c)].null) return Druh::Null;
    return m_sloupce[std::size_t(c)].druh;
}

std::string_view Prikaz::text(int c) const
{
    if (c < 0 || c >= pocetSloupcu()) return {};
    return m_hodnoty[std::size_t(c)].text;
}

std::int64_t Prikaz::cele(int c) const
{
    const std::string_view t = text(c);
    std::int64_t v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec == std::errc() && r.ptr == t.data() + t.size()) return v;
    return std::int64_t(std::strtod(std::string(t).c_str(), nullptr));
}

double Prikaz::realne(int c) const { return std::strtod(std::string(text(c)).c_str(), nullptr); }

} // namespace kavro::odbc
