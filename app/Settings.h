// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/recent_pairs.h"

#include <QString>

#include <vector>

class QSettings;

// The values the converter keeps between runs: where its window was, what
// the input field held, which rows the two lists showed and whether the
// result is written in its shortest form. The member initialisers are the
// values of a first run; nothing else holds them.
struct SavedState {
    int xPosition = 300;
    int yPosition = 100;
    QString savedInput = QStringLiteral("5");
    int savedFrom = 2;
    int savedTo = 1;
    bool shortestResult = false;
    // Newest first; a first run has its own pair only.
    std::vector<quantaro::UnitPair> recentPairs{quantaro::UnitPair{savedFrom, savedTo}};

    friend bool operator==(const SavedState&, const SavedState&) = default;
};

// Reads "Config/XPosition", "Config/YPosition", "Data/Source", "Data/From",
// "Data/To", "Data/RecentPairs" and "Display/ShortestResult", in that order. A
// missing value, an integer value that is not a whole number in range, a
// switch that is neither "true" nor "false", and a store that cannot be read
// or parsed give the first-run values; of the recent pairs, the valid ones are
// kept. Nothing here ever stops the program.
SavedState readSettings(QSettings& store);

// Writes the seven values in the same order and flushes them to the store.
// Returns false when they could not be stored.
bool writeSettings(QSettings& store, const SavedState& state);
