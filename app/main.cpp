// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/QuantaroApplication.h"
#include "app/TerminationSignals.h"

int main(int argc, char* argv[])
{
    int endingSignal = 0;
    {
        QuantaroApplication app(argc, argv);
        app.run();
        endingSignal = app.endingSignal();
    }
    // Saved and cleaned up; now end the way the sender asked.
    if (endingSignal != 0)
        TerminationSignals::endBy(endingSignal);
    return 0;
}
