#include "tariffing/hodnoty_tarifu.h"

#include "platform/fast_statement.h"

namespace kavro {

Text Pamet::uloz(std::string_view s)
{
    if (s.empty()) return Text{"", 0};  // empty, not NULL, also before the first block
    if (s.size() > m_zbyva) {
        const std::size_t velikost = std::max<std::size_t>(1 << 20, s.size());
        m_bloky.emplace_back(new char[velikost]);
        m_volno = m_bloky.back().get();
        m_zbyva = velikost;
    }
    char* p = m_volno;
    std::memcpy(p, s.data(), s.size());
    m_volno += s.size();
    m_zbyva -= s.size();
    return Text{p, std::uint32_t(s.size())};
}

void Pamet::vycisti()
{
    m_bloky.clear();
    m_volno = nullptr;
    m_zbyva = 0;
}

namespace hodnoty {

std::string_view sloupec(const FastStatement& st, int c) { return st.text(c); }

Text cti(const FastStatement& st, int c, Pamet& pamet)
{
    if (st.kind(c) == FastStatement::Kind::Null) return Text{};
    return pamet.uloz(st.text(c));
}

Hodnota ctiHodnotu(const FastStatement& st, int c, Pamet& pamet)
{
    Hodnota h;
    switch (st.kind(c)) {
    case FastStatement::Kind::Integer:
        h.druh = Hodnota::Cele;
        h.i = st.integer(c);
        break;
    case FastStatement::Kind::Real:
        h.druh = Hodnota::Realne;
        h.r = st.real(c);
        break;
    case FastStatement::Kind::Null: break;
    default: {
        const Text t = cti(st, c, pamet);
        h.druh = Hodnota::Textove;
        h.p = t.p;
        h.n = t.n;
    }
    }
    return h;
}

void vaz(FastStatement& st, int i, Text t)
{
    if (t.null()) st.bindNull(i);
    else st.bindText(i, t.p, t.n);
}

void vaz(FastStatement& st, int i, const Hodnota& h)
{
    switch (h.druh) {
    case Hodnota::Cele: st.bindInteger(i, h.i); break;
    case Hodnota::Realne: st.bindReal(i, h.r); break;
    case Hodnota::Textove: st.bindText(i, h.p, h.n); break;
    default: st.bindNull(i);
    }
}

} // namespace hodnoty

} // namespace kavro
