// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/Runner.h"

#include "search/SearchService.h"

#include <QDBusError>

namespace {

// The runner's kinds of match: an exact one, and a possible one (a name
// only begun) that Plasma shows below exact ones of other runners.
constexpr int kExactMatch = 100;
constexpr int kPossibleMatch = 30;

} // namespace

Runner::Runner(SearchService* service)
    : QObject(service)
    , service_(service)
{
}

RemoteActions Runner::Actions()
{
    service_->noteCall();
    // Choosing a match is the one thing to do with it: it opens the window.
    return {};
}

RemoteMatches Runner::Match(const QString& query)
{
    service_->noteCall();
    RemoteMatches matches;
    const auto& answers = service_->answers(query);
    // Written once with the answers, not again for every call.
    const auto& ids = service_->answerIds();
    matches.reserve(qsizetype(answers.size()));
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const quantaro::search::Answer& answer = answers[i];
        RemoteMatch match;
        match.id = qStringOf(ids[i]);
        match.text = qStringOf(answer.text);
        match.iconName = QStringLiteral("com.velkor.Quantaro");
        // Whole names give 1, their Mixed answer a little less: both exact
        // matches, so that the Mixed one follows its plain one.
        match.type = answer.relevance >= quantaro::search::kMixedRelevance ? kExactMatch : kPossibleMatch;
        match.relevance = answer.relevance;
        match.properties.insert(QStringLiteral("subtext"), qStringOf(answer.info));
        match.properties.insert(QStringLiteral("actions"), QStringList());
        matches.append(std::move(match));
    }
    return matches;
}

void Runner::Run(const QString& matchId, const QString& actionId)
{
    service_->noteCall();
    Q_UNUSED(actionId)
    const Activation activation{std::exchange(activationToken_, QString()), 0};
    // A match of a query the service no longer keeps (it was started again
    // in between) still opens on the rows and number its identifier holds.
    std::optional<quantaro::search::Answer> rebuilt;
    const quantaro::search::Answer* answer = service_->keptAnswer(matchId);
    if (!answer) {
        const QByteArray id = matchId.toUtf8();
        rebuilt = quantaro::search::answerForId(std::string_view(id.constData(), std::size_t(id.size())));
        answer = rebuilt ? &*rebuilt : nullptr;
    }
    if (!answer) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("no such match: ") + matchId);
        return;
    }
    if (!service_->openWindow(answer, activation))
        sendErrorReply(QDBusError::Failed, QStringLiteral("the window program could not be started"));
}

void Runner::SetActivationToken(const QString& token)
{
    service_->noteCall();
    activationToken_ = token;
}

void Runner::Teardown() { service_->noteCall(); }
