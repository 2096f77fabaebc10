#pragma once
// The one driver of modal dialogs in window tests. An Ovladac answers modal
// dialogs: for each dialog (by objectName) a function that fills and closes it
// when it appears. Ovladac::naModalnim<T> acts once on the next dialog of a
// type without taking over the message and file answerers. Message boxes are kept
// as "caption|text" and answered with the next queued answer (OK when none is
// queued); file questions with the next queued path ("" = cancelled).
#include "platform/forms/file_question.h"
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <deque>
#include <functional>
#include <map>

namespace kavro::test {

class Ovladac {
public:
    Ovladac()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { krok(); });
        m_timer.start();
        setMessageAnswerer([this](const MessageRequest& r) {
            zpravy << r.caption + "|" + r.text;
            if (m_odpovedi.empty()) return int(ResultOk);
            const int o = m_odpovedi.front();
            m_odpovedi.pop_front();
            return o;
        });
        setFileAnswerer([this](const FileQuestion& q) {
            otazky << q;
            if (m_soubory.empty()) return QString();
            const QString s = m_soubory.front();
            m_soubory.pop_front();
            return s;
        });
    }
    ~Ovladac()
    {
        setMessageAnswerer({});
        setFileAnswerer({});
    }

    // The next message boxes are answered with these codes (ResultYes, ResultNo, ...).
    void odpovidej(std::initializer_list<int> odpovedi) { m_odpovedi.insert(m_odpovedi.end(), odpovedi); }
    // The next file questions are answered with these paths.
    void vyberSoubory(std::initializer_list<QString> cesty) { m_soubory.insert(m_soubory.end(), cesty); }

    // `akce` runs each time a modal dialog named `jmeno` is shown.
    void pri(const QString& jmeno, std::function<void(QWidget*)> akce) { m_akce[jmeno] = std::move(akce); }
    int pocet(const QString& jmeno) const { return m_pocet.count(jmeno) ? m_pocet.at(jmeno) : 0; }
    // Runs the modal dialog `d` with `akce` answering it; gives what its Create gave.
    template <class D> bool ukaz(D& d, std::function<void(QWidget*)> akce)
    {
        pri(d.objectName(), std::move(akce));
        return d.Create(nullptr);
    }

    // Runs `akce` once on the next visible modal dialog of type T, looked for
    // every few milliseconds from the event loop that exec() runs.
    template <class T> static void naModalnim(std::function<void(T*)> akce)
    {
        auto* timer = new QTimer;
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [timer, akce] {
            T* w = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!w || !w->isVisible()) return;
            timer->stop();
            timer->deleteLater();
            akce(w);
        });
        timer->start();
    }

    QStringList zpravy;
    QList<FileQuestion> otazky;

private:
    void krok()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == m_posledni || !w->isVisible()) return;
        auto it = m_akce.find(w->objectName());
        if (it == m_akce.end()) return;
        m_posledni = w;
        ++m_pocet[w->objectName()];
        it->second(w);
        m_posledni = nullptr;
        // A check that failed inside the answer leaves the dialog open: close it so the test ends.
        if (QTest::currentTestFailed() && w->isVisible())
            if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    }

    QTimer m_timer;
    std::map<QString, std::function<void(QWidget*)>> m_akce;
    std::map<QString, int> m_pocet;
    QWidget* m_posledni = nullptr;
    std::deque<int> m_odpovedi;
    std::deque<QString> m_soubory;
};

// Chooses `text` in the combo box `combo` of `d` as a user would.
inline void vyber(QWidget* d, const char* combo, const QString& text)
{
    auto* c = d->findChild<QComboBox*>(combo);
    QVERIFY2(c && c->findText(text) >= 0, qPrintable(text));
    c->setCurrentIndex(c->findText(text));
    emit c->activated(c->currentIndex());
}

} // namespace kavro::test
