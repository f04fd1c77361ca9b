#include "RefreshWork.h"

#include "AvatarDownload.h"
#include "VKUser.h"
#include "support/IniFile.h"

void TRefreshWork::AddAvatarUpdate(const std::shared_ptr<TVKUser>& user)
{
    FAvatars.push_back({user, user->Avatar().Request(), {}});
}

void TRefreshWork::AddFileSave(const std::shared_ptr<TVKUser>& user, const QString& path, TFileRecord record)
{
    FSaves.push_back({user, path, std::move(record)});
}

void TRefreshWork::Run()
{
    for (TAvatarJob& job : FAvatars)
        job.Result = FetchAvatar(job.Request, FHttp);
    for (TFileJob& job : FSaves) {
        try {
            WriteUserFile(job.Path, job.Record);
        } catch (...) {
            job.Failed = true;
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
    for (const TFileJob& job : FSaves)
        if (job.Failed)
            job.User->MarkChanged();
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
