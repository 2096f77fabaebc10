// The find dialog over a tree whose owner loads branches on demand.
#include "common/forms/hledej_text.h"
#include "ovladac.h"
#include "platform/forms/message_box.h"

#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

using namespace kavro;
using kavro::test::Ovladac;

namespace {

// A tree editor in small: the children of an item are loaded only when asked,
// from a map of path -> child texts. Unloaded items carry a placeholder child.
class Vlastnik : public QWidget, public VlastnikStromu {
public:
    QTreeWidget* tree;
    QMap<QString, QStringList> data; // "Firma Alfa/Obchod" -> its children
    int nacteno = 0;

    Vlastnik()
    {
        auto* l = new QVBoxLayout(this);
        tree = new QTreeWidget(this);
        tree->setHeaderHidden(true);
        l->addWidget(tree);
        data[""] = {"Firma Alfa", "Firma Beta"};
        data["Firma Alfa"] = {"Obchod", "Sklad"};
        data["Firma Alfa/Obchod"] = {QStringLiteral("Novák Jan"), QStringLiteral("Dvořák Petr")};
        data["Firma Alfa/Sklad"] = {"Svoboda Karel"};
        data["Firma Beta"] = {QStringLiteral("Účtárna")};
        data[QStringLiteral("Firma Beta/Účtárna")] = {QStringLiteral("NOVÁK Eva")};
        for (const QString& t : data[""]) pridej(new QTreeWidgetItem(tree, {t}));
    }

    static QString cesta(QTreeWidgetItem* i)
    {
        QStringList p;
        for (; i; i = i->parent()) p.prepend(i->text(0));
        return p.join('/');
    }

    // A new item gets a placeholder child when it has children to load.
    void pridej(QTreeWidgetItem* i)
    {
        if (data.contains(cesta(i))) new QTreeWidgetItem(i, {QString()});
    }

    void Rozbal_vetev_stromu(const QModelIndex& index) override
    {
        QTreeWidgetItem* i = tree->itemFromIndex(index);
        if (!i || i->childCount() != 1 || !i->child(0)->text(0).isEmpty()) return;
        ++nacteno;
        delete i->takeChild(0);
        for (const QString& t : data.value(cesta(i))) pridej(new QTreeWidgetItem(i, {t}));
    }

    // The owner drops a branch and builds it again (as after an edit).
    void znovu_nacti(const QString& path)
    {
        QTreeWidgetItem* i = najdi(path);
        qDeleteAll(i->takeChildren());
        new QTreeWidgetItem(i, {QString()});
        Rozbal_vetev_stromu(tree->indexFromItem(i));
    }

    QTreeWidgetItem* najdi(const QString& path)
    {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if (cesta(*it) == path) return *it;
        return nullptr;
    }

    bool rozbalena(const QString& path) { return tree->isExpanded(tree->indexFromItem(najdi(path))); }
    QString vybrana() const { return tree->currentItem() ? cesta(tree->currentItem()) : QString(); }
};

} // namespace

class TestHledejText : public QObject {
    Q_OBJECT

    QList<MessageRequest> zpravy;

    // One run of the dialog: types `text` (unless null) and clicks the button.
    void hledej(Vlastnik& v, FDX_Hledej_item& rec, const char* tlacitko, const QString& text = QString(),
                bool* dalsiPovoleno = nullptr)
    {
        rec.strom = v.tree;
        if (rec.typ_vlastnika.isEmpty()) rec.typ_vlastnika = TypPobocky;
        Ovladac::naModalnim<hledej_text>([=](hledej_text* d) {
            auto* box = d->findChild<QLineEdit*>("textb_1");
            if (!text.isNull()) box->setText(text);
            if (dalsiPovoleno) *dalsiPovoleno = d->findChild<QPushButton*>("cb_dalsi")->isEnabled();
            QTest::mouseClick(d->findChild<QPushButton*>(tlacitko), Qt::LeftButton);
        });
        hledej_text dlg;
        dlg.Create(&v, &rec);
    }

    // Exactly one message was shown, and it has this caption.
    bool jedna_zprava(const QString& titulek) { return zpravy.size() == 1 && zpravy[0].caption == titulek; }

private slots:
    void init()
    {
        zpravy.clear();
        setMessageAnswerer([this](const MessageRequest& r) {
            zpravy.append(r);
            return int(ResultOk);
        });
    }
    void cleanup() { setMessageAnswerer({}); }

