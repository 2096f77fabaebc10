#pragma once
// The picker's list of entries: a list widget that can show the column
// heading "Jméno" above its entries for the details view.
#include <QListWidget>

class QHeaderView;

namespace kavro {

class SeznamPolozek : public QListWidget {
    Q_OBJECT
public:
    explicit SeznamPolozek(QWidget* parent = nullptr);

    // Shows or hides the heading; the entries move below it.
    void setHeaderShown(bool shown);
    bool headerShown() const;
    QHeaderView* header() const { return m_header; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void umistiHlavicku();
    QHeaderView* m_header;
};

} // namespace kavro
