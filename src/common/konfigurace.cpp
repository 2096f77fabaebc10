#include "konfigurace.h"

#include "platform/registry.h"
#include "common/registry_names.h"

#include <algorithm>

namespace kavro {

konfiguracni_hodnoty* konfigurace = nullptr;

konfiguracni_hodnoty::konfiguracni_hodnoty(const QString& zakladni_klic, const QString& instance)
    : konfiguracni_hodnoty(zakladni_klic, instance, Registry::instance())
{
}

konfiguracni_hodnoty::konfiguracni_hodnoty(const QString& zakladni_klic, const QString& instance,
                                           Registry& registry)
    : m_registry(registry), m_zakladni(zakladni_klic), m_instance(instance)
{
    nacti();
}

void konfiguracni_hodnoty::nacti()
{
    precti_hodnoty_registru(m_instance);
    const QString ustredna = zjisti_hodnotu(registr::Ustredna);
    if (!ustredna.isEmpty())
        precti_hodnoty_registru(QStringLiteral("Ustredna\\") + ustredna);
}

QString konfiguracni_hodnoty::cesta(const QString& podklic) const
{
    // The base key ends with "\": the sub-key follows it directly.
    return podklic.isEmpty() ? m_zakladni : m_zakladni + podklic;
}

bool konfiguracni_hodnoty::precti_hodnoty_registru(const QString& podklic)
{
    const QString klic = cesta(podklic);
    if (!m_registry.hasKey(klic)) {
        m_registry.writeAll(klic, {});
        return false;
    }
    for (const auto& [jmeno, hodnota] : m_registry.values(klic))
        nastav_promennou(jmeno, hodnota, podklic);
    return true;
}

bool konfiguracni_hodnoty::nastav_promennou(const QString& jmeno, const QString& hodnota,
                                            const QString& podklic)
{
    if (konfiguracni_promenna* p = najdi_promennou(jmeno)) {
        p->hodnota = hodnota;
        if (!podklic.isEmpty()) p->podklic = podklic;
        return true;
    }
    vytvor_promennou(jmeno, hodnota, podklic);
    return false;
}

bool konfiguracni_hodnoty::vytvor_promennou(const QString& jmeno, const QString& hodnota,
                                            const QString& podklic)
{
    if (najdi_promennou(jmeno)) return false;
    m_promenne.push_back(std::make_unique<konfiguracni_promenna>(konfiguracni_promenna{jmeno, hodnota, podklic}));
    return true;
}

konfiguracni_promenna* konfiguracni_hodnoty::najdi_promennou(const QString& jmeno)
{
    for (auto& p : m_promenne)
        if (p->jmeno == jmeno) return p.get();
    return nullptr;
}

const konfiguracni_promenna* konfiguracni_hodnoty::najdi_promennou(const QString& jmeno) const
{
    for (const auto& p : m_promenne)
        if (p->jmeno == jmeno) return p.get();
    return nullptr;
}

konfiguracni_promenna* konfiguracni_hodnoty::posledni_promenna()
{
    return m_promenne.empty() ? nullptr : m_promenne.back().get();
}

QString konfiguracni_hodnoty::zjisti_hodnotu(const QString& jmeno) const
{
    const konfiguracni_promenna* p = najdi_promennou(jmeno);
    return p ? p->hodnota : QString();
}

void konfiguracni_hodnoty::zapis_do_registru()
{
    // One write per key keeps the file consistent and the write quick.
    QList<QPair<QString, QList<QPair<QString, QString>>>> poKlicich;
    for (const auto& p : m_promenne) {
        const QString klic = cesta(p->podklic);
        auto it = std::find_if(poKlicich.begin(), poKlicich.end(),
                               [&](const auto& k) { return k.first == klic; });
        if (it == poKlicich.end()) {
            poKlicich.append({klic, {}});
            it = poKlicich.end() - 1;
        }
        it->second.append({p->jmeno, p->hodnota});
    }
    for (const auto& [klic, hodnoty] : poKlicich) m_registry.writeAll(klic, hodnoty);
}

QString konfiguracni_hodnoty::precti_promennou_registru(const QString& jmeno, const QString& podklic) const
{
    return m_registry.read(cesta(podklic), jmeno);
}

void konfiguracni_hodnoty::zapis_promenou_do_registru(const QString& jmeno, const QString& hodnota,
                                                      const QString& podklic)
{
    m_registry.write(cesta(podklic), jmeno, hodnota);
}

} // namespace kavro
