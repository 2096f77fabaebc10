#pragma once
// Answers modal dialogs in window tests: for each dialog (by objectName) a
// function that fills and closes it when it appears. Message boxes are
// answered OK and kept as "caption|text".
#include "platform/forms/message_box.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <QtTest>
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
            return int(ResultOk);
        });
    }
    ~Ovladac() { setMessageAnswerer({}); }

    // `akce` runs each time a modal dialog named `jmeno` is shown.
    void pri(const QString& jmeno, std::function<void(QWidget*)> akce) { m_akce[jmeno] = std::move(akce); }
    int pocet(const QString& jmeno) const { return m_pocet.count(jmeno) ? m_pocet.at(jmeno) : 0; }
    // Runs the modal dialog `d` with `akce` answering it; gives what its Create gave.
    template <class D> bool ukaz(D& d, std::function<void(QWidget*)> akce)
    {
        pri(d.objectName(), std::move(akce));
        return d.Create(nullptr);
    }

    QStringList zpravy;

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
