// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"

#include <QString>

#include <vector>

// What the converter keeps between runs: where its window was, what the input
// field held, which rows the two lists showed and the context menu's switches.
// The member initialisers are the values of a first run; nothing else holds
// them. Start-up hands the record to the window and stores what the window
// gives back.
struct ConverterState {
    int xPosition = 300;
    int yPosition = 100;
    QString input = QStringLiteral("5");
    int fromIndex = quantaro::kFirstRunPair.fromIndex;
    int toIndex = quantaro::kFirstRunPair.toIndex;
    // The result field and the title show the shortest text that reads back
    // as the same number, instead of seventeen significant digits.
    bool shortestResult = false;
    // The result field and the title show the Exact form: the true value of
    // the number as typed. At most one of the two result forms is on; where
    // both are given, the Exact form is.
    bool exactResult = false;
    // The last pairs of rows the user arrived at, newest first: by a pick in
    // a list, Swap, Find Unit, a recent pair, or the pair the window opens on.
    std::vector<quantaro::RowPair> recentPairs{quantaro::kFirstRunPair};

    friend bool operator==(const ConverterState&, const ConverterState&) = default;
};
