#include "tariff_tables/forms/strom_period.h"

#include "common/forms/knihovna_okna.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QPersistentModelIndex>
#include <QStyle>
#include <QTreeView>

namespace kavro {

StromPeriod::StromPeriod(PeriodyImpulsu periody, QWidget* parent)
    : Dialog(parent), m_periody(std::move(periody)), m_dialog_platnosti(this), m_dialog_casu(this)
{
    m_model = std::make_unique<LazyTreeModel>(
        [this](const QModelIndex& parent, const LazyTreeModel& model) { return nacti(parent, model); });
    // An owner without rows is marked loaded as soon as it is shown: no expander, no read.
    connect(m_model.get(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent, int first, int last) {
        for (int r = first; r <= last; ++r) {
            const QModelIndex i = m_model->index(r, 0, parent);
            const Uzel* u = m_model->record<Uzel>(i);
            if (u && u->druh == druh_vlastnika() && !u->ma_radky && !m_model->isLoaded(i)) m_model->ensureLoaded(i);
        }
    });
}

StromPeriod::~StromPeriod() = default;

void StromPeriod::pripoj(QTreeView* tv)
{
    m_tv = tv;
    tv->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    tv->setUniformRowHeights(true);
    tv->setModel(m_model.get());
    tv->setContextMenuPolicy(Qt::CustomContextMenu);
    tv->setExpandsOnDoubleClick(true);
    connect(tv, &QWidget::customContextMenuRequested, this, &StromPeriod::tv_1_RightClick);
    connect(tv, &QAbstractItemView::doubleClicked, this, &StromPeriod::tv_1_DoubleClick);
    connect(tv, &QTreeView::expanded, this, &StromPeriod::tv_1_Expand);
    m_model->ensureLoaded(QModelIndex());
}

LazyTreeModel::Item StromPeriod::polozka(const Uzel& u) const
{
    LazyTreeModel::Item it;
    it.record = u;
    static const QIcon vlastnik = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    static const QIcon platnost = QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    static const QIcon pasmo = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    if (u.druh == u"D") {
        it.text = text_platnosti(u.platnost);
        it.icon = platnost;
    } else if (u.druh == u"C") {
        it.text = PeriodyImpulsu::text_casu(u.cas);
        it.mayHaveChildren = false;
        it.icon = pasmo;
    } else {
        it.text = u.nazev;
        it.icon = vlastnik;
    }
    return it;
}

QList<LazyTreeModel::Item> StromPeriod::nacti(const QModelIndex& parent, const LazyTreeModel& model)
{
    QList<LazyTreeModel::Item> out;
    bool ok = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!parent.isValid()) {
        QList<PeriodyImpulsu::Vlastnik> v;
        ok = m_periody.nacti_vlastniky(v);
        for (const auto& x : v) out.append(polozka(Uzel{x.klic, druh_vlastnika(), x.nazev, x.ma_radky}));
    } else if (const Uzel* u = model.record<Uzel>(parent)) {
        if (u->druh == u"D") {
            QList<PeriodyImpulsu::Cas> casy;
            ok = m_periody.nacti_casy(u->klic, u->platnost, casy);
            for (const auto& c : casy) out.append(polozka(Uzel{u->klic, QStringLiteral("C"), QString(), true, {}, c}));
        } else if (u->druh != u"C" && u->ma_radky) {
            QList<PeriodyImpulsu::Platnost> p;
            ok = m_periody.nacti_platnosti(u->klic, p);
            for (const auto& x : p) out.append(polozka(Uzel{u->klic, QStringLiteral("D"), QString(), true, x}));
        }
    }
    QApplication::restoreOverrideCursor();
    if (!ok) chyba(QStringLiteral("Data se nepodařilo načíst."), m_periody.lastError());
    return out;
}

QModelIndex StromPeriod::vybrana() const { return m_tv ? m_tv->currentIndex() : QModelIndex(); }

QString StromPeriod::cesta(const QModelIndex& i) const
{
    QStringList casti;
    for (QModelIndex x = i; x.isValid(); x = x.parent()) casti.prepend(x.data().toString());
    return QStringLiteral("\\") + casti.join(QLatin1Char('\\')) + QStringLiteral("\\");
}

void StromPeriod::chyba(const QString& co, const QString& proc) { showDbError(co, proc); }

void StromPeriod::tv_1_RightClick(const QPoint& pos)
{
    const QModelIndex i = knihovna::polozka_pod_mysi(m_tv, pos);
    QMenu menu(this);
    nabidka(menu, i);
    if (!menu.isEmpty()) menu.exec(m_tv->viewport()->mapToGlobal(pos));
}

