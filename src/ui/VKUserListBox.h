#pragma once

#include "UserRowPainter.h"
#include "vk/VKStoredUser.h"
#include "vk/VKUsers.h"

#include <QListWidget>
#include <memory>

// The list of watched people: one painted row per person, online people first, then by name.
class TVKUserListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TVKUserListBox(QWidget* parent = nullptr);

    void AddUser(std::shared_ptr<TVKStoredUser> user);
    // Removes the row and the person's file; the cached picture only when no other live person
    // object has the same profile id. The row goes even when a file cannot be removed.
    void DeleteUser(int index);
    // Raises std::out_of_range outside the list.
    std::shared_ptr<TVKStoredUser> GetUser(int index) const;
    const TVKUsers& GetUsers() const { return FUsers; }
    int IndexOfPageID(const QString& pageId) const { return FUsers.IndexOfPageID(pageId); }
    int IndexOfProfileID(int profileId) const { return FUsers.IndexOfProfileID(profileId); }
    // The selected row stays with its person.
    void SortUsers();
    // The selected row, -1 when none.
    int SelectedIndex() const;
    // Selects a row; -1 clears the selection.
    void SelectIndex(int index);

    void SetIcons(const TUserRowIcons& icons) { FIcons = icons; }
    const TUserRowIcons& Icons() const { return FIcons; }
    void SetRowHeight(int height);
    int RowHeight() const { return FRowHeight; }

signals:
    // Positions are on the viewport. A click or double click anywhere, also below the last row.
    void Clicked(QPoint pos);
    void DoubleClicked(QPoint pos);
    void ContextPopup(QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void QuickSort(int left, int right);

    TVKUsers FUsers;
    TUserRowIcons FIcons;
    int FRowHeight = 66;
};

// Online before offline, then the VK names compared code unit by code unit.
bool UserComesBefore(const TVKUser& a, const TVKUser& b);
