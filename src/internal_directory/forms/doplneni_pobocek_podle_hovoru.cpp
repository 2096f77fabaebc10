#include "internal_directory/forms/doplneni_pobocek_podle_hovoru.h"

#include "ui_doplneni_pobocek_podle_hovoru.h"

#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenu>

namespace kavro {

namespace {
const QString Zadne = QStringLiteral("Nejsou nalezeny žádné nepřiřazené pobočky");
}

Doplneni_pobocek_podle_hovoru::Doplneni_pobocek_podle_hovoru(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Doplneni_pobocek_podle_hovoru>()), m_hovory(m_prace.transaction())
{
    ui->setupUi(this);
    const QFont pevne = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ui->lb_1->setFont(pevne);
    ui->label_1->setFont(pevne);
    m_popup = new QMenu(this);
    connect(m_popup->addAction(QStringLiteral("Zařaď pobočku pod ústřednu")), &QAction::triggered, this,
            &Doplneni_pobocek_podle_hovoru::popup_1_Item0_Click);
    connect(ui->lb_1, &QListWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QListWidgetItem* it = ui->lb_1->itemAt(pos)) {
            ui->lb_1->setCurrentItem(it);
            m_popup->popup(ui->lb_1->viewport()->mapToGlobal(pos));
        }
    });
    connect(ui->cb_2, &QPushButton::clicked, this, &Doplneni_pobocek_podle_hovoru::cb_2_Click);
    connect(ui->cb_1, &QPushButton::clicked, this, &Doplneni_pobocek_podle_hovoru::cb_1_Click);
}

Doplneni_pobocek_podle_hovoru::~Doplneni_pobocek_podle_hovoru() = default;

bool Doplneni_pobocek_podle_hovoru::Create(QWidget* parent)
{
    nastavZmeneno(false);
    if (!nacti_hovory()) return false;
    return runModal(parent);
}

bool Doplneni_pobocek_podle_hovoru::nacti_hovory()
{
    ui->lb_1->clear();
    m_behy.clear();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = m_hovory.nacti(m_behy);
    QGuiApplication::restoreOverrideCursor();
    if (!ok) {
        showDbError(QStringLiteral("Hovory nelze načíst."), m_hovory.chyba());
        return false;
    }
    for (const NeprirazenyBeh& b : m_behy) ui->lb_1->addItem(b.text());
    if (m_behy.isEmpty()) {
        messageBox(this, IconWarning, ButtonsOk, QString(), Zadne);
        return false;
    }
    return true;
}

void Doplneni_pobocek_podle_hovoru::Nejsou_zadne_zaznamy()
{
    messageBox(this, IconWarning, ButtonsOk, QString(), Zadne);
    zavri_a_potvrd();
}

void Doplneni_pobocek_podle_hovoru::popup_1_Item0_Click()
{
    const int i = ui->lb_1->currentRow();
    if (i < 0 || i >= m_behy.size() || !ui->lb_1->currentItem()->isSelected()) return;
    switch (m_hovory.zarad(m_behy.at(i))) {
    case UnassignedExtensions::Zarazeni::Zarazeno:
        break;
    case UnassignedExtensions::Zarazeni::Prekryti:
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), m_hovory.chyba());
        return;
    case UnassignedExtensions::Zarazeni::Chyba:
        showDbError(QStringLiteral("Pobočku nelze zařadit pod ústřednu."), m_hovory.chyba());
        return;
    }
    nastavZmeneno();
    m_behy.removeAt(i);
    delete ui->lb_1->takeItem(i);
    if (m_behy.isEmpty()) Nejsou_zadne_zaznamy();
}

void Doplneni_pobocek_podle_hovoru::cb_2_Click() { popup_1_Item0_Click(); }

void Doplneni_pobocek_podle_hovoru::cb_1_Click() { zavri_a_potvrd(); }

void Doplneni_pobocek_podle_hovoru::zavri_a_potvrd()
{
    if (zmeneno() && !m_prace.commit()) {
        showDbError(QStringLiteral("Zařazené pobočky nelze uložit, nebyly uloženy."), m_prace.errorText());
        finish(false);
        return;
    }
    finish(zmeneno());
}

void Doplneni_pobocek_podle_hovoru::closeEvent(QCloseEvent* e)
{
    m_krizek = true;
    Dialog::closeEvent(e);
    m_krizek = false;
}

void Doplneni_pobocek_podle_hovoru::leave()
{
    // Esc is "Zavři"; the close box asks whether the placements are kept.
    if (!m_krizek || !zmeneno()) {
        zavri_a_potvrd();
        return;
    }
    if (askSave() == ResultYes) {
        zavri_a_potvrd();
        return;
    }
    m_prace.rollback();
    finish(false);
}

} // namespace kavro
