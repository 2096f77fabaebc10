// The find dialog over a tree whose owner loads branches on demand.
#include "common/forms/hledej_text.h"
#include "modal_helper.h"
#include "platform/forms/message_box.h"

#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace kavro;
using kavro::test::naModalnim;

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
        for (const QString& t : data[""]) pridej(nullptr, t);
    }

    static QString cesta(QTreeWidgetItem* i)
    {
        QStringList p;
        for (; i; i = i->parent()) p.prepend(i->text(0));
        return p.join('/');
    }

    void pridej(QTreeWidgetItem* rodic, const QString& text)
    {
        auto* i = rodic ? new QTreeWidgetItem(rodic, {text}) : new QTreeWidgetItem(tree, {text});
        if (data.contains(cesta(i))) {
            auto* zastupce = new QTreeWidgetItem(i, {QString()});
            zastupce->setData(0, Qt::UserRole, true);
        }
    }

    void Rozbal_vetev_stromu(const QModelIndex& index) override
    {
        QTreeWidgetItem* i = tree->itemFromIndex(index);
        if (!i || i->childCount() != 1 || !i->child(0)->data(0, Qt::UserRole).toBool()) return;
        ++nacteno;
        delete i->takeChild(0);
        for (const QString& t : data.value(cesta(i))) pridej(i, t);
    }

    // The owner drops a branch and builds it again (as after an edit).
    void znovu_nacti(const QString& path)
    {
        QTreeWidgetItem* i = najdi(path);
        qDeleteAll(i->takeChildren());
        auto* zastupce = new QTreeWidgetItem(i, {QString()});
        zastupce->setData(0, Qt::UserRole, true);
        Rozbal_vetev_stromu(tree->indexFromItem(i));
    }

    QTreeWidgetItem* najdi(const QString& path)
    {
        const QStringList kroky = path.split('/');
        QTreeWidgetItem* i = nullptr;
        for (const QString& k : kroky) {
            QTreeWidgetItem* dalsi = nullptr;
            const int n = i ? i->childCount() : tree->topLevelItemCount();
            for (int r = 0; r < n && !dalsi; ++r) {
                QTreeWidgetItem* c = i ? i->child(r) : tree->topLevelItem(r);
                if (c->text(0) == k) dalsi = c;
            }
            if (!dalsi) return nullptr;
            i = dalsi;
        }
        return i;
    }

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
        naModalnim<hledej_text>([=](hledej_text* d) {
            auto* box = d->findChild<QLineEdit*>("textb_1");
            if (!text.isNull()) box->setText(text);
            if (dalsiPovoleno) *dalsiPovoleno = d->findChild<QPushButton*>("cb_dalsi")->isEnabled();
            QTest::mouseClick(d->findChild<QPushButton*>(tlacitko), Qt::LeftButton);
        });
        hledej_text dlg;
        dlg.Create(&v, &rec);
    }

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
        QVERIFY(v.tree->isExpanded(v.tree->indexFromItem(v.najdi("Firma Alfa/Obchod"))));

        hledej(v, rec, "cb_dalsi", QString(), &dalsi);
        QVERIFY(dalsi);
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Beta/Účtárna/NOVÁK Eva"));
        // Branches passed on the way are left collapsed.
        QVERIFY(!v.tree->isExpanded(v.tree->indexFromItem(v.najdi("Firma Alfa"))));
        QVERIFY(!v.tree->isExpanded(v.tree->indexFromItem(v.najdi("Firma Alfa/Sklad"))));

        hledej(v, rec, "cb_dalsi");
        QCOMPARE(zpravy.size(), 1);
        QCOMPARE(zpravy[0].caption, QStringLiteral("Text nenalezen"));
        QCOMPARE(zpravy[0].text, QStringLiteral("Položka s tímto textem nebyla nalezena"));
        QCOMPARE(zpravy[0].icon, int(IconWarning));
        QVERIFY(rec.nalezena_polozka.isNull());

        hledej(v, rec, "cb_hledej", QString(), &dalsi);
        QVERIFY(!dalsi);
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Alfa/Obchod/Novák Jan"));
        QVERIFY(v.nacteno >= 5); // every branch was loaded on the way
    }

    void rootItemAndCase()
    {
        Vlastnik v;
        FDX_Hledej_item rec;
        hledej(v, rec, "cb_hledej", QStringLiteral("ALFA"));
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Alfa"));
        hledej(v, rec, "cb_hledej", QStringLiteral("účt"));
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Beta/Účtárna"));
        QVERIFY(zpravy.isEmpty());
    }

    void emptyTextFindsNothing()
    {
        Vlastnik v;
        FDX_Hledej_item rec;
        hledej(v, rec, "cb_hledej", QStringLiteral("   "));
        QCOMPARE(zpravy.size(), 1);
        QCOMPARE(zpravy[0].caption, QStringLiteral("Text nenalezen"));
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

    void lastFoundSurvivesTheOwnerReloadingBranches()
    {
        Vlastnik v;
        FDX_Hledej_item rec;
        hledej(v, rec, "cb_hledej", QStringLiteral("novák"));
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Alfa/Obchod/Novák Jan"));
        // Every item of the branch is deleted and made anew.
        v.znovu_nacti("Firma Alfa");
        v.znovu_nacti("Firma Alfa/Obchod");
        hledej(v, rec, "cb_dalsi");
        QVERIFY(zpravy.isEmpty());
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Beta/Účtárna/NOVÁK Eva"));
    }

    void lastFoundGoneGivesTextNotFound()
    {
        Vlastnik v;
        FDX_Hledej_item rec;
        hledej(v, rec, "cb_hledej", QStringLiteral("dvořák"));
        QCOMPARE(v.vybrana(), QStringLiteral("Firma Alfa/Obchod/Dvořák Petr"));
        v.data["Firma Alfa/Obchod"].removeAll(QStringLiteral("Dvořák Petr"));
        v.znovu_nacti("Firma Alfa/Obchod");
        rec.hledany_text = QStringLiteral("novák");
        hledej(v, rec, "cb_dalsi");
        QCOMPARE(zpravy.size(), 1);
        QCOMPARE(zpravy[0].caption, QStringLiteral("Text nenalezen"));
    }

    void sameTextsAmongSiblingsAreTold()
    {
        Vlastnik v;
        v.data["Firma Alfa/Sklad"] = {"Svoboda Karel", "Svoboda Karel"};
        FDX_Hledej_item rec;
        hledej(v, rec, "cb_hledej", QStringLiteral("svoboda"));
        QTreeWidgetItem* prvni = v.tree->currentItem();
        hledej(v, rec, "cb_dalsi");
        QVERIFY(zpravy.isEmpty());
        QVERIFY(v.tree->currentItem() != prvni);
        QCOMPARE(v.tree->currentItem()->parent()->indexOfChild(v.tree->currentItem()), 1);
    }

    void unknownOwnerKind()
    {
        Vlastnik v;
        FDX_Hledej_item rec;
        rec.typ_vlastnika = QStringLiteral("Neco");
        hledej(v, rec, "cb_hledej", QStringLiteral("alfa"));
        QCOMPARE(zpravy.size(), 1);
        QCOMPARE(zpravy[0].caption, QStringLiteral("Chyba při hledání"));
        QCOMPARE(zpravy[0].text, QStringLiteral("Nepodařilo se správně inicializovat\nhledání. "));
        QCOMPARE(zpravy[0].icon, int(IconStop));
        QVERIFY(v.tree->currentItem() == nullptr);
    }
};

QTEST_MAIN(TestHledejText)
#include "tst_hledej_text.moc"
