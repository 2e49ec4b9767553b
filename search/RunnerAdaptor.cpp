// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/RunnerAdaptor.h"

#include "search/SearchService.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMetaType>

namespace {

// The runner's kinds of match: an exact one, and a possible one (a name
// only begun) that Plasma shows below exact ones of other runners.
constexpr int kExactMatch = 100;
constexpr int kPossibleMatch = 30;

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

QDBusArgument& operator<<(QDBusArgument& out, const RunnerMatch& match)
{
    out.beginStructure();
    out << match.id << match.text << match.iconName << match.type << match.relevance << match.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, RunnerMatch& match)
{
    in.beginStructure();
    in >> match.id >> match.text >> match.iconName >> match.type >> match.relevance >> match.properties;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const RunnerAction& action)
{
    out.beginStructure();
    out << action.id << action.text << action.iconName;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, RunnerAction& action)
{
    in.beginStructure();
    in >> action.id >> action.text >> action.iconName;
    in.endStructure();
    return in;
}

void registerRunnerTypes()
{
    qDBusRegisterMetaType<RunnerMatch>();
    qDBusRegisterMetaType<QList<RunnerMatch>>();
    qDBusRegisterMetaType<RunnerAction>();
    qDBusRegisterMetaType<QList<RunnerAction>>();
}

RunnerAdaptor::RunnerAdaptor(SearchService* service)
    : service_(service)
{
}

QList<RunnerAction> RunnerAdaptor::Actions()
{
    service_->noteCall();
    // Choosing a match is the one thing to do with it: it opens the window.
    return {};
}

QList<RunnerMatch> RunnerAdaptor::Match(const QString& query)
{
    service_->noteCall();
    QList<RunnerMatch> matches;
    for (const auto& answer : service_->answers(query)) {
        RunnerMatch match;
        match.id = fromUtf8(quantaro::search::answerId(answer));
        match.text = fromUtf8(answer.text);
        match.iconName = QStringLiteral("com.velkor.Quantaro");
        match.type = answer.relevance >= 1 ? kExactMatch : kPossibleMatch;
        match.relevance = answer.relevance;
        match.properties.insert(QStringLiteral("subtext"), fromUtf8(answer.info));
        match.properties.insert(QStringLiteral("actions"), QStringList());
        matches << match;
    }
    return matches;
}

void RunnerAdaptor::Run(const QString& matchId, const QString& actionId)
{
    service_->noteCall();
    Q_UNUSED(actionId)
    const QByteArray id = matchId.toUtf8();
    const auto answer = quantaro::search::answerForId(std::string_view(id.constData(), std::size_t(id.size())));
    if (!answer) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("no such match: ") + matchId);
        return;
    }
    if (!service_->openWindow(&*answer))
        sendErrorReply(QDBusError::Failed, QStringLiteral("the window program could not be started"));
}

void RunnerAdaptor::Teardown() { service_->noteCall(); }
