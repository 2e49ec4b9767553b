// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class SearchService;

// Makes the interface's list of maps (aa{sv}) known to Qt D-Bus; before the
// object is registered.
void registerShellSearchTypes();

// The GNOME Shell search provider interface at
// /com/velkor/Quantaro/SearchProvider. The shell splits what is typed into
// terms; they are read again as one query, joined by blanks.
class ShellSearchAdaptor : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.SearchProvider2")

public:
    // Without a parent: it answers in another thread than the service's.
    explicit ShellSearchAdaptor(SearchService* service);

public slots:
    QStringList GetInitialResultSet(const QStringList& terms);
    // Nothing is narrowed from the previous results: a longer query can name
    // other units altogether ("5 in" to "5 in to cm").
    QStringList GetSubsearchResultSet(const QStringList& previousResults, const QStringList& terms);
    QList<QVariantMap> GetResultMetas(const QStringList& identifiers);
    void ActivateResult(const QString& identifier, const QStringList& terms, uint timestamp);
    void LaunchSearch(const QStringList& terms, uint timestamp);

private:
    QStringList resultsFor(const QStringList& terms);

    SearchService* service_;
};
