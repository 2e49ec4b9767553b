// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/RemoteTypes.h"

#include <QDBusArgument>
#include <QDBusMetaType>

QDBusArgument& operator<<(QDBusArgument& out, const RemoteMatch& match)
{
    out.beginStructure();
    out << match.id << match.text << match.iconName << match.type << match.relevance << match.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, RemoteMatch& match)
{
    in.beginStructure();
    in >> match.id >> match.text >> match.iconName >> match.type >> match.relevance >> match.properties;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const RemoteAction& action)
{
    out.beginStructure();
    out << action.id << action.text << action.iconName;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, RemoteAction& action)
{
    in.beginStructure();
    in >> action.id >> action.text >> action.iconName;
    in.endStructure();
    return in;
}

void registerSearchTypes()
{
    qDBusRegisterMetaType<RemoteMatch>();
    qDBusRegisterMetaType<RemoteMatches>();
    qDBusRegisterMetaType<RemoteAction>();
    qDBusRegisterMetaType<RemoteActions>();
    qDBusRegisterMetaType<QList<QVariantMap>>();
}
