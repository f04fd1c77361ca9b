#pragma once

#include <QDateTime>
#include <functional>

// The local clock, replaceable so that tests can fix "now".
QDateTime Now();
void SetNowProvider(std::function<QDateTime()> provider);
