#pragma once

#include "ui/CUnitsDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// The converter window and its controls, found by their identifiers, with
// the values start-up would hand it.
struct UnitsWindow {
    CUnitsDlg dlg;
    QLineEdit* input = control<QLineEdit>(CUnitsDlg::kInputField);
    QComboBox* from = control<QComboBox>(CUnitsDlg::kFromList);
    QComboBox* to = control<QComboBox>(CUnitsDlg::kToList);
    QLineEdit* result = control<QLineEdit>(CUnitsDlg::kResultField);
    QLabel* info = control<QLabel>(CUnitsDlg::kInfoLine);

    template <typename T> T* control(int id) { return dlg.findChild<T*>(QString::number(id)); }

    explicit UnitsWindow(const QString& text = "5", int fromIndex = 2, int toIndex = 1)
    {
        dlg.savedInput = text;
        dlg.savedFrom = fromIndex;
        dlg.savedTo = toIndex;
    }
    bool showActive()
    {
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        return QTest::qWaitForWindowActive(&dlg);
    }
    // The saved values hold the state of the last conversion.
    bool saved() const
    {
        return dlg.savedInput == input->text() && dlg.savedFrom == from->currentIndex()
            && dlg.savedTo == to->currentIndex();
    }
    QString title() const { return dlg.windowTitle(); }
};
