#include "ui/VKTrayIcon.h"

#include <QMenu>
#include <gtest/gtest.h>

namespace {
// Records what the icon asks of the notification area.
class TRecordingPlatform : public TTrayPlatform {
public:
    void Update(const TState& state) override { Updates.push_back(state); }
    void ShowMessage(const QString& title, const QString& text, int flags, int timeoutMs) override
    {
        Messages.push_back({title, text, flags, timeoutMs});
    }
    void SetContextMenu(QMenu* menu) override { Menu = menu; }

    struct TMessage {
        QString Title, Text;
        int Flags, Timeout;
    };
    std::vector<TState> Updates;
    std::vector<TMessage> Messages;
    QMenu* Menu = nullptr;
};

struct TrayIconTest : ::testing::Test {
    TrayIconTest()
    {
        auto platform = std::make_unique<TRecordingPlatform>();
        FPlatform = platform.get();
        FTray = std::make_unique<TVKTrayIcon>(std::move(platform));
    }
    TRecordingPlatform* FPlatform;
    std::unique_ptr<TVKTrayIcon> FTray;
};
}

TEST_F(TrayIconTest, TextsAreCutToWhatTheSystemHolds)
{
    FTray->SetHint(QString(200, 'h'));
    FTray->SetBalloonHint(QString(300, 'b'));
    FTray->SetBalloonTitle(QString(100, 't'));
    EXPECT_EQ(FTray->Hint().size(), 127);
    EXPECT_EQ(FPlatform->Updates.back().ToolTip, QString(127, 'h'));
    FTray->SetBalloonFlags(bfError);
    FTray->SetBalloonTimeout(8000);
    FTray->ShowBalloonHint();
    ASSERT_EQ(FPlatform->Messages.size(), 1u);
    EXPECT_EQ(FPlatform->Messages[0].Text, QString(255, 'b'));
    EXPECT_EQ(FPlatform->Messages[0].Title, QString(63, 't'));
    EXPECT_EQ(FPlatform->Messages[0].Flags, int(bfError));
    EXPECT_EQ(FPlatform->Messages[0].Timeout, 8000);
    FTray->SetHint("");
    EXPECT_EQ(FPlatform->Updates.back().ToolTip, "");
}

TEST_F(TrayIconTest, WritingTheSameTextAgainSendsNothing)
{
    FTray->SetBalloonHint("Анна теперь онлайн");
    FTray->SetBalloonHint("Анна теперь онлайн");
    FTray->SetHint("1 пользователь онлайн");
    FTray->SetHint("1 пользователь онлайн");
    EXPECT_EQ(FPlatform->Updates.size(), 2u);
    FTray->SetVisible(true);
    FTray->SetVisible(true);
    EXPECT_EQ(FPlatform->Updates.size(), 3u);
    EXPECT_TRUE(FPlatform->Updates.back().Visible);
}

TEST_F(TrayIconTest, ClicksReachTheirEvents)
{
    std::vector<std::string> events;
    FTray->OnClick = [&] { events.push_back("click"); };
    FTray->OnDblClick = [&] { events.push_back("double"); };
    FTray->OnBalloonClick = [&] { events.push_back("balloon"); };
    FPlatform->OnActivated(TTrayPlatform::TActivation::Click);
    FPlatform->OnActivated(TTrayPlatform::TActivation::DoubleClick);
    FPlatform->OnMessageClicked();
    EXPECT_EQ(events, std::vector<std::string>({"click", "double", "balloon"}));
    FTray->OnClick = nullptr;
    FPlatform->OnActivated(TTrayPlatform::TActivation::Click); // unassigned: nothing
}

TEST_F(TrayIconTest, DestroyedMenuIsForgotten)
{
    auto* menu = new QMenu;
    FTray->SetPopupMenu(menu);
    EXPECT_EQ(FPlatform->Menu, menu);
    delete menu;
    EXPECT_EQ(FTray->PopupMenu(), nullptr);
}
