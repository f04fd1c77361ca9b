#pragma once

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QString>

class QPainter;
class TVKStoredUser;

// The markers a row may show.
struct TUserRowIcons {
    QImage OnlineDot; // 6 x 6
    QImage Phone;     // 16 x 16
};

// The line under the name: a page state, "Онлайн", "Обновление..." or the last-seen text.
QString UserStateText(const TVKStoredUser& user);

// Paints one row of the list: avatar, name (the custom one when given), state line, markers.
void DrawUserRow(QPainter& painter, const QRect& rect, const TVKStoredUser& user, bool selected, bool focused,
                 bool small, const TUserRowIcons& icons, const QFont& font, const QPalette& palette);
