#include "internal_directory/forms/nastaveni_pobocky.h"

#include "ui_nastaveni_pobocky.h"

#include "common/forms/knihovna_okna.h"
#include "common/forms/z_zruseni_polozky_firma_oddeleni_osoba.h"
#include "common/konfigurace.h"
#include "frame/prikazy_menu.h"
#include "internal_directory/forms/z_oprava_firmy.h"
#include "internal_directory/forms/z_oprava_jmena.h"
#include "internal_directory/forms/z_oprava_oddeleni.h"
#include "internal_directory/forms/z_prirazeni_linky.h"
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace kavro {

namespace {

// The six node pictures: firm, department, person, extension, exchange, watched.
QIcon obrazek(int i)
{
    static const QList<QIcon> obrazky = [] {
        QList<QIcon> v;
        const QList<QPair<QColor, QString>> vzory = {
            {QColor(0, 0, 128), QStringLiteral("F")},   {QColor(0, 128, 128), QStringLiteral("O")},
            {QColor(0, 128, 0), QStringLiteral("P")},   {QColor(128, 128, 128), QStringLiteral("T")},
            {QColor(128, 0, 128), QStringLiteral("Ú")}, {QColor(192, 0, 0), QStringLiteral("!")}};
        for (const auto& [barva, pismeno] : vzory) {
            QPixmap p(16, 16);
            p.fill(Qt::transparent);
            QPainter g(&p);
            g.setRenderHint(QPainter::Antialiasing);
            g.setBrush(barva);
            g.setPen(Qt::NoPen);
            g.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
            g.setPen(Qt::white);
            QFont f = g.font();
            f.setPixelSize(11);
            f.setBold(true);
            g.setFont(f);
            g.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, pismeno);
            g.end();
            v.append(QIcon(p));
        }
        return v;
    }();
    return obrazky.value(i);
}

// The tree model of the window: the node's picture follows its record.
class ModelPobocek : public LazyTreeModel {
public:
    using LazyTreeModel::LazyTreeModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DecorationRole) return LazyTreeModel::data(index, role);
        const Struct_std* r = record<Struct_std>(index);
        if (!r) return {};
        if (r->Dohled == QLatin1String("+")) return obrazek(5);
        if (r->typ == QLatin1String("R")) return obrazek(4);
        if (r->typ == QLatin1String("F")) return obrazek(0);
        if (r->typ == QLatin1String("S")) return obrazek(1);
        if (r->typ == QLatin1String("O")) return obrazek(2);
        return obrazek(3);
    }
};

QString dnes() { return clock::today().toString(QStringLiteral("yyyy-MM-dd")); }
QString ted() { return clock::now().toString(QStringLiteral("hh:mm:ss")); }

const QString Varianta = QStringLiteral("Varianta_zobrazeni");

} // namespace

Nastaveni_pobocky::Nastaveni_pobocky(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Nastaveni_pobocky>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    m_seznam = std::make_unique<SeznamPobocek>(Transaction::main(), [](LazyTreeModel::Loader l) {
        return std::unique_ptr<LazyTreeModel>(std::make_unique<ModelPobocek>(std::move(l)));
    });
    ui->tv_1->setModel(&m_seznam->strom());
    ui->tv_2->setModel(&m_seznam->volne());
    QFont pismo(QStringLiteral("Courier New"));
    pismo.setStyleHint(QFont::Monospace);
    ui->tv_1->setFont(pismo);
    ui->textb_cas->setNula(true);
    ui->textb_cas->setUpDown(ui->updown_2);
    connect(ui->updown_1, &UpDown::DeltaPosition, this, [this](int d) { knihovna::Uprav_datum(ui->Datum_ke_dni, d); });
    connect(ui->Datum_ke_dni, &QLineEdit::textChanged, this, [this] { ui->cb_Nastav->setEnabled(true); });
    connect(ui->textb_cas, &QLineEdit::textChanged, this, [this] { ui->cb_Nastav->setEnabled(true); });
    connect(ui->cb_Nastav, &QPushButton::clicked, this, &Nastaveni_pobocky::cb_Nastav_Click);
    connect(ui->cb_OK, &QPushButton::clicked, this, &Nastaveni_pobocky::cb_OK_Click);
    connect(ui->cb_Cancel, &QPushButton::clicked, this, &Nastaveni_pobocky::cb_Cancel_Click);
    connect(ui->optb_1, &QRadioButton::clicked, this, [this] { if (m_seznam->pohled() != 1) prepni_zobrazeni(); });
    connect(ui->optb_2, &QRadioButton::clicked, this, [this] { if (m_seznam->pohled() != 2) prepni_zobrazeni(); });
    connect(ui->tv_1, &QTreeView::expanded, this, &Nastaveni_pobocky::tv_1_Expand);
    connect(ui->tv_1->selectionModel(), &QItemSelectionModel::currentChanged, this, &Nastaveni_pobocky::tv_1_Select);
    connect(ui->tv_1, &QTreeView::customContextMenuRequested, this, &Nastaveni_pobocky::tv_1_RightClick);
    connect(ui->tv_1, &QTreeView::doubleClicked, this, &Nastaveni_pobocky::tv_1_DoubleClick);
    connect(ui->tv_2, &QTreeView::customContextMenuRequested, this, &Nastaveni_pobocky::tv_2_RightClick);
    vytvorNabidky();
}

