#include "FuzzMain.h"

#include "vk/RefreshWork.h"
#include "vk/VKStoredUser.h"
#include "vk/VKUsers.h"

// A users.get answer, parsed and applied to a small list as a refresh applies it; the files
// and pictures it queues are never written or fetched.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureApplication();
    const QString answer = QString::fromUtf8(Bytes(data, size));
    TVKUsers list;
    for (int id : {1, 2, 5, 100})
    {
        auto user = std::make_shared<TVKStoredUser>(TPeopleFolders {QStringLiteral("/nonexistent/"), {}});
        user->SetProfileID(id);
        list.Add(user);
    }
    TRefreshWork work({});
    try {
        list.ApplyPeople(ParseUsersAnswer(answer), work);
    } catch (const std::exception&) {
    }
    auto one = std::make_shared<TVKUser>();
    one->SetAutoLoadAvatar(false);
    try {
        one->LoadFromXMLNode(ParseOneUserAnswer(answer), work);
    } catch (const std::exception&) {
    }
    return 0;
}
