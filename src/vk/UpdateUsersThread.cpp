#include "UpdateUsersThread.h"

#include "RefreshWork.h"
#include "SignApiUrl.h"
#include "net/VKHttp.h"

#include <QStringList>

namespace {
const QString UsersGetFormat =
    QStringLiteral("/method/users.get.xml?uids=%1&fields=online,photo_50,screen_name,last_seen,online_mobile");

// What the worker brings back: the people, or why there are none.
struct TFetched {
    std::vector<TUserInfo> People;
    std::exception_ptr RequestError; // only the error is delivered
    std::exception_ptr ParseError;   // the error, then the update
};

// A one-person list is read as a one-person answer.
TFetched Fetch(const QString& url, const THttpOptions& http, bool single)
{
    TFetched fetched;
    QString body;
    try {
        body = HttpGet(url, QString(), http);
        if (body.isEmpty())
            throw Exception(QStringLiteral("Empty response"));
    } catch (...) {
        fetched.RequestError = std::current_exception();
        return fetched;
    }
    try {
        if (single)
            fetched.People.push_back(ParseOneUserAnswer(body));
        else
            fetched.People = ParseUsersAnswer(body);
    } catch (...) {
        fetched.ParseError = std::current_exception();
    }
    return fetched;
}

// One refresh in flight: the people it delivers to and its events, held by the worker.
struct TRefresh {
    TVKUsers Users;
    TUpdateUsersThread::TUsersEvent OnUpdated;
    TUpdateUsersThread::TUsersEvent OnError;
    THttpOptions Http;

    void Apply(const std::vector<TUserInfo>& people, TRefreshWork& work) const // main thread
    {
        if (Users.Count() < 2)
            Users.GetUser(0)->LoadFromXMLNode(people.front(), work);
        else
            Users.ApplyPeople(people, work);
    }
    void ErrorDelivery(const std::exception_ptr& error) const // main thread
    {
        for (const auto& user : Users) {
            user->SetErrorException(error);
            user->DoError();
        }
        if (OnError)
            OnError(Users);
    }
    void UpdatedDelivery() const // main thread
    {
        for (const auto& user : Users)
            user->DoUpdated();
        if (OnUpdated)
            OnUpdated(Users);
    }
    // A handler's error is the refresh's error; after it nothing more is delivered.
    void Hand(TWorker& worker, const std::function<void()>& delivery) const
    {
        try {
            worker.Deliver(delivery);
        } catch (...) {
            const std::exception_ptr error = std::current_exception();
            try {
                worker.Deliver([&] { ErrorDelivery(error); });
            } catch (...) {
            }
            worker.Terminate();
        }
    }
    void Run(TWorker& worker, const QString& url) const // worker thread
    {
        const TFetched fetched = Fetch(url, Http, Users.Count() < 2);
        if (fetched.RequestError) {
            Hand(worker, [&] { ErrorDelivery(fetched.RequestError); });
            return;
        }
        std::exception_ptr failure = fetched.ParseError;
        if (!failure) {
            try {
                TRefreshWork work(Http);
                if (worker.Deliver([&] { Apply(fetched.People, work); })) {
                    work.Run();
                    worker.Deliver([&] { work.Finish(); });
                }
            } catch (...) {
                failure = std::current_exception();
            }
        }
        if (failure)
            Hand(worker, [&] { ErrorDelivery(failure); });
        Hand(worker, [&] { UpdatedDelivery(); });
    }
};
}

QString TUpdateUsersThread::UsersGetPath(const TVKUsers& users)
{
    QStringList ids;
    for (const auto& user : users)
        ids.append(user->PageID());
    return UsersGetFormat.arg(ids.join(QLatin1Char(',')));
}

TUpdateUsersThread::TUpdateUsersThread(const TVKUsers& users, const TApiAccess& access)
    : FUsers(users), FAccess(access)
{
}

TUpdateUsersThread::TUpdateUsersThread(const std::shared_ptr<TVKUser>& user, const TApiAccess& access)
    : FAccess(access)
{
    FUsers.Add(user);
}

std::shared_ptr<TThreadControl> TUpdateUsersThread::Start(TReceiverAlive alive) const
{
    const QString url = ApiUrl(FAccess.ApiHost, UsersGetPath(FUsers), FAccess.Token, FAccess.Secret);
    auto refresh = std::make_shared<const TRefresh>(TRefresh {FUsers, OnUpdated, OnError, FAccess.Http});
    return RunWorker(std::move(alive), [refresh, url](TWorker& worker) {
        if (refresh->Users.Count() > 0)
            refresh->Run(worker, url);
    });
}
