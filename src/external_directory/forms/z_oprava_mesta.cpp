#include "external_directory/forms/z_oprava_mesta.h"

#include "ui_z_oprava_mesta.h"

#include "common/tree_model.h"
#include "external_directory/forms/jedinecnost_kodu.h"
#include "platform/forms/message_box.h"

#include <QRegularExpressionValidator>
#include <QTreeView>

namespace kavro {

Z_Oprava_Mesta::Z_Oprava_Mesta(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::Z_Oprava_Mesta>())
{
    ui->setupUi(this);
    ui->T_ID_mesta->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
    connect(ui->T_Mesto, &QLineEdit::textChanged, this, &Z_Oprava_Mesta::Je_vse_zapsano);
    connect(ui->T_ID_mesta, &QLineEdit::textChanged, this, &Z_Oprava_Mesta::Je_vse_zapsano);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Z_Oprava_Mesta::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Z_Oprava_Mesta::cb_Cancel_Click);
}

Z_Oprava_Mesta::~Z_Oprava_Mesta() = default;

bool Z_Oprava_Mesta::Create(QWidget* parent, FDX_Stat* record)
{
    if (!record) return false;
    m_zaznam = record;
    Z_Oprava_Mesta_Create();
    runModal(parent);
    return true;
}

void Z_Oprava_Mesta::Z_Oprava_Mesta_Create()
{
    ui->label_3->setText(m_zaznam->umisteni);
    switch (m_zaznam->rezim) {
    case 1:
        ui->cb_OK->setEnabled(false);
        setWindowTitle(QStringLiteral("Zadejte údaje o novém městě"));
        break;
    case 2:
        ui->T_ID_mesta->setText(m_zaznam->kod_mesta);
        ui->T_Mesto->setText(m_zaznam->nazev);
        setWindowTitle(QStringLiteral("Opravte údaje o vybraném městě"));
        ui->checkbox_1->hide();
        break;
    default:
        ui->T_ID_mesta->setText(m_zaznam->kod_mesta);
        ui->T_Mesto->setText(m_zaznam->nazev);
        setWindowTitle(QStringLiteral("Opravdu chcete smazat vybrané město ?"));
        ui->cb_OK->setText(QStringLiteral("Smazat"));
        ui->T_Mesto->setEnabled(false);
        ui->T_ID_mesta->setEnabled(false);
        ui->checkbox_1->hide();
        break;
    }
}

void Z_Oprava_Mesta::Je_vse_zapsano()
{
    ui->cb_OK->setEnabled(!ui->T_Mesto->text().isEmpty() && !ui->T_ID_mesta->text().isEmpty());
}

void Z_Oprava_Mesta::cb_OK_Click()
{
    if (!ui->cb_OK->isEnabled()) return;
    // The cities of the state: the siblings of a selected city, or the
    // children of a selected state (loaded by the tree before it asks).
    QModelIndex stat;
    if (m_zaznam->strom) {
        const QModelIndex vybrana = m_zaznam->strom->currentIndex();
        auto* model = qobject_cast<LazyTreeModel*>(m_zaznam->strom->model());
        const FDX_Stat* v = model ? model->record<FDX_Stat>(vybrana) : nullptr;
        stat = v && v->druh == QLatin1String("M") ? vybrana.parent() : vybrana;
    }
    const int stejne = stat.isValid() ? pocet_stejnych_kodu(*m_zaznam, stat, ui->T_ID_mesta->text(),
                                                            [](const FDX_Stat& m) { return m.kod_mesta; })
                                      : 0;
    if (stejne > 0) {
        messageBox(this, IconWarning, ButtonsOk, QStringLiteral("Není jedinečný kód města"),
                   QStringLiteral("opravte kód města"));
        return;
    }
    m_zaznam->ok = true;
    m_zaznam->hromadny_vstup = ui->checkbox_1->isChecked();
    m_zaznam->nazev = ui->T_Mesto->text();
    m_zaznam->kod_mesta = ui->T_ID_mesta->text();
    finish(true);
}

void Z_Oprava_Mesta::cb_Cancel_Click() { leave(); }

} // namespace kavro
