// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "ui/ConverterState.h"

class QSettings;

// Reads "Config/XPosition", "Config/YPosition", "Data/Source", "Data/From",
// "Data/To" and "Display/ShortestResult", in that order. A missing value, an
// integer value that is not a whole number in range, a switch that is neither
// "true" nor "false", and a store that cannot be read or parsed give the
// first-run values; nothing here ever stops the program.
ConverterState readSettings(QSettings& store);

// Writes the values in the same order and flushes them to the store.
// Returns false when they could not be stored.
bool writeSettings(QSettings& store, const ConverterState& state);
