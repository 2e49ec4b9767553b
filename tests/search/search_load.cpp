// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Calls the search service on the session bus COUNT times in a row, the way
// the desktop does (Match; GetInitialResultSet then GetResultMetas), with
// queries of every kind, and prints the service's resident memory after the
// first tenth of the calls and after the last: "KIB_EARLY KIB_LAST". Ends
// with status 1 when a call fails or another process answers part way.
// Usage: search_load COUNT
//        search_load large COUNT   one GetResultMetas of COUNT identifiers,
//                                  which must be refused; prints the
//                                  service's resident memory before it and
//                                  the lowest in the two seconds after it:
//                                  "KIB_BEFORE KIB_AFTER"
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QStringList>
#include <QThread>

#include <cstdio>

namespace {

const QString kRunner = QStringLiteral("com.velkor.Quantaro.Runner");
const QString kProvider = QStringLiteral("com.velkor.Quantaro.SearchProvider");

QDBusMessage call(const QString& service, const QString& path, const QString& interface, const QString& method,
                  const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message);
}

long residentKib(uint pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

int largeCall(int count)
{
    const QString path = QStringLiteral("/com/velkor/Quantaro/SearchProvider");
    const QString interface = QStringLiteral("org.gnome.Shell.SearchProvider2");
    const uint pid = QDBusConnection::sessionBus().interface()->servicePid(kProvider).value();
    const long before = residentKib(pid);
    const QStringList ids(count, QStringLiteral("31:21:5"));
    const QDBusMessage reply = call(kProvider, path, interface, QStringLiteral("GetResultMetas"), {ids});
    if (reply.type() != QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "GetResultMetas of %d identifiers was not refused\n", count);
        return 1;
    }
    // The service clears the large call away a moment after its refusal, on
    // its main thread, which a loaded machine may not run for a while (a
    // Ping proves nothing: the bus library's own thread answers it). So the
    // lowest reading of two seconds counts, well within the service's idle
    // time of three (search_bus.sh); memory it keeps stays in every reading.
    long after = -1;
    for (int reading = 0; reading < 20; ++reading) {
        QThread::msleep(100);
        const long now = residentKib(pid);
        if (now >= 0 && (after < 0 || now < after))
            after = now;
    }
    if (after < 0) {
        std::fprintf(stderr, "the service ended after GetResultMetas of %d identifiers\n", count);
        return 1;
    }
    std::printf("%ld %ld\n", before, after);
    return 0;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 2 && QString::fromLocal8Bit(argv[1]) == QLatin1String("large"))
        return largeCall(QString::fromLocal8Bit(argv[2]).toInt());
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    if (count < 10) {
        std::fprintf(stderr, "usage: search_load COUNT (10 or more)\n");
        return 2;
    }
    // Answered, ambiguous, refused, garbage, and one far longer than anyone types.
    const QStringList queries = {
        QStringLiteral("5 in to cm"), QStringLiteral("70 kg lb"), QStringLiteral("1 pt"),
        QStringLiteral("1 kg m"),     QStringLiteral("%$#@!"),    QString(20000, QLatin1Char('9')),
        QStringLiteral("3 ft in m"),  QStringLiteral(""),         QStringLiteral("-40 °F °C"),
    };
    uint pid = 0;
    long early = -1;
    for (int i = 0; i < count; ++i) {
        const QString& query = queries[i % queries.size()];
        QDBusMessage reply;
        if (i % 2 == 0) {
            reply = call(kRunner, QStringLiteral("/runner"), QStringLiteral("org.kde.krunner1"), QStringLiteral("Match"),
                         {query});
        } else {
            const QString path = QStringLiteral("/com/velkor/Quantaro/SearchProvider");
            const QString interface = QStringLiteral("org.gnome.Shell.SearchProvider2");
            reply = call(kProvider, path, interface, QStringLiteral("GetInitialResultSet"),
                         {query.split(QLatin1Char(' '))});
            if (reply.type() == QDBusMessage::ReplyMessage)
                reply = call(kProvider, path, interface, QStringLiteral("GetResultMetas"), {reply.arguments().value(0)});
        }
        if (reply.type() != QDBusMessage::ReplyMessage) {
            std::fprintf(stderr, "call %d (\"%s\"): %s\n", i, qPrintable(query.left(40)), qPrintable(reply.errorMessage()));
            return 1;
        }
        if (i % 100 != 0 && i + 1 != count / 10 && i + 1 != count)
            continue;
        const uint now = QDBusConnection::sessionBus().interface()->servicePid(kRunner).value();
        if (pid != 0 && now != pid) {
            std::fprintf(stderr, "call %d: answered by process %u, before by %u\n", i, now, pid);
            return 1;
        }
        pid = now;
        if (i + 1 == count / 10)
            early = residentKib(pid);
    }
    std::printf("%ld %ld\n", early, residentKib(pid));
    return 0;
}
