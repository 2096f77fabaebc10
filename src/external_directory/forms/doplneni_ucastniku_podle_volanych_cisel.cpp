#include "external_directory/forms/doplneni_ucastniku_podle_volanych_cisel.h"

#include "external_directory/forms/z_zapis_ucastnika_podle_cisla.h"
#include "platform/forms/message_box.h"
#include "ui_doplneni_ucastniku_podle_volanych_cisel.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMenu>
#include <QRegularExpressionValidator>

namespace kavro {

Doplneni_ucastniku_podle_volanych_cisel::Doplneni_ucastniku_podle_volanych_cisel(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Doplneni_ucastniku_podle_volanych_cisel>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    const QFont pevne = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ui->lb_1->setFont(pevne);
    // The heading in the list's font, each word over its column (the lines' columns begin at 0, 42 and 67).
    ui->label_2->setFont(pevne);
    ui->label_2->setText(QStringLiteral("Kam se volalo").leftJustified(42) + QStringLiteral("Volané číslo").leftJustified(25)
                         + QStringLiteral("počet volání") + QString(5, QLatin1Char(' ')));
    ui->textb_pocet_volani->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), ui->textb_pocet_volani));
    connect(ui->cb_1, &QPushButton::clicked, this, &Doplneni_ucastniku_podle_volanych_cisel::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Doplneni_ucastniku_podle_volanych_cisel::cb_2_Click);
    connect(ui->cb_3, &QPushButton::clicked, this, &Doplneni_ucastniku_podle_volanych_cisel::cb_3_Click);
    connect(ui->cb_4, &QPushButton::clicked, this, &Doplneni_ucastniku_podle_volanych_cisel::cb_4_Click);
    connect(ui->lb_1, &QListWidget::itemSelectionChanged, this,
            [this] { ui->cb_4->setEnabled(!ui->lb_1->selectedItems().isEmpty()); });
    connect(ui->lb_1, &QListWidget::itemDoubleClicked, this, [this] { PopupMenu(1); });
    connect(ui->lb_1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QListWidgetItem* item = ui->lb_1->itemAt(pos)) ui->lb_1->setCurrentItem(item);
        else return;
        QMenu menu(this);
        menu.addAction(QStringLiteral("Upřesnit účastníka"), this, [this] { PopupMenu(2); });
        menu.exec(ui->lb_1->viewport()->mapToGlobal(pos));
    });
}

Doplneni_ucastniku_podle_volanych_cisel::~Doplneni_ucastniku_podle_volanych_cisel() = default;

bool Doplneni_ucastniku_podle_volanych_cisel::Create(QWidget* parent)
{
    Doplneni_ucastniku_podle_volanych_cisel_Create();
    runModal(parent);
    return m_ulozeno;
}

void Doplneni_ucastniku_podle_volanych_cisel::Doplneni_ucastniku_podle_volanych_cisel_Create()
{
    m_ulozeno = false;
    ui->cb_4->setEnabled(false);
    if (!m_logika.nacti_konfiguraci())
        showDbError(QStringLiteral("Nepodařilo se přečíst místo ústředny."), m_logika.chyba());
}

void Doplneni_ucastniku_podle_volanych_cisel::napln_tree()
{
    ui->lb_1->clear();
    nastavZmeneno(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = m_logika.napln(ui->textb_pocet_volani->text(), m_radky);
    if (ok) {
        ui->lb_1->setUpdatesEnabled(false);
        for (int i = 0; i < int(m_radky.size()); ++i) Uprav_Item(i, true);
        ui->lb_1->setUpdatesEnabled(true);
        if (ui->lb_1->count() > 0) ui->lb_1->setCurrentRow(0);
    }
    QApplication::restoreOverrideCursor();
    if (!ok) {
        m_radky.clear();
        showDbError(QStringLiteral("Nepodařilo se přečíst volaná čísla."), m_logika.chyba());
    }
}

int Doplneni_ucastniku_podle_volanych_cisel::Uprav_Item(int radek, bool pridat)
{
    str_data& d = m_radky[size_t(radek)];
    QListWidgetItem* item = pridat ? new QListWidgetItem(ui->lb_1) : ui->lb_1->item(radek);
    item->setText(Doplneni_ucastniku::Uprav_Item(d));
    Z_zapis_ucastnika_podle_cisla::nastavRadek(item, &d);
    return radek;
}

void Doplneni_ucastniku_podle_volanych_cisel::PopupMenu(int rezim)
{
    const int radek = ui->lb_1->currentRow();
    if (radek < 0 || !ui->lb_1->currentItem()->isSelected()) return;
    FDX_ucastnik_podle_cisla record{ui->lb_1, rezim, false};
    Z_zapis_ucastnika_podle_cisla dialog(this);
    dialog.Create(this, &record);
    if (!record.OK) return;
    Uprav_Item(radek, false);
    nastavZmeneno();
}

bool Doplneni_ucastniku_podle_volanych_cisel::uloz_zmeny()
{
    std::vector<const str_data*> radky;
    for (const str_data& d : m_radky) radky.push_back(&d);
    const Doplneni_ucastniku::Vysledek_ulozeni v = m_logika.uloz_zmeny(radky);
    if (!m_prace.commit()) {
        showDbError(QStringLiteral("Účastníky se nepodařilo uložit."), m_prace.errorText());
        return false;
    }
    nastavZmeneno(false);
    if (v.vlozeno > 0) m_ulozeno = true;
    if (!v.neulozene.isEmpty()) {
        QStringList seznam = v.neulozene.mid(0, 20);
        if (v.neulozene.size() > 20) seznam << QStringLiteral("... a dalších %1").arg(v.neulozene.size() - 20);
        messageBox(this, IconWarning, ButtonsOk, windowTitle(),
                   QStringLiteral("Tato čísla nebyla uložena:\n") + seznam.join(QLatin1Char('\n')));
    }
    return true;
}

void Doplneni_ucastniku_podle_volanych_cisel::zeptejSeNaUlozeni()
{
    if (!zmeneno()) return;
    if (askKeepChanges() == ResultYes)
        uloz_zmeny();
    else
        m_prace.rollback();
    nastavZmeneno(false);
}

void Doplneni_ucastniku_podle_volanych_cisel::cb_1_Click()
{
    if (!uloz_zmeny()) return;
    finish(m_ulozeno);
}

void Doplneni_ucastniku_podle_volanych_cisel::cb_2_Click() { leave(); }

void Doplneni_ucastniku_podle_volanych_cisel::leave()
{
    zeptejSeNaUlozeni();
    m_prace.rollback();
    finish(m_ulozeno);
}

void Doplneni_ucastniku_podle_volanych_cisel::cb_3_Click()
{
    zeptejSeNaUlozeni();
    napln_tree();
}

void Doplneni_ucastniku_podle_volanych_cisel::cb_4_Click() { PopupMenu(1); }

} // namespace kavro
