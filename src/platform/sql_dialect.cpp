// The statements are written once for both engines. Where the server spells a
// construct differently from the embedded engine, the text is rewritten here,
// in one place, before the server prepares it:
//  * min(a, b) / max(a, b) of values: least / greatest;
//  * ifnull(x, a) is coalesce; ifnull(x, a, b) and argn(n, ...) become CASE
//    expressions, so their values may be of any types, as in the file engine;
//  * string(...) is concat(...), group_concat(x[, sep]) is string_agg;
//  * date(x) is the program's own lenient date(), not a conversion;
//  * a subquery in FROM without a name gets one;
//  * rowid (the order rows were stored in) is the row's place, ctid;
//  * x GLOB 'pattern' is a match of the same regular expression;
//  * numbered parameters ?1, ?2 become plain markers; the order tells which
//    of the program's values each marker takes.
#include "platform/odbc.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace kavro::odbc {

namespace {

bool jeZnakJmena(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool stejne(std::string_view a, const char* b)
{
    std::size_t n = std::char_traits<char>::length(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
}

// Index past the quoted text starting at i (a '...' literal or a "..." name).
std::size_t zaUvozovkami(std::string_view s, std::size_t i)
{
    const char q = s[i];
    for (++i; i < s.size(); ++i) {
        if (s[i] == q) {
            if (i + 1 < s.size() && s[i + 1] == q) { ++i; continue; }
            return i + 1;
        }
    }
    return s.size();
}

// Index of the parenthesis closing the one at `otevrena` (s.size() when none),
// and the arguments between them split at the commas of the top level.
std::size_t argumenty(std::string_view s, std::size_t otevrena, std::vector<std::string_view>* args)
{
    int hloubka = 0;
    std::size_t zacatek = otevrena + 1;
    for (std::size_t i = otevrena; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\'' || c == '"') { i = zaUvozovkami(s, i) - 1; continue; }
        if (c == '(') ++hloubka;
        else if (c == ')') {
            if (--hloubka == 0) {
                if (args) args->push_back(s.substr(zacatek, i - zacatek));
                return i;
            }
        } else if (c == ',' && hloubka == 1) {
            if (args) args->push_back(s.substr(zacatek, i - zacatek));
            zacatek = i + 1;
        }
    }
    return s.size();
}

std::string_view dalsiSlovo(std::string_view s, std::size_t i)
{
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    std::size_t k = i;
    while (k < s.size() && jeZnakJmena(s[k])) ++k;
    return s.substr(i, k - i);
}

bool jeKlicoveSlovo(std::string_view w)
{
    for (const char* k : {"where", "group", "order", "join", "left", "right", "inner", "cross", "full", "natural",
                          "union", "limit", "having", "window", "except", "intersect", "offset", "on", "using", "for"})
        if (stejne(w, k)) return true;
    return false;
}

// A GLOB pattern as an anchored regular expression.
std::string globJakoRegex(std::string_view lit)
{
    std::string r = "'^";
    for (std::size_t i = 1; i + 1 < lit.size(); ++i) {
        const char c = lit[i];
        if (c == '*') r += ".*";
        else if (c == '?') r += ".";
        else if (c == '[') {
            r += '[';
            for (++i; i + 1 < lit.size() && lit[i] != ']'; ++i) r += lit[i] == '^' && lit[i - 1] == '[' ? '^' : lit[i];
            r += ']';
        } else if (c == '\'') {
            r += "''";
            ++i;
        } else if (std::strchr(".+()|{}$^\\", c)) {
            r += '\\';
            r += c;
        } else r += c;
    }
    return r + "$'";
}

std::string preloz(std::string_view sql, int& jmena);

thread_local int* g_posledni = nullptr;
thread_local std::vector<int>* g_poradi = nullptr;

std::string prelozArg(std::string_view a, int& jmena) { return preloz(a, jmena); }

std::string preloz(std::string_view sql, int& jmena)
{
    std::string out;
    out.reserve(sql.size() + 16);
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '?') {
            // ?NNN names a value; a plain ? takes the one after the greatest named so far.
            std::size_t k = i + 1;
            int n = 0;
            while (k < sql.size() && std::isdigit(static_cast<unsigned char>(sql[k]))) n = n * 10 + (sql[k++] - '0');
            if (k == i + 1) n = *g_posledni + 1;
            if (n > *g_posledni) *g_posledni = n;
            g_poradi->push_back(n);
            out.push_back('?');
            i = k;
            continue;
        }
        if (c == '\'' || c == '"') {
            const std::size_t k = zaUvozovkami(sql, i);
            out.append(sql.substr(i, k - i));
            i = k;
            continue;
        }
        if (jeZnakJmena(c) && !(i > 0 && jeZnakJmena(sql[i - 1])) && stejne(dalsiSlovo(sql, i), "rowid")) {
            // The order rows were stored in: the row's place in the table.
            out.append("ctid");
            i += 5;
            continue;
        }
        if (!jeZnakJmena(c) || (i > 0 && (jeZnakJmena(sql[i - 1]) || sql[i - 1] == '.'))) {
            out.push_back(c);
            ++i;
            continue;
        }
        std::size_t k = i;
        while (k < sql.size() && jeZnakJmena(sql[k])) ++k;
        const std::string_view slovo = sql.substr(i, k - i);
        std::size_t z = k;
        while (z < sql.size() && std::isspace(static_cast<unsigned char>(sql[z]))) ++z;
        const bool zavorka = z < sql.size() && sql[z] == '(';
        if (stejne(slovo, "glob")) {
            const std::size_t z2 = z;
            if (z2 < sql.size() && sql[z2] == '\'') {
                const std::size_t konec = zaUvozovkami(sql, z2);
                out.append("~ ");
                out.append(globJakoRegex(sql.substr(z2, konec - z2)));
                i = konec;
                continue;
            }
        }
        if (zavorka && stejne(slovo, "from") && stejne(dalsiSlovo(sql, z + 1), "select")) {
            // FROM (SELECT ...) [name]
            const std::size_t konec = argumenty(sql, z, nullptr);
            out.append(sql.substr(i, z - i));
            out.push_back('(');
            out.append(preloz(sql.substr(z + 1, konec > z + 1 ? konec - z - 1 : 0), jmena));
            if (konec >= sql.size()) return out;
            out.push_back(')');
            i = konec + 1;
            const std::string_view dalsi = dalsiSlovo(sql, i);
            if (dalsi.empty() || jeKlicoveSlovo(dalsi)) out.append(" AS kavro_q" + std::to_string(++jmena));
            continue;
        }
        if (zavorka && !(i > 0 && sql[i - 1] == '.')) {
            std::vector<std::string_view> a;
            const std::size_t konec = argumenty(sql, z, &a);
            if (konec < sql.size()) {
                std::string nove;
                const std::size_t n = a.size();
                if ((stejne(slovo, "min") || stejne(slovo, "max")) && n > 1) {
                    nove = stejne(slovo, "min") ? "least(" : "greatest(";
                    for (std::size_t j = 0; j < n; ++j) nove += (j ? "," : "") + prelozArg(a[j], jmena);
                    nove += ")";
                } else if (stejne(slovo, "ifnull") && n == 2) {
                    nove = "coalesce(" + prelozArg(a[0], jmena) + "," + prelozArg(a[1], jmena) + ")";
                } else if (stejne(slovo, "ifnull") && n == 3) {
                    nove = "(CASE WHEN (" + prelozArg(a[0], jmena) + ") IS NULL THEN " + prelozArg(a[1], jmena) +
                           " ELSE " + prelozArg(a[2], jmena) + " END)";
                } else if (stejne(slovo, "argn") && n >= 2) {
                    nove = "(CASE (" + prelozArg(a[0], jmena) + ")";
                    for (std::size_t j = 1; j < n; ++j)
                        nove += " WHEN " + std::to_string(j) + " THEN " + prelozArg(a[j], jmena);
                    nove += " END)";
                } else if (stejne(slovo, "string")) {
                    nove = "concat(";
                    for (std::size_t j = 0; j < n; ++j) nove += (j ? "," : "") + prelozArg(a[j], jmena);
                    nove += ")";
                } else if (stejne(slovo, "group_concat") && (n == 1 || n == 2)) {
                    nove = "string_agg(CAST(" + prelozArg(a[0], jmena) + " AS text)," +
                           (n == 2 ? prelozArg(a[1], jmena) : std::string("','")) + ")";
                } else if (stejne(slovo, "date") && n == 1) {
                    // date('...') alone would be read as a conversion to the server's date type.
                    nove = "dba.date(" + prelozArg(a[0], jmena) + ")";
                }
                if (!nove.empty()) {
                    out += nove;
                    i = konec + 1;
                    continue;
                }
            }
        }
        out.append(slovo);
        i = k;
    }
    return out;
}

} // namespace

std::string proServer(std::string_view sql, std::vector<int>* poradi)
{
    int jmena = 0;
    int posledni = 0;
    std::vector<int> p;
    g_posledni = &posledni;
    g_poradi = &p;
    std::string out = preloz(sql, jmena);
    g_posledni = nullptr;
    g_poradi = nullptr;
    if (poradi) *poradi = std::move(p);
    return out;
}

} // namespace kavro::odbc
