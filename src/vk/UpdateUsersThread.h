#pragma once

#include "ApiAccess.h"
#include "VKUsers.h"
#include "base/Worker.h"

#include <QString>
#include <functional>
#include <memory>

// Asks the VK API, in one signed request, for the state of a set of people: fetched and parsed
// on a worker, applied to the people on the main thread, then their pictures and files handled
// on the worker, then reported back on the main thread, per person and for the whole set. Made
// on the main thread: set the events, then Start; the object may go once started.
class TUpdateUsersThread {
public:
    using TUsersEvent = std::function<void(const TVKUsers&)>;

    TUpdateUsersThread(const TVKUsers& users, const TApiAccess& access);
    // A lookup of one person.
    TUpdateUsersThread(const std::shared_ptr<TVKUser>& user, const TApiAccess& access);

    TUsersEvent OnUpdated;
    TUsersEvent OnError;

    // Nothing is delivered once alive says the receiver is gone.
    std::shared_ptr<TThreadControl> Start(TReceiverAlive alive = AlwaysAlive()) const;

    // The users.get path for the people's page ids, unsigned.
    static QString UsersGetPath(const TVKUsers& users);

private:
    TVKUsers FUsers;
    TApiAccess FAccess;
};
