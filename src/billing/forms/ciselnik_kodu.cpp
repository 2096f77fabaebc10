#include "billing/forms/ciselnik_kodu.h"

#include "ui_ciselnik_kodu.h"

#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QSignalBlocker>

namespace kavro {

Ciselnik_kodu::Ciselnik_kodu(QWidget* parent)
    : Dialog(parent)
    , ui(std::make_unique<Ui::Ciselnik_kodu>())
    , m_kody(Transaction::main())
{
    ui->setupUi(this);
    QFont pevne = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    pevne.setPointSize(9);
    ui->lb_1->setFont(pevne);
    ui->tb_firma->setMaxLength(AccountCodes::MaxFirma);
    ui->tb_kontakt->setMaxLength(AccountCodes::MaxOsoba);
    ui->tb_kod->installEventFilter(this);
    ui->lb_1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->lb_1, &QListWidget::currentRowChanged, this, &Ciselnik_kodu::lb_1_Select);
    connect(ui->lb_1, &QListWidget::itemDoubleClicked, this, &Ciselnik_kodu::lb_1_DoubleClick);
    connect(ui->lb_1, &QWidget::customContextMenuRequested, this, &Ciselnik_kodu::ukazMenu);
    // The note takes at most 256 characters, like the table's other limits.
    connect(ui->tb_poznamka, &QPlainTextEdit::textChanged, this, [this] {
        const QString t = ui->tb_poznamka->toPlainText();
        if (t.size() <= AccountCodes::MaxPoznamka) return;
        QSignalBlocker b(ui->tb_poznamka);
        ui->tb_poznamka->setPlainText(t.left(AccountCodes::MaxPoznamka));
        ui->tb_poznamka->moveCursor(QTextCursor::End);
    });
    connect(ui->cb_1, &QPushButton::clicked, this, &Ciselnik_kodu::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Ciselnik_kodu::cb_2_Click);
    connect(ui->cb_3, &QPushButton::clicked, this, &Ciselnik_kodu::cb_3_Click);
    connect(ui->cb_4, &QPushButton::clicked, this, &Ciselnik_kodu::cb_4_Click);
    connect(ui->cb_5, &QPushButton::clicked, this, &Ciselnik_kodu::cb_5_Click);
    connect(ui->cb_6, &QPushButton::clicked, this, &Ciselnik_kodu::cb_6_Click);
}

Ciselnik_kodu::~Ciselnik_kodu() = default;

bool Ciselnik_kodu::Create(QWidget* parent)
{
    Ciselnik_kodu_Create();
    return runModal(parent);
}

void Ciselnik_kodu::Ciselnik_kodu_Create()
{
    m_predchozi = -1;
    Napln_listbox();
}

