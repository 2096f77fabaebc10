#pragma once
// Reorganising the directory window's trees by dragging:
//  - an extension of tv_1 onto a firm, department or person (view 1), or a
//    firm or department (view 2): the extension, with its persons in view 2,
//    is stored anew under the target;
//  - a person of tv_1 onto a department (view 1) or an extension (view 2):
//    the person, with its extensions in view 1, is stored anew under it;
//  - a free extension of the pool (tv_2) onto a firm, department or person:
//    its pool row ends and it is stored under the target;
//  - an extension of tv_1 onto the pool in view 1: its row ends and the
//    number is added to the pool.
// Each move asks for its moment, ends the old rows at it and stores the moved
// nodes from it, as one operation: when any part is refused or fails, nothing
// of the move stays and both trees are as they were.
#include <QModelIndex>
#include <QString>

namespace kavro {

class LazyTreeModel;
class Nastaveni_pobocky;
struct Struct_std;

class PresunyPobocek {
public:
    // Installs the drop handlers on the window's two trees.
    explicit PresunyPobocek(Nastaveni_pobocky& okno);

    // A node of `from` dropped on `target` of tv_1's or tv_2's model.
    bool tv_1_DragDrop(const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target);
    bool tv_2_DragDrop(const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target);

    // The path of a node as the moment question shows it: "\\" and the texts
    // from the top down joined by "\" (target), or each text followed by "\"
    // (dragged node).
    static QString cestaCile(const QModelIndex& uzel);
    static QString cestaZdroje(const QModelIndex& uzel);

private:
    // Asks for the moment; "" when not confirmed.
    QString okamzik(const QString& titulek, const QString& prvni, const QString& druhy);
    // Stores `zdroj` and its branch anew under `cil`; false (with the trees
    // as they were) when any node was refused.
    bool kopiruj_strom(const QModelIndex& zdroj, const QModelIndex& cil);
    bool kopiruj(const QModelIndex& zdroj, const QModelIndex& cil, QList<QPersistentModelIndex>& nove);

    Nastaveni_pobocky& m_okno;
};

} // namespace kavro
