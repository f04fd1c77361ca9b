#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What the program needs of the operating system; one implementation per system.

// Full path of the running program file.
QString ProgramFilePath();
// The command-line arguments after the program path.
QStringList CommandLineArguments();

QString GetOSName();
// The file version of a program file ("10.5.9.0"); empty when it has none.
QString GetFileVersionText(const QString& path);
// Cookies the system's internet store holds for the address; empty when none or unavailable.
QString GetInternetCookie(const QString& url);

// Starts a program with the given argument text (split like a command line, never by a shell).
bool RunProcess(const QString& path, const QString& arguments);
// Opens an address with the user's default handler; raises with the system's text on failure.
void ShellOpen(const QString& url);

// Starts the program with "-hidden" when the user logs on, or no longer: an autostart entry
// that exists exactly while enabled, rewritten each time so it follows a moved program.
void SetAutoRunEntry(bool enabled, const QString& programPath);

// Runs handler on the main thread when the session asks the program to end (SIGTERM).
// Needs the application object.
void SetTerminationHandler(std::function<void()> handler);
