#include "common/tree_model.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QSet>

namespace kavro {

namespace {
const QString kMime = QStringLiteral("application/x-kavro-tree-item");
// Models alive now: a drop names its source model, which must still exist.
QSet<const LazyTreeModel*>& liveModels()
{
    static QSet<const LazyTreeModel*> s;
    return s;
}
} // namespace

struct LazyTreeModel::Node {
    Item item;
    Node* parent = nullptr;
    int row = 0;
    bool loaded = false;
    std::vector<std::unique_ptr<Node>> children;
};

LazyTreeModel::LazyTreeModel(Loader loader, QObject* parent)
    : QAbstractItemModel(parent), m_loader(std::move(loader)), m_root(std::make_unique<Node>())
{
    liveModels().insert(this);
}

LazyTreeModel::~LazyTreeModel() { liveModels().remove(this); }

LazyTreeModel::Node* LazyTreeModel::node(const QModelIndex& index) const
{
    if (!index.isValid()) return m_root.get();
    if (index.model() != this) return nullptr;
    return static_cast<Node*>(index.internalPointer());
}

LazyTreeModel::Item* LazyTreeModel::itemPtr(const QModelIndex& index) const
{
    if (!index.isValid()) return nullptr;
    Node* n = node(index);
    return n ? &n->item : nullptr;
}

const LazyTreeModel::Item* LazyTreeModel::item(const QModelIndex& index) const { return itemPtr(index); }

QModelIndex LazyTreeModel::indexOf(Node* n) const
{
    if (!n || n == m_root.get()) return QModelIndex();
    return createIndex(n->row, 0, n);
}

void LazyTreeModel::renumber(Node* parent, int from)
{
    for (int i = from; i < int(parent->children.size()); ++i) parent->children[size_t(i)]->row = i;
}

void LazyTreeModel::reload()
{
    beginResetModel();
    m_root = std::make_unique<Node>();
    endResetModel();
}

void LazyTreeModel::reloadChildren(const QModelIndex& parent)
{
    Node* p = node(parent);
    if (!p) return;
    if (!p->children.empty()) {
        beginRemoveRows(parent, 0, int(p->children.size()) - 1);
        p->children.clear();
        endRemoveRows();
    }
    p->loaded = false;
}

bool LazyTreeModel::isLoaded(const QModelIndex& parent) const
{
    Node* p = node(parent);
    return p && p->loaded;
}

void LazyTreeModel::ensureLoaded(const QModelIndex& parent)
{
    if (canFetchMore(parent)) fetchMore(parent);
}

QModelIndex LazyTreeModel::insertItem(const QModelIndex& parent, Item item, int row)
{
    Node* p = node(parent);
    if (!p) return QModelIndex();
    ensureLoaded(parent);
    // A leaf that is given a child becomes a branch.
    if (p != m_root.get() && !p->item.mayHaveChildren) p->item.mayHaveChildren = true;
    const int n = int(p->children.size());
    if (row < 0 || row > n) row = n;
    beginInsertRows(parent, row, row);
    auto child = std::make_unique<Node>();
    child->item = std::move(item);
    child->parent = p;
    child->loaded = !child->item.mayHaveChildren;
    Node* raw = child.get();
    p->children.insert(p->children.begin() + row, std::move(child));
    renumber(p, row);
    endInsertRows();
    return indexOf(raw);
}

void LazyTreeModel::removeItem(const QModelIndex& index)
{
    Node* n = index.isValid() ? node(index) : nullptr;
    if (!n) return;
    Node* p = n->parent;
    const int row = n->row;
    beginRemoveRows(indexOf(p), row, row);
    p->children.erase(p->children.begin() + row);
    renumber(p, row);
    endRemoveRows();
}

void LazyTreeModel::setItemText(const QModelIndex& index, const QString& text)
{
    Item* it = itemPtr(index);
    if (!it) return;
    it->text = text;
    emit dataChanged(index, index, {Qt::DisplayRole});
}

QModelIndex LazyTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    Node* p = node(parent);
    if (!p || column != 0 || row < 0 || row >= int(p->children.size())) return QModelIndex();
    return createIndex(row, 0, p->children[size_t(row)].get());
}

QModelIndex LazyTreeModel::parent(const QModelIndex& child) const
{
    Node* n = child.isValid() ? node(child) : nullptr;
    return n ? indexOf(n->parent) : QModelIndex();
}

int LazyTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0) return 0;
    Node* p = node(parent);
    return p ? int(p->children.size()) : 0;
}

int LazyTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant LazyTreeModel::data(const QModelIndex& index, int role) const
{
    const Item* it = itemPtr(index);
    if (!it) return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole) return it->text;
    if (role == Qt::DecorationRole) return it->icon;
    return QVariant();
}

Qt::ItemFlags LazyTreeModel::flags(const QModelIndex& index) const
{
    // The views ask the root's flags before they take a drop on empty space.
    if (!index.isValid()) return m_rootDrop ? Qt::ItemIsDropEnabled : Qt::NoItemFlags;
    const Item* it = itemPtr(index);
    if (!it) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (it->draggable) f |= Qt::ItemIsDragEnabled;
    if (it->dropTarget) f |= Qt::ItemIsDropEnabled;
    if (!it->mayHaveChildren) f |= Qt::ItemNeverHasChildren;
    return f;
}

bool LazyTreeModel::hasChildren(const QModelIndex& parent) const
{
    Node* p = node(parent);
    if (!p) return false;
    if (p != m_root.get() && !p->item.mayHaveChildren) return false;
    return !p->loaded || !p->children.empty();
}

bool LazyTreeModel::canFetchMore(const QModelIndex& parent) const
{
    Node* p = node(parent);
    return p && !p->loaded && (p == m_root.get() || p->item.mayHaveChildren);
}

void LazyTreeModel::fetchMore(const QModelIndex& parent)
{
    Node* p = node(parent);
    if (!p || p->loaded) return;
    p->loaded = true;  // before loading: a loader that asks for rowCount() must not recurse
    QList<Item> items = m_loader ? m_loader(parent, *this) : QList<Item>();
    if (items.isEmpty()) {
        // The branch turned out empty: views drop its expander.
        if (parent.isValid()) emit dataChanged(parent, parent);
        return;
    }
    beginInsertRows(parent, 0, int(items.size()) - 1);
    p->children.reserve(size_t(items.size()));
    for (Item& it : items) {
        auto child = std::make_unique<Node>();
        child->item = std::move(it);
        child->parent = p;
        child->row = int(p->children.size());
        child->loaded = !child->item.mayHaveChildren;
        p->children.push_back(std::move(child));
    }
    endInsertRows();
}

Qt::DropActions LazyTreeModel::supportedDropActions() const { return Qt::MoveAction; }
Qt::DropActions LazyTreeModel::supportedDragActions() const { return Qt::MoveAction; }
QStringList LazyTreeModel::mimeTypes() const { return {kMime}; }

QMimeData* LazyTreeModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty() || !indexes.first().isValid()) return nullptr;
    // The model and the path of rows from the top: both trees are in this program.
    QList<int> rows;
    for (QModelIndex i = indexes.first(); i.isValid(); i = i.parent()) rows.prepend(i.row());
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << quint64(reinterpret_cast<quintptr>(this)) << rows;
    auto* data = new QMimeData;
    data->setData(kMime, bytes);
    return data;
}

bool LazyTreeModel::decode(const QMimeData* data, const LazyTreeModel*& from, QModelIndex& dragged) const
{
    if (!data || !data->hasFormat(kMime)) return false;
    QByteArray bytes = data->data(kMime);
    QDataStream in(&bytes, QIODevice::ReadOnly);
    quint64 address = 0;
    QList<int> rows;
    in >> address >> rows;
    if (in.status() != QDataStream::Ok || rows.isEmpty()) return false;
    const auto* model = reinterpret_cast<const LazyTreeModel*>(quintptr(address));
    if (!liveModels().contains(model)) return false;
    QModelIndex i;
    for (int r : rows) {
        i = model->index(r, 0, i);
        if (!i.isValid()) return false;
    }
    from = model;
    dragged = i;
    return true;
}

bool LazyTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                    const QModelIndex& parent) const
{
    if (action != Qt::MoveAction || !m_drop) return false;
    if (parent.isValid()) {
        const Item* target = itemPtr(parent);
        if (!target || !target->dropTarget) return false;
    } else if (!m_rootDrop) {
        return false;
    }
    const LazyTreeModel* from = nullptr;
    QModelIndex dragged;
    if (!decode(data, from, dragged)) return false;
    return !(from == this && dragged == parent);
}

bool LazyTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent)) return false;
    const LazyTreeModel* from = nullptr;
    QModelIndex dragged;
    decode(data, from, dragged);
    m_drop(*from, dragged, parent);
    // The handler has moved the items itself: the view must not remove the source.
    return false;
}

} // namespace kavro
