#pragma once

#include "TestCertificates.h"
#include "app/ProgramObjects.h"
#include "support/Directories.h"
#include "support/ProgramSettings.h"

#include <QTemporaryDir>

// The program's settings and user data in a directory of the test's own, with the test authority
// trusted.
class TTestSettings {
public:
    TTestSettings()
    {
        TDeploymentValues deployment;
        deployment.CAFile = TTestCertificates::Shared().CAFile();
        Settings = new TProgramSettings(FDir.path() + "/Settings.ini");
        Settings->SetDeployment(deployment);
        OverrideUserDataDir(FDir.path());
    }
    ~TTestSettings()
    {
        OverrideUserDataDir({});
        delete Settings;
        Settings = nullptr;
    }
    TTestSettings(const TTestSettings&) = delete;
    TTestSettings& operator=(const TTestSettings&) = delete;

    QString Dir() const { return FDir.path(); }

private:
    QTemporaryDir FDir;
};
