#pragma once
// The yes/no question with a moment: two lines say what is about to happen,
// the user confirms or changes the day ("Ke dni :") and the time, then answers
// "Ano" (Enter) or "Ne" (Esc). "Ano" normalises both boxes and hands back
// OK = true with the day and the time; "Ne" hands back OK = false and leaves
// the caller's day and time; the close box leaves the record as it was.
#include <QDialog>
#include <QString>

#include <memory>

namespace Ui { class Z_Zruseni_polozky_firma_oddeleni_osoba; }

namespace kavro {

struct FDX_Z_Zruseni_polozky_firma_oddeleni_osoba {
    bool OK = false;  // out: true when answered "Ano"
    QString popis;    // the second line: what the question concerns
    QString nadpis;   // the first line: the question or heading
    QString titulek;  // the window caption
    QString datum;    // in: default day "RRRR-MM-DD"; out: the day confirmed
    QString cas;      // in: default time "hh:mm:ss"; out: the time confirmed
};

class Z_Zruseni_polozky_firma_oddeleni_osoba : public QDialog {
    Q_OBJECT
public:
    explicit Z_Zruseni_polozky_firma_oddeleni_osoba(QWidget* parent = nullptr);
    ~Z_Zruseni_polozky_firma_oddeleni_osoba() override;

    // Runs the dialog modally on the record (its own empty record when null).
    bool Create(QWidget* parent, FDX_Z_Zruseni_polozky_firma_oddeleni_osoba* record);

    void Z_Zruseni_polozky_firma_oddeleni_osoba_Create();
    void updown_1_DeltaPosition(int delta);
    void cb_1_Click();
    void cb_2_Click();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::unique_ptr<Ui::Z_Zruseni_polozky_firma_oddeleni_osoba> ui;
    FDX_Z_Zruseni_polozky_firma_oddeleni_osoba m_vychozi;
    FDX_Z_Zruseni_polozky_firma_oddeleni_osoba* m_record = nullptr;
};

} // namespace kavro
