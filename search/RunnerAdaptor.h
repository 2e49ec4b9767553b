// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusArgument;
class SearchService;

// One match as the Plasma runner interface carries it: (sssida{sv}).
struct RunnerMatch {
    QString id;
    QString text;
    QString iconName;
    int type = 0;      // how the runner ranks the kind of match
    double relevance = 0;
    QVariantMap properties;
};
// One action offered on matches: (sss).
struct RunnerAction {
    QString id;
    QString text;
    QString iconName;
};
Q_DECLARE_METATYPE(RunnerMatch)
Q_DECLARE_METATYPE(RunnerAction)

QDBusArgument& operator<<(QDBusArgument& out, const RunnerMatch& match);
const QDBusArgument& operator>>(const QDBusArgument& in, RunnerMatch& match);
QDBusArgument& operator<<(QDBusArgument& out, const RunnerAction& action);
const QDBusArgument& operator>>(const QDBusArgument& in, RunnerAction& action);

// Makes the types above known to Qt D-Bus; before the object is registered.
void registerRunnerTypes();

// The Plasma runner interface at /runner.
class RunnerAdaptor : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.krunner1")

public:
    // Without a parent: it answers in another thread than the service's.
    explicit RunnerAdaptor(SearchService* service);

public slots:
    QList<RunnerAction> Actions();
    QList<RunnerMatch> Match(const QString& query);
    void Run(const QString& matchId, const QString& actionId);
    // The end of a match session: nothing is kept between queries.
    void Teardown();

private:
    SearchService* service_;
};
