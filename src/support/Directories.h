#pragma once

#include <QString>
#include <QStringList>

// Where the program's files live. Every directory text ends with "/" and keeps its "..".
QString ProgramDir();
QString UserDataDir();
QString UsersDir();
QString UpdatesDir();
// Tests keep their data in a directory of their own; empty restores the real one.
void OverrideUserDataDir(const QString& dir);

// Names of the entries of dir matching mask, in the order the file system lists them, unfiltered.
void ListFiles(const QString& dir, const QString& mask, QStringList& list);
