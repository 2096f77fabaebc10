#include "common/forms/knihovna_okna.h"

#include "common/datum.h"
#include "common/forms/cl_ukaz_kalendar.h"

#include <QLineEdit>
#include <QTreeView>

namespace kavro::knihovna {

void Ukaz_kalendar(QLineEdit* box, QWidget* parent)
{
    cl_Datum datum;
    const QString d = datum.test_datumu(box->text());
    SDatum sd;
    sd.rok = cl_Datum::cislo(d.mid(0, 4));
    sd.mesic = short(cl_Datum::cislo(d.mid(5, 2)));
    sd.den = short(cl_Datum::cislo(d.mid(8, 2)));

    cl_Ukaz_kalendar kalendar(parent);
    kalendar.Create(parent, &sd);

    box->setText(QStringLiteral("%1-%2-%3")
                     .arg(sd.rok, 4, 10, QLatin1Char('0'))
                     .arg(sd.mesic, 2, 10, QLatin1Char('0'))
                     .arg(sd.den, 2, 10, QLatin1Char('0')));
}

void Uprav_datum(QLineEdit* box, int n) { box->setText(uprav_datum_text(box->text(), n)); }

void Uprav_cas(QLineEdit* box, int n) { box->setText(uprav_cas_text(box->text(), n)); }

QString vrat_vetev_tree(QTreeView* tree)
{
    QString cesta;
    for (QModelIndex i = tree->currentIndex(); i.isValid(); i = i.parent())
        cesta.prepend(i.siblingAtColumn(0).data().toString() + QLatin1Char('\\'));
    cesta.chop(1);
    return QStringLiteral("\\\\") + cesta;
}

QModelIndex polozka_pod_mysi(QTreeView* tree, const QPoint& pos)
{
    const QModelIndex i = tree->indexAt(pos);
    if (i.isValid()) tree->setCurrentIndex(i);
    return i;
}

} // namespace kavro::knihovna
