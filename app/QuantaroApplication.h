// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/query.h"

#include <QApplication>

#include <optional>

class ConverterWindow;
struct ConverterState;

// The application object: registers the vendor, reads the saved state into
// the converter window, runs the window until it closes and writes the state
// back, however it closed.
class QuantaroApplication : public QApplication {
    Q_OBJECT

public:
    QuantaroApplication(int& argc, char** argv);

    // Opens the window on this conversion instead of the saved number and
    // rows, as if they had been typed and picked; it is saved at the end
    // like any run.
    void openWith(const quantaro::QueryConversion& query) { query_ = query; }

    // The whole run. Returns once the settings are written.
    void run();

    // The signal (SIGTERM, SIGINT, SIGHUP) that ended the run; 0 when the
    // window was closed from the desktop.
    int endingSignal() const { return endedBy; }

private:
    static ConverterState loadState();
    static void storeState(const ConverterState& state);
    static void storeUnwrittenState();
    static void closeThroughCancel(ConverterWindow& converter);

    int endedBy = 0;
    std::optional<quantaro::QueryConversion> query_;
};
