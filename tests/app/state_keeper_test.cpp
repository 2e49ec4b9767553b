// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Writing the state as the run goes, against real files in a temporary folder.
#include "app/StateKeeper.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

void PrintTo(const ConverterState& state, std::ostream* out); // settings_test.cpp

namespace {

class StateKeeperTest : public testing::Test {
protected:
    int argc = 1;
    char name[9] = "quantaro";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Velkor/quantaro.conf"));
    ConverterState state;
    StateKeeper keeper{[this] { return state; }, path};
    std::vector<bool> writes;

    StateKeeperTest()
    {
        QObject::connect(&keeper, &StateKeeper::written, &app, [this](bool stored) { writes.push_back(stored); });
    }

    // Turns the event loop until `count` writes have ended, or 20 s have passed.
    bool awaitWrites(std::size_t count)
    {
        QElapsedTimer clock;
        clock.start();
        while (writes.size() < count && clock.elapsed() < 20000)
            turnEventLoop(100);
        return writes.size() >= count;
    }

    // Sleeps in the event loop for `ms` (processEvents with a time limit
    // would poll the whole time, taking a processor from the other tests).
    static void turnEventLoop(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    ConverterState onDisk()
    {
        // A copy under a new name is parsed from the disk, not from memory.
        const QString copy = dir.filePath(QStringLiteral("copy%1.conf").arg(copies++));
        QFile::copy(path, copy);
        QSettings store(copy, QSettings::IniFormat);
        return readSettings(store);
    }

    int copies = 0;
};

// A change is written on its own, without an end of the run; a run of changes
// with no pause is written as it goes, not only after the last.
TEST_F(StateKeeperTest, ChangesAreWrittenWithoutAnEnd)
{
    state.input = QStringLiteral("42");
    keeper.changed();
    ASSERT_TRUE(awaitWrites(1));
    EXPECT_EQ(writes, std::vector<bool>{true});
    EXPECT_EQ(onDisk(), state);

    // Three times the delay of changes, one every tenth of it.
    for (int i = 0; i < 30; ++i) {
        state.input += QLatin1Char('0');
        keeper.changed();
        turnEventLoop(StateKeeper::kDelayMs / 10);
    }
    EXPECT_GE(writes.size(), 2u) << "a second write only after the changes stopped";
}

// The file is replaced, never written over: a reader that opened it before a
// write still reads the whole old file, and the new name has the new one.
TEST_F(StateKeeperTest, AWriteReplacesTheWholeFile)
{
    state.input = QString(100000, QLatin1Char('1'));
    ASSERT_TRUE(keeper.writeNow(state));
    QFile whole(path);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray old = whole.readAll();
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));

    state.input = QStringLiteral("2");
    state.request.fromIndex = 31;
    keeper.changed();
    ASSERT_TRUE(awaitWrites(1));
    EXPECT_EQ(before.readAll(), old);
    EXPECT_EQ(onDisk(), state);
    // Nothing of the write is left beside the file.
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), QStringList{QStringLiteral("quantaro.conf")});
}

// A folder where the file belongs: the writes fail, the window's state waits,
// one line says so; the first write once the folder has gone holds it all.
TEST_F(StateKeeperTest, AFailedWriteKeepsTheStateForALaterOne)
{
    ASSERT_TRUE(QDir().mkpath(path));
    std::fflush(stderr);
    const int savedStderr = ::dup(STDERR_FILENO);
    QFile errors(dir.filePath(QStringLiteral("stderr")));
    ASSERT_TRUE(errors.open(QIODevice::ReadWrite));
    ::dup2(errors.handle(), STDERR_FILENO);

    state.input = QStringLiteral("7");
    keeper.changed();
    const bool firstFailed = awaitWrites(1);
    state.request.toIndex = 20;
    keeper.changed();
    const bool secondFailed = awaitWrites(2);
    QDir(path).removeRecursively();
    const bool retried = awaitWrites(3);

    std::fflush(stderr);
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    ASSERT_TRUE(firstFailed && secondFailed && retried);
    EXPECT_EQ(writes, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(onDisk(), state);
    errors.seek(0);
    const QByteArray said = errors.readAll();
    EXPECT_EQ(said.count('\n'), 1) << said.constData();
    EXPECT_TRUE(said.contains(path.toLocal8Bit())) << said.constData();
}

} // namespace
