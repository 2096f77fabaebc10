#include "internal_directory/forms/i_import_vnitrniho_tel_seznamu.h"

#include "ui_i_import_vnitrniho_tel_seznamu.h"

#include "common/konfigurace.h"
#include "common/tree_model.h"
#include "internal_directory/directory_import_file.h"
#include "internal_directory/forms/k_import_vnitrniho_tel_seznamu.h"
#include "platform/database.h"
#include "platform/forms/file_question.h"
#include "platform/forms/message_box.h"

#include <QDir>
#include <QGuiApplication>

namespace kavro {

namespace {

QString hodnota(const QString& jmeno) { return konfigurace ? konfigurace->zjisti_hodnotu(jmeno) : QString(); }

struct CekaciKurzor {
    CekaciKurzor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CekaciKurzor() { QGuiApplication::restoreOverrideCursor(); }
};

} // namespace

I_Import_vnitrniho_tel_seznamu::I_Import_vnitrniho_tel_seznamu(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::I_Import_vnitrniho_tel_seznamu>()),
      m_import(std::make_unique<DirectoryImport>())
{
    ui->setupUi(this);
    m_model = new LazyTreeModel(
        [this](const QModelIndex& rodic, const LazyTreeModel& m) {
            QList<LazyTreeModel::Item> out;
            const DirectoryImport::Node* n = &m_import->koren();
            if (rodic.isValid()) {
                auto* const* r = m.record<const DirectoryImport::Node*>(rodic);
                if (!r) return out;
                n = *r;
            }
            for (const auto& d : n->deti)
                out.append({d->text, static_cast<const DirectoryImport::Node*>(d.get()), !d->deti.empty()});
            return out;
        },
        this);
    ui->tv_1->setModel(m_model);
    ui->Pocatek_platnosti_datum->setCalendarButton(ui->cb_4);
    ui->Pocatek_platnosti_Cas->setUpDown(ui->updown_1);
    connect(ui->Pocatek_platnosti_datum, &QLineEdit::textChanged, this,
            &I_Import_vnitrniho_tel_seznamu::Pocatek_platnosti_datum_Update);
    connect(ui->cb_1, &QPushButton::clicked, this, &I_Import_vnitrniho_tel_seznamu::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &I_Import_vnitrniho_tel_seznamu::cb_2_Click);
    connect(ui->cb_3, &QPushButton::clicked, this, &I_Import_vnitrniho_tel_seznamu::nacti_seznam_ze_souboru);
    connect(ui->cb_5, &QPushButton::clicked, this, &I_Import_vnitrniho_tel_seznamu::cb_5_Click);
}

I_Import_vnitrniho_tel_seznamu::~I_Import_vnitrniho_tel_seznamu() = default;

bool I_Import_vnitrniho_tel_seznamu::Create(QWidget* parent)
{
    I_Import_vnitrniho_tel_seznamu_Create();
    return runModal(parent);
}

void I_Import_vnitrniho_tel_seznamu::I_Import_vnitrniho_tel_seznamu_Create()
{
    m_import = std::make_unique<DirectoryImport>();
    m_model->reload();
    ui->Pocatek_platnosti_datum->clear();
    ui->Pocatek_platnosti_Cas->setText(QStringLiteral("00:00:00"));
    ui->cb_2->setEnabled(false);
    Nastav_Enabled();
}

void I_Import_vnitrniho_tel_seznamu::Nastav_Enabled()
{
    ui->cb_3->setEnabled(DirectoryImportFile::platnaKonfigurace(hodnota(DirectoryImportFile::pozice()),
                                                                hodnota(DirectoryImportFile::oddelovace())));
}

void I_Import_vnitrniho_tel_seznamu::Pocatek_platnosti_datum_Update()
{
    ui->cb_2->setEnabled(ui->Pocatek_platnosti_datum->text().size() >= 10);
}

void I_Import_vnitrniho_tel_seznamu::nacti_seznam_ze_souboru()
{
    const QString cesta = askFile(this, FileQuestion{FileQuestion::OpenFile, windowTitle(), QDir::homePath(), {}});
    if (cesta.isEmpty()) return;
    const DirectoryImportFile soubor(hodnota(DirectoryImportFile::pozice()), hodnota(DirectoryImportFile::oddelovace()));
    QList<Str_firma> radky;
    QString chyba;
    DirectoryImportFile::Vysledek v;
    {
        CekaciKurzor k;
        v = soubor.nacti(cesta, radky, &chyba);
        for (const Str_firma& r : radky) m_import->Vloz_item(r);
        // The tree only grows: lines of a second file join those read before.
        m_model->reload();
        m_model->ensureLoaded(QModelIndex());
    }
    if (v != DirectoryImportFile::Vysledek::Nacteno) messageBox(this, IconWarning, ButtonsOk, windowTitle(), chyba);
}

void I_Import_vnitrniho_tel_seznamu::cb_1_Click() { leave(); }

void I_Import_vnitrniho_tel_seznamu::cb_2_Click()
{
    ui->Pocatek_platnosti_datum->normalise();
    ui->Pocatek_platnosti_Cas->normalise();
    const QString od = ui->Pocatek_platnosti_datum->text() + QLatin1Char(' ') + ui->Pocatek_platnosti_Cas->text();
    QString chyba;
    bool ok;
    {
        CekaciKurzor k;
        ok = m_import->uloz(m_prace.transaction(), od, &chyba) && m_prace.commit();
        if (ok) chyba.clear();
        else if (chyba.isEmpty()) chyba = QStringLiteral("Import nelze potvrdit.\n") + m_prace.errorText();
    }
    if (!ok) {
        m_prace.rollback();
        messageBox(this, IconStop, ButtonsOk, windowTitle(),
                   QStringLiteral("Seznam nebyl uložen, databáze zůstala beze změny.\n") + chyba);
        return;
    }
    finish(true);
}

void I_Import_vnitrniho_tel_seznamu::cb_5_Click()
{
    FDX_K_Import r;
    r.pozice = hodnota(DirectoryImportFile::pozice());
    r.oddelovace = hodnota(DirectoryImportFile::oddelovace());
    K_Import_vnitrniho_tel_seznamu dialog(this);
    dialog.Create(this, &r);
    if (r.OK && konfigurace) {
        konfigurace->nastav_promennou(DirectoryImportFile::pozice(), r.pozice, konfigurace->instance());
        konfigurace->nastav_promennou(DirectoryImportFile::oddelovace(), r.oddelovace, konfigurace->instance());
        konfigurace->zapis_do_registru();
    }
    Nastav_Enabled();
}

} // namespace kavro
