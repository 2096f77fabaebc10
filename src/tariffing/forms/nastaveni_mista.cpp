#include "nastaveni_mista.h"
#include "ui_nastaveni_mista.h"

#include "platform/czech_order.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QRegularExpressionValidator>
#include <algorithm>

namespace kavro {

namespace {

struct Polozka {
    QString nazev;
    QVariant data;
};

// Fills a combo box sorted by name (Czech order), as a sorted list would.
void napln(QComboBox* combo, std::vector<Polozka> polozky)
{
    std::stable_sort(polozky.begin(), polozky.end(),
                     [](const Polozka& a, const Polozka& b) { return czechCompare(a.nazev, b.nazev) < 0; });
    combo->clear();
    for (const Polozka& p : polozky) combo->addItem(p.nazev, p.data);
    combo->setCurrentIndex(-1);
}

} // namespace

Nastaveni_mista::Nastaveni_mista(QWidget* parent) : Dialog(parent), ui(new Ui::Nastaveni_mista)
{
    ui->setupUi(this);
    auto* cislice = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this);
    ui->textb__mezistatni_predvolba->setValidator(cislice);
    ui->textb__mezimestska_predvolba->setValidator(cislice);
    connect(ui->combo_stat, &QComboBox::activated, this, &Nastaveni_mista::combo_stat_Select);
    connect(ui->combo_mesto, &QComboBox::activated, this, &Nastaveni_mista::combo_mesto_Select);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Nastaveni_mista::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Nastaveni_mista::cb_Cancel_Click);
}

bool Nastaveni_mista::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags());
    Nastaveni_mista_Create();
    return exec() == QDialog::Accepted;
}

void Nastaveni_mista::Nastaveni_mista_Create()
{
    napln_polozky();
}

void Nastaveni_mista::chyba(const QString& text)
{
    messageBox(this, IconStop, ButtonsOk, QStringLiteral("Chyba databáze"), text);
}

void Nastaveni_mista::napln_polozky()
{
    QString text;
    if (!nacti_misto(Transaction::main(), &m_ulozene, &text) && !text.isEmpty())
        chyba(QStringLiteral("Uložené místo ústředny nelze načíst.\n") + text);
    ui->textb__mezistatni_predvolba->setText(m_ulozene.mezistatni_predvolba);
    ui->textb__mezimestska_predvolba->setText(m_ulozene.mezimestska_predvolba);

    std::vector<Polozka> staty;
    Query q(Transaction::main());
    q.setSQL(QStringLiteral("SELECT nazev_statu, kod_statu FROM dba.ciselnik_statu"));
    if (!q.run()) chyba(QStringLiteral("Seznam států nelze načíst.\n") + q.lastErrorText());
    else
        for (; !q.atEnd(); q.next()) staty.push_back({q.value(1), q.value(2)});
    q.close();
    napln(ui->combo_stat, std::move(staty));
    // The stored state is selected; with none stored, the user chooses one.
    ui->combo_stat->setCurrentIndex(ui->combo_stat->findData(m_ulozene.kod_statu));
    Nacti_mesta();
    Nastav_enable();
}

void Nastaveni_mista::Nacti_mesta()
{
    ui->combo_mesto->clear();
    if (ui->combo_stat->currentIndex() < 0) return;
    const QString stat = ui->combo_stat->currentData().toString();
    std::vector<Polozka> mesta;
    Query q(Transaction::main());
    q.setSQL(QStringLiteral("SELECT nazev_mesta, kod_statu, kod_mesta FROM dba.ciselnik_mest WHERE kod_statu = ?"));
    q.bind(1, stat);
    if (!q.run()) {
        chyba(QStringLiteral("Seznam měst nelze načíst.\n") + q.lastErrorText());
        return;
    }
    for (; !q.atEnd(); q.next()) mesta.push_back({q.value(1), QStringList{q.value(2), q.value(3)}});
    q.close();
    napln(ui->combo_mesto, std::move(mesta));
    for (int i = 0; i < ui->combo_mesto->count(); ++i) {
        const QStringList k = ui->combo_mesto->itemData(i).toStringList();
        if (k.value(0) == m_ulozene.kod_statu && k.value(1) == m_ulozene.kod_mesta) {
            ui->combo_mesto->setCurrentIndex(i);
            break;
        }
    }
}

void Nastaveni_mista::Nastav_enable()
{
    ui->cb_OK->setEnabled(ui->combo_stat->currentIndex() >= 0 && ui->combo_mesto->currentIndex() >= 0);
}

void Nastaveni_mista::combo_stat_Select()
{
    Nacti_mesta();
    Nastav_enable();
}

void Nastaveni_mista::combo_mesto_Select()
{
    Nastav_enable();
}

void Nastaveni_mista::cb_OK_Click()
{
    if (ui->combo_stat->currentIndex() < 0 || ui->combo_mesto->currentIndex() < 0) return;
    // Tariffing cannot tell a call's type without both prefixes.
    const std::pair<QLineEdit*, const char*> predvolby[] = {
        {ui->textb__mezistatni_predvolba, "Mezistátní předvolba nesmí být prázdná."},
        {ui->textb__mezimestska_predvolba, "Meziměstská předvolba nesmí být prázdná."}};
    for (const auto& [box, zprava] : predvolby)
        if (box->text().isEmpty()) {
            messageBox(this, IconWarning, ButtonsOk, windowTitle(), QString::fromUtf8(zprava));
            box->setFocus();
            return;
        }
    MistoUstredny misto;
    misto.mezistatni_predvolba = ui->textb__mezistatni_predvolba->text();
    misto.mezimestska_predvolba = ui->textb__mezimestska_predvolba->text();
    misto.kod_statu = ui->combo_stat->currentData().toString();
    misto.kod_mesta = ui->combo_mesto->currentData().toStringList().value(1);
    QString text;
    if (!uloz_misto(Transaction::main(), misto, &text)) {
        chyba(QStringLiteral("Místo ústředny se nepodařilo uložit.\n") + text);
        napln_polozky();
        return;
    }
    finish(true);
}

void Nastaveni_mista::cb_Cancel_Click() { leave(); }

void Nastaveni_mista::leave()
{
    // Leaving (also Esc and the close box) discards what is pending on the shared transaction.
    m_prace.rollback();
    finish(false);
}

Nastaveni_mista::~Nastaveni_mista() = default;

} // namespace kavro