// The branch a user opens becomes the one the menu operations act on; a
// branch the view opens to show the item just selected in it leaves that item.
void StromPeriod::tv_1_Expand(const QModelIndex& i)
{
    for (QModelIndex x = m_tv->currentIndex(); x.isValid(); x = x.parent())
        if (x.parent() == i) return;
    m_tv->setCurrentIndex(i);
}

QString StromPeriod::stejna_platnost(const QModelIndex& vlastnik, const PeriodyImpulsu::Platnost& p,
                                     const QModelIndex& vyjma) const
{
    for (int r = 0; r < m_model->rowCount(vlastnik); ++r) {
        const QModelIndex i = m_model->index(r, 0, vlastnik);
        const Uzel* u = m_model->record<Uzel>(i);
        if (i != vyjma && u && u->druh == u"D" && u->platnost == p) return m_periody.stejna_platnost(p);
    }
    return QString();
}

void StromPeriod::tv_1_DoubleClick(const QModelIndex& i)
{
    const Uzel* u = m_model->record<Uzel>(i);
    if (u && u->druh == u"C") PopupMenu(3, 2);
}

void StromPeriod::PopupMenu(int uroven, int operace)
{
    const QModelIndex i = vybrana();
    if (!i.isValid() && !(uroven == 1 && operace == 1)) return;
    if (uroven == 1) operace_vlastnika(i, operace);
    else if (uroven == 2) platnost(i, operace);
    else if (uroven == 3) cas(i, operace);
}

void StromPeriod::platnost(const QModelIndex& subjekt, int operace)
{
    const Uzel* u = m_model->record<Uzel>(subjekt);
    if (!u || u->druh == u"C" || (operace != 1 && u->druh != u"D")) return;
    QPersistentModelIndex s(subjekt);
    m_model->ensureLoaded(s);
    const QPersistentModelIndex vlastnik(u->druh == u"D" ? subjekt.parent() : subjekt);
    FDX_Nastaveni_tarifnich_pasem r;
    r.rezim = operace;
    r.popis_pasma = cesta(vlastnik);
    if (operace != 1) {
        r.datum_od = u->platnost.od;
        r.datum_do = u->platnost.do_;
    }
    const Uzel puvodni = *u;
    if (!m_dialog_platnosti.Create(this, &r) || !r.OK) return;
    const PeriodyImpulsu::Platnost nova{r.datum_od, r.datum_do};
    // Two ranges of one owner with the same dates would share their bands: a
    // range shown in the tree (stored, or new and still without a band) and
    // one stored in the table are both refused.
    if (operace == 1) {
        QString proc = stejna_platnost(vlastnik, nova, QModelIndex());
        if (proc.isEmpty()) proc = m_periody.chyba_nove_platnosti(puvodni.klic, nova);
        if (!proc.isEmpty()) {
            chyba(QStringLiteral("Platnost nelze vložit."), proc);
            return;
        }
        // A range is stored with its first band; until then it lives in the tree
        // only, with nothing to read and no expander.
        LazyTreeModel::Item novy = polozka(Uzel{puvodni.klic, QStringLiteral("D"), {}, true, nova});
        novy.mayHaveChildren = false;
        const QModelIndex n = m_model->insertItem(vlastnik, std::move(novy));
        m_tv->setCurrentIndex(n);
    } else if (operace == 2) {
        const QString proc = nova == puvodni.platnost ? QString() : stejna_platnost(vlastnik, nova, s);
        if (!proc.isEmpty()) {
            chyba(QStringLiteral("Platnost nelze změnit, zůstala původní."), proc);
            return;
        }
        if (!m_periody.uprav_platnost(puvodni.klic, puvodni.platnost, nova)) {
            chyba(QStringLiteral("Platnost se nepodařilo změnit, zůstala původní."), m_periody.lastError());
            return;
        }
        // Its bands take the range's dates from it: nothing else to renew.
        m_model->record<Uzel>(s)->platnost = nova;
        m_model->setItemText(s, text_platnosti(nova));
    } else if (operace == 3) {
        if (!m_periody.smaz_platnost(puvodni.klic, puvodni.platnost)) {
            chyba(QStringLiteral("Platnost se nepodařilo smazat."), m_periody.lastError());
            return;
        }
        m_model->removeItem(s);
    }
    nastavZmeneno();
}

