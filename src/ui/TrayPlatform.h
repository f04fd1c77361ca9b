#pragma once

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>

class QMenu;

// What the tray icon asks of the system's notification area.
class TTrayPlatform {
public:
    enum class TActivation { Click, DoubleClick };
    struct TState {
        bool Visible = false;
        QString ToolTip;
        QIcon Icon;
    };

    virtual ~TTrayPlatform() = default;
    // Sends the icon's whole state, as one update of the notification area.
    virtual void Update(const TState& state) = 0;
    virtual void ShowMessage(const QString& title, const QString& text, int flags, int timeoutMs) = 0;
    // Shown by the system on a right click.
    virtual void SetContextMenu(QMenu* menu) = 0;

    std::function<void(TActivation)> OnActivated;
    std::function<void()> OnMessageClicked;
};

// The notification area through Qt: an XEmbed or StatusNotifier tray, whichever the desktop has.
std::unique_ptr<TTrayPlatform> NewSystemTrayPlatform(QObject* owner);
