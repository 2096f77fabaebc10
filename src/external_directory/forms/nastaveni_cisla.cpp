#include "external_directory/forms/nastaveni_cisla.h"

#include "ui_nastaveni_cisla.h"

#include "common/forms/knihovna_okna.h"
#include "common/tree_model.h"
#include "external_directory/forms/z_oprava_mesta.h"
#include "external_directory/forms/z_oprava_osoby.h"
#include "external_directory/forms/z_oprava_statu.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QStyle>

namespace kavro {

namespace {

QString druhUrovne(int level)
{
    return level == 1 ? QStringLiteral("S") : level == 2 ? QStringLiteral("M") : QStringLiteral("O");
}

// The icons of the levels: state, city, subscriber.
QIcon ikona(QStyle* s, int level)
{
    return s->standardIcon(level == 1 ? QStyle::SP_DriveNetIcon : level == 2 ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
}

} // namespace

Nastaveni_cisla::Nastaveni_cisla(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::Nastaveni_cisla>())
{
    ui->setupUi(this);
    QFont pismo(QStringLiteral("Courier New"), 9);
    pismo.setStyleHint(QFont::TypeWriter);
    pismo.setFixedPitch(true);
    ui->tv_1->setFont(pismo);

    const QIcon ikony[] = {ikona(style(), 1), ikona(style(), 2), ikona(style(), 3)};
    m_model = new LazyTreeModel(
        [this, ikony](const QModelIndex& rodic, const LazyTreeModel& m) {
            QList<LazyTreeModel::Item> polozky;
            QList<RadekSeznamu> radky;
            const FDX_Stat* r = m.record<FDX_Stat>(rodic);
            bool ok = true;
            int uroven = 0;
            if (!rodic.isValid()) ok = m_seznam.nacti_staty(radky);
            else if (r && r->druh == QLatin1String("S")) ok = m_seznam.nacti_mesta(r->kod_statu, radky), uroven = 1;
            else if (r && r->druh == QLatin1String("M"))
                ok = m_seznam.nacti_ucastniky(r->kod_statu, r->kod_mesta, radky), uroven = 2;
            else return polozky;
            if (!ok) {
                // Shown once the model has finished loading.
                const QString chyba = m_seznam.chyba();
                QMetaObject::invokeMethod(
                    this, [this, chyba] { showDbError(QStringLiteral("Seznam nelze načíst."), chyba); },
                    Qt::QueuedConnection);
            }
            polozky.reserve(radky.size());
            for (RadekSeznamu& radek : radky) {
                LazyTreeModel::Item it;
                it.text = text_polozky(radek.zaznam);
                it.mayHaveChildren = radek.ma_potomky;
                it.icon = ikony[uroven];
                it.record = std::move(radek.zaznam);
                polozky.append(std::move(it));
            }
            return polozky;
        },
        this);
    ui->tv_1->setModel(m_model);
    vytvorMenu();

    connect(ui->cb_OK, &QPushButton::clicked, this, &Nastaveni_cisla::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Nastaveni_cisla::cb_Cancel_Click);
    connect(ui->tv_1, &QWidget::customContextMenuRequested, this, &Nastaveni_cisla::tv_1_RightClick);
    connect(ui->tv_1->selectionModel(), &QItemSelectionModel::currentChanged, this, &Nastaveni_cisla::tv_1_Select);
}

Nastaveni_cisla::~Nastaveni_cisla() = default;

void Nastaveni_cisla::vytvorMenu()
{
    auto polozka = [this](QMenu* menu, const char* jmeno, const QString& text, auto akce) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(jmeno));
        connect(a, &QAction::triggered, this, akce);
    };
    p_stat = new QMenu(this);
    p_stat->setObjectName(QStringLiteral("p_stat"));
    polozka(p_stat, "p_stat_item_novy_stat", QStringLiteral("&Vložení státu"), [this] { Popup_Menu(1, 1, true); });
    polozka(p_stat, "p_stat_item_oprava_statu", QStringLiteral("&Oprava státu"), [this] { Popup_Menu(1, 2, true); });
    polozka(p_stat, "p_stat_item_zruseni_statu", QStringLiteral("&Zrušení státu"), [this] { Popup_Menu(1, 3, true); });
    p_stat->addSeparator();
    polozka(p_stat, "p_stat_item_nove_mesto", QStringLiteral("&Vložení města"), [this] { Popup_Menu(2, 1, false); });
    p_stat->addSeparator();
    polozka(p_stat, "p_stat_Item0", QStringLiteral("Hledej"), [this] { Najdi_polozku_tree(false); });
    polozka(p_stat, "p_stat_Item1", QStringLiteral("Hledej další"), [this] { Najdi_polozku_tree(true); });

