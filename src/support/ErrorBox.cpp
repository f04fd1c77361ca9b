#include "ErrorBox.h"

namespace {
TErrorBoxHandler& Handler()
{
    static TErrorBoxHandler handler;
    return handler;
}
}

void SetErrorBoxHandler(TErrorBoxHandler handler)
{
    Handler() = std::move(handler);
}

void ShowErrorBox(QObject* owner, const QString& text)
{
    if (Handler())
        Handler()(owner, text);
}
