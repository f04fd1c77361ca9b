#pragma once

#include <cstdint>

// The kind of a VK page; also the index of its default avatar picture.
enum TProfileState : uint8_t { psNormal = 0, psHidden = 1, psDeleted = 2, psBanned = 3 };

// What an avatar needs of its owner.
class TProfiledUser {
public:
    virtual ~TProfiledUser() = default;
    virtual int ProfileID() const = 0;
    virtual TProfileState ProfileState() const = 0;
};