    P_mesta = new QMenu(this);
    P_mesta->setObjectName(QStringLiteral("P_mesta"));
    polozka(P_mesta, "P_mesta_item_nove_mesto", QStringLiteral("&Vložení města"), [this] { Popup_Menu(2, 1, true); });
    polozka(P_mesta, "P_mesta_item_oprava_mesta", QStringLiteral("&Oprava města"), [this] { Popup_Menu(2, 2, true); });
    polozka(P_mesta, "P_mesta_item_vymaz_mesta", QStringLiteral("&Zrušení města"), [this] { Popup_Menu(2, 3, true); });
    P_mesta->addSeparator();
    polozka(P_mesta, "P_mesta_item_novy_ucastnik", QStringLiteral("&Vložení účastníka"),
            [this] { Popup_Menu(3, 1, false); });
    P_mesta->addSeparator();
    polozka(P_mesta, "P_mesta_Item1", QStringLiteral("Hledej"), [this] { Najdi_polozku_tree(false); });
    polozka(P_mesta, "P_mesta_Item0", QStringLiteral("Hledej další"), [this] { Najdi_polozku_tree(true); });

    p_osoby = new QMenu(this);
    p_osoby->setObjectName(QStringLiteral("p_osoby"));
    polozka(p_osoby, "p_osoby_item_vlozeni_osoby", QStringLiteral("&Vložení osoby"), [this] { Popup_Menu(3, 1, true); });
    polozka(p_osoby, "p_osoby_item_oparava_osoby", QStringLiteral("&Oprava osoby"), [this] { Popup_Menu(3, 2, true); });
    polozka(p_osoby, "p_osoby_item_zruseni", QStringLiteral("Zrušení"), [this] { Popup_Menu(3, 3, true); });
    p_osoby->addSeparator();
    polozka(p_osoby, "p_osoby_Item1", QStringLiteral("Hledej"), [this] { Najdi_polozku_tree(false); });
    polozka(p_osoby, "p_osoby_Item0", QStringLiteral("Hledej další"), [this] { Najdi_polozku_tree(true); });
}

bool Nastaveni_cisla::Create(QWidget* parent)
{
    nastavZmeneno(false);
    m_model->ensureLoaded(QModelIndex());
    return runModal(parent);
}

QMenu* Nastaveni_cisla::menuPro(const QModelIndex& item) const
{
    const FDX_Stat* r = m_model->record<FDX_Stat>(item);
    if (r && r->druh == QLatin1String("M")) return P_mesta;
    if (r && r->druh == QLatin1String("O")) return p_osoby;
    return p_stat;
}

void Nastaveni_cisla::tv_1_RightClick(const QPoint& pos)
{
    const QModelIndex i = knihovna::polozka_pod_mysi(ui->tv_1, pos);
    // Below the last item of an empty directory the state menu offers the first state.
    if (!i.isValid() && m_model->rowCount() > 0) return;
    menuPro(i)->exec(ui->tv_1->viewport()->mapToGlobal(pos));
}

void Nastaveni_cisla::tv_1_Select() { ui->l_vetev_stromu->setText(Precti_text_nadrizenych_Itemu()); }

QString Nastaveni_cisla::Precti_text_nadrizenych_Itemu() const
{
    QStringList jmena;
    for (QModelIndex i = ui->tv_1->currentIndex(); i.isValid(); i = i.parent())
        if (const FDX_Stat* r = m_model->record<FDX_Stat>(i)) jmena.prepend(r->nazev);
    return QStringLiteral("\\\\") + jmena.join(QLatin1Char('\\'));
}

