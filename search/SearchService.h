// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "search/search_answers.h"

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <chrono>

// What both search interfaces share: the answers to a query, opening the
// window on one, and the end of the process after a spell without calls.
class SearchService : public QObject {
    Q_OBJECT

public:
    // The idle time is a minute, or QUANTARO_SEARCH_IDLE_MS milliseconds.
    explicit SearchService(QObject* parent = nullptr);
    ~SearchService() override;

    // Serves both objects and takes whichever bus names are free. False, with
    // the reason on standard error, when it could take none.
    bool start(QDBusConnection bus);

    // Every call keeps the service alive for another idle time. Safe from
    // any thread.
    void noteCall();

    // From here down, pure or safe from any thread: the interfaces' objects
    // answer in the bus connection's own thread.
    std::vector<quantaro::search::Answer> answers(const QString& query) const;

    // Starts the window program on this answer, or on its own for none.
    // False when it could not be started.
    bool openWindow(const quantaro::search::Answer* answer) const;

private:
    using Clock = std::chrono::steady_clock;

    void checkIdle();
    void removeInterfaces();
    void endWhenIdle();

    QDBusConnection bus_ = QDBusConnection(QString());
    QList<QObject*> interfaces_;
    QStringList ownedNames_;
    std::chrono::milliseconds idleTime_;
    std::atomic<Clock::rep> lastCall_ = 0;
    QTimer idle_;
};