    void firstNextAndNoWrap()
    {
        Vlastnik v;
        v.show();
        FDX_Hledej_item rec;
        bool dalsi = true;
        hledej(v, rec, "cb_hledej", QStringLiteral("  novák "), &dalsi);
        QVERIFY(!dalsi); // nothing found before
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Alfa/Obchod/Novák Jan"));
        QCOMPARE(rec.hledany_text, QStringLiteral("novák"));
        QVERIFY(zpravy.isEmpty());
        // Found deep in branches never opened: the way to it is open, the item current.
        QVERIFY(v.rozbalena("Firma Alfa/Obchod"));

        hledej(v, rec, "cb_dalsi", QString(), &dalsi);
        QVERIFY(dalsi);
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Beta/Účtárna/NOVÁK Eva"));
        // Branches passed on the way are left collapsed.
        QVERIFY(!v.rozbalena("Firma Alfa"));
        QVERIFY(!v.rozbalena("Firma Alfa/Sklad"));

        hledej(v, rec, "cb_dalsi");
        QVERIFY(jedna_zprava(QStringLiteral("Text nenalezen")));
        QVERIFY(rec.nalezena_polozka.isNull());

        hledej(v, rec, "cb_hledej", QString(), &dalsi);
        QVERIFY(!dalsi);
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Alfa/Obchod/Novák Jan"));
        QVERIFY(v.nacteno >= 5); // every branch was loaded on the way
    }

    void rootItemCaseAndEmptyText()
    {
        Vlastnik v;
        FDX_Hledej_item rec;
        hledej(v, rec, "cb_hledej", QStringLiteral("ALFA"));
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Alfa"));
        hledej(v, rec, "cb_hledej", QStringLiteral("účt"));
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Beta/Účtárna"));
        QVERIFY(zpravy.isEmpty());
        hledej(v, rec, "cb_hledej", QStringLiteral("   "));
        QVERIFY(jedna_zprava(QStringLiteral("Text nenalezen")));
    }

    void nextAtOnceFromTheOwnersMenu()
    {
        Vlastnik v;
        FDX_Hledej_item rec;
        hledej(v, rec, "cb_hledej", QStringLiteral("novák"));
        rec.hledat_dalsi = rec.nalezena_polozka;
        hledej_text dlg;
        dlg.Create(&v, &rec); // no input is waited for
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Beta/Účtárna/NOVÁK Eva"));
        QVERIFY(rec.hledat_dalsi.isNull());
        QVERIFY(!dlg.isVisible());
    }

    void lastFoundAcrossTheOwnerReloadingBranches()
    {
        Vlastnik v;
        FDX_Hledej_item rec;
        hledej(v, rec, "cb_hledej", QStringLiteral("novák"));
        // Every item of the branch is deleted and made anew: the search goes on after it.
        v.znovu_nacti("Firma Alfa");
        v.znovu_nacti("Firma Alfa/Obchod");
        hledej(v, rec, "cb_dalsi");
        QVERIFY(zpravy.isEmpty());
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Beta/Účtárna/NOVÁK Eva"));

        // The item found last is gone: nothing comes after it.
        hledej(v, rec, "cb_hledej", QStringLiteral("dvořák"));
        v.data["Firma Alfa/Obchod"].removeAll(QStringLiteral("Dvořák Petr"));
        v.znovu_nacti("Firma Alfa/Obchod");
        rec.hledany_text = QStringLiteral("novák");
        hledej(v, rec, "cb_dalsi");
        QVERIFY(jedna_zprava(QStringLiteral("Text nenalezen")));
    }

    void sameTextsAmongSiblingsAreTold()
    {
        Vlastnik v;
        v.data["Firma Alfa/Sklad"] = {"Svoboda Karel", "Svoboda Karel"};
        FDX_Hledej_item rec;
        hledej(v, rec, "cb_hledej", QStringLiteral("svoboda"));
        hledej(v, rec, "cb_dalsi");
        QVERIFY(zpravy.isEmpty());
        QCOMPARE(v.tree->currentItem()->parent()->indexOfChild(v.tree->currentItem()), 1);
    }

    void unknownOwnerKind()
    {
        Vlastnik v;
        FDX_Hledej_item rec;
        rec.typ_vlastnika = QStringLiteral("Neco");
        hledej(v, rec, "cb_hledej", QStringLiteral("alfa"));
        QVERIFY(jedna_zprava(QStringLiteral("Chyba při hledání")));
        QVERIFY(v.tree->currentItem() == nullptr);
    }
};

QTEST_MAIN(TestHledejText)
#include "tst_hledej_text.moc"
