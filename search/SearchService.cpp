// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/SearchService.h"

#include "options/locale_environment.h"
#include "search/Runner.h"
#include "search/ShellSearchProvider.h"
#include "runneradaptor.h"
#include "shellsearchprovideradaptor.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QProcessEnvironment>

#include <cstdio>

#include <malloc.h>

namespace {

constexpr int kDefaultIdleMs = 60 * 1000;
// Calls the bus had already passed to this process when it gave up its names
// are still answered in this time; later ones start a new process.
constexpr int kGraceMs = 500;

std::chrono::milliseconds idleTime()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("QUANTARO_SEARCH_IDLE_MS", &ok);
    return std::chrono::milliseconds(ok && ms > 0 ? ms : kDefaultIdleMs);
}

} // namespace

SearchService::SearchService(QObject* parent)
    : QObject(parent)
    , idleTime_(idleTime())
    , cache_(quantaro::options::queryContextFromEnvironment())
{
    idle_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, this, &SearchService::checkIdle);
}

SearchService::~SearchService()
{
    for (const QString& path : std::as_const(paths_))
        bus_.unregisterObject(path);
}

bool SearchService::start(QDBusConnection bus)
{
    bus_ = bus;
    if (!bus_.isConnected()) {
        std::fprintf(stderr, "quantaro-search-provider: no session bus: %s\n",
                     qPrintable(bus_.lastError().message()));
        return false;
    }
    registerSearchTypes();
    // The objects first, so that a call arriving as soon as a name is taken
    // finds them. Each serves only its own interface, through its adaptor.
    auto* runner = new Runner(this);
    new RunnerAdaptor(runner);
    auto* provider = new ShellSearchProvider(this);
    new ShellSearchProviderAdaptor(provider);
    for (const auto& [path, object] : {std::pair<QString, QObject*>{QStringLiteral("/runner"), runner},
                                       {QStringLiteral("/com/velkor/Quantaro/SearchProvider"), provider}}) {
        if (!bus_.registerObject(path, object, QDBusConnection::ExportAdaptors)) {
            std::fprintf(stderr, "quantaro-search-provider: could not register %s\n", qPrintable(path));
            return false;
        }
        paths_ << path;
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
    noteCall();
    idle_.start(idleTime_);
    return true;
}

// Cheaper than restarting the timer on every call: when it runs out, it
// waits again for what is left since the last call.
void SearchService::noteCall() { lastCall_ = Clock::now(); }

void SearchService::checkIdle()
{
    const auto idleFor = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lastCall_);
    if (idleFor < idleTime_)
        idle_.start(idleTime_ - idleFor);
    else
        endWhenIdle();
}

const std::vector<quantaro::search::Answer>& SearchService::answers(const QString& query)
{
    const QByteArray utf8 = query.toUtf8();
    return cache_.answersFor(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

const quantaro::search::Answer* SearchService::keptAnswer(const QString& id) const
{
    const QByteArray utf8 = id.toUtf8();
    return cache_.find(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

bool SearchService::openWindow(const quantaro::search::Answer* answer, const Activation& activation) const
{
    QString program = qEnvironmentVariable("QUANTARO_WINDOW_PROGRAM");
    if (program.isEmpty())
        program = QStringLiteral(QUANTARO_WINDOW_PROGRAM);
    QStringList arguments;
    if (answer)
        for (const std::string& argument : quantaro::search::windowArguments(*answer))
            arguments << qStringOf(argument);
    // The window comes to the front by what the desktop passed for this
    // choice, never by what this service was itself started with. Qt reads
    // XDG_ACTIVATION_TOKEN on Wayland and DESKTOP_STARTUP_ID on X11.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    environment.remove(QStringLiteral("DESKTOP_STARTUP_ID"));
    if (!activation.token.isEmpty()) {
        environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), activation.token);
        if (!environment.contains(QStringLiteral("WAYLAND_DISPLAY")))
            environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), activation.token);
    } else if (activation.timestamp != 0) {
        // A startup notification identifier carries the time after "_TIME".
        static int launches = 0;
        environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"),
                           QStringLiteral("quantaro-search-%1-%2_TIME%3")
                               .arg(QCoreApplication::applicationPid())
                               .arg(++launches)
                               .arg(activation.timestamp));
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(environment);
    // Detached: the window outlives the service, which ends when idle.
    return process.startDetached();
}

void SearchService::trimSoon()
{
    // After the call's own arguments are freed and its reply has gone, in
    // whichever thread's arena the bus library read it.
    QTimer::singleShot(100, this, [] { malloc_trim(0); });
}

void SearchService::endWhenIdle()
{
    for (const QString& name : std::as_const(ownedNames_))
        bus_.interface()->unregisterService(name);
    ownedNames_.clear();
    QTimer::singleShot(kGraceMs, this, [] { QCoreApplication::quit(); });
}
