#include "external_directory/forms/jedinecnost_kodu.h"

#include "common/tree_model.h"

#include <QTreeView>

namespace kavro {

int pocet_stejnych_kodu(const FDX_Stat& zaznam, const QModelIndex& rodic, const QString& kod,
                        const std::function<QString(const FDX_Stat&)>& kodPolozky)
{
    if (zaznam.rezim == 3 || !zaznam.strom) return 0;
    auto* model = qobject_cast<LazyTreeModel*>(zaznam.strom->model());
    if (!model) return 0;
    const QModelIndex vybrana = zaznam.strom->currentIndex();
    int stejne = 0;
    for (int r = 0; r < model->rowCount(rodic); ++r) {
        const QModelIndex i = model->index(r, 0, rodic);
        const FDX_Stat* s = model->record<FDX_Stat>(i);
        if (!s || kodPolozky(*s) != kod) continue;
        if (zaznam.rezim == 2 && i == vybrana) continue;
        ++stejne;
    }
    return stejne;
}

} // namespace kavro
