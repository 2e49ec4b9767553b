// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class SearchService;

// What the GNOME Shell search provider interface at
// /com/velkor/Quantaro/SearchProvider does; the adaptor generated from
// org.gnome.Shell.SearchProvider2.xml calls these. The shell splits what is
// typed into terms; they are read again as one query, joined by blanks.
class ShellSearchProvider : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    explicit ShellSearchProvider(SearchService* service);

    // The most identifiers one GetResultMetas call may ask about; the shell
    // asks for the few it shows.
    static constexpr qsizetype kMetasLimit = 100;

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
