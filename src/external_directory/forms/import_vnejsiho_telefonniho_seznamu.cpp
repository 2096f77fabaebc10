#include "external_directory/forms/import_vnejsiho_telefonniho_seznamu.h"

#include "external_directory/forms/info_o_importu.h"
#include "platform/forms/file_question.h"
#include "platform/forms/message_box.h"
#include "tariffing/reidentifikace.h"
#include "ui_import_vnejsiho_telefonniho_seznamu.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QMenu>
#include <QProgressDialog>

namespace kavro {

namespace {

constexpr int kZaznam = Qt::UserRole;      // index of the item's record
constexpr int kDruh = Qt::UserRole + 1;    // 'S', 'M' or 'N'

// A progress window for one long operation; its "Přerušit" stops it, heard
// before every item. A question asked while the work runs is owned by the
// progress window: owned by the import window, it would sit under the
// window-modal progress window and could not be answered.
class Prubeh {
public:
    Prubeh(QWidget* vlastnik, const QString& text) : m_dialog(text, QStringLiteral("Přerušit"), 0, kDilku, vlastnik)
    {
        m_dialog.setWindowTitle(vlastnik->windowTitle());
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(300);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.setValue(0);
        m_udalosti.start();
    }
    Import_vnejsiho_seznamu::Prubeh funkce()
    {
        return [this](qint64 hotovo, qint64 celkem) {
            m_dialog.setValue(int(hotovo * kDilku / qMax<qint64>(1, celkem)));
            // The window and its button are served a few dozen times a second.
            if (m_udalosti.elapsed() >= 20) {
                QCoreApplication::processEvents();
                m_udalosti.restart();
            }
            return !m_dialog.wasCanceled();
        };
    }
    // The owner of a question asked while the work runs: the progress window, shown now.
    QWidget* vlastnikOtazky()
    {
        if (!m_dialog.isVisible()) m_dialog.show();
        return &m_dialog;
    }

private:
    static constexpr int kDilku = 1000;
    QProgressDialog m_dialog;
    QElapsedTimer m_udalosti;
};

} // namespace

Import_vnejsiho_telefonniho_seznamu::Import_vnejsiho_telefonniho_seznamu(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Import_vnejsiho_telefonniho_seznamu>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    const QFont pevne = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ui->tv_1->setFont(pevne);
    ui->tv_2->setFont(pevne);
    connect(ui->cb_1, &QPushButton::clicked, this, &Import_vnejsiho_telefonniho_seznamu::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &Import_vnejsiho_telefonniho_seznamu::cb_2_Click);
    connect(ui->cb_3, &QPushButton::clicked, this, &Import_vnejsiho_telefonniho_seznamu::cb_3_Click);
    connect(ui->cb_4, &QPushButton::clicked, this, &Import_vnejsiho_telefonniho_seznamu::cb_4_Click);
    connect(ui->tv_1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QTreeWidgetItem* item = ui->tv_1->itemAt(pos);
        if (!item) return;
        ui->tv_1->setCurrentItem(item);
        QMenu menu(this);
        menu.addAction(QStringLiteral("Smaž záznam"), this, &Import_vnejsiho_telefonniho_seznamu::popup_1_Item0_Click);
        menu.exec(ui->tv_1->viewport()->mapToGlobal(pos));
    });
}

Import_vnejsiho_telefonniho_seznamu::~Import_vnejsiho_telefonniho_seznamu() = default;

bool Import_vnejsiho_telefonniho_seznamu::Create(QWidget* parent)
{
    Import_vnejsiho_telefonniho_seznamu_Create();
    runModal(parent);
    return m_ulozeno;
}

void Import_vnejsiho_telefonniho_seznamu::Import_vnejsiho_telefonniho_seznamu_Create()
{
    m_ulozeno = false;
    if (!m_import.nacti_misto()) showDbError(QStringLiteral("Nepodařilo se přečíst místo ústředny."), m_import.chyba());
}

const Import_vnejsiho_telefonniho_seznamu::Data_vety*
Import_vnejsiho_telefonniho_seznamu::zaznam(const QTreeWidgetItem* item) const
{
    if (!item) return nullptr;
    const qsizetype i = item->data(0, kZaznam).toLongLong();
    return i >= 0 && i < qsizetype(m_zaznamy.size()) ? &m_zaznamy[size_t(i)] : nullptr;
}

