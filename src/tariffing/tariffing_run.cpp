#include "tariffing/tariffing_run.h"

#include <mutex>

namespace kavro {

namespace {
std::mutex g_factoryMutex;
TariffingRunFactory g_factory;
} // namespace

void setTariffingRunFactory(TariffingRunFactory factory)
{
    std::lock_guard<std::mutex> l(g_factoryMutex);
    g_factory = std::move(factory);
}

std::unique_ptr<TariffingRun> makeTariffingRun()
{
    std::lock_guard<std::mutex> l(g_factoryMutex);
    return g_factory ? g_factory() : nullptr;
}

} // namespace kavro
