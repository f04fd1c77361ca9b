#pragma once

#include <QImage>
#include <QString>

class TVKUsers;

// The names of a list as one phrase: "A", "A и B", "A, B и C".
QString JoinUserNames(const TVKUsers& users);

// "В списке нет пользователей", "Онлайн никого нет", or "%d пользовател… онлайн".
QString OnlineCountPhrase(int online, int listed);

// The tray hint with everyone online: the phrase, ":", an empty line, then one name a line.
QString OnlineTrayHint(const TVKUsers& list);

// One balloon for a delivery: who came online, an empty line, who went offline, as far as each
// kind of notice is on; empty when there is nothing to announce.
QString PresenceBalloonText(const TVKUsers& cameOnline, const TVKUsers& wentOffline, bool showOnline,
                            bool showOffline);

// The tray picture with the count drawn on it (nothing drawn for 0).
QImage TrayIconWithCount(const QImage& background, int count);
