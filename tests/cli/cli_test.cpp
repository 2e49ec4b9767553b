// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// quantaro-convert as a user runs it: the built binary, its arguments,
// standard input and output, and its exit status.

#include "run_program.h"

#include "catalogue/catalogue.h"
#include "engine/convert.h"
#include "tests/partner_rules_table.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quantaro::test {
namespace {

UnitCode codeAt(int index) { return catalogueRows()[index].code; }

// What the window shows for the input, in the three output forms.
std::string resultLine(const std::string& input, int from, int to)
{
    return Convert(input, codeAt(from), codeAt(to)).result;
}
std::string infoLine(const std::string& input, int from, int to)
{
    const Conversion c = Convert(input, codeAt(from), codeAt(to));
    return c.result + '\t' + c.info;
}

// The JSON line for an input; inputAsJson is the input as a JSON string
// holds it, when that differs. The engine's texts need no escapes.
std::string jsonLine(const std::string& input, int from, int to, const std::string* inputAsJson = nullptr)
{
    const Conversion c = Convert(input, codeAt(from), codeAt(to));
    return "{\"input\":\"" + (inputAsJson ? *inputAsJson : input) + "\",\"from\":" + std::to_string(from)
           + ",\"to\":" + std::to_string(to) + ",\"result\":\"" + c.result + "\",\"title\":\"" + c.title
           + "\",\"info\":\"" + c.info + "\"}";
}

struct Case {
    std::string from, to; // as given on the command line
    int fromIndex, toIndex;
};

// Inputs that cover numbers, signs, exponents, text, blanks and emptiness.
const std::vector<std::string> kInputs = {"5", "-5", "1.5", "1e3", ".5", "1,5", "abc", " ", "", "0x10", "1e999", "-0"};

const Case kCases[] = {
    {"in", "mm", 31, 20},   {"2", "1", 2, 1},          {"°F", "ºC", 223, 222}, {"kg", "lb", 144, 154},
    {"mi.", "km", 41, 26},  {"185", "186", 185, 186}, {"m/s", "kn", 216, 219}, {"TB", "GB", 206, 204},
    {"16", "15", 16, 15},   {"hp", "kw", 176, 177},   {"year", "s", 234, 228},  {"acre", "m2", 71, 57},
};

TEST(Convert, ArgumentsAndLinesShowWhatTheWindowShows)
{
    std::string stdinText;
    for (const std::string& input : kInputs)
        stdinText += input + '\n';
    for (const Case& c : kCases) {
        const std::vector<std::string> units{"--from", c.from, "--to", c.to};
        std::vector<std::string> withTexts = units;
        withTexts.push_back("--");
        withTexts.insert(withTexts.end(), kInputs.begin(), kInputs.end());

        for (const std::vector<std::string>& arguments : {units, withTexts}) {
            const auto run = [&](const char* form) {
                std::vector<std::string> all = arguments;
                if (*form)
                    all.insert(all.begin(), form);
                const RunResult r = runConvert(all, stdinText);
                EXPECT_EQ(r.status, 0) << r.err;
                EXPECT_EQ(r.err, "");
                return splitLines(r.out);
            };
            const auto plain = run(""), info = run("--info"), json = run("--json");
            ASSERT_EQ(plain.size(), kInputs.size());
            ASSERT_EQ(info.size(), kInputs.size());
            ASSERT_EQ(json.size(), kInputs.size());
            for (std::size_t i = 0; i < kInputs.size(); ++i) {
                SCOPED_TRACE(c.from + " -> " + c.to + ": \"" + kInputs[i] + '"');
                EXPECT_EQ(plain[i], resultLine(kInputs[i], c.fromIndex, c.toIndex));
                EXPECT_EQ(info[i], infoLine(kInputs[i], c.fromIndex, c.toIndex));
                EXPECT_EQ(json[i], jsonLine(kInputs[i], c.fromIndex, c.toIndex));
            }
        }
    }
}

TEST(Convert, WithoutUnitsThePairIsTheFirstRunPair)
{
    const auto [from, to] = kFirstRunPair;
    const RunResult r = runConvert({"--info", "5"}, "");
    EXPECT_EQ(r.out, infoLine("5", from, to) + '\n');
    EXPECT_EQ(runConvert({"--to", "cm", "5"}, "").out, resultLine("5", from, 21) + '\n');
    // The help names the pair it converts.
    const std::string help = runConvert({"--help"}, "").out;
    EXPECT_NE(help.find("(default: list row " + std::to_string(from) + ", inch)\n"), std::string::npos) << help;
    EXPECT_NE(help.find("(default: list row " + std::to_string(to) + ", millimetre)\n"), std::string::npos) << help;
}

// --shortest: the fewest digits that read back as the same double, in the
// result and the title; the info line as without it.
TEST(Convert, ShortestInEveryOutputForm)
{
    const struct {
        std::vector<std::string> arguments;
        std::string input, out;
    } cases[] = {
        {{"--shortest", "--from", "in", "--to", "cm", "5"}, "", "12.7\n"},
        {{"--from", "ft", "--to", "m", "--shortest", "1", "1e999", "-0.00000000000000000004", "abc", ""}, "",
         "0.3048\ninf\n0\n0\n\n"},
        {{"--from", "in", "--to", "cm", "--shortest"}, "5\n\n0.1\n-2.5", "12.7\n\n0.254\n-6.35\n"},
        {{"--info", "--shortest", "--from", "in", "--to", "cm", "5"}, "", "12.7\t1 in. = 2.54 cm\n"},
        {{"--from", "in", "--to", "cm", "--shortest", "--info"}, "5\n\n", "12.7\t1 in. = 2.54 cm\n\t\n"},
        {{"--shortest", "--json", "--from", "°F", "--to", "ºC", "1", ""}, "",
         R"({"input":"1","from":223,"to":222,"result":"-17.22222222222222","title":"-17.22222222222222 - Velkor Quantaro","info":"1 ºF = -17.2 ºC"})"
         "\n"
         R"({"input":"","from":223,"to":222,"result":"","title":"Velkor Quantaro","info":""})"
         "\n"},
        {{"--json", "--shortest", "--from", "ft", "--to", "m"}, "1\n",
         R"({"input":"1","from":34,"to":23,"result":"0.3048","title":"0.3048 - Velkor Quantaro","info":"1 ft. = 0.3048 m"})"
         "\n"},
    };
    for (const auto& c : cases) {
        const RunResult r = runConvert(c.arguments, c.input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.arguments.front() << ' ' << c.arguments.back();
    }
}

// --exact: the true value of the number as typed, in the result and the
// title; today's texts beyond the double range; the info line as without it.
TEST(Convert, ExactInEveryOutputForm)
{
    const struct {
        std::vector<std::string> arguments;
        std::string input, out;
    } cases[] = {
        {{"--exact", "--from", "ft", "--to", "m", "3"}, "", "0.9144\n"},
        {{"--from", "ft", "--to", "m", "--exact", "1", "1e999", "1e-400", "-0.00000000000000000004", "abc", "", "-0"}, "",
         "0.3048\ninf\n0\n-0.000000000000000000012192\n0\n\n0\n"},
        {{"--from", "in", "--to", "cm", "--exact"}, "5\n\n0.1\n-2.5\r\n", "12.7\n\n0.254\n-6.35\n"},
        {{"--info", "--exact", "--from", "kg", "--to", "lb", "70"}, "", "154.32358352941431\u2026\t1 kg = 2.2046226218487757 lb.\n"},
        {{"--from", "ºF", "--to", "ºC", "--exact", "--info"}, "212\n\n", "100\t1 ºF = -17.2 ºC\n\t\n"},
        {{"--exact", "--json", "--from", "°F", "--to", "ºC", "100", ""}, "",
         R"({"input":"100","from":223,"to":222,"result":"37.777777777777778…","title":"37.777777777777778… - Velkor Quantaro","info":"1 ºF = -17.2 ºC"})"
         "\n"
         R"({"input":"","from":223,"to":222,"result":"","title":"Velkor Quantaro","info":""})"
         "\n"},
        {{"--json", "--exact", "--from", "ft", "--to", "m"}, "1e999999999\n",
         R"({"input":"1e999999999","from":34,"to":23,"result":"inf","title":"inf - Velkor Quantaro","info":"1 ft. = 0.3048 m"})"
         "\n"},
    };
    for (const auto& c : cases) {
        const RunResult r = runConvert(c.arguments, c.input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.arguments.front() << ' ' << c.arguments.back();
    }
    const RunResult both = runConvert({"--exact", "--shortest", "5"}, "");
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("--exact and --shortest"), std::string::npos) << both.err;
}

// --mixed: the parts of the To row's family (170 cm = 66.929… in), on every
// line of standard input too; elsewhere the Shortest form, and with --json a
// "mixed" member that tells the two apart.
TEST(Convert, MixedInEveryOutputForm)
{
    const struct {
        std::vector<std::string> arguments;
        std::string input, out;
    } cases[] = {
        {{"170", "cm", "to", "ft", "--mixed"}, "", "5 ft 6.93 in\n"},
        {{"--mixed", "--fraction", "16", "170", "cm", "to", "ft"}, "", "5 ft 6 15/16 in\n"},
        {{"--mixed", "--fraction=16", "--from", "in", "--to", "ft", "71.97", "-66"}, "", "6 ft 0 in\n-5 ft 6 in\n"},
        {{"--mixed", "--from", "lb", "--to", "st"}, "158\n\n140\n1e999\n", "11 st 4 lb\n\n10 st 0 lb\ninf\n"},
        {{"--mixed", "--info", "--from", "s", "--to", "h", "5400"}, "", "1 h 30 min 0 s\t1 s = 0.0003 h\n"},
        {{"--mixed", "--from", "cm", "--to", "m", "170"}, "", "1.7\n"},
        {{"--mixed", "--json", "--from", "cm", "--to", "ft", "170", ""}, "",
         R"({"input":"170","from":21,"to":34,"result":"5 ft 6.93 in","title":"5 ft 6.93 in - Velkor Quantaro","info":"1 cm = 0.03280839895013123 ft.","mixed":"5 ft 6.93 in"})"
         "\n"
         R"({"input":"","from":21,"to":34,"result":"","title":"Velkor Quantaro","info":"","mixed":null})"
         "\n"},
        {{"--json", "--mixed", "--from", "cm", "--to", "m", "170"}, "",
         R"({"input":"170","from":21,"to":23,"result":"1.7","title":"1.7 - Velkor Quantaro","info":"1 cm = 0.01 m","mixed":null})"
         "\n"},
    };
    for (const auto& c : cases) {
        const RunResult r = runConvert(c.arguments, c.input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.arguments.front() << ' ' << c.arguments.back();
    }
    const struct {
        std::vector<std::string> arguments;
        std::string named;
    } refused[] = {
        {{"--mixed", "--shortest", "5"}, "--mixed and --shortest"},
        {{"--exact", "--mixed", "5"}, "--mixed and --exact"},
        {{"--fraction", "16", "5"}, "--fraction needs --mixed"},
        {{"--mixed", "--fraction", "12", "5"}, "--fraction takes"},
        {{"--mixed", "--fraction", "1", "5"}, "--fraction takes"},
        {{"--mixed", "--fraction", "128", "5"}, "--fraction takes"},
        {{"--mixed", "--fraction", "16x", "5"}, "--fraction takes"},
        {{"--mixed", "--fraction"}, "--fraction needs"},
    };
    for (const auto& c : refused) {
        const RunResult r = runConvert(c.arguments, "");
        EXPECT_EQ(r.status, 2) << c.named;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
    }
}

// Without --from and --to, arguments that ask in plain words are one query;
// plain numbers keep converting from inch to millimetre, and so do TEXTs
// with --from or --to and the lines of standard input. The
// results are worked out from the unit tables: 70 kg is 70 × 1000 ×
// 0.002204622621848776 lb., 3 ft is 3 × 0.3048 m, 7 in is 7 × 0.0254 × 1000 mm.
TEST(Query, ArgumentsThatAskInPlainWords)
{
    const std::string kg70 = "154.32358352941432\n";
    const struct {
        std::vector<std::string> arguments;
        std::string input;
        std::string out;
    } cases[] = {
        {{"70", "kg", "lb"}, "", kg70},
        {{"70", "kg", "to", "lb"}, "", kg70},
        {{"70 kg to lb"}, "", kg70},
        {{"70kg", "->", "lb"}, "", kg70},
        {{"3 ft in m"}, "", "0.9144000000000001\n"},
        {{"--shortest", "5in", "cm"}, "", "12.7\n"},
        {{"-40", "°C", "->", "°F"}, "", "-40\n"},
        {{"100", "ºC"}, "", "212\n"},
        {{"--info", "70", "kg", "lb"}, "", "154.32358352941432\t1 kg = 2.2046226218487757 lb.\n"},
        {{"--json", "70", "kg", "lb"}, "",
         R"({"input":"70","from":144,"to":154,"result":"154.32358352941432","title":"154.32358352941432 - Velkor Quantaro","info":"1 kg = 2.2046226218487757 lb."})"
         "\n"},
        // The forms that once went from inch to millimetre word by word.
        {{"107mph", "to", "kph"}, "", "172.19980800000002\n"},
        {{"52 weeks -> days"}, "", "364\n"},
        {{"100degC", "in", "degF"}, "", "212\n"},
        {{"6", "miles", "in", "meters"}, "", "9656.0640000000003\n"},
        {{"1 foot to meters"}, "", "0.30480000000000002\n"},
        {{"40°C in F"}, "", "104\n"},
        {{"100", "lbs", "in", "kg"}, "", "45.359237\n"},
        {{"1", "kg"}, "", "2.2046226218487757\n"},
        // Plain numbers.
        {{"5"}, "", "127\n"},
        {{"1", "2", "3"}, "", "25.399999999999999\n50.799999999999997\n76.199999999999989\n"},
        {{" 5 ", "1e3"}, "", "127\n25400\n"},
        {{"--from", "kg", "--to", "lb", "70", "kg", "lb"}, "", kg70 + "0\n0\n"},
        {{"--to", "cm", "5", "in", "m"}, "", "12.699999999999999\n0\n0\n"},
        {{}, "70 kg lb\n", "1778\n"},
        {{"--", "70", "kg", "lb"}, "", kg70},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? c.input : c.arguments.front() + " … " + c.arguments.back());
        const RunResult r = runConvert(c.arguments, c.input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST(Query, QueriesThatCannotBeAnsweredSayWhy)
{
    const struct {
        std::vector<std::string> arguments;
        std::string err;
    } cases[] = {
        {{"70", "kg", "lbz"}, "quantaro-convert: no unit matches \"lbz\"; did you mean lb (pound)?\n"},
        {{"5", "kpj"}, "quantaro-convert: no unit matches \"kpj\"; did you mean kph (kilometers per hour)?\n"},
        {{"5", "apples"}, "quantaro-convert: no unit matches \"apples\"\n"},
        {{"20 zorps to mph"}, "quantaro-convert: no unit matches \"zorps\"\n"},
        {{"to", "km"}, "quantaro-convert: no number at the beginning\n"},
        {{"5 ft 11 kg"}, "quantaro-convert: cannot add kilogramme (a mass) to foot (a length)\n"},
        {{"5", "in", "7"}, "quantaro-convert: no unit matches \"7\"\n"},
        {{"5 in", "7 in"},
         "quantaro-convert: inch follows inch: write the largest unit first (5 ft 11 in), or put a + between the terms\n"},
        {{"1 kg m"},
         "quantaro-convert: kilogramme (kg) (a mass) and metre (m) (a length) cannot be converted into one another\n"},
        {{"1", "p.", "m"},
         "quantaro-convert: \"p.\" matches 2 units; give a longer name, or one of these list indices with --from or --to:\n"
         "   37 \"pole (p.)\"  [Linear Measures - British and U.S.]\n"
         "   38 \"perch (p.)\"  [Linear Measures - British and U.S.]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        // Standard input stays open and empty: reading it would never end.
        const RunResult r = runConvert(c.arguments, RunOptions{});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }
}

// Gallon, pint and ton follow the measure of the locale, and the program
// says which it took: the unit tables give 3.78541 l for a US gallon,
// 4.54609 l for a British one, and 12.7006 kg for a British quarter.
TEST(Query, TheLocaleDecidesBetweenBritishAndUsUnits)
{
    const struct {
        const char* locale;
        std::vector<std::string> arguments;
        std::string out;
        std::string err;
    } cases[] = {
        {"en_US.UTF-8", {"1 gal to l"}, "3.7854099999999997\n", "quantaro-convert: read \"gal\" as US gallon\n"},
        {"en_GB.UTF-8", {"1 gal to l"}, "4.5460900000000004\n", "quantaro-convert: read \"gal\" as British gallon\n"},
        {"es_US", {"--from", "gallon", "--to", "l", "1"}, "3.7854099999999997\n",
         "quantaro-convert: --from: read \"gallon\" as US gallon\n"},
        {"de_DE.UTF-8", {"--from", "quarter", "--to", "kg", "1"}, "12.700600000000001\n",
         "quantaro-convert: --from: read \"quarter\" as British quarter\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        ::setenv("LC_MEASUREMENT", c.locale, 1);
        const RunResult r = runConvert(c.arguments, "");
        ::unsetenv("LC_MEASUREMENT");
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST(Convert, AmbiguousOrUnknownUnitsAreUsageErrors)
{
    const struct {
        std::string unit;
        std::vector<std::string> listed; // indices the message must offer
    } cases[] = {{"p.", {"37", "38"}}, {"bl.", {"105", "106", "113", "120"}}, {"mb", {"201", "202"}},
                 {"quarter", {"102", "156", "157"}}, {"parsec", {}}, {"238", {}}, {"", {}}};
    for (const auto& c : cases) {
        const RunResult r = runConvert({"--from", c.unit, "5"}, "");
        EXPECT_EQ(r.status, 2) << c.unit;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("--from"), std::string::npos) << r.err;
        for (const std::string& index : c.listed)
            EXPECT_NE(r.err.find("\n  " + std::string(3 - index.size(), ' ') + index + ' '), std::string::npos) << r.err;
    }
}

TEST(Convert, RefusedPairsStopBeforeReadingInput)
{
    // Header, separator, blank and preset-block header rows; different
    // quantities; sizes of different garments; a preset with a unit of
    // another quantity.
    const Case cases[] = {{"18", "mm", 18, 20}, {"mm", "17", 20, 17}, {"52", "in", 52, 31}, {"0", "1", 0, 1},
                          {"kg", "mm", 144, 20}, {"191", "194", 191, 194},
                          {"13", "1", 13, 1}, {"ºC", "J", 222, 182}};
    for (const Case& c : cases) {
        // Standard input stays open and empty: reading it would never end.
        const RunResult r = runConvert({"--from", c.from, "--to", c.to}, RunOptions{});
        EXPECT_EQ(r.status, 2) << c.from << " -> " << c.to;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("from " + std::to_string(c.fromIndex) + ' '), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(" to " + std::to_string(c.toIndex) + ' '), std::string::npos) << r.err;
    }
}

// The rows that the lists keep together convert, in either direction, to the
// value worked out by hand; a row of another quantity is refused either way.
TEST(Convert, EveryPartnerRulesPairs)
{
    for (const PartnerRuleCase& c : kPartnerRuleCases) {
        SCOPED_TRACE(c.rule);
        const std::string first = std::to_string(c.first), second = std::to_string(c.second),
                          foreign = std::to_string(c.foreign);
        RunResult r = runConvert({"--from", first, "--to", second, c.input}, "");
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string(c.result) + '\n');
        r = runConvert({"--from", second, "--to", first, c.result}, "");
        EXPECT_EQ(r.status, 0) << r.err;
        for (const auto& refused : {std::pair{first, foreign}, std::pair{foreign, second}}) {
            r = runConvert({"--from", refused.first, "--to", refused.second}, RunOptions{});
            EXPECT_EQ(r.status, 2) << refused.first << " -> " << refused.second;
            EXPECT_EQ(r.out, "");
        }
    }
}

TEST(Convert, UsageErrors)
{
    const std::vector<std::string> cases[] = {
        {"--info", "--json", "1"}, {"--frobnicate"}, {"--from"}, {"--list", "5"}, {"--from", "in", "--from", "mm"}, {"-x"},
        {"--list", "--shortest"}, {"--unit-names", "--shortest"}, {"--unit-names", "--json"}, {"--shortest=1"},
        {"--shortest", "--exact"}, {"--list", "--exact"}, {"--exact=1"}};
    for (const auto& arguments : cases) {
        const RunResult r = runConvert(arguments, RunOptions{});
        EXPECT_EQ(r.status, 2) << arguments.front();
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
    }
    EXPECT_EQ(runConvert({"--help"}, "").status, 0);
    EXPECT_EQ(runConvert({"--version"}, "").out.find("quantaro-convert"), 0u);
    EXPECT_NE(runConvert({"--version"}, "").out.find("GPL-3.0-or-later"), std::string::npos);
}

TEST(List, PrintsEveryRowWithItsIndexCodeAndLabel)
{
    const RunResult r = runConvert({"--list"}, "");
    const auto lines = splitLines(r.out);
    ASSERT_EQ(lines.size(), std::size_t{kCatalogueRowCount});
    for (int i = 0; i < kCatalogueRowCount; ++i) {
        const CatalogueRow& row = catalogueRows()[i];
        EXPECT_EQ(lines[i], std::to_string(i) + '\t' + std::to_string(row.code) + '\t' + std::string(row.fromLabel));
    }
}

TEST(Json, AnyBytesGiveValidJson)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"5 \x01\x1f\x7f\t\b\f\"\\/", R"(5 \u0001\u001f\u007f\t\b\f\"\\/)"},
        {"\xC2\x85 \xE2\x80\xA8 \xF0\x9F\x98\x80 \xC2\xBA", "\\u0085 \\u2028 \xF0\x9F\x98\x80 \xC2\xBA"},
        {std::string("1\0002", 3), "1\\u00002"},
        {"1\r2", "1\\r2"},
        {"\xff\xfe", fffd + fffd},
        {"\xC3", fffd},
        {"\xE2\x82x", fffd + "x"},                         // cut short: one replacement
        {"\xED\xA0\x80", fffd + fffd + fffd},              // a surrogate
        {"\xC0\xAF", fffd + fffd},                         // overlong
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd}, // beyond U+10FFFF
    };
    std::string input;
    for (const auto& c : cases)
        input += c.first + '\n';
    const auto lines = splitLines(runConvert({"--json", "--from", "m", "--to", "cm"}, input).out);
    ASSERT_EQ(lines.size(), std::size(cases));
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], jsonLine(cases[i].first, 23, 21, &cases[i].second));
}

