#pragma once
// The period dialog: asks for a start and an end date "RRRR-MM-DD".
//
// It opens with the period last confirmed anywhere in the program (registry
// values "Datum_od" and "Datum_do" of the base key); the caller's dates are
// shown only where a value is empty. "&Vyber" (Enter) normalises both boxes,
// refuses a period whose end comes before its start (nothing is written),
// writes them to the registry and into the record and sets OK; "Opusť" (Esc)
// clears OK and changes nothing else; the close box leaves everything as it was.
#include <QDialog>
#include <QString>

#include <memory>

namespace Ui { class P_Nastaveni_od_do; }

namespace kavro {

struct FDX_Nastaveni_datum_od_do {
    QString datum_od;   // in: the caller's default start; out: the confirmed start
    QString datum_do;   // in: the caller's default end; out: the confirmed end
    QString titulek;    // window caption and title of the group box
    QString popis_akce; // what the period is chosen for (not shown)
    bool OK = false;    // true when confirmed with "&Vyber"
};

class P_Nastaveni_od_do : public QDialog {
    Q_OBJECT
public:
    // Registry key and values of the last confirmed period.
    static const QString RegistryKey;   // "Software\Dorvek\Kavro\"
    static const QString ValueOd;       // "Datum_od"
    static const QString ValueDo;       // "Datum_do"
    // What every period dialog says when the end comes before the start.
    static const QString ZpravaObraceneObdobi;

    explicit P_Nastaveni_od_do(QWidget* parent = nullptr);
    ~P_Nastaveni_od_do() override;

    // Runs the dialog modally on the record (its own empty record when null);
    // the caller judges by record->OK. Can be called any number of times.
    bool Create(QWidget* parent, FDX_Nastaveni_datum_od_do* record);

    void P_Nastaveni_od_do_Create();
    void cb_1_Click();
    void cb_2_Click();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::unique_ptr<Ui::P_Nastaveni_od_do> ui;
    FDX_Nastaveni_datum_od_do m_vychozi;
    FDX_Nastaveni_datum_od_do* m_record = nullptr;
};

} // namespace kavro