void Ciselnik_kodu::Napln_listbox()
{
    {
        QSignalBlocker b(ui->lb_1);
        ui->lb_1->clear();
    }
    m_zaznamy.clear();
    m_predchozi = -1;
    // An empty list starts in browse mode: only "Nový" does anything.
    Nastav_enable(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QList<str_clovek> radky;
    const bool ok = m_kody.load(&radky);
    for (const str_clovek& z : radky) Uprav_Item(z);
    QApplication::restoreOverrideCursor();
    if (!ok) showDbError(QStringLiteral("Účtovací kódy nelze načíst."), m_kody.errorText());
    if (!m_zaznamy.isEmpty()) vyber(0);
}

int Ciselnik_kodu::Uprav_Item(const str_clovek& zaznam)
{
    m_zaznamy.append(zaznam);
    const int index = int(m_zaznamy.size()) - 1;
    {
        QSignalBlocker b(ui->lb_1);
        ui->lb_1->addItem(zaznam.Kod_uctu);
        ui->lb_1->setCurrentRow(index);
    }
    Nastav_enable(false);
    lb_1_Select();
    return index;
}

void Ciselnik_kodu::Nastav_enable(bool zapnout)
{
    m_editace = zapnout;
    ui->tb_kod->setEnabled(zapnout);
    ui->tb_firma->setEnabled(zapnout);
    ui->tb_kontakt->setEnabled(zapnout);
    ui->tb_poznamka->setEnabled(zapnout);
    ui->cb_1->setEnabled(zapnout);
    ui->cb_3->setEnabled(!zapnout);
    ui->cb_4->setEnabled(!zapnout);
    ui->cb_5->setEnabled(!zapnout);
}

void Ciselnik_kodu::Precti_z_uzivat_dat()
{
    const int i = ui->lb_1->currentRow();
    // With no line selected (the first line was deleted) the fields show nothing.
    const str_clovek z = i >= 0 && i < m_zaznamy.size() ? m_zaznamy[i] : str_clovek();
    ui->tb_kod->setText(z.Kod_uctu);
    ui->tb_firma->setText(z.Firma);
    ui->tb_kontakt->setText(z.Osoba);
    {
        QSignalBlocker b(ui->tb_poznamka);
        ui->tb_poznamka->setPlainText(z.Poznamka);
    }
    Nastav_enable(false);
}

void Ciselnik_kodu::lb_1_Select()
{
    if (m_predchozi >= 0 && m_editace && !Vloz_do_uzivatel_dat()) {
        // Refused: the entry being edited stays selected with what was typed.
        QSignalBlocker b(ui->lb_1);
        ui->lb_1->setCurrentRow(m_predchozi);
        return;
    }
    Precti_z_uzivat_dat();
    m_predchozi = ui->lb_1->currentRow();
}

void Ciselnik_kodu::vyber(int index)
{
    {
        QSignalBlocker b(ui->lb_1);
        if (index < 0) {
            ui->lb_1->setCurrentRow(-1);
            ui->lb_1->clearSelection();
        } else {
            ui->lb_1->setCurrentRow(index);
        }
    }
    lb_1_Select();
}

bool Ciselnik_kodu::Vloz_do_uzivatel_dat()
{
    if (m_predchozi < 0 || m_predchozi >= m_zaznamy.size()) return true;
    str_clovek z = m_zaznamy[m_predchozi];
    z.Kod_uctu = ui->tb_kod->text().trimmed();
    z.Firma = ui->tb_firma->text();
    z.Osoba = ui->tb_kontakt->text();
    z.Poznamka = ui->tb_poznamka->toPlainText();
    if (!m_kody.save(z)) {
        if (m_kody.duplicate() || m_kody.emptyCode()) {
            messageBox(this, IconWarning, ButtonsOk, windowTitle(), m_kody.errorText());
            ui->tb_kod->setFocus();
        } else {
            showDbError(QStringLiteral("Účtovací kód se nepodařilo uložit."), m_kody.errorText());
        }
        return false;
    }
    // The saved entry moves to the end of the list.
    {
        QSignalBlocker b(ui->lb_1);
        delete ui->lb_1->takeItem(m_predchozi);
    }
    m_zaznamy.removeAt(m_predchozi);
    m_predchozi = -1;
    Uprav_Item(z);
    nastavZmeneno();
    return true;
}

void Ciselnik_kodu::Vloz_novy_zaznam()
{
    if (!Vloz_do_uzivatel_dat()) return;
    Uprav_Item(str_clovek());
    Nastav_enable(true);
    nastavZmeneno();
    // A new entry begins with its code.
    ui->tb_kod->setFocus(Qt::OtherFocusReason);
}

void Ciselnik_kodu::Oprav_zaznam()
{
    Nastav_enable(true);
    ui->tb_firma->setFocus();
}

bool Ciselnik_kodu::Smaz_vetu()
{
    const int i = ui->lb_1->currentRow();
    if (i < 0 || i >= m_zaznamy.size()) return false;
    if (!m_kody.remove(m_zaznamy[i])) {
        showDbError(QStringLiteral("Účtovací kód se nepodařilo smazat."), m_kody.errorText());
        return false;
    }
    // The entry being edited is gone: what was typed is saved into no other entry.
    m_predchozi = -1;
    Nastav_enable(false);
    {
        QSignalBlocker b(ui->lb_1);
        delete ui->lb_1->takeItem(i);
    }
    m_zaznamy.removeAt(i);
    nastavZmeneno();
    return true;
}

void Ciselnik_kodu::lb_1_DoubleClick()
{
    if (!m_editace) Oprav_zaznam();
}

void Ciselnik_kodu::tb_kod_LostFocus()
{
    if (!m_editace) return;
    const QString kod = ui->tb_kod->text().trimmed();
    ui->tb_kod->setText(kod);
    const QString vlastni =
        m_predchozi >= 0 && m_predchozi < m_zaznamy.size() ? m_zaznamy[m_predchozi].Puvodni_Kod_uctu : QString();
    if (m_kody.codeTaken(kod, vlastni))
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), AccountCodes::duplicateMessage(kod));
}