Nastaveni_pobocky::~Nastaveni_pobocky() = default;

QTreeView* Nastaveni_pobocky::tv_1() const { return ui->tv_1; }
QTreeView* Nastaveni_pobocky::tv_2() const { return ui->tv_2; }

QMenu* Nastaveni_pobocky::novaNabidka(Nabidka n, const QString& jmeno)
{
    auto* m = new QMenu(this);
    m->setObjectName(jmeno);
    m_nabidky.insert(n, m);
    return m;
}

void Nastaveni_pobocky::vytvorNabidky()
{
    const auto akce = [this](QMenu* m, const QString& text, std::function<void()> f) {
        QAction* a = m->addAction(text);
        if (f) connect(a, &QAction::triggered, this, f);
        return a;
    };
    const auto node = [this](int druh, int a, bool naUrovni) {
        return [this, druh, a, naUrovni] { PopupMenu(druh, a, naUrovni); };
    };
    const auto hledej = [this](bool dalsi) { return [this, dalsi] { Najdi_polozku_tree(dalsi); }; };
    const auto hovory = [this, akce](QMenu* m, const QString& text, const QString& objekt, const QString& titulek,
                                     int klic) {
        m_hovory.append(akce(m, text, [this, objekt, titulek, klic] { zobraz_hovory(objekt, titulek, klic); }));
    };
    const QString firmy = QStringLiteral("tarif_hovory_za_firmu");
    const QString oddeleni = QStringLiteral("tarif_hovory_za_oddeleni");
    const QString osoby = QStringLiteral("tarif_hovory_za_osobu");
    const QString pobocky = QStringLiteral("tarif_hovory_za_pobocku");
    const QString tFirmy = QStringLiteral("Otarifované hovory pro vybranou firmu");
    const QString tOddeleni = QStringLiteral("Otarifované hovory pro vybrané oddělení");
    const QString tOsoby = QStringLiteral("Otarifované hovory pro vybranou osobu");
    const QString tPobocky = QStringLiteral("Otarifované hovory pro vybranou pobočku");

    QMenu* m = novaNabidka(Nabidka::p_root, QStringLiteral("p_root"));
    akce(m, QStringLiteral("Vložení firmy"), node(1, 1, true));
    m->addSeparator();
    akce(m, QStringLiteral("Hledej"), hledej(false));
    akce(m, QStringLiteral("Hledej dalsi"), hledej(true));

    m = novaNabidka(Nabidka::p_firma, QStringLiteral("p_firma"));
    akce(m, QStringLiteral("&Vložení firmy"), node(1, 1, true));
    akce(m, QStringLiteral("&Oprava Firmy"), node(1, 2, true));
    akce(m, QStringLiteral("&Zrušení firmy"), node(1, 3, true));
    m->addSeparator();
    akce(m, QStringLiteral("Vložení oddělení"), node(2, 1, false));
    akce(m, QStringLiteral("Vložení pobočky"), node(4, 1, false));
    m->addSeparator();
    akce(m, QStringLiteral("Hledej"), hledej(false));
    akce(m, QStringLiteral("Hledej další"), hledej(true));
    m->addSeparator();
    hovory(m, QStringLiteral("Zobraz hovory za firmu"), firmy, tFirmy, 1);
    akce(m, QStringLiteral("Zobraz vyučtování za firmu"), {});  // offered, does nothing

    for (const bool druhy : {false, true}) {
        m = novaNabidka(druhy ? Nabidka::p_oddeleni_2 : Nabidka::p_oddeleni,
                        druhy ? QStringLiteral("p_oddeleni_2") : QStringLiteral("p_oddeleni"));
        akce(m, QStringLiteral("&Vložení oddělení"), node(2, 1, true));
        akce(m, QStringLiteral("&Oprava oddělení"), node(2, 2, true));
        akce(m, QStringLiteral("&Zrušení oddělení"), node(2, 3, true));
        m->addSeparator();
        if (!druhy) akce(m, QStringLiteral("Vložení osoby"), node(3, 1, false));
        akce(m, QStringLiteral("Vložení pobočky"), node(4, 1, false));
        m->addSeparator();
        akce(m, QStringLiteral("Hledej"), hledej(false));
        akce(m, QStringLiteral("Hledej další"), hledej(true));
        m->addSeparator();
        hovory(m, QStringLiteral("Zobraz hovory za oddělení"), oddeleni, tOddeleni, 2);
    }

    m = novaNabidka(Nabidka::p_osoba, QStringLiteral("p_osoba"));
    akce(m, QStringLiteral("&Vložení osoby"), node(3, 1, true));
    akce(m, QStringLiteral("&Oprava osoby"), node(3, 2, true));
    akce(m, QStringLiteral("&Zrušení osoby"), node(3, 3, true));
    m->addSeparator();
    akce(m, QStringLiteral("Přiřazení linky"), node(4, 1, false));
    m->addSeparator();
    akce(m, QStringLiteral("Hledej"), hledej(false));
    akce(m, QStringLiteral("Hledej další"), hledej(true));
    m->addSeparator();
    hovory(m, QStringLiteral("Zobraz hovory za osobu"), osoby, tOsoby, 3);

    m = novaNabidka(Nabidka::p_osoba_2, QStringLiteral("p_osoba_2"));
    akce(m, QStringLiteral("&Vložení osoby"), node(3, 1, true));
    akce(m, QStringLiteral("&Oprava osoby"), node(3, 2, true));
    akce(m, QStringLiteral("&Zrušení osoby"), node(3, 3, true));
    akce(m, QStringLiteral("Nastav ( zruš ) detailní sledování"), [this] { Nastav_zrus_sledovani(); });
    m->addSeparator();
    akce(m, QStringLiteral("Hledej"), hledej(false));
    akce(m, QStringLiteral("Hledej další"), hledej(true));
    m->addSeparator();
    hovory(m, QStringLiteral("Zobraz hovory za osobu"), osoby, tOsoby, 3);

    m = novaNabidka(Nabidka::p_pobocka, QStringLiteral("p_pobocka"));
    akce(m, QStringLiteral("Zobraz platnost"), node(4, 4, true));
    akce(m, QStringLiteral("Ukonči platnost"), [this] { p_pobocka_Item_zrus_platnost_Click(); });
    akce(m, QStringLiteral("Nastav ( zruš ) detailní sledování"), [this] { Nastav_zrus_sledovani(); });
    m->addSeparator();
    akce(m, QStringLiteral("Hledej"), hledej(false));
    akce(m, QStringLiteral("Hledej další"), hledej(true));
    m->addSeparator();
    hovory(m, QStringLiteral("Zobraz hovory za pobočku"), pobocky, tPobocky, 4);

    m = novaNabidka(Nabidka::p_pobocka_2, QStringLiteral("p_pobocka_2"));
    akce(m, QStringLiteral("Přiřaď osobu"), node(3, 1, false));
    m->addSeparator();
    akce(m, QStringLiteral("Zobraz platnost"), node(4, 4, true));
    akce(m, QStringLiteral("Ukonči platnost"), [this] { p_pobocka_Item_zrus_platnost_Click(); });
    m->addSeparator();
    akce(m, QStringLiteral("Hledej"), hledej(false));
    akce(m, QStringLiteral("Hledej další"), hledej(true));
    m->addSeparator();
    hovory(m, QStringLiteral("Zobraz hovory za pobočku"), pobocky, tPobocky, 4);

    m_popupVolne = new QMenu(this);
    m_popupVolne->setObjectName(QStringLiteral("popup_neprirazena_polozka"));
    akce(m_popupVolne, QStringLiteral("&Ukaž platnost"), [this] {
        m_vPoolu = true;
        PopupMenu(4, 4, true);
        m_vPoolu = false;
    });

    // The call reports open once the report viewer is there.
    for (QMenu* n : m_nabidky)
        connect(n, &QMenu::aboutToShow, this, [this] {
            const bool je = bool(PrikazyMenu::instance().sestava());
            for (QAction* a : m_hovory) a->setEnabled(je);
        });
    const bool je = bool(PrikazyMenu::instance().sestava());
    for (QAction* a : m_hovory) a->setEnabled(je);
}

