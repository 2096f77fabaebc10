// Kavro: call accounting for a company's telephone exchange.
#include "frame/forms/zakladni_okno.h"
#include "platform/forms/dialog_placement.h"
#include "platform/forms/translation.h"
#include "prikazy.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kavro::installCzechTranslation();
    kavro::installDialogPlacement();
    // The whole command line, program path included: the instance option may stand anywhere in it.
    QStringList casti;
    for (int i = 0; i < argc; ++i) casti << QString::fromLocal8Bit(argv[i]);

    kavro::registruj_prikazy();
    kavro::Zakladni_okno okno;
    if (!okno.Create(casti.join(u' '))) return okno.navratovy_kod();
    okno.show();
    const int kod = app.exec();
    return kod != 0 ? kod : okno.navratovy_kod();
}