QChar Import_vnejsiho_telefonniho_seznamu::druh(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kDruh).toChar() : QChar();
}

QTreeWidgetItem* Import_vnejsiho_telefonniho_seznamu::pridej(QTreeWidget* strom, QTreeWidgetItem* rodic, QChar d,
                                                            const QString& text, const Data_vety& data)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kZaznam, qint64(m_zaznamy.size()));
    item->setData(0, kDruh, d);
    m_zaznamy.push_back(data);
    if (rodic) rodic->addChild(item);
    else strom->addTopLevelItem(item);
    return item;
}

void Import_vnejsiho_telefonniho_seznamu::Zobraz_do_stromu()
{
    ui->tv_1->clear();
    ui->tv_2->clear();
    m_zaznamy.clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<Import_vnejsiho_seznamu::Radek_prehledu> radky;
    const bool ok = m_import.prehled(radky);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        showDbError(QStringLiteral("Nepodařilo se přečíst načtená čísla."), m_import.chyba());
        return;
    }
    // State items by their code, city items by state and area code, in each tree.
    QHash<QString, QTreeWidgetItem*> staty[2];
    QHash<QString, QTreeWidgetItem*> mesta[2];
    QTreeWidget* stromy[2] = {ui->tv_1, ui->tv_2};
    for (const auto& r : radky) {
        const int k = r.ulozit ? 0 : 1;
        QTreeWidgetItem*& stat = staty[k][r.data.kod_statu];
        if (!stat)
            stat = pridej(stromy[k], nullptr, QLatin1Char('S'),
                          r.nazev_statu.isEmpty() ? QStringLiteral("Neznámý stát") : r.nazev_statu,
                          Data_vety{{}, {}, r.data.kod_statu, {}, {}});
        QTreeWidgetItem*& mesto = mesta[k][r.data.kod_statu + QChar(0x1f) + r.data.kod_mesta];
        if (!mesto)
            mesto = pridej(stromy[k], stat, QLatin1Char('M'),
                           r.nazev_mesta.isEmpty() ? QStringLiteral("Neznámé město") : r.nazev_mesta,
                           Data_vety{{}, {}, r.data.kod_statu, r.data.kod_mesta, {}});
        pridej(stromy[k], mesto, QLatin1Char('N'),
               r.data.kod_volane_cislo.leftJustified(25) + r.data.firma + QStringLiteral(" - ") + r.data.popis, r.data);
    }
}

void Import_vnejsiho_telefonniho_seznamu::cb_2_Click()
{
    if (m_bezi) return;
    if (!m_import.mistoNastaveno()) {
        messageBox(this, IconWarning, ButtonsOk, Reidentifikace::chybiMistoCaption(), Reidentifikace::chybiMistoText());
        return;
    }
    const QString cesta = askFile(this, FileQuestion{FileQuestion::OpenFile, QStringLiteral("Načtení z externího souboru"),
                                                     QDir::homePath(), QString()});
    if (cesta.isEmpty()) return;

    Soubor_vnejsiho_tel_seznamu soubor;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto stav = soubor.nacti(cesta);
    QApplication::restoreOverrideCursor();
    if (stav != Soubor_vnejsiho_tel_seznamu::Stav::Nacteno) {
        messageBox(this, IconWarning, ButtonsOk, windowTitle(), soubor.chyba());
        return;
    }
    Import_vnejsiho_seznamu::Konec konec;
    {
        Prubeh prubeh(this, QStringLiteral("Načítám a třídím čísla ze souboru ..."));
        m_bezi = true;
        konec = m_import.Zpracuj_data(soubor.radky(), prubeh.funkce());
        m_bezi = false;
    }
    if (konec == Import_vnejsiho_seznamu::Konec::Chyba)
        showDbError(QStringLiteral("Soubor se nepodařilo načíst."), m_import.chyba());
    else if (konec == Import_vnejsiho_seznamu::Konec::Preruseno)
        messageBox(this, IconInfo, ButtonsOk, windowTitle(),
                   QStringLiteral("Načítání bylo přerušeno, soubor nebyl načten."));
    // A stopped or failed load leaves the work table as it was: show what it holds.
    Zobraz_do_stromu();
}

