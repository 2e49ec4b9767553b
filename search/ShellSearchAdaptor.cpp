// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/ShellSearchAdaptor.h"

#include "search/SearchService.h"

#include <QDBusError>
#include <QDBusMetaType>

namespace {

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

std::optional<quantaro::search::Answer> answerForId(const QString& identifier)
{
    const QByteArray id = identifier.toUtf8();
    return quantaro::search::answerForId(std::string_view(id.constData(), std::size_t(id.size())));
}

} // namespace

void registerShellSearchTypes() { qDBusRegisterMetaType<QList<QVariantMap>>(); }

ShellSearchAdaptor::ShellSearchAdaptor(SearchService* service)
    : service_(service)
{
}

QStringList ShellSearchAdaptor::resultsFor(const QStringList& terms)
{
    service_->noteCall();
    QStringList ids;
    for (const auto& answer : service_->answers(terms.join(QLatin1Char(' '))))
        ids << fromUtf8(quantaro::search::answerId(answer));
    return ids;
}

QStringList ShellSearchAdaptor::GetInitialResultSet(const QStringList& terms) { return resultsFor(terms); }

QStringList ShellSearchAdaptor::GetSubsearchResultSet(const QStringList& previousResults, const QStringList& terms)
{
    Q_UNUSED(previousResults)
    return resultsFor(terms);
}

QList<QVariantMap> ShellSearchAdaptor::GetResultMetas(const QStringList& identifiers)
{
    service_->noteCall();
    QList<QVariantMap> metas;
    for (const QString& identifier : identifiers) {
        // An identifier this service never gave out has no meta; the shell
        // shows the others.
        const auto answer = answerForId(identifier);
        if (!answer)
            continue;
        metas << QVariantMap{
            {QStringLiteral("id"), identifier},
            {QStringLiteral("name"), fromUtf8(answer->text)},
            {QStringLiteral("description"), fromUtf8(answer->info)},
            {QStringLiteral("gicon"), QStringLiteral("com.velkor.Quantaro")},
            {QStringLiteral("clipboardText"), fromUtf8(answer->result)},
        };
    }
    return metas;
}

void ShellSearchAdaptor::ActivateResult(const QString& identifier, const QStringList& terms, uint timestamp)
{
    service_->noteCall();
    Q_UNUSED(terms)
    Q_UNUSED(timestamp)
    const auto answer = answerForId(identifier);
    if (!answer) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("no such result: ") + identifier);
        return;
    }
    if (!service_->openWindow(&*answer))
        sendErrorReply(QDBusError::Failed, QStringLiteral("the window program could not be started"));
}

void ShellSearchAdaptor::LaunchSearch(const QStringList& terms, uint timestamp)
{
    Q_UNUSED(timestamp)
    // The best answer, or the window as it last was when the query has none.
    const auto answers = service_->answers(terms.join(QLatin1Char(' ')));
    service_->noteCall();
    if (!service_->openWindow(answers.empty() ? nullptr : &answers.front()))
        sendErrorReply(QDBusError::Failed, QStringLiteral("the window program could not be started"));
}
