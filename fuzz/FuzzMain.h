#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

// What every target needs: an application object for Qt's image plugins and time zones, made once.
inline void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application = new QCoreApplication(argc, argv);
    (void)application;
}

inline QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A property the input broke: libFuzzer keeps the input and stops.
#define FUZZ_ASSERT(condition) \
    do {                       \
        if (!(condition))      \
            __builtin_trap();  \
    } while (false)
