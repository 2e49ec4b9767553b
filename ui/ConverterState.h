// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"

#include <QString>

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

    friend bool operator==(const ConverterState&, const ConverterState&) = default;
};
