#include "MainForm.h"

#include "ui_MainForm.h"

#include "app/ProgramObjects.h"
#include "app/WindowGeometry.h"
#include "base/Exception.h"
#include "base/ManagedThreads.h"
#include "platform/Platform.h"
#include "platform/SingleInstance.h"
#include "support/Directories.h"
#include "support/DisplayVersion.h"
#include "support/OpenBrowser.h"
#include "support/ProgramSettings.h"
#include "support/StdAvatars.h"
#include "support/TextUtils.h"
#include "vk/AuthInfo.h"
#include "vk/UserListStore.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QScreen>

#include <cstdio>

namespace {
const QColor LinkColour(0x3F, 0x66, 0x90);
const QColor GreyLinkColour(0x99, 0x99, 0x99);
const QColor GreyLinkHoverColour(0x66, 0x66, 0x66);

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void MakeLink(QLabel* label, const QColor& colour, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setUnderline(true);
    font.setBold(bold);
    label->setFont(font);
    SetTextColour(label, colour);
    label->setCursor(Qt::PointingHandCursor);
}
}

TMainForm::TMainForm(TSingleInstance& instance, bool showAtStart)
    : FInstance(instance), FUi(std::make_unique<Ui::TMainForm>())
{
    FUi->setupUi(this);
    connect(&instance, &TSingleInstance::ActivateRequested, this, &TMainForm::ActivateFromOutside);
    connect(&instance, &TSingleInstance::ExitRequested, this, &TMainForm::CloseForGood);
    // The session's end is never refused, whatever closing does otherwise: the exit sequence
    // saves what must survive and the session goes on ending.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TMainForm::CloseForGood);
    CreateMenus();
    CreateTrayIcon();
    CreateUserList();
    ConnectListCommands();
    SetUpLinks();
    // The general UI font of the platform stands for the icon-title font.
    setFont(QApplication::font());
    FMediaPlayerOnline.SetFileName(ProgramDir() + QStringLiteral("audio/online.mp3"));
    FMediaPlayerOffline.SetFileName(ProgramDir() + QStringLiteral("audio/offline.mp3"));
    TVKUser::SetDefaultImageList(LoadStdAvatars());
    TVKUser::SetSite(Deployment());
    RestoreWindowPlace();
    ApplySettings();
    LoadAuthSession();
    QString storageError;
    try {
        LoadStoredUsers();
    } catch (const Exception& error) {
        storageError = error.Message(); // the people read so far stay listed
    }
    if (FUserList->count() == 0)
        FFirstUpdateDone = true;
    UpdateOnlineCount();
    FTrayIcon->SetVisible(true);
    if (!storageError.isEmpty())
        ShowError(storageError);
    else if (HasSwitch(QStringLiteral("-afterupdate")))
        ShowBalloon(QStringLiteral("Программа была обновлена до версии %1 :)").arg(DisplayVersion()), bfInfo, 3);
    if (showAtStart)
        show();
    // The first refresh (its thread, the TLS library) starts once the window is up, not before.
    QMetaObject::invokeMethod(this, &TMainForm::ActUpdateExecute, Qt::QueuedConnection);
    connect(&FUpdateTimer, &QTimer::timeout, this, &TMainForm::ActUpdateExecute);
    FUpdateTimer.start();
}

TMainForm::~TMainForm()
{
    // A refresh still in flight must not deliver to a window that is gone.
    if (FRefresh)
        TerminateThread(FRefresh);
}

void TMainForm::CreateMenus()
{
    addAction(FUi->actUpdate);
    addAction(FUi->actExit);
    connect(FUi->actUpdate, &QAction::triggered, this, &TMainForm::ActUpdateExecute);
    connect(FUi->actExit, &QAction::triggered, this, &TMainForm::CloseForGood);
    connect(FUi->actToggleWindow, &QAction::triggered, this, &TMainForm::ToggleWindow);
    connect(FUi->actDonate, &QAction::triggered, this, [this] { OpenUrlAsync(this, Deployment().DonateUrl); });

    FTrayMenu = new QMenu(this);
    FTrayMenu->addAction(FUi->actToggleWindow);
    FTrayMenu->setDefaultAction(FUi->actToggleWindow);
    FTrayMenu->addSeparator();
    FTrayMenu->addAction(FUi->actExit);
    connect(FTrayMenu, &QMenu::aboutToShow, this, [this] {
        FUi->actToggleWindow->setText(isVisible() ? QStringLiteral("Скрыть окно") : QStringLiteral("Показать окно"));
    });

    FSettingsMenu = new QMenu(this);
    FSettingsMenu->addAction(FUi->actSettings);
    FSettingsMenu->setDefaultAction(FUi->actSettings);
    FSettingsMenu->addAction(FUi->actCheckProgramUpdates);
    FSettingsMenu->addAction(FUi->actDonate);
    FSettingsMenu->addSeparator();
    FSettingsMenu->addAction(FUi->actAbout);
    FSettingsMenu->addAction(FUi->actExit);
    FUi->btnMenu->setIcon(QIcon(QStringLiteral(":/icons/gear.png")));
    connect(FUi->btnMenu, &QToolButton::clicked, this, [this] {
        FSettingsMenu->popup(FUi->btnMenu->mapToGlobal(QPoint(0, FUi->btnMenu->height())));
    });
    FUi->btnAdd->setText(QStringLiteral("Добавить в список..."));
    FUi->btnConnectUser->setText(FUi->actConnect->text());
}

