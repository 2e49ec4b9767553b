// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "app/CommandLine.h"

#include <QApplication>


class ConverterWindow;
struct ConverterState;

// The application object: registers the vendor, reads the saved state into
// the converter window, runs the window until it closes and writes the state
// back, however it closed.
class QuantaroApplication : public QApplication {
    Q_OBJECT

public:
    QuantaroApplication(int& argc, char** argv);

    // Opens the window on these rows and number instead of the saved ones,
    // as if they had been typed and picked; they are saved like any run's.
    // A result form given for the run is not saved: the saved form stays
    // as it was, unless the user chooses another in the window.
    void openWith(const WindowOpening& opening) { opening_ = opening; }

    // What the window opens with: the saved values, and over them what the
    // command line gave.
    static ConverterState openingState(const ConverterState& saved, const WindowOpening& opening);

    // The whole run. Returns once the settings are written.
    void run();

    // The signal (SIGTERM, SIGINT, SIGHUP) that ended the run; 0 when the
    // window was closed from the desktop.
    int endingSignal() const { return endedBy; }

private:
    static ConverterState loadState();
    static void storeUnwrittenState();
    static void closeThroughCancel(ConverterWindow& converter);

    int endedBy = 0;
    WindowOpening opening_;
};