bool Ciselnik_kodu::eventFilter(QObject* o, QEvent* e)
{
    // Only a move to another control of this window: a message box taking the
    // focus (the refused save's own) must not bring a second one.
    if (o == ui->tb_kod && e->type() == QEvent::FocusOut) {
        const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
        if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) tb_kod_LostFocus();
    }
    return Dialog::eventFilter(o, e);
}

void Ciselnik_kodu::ukazMenu(const QPoint& pos)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("popup_1"));
    connect(menu.addAction(QStringLiteral("Vložení nového záznamu")), &QAction::triggered, this,
            &Ciselnik_kodu::popup_1_Vlozeni_noveho_Click);
    connect(menu.addAction(QStringLiteral("Oprava")), &QAction::triggered, this, &Ciselnik_kodu::popup_1_Oprava_Click);
    connect(menu.addAction(QStringLiteral("Smazání")), &QAction::triggered, this, &Ciselnik_kodu::popup_1_Smazani_Click);
    menu.exec(ui->lb_1->viewport()->mapToGlobal(pos));
}

void Ciselnik_kodu::popup_1_Vlozeni_noveho_Click() { Vloz_novy_zaznam(); }

void Ciselnik_kodu::popup_1_Oprava_Click() { Oprav_zaznam(); }

void Ciselnik_kodu::popup_1_Smazani_Click() { cb_5_Click(); }

void Ciselnik_kodu::cb_1_Click() { Vloz_do_uzivatel_dat(); }

void Ciselnik_kodu::zahodNedotcenyNovy()
{
    if (!m_editace || m_predchozi < 0 || m_predchozi >= m_zaznamy.size()) return;
    if (m_zaznamy[m_predchozi].Stav != str_clovek::New) return;
    if (!ui->tb_kod->text().trimmed().isEmpty() || !ui->tb_firma->text().isEmpty() || !ui->tb_kontakt->text().isEmpty()
        || !ui->tb_poznamka->toPlainText().isEmpty())
        return;
    {
        QSignalBlocker b(ui->lb_1);
        delete ui->lb_1->takeItem(m_predchozi);
    }
    m_zaznamy.removeAt(m_predchozi);
    m_predchozi = -1;
    Nastav_enable(false);
}

void Ciselnik_kodu::cb_2_Click()
{
    zahodNedotcenyNovy();
    if (m_predchozi >= 0 && m_editace && !Vloz_do_uzivatel_dat()) return;
    if (!m_prace.commit()) {
        showDbError(QStringLiteral("Změny účtovacích kódů se nepodařilo uložit."), m_prace.errorText());
        nastavZmeneno(false);
        Napln_listbox();
        return;
    }
    nastavZmeneno(false);
    finish(true);
}

void Ciselnik_kodu::cb_3_Click() { Vloz_novy_zaznam(); }

void Ciselnik_kodu::cb_4_Click()
{
    if (ui->lb_1->currentRow() >= 0) Oprav_zaznam();
}

void Ciselnik_kodu::cb_5_Click()
{
    const int i = ui->lb_1->currentRow();
    if (i < 0 || !Smaz_vetu()) return;
    vyber(i - 1);
}

void Ciselnik_kodu::cb_6_Click()
{
    zahodNedotcenyNovy();
    if (m_predchozi >= 0 && m_editace && !Vloz_do_uzivatel_dat()) return;
    if (zavri()) finish(false);
}

bool Ciselnik_kodu::zavri()
{
    if (!zmeneno()) return true;
    const int odpoved = messageBox(this, IconWarning, ButtonsYesNo, QStringLiteral("V datech byly provedeny změny"),
                                   QStringLiteral("Chcete tyto změny uložit ?"));
    nastavZmeneno(false);
    if (odpoved != ResultYes) {
        m_prace.rollback();
        return true;
    }
    if (m_prace.commit()) return true;
    showDbError(QStringLiteral("Změny účtovacích kódů se nepodařilo uložit."), m_prace.errorText());
    Napln_listbox();
    return false;
}

void Ciselnik_kodu::leave() { cb_6_Click(); }

} // namespace kavro
