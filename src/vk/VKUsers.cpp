#include "VKUsers.h"

#include "RefreshWork.h"

#include <QMultiHash>

int TVKUsers::IndexOfPageID(const QString& pageId) const
{
    for (int i = 0; i < Count(); ++i)
        if (FUsers[size_t(i)]->PageID() == pageId)
            return i;
    return -1;
}

int TVKUsers::IndexOfProfileID(int profileId) const
{
    for (int i = 0; i < Count(); ++i)
        if (FUsers[size_t(i)]->ProfileID() == profileId)
            return i;
    return -1;
}

void TVKUsers::LoadFromXML(const QString& xml, const THttpOptions& http) const
{
    const std::vector<TUserInfo> people = ParseUsersAnswer(xml);
    TRefreshWork work(http);
    ApplyPeople(people, work);
    work.Run();
    work.Finish();
}

void TVKUsers::ApplyPeople(const std::vector<TUserInfo>& people, TRefreshWork& work) const
{
    // Listed people by id, each id's people in list order.
    QMultiHash<int, TVKUser*> byId;
    byId.reserve(Count());
    for (auto it = FUsers.rbegin(); it != FUsers.rend(); ++it)
        byId.insert((*it)->ProfileID(), it->get());
    for (const TUserInfo& person : people) {
        // A malformed uid fails the refresh; an id of 0 is nobody's.
        const int uid = UidToInt(person.Uid.value_or(QString()));
        if (uid == 0)
            continue;
        for (auto it = byId.constFind(uid); it != byId.constEnd() && it.key() == uid; ++it)
            (*it)->LoadFromXMLNode(person, work);
    }
}
