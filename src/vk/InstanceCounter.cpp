#include "InstanceCounter.h"

TInstanceCounter* InstanceCounter = nullptr;

void TInstanceCounter::IncCounter(int key)
{
    if (key <= 0)
        return;
    std::lock_guard lock(FMutex);
    ++FCounts[key];
}

void TInstanceCounter::DecCounter(int key)
{
    std::lock_guard lock(FMutex);
    const auto found = FCounts.find(key);
    if (found == FCounts.end())
        return;
    if (--found.value() < 1)
        FCounts.erase(found);
}

int TInstanceCounter::Count(int key) const
{
    std::lock_guard lock(FMutex);
    return FCounts.value(key, 0);
}
