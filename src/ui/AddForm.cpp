#include "AddForm.h"

#include "ui_AddForm.h"

#include "VKUserListBox.h"
#include "app/ProgramObjects.h"
#include "support/PageUrl.h"

#include <QApplication>
#include <QCloseEvent>

TAddForm::TAddForm(const TVKUserListBox& list, QWidget* parent)
    : QDialog(parent), FUi(std::make_unique<Ui::TAddForm>()), FList(list)
{
    FUi->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    // The general UI font of the platform stands for the icon-title font.
    setFont(QApplication::font());
    QPalette errorColours = FUi->edtError->palette();
    errorColours.setColor(QPalette::Base, errorColours.color(QPalette::Button));
    errorColours.setColor(QPalette::Text, Qt::red);
    FUi->edtError->setPalette(errorColours);
    FUi->btnAdd->setText(FUi->actAdd->text());
    connect(FUi->actAdd, &QAction::changed, this, [this] { FUi->btnAdd->setEnabled(FUi->actAdd->isEnabled()); });
    connect(FUi->btnAdd, &QPushButton::clicked, FUi->actAdd, &QAction::trigger);
    connect(FUi->actAdd, &QAction::triggered, this, &TAddForm::ActAddExecute);
    connect(FUi->Button2, &QPushButton::clicked, this, &TAddForm::Button2Click);
    connect(FUi->edtLink, &QLineEdit::textChanged, this, &TAddForm::ActAddUpdate);
    ActAddUpdate();
}

TAddForm::~TAddForm()
{
    ReleaseCandidate();
    if (FFrozen)
        QApplication::restoreOverrideCursor();
}

std::shared_ptr<TVKStoredUser> TAddForm::TakeLoadedUser()
{
    if (result() != Accepted)
        return nullptr;
    std::shared_ptr<TVKStoredUser> user = FLoadedUser;
    ReleaseCandidate();
    return user;
}

// A candidate that is not handed over is only dropped: a lookup cut off here delivers nothing.
void TAddForm::ReleaseCandidate()
{
    if (!FLoadedUser)
        return;
    FLoadedUser->StopLoading();
    FLoadedUser->OnUpdated = nullptr;
    FLoadedUser->OnError = nullptr;
    FLoadedUser->CanSaveFile = nullptr;
    FLoadedUser.reset();
}

void TAddForm::ActAddUpdate()
{
    FUi->actAdd->setEnabled(!FUi->edtLink->text().isEmpty() && FUi->edtLink->isEnabled());
}

void TAddForm::ActAddExecute()
{
    const QString pageId = PageIdFromTypedAddress(FUi->edtLink->text(), Deployment());
    FFoundIndex = FList.IndexOfPageID(pageId);
    if (FFoundIndex >= 0) {
        done(Ignore);
        return;
    }
    FreezeUI();
    ReleaseCandidate();
    FLoadedUser = std::make_shared<TVKStoredUser>(PeopleFolders());
    FLoadedUser->OnUpdated = [this](TVKUser& user) { UpdatedDone(user); };
    FLoadedUser->OnError = [this](TVKUser& user) { UpdatedError(user); };
    // A person listed under another page id keeps its file as it is.
    FLoadedUser->CanSaveFile = [this](const TVKStoredUser& user) {
        return FList.IndexOfProfileID(user.ProfileID()) < 0;
    };
    FLoadedUser->UpdateInfo(pageId, CurrentApiAccess());
}

// Runs inside the candidate's own event: the candidate itself is dropped with the dialog.
void TAddForm::UpdatedDone(TVKUser& user)
{
    FFoundIndex = user.ProfileID() > 0 ? FList.IndexOfProfileID(user.ProfileID()) : -1;
    done(FFoundIndex >= 0 ? Ignore : Accepted);
}

void TAddForm::UpdatedError(TVKUser& user)
{
    ShowError(user.ErrorText());
}

void TAddForm::Button2Click()
{
    if (FLoadedUser && FLoadedUser->Loading()) {
        FLoadedUser->StopLoading();
        UnfreezeUI();
        FUi->edtLink->setFocus(); // it lost the focus when it was disabled
        return;
    }
    QDialog::reject();
}

void TAddForm::reject()
{
    Button2Click();
}

void TAddForm::done(int result)
{
    UnfreezeUI();
    QDialog::done(result);
}

void TAddForm::FreezeUI()
{
    if (!FFrozen)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    FFrozen = true;
    FUi->edtLink->setEnabled(false);
    ActAddUpdate();
}

void TAddForm::UnfreezeUI()
{
    if (FFrozen)
        QApplication::restoreOverrideCursor();
    FFrozen = false;
    FUi->edtLink->setEnabled(true);
    ActAddUpdate();
}

void TAddForm::ShowError(const QString& message)
{
    UnfreezeUI();
    FUi->edtError->setText(message);
    FUi->edtError->setCursorPosition(0);
    FUi->edtLink->setFocus();
}

void TAddForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (OnShow)
        OnShow(*this);
}

// While a lookup runs the title bar cannot close the dialog; Esc still stops the lookup.
void TAddForm::closeEvent(QCloseEvent* event)
{
    if (FFrozen) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
