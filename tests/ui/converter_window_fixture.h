// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "ui/ConverterWindow.h"
#include "on_wayland.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

// The converter window and its controls, found by their object names, with
// the values start-up would hand it.
struct WindowUnderTest {
    ConverterWindow window;
    QLineEdit* input = control<QLineEdit>("inputField");
    QComboBox* from = control<QComboBox>("fromList");
    QComboBox* to = control<QComboBox>("toList");
    QLineEdit* result = control<QLineEdit>("resultField");
    QLabel* info = control<QLabel>("infoLine");

    template <typename T> T* control(const char* name) { return window.findChild<T*>(QLatin1String(name)); }

    explicit WindowUnderTest(const QString& text = "5", int fromIndex = quantaro::kFirstRunPair.fromIndex,
                             int toIndex = quantaro::kFirstRunPair.toIndex)
    {
        ConverterState state;
        state.input = text;
        state.request.fromIndex = fromIndex;
        state.request.toIndex = toIndex;
        window.setState(state);
    }
    // Not deleted while a frame of it is still on its way.
    ~WindowUnderTest() { waitForFramesShown(); }
    WindowUnderTest(const WindowUnderTest&) = delete;
    WindowUnderTest& operator=(const WindowUnderTest&) = delete;
    // Changes the values the window opens with.
    template <typename Change> void given(Change change)
    {
        ConverterState state = window.state();
        change(state);
        window.setState(state);
    }
    bool showActive()
    {
        window.show();
        // Shortcuts and key handling follow the application's active window,
        // set here; a Wayland client has no say in activation and is never told.
        QApplication::setActiveWindow(&window);
        return onWayland() ? QTest::qWaitForWindowExposed(&window) : QTest::qWaitForWindowActive(&window);
    }
    // The saved values hold the state of the last conversion.
    bool saved() const
    {
        const ConverterState state = window.state();
        return state.input == input->text() && state.request.fromIndex == from->currentIndex()
            && state.request.toIndex == to->currentIndex();
    }
    QString title() const { return window.windowTitle(); }
};
