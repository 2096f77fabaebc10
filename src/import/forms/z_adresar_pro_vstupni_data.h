#pragma once
// "Kde jsou umístěna data od sběrače": chooses whether the import reads the
// collector's own data directory ("DatovyAdresar") or a directory of the
// user's choice ("VstupniDatovyAdresarKavro"), and stores the choice
// ("DatovyZdrojSberace" = "Ano" / "Ne") through the configuration store.
#include <QDialog>
#include <memory>
#include <QString>

namespace Ui {
class Z_Adresar_pro_vstupni_data;
}

namespace kavro {

class Z_Adresar_pro_vstupni_data : public QDialog {
    Q_OBJECT
public:
    explicit Z_Adresar_pro_vstupni_data(QWidget* parent = nullptr);
    ~Z_Adresar_pro_vstupni_data() override;

    // Loads the choice from the store and runs the dialog modally over `parent`;
    // true when the choice was saved.
    bool Create(QWidget* parent);

    // Loads the choice from the store (done by Create on every opening).
    void Z_Adresar_pro_vstupni_data_Create();
    // Swaps the text box between the own and the collector's directory.
    void Nastav_enabled();

    void optb_1_Click();
    void optb_2_Click();
    void vstupni_data_RightButtonDown();
    void Adresar_pro_vstupni_data_Click();
    void cb_2_Click();
    void cb_1_Click();

private:
    std::unique_ptr<Ui::Z_Adresar_pro_vstupni_data> ui;
    QString vlastni_adresar;  // the own directory while the box shows the collector's
    int rezim_zobrazeni = 2;  // 1 the own directory (editable), 2 "DatovyAdresar" (greyed)
};

} // namespace kavro
