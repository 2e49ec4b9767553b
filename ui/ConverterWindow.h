// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/recent_pairs.h"
#include "engine/convert.h"
#include "ui/ConverterState.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QShortcut;

namespace quantaro {
class UnitList;
}

// The converter window. Start-up hands it the kept values before exec() and
// takes them back after it returns, however the window closed.
class ConverterWindow : public QDialog {
    Q_OBJECT

public:
    explicit ConverterWindow(QWidget* parent = nullptr);
    ~ConverterWindow() override;

    // The values the window opens with; given before it is first shown.
    void setState(const ConverterState& state);
    // The values to keep, as the cancel path would record them now: the
    // input and the rows of the last conversion, the switches as they are,
    // and the window's top-left corner while it is open where the platform
    // reports it, else the corner last recorded or given.
    ConverterState state() const;

    // The OK command (Enter): the window stays open and the input field takes
    // the keyboard focus.
    void accept() override;
    // The cancel command (Esc, the close box, the title bar's Close, and
    // start-up on a termination signal): records the window's top-left corner
    // where the platform reports it (not on Wayland), then closes with the
    // cancel result.
    void reject() override;
    // Showing the window opens it: it moves to the kept corner where the
    // platform lets it (not on Wayland), fills both lists, selects the kept
    // rows and converts the kept input once, all before it is first painted.
    void setVisible(bool visible) override;

signals:
    // A kept value has changed: the input, a row, a switch, the recent pairs
    // or the window's place.
    void stateChanged();

public slots:
    // Runs the About picture window modally.
    void showAbout();
    // Exchanges the From and To selections and converts.
    void swapUnits();
    // Opens the popup that finds a row by name for the list that has the
    // focus, the To list, or else the From list.
    void findUnit();
    // Puts the bare result on the clipboard, for pasting into another program:
    // the number the field shows, without the mark of the Exact form.
    void copyResult();
    // Shows recent pair `position` (0 is the newest) in both lists and
    // converts, as if the user had picked the two rows.
    void chooseRecentPair(int position);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    struct Command;
    // A context-menu entry of a kept choice: its action and the value it picks.
    struct ResultFormEntry {
        QAction* action;
        quantaro::ResultForm form;
    };
    struct FractionEntry {
        QAction* action;
        int denominator;
    };

    void createControls();
    void layOut();
    void createActions();
    quantaro::ResultForm resultForm() const;
    void createFractionMenu();
    void showKeptChoices();
    void runOpening();
    void convert();
    void announce(const QString& result, const QString& info);
    void openContextMenu(const QPoint& globalPosition);
    void listConfirmed(quantaro::UnitList* changed, quantaro::UnitList* other);
    void createRecentPairs();
    void arrivedAtPair();
    void showRecentPairs();

    QLabel* convertLabel_ = nullptr;
    QLabel* fromLabel_ = nullptr;
    QLabel* toLabel_ = nullptr;
    QLabel* resultLabel_ = nullptr;
    QLineEdit* inputField_ = nullptr;
    quantaro::UnitList* fromList_ = nullptr;
    quantaro::UnitList* toList_ = nullptr;
    QLineEdit* resultField_ = nullptr;
    QLabel* infoLine_ = nullptr;
    // Shortest Result, Exact Result and Mixed Result: at most one is checked,
    // and none is the seventeen digits.
    QList<ResultFormEntry> resultForms_;
    // "Mixed Result Fraction": Decimal, 1/2 ... 1/64, one checked.
    QList<FractionEntry> fractions_;
    QMenu* contextMenu_ = nullptr;
    // "Recent Pairs": an entry for each place, showing its key, Alt+1 to
    // Alt+9. The window's shortcuts for the keys stay on while a place is
    // empty, so that the key does nothing rather than type its digit.
    QMenu* recentMenu_ = nullptr;
    std::array<QAction*, quantaro::kRecentPairLimit> recentEntries_{};
    std::array<QShortcut*, quantaro::kRecentPairLimit> recentKeys_{};
    // The kept values but the result form, which lives in its actions.
    ConverterState state_;
    quantaro::Conversion conversion_;
    bool opened_ = false;
};
