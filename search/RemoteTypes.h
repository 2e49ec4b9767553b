// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

class QDBusArgument;

// The Plasma runner interface's own types, under the names its XML gives them.

// One match: (sssida{sv}).
struct RemoteMatch {
    QString id;
    QString text;
    QString iconName;
    int type = 0; // how the runner ranks the kind of match
    double relevance = 0;
    QVariantMap properties;
};
using RemoteMatches = QList<RemoteMatch>;

// One action offered on matches: (sss).
struct RemoteAction {
    QString id;
    QString text;
    QString iconName;
};
using RemoteActions = QList<RemoteAction>;

Q_DECLARE_METATYPE(RemoteMatch)
Q_DECLARE_METATYPE(RemoteAction)

QDBusArgument& operator<<(QDBusArgument& out, const RemoteMatch& match);
const QDBusArgument& operator>>(const QDBusArgument& in, RemoteMatch& match);
QDBusArgument& operator<<(QDBusArgument& out, const RemoteAction& action);
const QDBusArgument& operator>>(const QDBusArgument& in, RemoteAction& action);

// Makes both interfaces' types known to Qt D-Bus; before the objects are registered.
void registerSearchTypes();
