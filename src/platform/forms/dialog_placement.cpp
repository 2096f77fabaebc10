#include "platform/forms/dialog_placement.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <QSet>
#include <QWidget>

namespace kavro {

namespace {

bool shown(const QWidget* w) { return w && w->isVisible() && !w->isMinimized(); }

// Shows dialogs where they belong, each time they are shown.
class Placement : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType() || m_showing.contains(watched)) return false;
        auto* w = static_cast<QWidget*>(watched);
        if (!w->isWindow() || !qobject_cast<QDialog*>(w)) return false;
        // A position set by the window's own code is kept; ours is set anew at each showing.
        const QVariant placed = w->property(kPlaced);
        if (w->testAttribute(Qt::WA_Moved) && !(placed.isValid() && placed.toPoint() == w->pos())) return false;
        if (w->windowTitle().isEmpty()) w->setWindowTitle(programName());
        // The dialog's own show handling first (it sizes a message box and
        // places the dialog over its parent as Qt sees it), then ours.
        m_showing.insert(w);
        QCoreApplication::sendEvent(w, event);
        m_showing.remove(w);
        centreDialog(w);
        w->setProperty(kPlaced, w->pos());
        return true;
    }

private:
    static constexpr const char* kPlaced = "kavro_placed_at";
    QSet<QObject*> m_showing; // dialogs whose show event is being delivered
};

} // namespace

QString windowCaption(const QString& caption) { return caption.isEmpty() ? programName() : caption; }

void installDialogPlacement()
{
    static Placement* placement = nullptr;
    if (placement || !qApp) return;
    placement = new Placement(qApp);
    qApp->installEventFilter(placement);
}

QRect dialogAnchor(const QWidget* dialog)
{
    for (const QWidget* p = dialog->parentWidget(); p; p = p->parentWidget()) {
        const QWidget* w = p->window();
        if (shown(w)) return w->frameGeometry();
        p = w;
    }
    const QWidget* active = QApplication::activeWindow();
    if (shown(active) && active != dialog) return active->frameGeometry();
    // The program's main window: the shown top-level window that is not a dialog.
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != dialog && shown(w) && !qobject_cast<const QDialog*>(w) && w->windowType() == Qt::Window)
            return w->frameGeometry();
    const QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void centreDialog(QWidget* dialog)
{
    const QRect anchor = dialogAnchor(dialog);
    if (!anchor.isValid()) return;
    QSize size = dialog->size();
    if (!dialog->testAttribute(Qt::WA_Resized)) size = size.expandedTo(dialog->sizeHint());
    QPoint at = anchor.center() - QPoint(size.width() / 2, size.height() / 2);
    if (const QScreen* screen = QGuiApplication::screenAt(anchor.center())) {
        const QRect room = screen->availableGeometry();
        at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - size.width())));
        at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() - size.height())));
    }
    dialog->move(at);
}

} // namespace kavro
