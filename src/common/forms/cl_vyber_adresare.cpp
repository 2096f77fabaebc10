#include "common/forms/cl_vyber_adresare.h"
#include "ui_cl_vyber_adresare.h"

#include "common/cesty.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <QComboBox>
#include <QStyle>
#include <QToolBar>

namespace kavro {

namespace {

const int DruhRole = Qt::UserRole;
const QString DruhSlozka = QStringLiteral("D");
const QString DruhSoubor = QStringLiteral("S");
const QString DruhDisk = QStringLiteral("R");

// The view buttons' images: small drawings of each arrangement.
QIcon ikonaPohledu(int pohled)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(40, 40, 40));
    const QColor modra(60, 110, 200);
    switch (pohled) {
    case 0:  // large icons: four big squares
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c) p.fillRect(2 + c * 7, 2 + r * 7, 5, 5, modra);
        break;
    case 2:  // small icons: rows of small squares with a name beside each
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c) {
                p.fillRect(1 + c * 8, 2 + r * 5, 2, 2, modra);
                p.drawLine(4 + c * 8, 3 + r * 5, 6 + c * 8, 3 + r * 5);
            }
        break;
    case 3:  // list: columns of entries
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 2; ++c) {
                p.fillRect(1 + c * 8, 2 + r * 3, 2, 2, modra);
                p.drawLine(4 + c * 8, 2 + r * 3, 6 + c * 8, 2 + r * 3);
            }
        break;
    default:  // details: one entry a line under a heading
        p.drawLine(1, 2, 14, 2);
        for (int r = 0; r < 4; ++r) {
            p.fillRect(1, 5 + r * 3, 2, 2, modra);
            p.drawLine(4, 5 + r * 3, 14, 5 + r * 3);
        }
        break;
    }
    return QIcon(pm);
}

} // namespace

cl_Vyber_adresare::cl_Vyber_adresare(const QString& start, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::cl_Vyber_adresare>()), pocatecni_adresar(start)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);

    toolb_1 = new QToolBar(this);
    toolb_1->setObjectName(QStringLiteral("toolb_1"));
    toolb_1->setIconSize(QSize(16, 16));
    auto* nahoru = toolb_1->addAction(style()->standardIcon(QStyle::SP_FileDialogToParent),
                                      QStringLiteral("Nadřízený adresář"));
    nahoru->setObjectName(QStringLiteral("toolb_1_Item_Nadrizeny_adresar"));
    toolb_1->addSeparator();
    pohledy = new QActionGroup(this);
    pohledy->setExclusive(true);
    struct Pohled { const char* jmeno; const char* text; int obraz; void (cl_Vyber_adresare::*handler)(); };
    const Pohled seznam[] = {
        {"toolb_1_Item_Velke_ikony", "Velké ikony", 0, &cl_Vyber_adresare::toolb_1_Item_Velke_ikony_Click},
        {"toolb_1_Item_Male_ikony", "Malé ikony", 2, &cl_Vyber_adresare::toolb_1_Item_Male_ikony_Click},
        {"toolb_1_Item_seznam", "Seznam", 3, &cl_Vyber_adresare::toolb_1_Item_seznam_Click},
        {"toolb_1_Item_Detail", "Podrobnosti", 1, &cl_Vyber_adresare::toolb_1_Item_Detail_Click},
    };
    for (const Pohled& p : seznam) {
        QAction* a = toolb_1->addAction(ikonaPohledu(p.obraz), QString::fromUtf8(p.text));
        a->setObjectName(QString::fromLatin1(p.jmeno));
        a->setCheckable(true);
        pohledy->addAction(a);
        connect(a, &QAction::triggered, this, p.handler);
    }
    ui->layout_okno->insertWidget(0, toolb_1);

    status_bar = new QStatusBar(this);
    status_bar->setObjectName(QStringLiteral("status_bar"));
    status_bar->setSizeGripEnabled(true);
    status_text = new QLabel(status_bar);
    status_text->setObjectName(QStringLiteral("status_text"));
    status_bar->addWidget(status_text, 1);
    ui->layout_okno->addWidget(status_bar);

    ui->lv_1->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->lv_1->setMovement(QListView::Static);
    ui->lv_1->setResizeMode(QListView::Adjust);
    // Long paths of network shares must not widen the window.
    ui->combo_1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ui->combo_1->setMinimumContentsLength(16);

    connect(nahoru, &QAction::triggered, this, &cl_Vyber_adresare::toolb_1_Item_Nadrizeny_adresar_Click);
    connect(ui->lv_1, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> vybrane = ui->lv_1->selectedItems();
        if (!vybrane.isEmpty()) lv_1_Change(ui->lv_1->row(vybrane.first()));
    });
    connect(ui->lv_1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { lv_1_DoubleClick(ui->lv_1->row(item)); });
    connect(ui->cb_1, &QPushButton::clicked, this, &cl_Vyber_adresare::cb_1_Click);
    connect(ui->cb_2, &QPushButton::clicked, this, &cl_Vyber_adresare::cb_2_Click);
    connect(ui->combo_1, &QComboBox::activated, this, &cl_Vyber_adresare::combo_1_Select);
}

