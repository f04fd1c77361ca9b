#include "Clock.h"

namespace {
std::function<QDateTime()>& Provider()
{
    static std::function<QDateTime()> provider;
    return provider;
}
}

QDateTime Now()
{
    const auto& provider = Provider();
    return provider ? provider() : QDateTime::currentDateTime();
}

void SetNowProvider(std::function<QDateTime()> provider)
{
    Provider() = std::move(provider);
}