void TMainForm::CreateTrayIcon()
{
    FTrayBackground = QImage(QStringLiteral(":/icons/tray.png"));
    FTrayIcon = std::make_unique<TVKTrayIcon>(this);
    FTrayIcon->SetBalloonFlags(bfInfo);
    FTrayIcon->SetBalloonTimeout(3000);
    FTrayIcon->SetBalloonTitle(QStringLiteral("Peerglow"));
    FTrayIcon->SetPopupMenu(FTrayMenu);
    FTrayIcon->OnClick = [this] { ToggleWindow(); };
    FTrayIcon->OnBalloonClick = [this] { ShowInFront(); };
}

void TMainForm::CreateUserList()
{
    FUserList = new TVKUserListBox(FUi->MainPanel);
    FUi->MainPanelLayout->addWidget(FUserList);
    FUserList->SetIcons({QImage(QStringLiteral(":/icons/online.png")), QImage(QStringLiteral(":/icons/phone.png"))});
    setTabOrder(FUserList, FUi->btnAdd);
}

void TMainForm::SetUpLinks()
{
    const TDeploymentValues deployment = Deployment();
    FUi->urlGroup->setToolTip(deployment.GroupUrl);
    FUi->urlProgramSite->setToolTip(deployment.ProgramSiteUrl);
    for (QLabel* link : {FUi->urlProgramSite, FUi->urlGroup, FUi->lblDisconnect})
        MakeLink(link, LinkColour);
    MakeLink(FUi->lblAuthUserName, LinkColour, true);
    for (QLabel* link : {FUi->lblHideAuthInfo, FUi->lblExpandAuthInfo})
        MakeLink(link, GreyLinkColour);
    for (QLabel* link : {FUi->urlProgramSite, FUi->urlGroup, FUi->lblDisconnect, FUi->lblAuthUserName,
                         FUi->lblHideAuthInfo, FUi->lblExpandAuthInfo})
        link->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label)
        return QWidget::eventFilter(watched, event);
    const bool grey = label == FUi->lblHideAuthInfo || label == FUi->lblExpandAuthInfo;
    if (event->type() == QEvent::Enter)
        SetTextColour(label, grey ? GreyLinkHoverColour : palette().color(QPalette::Link));
    else if (event->type() == QEvent::Leave)
        SetTextColour(label, grey ? GreyLinkColour : LinkColour);
    else if (event->type() == QEvent::MouseButtonRelease
             && (label == FUi->urlProgramSite || label == FUi->urlGroup))
        OpenUrlAsync(this, label->toolTip());
    return QWidget::eventFilter(watched, event);
}

void TMainForm::RestoreWindowPlace()
{
    if (Settings->FormHeight() > 0)
        resize(width(), Settings->FormHeight());
    const QRect workArea = (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
    ApplyLayoutMode();
    const QPoint centred = CentredOn(workArea, frameGeometry().size());
    move(Settings->FormLeft() == TProgramSettings::CentredPosition ? centred.x() : Settings->FormLeft(),
         Settings->FormTop() == TProgramSettings::CentredPosition ? centred.y() : Settings->FormTop());
}

void TMainForm::ApplySettings()
{
    FUpdateTimer.setInterval(Settings->UpdateInterval() * 1000);
    SetAutoRunEntry(Settings->AutoLoad(), ProgramFilePath());
    FUi->pnlAuthInfoMini->setVisible(Settings->AuthInfoPanelHidden());
    FUi->pnlAuthInfo->setVisible(!Settings->AuthInfoPanelHidden());
    if (Settings->AudioNotification()) {
        if (Settings->ShowOnlineNotifications())
            FMediaPlayerOnline.Open();
        if (Settings->ShowOfflineNotifications())
            FMediaPlayerOffline.Open();
    }
}

void TMainForm::ApplyLayoutMode()
{
    const TLayoutMode& mode = LayoutMode(Settings->SmallUI());
    SetToolWindowBorder(mode.ToolWindowBorder);
    setMinimumHeight(mode.MinimumHeight);
    resize(mode.Width, qMax(height(), mode.MinimumHeight));
    FUi->pnlToolbar->setFixedHeight(mode.ToolbarHeight);
    FUserList->SetRowHeight(mode.RowHeight);
    FUi->btnAdd->setGeometry(8, mode.AddButtonTop, FUi->btnAdd->width(), mode.AddButtonHeight);
    PlaceAnchoredControls();
}

// A new border re-creates a shown window, which must not happen inside its own resize: it comes
// back, where it was, once the resize is over.
void TMainForm::SetToolWindowBorder(bool tool)
{
    const Qt::WindowType type = tool ? Qt::Tool : Qt::Window;
    const auto apply = [this, type] {
        if (windowType() == type)
            return;
        const bool shown = isVisible();
        const QPoint position = pos();
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | type);
        move(position);
        if (shown)
            show();
    };
    if (isVisible())
        QMetaObject::invokeMethod(this, apply, Qt::QueuedConnection);
    else
        apply();
}

