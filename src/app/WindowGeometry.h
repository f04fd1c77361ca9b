#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The main window's two widths and what changes with them.
struct TLayoutMode {
    bool ToolWindowBorder;
    int Width;
    int MinimumHeight;
    int ToolbarHeight;
    int RowHeight;
    int AddButtonHeight;
    int AddButtonTop;
};
constexpr int MinimumWindowWidth = 250;
constexpr int MaximumWindowWidth = 280;
const TLayoutMode& LayoutMode(bool small);

// A drag of the width snaps to one of the two modes; a width left as it is stays.
struct TWidthSnap {
    int Width;
    bool Small;
};
TWidthSnap SnapWidth(int proposed, int current, bool small);

// Centred on the work area (halves truncated, as the window's own position is).
QPoint CentredOn(const QRect& workArea, const QSize& size);
// Centred over the main window, shifted back inside the work area left and right only.
QPoint ChildCentre(const QRect& mainWindow, const QSize& child, const QRect& workArea);
