#include "external_directory/forms/vyhledani_a_doplneni_neznamych_predvoleb.h"

#include "external_directory/forms/z_zadej_stat_mesto_podle_hovoru.h"
#include "ui_vyhledani_a_doplneni_neznamych_predvoleb.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMenu>

namespace kavro {

Vyhledani_a_doplneni_neznamych_predvoleb::Vyhledani_a_doplneni_neznamych_predvoleb(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Vyhledani_a_doplneni_neznamych_predvoleb>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    ui->lb_1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(ui->cb_1, &QPushButton::clicked, this, &Vyhledani_a_doplneni_neznamych_predvoleb::cb_1_Click);
    connect(ui->lb_1, &QListWidget::itemDoubleClicked, this,
            &Vyhledani_a_doplneni_neznamych_predvoleb::popup_1_Item0_Click);
    connect(ui->lb_1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QListWidgetItem* item = ui->lb_1->itemAt(pos)) ui->lb_1->setCurrentItem(item);
        else return;
        QMenu menu(this);
        menu.addAction(QStringLiteral("Zapiš stát"), this, &Vyhledani_a_doplneni_neznamych_predvoleb::popup_1_Item0_Click);
        menu.exec(ui->lb_1->viewport()->mapToGlobal(pos));
    });
}

Vyhledani_a_doplneni_neznamych_predvoleb::~Vyhledani_a_doplneni_neznamych_predvoleb() = default;

bool Vyhledani_a_doplneni_neznamych_predvoleb::Create(QWidget* parent)
{
    Vyhledani_a_doplneni_neznamych_predvoleb_Create();
    runModal(parent);
    return m_zapsano;
}

void Vyhledani_a_doplneni_neznamych_predvoleb::Vyhledani_a_doplneni_neznamych_predvoleb_Create()
{
    m_zapsano = false;
    nacti_data();
}

void Vyhledani_a_doplneni_neznamych_predvoleb::nacti_data()
{
    ui->lb_1->clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Nezname_predvolby logika;
    const bool ok = logika.nacti_data(m_radky);
    if (ok) {
        QStringList texty;
        texty.reserve(qsizetype(m_radky.size()));
        for (const auto& r : m_radky) texty << Nezname_predvolby::Uprav_Item(r);
        ui->lb_1->addItems(texty);
    }
    QApplication::restoreOverrideCursor();
    if (!ok) {
        m_radky.clear();
        showDbError(QStringLiteral("Nepodařilo se přečíst hovory."), logika.chyba());
    }
}

void Vyhledani_a_doplneni_neznamych_predvoleb::popup_1_Item0_Click()
{
    const int radek = ui->lb_1->currentRow();
    if (radek < 0 || radek >= int(m_radky.size()) || !ui->lb_1->currentItem()->isSelected()) return;
    Z_Zadej_stat_mesto_podle_hovoru dialog(this);
    if (dialog.Create(this, &m_radky[size_t(radek)])) m_zapsano = true;
}

void Vyhledani_a_doplneni_neznamych_predvoleb::cb_1_Click() { leave(); }

} // namespace kavro
