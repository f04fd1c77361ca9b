#include "support/ErrorBox.h"
#include "support/OpenBrowser.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QObject>
#include <QThread>
#include <gtest/gtest.h>

TEST(OpenBrowser, FailureIsOneErrorBoxOnTheMainThreadAndTheCallerGoesOn)
{
    std::vector<QString> boxes;
    QObject owner;
    QObject* seenOwner = nullptr;
    bool onMainThread = false;
    SetErrorBoxHandler([&](QObject* o, const QString& text) {
        boxes.push_back(text);
        seenOwner = o;
        onMainThread = QThread::currentThread() == QCoreApplication::instance()->thread();
    });
    // No handler exists for this scheme (nor, on a bare machine, any opener at all).
    OpenUrlAsync(&owner, "peerglow-no-such-scheme:nothing");
    const QDeadlineTimer deadline(20000);
    while (boxes.empty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    while (!WaitForAllThreadsEnded(0) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(WaitForAllThreadsEnded(0));
    SetErrorBoxHandler({});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].startsWith("System Error.  Code: ")) << boxes[0].toStdString();
    EXPECT_EQ(seenOwner, &owner);
    EXPECT_TRUE(onMainThread);
}
