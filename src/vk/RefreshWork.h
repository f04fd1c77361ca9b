#pragma once

#include "net/HttpOptions.h"
#include "support/Avatar.h"

#include <QString>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

class TVKUser;

// The slow part of applying an answer, kept off the main thread: avatar downloads and person
// files. Queued while the answer is applied (main thread), Run where the answer was fetched,
// Finish back on the main thread.
class TRefreshWork {
public:
    using TFileRecord = std::vector<std::pair<QString, QString>>; // the keys of section "User"

    explicit TRefreshWork(THttpOptions http) : FHttp(std::move(http)) {}

    void AddAvatarUpdate(const std::shared_ptr<TVKUser>& user);
    // The person's record for its file; a person whose file could not be written stays changed,
    // so that the next chance writes it again.
    void AddFileSave(const std::shared_ptr<TVKUser>& user, const QString& path, TFileRecord record);

    // Downloads and writes; never raises: a failed save is kept for Finish.
    void Run();
    // Shows the downloaded pictures (their errors are swallowed), then raises a failed save.
    void Finish();

private:
    struct TAvatarJob {
        std::shared_ptr<TVKUser> User;
        TAvatarRequest Request;
        TAvatarResult Result;
    };
    THttpOptions FHttp;
    std::vector<TAvatarJob> FAvatars;
    struct TFileJob {
        std::shared_ptr<TVKUser> User;
        QString Path;
        TFileRecord Record;
        bool Failed = false;
    };
    std::vector<TFileJob> FSaves;
    std::exception_ptr FSaveError;
};

// Writes the keys into section "User" of the file, keeping everything else in it.
void WriteUserFile(const QString& path, const TRefreshWork::TFileRecord& record);
