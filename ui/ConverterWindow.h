// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/recent_pairs.h"
#include "engine/convert.h"

#include <QDialog>
#include <QString>

#include <array>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;

namespace quantaro {
class UnitList;
}

// The converter window. Start-up sets the remembered values before
// exec() and reads them back after it returns, however the window closed.
class ConverterWindow : public QDialog {
    Q_OBJECT

public:
    explicit ConverterWindow(QWidget* parent = nullptr);
    ~ConverterWindow() override;

    int xPosition = 300;
    int yPosition = 100;
    QString savedInput = QStringLiteral("5");
    int savedFrom = 2;
    int savedTo = 1;
    // The result field and the title show the shortest text that reads back
    // as the same number, instead of seventeen significant digits.
    bool shortestResult = false;
    // The last pairs of rows the user arrived at, newest first: by a pick in
    // a list, Swap, Find Unit, a recent pair, or the pair the window opens on.
    std::vector<quantaro::UnitPair> recentPairs{quantaro::UnitPair{savedFrom, savedTo}};

    // The OK command (Enter): the window stays open and the input field takes
    // the keyboard focus.
    void accept() override;
    // The cancel command (Esc, the close box, the title bar's Close, and
    // start-up on a termination signal): remembers the window's top-left
    // corner in xPosition and yPosition where the platform reports it (not on
    // Wayland), then closes with the cancel result.
    void reject() override;
    // Showing the window opens it: it moves to (xPosition, yPosition) where
    // the platform lets it (not on Wayland), fills both lists, selects the
    // saved rows and converts the saved input once, all before it is first
    // painted.
    void setVisible(bool visible) override;

signals:
    // The input, a row, the switch or the window's place has changed.
    void stateChanged();

public slots:
    // Runs the About picture window modally.
    void showAbout();
    // Exchanges the From and To selections and converts.
    void swapUnits();
    // Opens the popup that finds a row by name for the list that has the
    // focus, the To list, or else the From list.
    void findUnit();
    // Shows recent pair `position` (0 is the newest) in both lists and
    // converts, as if the user had picked the two rows.
    void chooseRecentPair(int position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void runOpening();
    void convert();
    void listConfirmed(quantaro::UnitList* changed, quantaro::UnitList* other);
    void arrivedAtPair();
    void showRecentPairs();

    QLineEdit* inputField_ = nullptr;
    quantaro::UnitList* fromList_ = nullptr;
    quantaro::UnitList* toList_ = nullptr;
    QLineEdit* resultField_ = nullptr;
    QLabel* infoLine_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* swapAction_ = nullptr;
    QAction* findAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    QAction* shortestAction_ = nullptr;
    // Alt+1 to Alt+9, one for each place in the recent pairs.
    std::array<QAction*, quantaro::kRecentPairLimit> recentActions_{};
    quantaro::Conversion conversion_;
    bool opened_ = false;
};