void TMainForm::PlaceAnchoredControls()
{
    const int w = width();
    FUi->btnMenu->move(w - 38, FUi->btnMenu->y());
    FUi->SpeedButton1->move(w - 67, FUi->SpeedButton1->y());
    FUi->Bevel->resize(w, 1);
    FUi->lblHideAuthInfo->move(w - 8 - FUi->lblHideAuthInfo->width(), FUi->lblHideAuthInfo->y());
    FUi->lblDisconnect->move(w - 8 - FUi->lblDisconnect->width(), FUi->lblDisconnect->y());
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const TWidthSnap snap = SnapWidth(event->size().width(), event->oldSize().width(), Settings->SmallUI());
    if (snap.Small != Settings->SmallUI()) {
        Settings->SetSmallUI(snap.Small);
        ApplyLayoutMode();
    } else if (snap.Width != width()) {
        resize(snap.Width, height());
    }
    PlaceAnchoredControls();
    FUserList->viewport()->update();
}

void TMainForm::LoadStoredUsers()
{
    TVKUsers loaded;
    FUserList->setUpdatesEnabled(false);
    const auto fill = [&] {
        for (const auto& user : loaded)
            FUserList->AddUser(std::static_pointer_cast<TVKStoredUser>(user));
        FUserList->SortUsers();
        FUserList->setUpdatesEnabled(true);
    };
    try {
        LoadUsers(loaded, UserDataDir(), PeopleFolders());
    } catch (...) {
        fill();
        throw;
    }
    fill();
}

void TMainForm::LoadAuthSession()
{
    try {
        AuthInfo->Load(UserDataDir() + QStringLiteral("Auth.ini"), QStringLiteral("0"));
    } catch (const Exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    UpdateAuthPanel();
}

void TMainForm::UpdateAuthPanel()
{
    const bool connected = AuthInfo->Connected();
    FUi->pnlAuthInfo->setFixedHeight(connected ? 26 : FUi->btnConnectUser->y() + FUi->btnConnectUser->height() + 8);
    FUi->lblConnectInfo->setVisible(!connected);
    FUi->btnConnectUser->setVisible(!connected);
    const QString name = AuthInfo->User()->Name();
    FUi->lblAuthUserName->setText(name);
    FUi->lblAuthUserName->adjustSize();
    FUi->lblAuthUserName->setVisible(!name.isEmpty());
    FUi->lblDisconnect->setVisible(connected);
    FUi->lblHideAuthInfo->setVisible(!connected);
}

void TMainForm::SetStatus(const QString& value)
{
    setWindowTitle(value);
    FTrayIcon->SetHint(value);
}

void TMainForm::ShowBalloon(const QString& text, TBalloonFlags flags, int seconds)
{
    FTrayIcon->SetBalloonHint(QString());
    FTrayIcon->SetBalloonHint(text);
    FTrayIcon->SetBalloonFlags(flags);
    FTrayIcon->SetBalloonTimeout(seconds * 1000);
    FTrayIcon->ShowBalloonHint();
}

void TMainForm::ShowError(const QString& text)
{
    ShowBalloon(text, bfError, 8);
}

void TMainForm::SetChildFormCenter(QWidget* child) const
{
    const QRect workArea = (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
    child->move(ChildCentre(frameGeometry(), child->frameGeometry().size(), workArea));
}

void TMainForm::RestartApplication(const QString& params)
{
    FInstance.HandOverTo(ProgramFilePath(), params); // a failed start is not reported: we exit anyway
    FUi->actExit->trigger();
}

void TMainForm::ShowInFront()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TMainForm::ActivateFromOutside()
{
    ShowInFront();
}

void TMainForm::ToggleWindow()
{
    if (isVisible())
        hide();
    else
        ShowInFront();
}

void TMainForm::CloseForGood()
{
    FCanClose = true;
    close();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (Settings->MinimizeOnClose() && !FCanClose) {
        hide();
        event->ignore();
        return;
    }
    if (!FExiting)
        RunExitSequence();
    event->accept();
}

void TMainForm::RunExitSequence()
{
    FExiting = true;
    FUpdateTimer.stop();
    Settings->SetFormHeight(height());
    Settings->SetFormLeft(x());
    Settings->SetFormTop(y());
    try {
        Settings->Save();
    } catch (const Exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    // Last-seen times of people online wait up to a minute to be written: not past the end.
    try {
        SaveUsers(FUserList->GetUsers(), true);
    } catch (const Exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    try {
        ThreadManager->TerminateAll();
        ThreadManager->KillAll(0);
    } catch (...) {
    }
    FTrayIcon->SetVisible(false);
    QCoreApplication::quit();
}
