#pragma once

#include <QString>

class TVKUsers;
struct TPeopleFolders;

// The list never holds more people than this.
constexpr int MaxListedUsers = 999;

// Fills the list with the stored people: from the older single file Users.ini of the data folder
// when it still exists (converted into one file per person, then removed), otherwise from the
// users folder
// in the order the file system lists it; at most MaxListedUsers. Every person loaded is kept
// from being announced by the first refresh. A person file that cannot be written raises after
// the people read so far are in the list; nothing stored is removed before its copy is written.
void LoadUsers(TVKUsers& list, const QString& dataDir, const TPeopleFolders& folders);
// Saves every listed person, or every one with a change not yet written, to its own file.
void SaveUsers(const TVKUsers& list, bool changedOnly = false);
