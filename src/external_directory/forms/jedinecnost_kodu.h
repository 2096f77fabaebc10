#pragma once
// The state and city dialogs' uniqueness test: how many items among the
// loaded children of `rodic` in the directory tree have the code `kod`
// (the code that `kodPolozky` takes from an item's record). In edit mode the
// edited item itself (the tree's current one) does not count.
#include "external_directory/fdx_stat.h"

#include <QModelIndex>
#include <QString>
#include <functional>

namespace kavro {

int pocet_stejnych_kodu(const FDX_Stat& zaznam, const QModelIndex& rodic, const QString& kod,
                        const std::function<QString(const FDX_Stat&)>& kodPolozky);

} // namespace kavro
