// The saved state against real settings files in a temporary folder.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <climits>
#include <random>
#include <unistd.h>

namespace {

class SettingsTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Velkor/quantaro.conf"));
    int copies = 0;

    void writeRaw(const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    SavedState read(const QString& from)
    {
        QSettings store(from, QSettings::IniFormat);
        return readSettings(store);
    }

    bool write(const SavedState& state)
    {
        QSettings store(path, QSettings::IniFormat);
        return writeSettings(store, state);
    }

    // The settings classes keep what a process wrote in memory and hand it to
    // the next reader of the same path; a copy under a new name makes the next
    // run's reader parse the bytes on disk.
    SavedState readAsNextRun()
    {
        const QString copy = dir.filePath(QStringLiteral("run%1.conf").arg(++copies));
        EXPECT_TRUE(QFile::copy(path, copy));
        return read(copy);
    }
};

void expectState(const SavedState& actual, const SavedState& expected)
{
    EXPECT_EQ(actual.xPosition, expected.xPosition);
    EXPECT_EQ(actual.yPosition, expected.yPosition);
    EXPECT_EQ(actual.savedInput, expected.savedInput);
    EXPECT_EQ(actual.savedFrom, expected.savedFrom);
    EXPECT_EQ(actual.savedTo, expected.savedTo);
}

const SavedState firstRun{300, 100, QStringLiteral("5"), 2, 1};

TEST_F(SettingsTest, FirstRunGivesTheFirstRunValues)
{
    expectState(read(path), firstRun);
    writeRaw("");
    expectState(read(path), firstRun);
}

TEST_F(SettingsTest, KeysAndSectionsAreTheAgreedOnes)
{
    writeRaw("[Config]\nXPosition=12\nYPosition=-34\n[Data]\nSource=abc\nFrom=237\nTo=0\n");
    expectState(read(path), {12, -34, QStringLiteral("abc"), 237, 0});
}

TEST_F(SettingsTest, WhatOneRunWritesTheNextReads)
{
    const SavedState states[] = {
        firstRun,
        {-1, -1, QStringLiteral("12.5"), -1, -1},  // a list without a row is stored as -1
        {INT_MIN, INT_MAX, QString(), 237, 0},      // an empty input stays empty
        {0, 0, QStringLiteral(" 1,5"), 5, 6},
        {7, 8, QStringLiteral("a \"quoted\" \\path\\ = x; y # z, w"), 3, 4},
        {9, 10, QStringLiteral("  µ²³º € 😀 ÄÖÜß  "), 1, 2},
        {11, 12, QStringLiteral("line\nbreak\r\ttab"), 2, 1},
        {13, 14, QStringLiteral("@Variant(x)"), 2, 1},
        {15, 16, QStringLiteral("[Data]"), 2, 1},
        {17, 18, QStringLiteral("\"") + QChar(0) + QStringLiteral("\\0"), 2, 1},
        {19, 20, QStringLiteral("true"), 2, 1},
    };
    for (const SavedState& state : states) {
        SCOPED_TRACE(state.savedInput.toStdString());
        ASSERT_TRUE(write(state));
        expectState(readAsNextRun(), state);
    }
}

TEST_F(SettingsTest, ValuesThatAreNotWholeNumbersTakeTheirDefaults)
{
    struct Case {
        const char* content;
        SavedState expected;
    };
    const Case cases[] = {
        {"[Data]\nFrom=abc\nTo=2abc\n", firstRun},
        {"[Data]\nFrom=1.0\nTo=0x10\n", firstRun},
        {"[Data]\nFrom=99999999999\nTo=-2147483649\n", firstRun},
        {"[Config]\nXPosition=\nYPosition=\"\"\n", firstRun},
        {"[Config]\nXPosition=@Point(1 2)\nYPosition=1, 2\n", firstRun},
        {"[Config]\nXPosition= 7 \nYPosition=+8\n[Data]\nFrom=010\n", {7, 8, QStringLiteral("5"), 10, 1}},
        {"[Data]\nSource=\n", {300, 100, QString(), 2, 1}},
        {"[Data]\nSource=1,5\n", {300, 100, QStringLiteral("1,5"), 2, 1}},
        {"[Data]\nSource=@Point(1 2)\n", firstRun},
        {"[Data]\nSource=@Variant(\\0\\0\\0\\x7f\\xff\\xff)\n", firstRun},
        {"[data]\nfrom=7\n", firstRun},  // names are case-sensitive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        writeRaw(c.content);
        expectState(readAsNextRun(), c.expected);
    }
}

TEST_F(SettingsTest, DamagedFileStartsWithDefaultsAndIsReplaced)
{
    std::mt19937 random(20240611);
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise.append(static_cast<char>(random()));
    const QByteArray damaged[] = {
        noise,
        "[Config\nXPosition=5\n[Data]\nFrom=7\n",  // a section that never closes
        "[Data]\nFrom=7\nthis line is no setting\n",
        QByteArray("\xff\xfe[\0D\0a\0t\0a\0]\0", 14),
    };
    const SavedState next{1, 2, QStringLiteral("3"), 4, 5};
    for (const QByteArray& content : damaged) {
        SCOPED_TRACE(content.left(40).toStdString());
        writeRaw(content);
        expectState(readAsNextRun(), firstRun);
        ASSERT_TRUE(write(next));
        expectState(readAsNextRun(), next);
    }
}

TEST_F(SettingsTest, StoreThatCannotBeWrittenSaysSoAndStartsWithDefaults)
{
    // A folder where the file should be, and a file where its folder should be.
    ASSERT_TRUE(QDir().mkpath(path));
    expectState(read(path), firstRun);
    EXPECT_FALSE(write(firstRun));

    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    ASSERT_TRUE(QFile(blocker).open(QIODevice::WriteOnly));
    QSettings store(blocker + QStringLiteral("/Velkor/quantaro.conf"), QSettings::IniFormat);
    expectState(readSettings(store), firstRun);
    EXPECT_FALSE(writeSettings(store, firstRun));
}

TEST_F(SettingsTest, ReadOnlyFileIsNotReportedAsSaved)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    ASSERT_TRUE(write(firstRun));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    EXPECT_FALSE(write({1, 2, QStringLiteral("3"), 4, 5}));
    expectState(readAsNextRun(), firstRun);
}

} // namespace
