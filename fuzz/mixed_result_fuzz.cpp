// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// appendMixedResult with any input text, any From row, each To row of a
// family and any denominator. A text is given exactly where the To row has
// a family and the Exact form has a text of its own; it is an optional "-"
// then whole parts and a last part, each followed by its symbol in the
// family's order, from the first that is not 0; no part below the first
// reaches its unit; the last has at most two decimals without a trailing 0,
// or a reduced fraction of the denominator. Where the table relates two To
// rows of one family exactly (foot and inch; hour, minute and second), both
// give the same text.

#include "catalogue/catalogue.h"
#include "catalogue/mixed_families.h"
#include "exact/exact_result.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quantaro::MixedFamily;
using quantaro::UnitCode;
using quantaro::fuzz::shown;

void expect(bool ok, std::string_view what, const std::string& input, const std::string& text)
{
    if (!ok)
        quantaro::fuzz::fail(what, shown(input) + " -> " + shown(text));
}

bool allDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (const char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A whole number's text: digits, without leading zeros but "0" itself.
bool wholeText(std::string_view s) { return allDigits(s) && (s.size() == 1 || s[0] != '0'); }

// Whether n (a whole part's text) is below `limit`.
bool below(std::string_view n, std::uint64_t limit)
{
    std::uint64_t v = 0;
    const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), v);
    return ec == std::errc() && end == n.data() + n.size() && v < limit;
}

void checkLayout(const std::string& text, const MixedFamily& family, int denominator, const std::string& input)
{
    std::vector<std::string_view> words;
    std::string_view rest = text;
    if (rest.starts_with('-'))
        rest.remove_prefix(1);
    while (!rest.empty()) {
        const std::size_t space = rest.find(' ');
        words.push_back(rest.substr(0, space));
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    const auto parts = family.parts();
    std::size_t part = 0;
    std::size_t at = 0;
    bool first = true;
    while (at < words.size()) {
        const std::string_view number = words[at++];
        std::string_view fraction;
        if (at < words.size() && words[at].find('/') != std::string_view::npos)
            fraction = words[at++];
        expect(at < words.size(), "a number without its symbol", input, text);
        const std::string_view symbol = words[at++];
        std::size_t which = part;
        while (which < parts.size() && parts[which].symbol != symbol)
            ++which;
        expect(which < parts.size(), "an unknown symbol or one out of order", input, text);
        expect(first || which == part, "a part left out after the first", input, text);
        const bool last = which + 1 == parts.size();
        if (!last) {
            expect(fraction.empty() && wholeText(number), "a part before the last is no whole number", input, text);
        } else if (denominator == quantaro::kDecimalLastPart) {
            const std::size_t point = number.find('.');
            expect(fraction.empty(), "a fraction with decimals chosen", input, text);
            if (point != std::string_view::npos) {
                const std::string_view decimals = number.substr(point + 1);
                expect(wholeText(number.substr(0, point)) && allDigits(decimals) && decimals.size() <= 2
                          && decimals.back() != '0',
                      "the last part's decimals", input, text);
            } else {
                expect(wholeText(number), "the last part", input, text);
            }
        } else {
            // "6 15/16", or "15/16" alone.
            std::string_view whole = number;
            if (fraction.empty() && number.find('/') != std::string_view::npos) {
                fraction = number;
                whole = {};
            }
            expect(whole.empty() || wholeText(whole), "the last part's whole number", input, text);
            if (!fraction.empty()) {
                const std::size_t slash = fraction.find('/');
                const std::string_view a = fraction.substr(0, slash), b = fraction.substr(slash + 1);
                int num = 0, den = 0;
                std::from_chars(a.data(), a.data() + a.size(), num);
                std::from_chars(b.data(), b.data() + b.size(), den);
                expect(allDigits(a) && allDigits(b) && num > 0 && num < den && num % 2 == 1 && denominator % den == 0,
                      "the last part's fraction is not reduced or not of the denominator", input, text);
            }
            expect(number.find('.') == std::string_view::npos, "decimals with a fraction chosen", input, text);
        }
        if (!first) {
            const std::uint64_t unit = parts[which - 1].inLast / parts[which].inLast;
            // A fraction alone ("15/16") has no whole number.
            const std::string_view whole =
                number.find('/') != std::string_view::npos ? std::string_view() : number.substr(0, number.find('.'));
            expect(whole.empty() || below(whole, unit), "a part below the first reaches its unit", input, text);
        } else if (!last) {
            expect(number != "0", "a leading part of 0", input, text);
        }
        first = false;
        part = which + 1;
    }
    expect(part == parts.size(), "the last part missing", input, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quantaro::fuzz::useCommaLocale();
    FuzzedDataProvider provider(data, size);
    const auto rows = quantaro::catalogueRows();
    const UnitCode from = rows[provider.ConsumeIntegralInRange<std::size_t>(0, rows.size() - 1)].code;
    const auto families = quantaro::mixedFamilies();
    const MixedFamily& family = families[provider.ConsumeIntegralInRange<std::size_t>(0, families.size() - 1)];
    const int denominator = provider.ConsumeBool() ? 1 << provider.ConsumeIntegralInRange(0, 7) : provider.ConsumeIntegral<int>();
    const std::string input = provider.ConsumeRemainingBytesAsString();

    std::string first;
    for (const UnitCode to : family.target) {
        if (to == 0)
            continue;
        std::string text = "kept";
        const bool given = quantaro::appendMixedResult(input, from, to, denominator, text);
        std::string exact;
        const bool exactGiven = quantaro::appendExactResult(input, from, to, exact);
        expect(given == exactGiven, "a Mixed text where the Exact form has none, or none where it has one", input, text);
        if (!given) {
            expect(text == "kept", "a text appended where none is given", input, text);
            continue;
        }
        expect(text.starts_with("kept"), "the caller's text changed", input, text);
        text.erase(0, 4);
        checkLayout(text, family, quantaro::isFractionDenominator(denominator) ? denominator : 0, input);
        const bool exactFamily = family.name == "foot+inch" || family.name == "hour+minute+second";
        if (first.empty())
            first = text;
        else if (exactFamily)
            expect(text == first, "two To rows of one family differ", input, text + " / " + first);
    }
    return 0;
}
