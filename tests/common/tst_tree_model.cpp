// The lazily loaded tree: loading once per branch, items added into branches
// not read yet, branches read again, and drops between two models.
#include "common/tree_model.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QtTest>
#include <map>

using kavro::LazyTreeModel;

namespace {

struct Zaznam {
    QString cesta;
};

// A tree of three levels: "a", "b" at the top, "a/0" ... "a/2" under each, leaves below.
class Strom {
public:
    LazyTreeModel model{[this](const QModelIndex& parent, const LazyTreeModel& m) {
        const QString cesta = parent.isValid() ? m.record<Zaznam>(parent)->cesta : QString();
        ++nacteni[cesta];
        QList<LazyTreeModel::Item> items;
        const QStringList jmena = cesta.isEmpty() ? QStringList{"a", "b"} : QStringList{"0", "1", "2"};
        for (const QString& j : jmena) {
            const QString c = cesta.isEmpty() ? j : cesta + "/" + j;
            LazyTreeModel::Item it;
            it.text = c;
            it.record = Zaznam{c};
            it.mayHaveChildren = c.count('/') < 1;
            it.draggable = !it.mayHaveChildren;
            it.dropTarget = it.mayHaveChildren;
            items.append(it);
        }
        return items;
    }};
    std::map<QString, int> nacteni;
};

} // namespace

