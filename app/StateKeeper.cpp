// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "app/StateKeeper.h"

#include <QCoreApplication>
#include <QSettings>

#include <cstdio>
#include <memory>

StateKeeper::StateKeeper(StateSource current, QString fileName, QObject* parent)
    : QObject(parent)
    , current_(std::move(current))
    , fileName_(std::move(fileName))
    , program_(QCoreApplication::applicationName().toLocal8Bit())
{
    delay_.setSingleShot(true);
    connect(&delay_, &QTimer::timeout, this, &StateKeeper::writeDue);
    writer_ = new QObject;
    writer_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, writer_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("settings writer"));
    thread_.start(QThread::LowPriority);
}

StateKeeper::~StateKeeper() { stop(); }

void StateKeeper::changed()
{
    due_ = true;
    // Not restarted by later changes: typing without a pause still gets a
    // write every second.
    // A retry after a failed write waits longer; a change brings it forward.
    if (!writing_ && (!delay_.isActive() || delay_.remainingTime() > kDelayMs))
        delay_.start(kDelayMs);
}

void StateKeeper::writeDue()
{
    if (writing_ || !thread_.isRunning())
        return;
    const ConverterState state = current_();
    due_ = false;
    if (anyStored_ && state == lastStored_)
        return;
    writing_ = true;
    QMetaObject::invokeMethod(writer_, [this, state] {
        const bool stored = store(state);
        QMetaObject::invokeMethod(this, [this, stored, state] { finished(stored, state); }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

void StateKeeper::finished(bool stored, const ConverterState& state)
{
    writing_ = false;
    if (stored) {
        lastStored_ = state;
        anyStored_ = true;
    } else {
        due_ = true;
    }
    if (due_ && !delay_.isActive())
        delay_.start(stored ? kDelayMs : kRetryMs);
    emit written(stored);
}

bool StateKeeper::writeNow(const ConverterState& state)
{
    bool stored = false;
    // Behind any write the thread has queued, so that nothing older follows.
    if (thread_.isRunning() && QThread::currentThread() != &thread_)
        QMetaObject::invokeMethod(writer_, [&] { stored = store(state); }, Qt::BlockingQueuedConnection);
    else
        stored = store(state);
    if (stored) {
        lastStored_ = state;
        anyStored_ = true;
    }
    return stored;
}

void StateKeeper::stop()
{
    delay_.stop();
    thread_.quit();
    thread_.wait();
}

// Runs on either thread, never on both at once.
bool StateKeeper::store(const ConverterState& state)
{
    const auto settingsStore = fileName_.isEmpty() ? std::make_unique<QSettings>()
                                                   : std::make_unique<QSettings>(fileName_, QSettings::IniFormat);
    QSettings& settings = *settingsStore;
    // Only the user's own values: no organisation-wide or system-wide file
    // stands in for a missing one.
    settings.setFallbacksEnabled(false);
    if (writeSettings(settings, state)) {
        failureReported_ = false;
        return true;
    }
    if (!failureReported_.exchange(true)) {
        const QByteArray line = program_ + ": could not save the settings to " + settings.fileName().toLocal8Bit()
            + "; the window position, the input and the selections stay unsaved until a later write succeeds\n";
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
    }
    return false;
}
