// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "search/RemoteTypes.h"

#include <QDBusContext>
#include <QObject>

class SearchService;

// What the Plasma runner interface at /runner does; the adaptor generated
// from org.kde.krunner1.xml calls these.
class Runner : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    explicit Runner(SearchService* service);

public slots:
    RemoteActions Actions();
    RemoteMatches Match(const QString& query);
    void Run(const QString& matchId, const QString& actionId);
    // Plasma 6 calls it before Run: the token goes to the window Run starts.
    void SetActivationToken(const QString& token);
    // The end of a match session: the kept answers stay for the next one.
    void Teardown();

private:
    SearchService* service_;
    QString activationToken_;
};
