#include "VKUsers.h"

#include "RefreshWork.h"

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

void TVKUsers::LoadFromXML(const QString& xml, const TMainThreadCall& onMain) const
{
    const std::vector<TUserInfo> people = ParseUsersAnswer(xml);
    TRefreshWork work;
    onMain([&] {
        for (const TUserInfo& person : people) {
            // A malformed uid fails the refresh; an id of 0 is nobody's.
            const int uid = UidToInt(person.Uid.value_or(QString()));
            for (const auto& user : FUsers)
                if (user->ProfileID() == uid && uid != 0)
                    user->LoadFromXMLNode(person, work);
        }
    });
    work.Run();
    onMain([&] { work.Finish(); });
}