void StromPeriod::cas(const QModelIndex& subjekt, int operace)
{
    const Uzel* u = m_model->record<Uzel>(subjekt);
    if (!u || (u->druh != u"D" && u->druh != u"C") || (operace != 1 && u->druh != u"C")) return;
    QPersistentModelIndex s(subjekt);
    const QPersistentModelIndex rozsah(u->druh == u"D" ? subjekt : subjekt.parent());
    // The range's bands are read before a new one joins them, so none shows twice.
    if (operace == 1) m_model->ensureLoaded(rozsah);
    const Uzel r_uzel = *m_model->record<Uzel>(rozsah);
    const Uzel puvodni = *m_model->record<Uzel>(s);
    FDX_Nastaveni_tarifnich_pasem r;
    r.rezim = operace;
    r.popis_pasma = cesta(rozsah);
    r.datum_od = r_uzel.platnost.od;
    r.datum_do = r_uzel.platnost.do_;
    r.typ_dne = 1;
    if (operace != 1) {
        r.cas_od = puvodni.cas.od_casu;
        r.cas_do = puvodni.cas.do_casu;
        r.perioda = puvodni.cas.perioda;
        r.typ_dne = short(puvodni.cas.typ_dne);
    }
    if (!m_dialog_casu.Create(this, &r) || !r.OK) return;
    const PeriodyImpulsu::Cas novy{r.cas_od, r.cas_do, r.perioda.trimmed(), r.typ_dne};
    if (operace == 1) {
        if (!m_periody.vloz_cas(r_uzel.klic, r_uzel.platnost, novy)) {
            chyba(QStringLiteral("Časový úsek se nepodařilo vložit."), m_periody.lastError());
            return;
        }
        const QModelIndex n = m_model->insertItem(rozsah, polozka(Uzel{r_uzel.klic, QStringLiteral("C"), {}, true, {}, novy}));
        m_tv->expand(rozsah);
        m_tv->setCurrentIndex(n);
    } else if (operace == 2) {
        if (!m_periody.uprav_cas(r_uzel.klic, r_uzel.platnost, puvodni.cas, novy)) {
            chyba(QStringLiteral("Časový úsek se nepodařilo změnit, zůstal původní."), m_periody.lastError());
            return;
        }
        m_model->record<Uzel>(s)->cas = novy;
        m_model->setItemText(s, PeriodyImpulsu::text_casu(novy));
    } else if (operace == 3) {
        if (!m_periody.smaz_cas(r_uzel.klic, r_uzel.platnost, puvodni.cas)) {
            chyba(QStringLiteral("Časový úsek se nepodařilo smazat."), m_periody.lastError());
            return;
        }
        m_model->removeItem(s);
    }
    nastavZmeneno();
}

void StromPeriod::cb_OK_Click()
{
    if (!m_prace.commit()) {
        showDbError(QStringLiteral("Změny se nepodařilo uložit, zůstal původní stav."), m_prace.errorText());
        nastavZmeneno(false);
        finish(false);
        return;
    }
    nastavZmeneno(false);
    finish(true);
}

void StromPeriod::cb_Cancel_Click()
{
    m_prace.rollback();
    nastavZmeneno(false);
    finish(false);
}

void StromPeriod::pridej(QMenu& menu, const QString& text, int uroven, int operace)
{
    connect(menu.addAction(text), &QAction::triggered, this, [this, uroven, operace] { PopupMenu(uroven, operace); });
}

bool StromPeriod::nabidkaRozsahuACasu(QMenu& menu, const Uzel& u, const QString& jmenoRozsahu, const QString& jmenoCasu)
{
    if (u.druh == u"D") {
        menu.setObjectName(jmenoRozsahu);
        pridej(menu, QStringLiteral("Vložení data od - do"), 2, 1);
        pridej(menu, QStringLiteral("Oprava data od - do"), 2, 2);
        pridej(menu, QStringLiteral("Smazani_datumu"), 2, 3);
        menu.addSeparator();
        pridej(menu, QStringLiteral("Vložení času od - do"), 3, 1);
        return true;
    }
    if (u.druh == u"C") {
        menu.setObjectName(jmenoCasu);
        pridej(menu, QStringLiteral("Vložení času od  do"), 3, 1);
        pridej(menu, QStringLiteral("Oprava času od do"), 3, 2);
        menu.addSeparator();
        pridej(menu, QStringLiteral("Smazani_casu"), 3, 3);
        return true;
    }
    return false;
}

void StromPeriod::leave()
{
    // The close box asks when something was changed; Esc leaves like "Opusť".
    const bool ptat = m_krizek && zmeneno();
    m_krizek = false;
    if (ptat && askKeepChanges() == ResultYes) {
        cb_OK_Click();
        return;
    }
    cb_Cancel_Click();
}

void StromPeriod::closeEvent(QCloseEvent* e)
{
    m_krizek = true;
    Dialog::closeEvent(e);
    m_krizek = false;
}

} // namespace kavro
