#pragma once

#include "RefreshWork.h"
#include "VKUser.h"

#include <optional>

class TIniFile;

// Where the files of listed people live, given by the program when it makes them.
struct TPeopleFolders {
    QString Users;   // one INI file a person
    QString Avatars; // the cached pictures
};

// A person on the watched list, with its own INI file in the users folder (none when the
// program gave it no folders).
class TVKStoredUser : public TVKUser {
public:
    explicit TVKStoredUser(const TPeopleFolders& folders);
    ~TVKStoredUser() override;

    void SetProfileID(int value) override;
    void DoUpdated() override;
    void LoadFromXMLNode(const TUserInfo& info, TRefreshWork& work) override;

    bool StateChanged() const { return FStateChanged; }
    bool NotifyBlocked() const { return FNotifyBlocked; }
    void SetNotifyBlocked(bool value) { FNotifyBlocked = value; }
    bool HasBeenUpdated() const { return FHasBeenUpdated; }
    QString CustomName() const { return FCustomName; }
    void SetCustomName(const QString& value);

    // The decimal profile id and ".ini".
    QString GetFilename() const;
    // The person's file in the users folder.
    QString FilePath() const { return FFolders.Users + GetFilename(); }
    // The keys of the person's file, in their order.
    TRefreshWork::TFileRecord Record() const;
    // The record, taken to be written: clears Changed.
    TRefreshWork::TFileRecord TakeRecord();
    // The record could not be written: it is due again whatever it holds.
    void MarkChanged() override;
    void SaveToIniFile(TIniFile& ini, const QString& section);
    // Reads a section; older keys are converted and the file at iniPath written back.
    void LoadFromIniFile(TIniFile& ini, const QString& section, const QString& iniPath);
    // Keeps whatever else the file holds; raises when it cannot be written.
    void Save(const QString& filename);
    void Load(const QString& filename);
    void DeleteUserFile();

    // Asked on the main thread before new data is written to the person's file; unset means yes.
    std::function<bool(const TVKStoredUser&)> CanSaveFile;

    // How long a new last-seen time of someone online may wait to be written.
    static constexpr int LastSeenWriteSeconds = 60;

private:
    bool FileDue() const;
    // What the record holds besides the last-seen time.
    static size_t ValuesDigest(const TRefreshWork::TFileRecord& record);
    void ConvertOlderKeys(TIniFile& ini, const QString& section, const QString& iniPath);

    TPeopleFolders FFolders;
    std::optional<size_t> FWrittenValues; // of the record last taken to be written
    QDateTime FWrittenAt;
    bool FStateChanged = false;
    bool FNotifyBlocked = false;
    bool FHasBeenUpdated = false;
    QString FCustomName;
};
