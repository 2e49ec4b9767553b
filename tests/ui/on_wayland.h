// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "ui/platform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QSet>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

// Whether the tests run as a Wayland client, where the compositor, not the
// window, decides the window's place and which window is active.
inline bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Waits until the compositor has answered the last frame of every shown
// window, as it has long done by the time a person presses the next key.
//
// Qt 6.4's Wayland client takes the compositor's answer on a thread of its
// own and reaches the window there without a lock: a window hidden or deleted
// in that moment brings the test program down on that thread. A test that
// types and closes within one frame meets that moment now and then (one
// run in a few hundred on a busy machine). Call this before a window or popup
// is closed or deleted right after it changed. A no-op on other platforms.
inline void waitForFramesShown()
{
    if (!onWayland())
        return;
    // Wayland hands a window its update request only once no frame of it is
    // outstanding. The request is taken here so that it paints nothing and so
    // starts no new frame.
    struct Answers : QObject {
        QSet<QObject*> answered;
        bool eventFilter(QObject* window, QEvent* event) override
        {
            if (event->type() != QEvent::UpdateRequest)
                return false;
            answered.insert(window);
            return true;
        }
    } answers;
    QList<QPointer<QWindow>> shown;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || !window->handle())
            continue;
        shown << window;
        window->installEventFilter(&answers);
        window->requestUpdate();
    }
    // A window deleted meanwhile has no frame left to wait for. One whose
    // answer never comes is closed all the same, after the wait.
    static_cast<void>(QTest::qWaitFor([&] {
        return std::all_of(shown.cbegin(), shown.cend(),
                           [&](const QPointer<QWindow>& window) { return !window || answers.answered.contains(window); });
    }, 5000));
    for (const QPointer<QWindow>& window : shown)
        if (window)
            window->removeEventFilter(&answers);
}

// QTEST_MAIN for the window tests, which also run as Wayland clients: where
// the application object's teardown can hang, the program ends with the
// tests' status before it.
#define WINDOW_TEST_MAIN(TestObject)                                \
    int main(int argc, char* argv[])                                \
    {                                                               \
        QApplication app(argc, argv);                               \
        app.setAttribute(Qt::AA_Use96Dpi, true);                    \
        TestObject test;                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                  \
        const int status = QTest::qExec(&test, argc, argv);         \
        if (quantaro::teardownCanHang()) {                          \
            std::fflush(nullptr);                                   \
            std::_Exit(status);                                     \
        }                                                           \
        return status;                                              \
    }
