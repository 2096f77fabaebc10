#include "tariff_tables/forms/z_kalendar_svatku.h"

#include "ui_z_kalendar_svatku.h"

#include "common/forms/knihovna_okna.h"
#include "platform/forms/message_box.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenu>

namespace kavro {

Z_Kalendar_svatku::Z_Kalendar_svatku(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::Z_Kalendar_svatku>())
    , m_model([this](const QModelIndex& parent, const LazyTreeModel&) { return nacti_svatky(parent); })
    , m_oprava(this)
{
    ui->setupUi(this);
    ui->tv_1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui->tv_1->setModel(&m_model);
    ui->tv_1->setContextMenuPolicy(Qt::CustomContextMenu);

    popup_1 = new QMenu(this);
    popup_1->setObjectName(QStringLiteral("popup_1"));
    popup_1->addAction(QStringLiteral("Vložení"), this, [this] { PopupMenu(2, 1); });
    popup_1->addAction(QStringLiteral("Oprava"), this, [this] { PopupMenu(2, 2); });
    popup_1->addAction(QStringLiteral("Smazání"), this, [this] { PopupMenu(2, 3); });
    popup_2 = new QMenu(this);
    popup_2->setObjectName(QStringLiteral("popup_2"));
    popup_2->addAction(QStringLiteral("Vložení"), this, [this] { PopupMenu(1, 1); });

    connect(ui->tv_1, &QTreeView::doubleClicked, this, &Z_Kalendar_svatku::tv_1_DoubleClick);
    connect(ui->tv_1, &QWidget::customContextMenuRequested, this, &Z_Kalendar_svatku::tv_1_RightClick);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Z_Kalendar_svatku::cb_OK_Click);
    connect(ui->cb_1, &QPushButton::clicked, this, &Z_Kalendar_svatku::cb_1_Click);
}

Z_Kalendar_svatku::~Z_Kalendar_svatku() = default;

bool Z_Kalendar_svatku::Create(QWidget* parent, FDX_Kalendar_svatku* record)
{
    m_target = record ? record : &m_vychozi;
    m_svatky = std::make_unique<Pevne_svatky>(m_target->rok);
    // Each opening starts unchanged: a "No" to the save question rolled back.
    nastavZmeneno(false);
    Z_Kalendar_svatku_Create();
    tv_1_Create();
    const bool ok = runModal(parent);
    m_target = nullptr;
    return ok;
}

void Z_Kalendar_svatku::Z_Kalendar_svatku_Create() { setWindowTitle(m_svatky->titulek()); }

void Z_Kalendar_svatku::chyba(const QString& co, const QString& text) { showDbError(co, text); }

void Z_Kalendar_svatku::tv_1_Create()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // The year's Easter row is stored and committed before the tree reads the table.
    bool vlozeno = false;
    if (!m_svatky->Vloz_velikonoce(&vlozeno)) {
        m_prace.rollback();
        chyba(QStringLiteral("Velikonoce se nepodařilo zapsat."), m_svatky->lastError());
    } else if (vlozeno && !m_prace.commit()) {
        chyba(QStringLiteral("Velikonoce se nepodařilo uložit."), m_prace.errorText());
    }
    m_chyba_cteni.clear();
    m_model.reload();
    m_model.ensureLoaded(QModelIndex());
    for (int r = 0; r < m_model.rowCount(); ++r) m_model.ensureLoaded(m_model.index(r, 0));
    ui->tv_1->setCurrentIndex(m_model.index(0, 0));
    QGuiApplication::restoreOverrideCursor();
    if (!m_chyba_cteni.isEmpty()) chyba(QStringLiteral("Svátky nelze načíst."), m_chyba_cteni);
}

QList<LazyTreeModel::Item> Z_Kalendar_svatku::nacti_svatky(const QModelIndex& parent)
{
    QList<LazyTreeModel::Item> items;
    if (!parent.isValid()) {
        for (int m = 1; m <= 12; ++m) {
            Struct_svatky s;
            s.den = Struct_svatky::DenMesice;
            s.mesic = m;
            items.append({Pevne_svatky::nazevMesice(m), s});
        }
        return items;
    }
    const Struct_svatky* mesic = m_model.record<Struct_svatky>(parent);
    if (!mesic || !mesic->jeMesic()) return items;
    QList<Struct_svatky> svatky;
    if (!m_svatky->nacti(mesic->mesic, &svatky)) m_chyba_cteni = m_svatky->lastError();
    for (const Struct_svatky& s : svatky)
        items.append({Pevne_svatky::textUzlu(s), s, false});
    return items;
}