void Nastaveni_cisla::Rozbal_vetev_stromu(const QModelIndex& item) { m_model->ensureLoaded(item); }

void Nastaveni_cisla::Najdi_polozku_tree(bool next)
{
    if (next) m_hledej.hledat_dalsi = m_hledej.nalezena_polozka;
    m_hledej.strom = ui->tv_1;
    m_hledej.typ_vlastnika = TypUcastnici;
    hledej_text dialog(this);
    dialog.Create(this, &m_hledej);
}

QModelIndex Nastaveni_cisla::pripravVetev(const QModelIndex& rodic)
{
    QModelIndex r = rodic;
    const LazyTreeModel::Item* it = m_model->item(r);
    if (it && !it->mayHaveChildren) {
        // An item read without children gets them now: it is put back as a branch.
        LazyTreeModel::Item kopie = *it;
        kopie.mayHaveChildren = true;
        const bool vybrana = ui->tv_1->currentIndex() == r;
        const int radek = r.row();
        const QModelIndex nad = r.parent();
        m_model->removeItem(r);
        r = m_model->insertItem(nad, std::move(kopie), radek);
        if (vybrana) ui->tv_1->setCurrentIndex(r);
    }
    m_model->ensureLoaded(r);
    return r;
}

void Nastaveni_cisla::Popup_Menu(int level, int action, bool own_level)
{
    // With "Hromadný vstup" the next city is asked for at once, beside the one just stored.
    bool znovu = jeden_prikaz(level, action, own_level);
    while (znovu) znovu = jeden_prikaz(level, action, true);
}

bool Nastaveni_cisla::jeden_prikaz(int level, int action, bool own_level)
{
    QModelIndex vybrana = ui->tv_1->currentIndex();
    const FDX_Stat* v = m_model->record<FDX_Stat>(vybrana);
    if (!v && !(level == 1 && action == 1)) return false;

    // The children of the item the new entry goes under are loaded first, so
    // that the dialog's uniqueness test sees them and the new item is not read twice.
    QModelIndex rodic;
    if (action == 1 && level > 1) {
        rodic = pripravVetev(own_level ? vybrana.parent() : vybrana);
        if (!own_level) vybrana = rodic;
        v = m_model->record<FDX_Stat>(vybrana);
        if (!v) return false;
    }

    FDX_Stat zaznam = v ? *v : FDX_Stat{};
    zaznam.rezim = action;
    zaznam.umisteni = Precti_text_nadrizenych_Itemu();
    zaznam.ok = false;
    zaznam.hromadny_vstup = false;
    zaznam.strom = ui->tv_1;
    if (level == 1) {
        Z_Oprava_statu d(this);
        d.Create(this, &zaznam);
    } else if (level == 2) {
        Z_Oprava_Mesta d(this);
        d.Create(this, &zaznam);
    } else {
        Z_Oprava_Osoby d(this);
        d.Create(this, &zaznam);
    }
    if (!zaznam.ok) return false;

    FDX_Stat novy = action == 1 ? FDX_Stat{} : *v;
    novy.druh = druhUrovne(level);
    novy.kod_statu = zaznam.kod_statu;
    novy.nazev = zaznam.nazev;
    if (level >= 2) novy.kod_mesta = zaznam.kod_mesta;
    if (level == 3) {
        novy.cislo_ucastnika = zaznam.cislo_ucastnika;
        novy.firma = zaznam.firma;
        novy.soukrome = zaznam.soukrome;
    }

    VysledekZapisu vysledek = VysledekZapisu::Chyba;
    if (action == 1) {
        vysledek = level == 1 ? m_seznam.vloz_stat(novy) : level == 2 ? m_seznam.vloz_mesto(novy)
                                                                      : m_seznam.vloz_ucastnika(novy);
    } else if (action == 2) {
        vysledek = level == 1 ? m_seznam.oprav_stat(*v, novy) : level == 2 ? m_seznam.oprav_mesto(*v, novy)
                                                                          : m_seznam.oprav_ucastnika(*v, novy);
    } else {
        vysledek = level == 1 ? m_seznam.smaz_stat(*v) : level == 2 ? m_seznam.smaz_mesto(*v)
                                                                   : m_seznam.smaz_ucastnika(*v);
    }
    if (vysledek != VysledekZapisu::Zapsano) {
        chybaZapisu(vysledek, level);
        return false;
    }
    nastavZmeneno();
    if (level == 3) {
        novy.nazev = novy.nazev.trimmed();
        novy.firma = novy.firma.trimmed();
    }

    if (action == 1) {
        LazyTreeModel::Item it;
        it.text = text_polozky(novy);
        it.mayHaveChildren = false;
        it.icon = ikona(style(), level);
        it.record = novy;
        if (!it.icon.isValid() || level == 1) {
            const QStyle::StandardPixmap p = level == 1 ? QStyle::SP_DriveNetIcon
                                           : level == 2 ? QStyle::SP_DirIcon
                                                        : QStyle::SP_FileIcon;
            it.icon = style()->standardIcon(p);
        }
        const QModelIndex n = m_model->insertItem(rodic, std::move(it));
        ui->tv_1->setCurrentIndex(n);
        ui->tv_1->scrollTo(n);
        return level == 2 && zaznam.hromadny_vstup;
    }
    if (action == 2) {
        const bool novyKod = (level == 1 && novy.kod_statu != v->kod_statu)
                             || (level == 2 && novy.kod_mesta != v->kod_mesta);
        *m_model->record<FDX_Stat>(vybrana) = novy;
        m_model->setItemText(vybrana, text_polozky(novy));
        // The loaded children carry the old code: they are read again.
        const LazyTreeModel::Item* it = m_model->item(vybrana);
        if (novyKod && it && it->mayHaveChildren && m_model->isLoaded(vybrana)) m_model->reloadChildren(vybrana);
        tv_1_Select();
        return false;
    }
    m_model->removeItem(vybrana);
    return false;
}

