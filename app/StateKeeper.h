// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "app/Settings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>

// Keeps the settings file up to date while the window is open, so that a run
// ended by anything (kill -9, a crash, a lost compositor, a power cut) loses
// at most the last second.
//
// A change starts a one-second delay, which later changes do not extend; when
// it runs out, the state as it is then is handed to a thread of its own, which
// writes it through the settings library. Typing never waits on the disk: a
// keystroke costs a check of a timer. The settings library replaces the whole
// file through a temporary file and a rename, under a lock file (Qt 6.4:
// QSettings::sync() takes "<file>.lock" with QLockFile, reads the file again,
// merges in this process's values and writes through QSaveFile; seen with
// strace: O_TMPFILE in the folder, fdatasync, linkat to "quantaro.conf.XXXXXX",
// rename over "quantaro.conf", unlink of the lock), so the file is always the
// old or the new whole file, and two windows on one file each leave it whole
// with the last writer's values. A failed write keeps the state for the next
// one (the next change, or a retry five seconds on) and is reported on
// standard error once, until a write succeeds again.
class StateKeeper : public QObject {
    Q_OBJECT

public:
    using StateSource = std::function<ConverterState()>;

    static constexpr int kDelayMs = 1000;
    static constexpr int kRetryMs = 5000;

    // `current` gives the state to write; it is called on this object's
    // thread. The file is the application's own settings file unless one is
    // named.
    explicit StateKeeper(StateSource current, QString fileName = {}, QObject* parent = nullptr);
    ~StateKeeper() override;

    // Something the state holds has changed.
    void changed();

    // Writes `state` now, after any write under way, and returns whether it
    // was stored. Waits for the disk: for the end of a run and a session's
    // save, not for typing.
    bool writeNow(const ConverterState& state);

    // Ends the writing thread once its write under way is done; nothing is
    // written as it goes afterwards (writeNow still works). Safe to call
    // from an exit handler.
    void stop();

signals:
    // A write as it goes has ended; `stored` says whether it reached the disk.
    void written(bool stored);

private:
    void writeDue();
    void finished(bool stored, const ConverterState& state);
    bool store(const ConverterState& state);

    StateSource current_;
    QString fileName_;
    QTimer delay_;
    QThread thread_;
    QObject* writer_ = nullptr; // lives on thread_
    QByteArray program_;
    ConverterState lastStored_;
    bool anyStored_ = false;
    bool writing_ = false;
    bool due_ = false;
    std::atomic<bool> failureReported_ = false;
};