TEST(Lines, EmptyLinesCarriageReturnsAndALastLineWithoutEnd)
{
    const RunResult r = runConvert({"--from", "m", "--to", "cm"}, "\n1\r\n\r\n2\n\n3");
    const std::string one = resultLine("1", 23, 21), two = resultLine("2", 23, 21), three = resultLine("3", 23, 21);
    EXPECT_EQ(r.out, "\n" + one + "\n\n" + two + "\n\n" + three + "\n");
    EXPECT_EQ(runConvert({"--info"}, "\n").out, "\t\n");
    EXPECT_EQ(runConvert({}, "").out, "");
}

TEST(Lines, LinesLongerThanAnyBufferConvertAsAWhole)
{
    const std::string mega(1 << 20, '0');
    std::string degrees;
    for (int i = 0; i < (1 << 19) + 1; ++i)
        degrees += "\xC2\xBA";
    std::vector<std::string> lines = {
        "1" + mega + "\r",                  // beyond the double range, with a CR
        "0." + mega + "25",                 // below it
        "12345678901234567" + mega + "e-1048576",
        std::string(1 << 20, ' ') + "-2.5e1x",
        "7" + degrees + "\xE2\x82",         // a sequence cut by the line end
        "2.5",
    };
    // A CR that ends a block of the reader, whatever its size, is still part
    // of the line end.
    for (int bits = 12; bits <= 20; ++bits)
        lines.push_back("4" + std::string((std::size_t{1} << bits) - 2, ' ') + "\r");
    std::string input;
    for (const std::string& line : lines)
        input += line + '\n';
    for (const char* form : {"--json", "--info"}) {
        const auto out = splitLines(runConvert({form, "--from", "in", "--to", "mm"}, input).out);
        ASSERT_EQ(out.size(), lines.size()) << form;
        for (std::size_t i = 0; i < out.size(); ++i) {
            SCOPED_TRACE(i);
            const std::string text = lines[i].ends_with('\r') ? lines[i].substr(0, lines[i].size() - 1) : lines[i];
            if (form == std::string("--info")) {
                EXPECT_EQ(out[i], infoLine(text, 31, 20));
                continue;
            }
            const std::string json = i == 4 ? text.substr(0, text.size() - 2) + "\xEF\xBF\xBD" : text;
            EXPECT_TRUE(out[i] == jsonLine(text, 31, 20, &json)); // no megabytes in the message
        }
    }
}

TEST(Output, AClosedPipeEndsQuietlyWithStatusOne)
{
    std::string input;
    for (int i = 0; i < 200000; ++i)
        input += std::to_string(i) + '\n';
    const std::vector<std::string> cases[] = {{}, {"--json"}, {"--list"}, {"1", "2"}};
    for (const auto& arguments : cases) {
        const RunResult r = runConvert(arguments, RunOptions{input, true});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "");
    }
}

} // namespace
} // namespace quantaro::test
