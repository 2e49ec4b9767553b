// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "search/search_answers.h"

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <string>
#include <vector>

// An answer's UTF-8 text as the bus carries it.
inline QString qStringOf(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// What lets the window a chosen answer opens come to the front: the desktop
// passes one or the other.
struct Activation {
    QString token;      // an XDG activation token (Plasma 6, SetActivationToken)
    uint timestamp = 0; // the time of the choice (GNOME Shell); 0: none
};

// What both search interfaces share: the answers to a query, opening the
// window on one, and the end of the process after a spell without calls.
// Everything runs in the main thread: the interfaces' objects are its
// children, each with the adaptor generated from its interface's XML.
class SearchService : public QObject {
    Q_OBJECT

public:
    // The idle time is a minute, or QUANTARO_SEARCH_IDLE_MS milliseconds.
    explicit SearchService(QObject* parent = nullptr);
    ~SearchService() override;

    // Serves both objects and takes whichever bus names are free. False, with
    // the reason on standard error, when it could take none.
    bool start(QDBusConnection bus);

    // Every call keeps the service alive for another idle time.
    void noteCall();

    // The answers to a query, worked out once while it is among the last
    // few; valid until the next call.
    const std::vector<quantaro::search::Answer>& answers(const QString& query);
    // The identifiers of the answers the last answers() gave, in their order:
    // written once, when the query was worked out.
    const std::vector<std::string>& answerIds() const { return cache_.lastIds(); }
    // An answer given out for one of the last few queries, by its identifier.
    const quantaro::search::Answer* keptAnswer(const QString& id) const;

    // Starts the window program on this answer's rows and number, or on its
    // own for none. False when it could not be started.
    bool openWindow(const quantaro::search::Answer* answer, const Activation& activation) const;

    // Hands the memory of a large call back to the system once the call is over.
    void trimSoon();

private:
    using Clock = std::chrono::steady_clock;

    void checkIdle();
    void endWhenIdle();

    QDBusConnection bus_ = QDBusConnection(QString());
    QStringList paths_;
    QStringList ownedNames_;
    std::chrono::milliseconds idleTime_;
    Clock::time_point lastCall_;
    QTimer idle_;
    quantaro::search::AnswerCache cache_;
};
