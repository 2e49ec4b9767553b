// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QListView;

namespace quantaro {

class FoundRowsModel;

// A popup that finds a unit or preset row by words of its label: a search
// field and, below it, the rows found, each with its group's header. Up and
// Down move through the rows, also from the field; Enter or a double-click
// picks one; Esc, or a click elsewhere, closes the popup without a pick. It
// deletes itself once closed.
class UnitFinder : public QFrame {
    Q_OBJECT

public:
    // Searches the labels of one list's side.
    UnitFinder(ListSide side, QWidget* parent);

    // Shows the popup over `list`, its field where the list's text is and
    // the rows dropping down from there, and gives the field the focus.
    void popUp(QWidget* list);

signals:
    // The list index of the row the user picked; the popup has closed.
    void picked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(const QString& text);
    void pickCurrent();

    ListSide side_;
    QLineEdit* field_ = nullptr;
    QListView* results_ = nullptr;
    FoundRowsModel* model_ = nullptr;
    QLabel* noMatch_ = nullptr;
};

} // namespace quantaro
