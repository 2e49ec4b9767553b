// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The Mixed form: cases worked by hand, the families against the unit
// table, and sweeps over everyday ranges that read every text back.
#include "catalogue/catalogue.h"
#include "catalogue/mixed_families.h"
#include "catalogue/unit_names.h"
#include "engine/unit_definitions.h"
#include "exact/conversion.h"
#include "exact/exact_result.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace quantaro {
namespace {

__extension__ using Wide = __int128; // exact products of the sweeps

constexpr UnitCode kCm = 1130, kInch = 2120, kFoot = 2150, kYard = 2160, kMetre = 1150;
constexpr UnitCode kKg = 15180, kGram = 15150, kOunce = 16130, kPound = 16140, kStone = 16150;
constexpr UnitCode kSecond = 29130, kMinute = 29140, kHour = 29150, kDay = 29160, kWeek = 29170;
constexpr UnitCode kFootFromCmPreset = 140;

std::string mixed(std::string_view input, UnitCode from, UnitCode to, int denominator = 0)
{
    std::string out;
    if (!appendMixedResult(input, from, to, denominator, out))
        return "(none)";
    return out;
}

struct MixedCase {
    std::string input;
    UnitCode from;
    UnitCode to;
    int denominator;
    std::string result;
};

TEST(MixedResult, HandWorkedCases)
{
    // clang-format off
    const MixedCase cases[] = {
        // 170 / 2.54 = 66.9291… in = 5 ft 6.9291… in; × 16 = 110.87 sixteenths
        {"170",     kCm,    kFoot,   0,  "5 ft 6.93 in"},
        {"170",     kCm,    kFoot,   16, "5 ft 6 15/16 in"},
        {"170",     kCm,    kInch,   0,  "5 ft 6.93 in"},
        {"170",     kCm,    kFootFromCmPreset, 0, "5 ft 6.93 in"},
        {"71",      kInch,  kFoot,   0,  "5 ft 11 in"},
        {"72",      kInch,  kFoot,   0,  "6 ft 0 in"},
        {"158",     kPound, kStone,  0,  "11 st 4 lb"},
        {"140",     kPound, kStone,  0,  "10 st 0 lb"},
        {"-5.5",    kFoot,  kFoot,   0,  "-5 ft 6 in"},
        {"-66",     kInch,  kFoot,   4,  "-5 ft 6 in"},
        // Carries: the rounding reaches the next part up, never "5 ft 12 in".
        {"71.999",  kInch,  kFoot,   0,  "6 ft 0 in"},
        {"71.99",   kInch,  kFoot,   0,  "5 ft 11.99 in"},
        {"71.97",   kInch,  kFoot,   16, "6 ft 0 in"},
        {"139.999", kPound, kStone,  0,  "10 st 0 lb"},
        {"3599.996", kSecond, kHour, 0,  "1 h 0 min 0 s"},
        {"35.999",  kInch,  kYard,   0,  "1 yd 0 ft 0 in"},
        // Half to even on the last step: 7198.5 hundredths stays 7198, 7199.5 goes up.
        {"71.985",  kInch,  kFoot,   0,  "5 ft 11.98 in"},
        {"71.975",  kInch,  kFoot,   0,  "5 ft 11.98 in"},
        {"2.875",   kInch,  kInch,   4,  "3 in"},            // 11.5 quarters
        {"2.625",   kInch,  kInch,   4,  "2 1/2 in"},        // 10.5 quarters
        {"0.03125", kInch,  kInch,   16, "0 in"},            // half a sixteenth
        {"0.09375", kInch,  kInch,   16, "1/8 in"},          // 1.5 sixteenths
        // Fractions reduced; two decimals with trailing zeros dropped.
        {"6.5",     kInch,  kFoot,   64, "6 1/2 in"},
        {"6.5",     kInch,  kFoot,   0,  "6.5 in"},
        {"66.05",   kInch,  kFoot,   0,  "5 ft 6.05 in"},
        {"-0.001",  kInch,  kFoot,   0,  "0 in"},
        {"0",       kInch,  kFoot,   0,  "0 in"},
        // 1 m = 39.3700787… in; 70 kg = 154.3235835… lb = 154 lb 5.1773… oz
        {"1",       kMetre, kYard,   0,  "1 yd 0 ft 3.37 in"},
        {"1.5",     kYard,  kYard,   0,  "1 yd 1 ft 6 in"},
        {"70",      kKg,    kPound,  0,  "154 lb 5.18 oz"},
        {"3500",    kGram,  kOunce,  0,  "7 lb 11.46 oz"},   // 123.4589… oz
        {"90",      kMinute, kHour,  0,  "1 h 30 min 0 s"},
        {"45",      kSecond, kSecond, 0, "45 s"},
        {"3661",    kSecond, kMinute, 0, "1 h 1 min 1 s"},
        {"1.75",    kDay,   kDay,    0,  "1 d 18 h 0 min"},
        {"10",      kDay,   kWeek,   0,  "1 week 3 d 0 h"},
        // Beyond every fixed width: 10^30 = 12 × 83333…3 + 4.
        {"1e30",    kInch,  kFoot,   0,  "83333333333333333333333333333 ft 4 in"},
        // An out-of-range denominator is two decimals.
        {"170",     kCm,    kFoot,   3,  "5 ft 6.93 in"},
        {"170",     kCm,    kFoot,   128, "5 ft 6.93 in"},
        // No text of its own: another form stands.
        {"170",     kCm,    kMetre,  0,  "(none)"},
        {"",        kCm,    kFoot,   0,  "(none)"},
        {"1e400",   kCm,    kFoot,   0,  "(none)"},
    };
    // clang-format on
    for (const MixedCase& c : cases) {
        SCOPED_TRACE(c.input + " " + std::to_string(c.from) + " -> " + std::to_string(c.to) + " /" + std::to_string(c.denominator));
        EXPECT_EQ(mixed(c.input, c.from, c.to, c.denominator), c.result);
    }
}

TEST(MixedResult, OneRequestForEveryForm)
{
    const Conversion m = Convert(RequestView{{"170", kCm}, kFoot, ResultForm::Mixed, 16});
    EXPECT_EQ(m.result, "5 ft 6 15/16 in");
    EXPECT_EQ(m.title, "5 ft 6 15/16 in - Velkor Quantaro");
    EXPECT_EQ(m.info, Convert("170", kCm, kFoot).info);
    // Outside every family, the Mixed form is the shortest text.
    EXPECT_EQ(Convert(RequestView{{"170", kCm}, kMetre, ResultForm::Mixed}).result, "1.7");
    EXPECT_EQ(Convert(RequestView{{"3", kFoot}, kMetre, ResultForm::Exact}).result, "0.9144");
    EXPECT_EQ(Convert(RequestView{{"3", kFoot}, kMetre, ResultForm::Shortest}).result, "0.9144000000000001");
    EXPECT_EQ(Convert(RequestView{{"", kCm}, kFoot, ResultForm::Mixed}).title, "Velkor Quantaro");

    std::string out;
    AppendResult(RequestView{{"158", kPound}, kStone, ResultForm::Mixed}, out);
    AppendResult(RequestView{{"1", kMetre}, kCm, ResultForm::Mixed}, out);
    EXPECT_EQ(out, "11 st 4 lb100");
}

// Every family against the unit table: its parts are whole multiples of the
// last as the table defines them, its symbols name its units, and each To
// row has one family, which holds it.
TEST(MixedFamilies, AgreeWithTheUnitTable)
{
    std::set<UnitCode> targets;
    for (const MixedFamily& family : mixedFamilies()) {
        SCOPED_TRACE(std::string(family.name));
        const auto parts = family.parts();
        ASSERT_GE(parts.size(), 2u);
        EXPECT_EQ(parts.back().inLast, 1u);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            // The table's stone (6350.29 g) and ounce (28.3495 g) are rounded.
            const double ratio = Convert(RequestView{{"1", parts[i].unit}, parts.back().unit, ResultForm::Shortest})
                                     .result == std::to_string(parts[i].inLast)
                                     ? parts[i].inLast
                                     : convertValue(1, parts[i].unit, parts.back().unit);
            EXPECT_NEAR(ratio / parts[i].inLast, 1, 1e-6);
            if (i > 0) {
                EXPECT_EQ(parts[i - 1].inLast % parts[i].inLast, 0u);
            }
            const UnitLookup lookup = lookUpUnit(parts[i].symbol);
            // A symbol the lookup finds names the part's unit; "oz" it does not
            // find (the labels write "oz. av.", "oz. fl."), and it must then be
            // the first word of the unit's own abbreviation.
            if (lookup.outcome == UnitLookup::Outcome::Found) {
                const UnitDefinition* found = findDefinition(catalogueRows()[static_cast<std::size_t>(lookup.index)].code);
                ASSERT_NE(found, nullptr);
                EXPECT_EQ(found->code, parts[i].unit) << parts[i].symbol;
            } else {
                const auto rows = catalogueRows();
                const auto row = std::find_if(rows.begin(), rows.end(), [&](const CatalogueRow& r) {
                    return r.kind == RowKind::Unit && r.code == parts[i].unit;
                });
                ASSERT_NE(row, rows.end());
                EXPECT_NE(row->fromLabel.find("(" + std::string(parts[i].symbol) + ". "), std::string_view::npos)
                    << parts[i].symbol;
            }
        }
        for (const UnitCode t : family.target) {
            if (t == 0) {
                continue;
            }
            EXPECT_TRUE(targets.insert(t).second) << t;
            EXPECT_EQ(mixedFamilyOf(t), &family);
        }
    }
    for (const UnitCode t : {kFoot, kInch, kYard, kStone, kPound, kOunce, kHour, kMinute, kSecond, kDay})
        EXPECT_NE(mixedFamilyOf(t), nullptr) << t;
    for (const UnitCode t : {kCm, kMetre, kKg, UnitCode{28110}, kNoRow})
        EXPECT_EQ(mixedFamilyOf(t), nullptr) << t;
}

