#pragma once
// "Najdi Text": finds an item by its text in a tree whose branches the owning
// form loads on demand. The search walks the whole tree in pre-order from the
// first root item, asking the owner to load each branch before it looks into
// it; a found item is expanded, made current and given the focus. "První
// výskyt" finds the first match, "Další výskyt" the first match after the item
// found last. There is no wrap-around.
#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

#include <memory>

class QAbstractItemModel;
class QModelIndex;
class QTreeView;

namespace Ui { class hledej_text; }

namespace kavro {

// What the owner of a searched tree offers: loading the children of an item
// into the tree if they are not loaded yet (an item already loaded, or without
// children, is left as it is). The find dialog's parent must implement it.
// A QTreeWidget owner gets its item with tree->itemFromIndex(item).
class VlastnikStromu {
public:
    virtual ~VlastnikStromu() = default;
    virtual void Rozbal_vetev_stromu(const QModelIndex& item) = 0;
};

// An item of a tree named so that it survives the owner reloading branches:
// its texts (column 0) from the root down, each with its occurrence among the
// siblings of the same text. Empty = no item.
class CestaPolozky {
public:
    struct Krok {
        QString text;
        int vyskyt = 0; // 0 = the first sibling with this text
        bool operator==(const Krok&) const = default;
    };

    CestaPolozky() = default;
    static CestaPolozky z_indexu(const QModelIndex& index);

    bool isNull() const { return m_kroky.isEmpty(); }
    void clear() { m_kroky.clear(); }
    const QList<Krok>& kroky() const { return m_kroky; }
    void pridej(const Krok& k) { m_kroky.append(k); }
    void odeber_posledni() { m_kroky.removeLast(); }
    bool operator==(const CestaPolozky&) const = default;

    // The item in a model as it is loaded now; invalid when it is not there.
    QModelIndex najdi(const QAbstractItemModel* model) const;

private:
    QList<Krok> m_kroky;
};

// Owner kinds.
inline const QString TypPobocky = QStringLiteral("Pobocky");
inline const QString TypUcastnici = QStringLiteral("Ucastnici");
inline const QString TypPasma = QStringLiteral("Pasma");

// Kept by the owner between searches.
struct FDX_Hledej_item {
    QTreeView* strom = nullptr;       // the owner's tree (QTreeWidget too)
    CestaPolozky hledat_dalsi;        // not empty: run "Další výskyt" at once; cleared when the dialog ends
    QString hledany_text;             // the text searched for, kept between searches
    CestaPolozky nalezena_polozka;    // the item found last; empty = none
    QString typ_vlastnika;            // "Pobocky", "Ucastnici" or "Pasma"
};

class hledej_text : public QDialog {
    Q_OBJECT
public:
    explicit hledej_text(QWidget* parent = nullptr);
    ~hledej_text() override;

    // Runs the dialog modally (or, with hledat_dalsi set, runs the next search
    // at once and closes). `parent` must be the owner form (a VlastnikStromu).
    bool Create(QWidget* parent, FDX_Hledej_item* record);

    void hledej_text_Create();
    void textb_1_Change(const QString& text);
    void cb_hledej_Click();
    void cb_dalsi_Click();
    void cb_Cancel_Click();

private:
    void hledej();
    bool hledej_Item(const QModelIndex& prvni, CestaPolozky& cesta);
    void text_nenalezen();

    std::unique_ptr<Ui::hledej_text> ui;
    FDX_Hledej_item* m_record = nullptr;
    VlastnikStromu* m_vlastnik = nullptr;
};

} // namespace kavro
