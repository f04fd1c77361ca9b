#pragma once

#include "SoundPlayer.h"
#include "VKTrayIcon.h"
#include "VKUserListBox.h"
#include "base/Thread.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace Ui {
class TMainForm;
}
class QMenu;
class TSingleInstance;

// The program's one permanent window: the list of watched people and the tray icon.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    TMainForm(TSingleInstance& instance, bool showAtStart);
    ~TMainForm() override;

    // Shows the window and brings it to the front (another start of the program asked).
    void ActivateFromOutside();
    // Closes for good, whatever minimize-on-close says (the exit message, the session's end).
    void CloseForGood();

    // The preferences of the settings made effective: at creation and after the settings dialog.
    void ApplySettings();
    void SetStatus(const QString& value);
    void ShowBalloon(const QString& text, TBalloonFlags flags, int seconds);
    void ShowError(const QString& text);
    void SetChildFormCenter(QWidget* child) const;
    // Starts the program anew with the given command-line tail, then exits.
    void RestartApplication(const QString& params);
    void UpdateOnlineCount();
    // A fixed profile (the deployment's HaveMeProfileID) is on the list.
    bool HaveMe() const;

    // A whole-list refresh is in flight (until its worker has fully ended).
    bool Refreshing() const { return FRefresh && !FRefresh->Ended; }
    TVKUserListBox& UserList() { return *FUserList; }
    TVKTrayIcon& TrayIcon() { return *FTrayIcon; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateTrayIcon();
    void CreateUserList();
    void CreateMenus();
    void SetUpLinks();
    // The stored size, place and layout mode: once, at creation.
    void RestoreWindowPlace();
    void ApplyLayoutMode();
    void SetToolWindowBorder(bool tool);
    void PlaceAnchoredControls();
    void LoadStoredUsers();
    void LoadAuthSession();
    void UpdateAuthPanel();
    void ToggleWindow();
    void ShowInFront();
    void RunExitSequence();

    // The list commands.
    void ConnectListCommands();
    void ActAddUserExecute();
    void UserAdded(const std::shared_ptr<TVKStoredUser>& user);
    void ActDeleteUserExecute();
    void ActRenameUserExecute();
    void ActGoToPageExecute();
    void ActWriteMessageExecute();
    void ActWriteMessageUpdate();
    void UserListClick(QPoint pos);
    void UserListDblClick();
    void UserListContextPopup(QPoint pos);
    std::shared_ptr<TVKStoredUser> SelectedUser() const;

    // The polling cycle.
    void ActUpdateExecute();
    void UsersUpdated(const TVKUsers& users);
    void UsersUpdateError(const TVKUsers& users);
    int GetOnlineCount() const;
    void UpdateTrayIcon(int count);
    void AnnouncePresence(const TVKUsers& users);

    TSingleInstance& FInstance;
    std::unique_ptr<Ui::TMainForm> FUi;
    TVKUserListBox* FUserList = nullptr;
    std::unique_ptr<TVKTrayIcon> FTrayIcon;
    QMenu* FTrayMenu = nullptr;
    QMenu* FSettingsMenu = nullptr;
    QMenu* FItemMenu = nullptr;
    QMenu* FNoItemMenu = nullptr;
    QTimer FUpdateTimer;
    TSoundPlayer FMediaPlayerOnline;
    TSoundPlayer FMediaPlayerOffline;
    QImage FTrayBackground;
    std::shared_ptr<TThreadControl> FRefresh; // the whole-list refresh in flight
    bool FCanClose = false;
    bool FExiting = false;
    bool FFirstUpdateDone = false;
    bool FAuthInfoExpanded = false;
};
