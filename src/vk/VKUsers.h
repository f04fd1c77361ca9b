#pragma once

#include "VKUser.h"

#include <memory>
#include <vector>

// A list of people that shares them with whoever else holds them.
class TVKUsers {
public:
    int Count() const { return int(FUsers.size()); }
    const std::shared_ptr<TVKUser>& GetUser(int index) const { return FUsers.at(size_t(index)); }
    void Add(std::shared_ptr<TVKUser> user) { FUsers.push_back(std::move(user)); }
    void Delete(int index) { FUsers.erase(FUsers.begin() + index); }
    void Clear() { FUsers.clear(); }
    void Exchange(int i, int j) { std::swap(FUsers.at(size_t(i)), FUsers.at(size_t(j))); }
    // First position whose page id is exactly the text (letter case counts); -1 when none.
    int IndexOfPageID(const QString& pageId) const;
    int IndexOfProfileID(int profileId) const;

    // Fills the listed people from a several-person users.get answer, matching them by profile
    // id, then downloads their new pictures and writes their files; raises what failed.
    void LoadFromXML(const QString& xml, const THttpOptions& http) const;
    // Applies the people of an answer to the listed ones; pictures and files go into work.
    void ApplyPeople(const std::vector<TUserInfo>& people, TRefreshWork& work) const;

    auto begin() const { return FUsers.begin(); }
    auto end() const { return FUsers.end(); }

private:
    std::vector<std::shared_ptr<TVKUser>> FUsers;
};
