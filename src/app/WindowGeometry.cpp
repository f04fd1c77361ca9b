#include "WindowGeometry.h"

const TLayoutMode& LayoutMode(bool small)
{
    static const TLayoutMode smallMode {true, MinimumWindowWidth, 194, 35, 44, 24, 6};
    static const TLayoutMode normalMode {false, MaximumWindowWidth, 225, 44, 66, 28, 8};
    return small ? smallMode : normalMode;
}

TWidthSnap SnapWidth(int proposed, int current, bool small)
{
    if (proposed == current)
        return {proposed, small};
    if (proposed <= MinimumWindowWidth)
        return {MinimumWindowWidth, true};
    return {MaximumWindowWidth, false};
}

QPoint CentredOn(const QRect& workArea, const QSize& size)
{
    return {workArea.left() + workArea.width() / 2 - size.width() / 2,
            workArea.top() + workArea.height() / 2 - size.height() / 2};
}

QPoint ChildCentre(const QRect& mainWindow, const QSize& child, const QRect& workArea)
{
    QPoint topLeft(mainWindow.left() + mainWindow.width() / 2 - child.width() / 2,
                   mainWindow.top() + mainWindow.height() / 2 - child.height() / 2);
    if (topLeft.x() < workArea.left())
        topLeft.setX(workArea.left());
    if (topLeft.x() + child.width() > workArea.left() + workArea.width())
        topLeft.setX(workArea.left() + workArea.width() - child.width());
    return topLeft;
}
