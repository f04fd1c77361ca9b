#include "VKUserListBox.h"

#include "app/ProgramObjects.h"
#include "support/ProgramSettings.h"
#include "vk/InstanceCounter.h"

#include <QAbstractItemDelegate>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <stdexcept>

namespace {
const QString EmptyListHint = QStringLiteral("Добавьте хотя бы одного пользователя в список.");

class TUserRowDelegate : public QAbstractItemDelegate {
public:
    explicit TUserRowDelegate(TVKUserListBox& list) : QAbstractItemDelegate(&list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool small = Settings && Settings->SmallUI();
        DrawUserRow(*painter, option.rect, *FList.GetUser(index.row()), option.state & QStyle::State_Selected,
                    option.state & QStyle::State_HasFocus, small, FList.Icons(), FList.font(), option.palette);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return {option.rect.width(), FList.RowHeight()};
    }

private:
    TVKUserListBox& FList;
};
}

bool UserComesBefore(const TVKUser& a, const TVKUser& b)
{
    if (a.Online() != b.Online())
        return a.Online();
    return a.Name() < b.Name();
}

TVKUserListBox::TVKUserListBox(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new TUserRowDelegate(*this));
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    QFont tahoma(QStringLiteral("Tahoma"), 9);
    setFont(tahoma);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TVKUserListBox::AddUser(std::shared_ptr<TVKStoredUser> user)
{
    FUsers.Add(std::move(user));
    addItem(QString());
}

std::shared_ptr<TVKStoredUser> TVKUserListBox::GetUser(int index) const
{
    if (index < 0 || index >= FUsers.Count())
        throw std::out_of_range("List index out of bounds");
    return std::static_pointer_cast<TVKStoredUser>(FUsers.GetUser(index));
}

void TVKUserListBox::DeleteUser(int index)
{
    const std::shared_ptr<TVKStoredUser> user = GetUser(index);
    std::exception_ptr failure;
    try {
        user->DeleteUserFile();
        if (InstanceCounter && InstanceCounter->Count(user->ProfileID()) == 1)
            user->Avatar().EraseFile();
    } catch (...) {
        failure = std::current_exception();
    }
    delete takeItem(index);
    FUsers.Delete(index);
    if (failure)
        std::rethrow_exception(failure);
}

void TVKUserListBox::SortUsers()
{
    const int selected = SelectedIndex();
    const std::shared_ptr<TVKUser> selectedUser = selected >= 0 ? FUsers.GetUser(selected) : nullptr;
    if (FUsers.Count() > 0)
        QuickSort(0, FUsers.Count() - 1);
    if (selectedUser) {
        for (int i = 0; i < FUsers.Count(); ++i)
            if (FUsers.GetUser(i) == selectedUser)
                SelectIndex(i);
    }
    viewport()->update();
}

int TVKUserListBox::SelectedIndex() const
{
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.first());
}

void TVKUserListBox::SelectIndex(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

void TVKUserListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit Clicked(event->position().toPoint());
}

void TVKUserListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked(event->position().toPoint());
}

void TVKUserListBox::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint pos = event->pos();
    // From the keyboard the menu belongs to the selected row, wherever the pointer is.
    if (event->reason() == QContextMenuEvent::Keyboard && SelectedIndex() >= 0)
        pos = visualItemRect(item(SelectedIndex())).center();
    emit ContextPopup(pos);
    event->accept();
}

void TVKUserListBox::QuickSort(int left, int right)
{
    const auto before = [this](int a, int b) { return UserComesBefore(*FUsers.GetUser(a), *FUsers.GetUser(b)); };
    int l = left;
    int i = 0;
    do {
        i = l;
        int j = right;
        int p = (l + right) / 2;
        do {
            while (before(i, p))
                ++i;
            while (before(p, j))
                --j;
            if (i <= j) {
                if (i != j)
                    FUsers.Exchange(i, j);
                if (p == i)
                    p = j;
                else if (p == j)
                    p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j)
            QuickSort(l, j);
        l = i;
    } while (i < right);
}

void TVKUserListBox::SetRowHeight(int height)
{
    FRowHeight = height;
    scheduleDelayedItemsLayout();
}

void TVKUserListBox::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    if (count() > 0)
        return;
    QPainter painter(viewport());
    painter.setFont(QFont(QStringLiteral("Tahoma"), 9));
    painter.setPen(QColor(102, 102, 102));
    painter.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                     EmptyListHint);
}
