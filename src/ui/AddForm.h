#pragma once

#include "vk/VKStoredUser.h"

#include <QDialog>
#include <functional>
#include <memory>

namespace Ui {
class TAddForm;
}
class TVKUserListBox;

// Asks for a page address or id and resolves the person while the dialog waits.
// Ends with Accepted (a new person, take it with TakeLoadedUser), Ignore (already listed at
// FoundIndex) or Rejected.
class TAddForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int Ignore = 5;

    TAddForm(const TVKUserListBox& list, QWidget* parent);
    ~TAddForm() override;

    // The resolved person, no longer tied to this dialog.
    std::shared_ptr<TVKStoredUser> TakeLoadedUser();
    int FoundIndex() const { return FFoundIndex; }
    bool Frozen() const { return FFrozen; }

    // Called when the dialog is shown, to place it.
    std::function<void(QWidget&)> OnShow;

    // Esc: stops a running lookup, or cancels.
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ActAddUpdate();
    void ActAddExecute();
    void Button2Click();
    void FreezeUI();
    void UnfreezeUI();
    void ShowError(const QString& message);
    void UpdatedDone(TVKUser& user);
    void UpdatedError(TVKUser& user);
    void ReleaseCandidate();

    std::unique_ptr<Ui::TAddForm> FUi;
    const TVKUserListBox& FList;
    std::shared_ptr<TVKStoredUser> FLoadedUser;
    int FFoundIndex = -1;
    bool FFrozen = false;
};
