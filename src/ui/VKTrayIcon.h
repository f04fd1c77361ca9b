#pragma once

#include "TrayPlatform.h"

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>



enum TBalloonFlags { bfNone, bfInfo, bfWarning, bfError };

// The program's icon in the notification area: picture, tooltip, balloons, clicks, menu.
// Texts are cut as the system allows: tooltip 127, balloon text 255, balloon title 63.
class TVKTrayIcon {
public:
    explicit TVKTrayIcon(QObject* owner);
    explicit TVKTrayIcon(std::unique_ptr<TTrayPlatform> platform);

    bool Visible() const { return FState.Visible; }
    void SetVisible(bool value);
    QString Hint() const { return FState.ToolTip; }
    void SetHint(const QString& value);
    QIcon Icon() const { return FState.Icon; }
    void SetIcon(const QIcon& value);
    QString BalloonHint() const { return FBalloonHint; }
    void SetBalloonHint(const QString& value);
    QString BalloonTitle() const { return FBalloonTitle; }
    void SetBalloonTitle(const QString& value);
    TBalloonFlags BalloonFlags() const { return FBalloonFlags; }
    void SetBalloonFlags(TBalloonFlags value) { FBalloonFlags = value; }
    int BalloonTimeout() const { return FBalloonTimeout; }
    void SetBalloonTimeout(int ms) { FBalloonTimeout = ms; }
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* menu);

    void ShowBalloonHint();

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnBalloonClick;

private:
    void Refresh();

    std::unique_ptr<TTrayPlatform> FPlatform;
    TTrayPlatform::TState FState;
    QString FBalloonHint;
    QString FBalloonTitle;
    TBalloonFlags FBalloonFlags = bfNone;
    int FBalloonTimeout = 10000;
    QPointer<QMenu> FPopupMenu;
};
