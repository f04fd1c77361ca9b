#include "TrayPlatform.h"

#include <QSystemTrayIcon>

namespace {
class TQtTrayPlatform : public TTrayPlatform {
public:
    explicit TQtTrayPlatform(QObject* owner) : FIcon(owner)
    {
        QObject::connect(&FIcon, &QSystemTrayIcon::activated, &FIcon, [this](QSystemTrayIcon::ActivationReason reason) {
            if (!OnActivated)
                return;
            if (reason == QSystemTrayIcon::Trigger)
                OnActivated(TActivation::Click);
            else if (reason == QSystemTrayIcon::DoubleClick)
                OnActivated(TActivation::DoubleClick);
        });
        QObject::connect(&FIcon, &QSystemTrayIcon::messageClicked, &FIcon, [this] {
            if (OnMessageClicked)
                OnMessageClicked();
        });
    }

    void Update(const TState& state) override
    {
        FIcon.setIcon(state.Icon);
        FIcon.setToolTip(state.ToolTip);
        FIcon.setVisible(state.Visible);
    }
    void ShowMessage(const QString& title, const QString& text, int flags, int timeoutMs) override
    {
        static const QSystemTrayIcon::MessageIcon icons[] = {QSystemTrayIcon::NoIcon, QSystemTrayIcon::Information,
                                                             QSystemTrayIcon::Warning, QSystemTrayIcon::Critical};
        FIcon.showMessage(title, text, icons[qBound(0, flags, 3)], timeoutMs);
    }
    void SetContextMenu(QMenu* menu) override { FIcon.setContextMenu(menu); }

private:
    QSystemTrayIcon FIcon;
};
}

std::unique_ptr<TTrayPlatform> NewSystemTrayPlatform(QObject* owner)
{
    return std::make_unique<TQtTrayPlatform>(owner);
}
