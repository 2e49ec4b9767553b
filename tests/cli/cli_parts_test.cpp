// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The parts of quantaro-convert that keep the number of an endless line and
// write JSON, tried on inputs too many to spawn for.

#include "catalogue/catalogue.h"
#include "catalogue/unit_names.h"
#include "cli/json.h"
#include "cli/number_prefix.h"
#include "cli/options.h"
#include "cli/recent_pairs_file.h"
#include "cli/units_arg.h"
#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>
#include <random>

namespace quantaro::cli {
namespace {

// Why a pair is refused: rows that are no units, units of two quantities,
// sizes of two garments; nothing for a pair that converts.
TEST(PairProblem, SaysWhy)
{
    const struct {
        int from, to;
        const char* reason;
    } cases[] = {
        {185, 186, ""}, {2, 31, ""}, {15, 223, ""},
        {17, 52, "neither row is a unit"}, {0, 1, "the From row is not a unit"}, {3, 29, "the To row is not a unit"},
        {185, 188, "sizes convert only within one garment, between metric/German and US/UK"},
        {191, 194, "sizes convert only within one garment, between metric/German and US/UK"},
        {189, 186, "sizes convert only within one garment, between metric/German and US/UK"},
        {189, 20, "they are not units of one quantity"}, {144, 20, "they are not units of one quantity"},
        {222, 182, "they are not units of one quantity"}, {9, 1, "they are not units of one quantity"},
    };
    for (const auto& c : cases) {
        const std::string problem = pairProblem(c.from, c.to);
        const std::string_view reason(c.reason);
        EXPECT_TRUE(reason.empty() ? problem.empty() : problem.ends_with(": " + std::string(reason)))
            << c.from << " -> " << c.to << ": " << problem;
    }
}

// Whatever the text and however it is cut, the kept text reads as the same
// double as the whole text.
void expectSameNumber(const std::string& text, std::size_t piece)
{
    NumberPrefix prefix;
    for (std::size_t at = 0; at < text.size(); at += piece)
        prefix.feed(std::string_view(text).substr(at, piece));
    const std::string kept(prefix.text());
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(std::bit_cast<std::uint64_t>(readNumber(kept)), std::bit_cast<std::uint64_t>(readNumber(text)))
        << text.substr(0, 80) << " kept as " << kept.substr(0, 80);
}

// 2^-1075, the point halfway between 0 and the smallest double, written out
// in full: 5^1075 after the point and 1074 zeros.
std::string halfOfSmallestDouble()
{
    std::vector<int> digits{1}; // little-endian decimal digits of 5^1075
    for (int i = 0; i < 1075; ++i) {
        int carry = 0;
        for (int& d : digits) {
            const int v = d * 5 + carry;
            d = v % 10;
            carry = v / 10;
        }
        for (; carry; carry /= 10)
            digits.push_back(carry % 10);
    }
    std::string text = "0." + std::string(1075 - digits.size(), '0');
    for (auto d = digits.rbegin(); d != digits.rend(); ++d)
        text += static_cast<char>('0' + *d);
    return text;
}

TEST(NumberPrefix, KeepsTheNumberOfAnyText)
{
    const std::string zeros(3000, '0'), nines(3000, '9'), half = halfOfSmallestDouble();
    const std::string texts[] = {
        "", "5", " \t\v\f\r-5x", "+.5", ".", "-", "-.e5", "5.", "1e", "1e+", "1e-x", "1E5", "1e-5", "12abc", "0x10",
        "1,5", "-0", "000.000", "1e400", "-1e-400", "1e99999999999999999999", "1e-99999999999999999999",
        "9007199254740993" + zeros, "9007199254740993" + zeros + "1", "0." + zeros + "1e3000", "1" + zeros + "e-3000",
        nines + "." + nines, "0." + nines + "e-300", half, half + "1", half + zeros + "1", "-" + half + "0001e0",
        std::string(5000, ' ') + "2.5",
    };
    for (const std::string& text : texts)
        for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 20})
            expectSameNumber(text, piece);

