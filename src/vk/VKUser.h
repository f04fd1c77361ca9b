#pragma once

#include "ApiAccess.h"
#include "UserInfo.h"
#include "base/Thread.h"
#include "support/Avatar.h"
#include "support/Deployment.h"
#include "support/ProfiledUser.h"

#include <QDateTime>
#include <QString>
#include <exception>
#include <functional>
#include <memory>

class TRefreshWork;

// A VK person: identity, name, page address, profile state, online state, last time seen and
// avatar, with a flag telling whether a stored value changed. Shared: a worker may hold it.
class TVKUser : public TProfiledUser, public std::enable_shared_from_this<TVKUser> {
public:
    using TUserEvent = std::function<void(TVKUser&)>;

    TVKUser();
    ~TVKUser() override;
    TVKUser(const TVKUser&) = delete;
    TVKUser& operator=(const TVKUser&) = delete;

    // The default avatar pictures of every user made from now on.
    static void SetDefaultImageList(TDefaultImageList list);
    // The site the people's pages are on (its current and legacy hosts), given by the program.
    static void SetSite(const TDeploymentValues& deployment);
    static const TDeploymentValues& Site();

    QString Name() const { return FName; }
    void SetName(const QString& value);
    int ProfileID() const override { return FProfileID; }
    virtual void SetProfileID(int value);
    // The screen name, or "id" and the id; derived from Url while it is not known.
    QString PageID() const;
    void SetPageID(const QString& value);
    // The page address on the site when the page id is known; the stored address otherwise.
    QString Url() const;
    void SetUrl(const QString& value);
    TProfileState ProfileState() const override { return FProfileState; }
    virtual void SetProfileState(TProfileState value);
    bool Online() const { return FOnline; }
    void SetOnline(bool value) { FOnline = value; }
    bool OnlineMobile() const { return FOnlineMobile; }
    void SetOnlineMobile(bool value) { FOnlineMobile = value; }
    // Moves forward only; an invalid moment is "never".
    QDateTime LastOnline() const { return FLastOnline; }
    void SetLastOnline(const QDateTime& value);
    TAvatar& Avatar() { return FAvatar; }
    const TAvatar& Avatar() const { return FAvatar; }
    bool AutoLoadAvatar() const { return FAutoLoadAvatar; }
    void SetAutoLoadAvatar(bool value) { FAutoLoadAvatar = value; }
    bool Changed() const { return FChanged; }
    // A stored value is not yet where it is kept (its file could not be written).
    virtual void MarkChanged() { FChanged = true; }

    std::exception_ptr ErrorException() const { return FErrorException; }
    void SetErrorException(std::exception_ptr error) { FErrorException = std::move(error); }
    QString ErrorText() const;

    // The single lookup running for this user, if any.
    std::shared_ptr<TThreadControl> Thread() const { return FThread; }
    void SetThread(std::shared_ptr<TThreadControl> thread) { FThread = std::move(thread); }
    bool Loading() const;
    void StopLoading();
    // Starts a lookup of the page in the background, unless one is running.
    void UpdateInfo(const QString& pageId, const TApiAccess& access);

    TUserEvent OnUpdated;
    TUserEvent OnError;
    virtual void DoUpdated();
    void DoError();

    // Fills this user from a one-person users.get answer, then downloads its picture and writes
    // its file; raises what failed.
    void LoadFromXML(const QString& xml, const THttpOptions& http);
    // Applies one person element; main thread. Downloads and saves go into work.
    virtual void LoadFromXMLNode(const TUserInfo& info, TRefreshWork& work);

    void AssignTo(TVKUser& dest) const;

protected:
    bool FChanged = false;
    QString FUrl;

private:
    QString FName;
    int FProfileID = 0;
    QString FPageID;
    TProfileState FProfileState = psNormal;
    TAvatar FAvatar;
    bool FOnline = false;
    bool FOnlineMobile = false;
    QDateTime FLastOnline;
    std::shared_ptr<TThreadControl> FThread;
    std::exception_ptr FErrorException;
    bool FAutoLoadAvatar = true;
};