cl_Vyber_adresare::~cl_Vyber_adresare() = default;

bool cl_Vyber_adresare::Create(QWidget* parent)
{
    if (parent != parentWidget()) setParent(parent, windowFlags());
    cl_Vyber_adresare_Create();
    exec();
    return true;
}

void cl_Vyber_adresare::cl_Vyber_adresare_Create()
{
    potvrzeno = false;
    Napln_disky(1);
    vybrany_adresar = pocatecni_adresar;
    if (!pocatecni_adresar.isEmpty())
        aktualni_cesta = sKoncovymLomitkem(pocatecni_adresar);
    else
        aktualni_cesta = sKoncovymLomitkem(QCoreApplication::applicationDirPath());
    vyberDiskCesty();
    toolb_1_Item_seznam_Click();
    Nacti_data_v_adresari(aktualni_cesta);
}

QString cl_Vyber_adresare::stav() const { return status_text->text(); }

void cl_Vyber_adresare::nastavStav(const QString& text)
{
    status_text->setText(text);
    // Nothing to choose while the drive list shows no selected drive.
    ui->cb_1->setEnabled(!text.trimmed().isEmpty());
}

void cl_Vyber_adresare::vyberDiskCesty()
{
    if (ui->combo_1->count() == 0) return;
    const int i = diskCesty(disky, aktualni_cesta);
    ui->combo_1->setCurrentIndex(i >= 0 ? i : 0);
}

void cl_Vyber_adresare::Napln_disky(int mode)
{
    if (mode == 1) {
        disky = pripojeneDisky();
        ui->combo_1->clear();
        for (const Disk& d : disky)
            ui->combo_1->addItem(d.vzdalenaCesta.isEmpty() ? d.cesta
                                                       : d.cesta + QStringLiteral("  ") + d.vzdalenaCesta);
    } else {
        for (const Disk& d : pripojeneDisky()) newLVItem(d.cesta, DruhDisk);
    }
}

bool cl_Vyber_adresare::Nacti_data_v_adresari(const QString& path)
{
    clearListView();
    nastavStav(path);
    if (path.isEmpty()) {
        aktualni_cesta.clear();
        Napln_disky(2);
        return true;
    }
    vyberDiskCesty();
    const QList<PolozkaAdresare> polozky = obsahAdresare(path);
    for (const PolozkaAdresare& p : polozky) newLVItem(p.jmeno, p.slozka ? DruhSlozka : DruhSoubor);
    return !polozky.isEmpty();
}

int cl_Vyber_adresare::newLVItem(const QString& name, const QString& kind)
{
    auto* item = new QListWidgetItem(style()->standardIcon(kind == DruhSoubor ? QStyle::SP_FileIcon
                                                                               : QStyle::SP_DirIcon),
                                     name);
    item->setData(DruhRole, kind);
    ui->lv_1->addItem(item);
    return ui->lv_1->count() - 1;
}

void cl_Vyber_adresare::clearListView() { ui->lv_1->clear(); }

QString cl_Vyber_adresare::druh(int index) const
{
    const QListWidgetItem* item = ui->lv_1->item(index);
    return item ? item->data(DruhRole).toString() : QString();
}

void cl_Vyber_adresare::lv_1_Change(int index)
{
    const QString k = druh(index);
    if (k == DruhSlozka || k == DruhDisk) nastavStav(aktualni_cesta + ui->lv_1->item(index)->text());
}

