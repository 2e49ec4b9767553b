// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/ShellSearchProvider.h"

#include "search/SearchService.h"

#include <QDBusError>

ShellSearchProvider::ShellSearchProvider(SearchService* service)
    : QObject(service)
    , service_(service)
{
}

QStringList ShellSearchProvider::resultsFor(const QStringList& terms)
{
    service_->noteCall();
    service_->answers(terms.join(QLatin1Char(' ')));
    QStringList ids;
    ids.reserve(qsizetype(service_->answerIds().size()));
    for (const std::string& id : service_->answerIds())
        ids << qStringOf(id);
    return ids;
}

QStringList ShellSearchProvider::GetInitialResultSet(const QStringList& terms) { return resultsFor(terms); }

QStringList ShellSearchProvider::GetSubsearchResultSet(const QStringList& previousResults, const QStringList& terms)
{
    Q_UNUSED(previousResults)
    return resultsFor(terms);
}

QList<QVariantMap> ShellSearchProvider::GetResultMetas(const QStringList& identifiers)
{
    service_->noteCall();
    if (identifiers.size() > kMetasLimit) {
        service_->trimSoon();
        sendErrorReply(QDBusError::LimitsExceeded,
                       QStringLiteral("at most %1 identifiers per call, not %2").arg(kMetasLimit).arg(identifiers.size()));
        return {};
    }
    QList<QVariantMap> metas;
    for (const QString& identifier : identifiers) {
        // Only what a recent search showed: an identifier this service did
        // not give out for one of the last queries has no meta, and the
        // shell shows the others.
        const quantaro::search::Answer* answer = service_->keptAnswer(identifier);
        if (!answer)
            continue;
        metas << QVariantMap{
            {QStringLiteral("id"), identifier},
            {QStringLiteral("name"), qStringOf(answer->text)},
            {QStringLiteral("description"), qStringOf(answer->info)},
            {QStringLiteral("gicon"), QStringLiteral("com.velkor.Quantaro")},
            {QStringLiteral("clipboardText"), qStringOf(answer->result)},
        };
    }
    return metas;
}

void ShellSearchProvider::ActivateResult(const QString& identifier, const QStringList& terms, uint timestamp)
{
    service_->noteCall();
    Q_UNUSED(terms)
    // A result of a query the service no longer keeps (it was started again
    // in between) still opens on the rows and number its identifier holds.
    std::optional<quantaro::search::Answer> rebuilt;
    const quantaro::search::Answer* answer = service_->keptAnswer(identifier);
    if (!answer) {
        const QByteArray id = identifier.toUtf8();
        rebuilt = quantaro::search::answerForId(std::string_view(id.constData(), std::size_t(id.size())));
        answer = rebuilt ? &*rebuilt : nullptr;
    }
    if (!answer) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("no such result: ") + identifier);
        return;
    }
    if (!service_->openWindow(answer, Activation{{}, timestamp}))
        sendErrorReply(QDBusError::Failed, QStringLiteral("the window program could not be started"));
}

void ShellSearchProvider::LaunchSearch(const QStringList& terms, uint timestamp)
{
    service_->noteCall();
    // The best answer, or the window as it last was when the query has none.
    const auto& answers = service_->answers(terms.join(QLatin1Char(' ')));
    if (!service_->openWindow(answers.empty() ? nullptr : &answers.front(), Activation{{}, timestamp}))
        sendErrorReply(QDBusError::Failed, QStringLiteral("the window program could not be started"));
}
