#pragma once
// The state picker's answer to the discount editor.
#include <QString>

namespace kavro {

struct FDX_Vyber_stat {
    bool OK = false;        // a state was picked
    QString kod_statu;      // its code (ciselnik_statu.kod_statu)
};

} // namespace kavro
