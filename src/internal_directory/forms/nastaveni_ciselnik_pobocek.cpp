#include "internal_directory/forms/nastaveni_ciselnik_pobocek.h"

#include "ui_nastaveni_ciselnik_pobocek.h"

#include "common/forms/knihovna_okna.h"
#include "common/tree_model.h"
#include "internal_directory/forms/p_udaje_o_osobe.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QGuiApplication>
#include <QMenu>
#include <QStyle>

namespace kavro {

namespace {

struct CekaciKurzor {
    CekaciKurzor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CekaciKurzor() { QGuiApplication::restoreOverrideCursor(); }
};

} // namespace

Nastaveni_ciselnik_pobocek::Nastaveni_ciselnik_pobocek(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Nastaveni_ciselnik_pobocek>()), m_historie(m_prace.transaction())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    const QIcon linka = style()->standardIcon(QStyle::SP_FileIcon);
    const QIcon obdobi = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    const QIcon koren = style()->standardIcon(QStyle::SP_ComputerIcon);
    m_model = new LazyTreeModel(
        [this, linka, obdobi, koren](const QModelIndex& rodic, const LazyTreeModel& m) {
            QList<LazyTreeModel::Item> out;
            if (!rodic.isValid()) {
                out.append({QStringLiteral("Ustredna"), Zaznam_historie{QStringLiteral("R"), {}}, true, false, false,
                            koren});
                return out;
            }
            const Zaznam_historie* z = m.record<Zaznam_historie>(rodic);
            if (!z) return out;
            CekaciKurzor k;
            if (z->druh == u"R") {
                QStringList cisla;
                if (!m_historie.pobocky(cisla))
                    showDbError(QStringLiteral("Pobočky nelze načíst."), m_historie.chyba());
                for (const QString& c : cisla) {
                    FDX_udaje_o_osobe_radek r;
                    r.Cislo_pobocky = c;
                    out.append({QStringLiteral("Linka č. ") + c, Zaznam_historie{QStringLiteral("P"), r}, true, false,
                                false, linka});
                }
            } else if (z->druh == u"P") {
                QList<FDX_udaje_o_osobe_radek> radky;
                if (!m_historie.platnosti(z->radek.Cislo_pobocky, radky))
                    showDbError(QStringLiteral("Přiřazení pobočky nelze načíst."), m_historie.chyba());
                for (const auto& r : radky)
                    out.append({AssignmentHistory::textPlatnosti(r), Zaznam_historie{QStringLiteral("D"), r}, false,
                                false, false, obdobi});
            }
            return out;
        },
        this);
    ui->tv_1->setModel(m_model);

    m_popup = new QMenu(this);
    QAction* ukaz = m_popup->addAction(QStringLiteral("Ukaž"));
    QAction* smaz = m_popup->addAction(QStringLiteral("Smaž"));
    connect(ukaz, &QAction::triggered, this, &Nastaveni_ciselnik_pobocek::Ukaz_zaznam);
    connect(smaz, &QAction::triggered, this, &Nastaveni_ciselnik_pobocek::Smaz_zaznam);
    connect(ui->tv_1, &QTreeView::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (!knihovna::polozka_pod_mysi(ui->tv_1, pos).isValid()) return;
        m_popup->popup(ui->tv_1->viewport()->mapToGlobal(pos));
    });
    connect(ui->tv_1, &QTreeView::doubleClicked, this, &Nastaveni_ciselnik_pobocek::Ukaz_zaznam);
    connect(ui->cb_1, &QPushButton::clicked, this, &Nastaveni_ciselnik_pobocek::cb_1_Click);
}

Nastaveni_ciselnik_pobocek::~Nastaveni_ciselnik_pobocek() = default;

bool Nastaveni_ciselnik_pobocek::Create(QWidget* parent)
{
    Nastaveni_ciselnik_pobocek_Create();
    return runModal(parent);
}

void Nastaveni_ciselnik_pobocek::Nastaveni_ciselnik_pobocek_Create()
{
    nastavZmeneno(false);
    m_model->reload();
    // The extensions are read when the window opens; their periods when each is expanded.
    m_model->ensureLoaded(QModelIndex());
    m_model->ensureLoaded(m_model->index(0, 0));
}

const Zaznam_historie* Nastaveni_ciselnik_pobocek::vybrany() const
{
    return m_model->record<Zaznam_historie>(ui->tv_1->currentIndex());
}

void Nastaveni_ciselnik_pobocek::Ukaz_zaznam()
{
    const Zaznam_historie* z = vybrany();
    if (!z || z->druh != u"D") return;
    const FDX_udaje_o_osobe_radek& r = z->radek;
    FDX_udaje_o_osobe pozadavek{r.Pocatek_platnosti, r.Konec_platnosti, r.Cislo_pobocky,
                                r.ID_firmy,          r.ID_oddeleni,     r.ID_osoby};
    P_Udaje_o_osobe detail(this);
    detail.Create(this, &pozadavek);
}

void Nastaveni_ciselnik_pobocek::Smaz_zaznam()
{
    const QModelIndex i = ui->tv_1->currentIndex();
    const Zaznam_historie* z = m_model->record<Zaznam_historie>(i);
    if (!z || z->druh != u"D") return;
    const FDX_udaje_o_osobe_radek r = z->radek;
    if (messageBox(this, IconQuestion, ButtonsYesNo, windowTitle(),
                   QStringLiteral("Opravdu smazat přiřazení linky č. %1\nod %2 do %3 ?")
                       .arg(r.Cislo_pobocky, r.Pocatek_platnosti, r.Konec_platnosti))
        != ResultYes)
        return;
    qint64 smazano = 0;
    if (!m_historie.smaz(r, &smazano)) {
        showDbError(QStringLiteral("Přiřazení nelze smazat."), m_historie.chyba());
        return;
    }
    if (smazano == 0) {
        // No row has these values (another program wrote an empty id, or deleted the row meanwhile).
        messageBox(this, IconWarning, ButtonsOk, windowTitle(),
                   QStringLiteral("Přiřazení linky č. %1\nod %2 do %3 nebylo smazáno: v databázi takové není.")
                       .arg(r.Cislo_pobocky, r.Pocatek_platnosti, r.Konec_platnosti));
        return;
    }
    m_model->removeItem(i);
    nastavZmeneno();
}

void Nastaveni_ciselnik_pobocek::cb_1_Click() { leave(); }

void Nastaveni_ciselnik_pobocek::leave()
{
    if (!zmeneno()) {
        finish(false);
        return;
    }
    if (askSave() == ResultYes) {
        if (!m_prace.commit()) {
            showDbError(QStringLiteral("Změny nelze uložit, smazaná přiřazení zůstala v databázi."), m_prace.errorText());
            finish(false);
            return;
        }
        finish(true);
        return;
    }
    m_prace.rollback();
    finish(false);
}

} // namespace kavro
