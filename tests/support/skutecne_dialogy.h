#pragma once
// Drives the real modal dialogs of a window test, without the message
// answerer: every few milliseconds a timer takes QApplication::activeModalWidget()
// (a message box, a progress window, any dialog) and, when it is the window of
// the next expected step and shows that step's button, presses the button.
// Steps run in order; after a press the next step is tried at once, so "Ano"
// in a question followed by "Přerušit" in the progress window under it is one
// quick user's two clicks. Each tick is a timer of its own, so a press that
// opens nested dialogs is answered from inside them; the window whose press
// is still running gets its next press only when that work has returned.
//
// A step not reached in time fails the test, and so does a modal window that
// stays open when no step is left: the steps are dropped and the open modal
// dialogs are closed (rejected) so that the test goes on to its checks; a
// window that will not close aborts the program naming the step, instead of
// hanging. The ticks run as long as the driver lives, inside every event loop.
//
// The message answerer must not be installed (no Ovladac alive), or the
// message boxes are never shown.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <deque>
#include <functional>

namespace kavro::test {

class SkutecneDialogy {
public:
    // `limit_ms`: how long one step may wait for its window.
    explicit SkutecneDialogy(int limit_ms = 10000) : m_limit(limit_ms) {}
    SkutecneDialogy(const SkutecneDialogy&) = delete;
    SkutecneDialogy& operator=(const SkutecneDialogy&) = delete;

    // Next: in the modal window titled `titulek` press the button `tlacitko`
    // (its text without "&"). `kontrola`, when given, sees the window first.
    SkutecneDialogy& stiskni(const QString& titulek, const QString& tlacitko,
                             std::function<void(QWidget*)> kontrola = {})
    {
        return stiskniPo(0, titulek, tlacitko, std::move(kontrola));
    }
    // The same, pressed only once the window has stayed on top, answerable,
    // for `rozmysleni_ms`, as a user takes time to read a question.
    SkutecneDialogy& stiskniPo(int rozmysleni_ms, const QString& titulek, const QString& tlacitko,
                               std::function<void(QWidget*)> kontrola = {})
    {
        m_kroky.push_back({titulek, tlacitko, std::move(kontrola), rozmysleni_ms});
        if (!m_bezi) {
            m_bezi = true;
            naplanuj();
        }
        if (m_kroky.size() == 1) m_cekani.start();
        return *this;
    }

    // True when every step was done.
    bool hotovo() const { return m_kroky.empty() && m_chyba.isEmpty(); }
    // What went wrong ("" when nothing did), for QVERIFY2.
    QString chyba() const
    {
        if (!m_chyba.isEmpty()) return m_chyba;
        if (!m_kroky.empty())
            return QStringLiteral("nedošlo na krok: \"%1\" v okně \"%2\"")
                .arg(m_kroky.front().tlacitko, m_kroky.front().titulek);
        return QString();
    }
    // "title|text" of every window a step pressed a button in, in order
    // (the text of a message box or the label of a progress window).
    QStringList videno;

private:
    struct Krok {
        QString titulek;
        QString tlacitko;
        std::function<void(QWidget*)> kontrola;
        int rozmysleni_ms = 0;
    };

    static QString bezAmpersandu(QString s) { return s.remove(QLatin1Char('&')); }

    static QAbstractButton* tlacitko(QWidget* w, const QString& text)
    {
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (b->isVisible() && b->isEnabled() && bezAmpersandu(b->text()) == text) return b;
        return nullptr;
    }

    static QString text(QWidget* w)
    {
        if (auto* m = qobject_cast<QMessageBox*>(w)) return m->text();
        if (auto* p = qobject_cast<QProgressDialog*>(w)) return p->labelText();
        return QString();
    }

    void naplanuj()
    {
        QTimer::singleShot(5, &m_kontext, [this] { tik(); });
    }

    void tik()
    {
        naplanuj(); // before any press: the next tick runs inside the dialogs it opens
        if (m_zavira) {
            zavirej();
            return;
        }
        while (!m_kroky.empty()) {
            QWidget* w = QApplication::activeModalWidget();
            // A window whose earlier press still runs (a load that keeps the
            // buttons alive between its items) is busy: its next step waits.
            QAbstractButton* b =
                w && w->isVisible() && w->windowTitle() == m_kroky.front().titulek && !m_zaneprazdnena.contains(w)
                ? tlacitko(w, m_kroky.front().tlacitko)
                : nullptr;
            if (!b) {
                m_nahore = nullptr; // covered or gone: the time to read starts again
                break;
            }
            if (m_kroky.front().rozmysleni_ms > 0) {
                if (m_nahore != w) {
                    m_nahore = w;
                    m_nahoreOd.start();
                }
                if (m_nahoreOd.elapsed() < m_kroky.front().rozmysleni_ms) break;
            }
            m_nahore = nullptr;
            Krok k = std::move(m_kroky.front());
            m_kroky.pop_front();
            m_cekani.restart();
            videno << w->windowTitle() + QLatin1Char('|') + text(w);
            if (k.kontrola) k.kontrola(w);
            m_zaneprazdnena.append(w);
            b->click();
            m_zaneprazdnena.removeOne(w);
        }
        // All steps done: a modal window that no step expects must not hold the test either.
        if (m_kroky.empty()) {
            QWidget* w = QApplication::activeModalWidget();
            if (w != m_bezKroku) {
                m_bezKroku = w;
                m_bezKrokuOd.start();
            }
            if (w && m_bezKrokuOd.elapsed() > m_limit) {
                m_chyba = QStringLiteral("modální okno \"%1\" zůstalo %2 ms otevřené a žádný krok na ně nečeká")
                              .arg(w->windowTitle())
                              .arg(m_limit);
                QTest::qFail(qPrintable(m_chyba), __FILE__, __LINE__);
                m_zavira = true;
                m_cekani.restart();
            }
        } else if (m_cekani.elapsed() > m_limit) {
            QWidget* w = QApplication::activeModalWidget();
            m_chyba = QStringLiteral("do %1 ms nedošlo na krok: \"%2\" v okně \"%3\"; aktivní modální okno: \"%4\"")
                          .arg(m_limit)
                          .arg(m_kroky.front().tlacitko, m_kroky.front().titulek, w ? w->windowTitle() : QString());
            QTest::qFail(qPrintable(m_chyba), __FILE__, __LINE__);
            m_kroky.clear();
            m_zavira = true;
            m_cekani.restart();
        }
    }

    // After a failure: reject the open modal dialogs until none is left.
    void zavirej()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            m_zavira = false;
            return;
        }
        if (m_cekani.elapsed() > m_limit)
            qFatal("Modální okno \"%s\" nejde zavřít (%s)", qPrintable(w->windowTitle()), qPrintable(m_chyba));
        if (auto* d = qobject_cast<QDialog*>(w))
            d->reject();
        else
            w->close();
    }

    int m_limit;
    std::deque<Krok> m_kroky;
    QString m_chyba;
    QList<QWidget*> m_zaneprazdnena; // windows whose pressed button's work still runs
    QElapsedTimer m_cekani;
    QPointer<QWidget> m_bezKroku; // the modal window open while no step is left
    QElapsedTimer m_bezKrokuOd;
    QPointer<QWidget> m_nahore; // the window of a step that waits for its time
    QElapsedTimer m_nahoreOd;
    QObject m_kontext; // the ticks end with the driver
    bool m_bezi = false;
    bool m_zavira = false;
};

} // namespace kavro::test