// A mixed text read back: its value in steps of the last part (hundredths or
// 1/denominator), after checking that no part below the first reaches its
// unit and that the first written part is not zero unless it is the only one.
std::int64_t readBack(const std::string& text, const MixedFamily& family, std::int64_t steps)
{
    std::vector<std::string> words;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    const auto parts = family.parts();
    std::size_t part = 0;
    std::int64_t total = 0;
    std::int64_t value = 0; // of the part being read, in steps
    bool first = true;
    const bool negative = !words.empty() && words[0].starts_with('-');
    if (negative)
        words[0].erase(0, 1);
    for (const std::string& w : words) {
        std::size_t symbol = part;
        while (symbol < parts.size() && parts[symbol].symbol != w)
            ++symbol;
        if (symbol < parts.size()) {
            if (first) {
                EXPECT_TRUE(value != 0 || symbol + 1 == parts.size()) << text;
            } else {
                EXPECT_LT(value, std::int64_t{parts[symbol - 1].inLast / parts[symbol].inLast} * steps) << text;
            }
            if (symbol + 1 < parts.size()) {
                EXPECT_EQ(value % steps, 0) << text;
            }
            // Every part after the first written is written.
            EXPECT_TRUE(first || symbol == part) << text;
            total += value * parts[symbol].inLast;
            value = 0;
            part = symbol + 1;
            first = false;
            continue;
        }
        const std::size_t slash = w.find('/');
        const std::size_t point = w.find('.');
        std::int64_t a = 0, b = 0;
        if (slash != std::string::npos) {
            std::from_chars(w.data(), w.data() + slash, a);
            std::from_chars(w.data() + slash + 1, w.data() + w.size(), b);
            EXPECT_EQ(steps % b, 0) << text;
            value += a * (steps / b);
        } else if (point != std::string::npos) {
            std::from_chars(w.data(), w.data() + point, a);
            const std::string decimals = w.substr(point + 1);
            EXPECT_TRUE(decimals.size() <= 2 && decimals.back() != '0') << text;
            std::from_chars(decimals.data(), decimals.data() + decimals.size(), b);
            value += a * steps + (decimals.size() == 1 ? b * 10 : b);
        } else {
            std::from_chars(w.data(), w.data() + w.size(), a);
            value += a * steps;
        }
    }
    EXPECT_EQ(value, 0) << text; // ends on a symbol
    return negative ? -total : total;
}

