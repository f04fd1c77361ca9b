#pragma once

#include "VKStoredUser.h"

#include <QDateTime>
#include <QString>
#include <memory>

namespace pugi {
class xml_node;
}

// One unread message of the connected account.
class TVKMessage {
public:
    TVKMessage();

    // Only its name is known: the sender's numeric id as text.
    TVKUser& Author() { return *FAuthor; }
    const TVKUser& Author() const { return *FAuthor; }
    QDateTime Date() const { return FDate; }
    void SetDate(const QDateTime& value) { FDate = value; }
    QString Body() const { return FBody; }
    void SetBody(const QString& value) { FBody = value; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString& value) { FTitle = value; }

    // Raises when date is missing or malformed.
    void LoadFromXMLNode(const pugi::xml_node& node);

private:
    std::shared_ptr<TVKStoredUser> FAuthor;
    QDateTime FDate;
    QString FBody;
    QString FTitle;
};
