#include "common/forms/hledej_text.h"

#include "ui_hledej_text.h"

#include "platform/forms/message_box.h"

#include <QHash>
#include <QPersistentModelIndex>
#include <QTreeView>

namespace kavro {

CestaPolozky CestaPolozky::z_indexu(const QModelIndex& index)
{
    CestaPolozky c;
    for (QModelIndex i = index.siblingAtColumn(0); i.isValid(); i = i.parent()) {
        const QString text = i.data().toString();
        int vyskyt = 0;
        for (int r = 0; r < i.row(); ++r)
            if (i.model()->index(r, 0, i.parent()).data().toString() == text) ++vyskyt;
        c.m_kroky.prepend(Krok{text, vyskyt});
    }
    return c;
}

QModelIndex CestaPolozky::najdi(const QAbstractItemModel* model) const
{
    QModelIndex rodic;
    if (!model || isNull()) return {};
    for (const Krok& k : m_kroky) {
        QModelIndex nalezeny;
        int vyskyt = 0;
        const int pocet = model->rowCount(rodic);
        for (int r = 0; r < pocet && !nalezeny.isValid(); ++r) {
            const QModelIndex i = model->index(r, 0, rodic);
            if (i.data().toString() == k.text && vyskyt++ == k.vyskyt) nalezeny = i;
        }
        if (!nalezeny.isValid()) return {};
        rodic = nalezeny;
    }
    return rodic;
}

hledej_text::hledej_text(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::hledej_text>())
{
    ui->setupUi(this);
    connect(ui->textb_1, &QLineEdit::textChanged, this, &hledej_text::textb_1_Change);
    connect(ui->cb_hledej, &QPushButton::clicked, this, &hledej_text::cb_hledej_Click);
    connect(ui->cb_dalsi, &QPushButton::clicked, this, &hledej_text::cb_dalsi_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &hledej_text::cb_Cancel_Click);
}

hledej_text::~hledej_text() = default;

bool hledej_text::Create(QWidget* parent, FDX_Hledej_item* record)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    if (!record) return false;
    m_record = record;
    m_vlastnik = dynamic_cast<VlastnikStromu*>(parent);
    hledej_text_Create();
    if (!m_record->hledat_dalsi.isNull()) {
        show();
        cb_dalsi_Click();
    } else {
        exec();
    }
    m_record->hledat_dalsi.clear();
    // The tree keeps the focus after the dialog has gone.
    if (m_record->strom && !m_record->nalezena_polozka.isNull()
        && m_record->strom->currentIndex().isValid())
        m_record->strom->setFocus();
    return true;
}

void hledej_text::hledej_text_Create()
{
    ui->textb_1->setText(m_record->hledany_text);
    ui->cb_dalsi->setEnabled(!m_record->nalezena_polozka.isNull());
    ui->textb_1->selectAll();
    ui->textb_1->setFocus();
}

void hledej_text::textb_1_Change(const QString& text)
{
    if (m_record) m_record->hledany_text = text;
}

void hledej_text::cb_hledej_Click()
{
    m_record->nalezena_polozka.clear();
    hledej();
}

void hledej_text::cb_dalsi_Click() { hledej(); }

void hledej_text::cb_Cancel_Click() { reject(); }

void hledej_text::hledej()
{
    const QString& typ = m_record->typ_vlastnika;
    const bool znamy = typ == TypPobocky || typ == TypUcastnici || typ == TypPasma;
    if (!znamy || !m_vlastnik || !m_record->strom || !m_record->strom->model()) {
        messageBox(this, IconStop, ButtonsOk, QStringLiteral("Chyba při hledání"),
                   QStringLiteral("Nepodařilo se správně inicializovat\nhledání. "));
        reject();
        return;
    }

    m_record->hledany_text = m_record->hledany_text.trimmed();
    const QAbstractItemModel* model = m_record->strom->model();
    CestaPolozky cesta;
    const bool nalezeno = hledej_Item(model->index(0, 0), cesta);
    if (!nalezeno) text_nenalezen();
    accept();
}

bool hledej_text::hledej_Item(const QModelIndex& prvni, CestaPolozky& cesta)
{
    if (!prvni.isValid()) return false;
    QTreeView* strom = m_record->strom;
    const QAbstractItemModel* model = strom->model();
    const QString& hledany = m_record->hledany_text;
    const QPersistentModelIndex rodic(prvni.parent());
    const bool koren = !prvni.parent().isValid();
    QHash<QString, int> pocty; // texts met so far among these siblings

    for (int radek = prvni.row();; ++radek) {
        if (!koren && !rodic.isValid()) return false; // the owner dropped this branch
        const QPersistentModelIndex polozka(model->index(radek, 0, rodic));
        if (!polozka.isValid()) return false;
        const QString text = polozka.data().toString();
        cesta.pridej(CestaPolozky::Krok{text, pocty[text]++});

        const bool shoda = !hledany.isEmpty() && text.contains(hledany, Qt::CaseInsensitive);
        if (shoda && m_record->nalezena_polozka.isNull()) {
            for (QModelIndex i = polozka.parent(); i.isValid(); i = i.parent()) strom->expand(i);
            strom->expand(polozka);
            strom->setCurrentIndex(polozka);
            strom->scrollTo(polozka);
            m_record->nalezena_polozka = cesta;
            strom->setFocus();
            return true;
        }

        m_vlastnik->Rozbal_vetev_stromu(polozka);
        if (!polozka.isValid()) return false;
        if (cesta == m_record->nalezena_polozka) m_record->nalezena_polozka.clear(); // matches count from here on

        if (model->rowCount(polozka) > 0) {
            strom->collapse(polozka);
            if (hledej_Item(model->index(0, 0, polozka), cesta)) return true;
        }
        cesta.odeber_posledni();
    }
}

void hledej_text::text_nenalezen()
{
    messageBox(this, IconWarning, ButtonsOk, QStringLiteral("Text nenalezen"),
               QStringLiteral("Položka s tímto textem nebyla nalezena"));
}

} // namespace kavro
