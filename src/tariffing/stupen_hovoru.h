#pragma once
// How far a call has got: the import stores a call at stage 2, each step of
// the tariffing moves it on by one, a fully tariffed call stands at stage 10
// (the number the calls table keeps in status_hovoru).
#include <cstdint>
#include <string>

namespace kavro {

enum class StupenHovoru : std::int64_t {
    Nacten = 2,           // stored by the import, nothing worked out yet
    TypHovoru = 3,        // incoming, international, long-distance or local
    TarifPodleLinky = 4,  // charged or not, by its trunk line
    KodyStatuAMesta = 5,  // the called state and area
    Ucastnik = 6,         // the called subscriber
    Pasmo = 7,            // the tariff zone
    Impulsy = 8,          // the impulse count
    KratkaCisla = 9,      // numbers too short to be charged are not
    Otarifovan = 10,      // the caller: the call is fully tariffed
};

constexpr std::int64_t cislo(StupenHovoru s) { return static_cast<std::int64_t>(s); }
// The stage as SQL text takes it ("10").
inline std::string textStupne(StupenHovoru s) { return std::to_string(cislo(s)); }

} // namespace kavro
