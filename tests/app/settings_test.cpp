// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The saved state against real settings files in a temporary folder.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <climits>
#include <grp.h>
#include <pwd.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

void PrintTo(const ConverterState& s, std::ostream* out)
{
    *out << '{' << s.xPosition << ", " << s.yPosition << ", \"" << s.input.toStdString() << "\", "
         << s.request.fromIndex << ", " << s.request.toIndex << ", " << static_cast<int>(s.request.form) << ", " << s.request.fraction << ", \"";
    for (const quantaro::RowPair& pair : s.recentPairs)
        *out << pair.fromIndex << ':' << pair.toIndex << ' ';
    *out << "\"}";
}

namespace {

const ConverterState firstRun;
constexpr auto kDigits = quantaro::ResultForm::SeventeenDigits;
constexpr auto kShortest = quantaro::ResultForm::Shortest;
constexpr auto kExact = quantaro::ResultForm::Exact;
constexpr auto kMixed = quantaro::ResultForm::Mixed;

class SettingsTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Velkor/quantaro.conf"));
    int runs = 0;

    void writeRaw(const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    bool write(const ConverterState& state)
    {
        QSettings store(path, QSettings::IniFormat);
        return writeSettings(store, state);
    }

    // The settings classes hand what this process wrote to the next reader
    // of the same path from memory; a copy under a new name makes the reader
    // parse the bytes on disk, as the next run does.
    ConverterState readAsNextRun()
    {
        const QString copy = dir.filePath(QStringLiteral("run%1.conf").arg(++runs));
        if (QFile::exists(path)) {
            EXPECT_TRUE(QFile::copy(path, copy));
        }
        QSettings store(copy, QSettings::IniFormat);
        return readSettings(store);
    }
};

TEST_F(SettingsTest, WhatOneRunWritesTheNextReads)
{
    EXPECT_EQ(readAsNextRun(), firstRun);
    const ConverterState states[] = {
        firstRun,
        {-1, -1, QStringLiteral("12.5"), {-1, -1}},  // a list without a row is stored as -1
        {INT_MIN, INT_MAX, QString(), {237, 0}},      // an empty input stays empty
        {0, 0, QStringLiteral(" 1,5"), {5, 6, {}, {}, kShortest}},
        {0, 0, QStringLiteral("170"), {21, 34, {}, {}, kMixed, 16}},
        {0, 0, QStringLiteral("170"), {21, 34, {}, {}, kExact, 64}},
        {7, 8, QStringLiteral("a \"quoted\" \\path\\ = x; y # z, w"), {3, 4}},
        {9, 10, QStringLiteral("  µ²³º € 😀 ÄÖÜß  "), {1, 2}},
        {11, 12, QStringLiteral("line\nbreak\r\ttab"), {2, 1}},
        {13, 14, QStringLiteral("@Variant(x)"), {2, 1}},
        {15, 16, QStringLiteral("[Data]"), {2, 1}},
        {17, 18, QStringLiteral("\"") + QChar(0) + QStringLiteral("\\0"), {2, 1}},
        {19, 20, QStringLiteral("1"), {31, 20, {}, {}, kDigits, 0}, {{31, 20}, {237, 236}, {2, 1}}},
        {21, 22, QStringLiteral("1"), {31, 20, {}, {}, kDigits, 0}, {}},
    };
    for (const ConverterState& state : states) {
        ASSERT_TRUE(write(state));
        EXPECT_EQ(readAsNextRun(), state);
    }
}

TEST_F(SettingsTest, HandWrittenValues)
{
    struct Case {
        const char* content;
        ConverterState expected;
    };
    const Case cases[] = {
        {"", firstRun},
        {"[Config]\nXPosition=12\nYPosition=-34\n[Data]\nSource=abc\nFrom=237\nTo=0\n", {12, -34, "abc", {237, 0}}},
        {"[Config]\nXPosition= 7 \nYPosition=+8\n[Data]\nFrom=010\n", {7, 8, "5", {10, 1}}},
        // Not whole numbers in range: the default.
        {"[Data]\nFrom=abc\nTo=2abc\n", firstRun},
        {"[Data]\nFrom=1.0\nTo=0x10\n", firstRun},
        {"[Data]\nFrom=99999999999\nTo=-2147483649\n", firstRun},
        {"[Config]\nXPosition=\nYPosition=\"\"\n", firstRun},
        {"[Config]\nXPosition=@Point(1 2)\nYPosition=1, 2\n", firstRun},
        {"[data]\nfrom=7\n", firstRun},  // names are case-sensitive
        // An empty text is a text; an unquoted comma is the author's.
        {"[Data]\nSource=\n", {300, 100, "", {2, 1}}},
        {"[Data]\nSource=1,5\n", {300, 100, "1,5", {2, 1}}},
        {"[Data]\nSource=@Point(1 2)\n", firstRun},
        {"[Data]\nSource=@Variant(\\0\\0\\0\\x7f\\xff\\xff)\n", firstRun},
        // The result form by its name, in any case; anything else is the default.
        {"[Display]\nResultForm=Mixed\n", {300, 100, "5", {2, 1, {}, {}, kMixed}}},
        {"[Display]\nResultForm= shortest \n[Data]\nTo=3\n", {300, 100, "5", {2, 3, {}, {}, kShortest}}},
        {"[Display]\nResultForm=Exact\n", {300, 100, "5", {2, 1, {}, {}, kExact}}},
        {"[Display]\nResultForm=SeventeenDigits\nShortestResult=true\n", firstRun},
        {"[Display]\nResultForm=banana\n", firstRun},
        {"[Display]\nResultForm=2\n", firstRun},
        {"[Display]\nResultForm=Mixed,Exact\n", firstRun},
        // Without it, the two switches that held the form before: "true" or
        // "false" as written, anything else off; both on showed the Exact form.
        {"[Display]\nShortestResult=true\n", {300, 100, "5", {2, 1, {}, {}, kShortest}}},
        {"[Display]\nShortestResult= TRUE \n[Data]\nTo=3\n", {300, 100, "5", {2, 3, {}, {}, kShortest}}},
        {"[Display]\nShortestResult=false\n", firstRun},
        {"[Display]\nShortestResult=banana\n", firstRun},
        {"[Display]\nShortestResult=\"\"\nshortestresult=true\n", firstRun},
        {"[Display]\nShortestResult=true,false\n", firstRun},
        {"[Display]\nExactResult=true\n", {300, 100, "5", {2, 1, {}, {}, kExact}}},
        {"[Display]\nExactResult=False\nShortestResult=true\n", {300, 100, "5", {2, 1, {}, {}, kShortest}}},
        {"[Display]\nExactResult=banana\n", firstRun},
        {"[Display]\nExactResult=1\n", firstRun},
        {"[Display]\nShortestResult=true\nExactResult=true\n", {300, 100, "5", {2, 1, {}, {}, kExact}}},
        // The Mixed form's denominator: 2 to 64, a power of two, or 0 for
        // decimals; anything else is decimals.
        {"[Display]\nFractionDenominator=16\n", {300, 100, "5", {2, 1, {}, {}, kDigits, 16}}},
        {"[Display]\nFractionDenominator=2\n", {300, 100, "5", {2, 1, {}, {}, kDigits, 2}}},
        {"[Display]\nFractionDenominator=64\n", {300, 100, "5", {2, 1, {}, {}, kDigits, 64}}},
        {"[Display]\nFractionDenominator=0\n", firstRun},
        {"[Display]\nFractionDenominator=1\n", firstRun},
        {"[Display]\nFractionDenominator=12\n", firstRun},
        {"[Display]\nFractionDenominator=128\n", firstRun},
        {"[Display]\nFractionDenominator=-16\n", firstRun},
        {"[Display]\nFractionDenominator=1/16\n", firstRun},
        // The recent pairs: the valid ones of any text, nine at most; an
        // empty value is an empty list, a missing one the first-run pair.
        {"[Data]\nRecentPairs=31:20 0:1 2:17 238:1 -1:2 31:20 x 2:1\n", {300, 100, "5", {2, 1, {}, {}, kDigits, 0}, {{31, 20}, {2, 1}}}},
        {"[Data]\nRecentPairs=\"31:20, 20:31\"\n", {300, 100, "5", {2, 1, {}, {}, kDigits, 0}, {{31, 20}, {20, 31}}}},
        {"[Data]\nRecentPairs=31:20, 20:31\n", {300, 100, "5", {2, 1, {}, {}, kDigits, 0}, {{31, 20}, {20, 31}}}},
        {"[Data]\nRecentPairs=@Variant(\\0\\0\\0\\x7f)\n", {300, 100, "5", {2, 1, {}, {}, kDigits, 0}, {}}},
        {"[Data]\nRecentPairs=[Data]\n", {300, 100, "5", {2, 1, {}, {}, kDigits, 0}, {}}},
        {"[Data]\nRecentPairs=\n", {300, 100, "5", {2, 1, {}, {}, kDigits, 0}, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        writeRaw(c.content);
        EXPECT_EQ(readAsNextRun(), c.expected);
    }
}

// Ten thousand entries, most of them no pair: nine are kept, and the next
// write mends the value into the text quantaro-convert --recent reads, one
// line that the settings library neither quotes nor escapes.
TEST_F(SettingsTest, RecentPairsAreMendedIntoOneVerbatimLine)
{
    QByteArray value;
    for (int i = 0; i < 10000; ++i)
        value += QByteArray::number(i % 300) + ':' + QByteArray::number(20) + (i % 7 ? " " : ",");
    writeRaw("[Data]\nRecentPairs=" + value + "\n");
    ConverterState state = readAsNextRun();
    const std::vector<quantaro::RowPair> nine{{1, 20}, {2, 20}, {3, 20}, {4, 20}, {5, 20},
                                              {6, 20}, {7, 20}, {8, 20}, {9, 20}};
    EXPECT_EQ(state.recentPairs, nine);
    ASSERT_TRUE(write(state));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\nRecentPairs=1:20 2:20 3:20 4:20 5:20 6:20 7:20 8:20 9:20\n"));
}

// An unreadable value is the default and the next run writes it properly;
// the other values are kept.
TEST_F(SettingsTest, UnreadableValuesAreRewritten)
{
    writeRaw("[Data]\nFrom=7\n[Display]\nResultForm=banana\nFractionDenominator=12\n");
    const ConverterState state = readAsNextRun();
    EXPECT_EQ(state, (ConverterState{300, 100, "5", {7, 1, {}, {}, kDigits, 0}}));
    ASSERT_TRUE(write(state));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The store writes a section's keys in alphabetical order.
    EXPECT_TRUE(file.readAll().contains("\n[Display]\nFractionDenominator=0\nResultForm=SeventeenDigits\n"));
}

// The old switches are read once: the next write keeps the form under its
// own key and removes them, so that turning the form off later sticks.
TEST_F(SettingsTest, OldSwitchesAreReadOnce)
{
    writeRaw("[Display]\nShortestResult=false\nExactResult=true\n");
    ConverterState state = readAsNextRun();
    EXPECT_EQ(state.request.form, kExact);
    ASSERT_TRUE(write(state));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_TRUE(written.contains("\n[Display]\nFractionDenominator=0\nResultForm=Exact\n")) << written.toStdString();
    EXPECT_FALSE(written.contains("Result=true")) << written.toStdString();
    file.close();
    state.request.form = kDigits;
    ASSERT_TRUE(write(state));
    EXPECT_EQ(readAsNextRun().request.form, kDigits);
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
    const ConverterState next{1, 2, "3", {4, 5}};
    for (const QByteArray& content : damaged) {
        writeRaw(content);
        EXPECT_EQ(readAsNextRun(), firstRun);
        ASSERT_TRUE(write(next));
        EXPECT_EQ(readAsNextRun(), next);
    }
}

TEST_F(SettingsTest, StoreThatCannotBeWrittenSaysSoAndStartsWithDefaults)
{
    // A folder where the file belongs; a file where its folder belongs.
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_TRUE(QFile(blocker).open(QIODevice::WriteOnly));
    for (const QString& unwritable : {path, blocker + QStringLiteral("/Velkor/quantaro.conf")}) {
        QSettings store(unwritable, QSettings::IniFormat);
        EXPECT_EQ(readSettings(store), firstRun);
        EXPECT_FALSE(writeSettings(store, firstRun));
    }
}

// Root may write any file, so as root the write runs in a child process as
// "nobody", to whom the folder and the read-only file then belong.
TEST_F(SettingsTest, ReadOnlyFileIsNotReportedAsSaved)
{
    ASSERT_TRUE(write(firstRun));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    const ConverterState next{1, 2, "3", {4, 5}};
    if (::geteuid() != 0) {
        EXPECT_FALSE(write(next));
    } else {
        const passwd* nobody = ::getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        for (const QString& owned : {dir.path(), QFileInfo(path).absolutePath(), path})
            ASSERT_EQ(::chown(QFile::encodeName(owned).constData(), nobody->pw_uid, nobody->pw_gid), 0);
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            // 0: reported as saved, 1: reported as not saved, 2: not run.
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
                ::_exit(2);
            ::_exit(write(next) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1) << "0: reported as saved, 2: could not become nobody";
    }
    EXPECT_EQ(readAsNextRun(), firstRun);
}

} // namespace
