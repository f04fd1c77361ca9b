#include "MainForm.h"

#include "ui_MainForm.h"

#include "app/Notices.h"
#include "app/ProgramObjects.h"
#include "support/ProgramSettings.h"
#include "vk/AuthInfo.h"
#include "vk/UpdateUsersThread.h"

#include <QPixmap>

void TMainForm::ActUpdateExecute()
{
    // One whole-list refresh at a time: a tick that finds one still running starts none.
    if (Refreshing())
        return;
    TUpdateUsersThread refresh(FUserList->GetUsers(), CurrentApiAccess());
    refresh.OnUpdated = [this](const TVKUsers& users) { UsersUpdated(users); };
    refresh.OnError = [this](const TVKUsers& users) { UsersUpdateError(users); };
    FRefresh = refresh.Start(AliveWhile(this));
}

void TMainForm::UsersUpdated(const TVKUsers& users)
{
    FUserList->SortUsers();
    ActWriteMessageUpdate();
    if (!FFirstUpdateDone && FUserList->count() > 0) {
        bool all = true;
        for (const auto& user : FUserList->GetUsers())
            all = all && std::static_pointer_cast<TVKStoredUser>(user)->HasBeenUpdated();
        FFirstUpdateDone = all;
    }
    UpdateOnlineCount();
    if (Settings->AuthInfoPanelHidden() && !FAuthInfoExpanded && !AuthInfo->Connected()) {
        for (const auto& user : users) {
            if (user->ProfileState() == psHidden) {
                FAuthInfoExpanded = true;
                FUi->pnlAuthInfoMini->hide();
                FUi->pnlAuthInfo->show();
                Settings->SetAuthInfoPanelHidden(false);
                break;
            }
        }
    }
    AnnouncePresence(users);
}

void TMainForm::AnnouncePresence(const TVKUsers& users)
{
    TVKUsers cameOnline;
    TVKUsers wentOffline;
    for (const auto& user : users) {
        auto* stored = dynamic_cast<TVKStoredUser*>(user.get());
        if (!stored)
            continue;
        if (stored->StateChanged() && !stored->NotifyBlocked())
            (stored->Online() ? cameOnline : wentOffline).Add(user);
        stored->SetNotifyBlocked(false);
    }
    const bool announceOnline = Settings->ShowOnlineNotifications() && cameOnline.Count() > 0;
    const QString text = PresenceBalloonText(cameOnline, wentOffline, Settings->ShowOnlineNotifications(),
                                             Settings->ShowOfflineNotifications());
    if (text.isEmpty())
        return;
    ShowBalloon(text, bfInfo, 3);
    if (!Settings->AudioNotification())
        return;
    if (announceOnline)
        FMediaPlayerOnline.Play();
    else
        FMediaPlayerOffline.Play();
}

void TMainForm::UsersUpdateError(const TVKUsers&)
{
    UpdateOnlineCount();
}

int TMainForm::GetOnlineCount() const
{
    int online = 0;
    for (const auto& user : FUserList->GetUsers())
        online += user->Online() ? 1 : 0;
    return online;
}

void TMainForm::UpdateOnlineCount()
{
    const int online = GetOnlineCount();
    const QString phrase = OnlineCountPhrase(online, FUserList->count());
    if (FFirstUpdateDone || online > 0)
        SetStatus(phrase);
    if (online > 0)
        FTrayIcon->SetHint(OnlineTrayHint(FUserList->GetUsers()));
    UpdateTrayIcon(online);
}

void TMainForm::UpdateTrayIcon(int count)
{
    FTrayIcon->SetIcon(QIcon(QPixmap::fromImage(TrayIconWithCount(FTrayBackground, count))));
}
