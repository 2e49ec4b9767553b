// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// One search as the desktop makes it, from the client's call to its reply
// over the session bus, against org.freedesktop.DBus.Peer.Ping of the same
// service in the same run. bench/search/run-search-bench starts the bus.
//
//   search_bench searches ROUNDS   rounds of Ping, Match("N in to cm"), and
//                                  GetInitialResultSet(N in to mm) then
//                                  GetResultMetas, in turn (a query of its
//                                  own: the Match's would find the answers
//                                  kept); prints the median of each in µs:
//                                  "PING MATCH SHELL KEPT". N changes every
//                                  round, as a query does with every key
//                                  typed, so no round finds the answers the
//                                  service keeps for its last queries; KEPT
//                                  is Match("5 in to cm") every round, which
//                                  the service answers from those it keeps:
//                                  the cost of the call without the reading.
//   search_bench first RUNS        each run waits until the service has
//                                  ended, then times the Match that starts
//                                  it again; prints the median in ms
//   search_bench calls KIND COUNT  COUNT calls of one kind, untimed, for a
//                                  count of the service's instructions:
//                                  ping, match (N new each call), kept, or
//                                  shell (the pair of calls, N in to mm)
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const QString kRunner = QStringLiteral("com.velkor.Quantaro.Runner");
const QString kProvider = QStringLiteral("com.velkor.Quantaro.SearchProvider");
const QString kProviderPath = QStringLiteral("/com/velkor/Quantaro/SearchProvider");
const QString kProviderInterface = QStringLiteral("org.gnome.Shell.SearchProvider2");

QDBusMessage message(const QString& service, const QString& path, const QString& interface, const QString& method,
                     const QVariantList& arguments = {})
{
    QDBusMessage m = QDBusMessage::createMethodCall(service, path, interface, method);
    m.setArguments(arguments);
    return m;
}

// Calls and returns the time to the reply in microseconds; exits on an error.
double timed(const QDBusMessage& call, QDBusMessage* reply = nullptr)
{
    const auto start = Clock::now();
    const QDBusMessage answer = QDBusConnection::sessionBus().call(call);
    const auto end = Clock::now();
    if (answer.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "search_bench: %s: %s\n", qPrintable(call.member()), qPrintable(answer.errorMessage()));
        std::exit(1);
    }
    if (reply)
        *reply = answer;
    return std::chrono::duration<double, std::micro>(end - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int searches(int rounds)
{
    const QDBusMessage ping = message(kRunner, QStringLiteral("/runner"), QStringLiteral("org.freedesktop.DBus.Peer"),
                                      QStringLiteral("Ping"));
    const QDBusMessage kept = message(kRunner, QStringLiteral("/runner"), QStringLiteral("org.kde.krunner1"),
                                      QStringLiteral("Match"), {QStringLiteral("5 in to cm")});
    std::vector<double> pings, matches, shell, keptMatches;
    const int warmUp = rounds / 10;
    for (int i = 0; i < warmUp + rounds; ++i) {
        QDBusMessage ids;
        const QString number = QString::number(i % 1000 + 1);
        const QDBusMessage match = message(kRunner, QStringLiteral("/runner"), QStringLiteral("org.kde.krunner1"),
                                           QStringLiteral("Match"), {number + QStringLiteral(" in to cm")});
        const QDBusMessage initial = message(kProvider, kProviderPath, kProviderInterface,
                                             QStringLiteral("GetInitialResultSet"),
                                             {QStringList{number, QStringLiteral("in"), QStringLiteral("to"),
                                                          QStringLiteral("mm")}});
        const double p = timed(ping);
        const double m = timed(match);
        const double k = timed(kept);
        const double s = timed(initial, &ids)
                         + timed(message(kProvider, kProviderPath, kProviderInterface, QStringLiteral("GetResultMetas"),
                                         {ids.arguments().value(0)}));
        if (i < warmUp)
            continue;
        pings.push_back(p);
        matches.push_back(m);
        shell.push_back(s);
        keptMatches.push_back(k);
    }
    std::printf("%.1f %.1f %.1f %.1f\n", median(pings), median(matches), median(shell), median(keptMatches));
    return 0;
}

// Exits on an error, as timed does.
void call(const QDBusMessage& message, QDBusMessage* reply = nullptr) { timed(message, reply); }

int calls(const QString& kind, int count)
{
    for (int i = 0; i < count; ++i) {
        const QString number = QString::number(i % 1000 + 1);
        if (kind == QLatin1String("ping"))
            call(message(kRunner, QStringLiteral("/runner"), QStringLiteral("org.freedesktop.DBus.Peer"),
                         QStringLiteral("Ping")));
        else if (kind == QLatin1String("match"))
            call(message(kRunner, QStringLiteral("/runner"), QStringLiteral("org.kde.krunner1"), QStringLiteral("Match"),
                         {number + QStringLiteral(" in to cm")}));
        else if (kind == QLatin1String("kept"))
            call(message(kRunner, QStringLiteral("/runner"), QStringLiteral("org.kde.krunner1"), QStringLiteral("Match"),
                         {QStringLiteral("5 in to cm")}));
        else if (kind == QLatin1String("shell")) {
            QDBusMessage ids;
            call(message(kProvider, kProviderPath, kProviderInterface, QStringLiteral("GetInitialResultSet"),
                         {QStringList{number, QStringLiteral("in"), QStringLiteral("to"), QStringLiteral("mm")}}),
                 &ids);
            call(message(kProvider, kProviderPath, kProviderInterface, QStringLiteral("GetResultMetas"),
                         {ids.arguments().value(0)}));
        } else {
            std::fprintf(stderr, "search_bench: no such kind of call: %s\n", qPrintable(kind));
            return 2;
        }
    }
    return 0;
}

int first(int runs)
{
    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    const QDBusMessage match = message(kRunner, QStringLiteral("/runner"), QStringLiteral("org.kde.krunner1"),
                                       QStringLiteral("Match"), {QStringLiteral("5 in to cm")});
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        while (bus->isServiceRegistered(kRunner).value() || bus->isServiceRegistered(kProvider).value())
            QThread::msleep(20);
        // Its process gone too, not only its names.
        QThread::msleep(600);
        times.push_back(timed(match) / 1000);
    }
    std::printf("%.2f\n", median(times));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int count = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    if (count > 0 && mode == QLatin1String("searches"))
        return searches(count);
    if (count > 0 && mode == QLatin1String("first"))
        return first(count);
    const int callCount = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 0;
    if (callCount > 0 && mode == QLatin1String("calls"))
        return calls(QString::fromLocal8Bit(argv[2]), callCount);
    std::fprintf(stderr, "usage: search_bench searches ROUNDS | first RUNS | calls ping|match|kept|shell COUNT\n");
    return 2;
}
