#include "tariff_tables/forms/kontrola_prirazeni.h"

#include "ui_kontrola_prirazeni.h"

#include "common/forms/knihovna_okna.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QPersistentModelIndex>
#include <QStyle>

namespace kavro {

Kontrola_Prirazeni::Kontrola_Prirazeni(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Kontrola_Prirazeni>()), m_hledej(this)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    const QFont pevne = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ui->tv_1->setFont(pevne);
    ui->tv_2->setFont(pevne);
    hledani.strom = ui->tv_1;
    hledani.typ_vlastnika = TypPasma;

    auto loader = [this](const QModelIndex& parent, const LazyTreeModel& model) { return nacti(parent, model); };
    m_pasma = std::make_unique<LazyTreeModel>(loader);
    m_neprirazene = std::make_unique<LazyTreeModel>(loader);
    m_pasma->setDropHandler([this](const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target) {
        return Presun(from, dragged, target);
    });
    // A zone known to be empty is marked loaded as soon as it is shown, so
    // it has no expander and is never read.
    connect(m_pasma.get(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent, int first, int last) {
        for (int r = first; r <= last; ++r) {
            const QModelIndex i = m_pasma->index(r, 0, parent);
            const myFormData* u = m_pasma->record<myFormData>(i);
            if (u && u->druh == u"P" && u->prazdne && !m_pasma->isLoaded(i)) m_pasma->ensureLoaded(i);
        }
    });
    // Rows of one height: a zone of thousands of items opens without measuring each.
    ui->tv_1->setUniformRowHeights(true);
    ui->tv_2->setUniformRowHeights(true);
    ui->tv_1->setModel(m_pasma.get());
    ui->tv_2->setModel(m_neprirazene.get());

    connect(ui->cb_OK, &QPushButton::clicked, this, &Kontrola_Prirazeni::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Kontrola_Prirazeni::cb_Cancel_Click);
    connect(ui->tv_1->selectionModel(), &QItemSelectionModel::currentChanged, this, &Kontrola_Prirazeni::tv_1_Select);
    connect(ui->tv_1, &QWidget::customContextMenuRequested, this, &Kontrola_Prirazeni::tv_1_RightClick);
}

Kontrola_Prirazeni::~Kontrola_Prirazeni() = default;

bool Kontrola_Prirazeni::Create(QWidget* parent)
{
    nastavZmeneno(false);
    m_pasma->ensureLoaded(QModelIndex());
    m_neprirazene->ensureLoaded(QModelIndex());
    return runModal(parent);
}

LazyTreeModel::Item Kontrola_Prirazeni::polozka(const PrirazeniPasem::Polozka& p, bool neprirazena) const
{
    LazyTreeModel::Item it;
    it.text = p.text;
    it.record = p.uzel;
    const bool list = p.uzel.druh == u"S" || p.uzel.druh == u"M";
    it.mayHaveChildren = !list && !neprirazena;
    it.draggable = list;
    it.dropTarget = !neprirazena && (list || p.uzel.druh == u"P");
    // One icon per kind, made once: a zone may hold thousands of items.
    static const QIcon koren = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    static const QIcon pasmo = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    static const QIcon stat = QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon);
    static const QIcon mesto = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    const QString& d = p.uzel.druh;
    it.icon = d == u"P" ? pasmo : d == u"S" ? stat : d == u"M" ? mesto : koren;
    return it;
}

QList<LazyTreeModel::Item> Kontrola_Prirazeni::nacti(const QModelIndex& parent, const LazyTreeModel& model)
{
    QList<LazyTreeModel::Item> out;
    QList<PrirazeniPasem::Polozka> radky;
    const bool neprirazene = &model == m_neprirazene.get();
    bool ok = true;
    if (neprirazene) {
        if (!parent.isValid()) ok = m_logika.nacti_neprirazene(radky);
    } else if (!parent.isValid()) {
        radky = PrirazeniPasem::koreny();
    } else if (const myFormData* u = model.record<myFormData>(parent)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (u->druh == u"R") ok = m_logika.nacti_pasma(u->typ, radky);
        else if (u->druh == u"P" && !u->prazdne && u->typ == u"3") ok = m_logika.nacti_staty(*u, radky);
        else if (u->druh == u"P" && !u->prazdne) ok = m_logika.nacti_mesta(*u, radky);
        QApplication::restoreOverrideCursor();
    }
    if (!ok) chyba_cteni();
    out.reserve(radky.size());
    for (const auto& r : radky) out.append(polozka(r, neprirazene));
    return out;
}

