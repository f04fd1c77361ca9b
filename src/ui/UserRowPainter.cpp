#include "UserRowPainter.h"

#include "support/LastSeen.h"
#include "vk/VKStoredUser.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
struct TRowLayout {
    int Margin;
    int AvatarSize;
    int AvatarLeft;
    int NamePointSize;
    int StateOffset;
};

const TRowLayout NormalLayout {8, 50, 22, 9, 20};
const TRowLayout SmallLayout {6, 32, 18, 8, 16};

const QColor OnlineName(43, 88, 122);
const QColor OfflineName(113, 128, 139);
const QColor StateColour(170, 183, 197);

// Draws one line cut with an ellipsis; returns where its text ends.
int DrawLine(QPainter& painter, const QRect& area, const QString& text)
{
    const QFontMetrics metrics(painter.font());
    const QString shown = metrics.elidedText(text, Qt::ElideRight, area.width());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    return area.left() + metrics.horizontalAdvance(shown);
}
}

QString UserStateText(const TVKStoredUser& user)
{
    switch (user.ProfileState()) {
    case psHidden: return QStringLiteral("[страница скрыта]");
    case psDeleted: return QStringLiteral("[страница удалена]");
    case psBanned: return QStringLiteral("[страница заблокирована]");
    case psNormal: break;
    }
    if (user.Online())
        return QStringLiteral("Онлайн");
    if (!user.HasBeenUpdated())
        return QStringLiteral("Обновление...");
    return FormatLastSeen(user.LastOnline());
}

void DrawUserRow(QPainter& painter, const QRect& rect, const TVKStoredUser& user, bool selected, bool focused,
                 bool small, const TUserRowIcons& icons, const QFont& font, const QPalette& palette)
{
    const TRowLayout& layout = small ? SmallLayout : NormalLayout;
    const int m = layout.Margin;
    // Composed off-screen and copied in one step, so a repaint never flickers.
    QImage row(rect.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&row);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRect r(0, 0, rect.width(), rect.height());
    p.fillRect(r, selected ? palette.color(QPalette::Highlight) : QColor(Qt::white));
    user.Avatar().Draw(p, layout.AvatarLeft, m, layout.AvatarSize);

    QRect text(layout.AvatarLeft + layout.AvatarSize + 8, m, 0, 0);
    text.setRight(r.width() - m - 1);
    text.setBottom(r.height() - m - 1);
    QFont nameFont(font);
    nameFont.setBold(true);
    nameFont.setPointSize(layout.NamePointSize);
    p.setFont(nameFont);
    p.setPen(selected ? palette.color(QPalette::HighlightedText) : user.Online() ? OnlineName : OfflineName);
    DrawLine(p, text, user.CustomName().isEmpty() ? user.Name() : user.CustomName());

    QFont stateFont(font);
    stateFont.setPointSize(8);
    p.setPen(selected ? palette.color(QPalette::HighlightedText) : StateColour);
    text.setTop(text.top() + layout.StateOffset);
    const QString state = UserStateText(user);
    const bool onlineLine = user.ProfileState() == psNormal && user.Online();
    stateFont.setBold(onlineLine);
    p.setFont(stateFont);
    if (onlineLine)
        p.drawImage(m, 12, icons.OnlineDot);
    if (!state.isEmpty()) {
        const int end = DrawLine(p, text, state);
        if (user.OnlineMobile())
            p.drawImage(end + 2, text.top(), icons.Phone);
    }
    if (focused) {
        p.setPen(QPen(palette.color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.end();
    painter.drawImage(rect.topLeft(), row);
}