void Import_vnejsiho_telefonniho_seznamu::Uloz_strom(QTreeWidgetItem* item, std::vector<Data_vety>& polozky) const
{
    if (druh(item) == QLatin1Char('N'))
        if (const Data_vety* d = zaznam(item)) polozky.push_back(*d);
    for (int i = 0; i < item->childCount(); ++i) Uloz_strom(item->child(i), polozky);
}

void Import_vnejsiho_telefonniho_seznamu::cb_3_Click()
{
    if (m_bezi) return;
    std::vector<Data_vety> polozky;
    for (int i = 0; i < ui->tv_1->topLevelItemCount(); ++i) Uloz_strom(ui->tv_1->topLevelItem(i), polozky);

    Import_vnejsiho_seznamu::Volba volba = Import_vnejsiho_seznamu::Volba::Ponechat_puvodni;
    if (ui->optb_1->isChecked()) volba = Import_vnejsiho_seznamu::Volba::Prepsat;
    else if (ui->optb_3->isChecked())
        volba = Import_vnejsiho_seznamu::Volba::Dotaz;
    Import_vnejsiho_seznamu::Vysledek_ulozeni v;
    {
        Prubeh prubeh(this, QStringLiteral("Ukládám čísla do telefonního seznamu ..."));
        auto dotaz = [&prubeh](const Data_vety& d) {
            return messageBox(prubeh.vlastnikOtazky(), IconWarning, ButtonsYesNo, QStringLiteral("Přepsat záznam "),
                              QStringLiteral("Přepsat volané číslo :") + d.kod_volane_cislo
                                  + QStringLiteral("\n\nNa účastníka :") + d.popis + QStringLiteral("\n\nFirmu :")
                                  + d.firma)
                == ResultYes;
        };
        m_bezi = true;
        v = m_import.uloz(polozky, volba, dotaz, prubeh.funkce());
        m_bezi = false;
    }
    if (v.konec == Import_vnejsiho_seznamu::Konec::Preruseno) {
        messageBox(this, IconInfo, ButtonsOk, windowTitle(),
                   QStringLiteral("Ukládání bylo přerušeno, žádné číslo nebylo uloženo."));
        return;
    }
    if (v.konec == Import_vnejsiho_seznamu::Konec::Chyba) {
        showDbError(QStringLiteral("Čísla se nepodařilo uložit."), m_import.chyba());
        return;
    }
    if (!m_prace.commit()) {
        showDbError(QStringLiteral("Čísla se nepodařilo uložit."), m_prace.errorText());
        return;
    }
    m_ulozeno = true;
    if (v.chyby > 0)
        showDbError(QStringLiteral("Uloženo %1 čísel, %2 čísel se nepodařilo uložit.")
                        .arg(v.vlozeno + v.prepsano)
                        .arg(v.chyby),
                    v.prvni_chyba);
}

void Import_vnejsiho_telefonniho_seznamu::cb_4_Click()
{
    if (!m_info) m_info = new Info_o_importu(this);
    m_info->Create(this);
}

void Import_vnejsiho_telefonniho_seznamu::popup_1_Item0_Click()
{
    if (m_bezi) return;
    QTreeWidgetItem* item = ui->tv_1->currentItem();
    if (!item || !item->isSelected()) return;
    delete item;
}

void Import_vnejsiho_telefonniho_seznamu::cb_1_Click() { leave(); }

void Import_vnejsiho_telefonniho_seznamu::leave()
{
    // Esc or the close box while a load or a store runs: its own "Přerušit" stops it.
    if (m_bezi) return;
    // What was not stored goes; the work table is emptied for good.
    m_prace.rollback();
    if (!m_import.vyprazdni() || !m_prace.commit())
        showDbError(QStringLiteral("Pracovní tabulku importu se nepodařilo vyprázdnit."), m_import.chyba());
    if (m_info) m_info->close();
    finish(m_ulozeno);
}

} // namespace kavro
