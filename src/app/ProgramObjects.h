#pragma once

// The program-wide objects, made before any window in their fixed order and destroyed in the
// reverse order: the display version, the worker registry, the settings, the account session,
// the instance counter.
class TProgramObjects {
public:
    TProgramObjects();
    ~TProgramObjects();
    TProgramObjects(const TProgramObjects&) = delete;
    TProgramObjects& operator=(const TProgramObjects&) = delete;
};
