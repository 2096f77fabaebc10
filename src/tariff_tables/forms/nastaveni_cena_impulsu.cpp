#include "tariff_tables/forms/nastaveni_cena_impulsu.h"

#include "ui_nastaveni_cena_impulsu.h"

#include "common/forms/knihovna_okna.h"

#include <QFontDatabase>
#include <QMenu>

namespace kavro {

Nastaveni_cena_impulsu::Nastaveni_cena_impulsu(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Nastaveni_cena_impulsu>()), m_dialog(this)
{
    ui->setupUi(this);
    const QFont pevne = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ui->tv_1->setFont(pevne);
    ui->label_1->setFont(pevne);
    ui->label_1->setText(QStringLiteral("     Od          Do          Cena za impuls (haléře)"));
    connect(ui->cb_OK, &QPushButton::clicked, this, &Nastaveni_cena_impulsu::cb_OK_Click);
    connect(ui->tv_1, &QTreeWidget::itemDoubleClicked, this, [this] { Popup_menu(2); });
    connect(ui->tv_1, &QWidget::customContextMenuRequested, this, &Nastaveni_cena_impulsu::tv_1_RightClick);
}

Nastaveni_cena_impulsu::~Nastaveni_cena_impulsu() = default;

bool Nastaveni_cena_impulsu::Create(QWidget* parent, FDX_Cena_impulsu* record)
{
    if (record) m_zaznam = *record;
    Nacti_TREE();
    return runModal(parent);
}

void Nastaveni_cena_impulsu::Nacti_TREE()
{
    ui->tv_1->clear();
    if (!m_ceny.nacti(m_seznam)) {
        showDbError(QStringLiteral("Ceny impulsů se nepodařilo načíst."), m_ceny.lastError());
        return;
    }
    for (int i = 0; i < m_seznam.size(); ++i) {
        const CenyImpulsu::Cena& c = m_seznam[i];
        auto* item = new QTreeWidgetItem(ui->tv_1, {QStringLiteral("     %1  %2  %3     ").arg(c.od, c.do_, c.cena)});
        item->setData(0, Qt::UserRole, i);
    }
}

void Nastaveni_cena_impulsu::tv_1_RightClick(const QPoint& pos)
{
    knihovna::polozka_pod_mysi(ui->tv_1, pos);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("popup_1"));
    QAction* nova = menu.addAction(QStringLiteral("Nová cena"));
    QAction* oprava = menu.addAction(QStringLiteral("Oprava stávající ceny"));
    oprava->setEnabled(ui->tv_1->currentItem() != nullptr);
    QAction* a = menu.exec(ui->tv_1->viewport()->mapToGlobal(pos));
    if (a == nova) Popup_menu(1);
    else if (a == oprava) Popup_menu(2);
}

void Nastaveni_cena_impulsu::Popup_menu(int operace)
{
    CenyImpulsu::Cena cena;
    if (operace == 2) {
        // A change needs a price to change.
        QTreeWidgetItem* item = ui->tv_1->currentItem();
        if (!item) return;
        cena = m_seznam.value(item->data(0, Qt::UserRole).toInt());
        m_zaznam.Platnost_od = cena.od;
        m_zaznam.Platnost_do = cena.do_;
        m_zaznam.Cena = cena.cena;
    }
    m_zaznam.OK = false;
    m_zaznam.Novy_zaznam = operace == 1;
    m_dialog.Create(this, &m_zaznam);
    if (!m_zaznam.OK) return;
    cena.od = m_zaznam.Platnost_od;
    cena.do_ = m_zaznam.Platnost_do;
    cena.cena = m_zaznam.Cena;
    if (!m_ceny.uloz(cena)) {
        showDbError(QStringLiteral("Cenu se nepodařilo uložit, ceny zůstaly beze změny."), m_ceny.lastError());
    }
    Nacti_TREE();
    // The stored price stays selected.
    for (int i = 0; i < m_seznam.size(); ++i)
        if (m_seznam[i].id == cena.id) ui->tv_1->setCurrentItem(ui->tv_1->topLevelItem(i));
}

void Nastaveni_cena_impulsu::cb_OK_Click()
{
    if (!m_prace.commit()) {
        showDbError(QStringLiteral("Ceny impulsů se nepodařilo uložit."), m_prace.errorText());
        Nacti_TREE();
        return;
    }
    finish(true);
}

// Esc and the close box keep what was stored, as the only button does.
void Nastaveni_cena_impulsu::leave() { cb_OK_Click(); }

} // namespace kavro
