// The statements are written once for both engines. Where the server spells a
// construct differently from the embedded engine, the text is rewritten here,
// in one place, before the server prepares it.
#include "platform/odbc.h"

#include <cctype>
#include <string>

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

// Whether the parentheses opened at `otevrena` hold more than one argument.
bool viceArgumentu(std::string_view s, std::size_t otevrena)
{
    int hloubka = 0;
    for (std::size_t i = otevrena; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\'' || c == '"') { i = zaUvozovkami(s, i) - 1; continue; }
        if (c == '(') ++hloubka;
        else if (c == ')') { if (--hloubka == 0) return false; }
        else if (c == ',' && hloubka == 1) return true;
    }
    return false;
}

} // namespace

std::string proServer(std::string_view sql)
{
    std::string out;
    out.reserve(sql.size() + 16);
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            const std::size_t k = zaUvozovkami(sql, i);
            out.append(sql.substr(i, k - i));
            i = k;
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
        while (z < sql.size() && sql[z] == ' ') ++z;
        const bool funkce = z < sql.size() && sql[z] == '(';
        // min(a, b) and max(a, b) of values, not of a group.
        if (funkce && (stejne(slovo, "min") || stejne(slovo, "max")) && viceArgumentu(sql, z))
            out.append(stejne(slovo, "min") ? "least" : "greatest");
        else
            out.append(slovo);
        i = k;
    }
    return out;
}

} // namespace kavro::odbc
