// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/conversion_request.h"
#include "catalogue/mixed_families.h"
#include "engine/convert.h"

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
    // What the input field held, as it held it; the request's number while
    // the window is open (the request's own `number` stays empty).
    QString input = QStringLiteral("5");
    // The rows the two lists showed, how the result field and the title
    // write the result (seventeen significant digits, or as the context
    // menu's Shortest Result, Exact Result or Mixed Result chooses) and the
    // Mixed form's last part (two decimals, kDecimalLastPart, or the nearest
    // multiple of 1/N for N = 2, 4, ... 64).
    quantaro::ConversionRequest request{.fromIndex = quantaro::kFirstRunPair.fromIndex,
                                        .toIndex = quantaro::kFirstRunPair.toIndex,
                                        .form = quantaro::ResultForm::SeventeenDigits,
                                        .fraction = quantaro::kDecimalLastPart};
    // The last pairs of rows the user arrived at, newest first: by a pick in
    // a list, Swap, Find Unit, a recent pair, or the pair the window opens on.
    std::vector<quantaro::RowPair> recentPairs{quantaro::kFirstRunPair};

    friend bool operator==(const ConverterState&, const ConverterState&) = default;
};
