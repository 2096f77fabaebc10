#pragma once
// Answers modal dialogs in window tests: for each dialog (by objectName) a
// function that fills and closes it when it appears.
#include <QApplication>
#include <QTimer>
#include <QWidget>
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
    }

    // `akce` runs each time a modal dialog named `jmeno` is shown.
    void pri(const QString& jmeno, std::function<void(QWidget*)> akce) { m_akce[jmeno] = std::move(akce); }
    int pocet(const QString& jmeno) const { return m_pocet.count(jmeno) ? m_pocet.at(jmeno) : 0; }

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
    }

    QTimer m_timer;
    std::map<QString, std::function<void(QWidget*)>> m_akce;
    std::map<QString, int> m_pocet;
    QWidget* m_posledni = nullptr;
};

} // namespace kavro::test
