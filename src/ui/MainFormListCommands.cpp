#include "MainForm.h"

#include "ui_MainForm.h"

#include "AddForm.h"
#include "app/ProgramObjects.h"
#include "base/Exception.h"
#include "support/OpenBrowser.h"
#include "vk/UserListStore.h"

#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

void TMainForm::ConnectListCommands()
{
    for (QAction* action : {FUi->actDeleteUser, FUi->actRenameUser})
        addAction(action);
    connect(FUi->actAddUser, &QAction::triggered, this, &TMainForm::ActAddUserExecute);
    connect(FUi->btnAdd, &QPushButton::clicked, FUi->actAddUser, &QAction::trigger);
    connect(FUi->actDeleteUser, &QAction::triggered, this, &TMainForm::ActDeleteUserExecute);
    connect(FUi->actRenameUser, &QAction::triggered, this, &TMainForm::ActRenameUserExecute);
    connect(FUi->actGoToPage, &QAction::triggered, this, &TMainForm::ActGoToPageExecute);
    connect(FUi->actWriteMessage, &QAction::triggered, this, &TMainForm::ActWriteMessageExecute);
    connect(FUserList, &QListWidget::itemSelectionChanged, this, &TMainForm::ActWriteMessageUpdate);
    connect(FUserList, &TVKUserListBox::Clicked, this, &TMainForm::UserListClick);
    connect(FUserList, &TVKUserListBox::DoubleClicked, this, &TMainForm::UserListDblClick);
    connect(FUserList, &TVKUserListBox::ContextPopup, this, &TMainForm::UserListContextPopup);

    FItemMenu = new QMenu(this);
    FItemMenu->addAction(FUi->actGoToPage);
    FItemMenu->setDefaultAction(FUi->actGoToPage);
    FItemMenu->addAction(FUi->actWriteMessage);
    FItemMenu->addSeparator();
    FItemMenu->addAction(FUi->actRenameUser);
    FItemMenu->addAction(FUi->actDeleteUser);
    FNoItemMenu = new QMenu(this);
    FNoItemMenu->addAction(FUi->actAddUser);
    ActWriteMessageUpdate();
}

std::shared_ptr<TVKStoredUser> TMainForm::SelectedUser() const
{
    const int index = FUserList->SelectedIndex();
    return index >= 0 ? FUserList->GetUser(index) : nullptr;
}

void TMainForm::ActAddUserExecute()
{
    if (FUserList->count() >= MaxListedUsers) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Проблема"),
                        QStringLiteral("Нельзя добавить больше %1 пользователей. Сначала удалите кого-нибудь.")
                            .arg(MaxListedUsers),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    TAddForm dialog(*FUserList, this);
    dialog.OnShow = [this](QWidget& child) { SetChildFormCenter(&child); };
    const int result = dialog.exec();
    if (result == QDialog::Accepted) {
        if (const std::shared_ptr<TVKStoredUser> user = dialog.TakeLoadedUser()) {
            user->SetNotifyBlocked(true);
            FUserList->AddUser(user);
            UserAdded(user);
        }
    } else if (result == TAddForm::Ignore) {
        FUserList->SelectIndex(dialog.FoundIndex());
    }
}

void TMainForm::UserAdded(const std::shared_ptr<TVKStoredUser>& user)
{
    TVKUsers added;
    added.Add(user);
    UsersUpdated(added);
}

void TMainForm::ActDeleteUserExecute()
{
    const int index = FUserList->SelectedIndex();
    if (index < 0)
        return;
    QString failure;
    try {
        FUserList->DeleteUser(index);
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what()); // the row is gone; only its file stayed
    }
    FUserList->SortUsers();
    UpdateOnlineCount();
    if (!failure.isEmpty())
        ShowError(failure);
}

void TMainForm::ActRenameUserExecute()
{
    const std::shared_ptr<TVKStoredUser> user = SelectedUser();
    if (!user)
        return;
    bool confirmed = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Переименование"), QStringLiteral("Имя в списке"),
                                               QLineEdit::Normal,
                                               user->CustomName().isEmpty() ? user->Name() : user->CustomName(),
                                               &confirmed);
    if (!confirmed || name.isEmpty() || name == user->Name())
        return;
    user->SetCustomName(name);
    try {
        user->Save(user->FilePath());
    } catch (const Exception& error) {
        ShowError(error.Message());
    }
    FUserList->SortUsers();
}

void TMainForm::ActGoToPageExecute()
{
    if (const std::shared_ptr<TVKStoredUser> user = SelectedUser())
        OpenUrlAsync(this, user->Url());
}

void TMainForm::ActWriteMessageExecute()
{
    const std::shared_ptr<TVKStoredUser> user = SelectedUser();
    if (!user)
        return;
    const QUrl page(user->Url());
    const QString host = page.port() == -1 ? page.host() : page.host() + QLatin1Char(':') + QString::number(page.port());
    OpenUrlAsync(this, QStringLiteral("http://%1/write%2").arg(host).arg(user->ProfileID()));
}

void TMainForm::ActWriteMessageUpdate()
{
    const std::shared_ptr<TVKStoredUser> user = SelectedUser();
    FUi->actWriteMessage->setEnabled(user && user->ProfileID() > 0);
}

void TMainForm::UserListClick(QPoint pos)
{
    if (!FUserList->itemAt(pos) && FUserList->SelectedIndex() >= 0) {
        FUserList->SelectIndex(-1);
        FUserList->viewport()->update();
    }
}

void TMainForm::UserListDblClick()
{
    if (FUserList->count() == 0)
        FUi->actAddUser->trigger();
    else
        FUi->actGoToPage->trigger();
}

void TMainForm::UserListContextPopup(QPoint pos)
{
    QListWidgetItem* item = FUserList->itemAt(pos);
    FUserList->SelectIndex(item ? FUserList->row(item) : -1);
    const QPoint global = FUserList->viewport()->mapToGlobal(pos);
    (FUserList->SelectedIndex() >= 0 ? FItemMenu : FNoItemMenu)->popup(global);
}

bool TMainForm::HaveMe() const
{
    bool valid = false;
    const int me = Deployment().HaveMeProfileID.toInt(&valid);
    return valid && FUserList->IndexOfProfileID(me) >= 0;
}
