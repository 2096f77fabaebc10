#include "tariffing/forms/nastaveni_pseudotarifu.h"
#include "ui_nastaveni_pseudotarifu.h"

#include "tariffing/pseudotarif.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QKeyEvent>

namespace kavro {

Nastaveni_Pseudotarifu::~Nastaveni_Pseudotarifu() = default;

Nastaveni_Pseudotarifu::Nastaveni_Pseudotarifu(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Nastaveni_Pseudotarifu>())
{
    ui->setupUi(this);
    // Each box normalises its text when it loses the focus and steps by a
    // second with the arrows beside it, wrapping at midnight.
    const std::array<UpDown*, 6> sipky = {ui->updown_1, ui->updown_2, ui->updown_3, ui->updown_4, ui->updown_5, ui->updown_6};
    const auto boxy = pole();
    for (size_t i = 0; i < boxy.size(); ++i) boxy[i]->setUpDown(sipky[i]);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Nastaveni_Pseudotarifu::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Nastaveni_Pseudotarifu::cb_Cancel_Click);
}

std::array<TimeBox*, 6> Nastaveni_Pseudotarifu::pole() const
{
    // In the order of pseudotarif::Poradi.
    return {ui->O_Mistni, ui->P_Mistni, ui->O_Mezimesto, ui->P_Mezimesto, ui->O_Mezistatni, ui->P_Mezistatni};
}

bool Nastaveni_Pseudotarifu::Create(QWidget* parent)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    Nastaveni_Pseudotarifu_Create();
    return exec() == QDialog::Accepted;
}

void Nastaveni_Pseudotarifu::Nastaveni_Pseudotarifu_Create()
{
    const auto boxy = pole();
    for (size_t i = 0; i < boxy.size(); ++i)
        boxy[i]->setText(Napln_hodnotou(QString::fromLatin1(pseudotarif::Poradi[i].typ_hovoru),
                                        QString::fromLatin1(pseudotarif::Poradi[i].typ_casu)));
}

QString Nastaveni_Pseudotarifu::Napln_hodnotou(const QString& typ_hovoru, const QString& typ_casu)
{
    return pseudotarif::Napln_hodnotou(Transaction::main(), typ_hovoru, typ_casu);
}

void Nastaveni_Pseudotarifu::cb_OK_Click()
{
    // A box still being edited when Enter saves has not lost its focus yet:
    // it is normalised as leaving it would, so only a time hh:mm:ss is stored.
    std::array<QString, 6> casy;
    const auto boxy = pole();
    for (size_t i = 0; i < boxy.size(); ++i) {
        boxy[i]->normalise();
        casy[i] = boxy[i]->text();
    }
    QString chyba;
    if (!pseudotarif::Uloz(Transaction::main(), casy, &chyba)) {
        messageBox(this, IconStop, ButtonsOk, windowTitle(),
                   QStringLiteral("Parametry pseudotarifu se nepodařilo uložit, uložené hodnoty zůstaly beze změny.\n")
                       + chyba);
        Nastaveni_Pseudotarifu_Create();  // show what is really stored
        return;
    }
    finish(true);
}

void Nastaveni_Pseudotarifu::cb_Cancel_Click() { leave(); }

void Nastaveni_Pseudotarifu::leave()
{
    m_prace.rollback();
    finish(false);
}

void Nastaveni_Pseudotarifu::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        cb_Cancel_Click();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace kavro
