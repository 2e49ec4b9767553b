// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the signals that ask the program to end (SIGTERM, SIGINT, SIGHUP)
// into a Qt signal on the thread that created this object, so that the
// converter can close through its cancel path and keep its state. The signal
// handler only writes the signal number into a pipe; everything else runs
// in the event loop.
//
// A signal that was ignored when the program started stays ignored. One
// object at a time. While it lives, a second delivery of the same signal
// gets the default action again, so a program that stopped reacting can
// still be ended. POSIX only, as the whole program.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Ends the process by the given signal with its default action, so that
    // whoever sent it sees the program end by it.
    [[noreturn]] static void endBy(int signalNumber);

signals:
    void received(int signalNumber);

private:
    void drain();

    int readFd = -1;
    int writeFd = -1;
    QSocketNotifier* notifier = nullptr;
};
