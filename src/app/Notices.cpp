#include "Notices.h"

#include "support/LastSeen.h"
#include "vk/VKUsers.h"

#include <QFont>
#include <QPainter>

QString JoinUserNames(const TVKUsers& users)
{
    const int n = users.Count();
    QString text;
    for (int i = 0; i < n; ++i) {
        text += users.GetUser(i)->Name();
        if (i < n - 2)
            text += QStringLiteral(", ");
        else if (i == n - 2)
            text += QStringLiteral(" и ");
    }
    return text;
}

QString OnlineCountPhrase(int online, int listed)
{
    if (listed == 0)
        return QStringLiteral("В списке нет пользователей");
    if (online == 0)
        return QStringLiteral("Онлайн никого нет");
    return QStringLiteral("%1 %2 онлайн")
        .arg(online)
        .arg(PluralWord(online, QStringLiteral("пользовател"), QStringLiteral("ь"), QStringLiteral("я"),
                        QStringLiteral("ей")));
}

QString OnlineTrayHint(const TVKUsers& list)
{
    int online = 0;
    QString names;
    for (const auto& user : list) {
        if (!user->Online())
            continue;
        ++online;
        names += QStringLiteral("\r\n") + user->Name();
    }
    return OnlineCountPhrase(online, list.Count()) + QStringLiteral(":\r\n") + names;
}

QString PresenceBalloonText(const TVKUsers& cameOnline, const TVKUsers& wentOffline, bool showOnline,
                            bool showOffline)
{
    QString text;
    if (showOnline && cameOnline.Count() > 0)
        text = JoinUserNames(cameOnline) + QStringLiteral(" теперь онлайн");
    if (showOffline && wentOffline.Count() > 0) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n\r\n");
        text += JoinUserNames(wentOffline) + QStringLiteral(" больше не онлайн");
    }
    return text;
}

QImage TrayIconWithCount(const QImage& background, int count)
{
    QImage icon = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (count <= 0)
        return icon;
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(count < 10 ? 8 : count < 100 ? 7 : 6);
    font.setBold(count < 10);
    // Pixel sizes as on a 96-dpi screen, whatever the screen says.
    font.setPixelSize(font.pointSize() * 96 / 72);
    QPainter painter(&icon);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter | Qt::TextSingleLine, QString::number(count));
    return icon;
}
