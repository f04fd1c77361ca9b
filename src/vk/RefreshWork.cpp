#include "RefreshWork.h"

#include "AvatarDownload.h"
#include "VKUser.h"
#include "support/IniFile.h"

void TRefreshWork::AddAvatarUpdate(const std::shared_ptr<TVKUser>& user)
{
    FAvatars.push_back({user, user->Avatar().Request(), {}});
}

void TRefreshWork::AddFileSave(const QString& path, TFileRecord record)
{
    FSaves.emplace_back(path, std::move(record));
}

void TRefreshWork::Run()
{
    for (TAvatarJob& job : FAvatars)
        job.Result = FetchAvatar(job.Request, FHttp);
    for (const auto& [path, record] : FSaves) {
        try {
            WriteUserFile(path, record);
        } catch (...) {
            if (!FSaveError)
                FSaveError = std::current_exception();
        }
    }
}

void TRefreshWork::Finish()
{
    for (const TAvatarJob& job : FAvatars) {
        try {
            job.User->Avatar().Apply(job.Result);
        } catch (...) {
            // A picture that cannot be had never fails the refresh.
        }
    }
    if (FSaveError)
        std::rethrow_exception(FSaveError);
}

void WriteUserFile(const QString& path, const TRefreshWork::TFileRecord& record)
{
    TIniFile ini = TIniFile::FromFile(path);
    for (const auto& [key, value] : record)
        ini.WriteString(QStringLiteral("User"), key, value);
    ini.SaveToFile(path);
}