void Kontrola_Prirazeni::chyba_cteni()
{
    showDbError(QStringLiteral("Pásma se nepodařilo načíst."), m_logika.lastError());
}

void Kontrola_Prirazeni::Rozbal_vetev_stromu(const QModelIndex& item)
{
    if (item.model() == m_pasma.get()) m_pasma->ensureLoaded(item);
}

bool Kontrola_Prirazeni::Presun(const LazyTreeModel& from, const QModelIndex& dragged, const QModelIndex& target)
{
    const bool z_neprirazenych = &from == m_neprirazene.get();
    if (!z_neprirazenych && &from != m_pasma.get()) return false;
    const myFormData* tazeny = from.record<myFormData>(dragged);
    const myFormData* cil = m_pasma->record<myFormData>(target);
    if (!tazeny || !cil) return false;
    const QModelIndex zona = cil->druh == u"P" ? target : target.parent();
    const myFormData* pasmo = m_pasma->record<myFormData>(zona);
    if (!pasmo || !PrirazeniPasem::prijmout(*tazeny, z_neprirazenych, *cil, *pasmo)) return false;

    // The receiving zone is read before the write, so the moved row is not read twice.
    const QPersistentModelIndex pZona(zona);
    const QPersistentModelIndex pTazeny(dragged);
    m_pasma->ensureLoaded(pZona);
    myFormData novy = *tazeny;
    const myFormData zonaUzel = *m_pasma->record<myFormData>(pZona);
    novy.pasmo = zonaUzel.pasmo;
    if (z_neprirazenych) {
        novy.typ = zonaUzel.typ;
        if (novy.druh == u"M") novy.stat = DomaciStat;
    }
    novy.presunuto = true;
    if (!m_logika.zapis(novy)) {
        showDbError(QStringLiteral("Přesun se nepodařilo zapsat, přiřazení zůstalo beze změny."), m_logika.lastError());
        return false;
    }
    PrirazeniPasem::Polozka p{from.item(pTazeny)->text, novy};
    // An unassigned city shows its name alone; in a zone it shows its code too.
    if (z_neprirazenych && novy.druh == u"M") p.text = PrirazeniPasem::text_mesta(p.text, novy.mesto);
    LazyTreeModel* zdroj = z_neprirazenych ? m_neprirazene.get() : m_pasma.get();
    zdroj->removeItem(pTazeny);
    const QModelIndex nova = m_pasma->insertItem(pZona, polozka(p, false));
    ui->tv_1->setCurrentIndex(nova);
    nastavZmeneno();
    return true;
}

void Kontrola_Prirazeni::tv_1_Select()
{
    QStringList casti;
    for (QModelIndex i = ui->tv_1->currentIndex(); i.isValid(); i = i.parent())
        casti.prepend(PrirazeniPasem::cast_cesty(i.data().toString()));
    ui->status_bar->showMessage(casti.join(QStringLiteral(" - ")));
}

void Kontrola_Prirazeni::tv_1_RightClick(const QPoint& pos)
{
    knihovna::polozka_pod_mysi(ui->tv_1, pos);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("popup_1"));
    QAction* hledej = menu.addAction(QStringLiteral("Hledej"));
    if (menu.exec(ui->tv_1->viewport()->mapToGlobal(pos)) == hledej) popup_1_Item0_Click();
}

void Kontrola_Prirazeni::popup_1_Item0_Click()
{
    hledani.hledat_dalsi.clear();
    m_hledej.Create(this, &hledani);
}

void Kontrola_Prirazeni::cb_OK_Click()
{
    if (!m_prace.commit()) {
        showDbError(QStringLiteral("Přiřazení se nepodařilo uložit, zůstalo původní."), m_prace.errorText());
        nastavZmeneno(false);
        finish(false);
        return;
    }
    nastavZmeneno(false);
    finish(true);
}

void Kontrola_Prirazeni::cb_Cancel_Click()
{
    m_prace.rollback();
    nastavZmeneno(false);
    finish(false);
}

void Kontrola_Prirazeni::leave()
{
    // The close box asks when something was moved; Esc leaves like "Opusť".
    if (m_krizek && zmeneno()) {
        m_krizek = false;
        if (askKeepChanges() == ResultYes) {
            cb_OK_Click();
            return;
        }
    }
    m_krizek = false;
    cb_Cancel_Click();
}

void Kontrola_Prirazeni::closeEvent(QCloseEvent* e)
{
    m_krizek = true;
    Dialog::closeEvent(e);
    m_krizek = false;
}

} // namespace kavro
