#include "DisplayVersion.h"

#include "platform/Platform.h"

QString CutLastVersionComponent(const QString& version)
{
    const qsizetype dot = version.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : version.left(dot);
}

QString DisplayVersion()
{
    static const QString version = CutLastVersionComponent(GetFileVersionText(ProgramFilePath()));
    return version;
}
