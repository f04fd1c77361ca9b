#pragma once

#include "VKHttp.h"
#include "VKUsers.h"
#include "app/ManagedThreads.h"

#include <QString>
#include <exception>
#include <functional>

// Asks the VK API, in one signed request, for the state of a set of people and applies the
// answer to them; reports back on the main thread, per person and for the whole set. Made
// suspended on the main thread: set the events, then Start. It frees itself when done.
class TUpdateUsersThread : public TVKThread {
public:
    using TUsersEvent = std::function<void(const TVKUsers&)>;

    explicit TUpdateUsersThread(const TVKUsers* users);
    // A lookup of one person.
    static TUpdateUsersThread* CreateSingle(const std::shared_ptr<TVKUser>& user);

    TUsersEvent OnUpdated;
    TUsersEvent OnError;

    // The users.get path for the people's page ids, unsigned.
    static QString UsersGetPath(const TVKUsers& users);

protected:
    void Execute() override;

private:
    void PrepareRequest();
    void Deliver(const std::function<void()>& delivery);
    void ErrorDelivery(const std::exception_ptr& error); // main thread
    void DoError(const std::exception_ptr& error);
    void DoUpdated();

    TVKUsers FUsers;
    // Taken on the main thread when the worker is made, so the worker reads no shared state.
    QString FUrl;
    THttpOptions FHttpOptions;
};