// Steps in `steps` to a unit; the value in last parts is numerator / den.
void sweep(std::int64_t from, std::int64_t to, int decimals, UnitCode source, UnitCode target, int denominator,
           Wide perUnitNum, Wide perUnitDen)
{
    const MixedFamily* family = mixedFamilyOf(target);
    ASSERT_NE(family, nullptr);
    const std::int64_t steps = denominator == 0 ? 100 : denominator;
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::string out;
    int failures = 0;
    for (std::int64_t n = from; n <= to && failures < 5; ++n) {
        char text[32];
        char* end = std::to_chars(text, text + sizeof text, n / scale).ptr;
        if (decimals > 0) {
            *end++ = '.';
            std::int64_t rest = n % scale;
            for (std::int64_t p = scale / 10; p > 0; p /= 10) {
                *end++ = static_cast<char>('0' + rest / p);
                rest %= p;
            }
        }
        out.clear();
        ASSERT_TRUE(appendMixedResult(std::string_view(text, end), source, target, denominator, out)) << text;
        const std::int64_t got = readBack(out, *family, steps);
        // |got / steps - n / scale × num / den| ≤ 1 / (2 steps), in integers.
        const Wide difference = Wide{got} * scale * perUnitDen - Wide{n} * steps * perUnitNum;
        const Wide bound = Wide{scale} * perUnitDen;
        if ((difference < 0 ? -difference : difference) * 2 > bound) {
            ADD_FAILURE() << text << " -> " << out;
            ++failures;
        }
        if (::testing::Test::HasFailure())
            ++failures;
    }
}

TEST(MixedResult, CentimetresIntoFeetAndInches)
{
    // 1 cm = 1/2.54 in = 50/127 in.
    for (const int denominator : {0, 16, 64})
        sweep(0, 30000, 2, kCm, kFoot, denominator, 50, 127);
}

TEST(MixedResult, KilogrammesIntoStoneAndPoundsAndOunces)
{
    // The parts follow the To row: 1 kg = 1000/6350.29 st = 14000/6350.29 lb
    // of 1/14 st; 1 kg = 1000/453.59237 lb = 16000/453.59237 oz of 1/16 lb.
    sweep(3000, 25000, 2, kKg, kStone, 0, 1400000, 635029);
    sweep(3000, 25000, 2, kKg, kPound, 0, 1600000000, 45359237);
}

TEST(MixedResult, SecondsIntoHoursMinutesAndSeconds)
{
    sweep(0, 100000, 0, kSecond, kHour, 0, 1, 1);
}

} // namespace
} // namespace quantaro
