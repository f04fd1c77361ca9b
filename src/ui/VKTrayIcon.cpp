#include "VKTrayIcon.h"

#include <QMenu>

namespace {
constexpr int MaxHint = 127;
constexpr int MaxBalloonHint = 255;
constexpr int MaxBalloonTitle = 63;
}

TVKTrayIcon::TVKTrayIcon(QObject* owner) : TVKTrayIcon(NewSystemTrayPlatform(owner)) {}

TVKTrayIcon::TVKTrayIcon(std::unique_ptr<TTrayPlatform> platform) : FPlatform(std::move(platform))
{
    FPlatform->OnActivated = [this](TTrayPlatform::TActivation activation) {
        const auto& event = activation == TTrayPlatform::TActivation::Click ? OnClick : OnDblClick;
        if (event)
            event();
    };
    FPlatform->OnMessageClicked = [this] {
        if (OnBalloonClick)
            OnBalloonClick();
    };
}

void TVKTrayIcon::Refresh()
{
    FPlatform->Update(FState);
}

void TVKTrayIcon::SetVisible(bool value)
{
    if (value == FState.Visible)
        return;
    FState.Visible = value;
    Refresh();
}

void TVKTrayIcon::SetHint(const QString& value)
{
    const QString cut = value.left(MaxHint);
    if (cut == FState.ToolTip)
        return;
    FState.ToolTip = cut;
    Refresh();
}

void TVKTrayIcon::SetIcon(const QIcon& value)
{
    FState.Icon = value;
    Refresh();
}

void TVKTrayIcon::SetBalloonHint(const QString& value)
{
    const QString cut = value.left(MaxBalloonHint);
    if (cut == FBalloonHint)
        return;
    FBalloonHint = cut;
    Refresh();
}

void TVKTrayIcon::SetBalloonTitle(const QString& value)
{
    const QString cut = value.left(MaxBalloonTitle);
    if (cut == FBalloonTitle)
        return;
    FBalloonTitle = cut;
    Refresh();
}

void TVKTrayIcon::SetPopupMenu(QMenu* menu)
{
    FPopupMenu = menu;
    FPlatform->SetContextMenu(menu);
}

void TVKTrayIcon::ShowBalloonHint()
{
    FPlatform->ShowMessage(FBalloonTitle, FBalloonHint, FBalloonFlags, FBalloonTimeout);
}
