#pragma once

#include "TestCertificates.h"
#include "support/Deployment.h"
#include "support/ProgramSettings.h"

#include <QTemporaryDir>

// The program's settings in a directory of the test's own, with the test authority trusted.
class TTestSettings {
public:
    TTestSettings()
    {
        TDeploymentValues deployment;
        deployment.CAFile = TTestCertificates::Shared().CAFile();
        SetDeployment(deployment);
        Settings = new TProgramSettings(FDir.path() + "/Settings.ini");
    }
    ~TTestSettings()
    {
        delete Settings;
        Settings = nullptr;
        SetDeployment({});
    }
    TTestSettings(const TTestSettings&) = delete;
    TTestSettings& operator=(const TTestSettings&) = delete;

    QString Dir() const { return FDir.path(); }

private:
    QTemporaryDir FDir;
};