    std::mt19937 random(6);
    const std::string alphabet = "0123456789.eE+- x";
    for (int n = 0; n < 5000; ++n) {
        std::string text(random() % 40, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        expectSameNumber(text, 1 + random() % 5);
    }
}

TEST(JsonStringWriter, PiecesWriteWhatTheWholeWrites)
{
    const std::string texts[] = {"a\"b\\c\n\x01\x7f", "\xC2\xBA\xE2\x82\xAC\xF0\x9F\x98\x80", "\xE2\x82\xC2\xBA",
                                 "\xF0\x9F\x98", "\xED\xA0\x80\xC0\xAF\xFF", "\xE2\x80\xA8\xC2\x9F"};
    for (const std::string& text : texts) {
        std::string whole;
        appendJsonString(text, whole);
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            for (std::size_t cut2 = cut; cut2 <= text.size(); ++cut2) {
                std::string pieces = "\"";
                JsonStringWriter writer;
                writer.append(text.substr(0, cut), pieces);
                writer.append(text.substr(cut, cut2 - cut), pieces);
                writer.append(text.substr(cut2), pieces);
                writer.finish(pieces);
                EXPECT_EQ(pieces + '"', whole) << cut << ' ' << cut2;
            }
        }
    }
}

// The file names are those the window's settings library gave for the same variables
// (Qt 6.4, printing QSettings().fileName() under each environment, working
// folder /w).
TEST(RecentPairsFile, FoundWhereTheWindowKeepsIt)
{
    const struct {
        const char* xdgConfigHome;
        const char* home;
        const char* path;
    } cases[] = {
        {"/a/b", "/h", "/a/b/Velkor/quantaro.conf"},
        {"/c//d/", "/h", "/c/d/Velkor/quantaro.conf"},
        {"/c/./d/../e", "/h", "/c/e/Velkor/quantaro.conf"},
        {"rel/x", "/h", "/w/rel/x/Velkor/quantaro.conf"},
        {"../z", "/h", "/z/Velkor/quantaro.conf"},
        {"", "/h", "/h/.config/Velkor/quantaro.conf"},
        {nullptr, "/h/", "/h/.config/Velkor/quantaro.conf"},
        {nullptr, "/h/./x/../y", "/h/y/.config/Velkor/quantaro.conf"},
        {nullptr, "rel", "/w/rel/.config/Velkor/quantaro.conf"},
        {nullptr, "", "/.config/Velkor/quantaro.conf"},
        {nullptr, nullptr, "/.config/Velkor/quantaro.conf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(settingsFilePath(c.xdgConfigHome, c.home, "/w"), c.path)
            << (c.xdgConfigHome ? c.xdgConfigHome : "(unset)") << ", " << (c.home ? c.home : "(unset)");
}

// Sections, comments and blanks as the settings library read them in the same
// texts; it also takes quotes away, which the pair reader takes as separators.
TEST(RecentPairsFile, ValueOfAKeyInASection)
{
    const struct {
        const char* file;
        std::optional<std::string_view> value;
    } cases[] = {
        {"[Config]\nXPosition=1\n\n[Data]\nFrom=2\nRecentPairs=2:1 31:20\nTo=1\n", "2:1 31:20"},
        {"[Data]\r\nRecentPairs=2:1\r\n", "2:1"},
        {"[Data]\nRecentPairs=2:1", "2:1"},                       // no line end at the end
        {"[Data]\n  RecentPairs  =  2:1 31:20  \n", "2:1 31:20"},  // blanks around
        {"[Data]\nRecentPairs=\n", ""},
        {"[Data]\nRecentPairs=1:2\n[Config]\nX=1\n[Data]\nRecentPairs=3:4\n", "3:4"}, // the last wins
        {"[Data]\nRecentPairs=\"2:1, 31:20\"\n", "\"2:1, 31:20\""},  // quotes are the reader's
        {"[Data]\nRecentPairs=a=b\n", "a=b"},
        {"[Config]\nRecentPairs=2:1\n", std::nullopt},           // another section
        {"RecentPairs=2:1\n[Data]\n", std::nullopt},             // before any section
        {"[Data]\n;RecentPairs=2:1\n#RecentPairs=2:1\n", std::nullopt},
        {"[data]\nRecentPairs=2:1\n", std::nullopt},
        {"[Data] x\nRecentPairs=2:1\n", "2:1"},                   // the name ends at "]"
        {"[ Data ]\nRecentPairs=2:1\n", "2:1"},
        {"[Data]\nRecentPairs=2:1 ; 3:4\n", "2:1"},              // a comment after the value
        {"[Data]\nRecentPairs=\"2:1;\" 3:4;\n", "\"2:1;\" 3:4"},
        {"[Data]\nRecentPairsX=2:1\nRecent=2:1\nRecentPairs\n", std::nullopt},
        {"", std::nullopt},
        {"[", std::nullopt},
        {"[Data", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(iniValue(c.file, "Data", "RecentPairs"), c.value) << c.file;
}

} // namespace
} // namespace quantaro::cli
