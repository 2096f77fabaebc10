#pragma once
// The date and time boxes every form uses.
//
// DateBox holds a date "RRRR-MM-DD": whatever is typed is normalised
// (cl_Datum::test_datumu) when the box loses the focus and on Enter; the right
// mouse button and an attached calendar button open the calendar picker; the
// Up and Down keys step the date by a day.
//
// TimeBox holds a time "hh:mm:ss": normalised (cl_Datum::test_casu, an empty
// box meaning 00:00:00 unless set otherwise) on focus loss and on Enter; the
// Up and Down keys and an attached UpDown step it by a second, wrapping at
// midnight.
//
// UpDown is a pair of small arrows beside a box; it reports each click as a
// step of +1 (upper arrow) or -1 (lower arrow).
#include <QLineEdit>
#include <QWidget>

class QAbstractButton;
class QToolButton;

namespace kavro {

class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);
    QToolButton* nahoru() const { return m_nahoru; }
    QToolButton* dolu() const { return m_dolu; }
    QSize sizeHint() const override;

signals:
    void DeltaPosition(int delta);

private:
    QToolButton* m_nahoru;
    QToolButton* m_dolu;
};

// What the two boxes share: normalising on focus loss and on Enter, and
// stepping with the Up and Down keys and an attached UpDown.
class SteppingBox : public QLineEdit {
    Q_OBJECT
public:
    // Replaces the text by its normalised form.
    virtual void normalise() = 0;
    // Steps the value by n units (normalised first).
    virtual void step(int n) = 0;
    // Also step when the arrows of `updown` are clicked.
    void setUpDown(UpDown* updown);

signals:
    // After the text was normalised on focus loss.
    void LostFocus();

protected:
    explicit SteppingBox(int maxLength, QWidget* parent);
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

class DateBox : public SteppingBox {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    // Makes `button` show the calendar symbol and open the calendar picker.
    void setCalendarButton(QAbstractButton* button);

    // Replaces the text by its normalised form "RRRR-MM-DD".
    void normalise() override;
    // Opens the calendar picker for this box (window() as the owner).
    void openCalendar();
    // Steps the date by n days (normalised first).
    void step(int days) override;

    // A small calendar symbol for calendar buttons.
    static QIcon calendarIcon();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
};

class TimeBox : public SteppingBox {
    Q_OBJECT
public:
    explicit TimeBox(QWidget* parent = nullptr);

    // With nula true (the default) an empty box becomes 00:00:00, else the current time.
    void setNula(bool nula) { m_nula = nula; }
    bool nula() const { return m_nula; }

    void normalise() override;
    // Steps the time by n seconds (normalised first), wrapping at midnight.
    void step(int seconds) override;

private:
    bool m_nula = true;
};

} // namespace kavro