void cl_Vyber_adresare::lv_1_DoubleClick(int index)
{
    aktualni_cesta = aktualni_cesta.trimmed();
    const QListWidgetItem* item = ui->lv_1->item(index);
    if (!item || item->text().isEmpty()) return;
    const QString k = druh(index);
    if (k == DruhDisk) {
        aktualni_cesta = sKoncovymLomitkem(aktualni_cesta + item->text().trimmed());
        vyberDiskCesty();
        // A drive that shows nothing (no medium, or empty) is chosen at once.
        if (!Nacti_data_v_adresari(aktualni_cesta)) cb_1_Click();
    } else if (k == DruhSlozka) {
        aktualni_cesta = aktualni_cesta + item->text() + QLatin1Char('/');
        Nacti_data_v_adresari(aktualni_cesta);
    }
}

void cl_Vyber_adresare::toolb_1_Item_Nadrizeny_adresar_Click()
{
    if (aktualni_cesta.isEmpty()) return;
    aktualni_cesta = nadrizenyAdresar(aktualni_cesta);
    Nacti_data_v_adresari(aktualni_cesta);
}

void cl_Vyber_adresare::toolb_1_Item_Velke_ikony_Click()
{
    ui->lv_1->setHeaderShown(false);
    ui->lv_1->setViewMode(QListView::IconMode);
    ui->lv_1->setIconSize(QSize(32, 32));
    ui->lv_1->setFlow(QListView::LeftToRight);
    ui->lv_1->setWrapping(true);
    ui->lv_1->setWordWrap(true);
    ui->lv_1->setGridSize(QSize(84, 64));
    ui->lv_1->setSpacing(0);
    ui->lv_1->setMovement(QListView::Static);
    findChild<QAction*>(QStringLiteral("toolb_1_Item_Velke_ikony"))->setChecked(true);
}

void cl_Vyber_adresare::toolb_1_Item_Male_ikony_Click()
{
    ui->lv_1->setHeaderShown(false);
    ui->lv_1->setViewMode(QListView::ListMode);
    ui->lv_1->setIconSize(QSize(16, 16));
    ui->lv_1->setFlow(QListView::LeftToRight);
    ui->lv_1->setWrapping(true);
    ui->lv_1->setWordWrap(false);
    ui->lv_1->setGridSize(QSize(120, 20));
    ui->lv_1->setSpacing(0);
    findChild<QAction*>(QStringLiteral("toolb_1_Item_Male_ikony"))->setChecked(true);
}

void cl_Vyber_adresare::toolb_1_Item_seznam_Click()
{
    ui->lv_1->setHeaderShown(false);
    ui->lv_1->setViewMode(QListView::ListMode);
    ui->lv_1->setIconSize(QSize(16, 16));
    ui->lv_1->setFlow(QListView::TopToBottom);
    ui->lv_1->setWrapping(true);
    ui->lv_1->setWordWrap(false);
    ui->lv_1->setGridSize(QSize());
    ui->lv_1->setSpacing(1);
    findChild<QAction*>(QStringLiteral("toolb_1_Item_seznam"))->setChecked(true);
}

void cl_Vyber_adresare::toolb_1_Item_Detail_Click()
{
    ui->lv_1->setViewMode(QListView::ListMode);
    ui->lv_1->setIconSize(QSize(16, 16));
    ui->lv_1->setFlow(QListView::TopToBottom);
    ui->lv_1->setWrapping(false);
    ui->lv_1->setWordWrap(false);
    ui->lv_1->setGridSize(QSize());
    ui->lv_1->setSpacing(1);
    ui->lv_1->setHeaderShown(true);
    findChild<QAction*>(QStringLiteral("toolb_1_Item_Detail"))->setChecked(true);
}

void cl_Vyber_adresare::cb_1_Click()
{
    const QString volba = stav().trimmed();
    if (volba.isEmpty()) return;
    potvrzeno = true;
    vybrany_adresar = sKoncovymLomitkem(volba);
    clearListView();
    accept();
}

void cl_Vyber_adresare::cb_2_Click()
{
    potvrzeno = false;
    clearListView();
    reject();
}

void cl_Vyber_adresare::combo_1_Select(int index)
{
    if (index < 0 || index >= disky.size()) return;
    if (index == diskCesty(disky, aktualni_cesta)) return;  // the drive of the current path
    aktualni_cesta = sKoncovymLomitkem(disky[index].cesta);
    Nacti_data_v_adresari(aktualni_cesta);
}

} // namespace kavro
