// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/SearchService.h"

#include "search/RunnerAdaptor.h"
#include "search/ShellSearchAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QThread>
#include <QTextStream>

#include <cstdio>

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

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

SearchService::SearchService(QObject* parent)
    : QObject(parent)
    , idleTime_(idleTime())
{
    idle_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, this, &SearchService::checkIdle);
}

SearchService::~SearchService() { removeInterfaces(); }

// While the event loop runs: the thread that reads the bus ends with it.
void SearchService::removeInterfaces()
{
    for (QObject* object : std::as_const(interfaces_)) {
        bus_.unregisterObject(object->objectName());
        // Back in this thread to be deleted: the bus connection hears of
        // the deletion by a blocking call into its own thread.
        QThread* here = thread();
        QMetaObject::invokeMethod(object, [object, here] { object->moveToThread(here); }, Qt::BlockingQueuedConnection);
        delete object;
    }
    interfaces_.clear();
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
    // The objects first, so that a call arriving as soon as a name is taken
    // finds them. They answer in the thread that reads the bus (the thread of
    // the bus's own interface object): a call is then answered where it
    // arrives, as the bus library answers a Ping, without waking this thread.
    interfaces_ << new RunnerAdaptor(this) << new ShellSearchAdaptor(this);
    interfaces_[0]->setObjectName(QStringLiteral("/runner"));
    interfaces_[1]->setObjectName(QStringLiteral("/com/velkor/Quantaro/SearchProvider"));
    for (QObject* object : std::as_const(interfaces_)) {
        object->moveToThread(bus_.interface()->thread());
        if (!bus_.registerObject(object->objectName(), object, QDBusConnection::ExportAllSlots)) {
            std::fprintf(stderr, "quantaro-search-provider: could not register %s\n", qPrintable(object->objectName()));
            removeInterfaces();
            return false;
        }
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
        removeInterfaces();
        return false;
    }
    noteCall();
    idle_.start(idleTime_);
    return true;
}

void SearchService::noteCall() { lastCall_.store(Clock::now().time_since_epoch().count(), std::memory_order_relaxed); }

// The timer is not restarted by every call (calls come in another thread):
// when it runs out, it waits again for what is left since the last call.
void SearchService::checkIdle()
{
    const Clock::time_point last{Clock::duration(lastCall_.load(std::memory_order_relaxed))};
    const auto idleFor = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - last);
    if (idleFor < idleTime_)
        idle_.start(idleTime_ - idleFor);
    else
        endWhenIdle();
}

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
    QTimer::singleShot(kGraceMs, this, [this] {
        removeInterfaces();
        QCoreApplication::quit();
    });
}