bool Nastaveni_pobocky::Create(QWidget* parent, FDX_Udrzba_pobocek* record)
{
    (void)(record ? record : &m_vychozi);
    m_ulozeno = false;
    Nastaveni_pobocky_Create();
    runModal(parent);
    return m_ulozeno;
}

void Nastaveni_pobocky::Nastaveni_pobocky_Create()
{
    const int pohled = konfigurace ? konfigurace->zjisti_hodnotu(Varianta).toInt() : 0;
    m_seznam->nastavPohled(pohled == 2 ? 2 : 1);  // anything but 2 is view 1
    ui->optb_1->setChecked(m_seznam->pohled() == 1);
    ui->optb_2->setChecked(m_seznam->pohled() == 2);
    m_seznam->nastavZmeneno(false);
    m_seznam->nastavUstrednu(konfigurace ? konfigurace->zjisti_hodnotu(QStringLiteral("Ustredna")) : QString());
    ui->Datum_ke_dni->setText(dnes());
    ui->textb_cas->setText(ted());
    cb_Nastav_Click();
}

QString Nastaveni_pobocky::okamzikOkna()
{
    ui->Datum_ke_dni->normalise();
    ui->textb_cas->normalise();
    return ui->Datum_ke_dni->text() + QLatin1Char(' ') + ui->textb_cas->text();
}

