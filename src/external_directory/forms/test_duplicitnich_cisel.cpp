#include "external_directory/forms/test_duplicitnich_cisel.h"

#include "external_directory/test_duplicit.h"
#include "platform/forms/message_box.h"
#include "ui_test_duplicitnich_cisel.h"

#include <QApplication>
#include <QElapsedTimer>

namespace kavro {

Test_duplicitnich_cisel::Test_duplicitnich_cisel(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::Test_duplicitnich_cisel>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

Test_duplicitnich_cisel::~Test_duplicitnich_cisel() = default;

void Test_duplicitnich_cisel::leave() {}

int Test_duplicitnich_cisel::Create(QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags());
    setWindowModality(Qt::ApplicationModal);
    show();
    QApplication::processEvents();
    const int n = Testuj_Cisla();
    hide();
    return n;
}

int Test_duplicitnich_cisel::Testuj_Cisla()
{
    std::vector<Zaznam_ucastnika> zaznamy;
    Test_duplicit test;
    if (!test.nacti(zaznamy)) {
        showDbError(QStringLiteral("Nepodařilo se přečíst seznam účastníků."), test.chyba());
        return 0;
    }
    int hlaseno = 0;
    QElapsedTimer prekresleni;
    prekresleni.start();
    for (size_t i = 0; i < zaznamy.size(); ++i) {
        const Zaznam_ucastnika& z = zaznamy[i];
        // The label follows the walk a few times a second, and at every report.
        const bool hlasit = z.pocet > 1;
        if (hlasit || prekresleni.elapsed() > 100 || i + 1 == zaznamy.size()) {
            ui->label_2->setText(z.kod_statu + QLatin1Char('-') + z.kod_mesta + QLatin1Char('-') + z.cislo_ucastnika);
            QApplication::processEvents();
            prekresleni.restart();
        }
        if (!hlasit) continue;
        ++hlaseno;
        if (messageBox(this, 0, ButtonsOkCancel, QStringLiteral("Duplicitní záznam"), Test_duplicit::zprava(z))
            == ResultCancel)
            break;
    }
    return hlaseno;
}

} // namespace kavro
