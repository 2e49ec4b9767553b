// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "ui/ConverterState.h"

class QSettings;

// Reads every kept value under its key ("Config/XPosition", "Data/Source",
// "Display/ResultForm", ...: the list is in Settings.cpp), in the order of
// that list. A missing value, an integer value that is not a whole number in
// range, a switch that is neither "true" nor "false", and a store that cannot
// be read or parsed give the first-run values; of the recent pairs, the valid
// ones are kept, nine at most. Nothing here ever stops the program.
ConverterState readSettings(QSettings& store);

// Writes the values in the same order and flushes them to the store.
// Returns false when they could not be stored.
bool writeSettings(QSettings& store, const ConverterState& state);