void Nastaveni_pobocky::cb_Nastav_Click()
{
    ui->cb_Nastav->setEnabled(false);
    m_seznam->nastavOkamzik(okamzikOkna());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_seznam->nacti();
    QApplication::restoreOverrideCursor();
    const QModelIndex koren = m_seznam->koren();
    ui->tv_1->expand(koren);
    ui->tv_1->setCurrentIndex(koren);
    ui->cb_Nastav->setEnabled(false);
    if (!m_seznam->data().chyba().isEmpty())
        showDbError(QStringLiteral("Seznam se nepodařilo načíst."), m_seznam->data().chyba());
}

void Nastaveni_pobocky::Rozbal_vetev_stromu(const QModelIndex& uzel) { m_seznam->Rozbal_vetev_stromu(uzel); }

void Nastaveni_pobocky::tv_1_Expand(const QModelIndex& uzel)
{
    // The selection stays where the user put it: the view also expands
    // branches itself (to show the current node, to reopen a path).
    m_seznam->Rozbal_vetev_stromu(uzel);
}

void Nastaveni_pobocky::tv_1_Select()
{
    ui->l_vetev_stromu->setText(knihovna::vrat_vetev_tree(ui->tv_1));
}

void Nastaveni_pobocky::tv_1_RightClick(const QPoint& pos)
{
    const QModelIndex uzel = knihovna::polozka_pod_mysi(ui->tv_1, pos);
    const Struct_std* r = SeznamPobocek::zaznam(uzel);
    if (!r) return;
    ui->tv_1->setFocus();
    if (QMenu* m = nabidka(r->menu)) m->exec(ui->tv_1->viewport()->mapToGlobal(pos));
}

