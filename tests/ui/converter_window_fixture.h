#pragma once

#include "ui/ConverterWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

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

    explicit WindowUnderTest(const QString& text = "5", int fromIndex = 2, int toIndex = 1)
    {
        window.savedInput = text;
        window.savedFrom = fromIndex;
        window.savedTo = toIndex;
    }
    bool showActive()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }
    // The saved values hold the state of the last conversion.
    bool saved() const
    {
        return window.savedInput == input->text() && window.savedFrom == from->currentIndex()
            && window.savedTo == to->currentIndex();
    }
    QString title() const { return window.windowTitle(); }
};
