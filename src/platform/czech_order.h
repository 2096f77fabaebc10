#pragma once
// The order in which a Czech reader expects names in a list: the Czech
// alphabet (Č after C, Ch after H, Ř after R, Š after S, Ž after Z; accents and
// letter case decide only between otherwise equal names) and numbers inside
// texts by their value ("454" before "4688", "Oddělení 1/2" before "1/10").
// The statements' ORDER BY ... COLLATE czech and every list a window sorts
// itself use this one order, so a name stands in the same place everywhere.
#include <QString>

namespace kavro {

// Less than, equal to or greater than 0 as `a` comes before, with or after `b`.
int czechCompare(const QString& a, const QString& b);

} // namespace kavro