void Nastaveni_pobocky::tv_2_RightClick(const QPoint& pos)
{
    knihovna::polozka_pod_mysi(ui->tv_2, pos);
    ui->tv_2->setFocus();
    m_popupVolne->exec(ui->tv_2->viewport()->mapToGlobal(pos));
}

void Nastaveni_pobocky::tv_1_DoubleClick(const QModelIndex& uzel)
{
    const Struct_std* r = SeznamPobocek::zaznam(uzel);
    if (!r) return;
    ui->tv_1->setCurrentIndex(uzel);
    ui->tv_1->setFocus();
    if (m_seznam->pohled() == 2 && r->typ == QLatin1String("O")) PopupMenu(3, 2, true);
    else if (m_seznam->pohled() == 1 && r->typ == QLatin1String("T")) PopupMenu(4, 2, true);
}

QModelIndex Nastaveni_pobocky::vybrany(QTreeView* strom) const
{
    return strom->selectionModel()->isSelected(strom->currentIndex()) ? strom->currentIndex() : QModelIndex();
}

QString Nastaveni_pobocky::potvrdOkamzik(const QString& titulek, const QString& otazka)
{
    FDX_Z_Zruseni_polozky_firma_oddeleni_osoba z;
    z.OK = false;
    z.nadpis = otazka;
    z.popis = ui->l_vetev_stromu->text();
    z.titulek = titulek;
    z.datum = dnes();
    z.cas = ted();
    Z_Zruseni_polozky_firma_oddeleni_osoba d(this);
    d.Create(this, &z);
    if (!z.OK) return {};
    return z.datum + QLatin1Char(' ') + z.cas;
}

void Nastaveni_pobocky::ukazChybu(const QString& co)
{
    if (m_seznam->obsazeno())
        messageBox(this, IconInfo, ButtonsOk, QStringLiteral("Uložení položky"), SeznamPobocek::textObsazeno());
    else if (!m_seznam->chyba().isEmpty())
        showDbError(co, m_seznam->chyba());
}

void Nastaveni_pobocky::poZmene()
{
    tv_1_Select();
}

void Nastaveni_pobocky::PopupMenu(int druh, int akce, bool naUrovni)
{
    // The tree the user works in: the pool for its own menu, else the directory.
    QTreeView* strom = m_vPoolu ? ui->tv_2 : ui->tv_1;
    const QModelIndex uzel = vybrany(strom);
    if (!uzel.isValid()) return;  // nothing selected: nothing to act on
    FDX_Firmy& f = m_seznam->vypln(druh, akce, uzel);
    if (akce == 3) {
        const QString konec = potvrdOkamzik(QStringLiteral("Zrušení položky"), QStringLiteral("Opravdu zrušit položku ?"));
        if (konec.isEmpty()) return;
        if (!m_seznam->ukonci_uzel(uzel, konec)) ukazChybu(QStringLiteral("Položku se nepodařilo zrušit."));
        poZmene();
        return;
    }
    switch (druh) {
    case 1: { Z_Oprava_firmy d(this); d.Create(this, &f); break; }
    case 2: { Z_Oprava_oddeleni d(this); d.Create(this, &f); break; }
    case 3: { Z_Oprava_jmena d(this); d.Create(this, &f); break; }
    default: { Z_Prirazeni_linky d(this); d.Create(this, &f); break; }
    }
    if (!f.OK || akce == 4) return;
    if (akce == 1) {
        const QModelIndex novy = m_seznam->novy_uzel(druh, uzel, naUrovni, f);
        if (!novy.isValid()) {
            ukazChybu(QStringLiteral("Položku se nepodařilo uložit."));
            return;
        }
        ui->tv_1->expand(novy.parent());
    } else if (!m_seznam->oprav_uzel(druh, uzel, f)) {
        ukazChybu(QStringLiteral("Změnu se nepodařilo uložit."));
    }
    poZmene();
}

