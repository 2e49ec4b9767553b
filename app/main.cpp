// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/CommandLine.h"
#include "app/QuantaroApplication.h"
#include "app/TerminationSignals.h"
#include "ui/platform.h"

#include <QtGlobal>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler toolkitHandler = nullptr;

// The display was reachable a moment ago, yet the toolkit could not open it
// (the server refused us, or went away): say so in our words rather than let
// the toolkit abort.
void noDisplayInsteadOfAbort(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin"))) {
        std::fwrite(kNoDisplay.data(), 1, kNoDisplay.size(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (toolkitHandler)
        toolkitHandler(type, context, message);
}

int write(std::FILE* stream, const WindowCommandLine& line)
{
    const bool written = std::fwrite(line.text.data(), 1, line.text.size(), stream) == line.text.size();
    return std::fflush(stream) == 0 && written ? line.status : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // A write to a closed pipe or to a display that no longer reads must end
    // the program with its message and status (and the toolkit's exit with
    // the state saved), not kill it silently: the toolkit writes to the X
    // server without guarding against SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);

    const WindowCommandLine line = readWindowCommandLine({argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0)});
    switch (line.action) {
    case WindowCommandLine::Action::Print: return write(stdout, line);
    case WindowCommandLine::Action::Refuse: return write(stderr, line);
    case WindowCommandLine::Action::OpenWindow: break;
    }
    if (!displayReachable(line.platform)) {
        std::fwrite(kNoDisplay.data(), 1, kNoDisplay.size(), stderr);
        return 1;
    }

    int endingSignal = 0;
    {
        toolkitHandler = qInstallMessageHandler(noDisplayInsteadOfAbort);
        QuantaroApplication app(argc, argv);
        qInstallMessageHandler(toolkitHandler);
        app.openWith(line.opening);
        app.run();
        endingSignal = app.endingSignal();
        // Everything is written; what is left is the toolkit's teardown,
        // which can hang for good on Wayland and keep the program running
        // with no window. End past it there.
        if (quantaro::teardownCanHang()) {
            if (endingSignal != 0)
                TerminationSignals::endBy(endingSignal);
            std::fflush(nullptr);
            std::_Exit(0);
        }
    }
    // Saved and cleaned up; now end the way the sender asked.
    if (endingSignal != 0)
        TerminationSignals::endBy(endingSignal);
    return 0;
}
