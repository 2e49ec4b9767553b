#pragma once

#include <QString>

class QSettings;

// The five values the converter keeps between runs: where its window was,
// what the input field held and which rows the two lists showed. The member
// initialisers are the values of a first run; nothing else holds them.
struct SavedState {
    int xPosition = 300;
    int yPosition = 100;
    QString savedInput = QStringLiteral("5");
    int savedFrom = 2;
    int savedTo = 1;

    friend bool operator==(const SavedState&, const SavedState&) = default;
};

// Reads "Config/XPosition", "Config/YPosition", "Data/Source", "Data/From"
// and "Data/To", in that order. A missing value, an integer value that is not
// a whole number in range, and a store that cannot be read or parsed give the
// first-run values; nothing here ever stops the program.
SavedState readSettings(QSettings& store);

// Writes the five values in the same order and flushes them to the store.
// Returns false when they could not be stored.
bool writeSettings(QSettings& store, const SavedState& state);
