#pragma once

#include <mutex>
#include <utility>

// A value that one thread may replace while others read it: every access is a copy under a lock.
template <typename T>
class TGuarded {
public:
    TGuarded() = default;
    explicit TGuarded(T value) : FValue(std::move(value)) {}

    T Get() const
    {
        std::lock_guard lock(FMutex);
        return FValue;
    }
    void Set(T value)
    {
        std::lock_guard lock(FMutex);
        FValue = std::move(value);
    }
    // Changes part of the value in place.
    template <typename F>
    void Update(F&& change)
    {
        std::lock_guard lock(FMutex);
        change(FValue);
    }

private:
    mutable std::mutex FMutex;
    T FValue {};
};
