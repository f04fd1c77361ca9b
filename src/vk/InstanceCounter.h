#pragma once

#include <QHash>
#include <mutex>

// Live stored users per profile id: a deleted person's cached avatar is shared by every object
// with that id and may go only with the last of them. Users may be destroyed on workers.
class TInstanceCounter {
public:
    void IncCounter(int key);
    void DecCounter(int key);
    int Count(int key) const;

private:
    mutable std::mutex FMutex;
    QHash<int, int> FCounts;
};

// The program's one counter, created at start-up.
extern TInstanceCounter* InstanceCounter;
