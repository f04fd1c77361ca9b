#include "app/WindowGeometry.h"

#include <gtest/gtest.h>

TEST(WindowGeometry, WidthSnapsToTheTwoModes)
{
    struct Case { int proposed, current; bool small; int width; bool smallAfter; };
    const Case cases[] = {
        {280, 280, false, 280, false}, // height-only resize
        {270, 280, false, 280, false}, {251, 280, false, 280, false}, {250, 280, false, 250, true},
        {100, 280, false, 250, true},  {251, 250, true, 280, false}, {400, 250, true, 280, false},
        {250, 250, true, 250, true},
    };
    for (const Case& c : cases) {
        const TWidthSnap snap = SnapWidth(c.proposed, c.current, c.small);
        EXPECT_EQ(snap.Width, c.width) << c.proposed << " from " << c.current;
        EXPECT_EQ(snap.Small, c.smallAfter) << c.proposed << " from " << c.current;
    }
}

TEST(WindowGeometry, ModesOfTheLayout)
{
    EXPECT_EQ(LayoutMode(true).Width, 250);
    EXPECT_EQ(LayoutMode(true).MinimumHeight, 194);
    EXPECT_EQ(LayoutMode(true).RowHeight, 44);
    EXPECT_EQ(LayoutMode(false).Width, 280);
    EXPECT_EQ(LayoutMode(false).MinimumHeight, 225);
    EXPECT_EQ(LayoutMode(false).ToolbarHeight, 44);
}

TEST(WindowGeometry, Centring)
{
    EXPECT_EQ(CentredOn(QRect(0, 0, 1280, 770), QSize(280, 401)), QPoint(500, 185));
    EXPECT_EQ(CentredOn(QRect(1280, 30, 1920, 1050), QSize(281, 400)), QPoint(2100, 355));
    // Centred over the window; pushed back in from either side of the work area.
    const QRect work(0, 0, 1280, 800);
    EXPECT_EQ(ChildCentre(QRect(500, 100, 280, 400), QSize(380, 200), work), QPoint(450, 200));
    EXPECT_EQ(ChildCentre(QRect(1100, 100, 280, 400), QSize(500, 200), work), QPoint(780, 200));
    EXPECT_EQ(ChildCentre(QRect(-100, 700, 280, 400), QSize(500, 200), work), QPoint(0, 800));
}