void Nastaveni_cisla::chybaZapisu(VysledekZapisu v, int level)
{
    QString text;
    switch (v) {
    case VysledekZapisu::Duplicita:
        text = level == 1   ? QStringLiteral("Stát s tímto kódem už v seznamu je.")
               : level == 2 ? QStringLiteral("Město s tímto kódem už v tomto státě je.")
                            : QStringLiteral("Účastník s tímto číslem už v tomto městě je.");
        break;
    case VysledekZapisu::NeniCislo:
        text = level == 3 ? QStringLiteral("Číslo účastníka smí obsahovat jen číslice.")
                          : QStringLiteral("Kód smí obsahovat jen číslice.");
        break;
    case VysledekZapisu::DomovskyKod:
        text = level == 1 ? QStringLiteral("Kód domovského státu nelze změnit: stát je nastaven jako místo volání.")
                          : QStringLiteral("Kód domovského města nelze změnit: město je nastaveno jako místo volání.");
        break;
    default:
        showDbError(QStringLiteral("Změnu se nepodařilo zapsat."), m_seznam.chyba());
        return;
    }
    messageBox(this, IconWarning, ButtonsOk, windowTitle(), text);
}

void Nastaveni_cisla::cb_OK_Click()
{
    if (!m_prace.commit()) {
        // What was pending is gone: the tree shows what is stored.
        showDbError(QStringLiteral("Změny se nepodařilo uložit."), m_prace.errorText());
        nastavZmeneno(false);
        m_model->reload();
        m_model->ensureLoaded(QModelIndex());
        return;
    }
    nastavZmeneno(false);
    finish(true);
}

void Nastaveni_cisla::cb_Cancel_Click()
{
    m_prace.rollback();
    nastavZmeneno(false);
    finish(false);
}

void Nastaveni_cisla::leave()
{
    if (zmeneno() && askKeepChanges() == ResultYes) {
        cb_OK_Click();
        return;
    }
    cb_Cancel_Click();
}

} // namespace kavro
