#include "common/forms/date_box.h"

#include "common/datum.h"
#include "common/forms/knihovna_okna.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace kavro {

UpDown::UpDown(QWidget* parent)
    : QWidget(parent)
{
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    m_nahoru = new QToolButton(this);
    m_dolu = new QToolButton(this);
    m_nahoru->setObjectName(QStringLiteral("nahoru"));
    m_dolu->setObjectName(QStringLiteral("dolu"));
    for (QToolButton* b : {m_nahoru, m_dolu}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        b->setFixedWidth(16);
        b->setIconSize(QSize(8, 8));
        l->addWidget(b);
    }
    m_nahoru->setArrowType(Qt::UpArrow);
    m_dolu->setArrowType(Qt::DownArrow);
    connect(m_nahoru, &QToolButton::clicked, this, [this] { emit DeltaPosition(1); });
    connect(m_dolu, &QToolButton::clicked, this, [this] { emit DeltaPosition(-1); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize UpDown::sizeHint() const { return QSize(16, 22); }

SteppingBox::SteppingBox(int maxLength, QWidget* parent)
    : QLineEdit(parent)
{
    setMaxLength(maxLength);
}

void SteppingBox::setUpDown(UpDown* updown)
{
    connect(updown, &UpDown::DeltaPosition, this, [this](int n) { step(n); });
}

void SteppingBox::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    normalise();
    emit LostFocus();
}

void SteppingBox::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up: step(1); return;
    case Qt::Key_Down: step(-1); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        normalise();
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(e);
}

DateBox::DateBox(QWidget* parent)
    : SteppingBox(10, parent)
{
}

void DateBox::setCalendarButton(QAbstractButton* button)
{
    button->setIcon(calendarIcon());
    button->setText(QString());
    button->setToolTip(QStringLiteral("Kalendář"));
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QAbstractButton::clicked, this, &DateBox::openCalendar);
}

void DateBox::normalise()
{
    cl_Datum datum;
    const QString s = datum.test_datumu(text());
    if (s != text()) setText(s);
}

void DateBox::openCalendar() { knihovna::Ukaz_kalendar(this, window()); }

void DateBox::step(int days) { knihovna::Uprav_datum(this, days); }

QIcon DateBox::calendarIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(180, 40, 40));
    p.setPen(QColor(90, 90, 90));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 3; x <= 12; x += 3) p.drawPoint(x, y), p.drawPoint(x + 1, y);
    p.setPen(QColor(60, 60, 60));
    p.drawLine(4, 1, 4, 3);
    p.drawLine(11, 1, 11, 3);
    return QIcon(pm);
}

void DateBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::RightButton) {
        e->accept();
        openCalendar();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void DateBox::contextMenuEvent(QContextMenuEvent* e)
{
    // The right button opens the calendar; keyboard menu requests do too.
    e->accept();
    if (e->reason() != QContextMenuEvent::Mouse) openCalendar();
}

TimeBox::TimeBox(QWidget* parent)
    : SteppingBox(8, parent)
{
}

void TimeBox::normalise()
{
    cl_Datum datum;
    const QString s = datum.test_casu(text(), m_nula);
    if (s != text()) setText(s);
}

void TimeBox::step(int seconds) { knihovna::Uprav_cas(this, seconds); }

} // namespace kavro
