// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/SearchService.h"

#include "search/RunnerAdaptor.h"
#include "search/ShellSearchAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kDefaultIdleMs = 60 * 1000;
// Calls the bus had already passed to this process when it gave up its names
// are still answered in this time; later ones start a new process.
constexpr int kGraceMs = 500;

int idleTime()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("QUANTARO_SEARCH_IDLE_MS", &ok);
    return ok && ms > 0 ? ms : kDefaultIdleMs;
}

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

SearchService::SearchService(QObject* parent)
    : QObject(parent)
{
    idle_.setSingleShot(true);
    idle_.setInterval(idleTime());
    connect(&idle_, &QTimer::timeout, this, &SearchService::endWhenIdle);
}

bool SearchService::start(QDBusConnection bus)
{
    bus_ = bus;
    if (!bus_.isConnected()) {
        std::fprintf(stderr, "quantaro-search-provider: no session bus: %s\n",
                     qPrintable(bus_.lastError().message()));
        return false;
    }
    registerRunnerTypes();
    registerShellSearchTypes();
    // The objects first, so that a call arriving as soon as a name is taken finds them.
    auto* runner = new RunnerAdaptor(this);
    auto* provider = new ShellSearchAdaptor(this);
    const auto exported = QDBusConnection::ExportAllSlots;
    if (!bus_.registerObject(QStringLiteral("/runner"), runner, exported)
        || !bus_.registerObject(QStringLiteral("/com/velkor/Quantaro/SearchProvider"), provider, exported)) {
        std::fprintf(stderr, "quantaro-search-provider: could not register its objects\n");
        return false;
    }
    // Another process may hold one name (both started at once): serve the other.
    for (const QString& name : {QStringLiteral("com.velkor.Quantaro.Runner"),
                               QStringLiteral("com.velkor.Quantaro.SearchProvider")}) {
        const auto reply = bus_.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                                             QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
            ownedNames_ << name;
    }
    if (ownedNames_.isEmpty()) {
        std::fprintf(stderr, "quantaro-search-provider: both bus names are taken\n");
        return false;
    }
    idle_.start();
    return true;
}

void SearchService::noteCall() { idle_.start(); }

std::vector<quantaro::search::Answer> SearchService::answers(const QString& query) const
{
    const QByteArray utf8 = query.toUtf8();
    return quantaro::search::answersFor(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

bool SearchService::openWindow(const quantaro::search::Answer* answer) const
{
    QString program = qEnvironmentVariable("QUANTARO_WINDOW_PROGRAM");
    if (program.isEmpty())
        program = QStringLiteral(QUANTARO_WINDOW_PROGRAM);
    QStringList arguments;
    if (answer)
        for (const std::string& argument : quantaro::search::windowArguments(*answer))
            arguments << fromUtf8(argument);
    // Detached: the window outlives the service, which ends when idle.
    return QProcess::startDetached(program, arguments);
}

void SearchService::endWhenIdle()
{
    for (const QString& name : std::as_const(ownedNames_))
        bus_.interface()->unregisterService(name);
    ownedNames_.clear();
    QTimer::singleShot(kGraceMs, qApp, &QCoreApplication::quit);
}