void Nastaveni_pobocky::p_pobocka_Item_zrus_platnost_Click()
{
    const QModelIndex uzel = vybrany(ui->tv_1);
    const Struct_std* r = SeznamPobocek::zaznam(uzel);
    if (!r || r->typ != QLatin1String("T")) return;
    const QString konec = potvrdOkamzik(QStringLiteral("Přiřazení linky"), QStringLiteral("Opravdu zrušit přiřazení linky ?"));
    if (konec.isEmpty()) return;
    if (!m_seznam->ukonci_pobocku(uzel, konec)) {
        ukazChybu(QStringLiteral("Přiřazení linky se nepodařilo zrušit."));
        return;
    }
    if (!m_seznam->info().isEmpty())
        messageBox(this, IconInfo, ButtonsOk, QStringLiteral("Uložení položky"), m_seznam->info());
    poZmene();
}

void Nastaveni_pobocky::Nastav_zrus_sledovani()
{
    const QModelIndex uzel = vybrany(ui->tv_1);
    if (!uzel.isValid()) return;
    if (!m_seznam->prepni_sledovani(uzel)) ukazChybu(QStringLiteral("Sledování se nepodařilo změnit."));
}

void Nastaveni_pobocky::zobraz_hovory(const QString& objekt, const QString& titulek, int klic)
{
    const Struct_std* r = SeznamPobocek::zaznam(vybrany(ui->tv_1));
    const auto& sestava = PrikazyMenu::instance().sestava();
    if (!r || !sestava) return;
    FDX_Zakladni_okno z;
    z.objekt_sestavy = objekt;
    z.titulek = titulek;
    z.ukazat_ulozit = false;
    z.argument[0] = z.argument[1] = FDX_Zakladni_okno::obrazekDatumu();
    const QString hodnota = klic == 1 ? r->ID_firmy : klic == 2 ? r->ID_oddeleni : klic == 3 ? r->ID_osoby : r->Cislo_pobocky;
    z.argument[2] = hodnota.toInt();
    z.argument[3] = z.argument[4] = QString();
    sestava(this, &z);
}

void Nastaveni_pobocky::Najdi_polozku_tree(bool dalsi)
{
    if (dalsi) m_hledej.hledat_dalsi = m_hledej.nalezena_polozka;
    m_hledej.strom = ui->tv_1;
    m_hledej.typ_vlastnika = TypPobocky;
    hledej_text d(this);
    d.Create(this, &m_hledej);
}

void Nastaveni_pobocky::prepni_zobrazeni()
{
    const QModelIndex uzel = vybrany(ui->tv_1);
    const QList<QModelIndex> cesta = m_seznam->prepni_zobrazeni(uzel);
    const QString k = m_seznam->okamzik();
    ui->Datum_ke_dni->setText(k.left(10));
    ui->textb_cas->setText(k.mid(11, 8));
    ui->optb_1->setChecked(m_seznam->pohled() == 1);
    ui->optb_2->setChecked(m_seznam->pohled() == 2);
    ui->tv_1->expand(m_seznam->koren());
    for (const QModelIndex& x : cesta) ui->tv_1->expand(x);
    ui->tv_1->selectionModel()->clear();
    ui->l_vetev_stromu->clear();
    ui->cb_Nastav->setEnabled(false);
}

void Nastaveni_pobocky::cb_OK_Click() { zavri(true); }

void Nastaveni_pobocky::cb_Cancel_Click() { zavri(false); }

void Nastaveni_pobocky::leave() { cb_Cancel_Click(); }

void Nastaveni_pobocky::zavri(bool ulozit)
{
    // The view is kept for the next opening.
    if (konfigurace) {
        const QString v = QString::number(m_seznam->pohled());
        konfigurace->nastav_promennou(Varianta, v, QString());
        konfigurace->zapis_promenou_do_registru(Varianta, v, konfigurace->instance());
    }
    if (!ulozit && m_seznam->zmeneno()) ulozit = askKeepChanges() == ResultYes;
    if (ulozit) {
        if (!m_prace.commit()) {
            showDbError(QStringLiteral("Změny se nepodařilo uložit, zůstává uloženo to, co bylo předtím."),
                        m_prace.errorText());
            m_seznam->nastavZmeneno(false);
            cb_Nastav_Click();  // show what is really stored
            return;
        }
        m_seznam->nastavZmeneno(false);
        m_ulozeno = true;
        finish(true);
        return;
    }
    m_prace.rollback();
    finish(false);
}

} // namespace kavro
