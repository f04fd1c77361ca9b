#include "VKUser.h"

#include "RefreshWork.h"
#include "UpdateUsersThread.h"
#include "net/VKHttp.h"
#include "support/Clock.h"
#include "support/TextUtils.h"

namespace {
TDefaultImageList& DefaultImages()
{
    static TDefaultImageList list;
    return list;
}

TDeploymentValues& SiteValues()
{
    static TDeploymentValues values;
    return values;
}

TProfileState StateOf(const TUserInfo& info)
{
    if (info.Hidden)
        return psHidden;
    if (info.Deactivated)
        return *info.Deactivated == QStringLiteral("banned") ? psBanned : psDeleted;
    return psNormal;
}
}

void TVKUser::SetDefaultImageList(TDefaultImageList list)
{
    DefaultImages() = std::move(list);
}

void TVKUser::SetSite(const TDeploymentValues& deployment)
{
    SiteValues() = deployment;
}

const TDeploymentValues& TVKUser::Site()
{
    return SiteValues();
}

TVKUser::TVKUser()
{
    FAvatar.SetUser(this);
    FAvatar.SetDefaultImageList(DefaultImages());
}

TVKUser::~TVKUser()
{
    StopLoading();
}

void TVKUser::SetName(const QString& value)
{
    if (value != FName)
        FChanged = true;
    FName = value;
}

void TVKUser::SetProfileID(int value)
{
    if (value != FProfileID)
        FChanged = true;
    FProfileID = value;
}

QString TVKUser::PageID() const
{
    return FPageID.isEmpty() ? GetUrlLastSegment(FUrl) : FPageID;
}

void TVKUser::SetPageID(const QString& value)
{
    if (value != FPageID)
        FChanged = true;
    FPageID = value;
}

QString TVKUser::Url() const
{
    if (FPageID.isEmpty())
        return FUrl;
    return QStringLiteral("http://") + Site().SiteHost + QLatin1Char('/') + FPageID;
}

void TVKUser::SetUrl(const QString& value)
{
    if (value != FUrl)
        FChanged = true;
    FUrl = value;
}

void TVKUser::SetProfileState(TProfileState value)
{
    if (value != FProfileState)
        FChanged = true;
    FProfileState = value;
}

void TVKUser::SetLastOnline(const QDateTime& value)
{
    if (!value.isValid() || (FLastOnline.isValid() && value <= FLastOnline))
        return;
    FChanged = true;
    FLastOnline = value;
}

QString TVKUser::ErrorText() const
{
    if (!FErrorException)
        return {};
    try {
        std::rethrow_exception(FErrorException);
    } catch (const std::exception& error) {
        return GetHttpErrorText(error);
    } catch (...) {
        return {};
    }
}

bool TVKUser::Loading() const
{
    return FThread && FThread->Started && !FThread->Terminated;
}

void TVKUser::StopLoading()
{
    if (!FThread)
        return;
    if (FThread->Started)
        TerminateThread(FThread);
    FThread.reset();
}

void TVKUser::UpdateInfo(const QString& pageId, const TApiAccess& access)
{
    if (Loading())
        return;
    FPageID = pageId;
    FThread = TUpdateUsersThread(shared_from_this(), access).Start(); // stopped by StopLoading
}

void TVKUser::DoUpdated()
{
    StopLoading();
    if (OnUpdated)
        OnUpdated(*this);
}

void TVKUser::DoError()
{
    SetOnline(false);
    StopLoading();
    if (OnError)
        OnError(*this);
}

void TVKUser::LoadFromXML(const QString& xml, const THttpOptions& http)
{
    const TUserInfo info = ParseOneUserAnswer(xml);
    TRefreshWork work(http);
    LoadFromXMLNode(info, work);
    work.Run();
    work.Finish();
}

void TVKUser::LoadFromXMLNode(const TUserInfo& info, TRefreshWork& work)
{
    const TProfileState oldState = FProfileState;
    if (!info.LastName)
        throw Exception(QStringLiteral("Такого пользователя не существует"));
    SetProfileID(UidToInt(info.Uid.value_or(QString())));
    SetName(info.FirstName.value_or(QString()) + QLatin1Char(' ') + *info.LastName);
    const TProfileState state = StateOf(info);
    SetProfileState(state);
    const QString avatarUrl = state == psNormal ? info.Photo50.value_or(QString()) : QString();
    SetOnline(info.Online.value_or(QString()) == QStringLiteral("1"));
    SetPageID(info.ScreenName ? *info.ScreenName : QStringLiteral("id") + QString::number(FProfileID));
    SetOnlineMobile(info.OnlineMobile.value_or(QString()) == QStringLiteral("1"));
    if (FOnline)
        SetLastOnline(Now());
    else if (info.LastSeenTime)
        SetLastOnline(UnixTimeToLocal(*info.LastSeenTime));
    if (avatarUrl != FAvatar.Url() || state != oldState) {
        FChanged = true;
        FAvatar.SetUrl(avatarUrl);
        if (FAutoLoadAvatar)
            work.AddAvatarUpdate(shared_from_this());
    }
}

void TVKUser::AssignTo(TVKUser& dest) const
{
    dest.SetName(FName);
    dest.SetProfileID(FProfileID);
    dest.SetUrl(Url());
    dest.SetProfileState(FProfileState);
    dest.SetOnline(FOnline);
    dest.SetLastOnline(FLastOnline);
    dest.SetOnlineMobile(FOnlineMobile);
    FAvatar.AssignTo(dest.FAvatar);
    dest.FChanged = false;
}
