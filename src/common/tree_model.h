#pragma once
// The tree behind every tree window (zone assignment, both views and the pool
// of the internal directory, the external directory): a model whose branches
// are loaded when they are first expanded, each item carrying its record.
//
// The window gives a loader that reads the children of an item (of the
// invisible root for the top level) from the database. Expanding a branch in
// a view, the find dialog asking the owner to open a branch (ensureLoaded),
// and reading a branch's rows all load it once; reloadChildren() forgets a
// branch so that it is read again.
//
//   LazyTreeModel model([](const QModelIndex& parent, const LazyTreeModel& m) {
//       QList<LazyTreeModel::Item> items;
//       ... read the rows under m.record<FDX_Stat>(parent) ...
//       items.append({text, FDX_Stat{...}});
//       return items;
//   });
//   treeView->setModel(&model);
//
// Drag and drop goes through the model: items flagged draggable can be dropped
// on items flagged as targets, in this model or another LazyTreeModel of the
// program (the directory and its pool of free extensions); the drop handler
// does the writes and updates the trees, and returns false to refuse. A model
// whose whole tree is a target (the pool: "drop it anywhere") also takes drops
// on its empty space, between items and when it is empty: the handler then
// gets an invalid target index.
#include <QAbstractItemModel>
#include <QVariant>
#include <QList>
#include <QString>
#include <any>
#include <functional>
#include <memory>
#include <vector>

namespace kavro {

class LazyTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    struct Item {
        QString text;
        std::any record;
        bool mayHaveChildren = true;  // false: a leaf, never loaded
        bool draggable = false;
        bool dropTarget = false;
        QVariant icon;  // a QIcon set by the window (the model itself needs no GUI)
    };
    using Loader = std::function<QList<Item>(const QModelIndex& parent, const LazyTreeModel& model)>;
    // The dragged item (of `from`, possibly another model) dropped on `target` of this model.
    using DropHandler = std::function<bool(const LazyTreeModel& from, const QModelIndex& dragged,
                                           const QModelIndex& target)>;

    explicit LazyTreeModel(Loader loader, QObject* parent = nullptr);
    ~LazyTreeModel() override;

    // Forgets every item; the top level is read again when it is next asked for.
    void reload();
    // Forgets the children of `parent` (the top level for an invalid index);
    // they are read again when the branch is next expanded.
    void reloadChildren(const QModelIndex& parent);
    // Reads the children of `parent` now unless they are loaded already.
    void ensureLoaded(const QModelIndex& parent);
    bool isLoaded(const QModelIndex& parent) const;

    // Adds an item under `parent` at `row` (-1: at the end); the branch is
    // loaded first, so the new item is never read a second time.
    QModelIndex insertItem(const QModelIndex& parent, Item item, int row = -1);
    void removeItem(const QModelIndex& index);
    void setItemText(const QModelIndex& index, const QString& text);

    const Item* item(const QModelIndex& index) const;
    // The record of an item, or nullptr when it has none of type R.
    template <class R> R* record(const QModelIndex& index) const
    {
        Item* it = itemPtr(index);
        return it ? std::any_cast<R>(&it->record) : nullptr;
    }

    void setDropHandler(DropHandler handler) { m_drop = std::move(handler); }
    // Whether drops outside any item (the invisible root) are taken; off by default.
    void setRootDropTarget(bool on) { m_rootDrop = on; }
    bool rootDropTarget() const { return m_rootDrop; }

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

private:
    struct Node;
    Node* node(const QModelIndex& index) const;
    Item* itemPtr(const QModelIndex& index) const;
    QModelIndex indexOf(Node* n) const;
    void renumber(Node* parent, int from);
    // The dragged item named in a drop's data, with its model; false when it is none of ours.
    bool decode(const QMimeData* data, const LazyTreeModel*& from, QModelIndex& dragged) const;

    Loader m_loader;
    DropHandler m_drop;
    bool m_rootDrop = false;
    std::unique_ptr<Node> m_root;
};

} // namespace kavro
