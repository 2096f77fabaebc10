#pragma once
// The call import window: two progress bars, the day being imported and "Ukončit".
// The import itself runs on a worker thread (Import_hovoru); this window only
// shows what the worker reports and asks the user before the worker starts.
#include "import/call_import.h"
#include "tariffing/forms/hovory_tarifovani.h"

#include <QDialog>
#include <functional>
#include <memory>

class QThread;

namespace Ui {
class Hovory_nacteni;
}

namespace kavro {

class Hovory_nacteni : public QDialog {
    Q_OBJECT
public:
    // Opens the window modally; returns when the import has ended and the window closed.
    // `tarifovani` makes the tariffing run the import starts after each day
    // and at the end (empty: the calls are only stored).
    static bool Create(QWidget* parent, FDX_Typ_importu* record, TariffingRunFactory tarifovani = {});

    Hovory_nacteni(QWidget* parent, FDX_Typ_importu* record, TariffingRunFactory tarifovani = {});
    ~Hovory_nacteni() override;

    // An import of type 2 asks for its period in the date-range dialog
    // P_Nastaveni_od_do ("Aktualizace ze souborů od ústředny"); one of type 3
    // asks for its file through askFile (platform/forms/file_question.h).

    // The summary of the finished run (valid after the window closed).
    const Import_hovoru::Souhrn& souhrn() const { return m_souhrn; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    std::unique_ptr<Ui::Hovory_nacteni> ui;
    void Hovory_nacteni_Create();
    void Hovory_nacteni_Destroy();
    void cb_ukoncit_Click();
    void spustVlakno();
    void prubeh(qint64 soubor_hotovo, qint64 soubor_celkem, qint64 celkem_hotovo, qint64 celkem);
    void chybna_data(const QString& soubor, qint64 cislo_zaznamu, qint64 pozice);
    void vlaknoSkoncilo();
    void zavri();

    FDX_Typ_importu m_vychozi;
    FDX_Typ_importu* m_zaznam;
    int m_typ_importu = 1;
    TariffingRunFactory m_novyTarif;
    std::unique_ptr<TariffingRun> m_tarif;
    std::unique_ptr<Import_hovoru> m_import;
    QThread* m_vlakno = nullptr;
    bool m_bezi = false;
    bool m_hotovo = false;
    bool m_konci = false;  // the window is being destroyed
    // The tariffing window shown over this one while a run of the import's worker lasts.
    std::unique_ptr<Hovory_tarifovani> m_okno_tarifovani;
    Import_hovoru::Souhrn m_souhrn;
};

} // namespace kavro
