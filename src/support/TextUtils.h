#pragma once

#include <QString>
#include <QStringList>

// True when a command-line argument (the program path excluded) equals the switch, in any case.
bool HasSwitch(const QString& name);
bool HasSwitch(const QString& name, const QStringList& arguments);

// A new GUID as 38 upper-case characters with braces; empty when none can be made.
QString NewGuidString();

QString JoinStrings(const QStringList& list, const QString& separator);
QString StripPrefix(const QString& text, const QStringList& prefixes);
QString GetUrlLastSegment(const QString& url);

QString XorString(const QString& text, const QString& key);
QString ScrambleText(const QString& text);
QString MD5Hex(const QString& text, bool lower);
