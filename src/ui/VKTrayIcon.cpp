#include "VKTrayIcon.h"

#include <QMenu>

namespace {
constexpr int MaxHint = 127;
constexpr int MaxBalloonHint = 255;
constexpr int MaxBalloonTitle = 63;

// Stores the text cut to its limit; false when that changes nothing.
bool StoreCut(QString& field, const QString& value, int limit)
{
    const QString cut = value.left(limit);
    if (cut == field)
        return false;
    field = cut;
    return true;
}
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
    if (StoreCut(FState.ToolTip, value, MaxHint))
        Refresh();
}

void TVKTrayIcon::SetIcon(const QIcon& value)
{
    FState.Icon = value;
    Refresh();
}

void TVKTrayIcon::SetBalloonHint(const QString& value)
{
    if (StoreCut(FBalloonHint, value, MaxBalloonHint))
        Refresh();
}

void TVKTrayIcon::SetBalloonTitle(const QString& value)
{
    if (StoreCut(FBalloonTitle, value, MaxBalloonTitle))
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
