// Kavro: call accounting for a company's telephone exchange.
#include "frame/forms/zakladni_okno.h"
#include "frame/spusteni.h"
#include "platform/forms/dialog_placement.h"
#include "platform/forms/translation.h"
#include "prikazy.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

namespace {

QStringList argumenty(int argc, char* argv[])
{
    QStringList casti;
    for (int i = 0; i < argc; ++i) casti << QString::fromLocal8Bit(argv[i]);
    return casti;
}

} // namespace

int main(int argc, char* argv[])
{
    // The usage needs no display, so it is printed before the application starts.
    if (kavro::pyta_napovedu(argumenty(argc, argv).mid(1))) {
        std::printf("%s", qPrintable(kavro::napoveda_prikazove_radky()));
        return 0;
    }
    QApplication app(argc, argv);
    kavro::installCzechTranslation();
    kavro::installDialogPlacement();
    // The whole command line, program path included (Qt's own options taken
    // out): the instance option may stand anywhere in it, and whatever else
    // the line holds is ignored.
    const QStringList casti = argumenty(argc, argv);

    kavro::registruj_prikazy();
    kavro::Zakladni_okno okno;
    if (!okno.Create(casti.join(u' '))) return okno.navratovy_kod();
    okno.show();
    const int kod = app.exec();
    return kod != 0 ? kod : okno.navratovy_kod();
}