void Z_Kalendar_svatku::obnov(const QModelIndex& mesic)
{
    m_chyba_cteni.clear();
    m_model.reloadChildren(mesic);
    m_model.ensureLoaded(mesic);
    ui->tv_1->expand(mesic);
    ui->tv_1->setCurrentIndex(mesic);
}

void Z_Kalendar_svatku::tv_1_RightClick(const QPoint& pos)
{
    const QModelIndex index = knihovna::polozka_pod_mysi(ui->tv_1, pos);
    const Struct_svatky* s = m_model.record<Struct_svatky>(index);
    if (!s || !s->editovatelny) return;
    QMenu* menu = s->jeMesic() ? popup_2 : popup_1;
    menu->exec(ui->tv_1->viewport()->mapToGlobal(pos));
}

void Z_Kalendar_svatku::tv_1_DoubleClick(const QModelIndex& index)
{
    const Struct_svatky* s = m_model.record<Struct_svatky>(index);
    if (!s || s->jeMesic() || !s->editovatelny) return;
    ui->tv_1->setCurrentIndex(index);
    PopupMenu(2, 2);
}

void Z_Kalendar_svatku::PopupMenu(int level, int operation)
{
    const QModelIndex vybrany = ui->tv_1->currentIndex();
    const QModelIndex mesicIndex = level == 1 ? vybrany : vybrany.parent();
    const Struct_svatky* mesic = m_model.record<Struct_svatky>(mesicIndex);
    if (!mesic || !mesic->jeMesic()) return;

    Struct_svatky s;
    if (operation == 1) {
        s.mesic = mesic->mesic;
        s.den = 1;
        s.stav = 1;
    } else {
        const Struct_svatky* puvodni = m_model.record<Struct_svatky>(vybrany);
        if (!puvodni || puvodni->jeMesic() || !puvodni->editovatelny) return;
        s = *puvodni;
    }
    s.rezim = operation;
    s.rok = m_svatky->rokDnu();
    m_oprava.Create(this, &s);
    if (s.rezim != 1) return;
    if (s.stav != 1) s.stav = operation;

    switch (operation) {
    case 1: {
        if (!m_svatky->vloz(&s)) {
            chyba(QStringLiteral("Svátek se nepodařilo zapsat."), m_svatky->lastError());
            obnov(mesicIndex);
            return;
        }
        const QModelIndex novy = m_model.insertItem(mesicIndex, {Pevne_svatky::textUzlu(s), s, false});
        ui->tv_1->expand(mesicIndex);
        ui->tv_1->setCurrentIndex(novy);
        break;
    }
    case 2:
        if (!m_svatky->oprav(s)) {
            chyba(QStringLiteral("Svátek se nepodařilo opravit."), m_svatky->lastError());
            obnov(mesicIndex);
            return;
        }
        *m_model.record<Struct_svatky>(vybrany) = s;
        m_model.setItemText(vybrany, Pevne_svatky::textUzlu(s));
        break;
    case 3:
        if (!m_svatky->smaz(s)) {
            chyba(QStringLiteral("Svátek se nepodařilo smazat."), m_svatky->lastError());
            obnov(mesicIndex);
            return;
        }
        m_model.removeItem(vybrany);
        break;
    default:
        return;
    }
    nastavZmeneno(true);
}

void Z_Kalendar_svatku::cb_OK_Click()
{
    if (!m_prace.commit()) {
        // The unit of work has been rolled back: show what is stored.
        nastavZmeneno(false);
        chyba(QStringLiteral("Změny se nepodařilo uložit."), m_prace.errorText());
        tv_1_Create();
        return;
    }
    nastavZmeneno(false);
    finish(true);
}

void Z_Kalendar_svatku::cb_1_Click() { leave(); }

void Z_Kalendar_svatku::leave()
{
    m_prace.rollback();
    nastavZmeneno(false);
    finish(false);
}

void Z_Kalendar_svatku::closeEvent(QCloseEvent* e)
{
    e->ignore();
    Z_Kalendar_svatku_Destroy();
}

void Z_Kalendar_svatku::Z_Kalendar_svatku_Destroy()
{
    if (!zmeneno()) {
        leave();
        return;
    }
    switch (askKeepChanges(true)) {
    case ResultYes: cb_OK_Click(); break;
    case ResultNo: leave(); break;
    default: break;  // back to the window
    }
}

} // namespace kavro