class TestTreeModel : public QObject {
    Q_OBJECT
private slots:
    void eachBranchIsReadOnceAndOnlyWhenOpened()
    {
        Strom s;
        s.model.ensureLoaded(QModelIndex());
        QCOMPARE(s.model.rowCount(), 2);
        const QModelIndex a = s.model.index(0, 0);
        QVERIFY(s.model.hasChildren(a));
        QCOMPARE(s.nacteni.count("a"), size_t(0));
        s.model.ensureLoaded(a);
        s.model.ensureLoaded(a);
        QCOMPARE(s.nacteni["a"], 1);
        QCOMPARE(s.model.rowCount(a), 3);
        QVERIFY(!s.model.hasChildren(s.model.index(0, 0, a)));  // a leaf is never read
        s.model.reloadChildren(a);
        QCOMPARE(s.model.rowCount(a), 0);
        s.model.ensureLoaded(a);
        QCOMPARE(s.nacteni["a"], 2);
        QCOMPARE(s.model.record<Zaznam>(s.model.index(2, 0, a))->cesta, QStringLiteral("a/2"));
        QVERIFY(s.model.record<int>(a) == nullptr);
        // The model keeps Qt's rules while the tester walks (and loads) it all.
        // (Attached after the reload: the tester itself fetches inside a reset.)
        s.model.reload();
        QAbstractItemModelTester tester(&s.model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        s.model.insertItem(s.model.index(0, 0), {"a/x", Zaznam{"a/x"}, false});
        s.model.removeItem(s.model.index(1, 0, s.model.index(0, 0)));
        s.model.reloadChildren(s.model.index(1, 0));
    }

    void itemAddedToAnUnreadBranchIsNotReadTwice()
    {
        Strom s;
        s.model.ensureLoaded(QModelIndex());
        const QModelIndex b = s.model.index(1, 0);
        const QModelIndex nova = s.model.insertItem(b, {"b/novy", Zaznam{"b/novy"}, false});
        QCOMPARE(s.model.rowCount(b), 4);
        QCOMPARE(nova.row(), 3);
        QCOMPARE(s.model.data(nova).toString(), QStringLiteral("b/novy"));
        s.model.removeItem(s.model.index(0, 0, b));
        QCOMPARE(s.model.rowCount(b), 3);
        QCOMPARE(s.model.index(2, 0, b), s.model.index(2, 0, b));
        QCOMPARE(s.model.parent(s.model.index(2, 0, b)), b);
    }

    void dropReachesTheHandlerAcrossModelsAndARefusalChangesNothing()
    {
        Strom zdroj;
        Strom cil;
        zdroj.model.ensureLoaded(QModelIndex());
        cil.model.ensureLoaded(QModelIndex());
        zdroj.model.ensureLoaded(zdroj.model.index(0, 0));
        const QModelIndex tazeny = zdroj.model.index(1, 0, zdroj.model.index(0, 0));
        QVERIFY(tazeny.isValid());
        std::unique_ptr<QMimeData> data(zdroj.model.mimeData({tazeny}));
        QVERIFY(data);
        const QModelIndex b = cil.model.index(1, 0);

        // Without a handler nothing can be dropped.
        QVERIFY(!cil.model.canDropMimeData(data.get(), Qt::MoveAction, -1, -1, b));
        QString dostal;
        bool prijmout = false;
        cil.model.setDropHandler([&](const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target) {
            dostal = from.record<Zaznam>(dragged)->cesta + " -> " + cil.model.record<Zaznam>(target)->cesta;
            return prijmout;
        });
        QVERIFY(cil.model.canDropMimeData(data.get(), Qt::MoveAction, -1, -1, b));
        // A leaf is no target.
        cil.model.ensureLoaded(b);
        QVERIFY(!cil.model.canDropMimeData(data.get(), Qt::MoveAction, -1, -1, cil.model.index(0, 0, b)));
        cil.model.dropMimeData(data.get(), Qt::MoveAction, -1, -1, b);
        QCOMPARE(dostal, QStringLiteral("a/1 -> b"));
        QCOMPARE(zdroj.model.rowCount(zdroj.model.index(0, 0)), 3);

        // A model that no longer exists is never dereferenced.
        std::unique_ptr<QMimeData> stara;
        {
            Strom docasny;
            docasny.model.ensureLoaded(QModelIndex());
            stara.reset(docasny.model.mimeData({docasny.model.index(0, 0)}));
        }
        QVERIFY(!cil.model.canDropMimeData(stara.get(), Qt::MoveAction, -1, -1, b));
    }

    void aModelThatIsAllTargetTakesDropsOutsideItsItems()
    {
        Strom zdroj;
        Strom cil;
        zdroj.model.ensureLoaded(QModelIndex());
        zdroj.model.ensureLoaded(zdroj.model.index(0, 0));
        std::unique_ptr<QMimeData> data(zdroj.model.mimeData({zdroj.model.index(2, 0, zdroj.model.index(0, 0))}));
        QString dostal;
        cil.model.setDropHandler([&](const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target) {
            dostal = from.record<Zaznam>(dragged)->cesta
                + (target.isValid() ? QStringLiteral(" -> item") : QStringLiteral(" -> root"));
            return true;
        });
        // By default only items take drops: the other trees keep their rules.
        QVERIFY(!(cil.model.flags(QModelIndex()) & Qt::ItemIsDropEnabled));
        QVERIFY(!cil.model.canDropMimeData(data.get(), Qt::MoveAction, -1, -1, QModelIndex()));
        QVERIFY(!cil.model.dropMimeData(data.get(), Qt::MoveAction, -1, -1, QModelIndex()));
        QVERIFY(dostal.isEmpty());
        // The empty space and the empty model, and between two items (the view gives the root and a row).
        cil.model.setRootDropTarget(true);
        QVERIFY(cil.model.flags(QModelIndex()) & Qt::ItemIsDropEnabled);
        QCOMPARE(cil.model.rowCount(), 0);
        QVERIFY(cil.model.canDropMimeData(data.get(), Qt::MoveAction, -1, -1, QModelIndex()));
        cil.model.dropMimeData(data.get(), Qt::MoveAction, -1, -1, QModelIndex());
        QCOMPARE(dostal, QStringLiteral("a/2 -> root"));
        cil.model.ensureLoaded(QModelIndex());
        dostal.clear();
        cil.model.dropMimeData(data.get(), Qt::MoveAction, 1, 0, QModelIndex());
        QCOMPARE(dostal, QStringLiteral("a/2 -> root"));
        // Items keep their own flags; a copy move is no move.
        QVERIFY(!cil.model.canDropMimeData(data.get(), Qt::CopyAction, -1, -1, QModelIndex()));
        cil.model.ensureLoaded(cil.model.index(1, 0));
        QVERIFY(!cil.model.canDropMimeData(data.get(), Qt::MoveAction, -1, -1,
                                           cil.model.index(0, 0, cil.model.index(1, 0))));
    }
};

QTEST_MAIN(TestTreeModel)
#include "tst_tree_model.moc"
