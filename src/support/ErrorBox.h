#pragma once

#include <QString>
#include <functional>

class QObject;

// Error boxes are shown by the windowing part of the program; the core only asks for one.
using TErrorBoxHandler = std::function<void(QObject* owner, const QString& text)>;
void SetErrorBoxHandler(TErrorBoxHandler handler);
// Main thread only. owner is the window that the box belongs to, or nullptr.
void ShowErrorBox(QObject* owner, const QString& text);
