#include "UpdateUsersThread.h"

#include "AuthInfo.h"
#include "SignApiUrl.h"
#include "VKHttp.h"

#include <QStringList>

namespace {
const QString UsersGetFormat =
    QStringLiteral("/method/users.get.xml?uids=%1&fields=online,photo_50,screen_name,last_seen,online_mobile");
}

QString TUpdateUsersThread::UsersGetPath(const TVKUsers& users)
{
    QStringList ids;
    for (const auto& user : users)
        ids.append(user->PageID());
    return UsersGetFormat.arg(ids.join(QLatin1Char(',')));
}

TUpdateUsersThread::TUpdateUsersThread(const TVKUsers* users)
{
    SetFreeOnTerminate(true);
    if (users)
        FUsers = *users;
    PrepareRequest();
}

TUpdateUsersThread* TUpdateUsersThread::CreateSingle(const std::shared_ptr<TVKUser>& user)
{
    auto* thread = new TUpdateUsersThread(nullptr);
    thread->FUsers.Add(user);
    thread->PrepareRequest();
    return thread;
}

void TUpdateUsersThread::PrepareRequest()
{
    const TAuthInfo::TCredentials credentials = AuthInfo ? AuthInfo->Credentials() : TAuthInfo::TCredentials();
    FUrl = ApiUrl(UsersGetPath(FUsers), credentials.Token, credentials.Secret);
    FHttpOptions = CurrentHttpOptions();
}

void TUpdateUsersThread::Execute()
{
    if (FUsers.Count() == 0)
        return;
    QString body;
    try {
        body = HttpGet(FUrl, QString(), FHttpOptions);
        if (body.isEmpty())
            throw Exception(QStringLiteral("Empty response"));
    } catch (...) {
        DoError(std::current_exception());
        Terminate();
        return;
    }
    const TMainThreadCall onMain = [this](const std::function<void()>& step) { Synchronize(step); };
    try {
        if (FUsers.Count() < 2)
            FUsers.GetUser(0)->LoadFromXML(body, onMain);
        else
            FUsers.LoadFromXML(body, onMain);
    } catch (...) {
        DoError(std::current_exception());
    }
    DoUpdated();
}

void TUpdateUsersThread::Deliver(const std::function<void()>& delivery)
{
    try {
        Synchronize(delivery);
    } catch (...) {
        // A handler's error is the refresh's error; after it nothing more is delivered.
        const std::exception_ptr error = std::current_exception();
        try {
            Synchronize([&] { ErrorDelivery(error); });
        } catch (...) {
        }
        Terminate();
    }
}

void TUpdateUsersThread::ErrorDelivery(const std::exception_ptr& error)
{
    for (const auto& user : FUsers) {
        user->SetErrorException(error);
        user->DoError();
    }
    if (OnError)
        OnError(FUsers);
}

void TUpdateUsersThread::DoError(const std::exception_ptr& error)
{
    Deliver([this, error] { ErrorDelivery(error); });
}

void TUpdateUsersThread::DoUpdated()
{
    Deliver([this] {
        for (const auto& user : FUsers)
            user->DoUpdated();
        if (OnUpdated)
            OnUpdated(FUsers);
    });
}
