// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "exact/exact_result.h"

#include "engine/number_text.h"
#include "engine/unit_definitions.h"
#include "catalogue/mixed_families.h"
#include "exact/exact_constants.h"

// cpp_int.hpp includes <iostream> though it writes to no standard stream.
// With GCC 12's library that header puts into every program linking this file
// a static initialiser of the eight standard streams and their locales: a
// fifth more of quantaro-convert's start, --exact or not. The stream classes
// it names come from <istream> and <ostream>; <iostream> itself stays out.
#include <istream>
#include <ostream>
#if defined(__GLIBCXX__) && !defined(_GLIBCXX_IOSTREAM)
#define _GLIBCXX_IOSTREAM 1
#endif
#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace quantaro {
namespace exact {

Ratio ratioOf(double constant)
{
    for (const RoundedFraction& f : kRoundedFractions) {
        if (f.written == constant)
            return f.exact;
    }
    // "d.ddde±x": the shortest digits and their power of ten.
    char text[32];
    const char* const end = std::to_chars(text, text + sizeof text, constant, std::chars_format::scientific).ptr;
    Ratio ratio{0, 1, 0};
    const char* p = text;
    int digitsAfterPoint = 0;
    bool afterPoint = false;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.') {
            afterPoint = true;
            continue;
        }
        ratio.num = ratio.num * 10 + static_cast<std::uint64_t>(*p - '0');
        digitsAfterPoint += afterPoint ? 1 : 0;
    }
    int exponent = 0;
    if (p < end)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
    ratio.power = exponent - digitsAfterPoint;
    return ratio;
}

const SizeRule* findSizeRule(UnitCode code)
{
    for (const SizeRule& rule : kSizeRules) {
        if (rule.code == code)
            return &rule;
    }
    return nullptr;
}

} // namespace exact

namespace {

namespace mp = boost::multiprecision;
using exact::Ratio;

// A number as people type it (up to 20 digits, a power of ten up to 30)
// through any pair of rows fits this width, and a fixed-width number needs
// no allocation; anything longer, or an overflow, goes to the unbounded type.
using FixedInt = mp::number<mp::cpp_int_backend<384, 384, mp::signed_magnitude, mp::checked, void>>;
using BigInt = mp::cpp_int;
constexpr std::size_t kFixedDigits = 20;
constexpr std::int64_t kFixedPower = 30;

// Digits in full up to this many; beyond, 17 rounded and the mark.
constexpr int kExactDigits = 40;
constexpr int kRoundedDigits = 17;

constexpr std::uint64_t k10To19 = 10'000'000'000'000'000'000u;

constexpr auto kSmallPowers = [] {
    std::array<std::uint64_t, 20> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 10;
    return powers;
}();

template <class Int>
Int powerOfTen(std::int64_t n)
{
    if (n < static_cast<std::int64_t>(kSmallPowers.size()))
        return Int(kSmallPowers[static_cast<std::size_t>(n)]);
    return mp::pow(Int(10), static_cast<unsigned>(n));
}

// num / den × 10^power; den is above 0 and num carries the sign.
template <class Int>
struct Rational {
    Int num;
    Int den{1};
    std::int64_t power = 0;
};

template <class Int>
void multiply(Rational<Int>& v, const Ratio& r)
{
    v.num *= r.num;
    v.den *= r.den;
    v.power += r.power;
}

template <class Int>
void divide(Rational<Int>& v, const Ratio& r)
{
    v.num *= r.den;
    v.den *= r.num;
    v.power -= r.power;
}

// v + sign × r, on the smaller of the two powers of ten; r is a table's
// Ratio or another Rational.
template <class Int, class Right>
void add(Rational<Int>& v, const Right& r, int sign)
{
    const std::int64_t power = std::min<std::int64_t>(v.power, r.power);
    Int term = Int(r.num) * v.den;
    if (r.power > power)
        term *= powerOfTen<Int>(r.power - power);
    if (v.power > power)
        v.num *= powerOfTen<Int>(v.power - power);
    v.num *= r.den;
    v.den *= r.den;
    if (sign < 0)
        v.num -= term;
    else
        v.num += term;
    v.power = power;
}

// Whether v >= n.
template <class Int>
bool atLeast(const Rational<Int>& v, std::int32_t n)
{
    Int left = v.num;
    Int right = Int(n) * v.den;
    if (v.power > 0)
        left *= powerOfTen<Int>(v.power);
    else if (v.power < 0)
        right *= powerOfTen<Int>(-v.power);
    return left >= right;
}

template <class Int>
void applySize(const exact::SizeFormula& f, Rational<Int>& v)
{
    int halves = f.offsetHalves;
    if (f.threshold && atLeast(v, *f.threshold))
        halves += f.extraHalves;
    multiply(v, Ratio{static_cast<std::uint64_t>(f.scaleNum), static_cast<std::uint64_t>(f.scaleDen), 0});
    if (halves != 0)
        add(v, Ratio{static_cast<std::uint64_t>(halves < 0 ? -halves : halves), 2, 0}, halves < 0 ? -1 : 1);
}

// The exact meaning of every step constant of every unit, worked out once:
// the shortest decimal of a double costs more than the arithmetic.
using StepRatios = std::array<Ratio, kMaxSteps>;

const StepRatios& ratiosOf(const UnitDefinition& unit)
{
    static const std::vector<StepRatios> table = [] {
        std::vector<StepRatios> ratios;
        for (const UnitDefinition& d : allDefinitions()) {
            StepRatios& r = ratios.emplace_back();
            for (std::size_t i = 0; i < d.toBase.count; ++i) {
                if (d.toBase.step[i].kind != StepKind::Size)
                    r[i] = exact::ratioOf(d.toBase.step[i].constant);
            }
        }
        return ratios;
    }();
    return table[static_cast<std::size_t>(&unit - allDefinitions().data())];
}

bool hasSizeStep(const Steps& steps)
{
    return std::any_of(steps.begin(), steps.end(), [](const Step& s) { return s.kind == StepKind::Size; });
}

// The From unit's toBase steps on the exact value. False where a size row
// has no exact rule (the table and the rules disagree).
template <class Int>
bool intoBase(const UnitDefinition& unit, Rational<Int>& v)
{
    const StepRatios& ratios = ratiosOf(unit);
    for (std::size_t i = 0; i < unit.toBase.count; ++i) {
        const Step& step = unit.toBase.step[i];
        switch (step.kind) {
        case StepKind::Multiply: multiply(v, ratios[i]); break;
        case StepKind::Add: add(v, ratios[i], 1); break;
        case StepKind::Subtract: add(v, ratios[i], -1); break;
        case StepKind::Size: {
            const exact::SizeRule* rule = exact::findSizeRule(unit.code);
            if (rule == nullptr)
                return false;
            applySize(rule->in, v);
            break;
        }
        }
    }
    return true;
}

// The To unit's toBase steps undone, last first: a division for each
// multiplication, an addition for each subtraction; a size row's own formula.
template <class Int>
bool outOfBase(const UnitDefinition& unit, Rational<Int>& v)
{
    if (hasSizeStep(unit.toBase)) {
        const exact::SizeRule* rule = exact::findSizeRule(unit.code);
        if (rule == nullptr)
            return false;
        applySize(rule->out, v);
        return true;
    }
    const StepRatios& ratios = ratiosOf(unit);
    for (std::size_t i = unit.toBase.count; i > 0; --i) {
        switch (unit.toBase.step[i - 1].kind) {
        case StepKind::Multiply: divide(v, ratios[i - 1]); break;
        case StepKind::Add: add(v, ratios[i - 1], -1); break;
        case StepKind::Subtract: add(v, ratios[i - 1], 1); break;
        case StepKind::Size: return false; // handled above
        }
    }
    return true;
}

// The typed mantissa's digits without the point, leading and trailing zeros.
struct TypedDigits {
    std::string_view mantissa; // as typed, with the point
    std::size_t first = 0;     // first digit other than 0
    std::size_t last = 0;      // past the last digit other than 0
    std::size_t count = 0;     // digits from first to last
    std::int64_t power = 0;    // power of ten of the digit before `last`
};

TypedDigits typedDigits(std::string_view mantissa, std::int64_t exponent)
{
    TypedDigits d;
    d.mantissa = mantissa;
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    d.first = mantissa.find_first_not_of("0.");
    if (d.first == std::string_view::npos)
        return d; // zero
    d.last = mantissa.find_last_not_of("0.") + 1;
    d.count = d.last - d.first - (d.first < point && point < d.last ? 1 : 0);
    // The power of the last digit other than 0: its distance from the point.
    const auto lastIndex = static_cast<std::int64_t>(d.last - 1);
    const auto pointIndex = static_cast<std::int64_t>(point);
    d.power = exponent + (lastIndex < pointIndex ? pointIndex - 1 - lastIndex : pointIndex - lastIndex);
    return d;
}

// The value of a run of digits. The halves are joined by a multiplication
// by a power of ten, so that a long paste costs what the library's
// (Karatsuba) multiplication of its halves costs, not the square of its
// length as digit after digit would. powers[j] is 10^(19 × 2^j).
BigInt runValue(std::string_view digits, std::vector<BigInt>& powers)
{
    constexpr std::size_t kChunk = 19;
    if (digits.size() <= 4 * kChunk) {
        BigInt n = 0;
        std::size_t at = 0;
        while (at < digits.size()) {
            const std::size_t take = std::min(kChunk, digits.size() - at);
            std::uint64_t chunk = 0;
            for (std::size_t i = at; i < at + take; ++i)
                chunk = chunk * 10 + static_cast<std::uint64_t>(digits[i] - '0');
            n *= kSmallPowers[take];
            n += chunk;
            at += take;
        }
        return n;
    }
    std::size_t j = 0;
    while ((kChunk << (j + 1)) < digits.size())
        ++j;
    while (powers.size() <= j)
        powers.push_back(powers.empty() ? BigInt(k10To19) : BigInt(powers.back() * powers.back()));
    const std::size_t low = kChunk << j;
    BigInt high = runValue(digits.substr(0, digits.size() - low), powers);
    high *= powers[j];
    high += runValue(digits.substr(digits.size() - low), powers);
    return high;
}

template <class Int>
Int digitsValue(const TypedDigits& d)
{
    if (d.count <= 19) {
        std::uint64_t n = 0;
        for (std::size_t i = d.first; i < d.last; ++i) {
            if (d.mantissa[i] != '.')
                n = n * 10 + static_cast<std::uint64_t>(d.mantissa[i] - '0');
        }
        return Int(n);
    }
    std::string digits;
    digits.reserve(d.count);
    for (std::size_t i = d.first; i < d.last; ++i) {
        if (d.mantissa[i] != '.')
            digits += d.mantissa[i];
    }
    std::vector<BigInt> powers;
    return Int(runValue(digits, powers));
}

// Writes `count` digits standing for d1.d2d3… × 10^firstPower in the plain
// layout; the digits have no trailing zeros.
void writePlain(bool negative, const char* digits, std::size_t count, std::int64_t firstPower, std::string& out)
{
    if (negative)
        out += '-';
    if (firstPower < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-firstPower - 1), '0');
        out.append(digits, count);
        return;
    }
    const auto integerDigits = static_cast<std::size_t>(firstPower) + 1;
    if (count <= integerDigits) {
        out.append(digits, count);
        out.append(integerDigits - count, '0');
        return;
    }
    out.append(digits, integerDigits);
    out += '.';
    out.append(digits + integerDigits, count - integerDigits);
}

// The decimal digits of 0 < q < 10^57, first digit first; returns their count.
template <class Int>
std::size_t writeDigits(Int q, char* out)
{
    std::uint64_t pieces[3] = {0, 0, 0};
    int count = 0;
    while (q >= k10To19 && count < 2) {
        Int rest;
        mp::divide_qr(q, Int(k10To19), q, rest);
        pieces[count++] = static_cast<std::uint64_t>(rest);
    }
    pieces[count] = static_cast<std::uint64_t>(q);
    char* o = std::to_chars(out, out + 20, pieces[count]).ptr;
    for (int i = count - 1; i >= 0; --i) {
        char piece[20];
        const char* end = std::to_chars(piece, piece + 20, pieces[i]).ptr;
        const auto length = static_cast<std::size_t>(end - piece);
        std::memset(o, '0', 19 - length);
        std::memcpy(o + 19 - length, piece, length);
        o += 19;
    }
    return static_cast<std::size_t>(o - out);
}

// Appends the Exact text of v (not zero).
template <class Int>
void writeExactText(const Rational<Int>& v, std::string& out)
{
    const bool negative = v.num < 0;
    const Int num = negative ? Int(-v.num) : v.num;
    // |v| / 10^power lies in [2^bits, 2^(bits + 2)); 78913 / 2^18 is just
    // under log10(2), and one less makes `low` at most the power of ten of
    // the first digit, whatever the rounding of the estimate.
    const auto bits = static_cast<std::int64_t>(mp::msb(num)) - static_cast<std::int64_t>(mp::msb(v.den)) - 1;
    const std::int64_t low = ((bits * 78913) >> 18) - 1 + v.power;
    // One division gives the first 41 or more digits of |v|: the quotient of
    // |v| × 10^shift, with a remainder that tells whether more follow.
    std::int64_t shift = kExactDigits - low;
    char digits[64];
    std::size_t count = 0;
    Int rest;
    for (;;) {
        Int a = num;
        Int b = v.den;
        const std::int64_t scale = shift + v.power;
        if (scale >= 0)
            a *= powerOfTen<Int>(scale);
        else
            b *= powerOfTen<Int>(-scale);
        Int q;
        mp::divide_qr(a, b, q, rest);
        count = writeDigits(q, digits);
        if (count > static_cast<std::size_t>(kExactDigits))
            break;
        ++shift; // the estimate fell short: one digit more
    }
    const std::int64_t firstPower = static_cast<std::int64_t>(count) - 1 - shift;

    const bool terminates = rest == 0 && std::all_of(digits + kExactDigits, digits + count, [](char c) { return c == '0'; });
    if (terminates) {
        std::size_t length = kExactDigits;
        while (digits[length - 1] == '0')
            --length;
        writePlain(negative, digits, length, firstPower, out);
        return;
    }

    // Half to even on everything after the 17th digit, the remainder included.
    const char next = digits[kRoundedDigits];
    const bool beyondHalf = rest != 0 || std::any_of(digits + kRoundedDigits + 1, digits + count, [](char c) { return c != '0'; });
    const bool odd = (digits[kRoundedDigits - 1] - '0') % 2 != 0;
    std::int64_t power = firstPower;
    if (next > '5' || (next == '5' && (beyondHalf || odd))) {
        int i = kRoundedDigits - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else { // 99…9 became 100…0
            digits[0] = '1';
            ++power;
        }
    }
    std::size_t length = kRoundedDigits;
    while (digits[length - 1] == '0')
        --length;
    writePlain(negative, digits, length, power, out);
    out += kMoreDigits;
}

// The exact value of the typed digits (sign apart) through both sides,
// handed to `write`. False where the rules cannot say (a size row without
// its exact rule) or `write` fails; `out` may then hold part of a text.
template <class Int, class Write>
bool exactValue(const TypedDigits& typed, bool negative, const UnitDefinition* source, const UnitDefinition* target,
                Write& write, std::string& out)
{
    Rational<Int> v;
    v.num = digitsValue<Int>(typed);
    v.power = typed.power;
    if (negative)
        v.num = -v.num;
    if (source != nullptr && !intoBase(*source, v))
        return false;
    if (target != nullptr && !outOfBase(*target, v))
        return false;
    return write(v, out);
}

// Appends the Exact text of v.
struct WriteExact {
    template <class Int>
    bool operator()(const Rational<Int>& v, std::string& out) const
    {
        if (v.num == 0)
            out += '0';
        else
            writeExactText(v, out);
        return true;
    }
};

// Appends the decimal digits of n >= 0.
template <class Int>
void appendWhole(const Int& n, std::string& out)
{
    if (n < k10To19) {
        char text[20];
        out.append(text, std::to_chars(text, text + sizeof text, static_cast<std::uint64_t>(n)).ptr);
        return;
    }
    out += n.str();
}

// Appends the Mixed text of v: v in the family's last unit rounded to its
// step (a hundredth, or 1/denominator) half to even, then split into the
// parts by whole divisions, so that a carry goes upwards by itself and no
// part below the first reaches its unit. The parts before the first that is
// not zero are left out; the last part is always written.
struct WriteMixed {
    const MixedFamily& family;
    std::uint32_t toInLast; // the To unit in the family's last unit
    int denominator;        // kDecimalLastPart or 2 to 64

    template <class Int>
    bool operator()(const Rational<Int>& v, std::string& out) const
    {
        const std::uint32_t steps = denominator == kDecimalLastPart ? 100 : static_cast<std::uint32_t>(denominator);
        // |v| × toInLast × steps, rounded half to even to a whole number of steps.
        Int a = v.num < 0 ? Int(-v.num) : v.num;
        Int b = v.den;
        a *= toInLast;
        a *= steps;
        if (v.power > 0)
            a *= powerOfTen<Int>(v.power);
        else if (v.power < 0)
            b *= powerOfTen<Int>(-v.power);
        Int total;
        Int rest;
        mp::divide_qr(a, b, total, rest);
        rest *= 2;
        if (rest > b || (rest == b && (total & 1) != 0))
            ++total;

        if (v.num < 0 && total != 0)
            out += '-';
        const std::span<const MixedPart> parts = family.parts();
        bool written = false;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            const std::uint64_t unitSteps = std::uint64_t{parts[i].inLast} * steps;
            Int whole;
            mp::divide_qr(total, Int(unitSteps), whole, total);
            if (!written && whole == 0)
                continue;
            appendWhole(whole, out);
            out += ' ';
            out += parts[i].symbol;
            out += ' ';
            written = true;
        }
        // total < the part above the last in steps, which fits 64 bits.
        const auto last = static_cast<std::uint64_t>(total);
        char text[48];
        char* end = std::to_chars(text, text + 20, last / steps).ptr;
        std::uint64_t fraction = last % steps;
        if (denominator == kDecimalLastPart) {
            if (fraction != 0) {
                *end++ = '.';
                *end++ = static_cast<char>('0' + fraction / 10);
                if (fraction % 10 != 0)
                    *end++ = static_cast<char>('0' + fraction % 10);
            }
        } else if (fraction != 0) {
            std::uint64_t den = steps;
            while (fraction % 2 == 0) { // den is a power of two
                fraction /= 2;
                den /= 2;
            }
            if (last / steps == 0)
                end = text;
            else
                *end++ = ' ';
            end = std::to_chars(end, text + sizeof text, fraction).ptr;
            *end++ = '/';
            end = std::to_chars(end, text + sizeof text, den).ptr;
        }
        out.append(text, end);
        out += ' ';
        out += parts.back().symbol;
        return true;
    }
};

bool finiteText(std::string_view result)
{
    return !result.empty() && result != "inf" && result != "-inf" && result != "nan";
}

// Appends the exact value's text, as `write` gives it, where the typed
// number lies within the double range and today's result (`todayFinite`) is
// a finite number. Returns false, `out` unchanged, where today's text stands.
template <class Write>
bool appendExact(std::string_view input, UnitCode from, UnitCode to, bool todayFinite, Write write, std::string& out)
{
    if (!todayFinite)
        return false;
    const NumberScan scan = scanNumber(input);
    const TypedDigits typed = scan.found ? typedDigits(input.substr(scan.mantissaBegin, scan.mantissaEnd - scan.mantissaBegin),
                                                       scan.exponent)
                                         : TypedDigits{};
    const double reading = readNumber(input);
    if (std::isinf(reading) || (reading == 0 && typed.count > 0))
        return false; // beyond the double range
    // A number within the double range has its digits within the input, so
    // its power of ten is bounded by the input's length.
    if (typed.count > 0 && std::abs(typed.power) > static_cast<std::int64_t>(input.size()) + 400)
        return false;

    const UnitDefinition* source = findDefinition(from);
    const UnitDefinition* target = findDefinition(to);
    const std::size_t length = out.size();
    bool done = false;
    if (typed.count <= kFixedDigits && std::abs(typed.power) <= kFixedPower) {
        try {
            done = exactValue<FixedInt>(typed, scan.negative, source, target, write, out);
        } catch (const std::overflow_error&) {
            out.resize(length);
            done = exactValue<BigInt>(typed, scan.negative, source, target, write, out);
        }
    } else {
        done = exactValue<BigInt>(typed, scan.negative, source, target, write, out);
    }
    if (!done)
        out.resize(length);
    return done;
}

// The Mixed writer for a To row, or nothing where the row has no family.
std::optional<WriteMixed> mixedWriter(UnitCode to, int denominator)
{
    const MixedFamily* family = mixedFamilyOf(to);
    const UnitDefinition* target = findDefinition(to);
    if (family == nullptr || target == nullptr)
        return std::nullopt;
    for (const MixedPart& part : family->parts())
        if (part.unit == target->code)
            return WriteMixed{*family, part.inLast, isFractionDenominator(denominator) ? denominator : kDecimalLastPart};
    return std::nullopt;
}

// Far beyond any amount the query reader writes: a longer one, more digits
// or a larger power of ten is not worked out.
constexpr std::size_t kMaxAmountLength = 1024;
constexpr int kMaxAmountDepth = 64;
constexpr std::int64_t kMaxAmountPower = 20000;

using Exact = Rational<BigInt>;

// a + sign × b, on the smaller of the two powers of ten, reduced.
void addExact(Exact& a, const Exact& b, int sign)
{
    add(a, b, sign);
    const BigInt g = mp::gcd(a.num, a.den);
    if (g > 1) {
        a.num /= g;
        a.den /= g;
    }
}

// An amount in the reader's form: SUM = ["+"|"-"] PRODUCT {("+"|"-") PRODUCT},
// PRODUCT = FACTOR {("*"|"/") FACTOR}, FACTOR = NUMBER | "(" SUM ")".
class AmountReader {
public:
    explicit AmountReader(std::string_view text) : t(text) {}

    bool read(Exact& v) { return t.size() <= kMaxAmountLength && sum(v, 0) && at == t.size(); }

private:
    std::string_view t;
    std::size_t at = 0;

    char peek() const { return at < t.size() ? t[at] : '\0'; }

    bool sum(Exact& v, int depth)
    {
        int sign = 1;
        if (peek() == '+' || peek() == '-')
            sign = t[at++] == '-' ? -1 : 1;
        if (!product(v, depth))
            return false;
        if (sign < 0)
            v.num = -v.num;
        while (peek() == '+' || peek() == '-') {
            const int op = t[at++] == '-' ? -1 : 1;
            Exact next;
            if (!product(next, depth))
                return false;
            addExact(v, next, op);
            if (std::abs(v.power) > kMaxAmountPower)
                return false;
        }
        return true;
    }

    bool product(Exact& v, int depth)
    {
        if (!factor(v, depth))
            return false;
        while (peek() == '*' || peek() == '/') {
            const char op = t[at++];
            Exact next;
            if (!factor(next, depth))
                return false;
            if (op == '*') {
                v.num *= next.num;
                v.den *= next.den;
                v.power += next.power;
            } else {
                if (next.num == 0)
                    return false;
                v.num *= next.den;
                v.den *= next.num;
                v.power -= next.power;
                if (v.den < 0) {
                    v.den = -v.den;
                    v.num = -v.num;
                }
            }
            if (std::abs(v.power) > kMaxAmountPower)
                return false;
            const BigInt g = mp::gcd(v.num, v.den);
            if (g > 1) {
                v.num /= g;
                v.den /= g;
            }
        }
        return true;
    }

    bool factor(Exact& v, int depth)
    {
        if (depth > kMaxAmountDepth)
            return false;
        if (peek() == '(') {
            ++at;
            if (!sum(v, depth + 1) || peek() != ')')
                return false;
            ++at;
            return true;
        }
        if (peek() == '-' || peek() == '+') {
            const bool negative = t[at++] == '-';
            if (!factor(v, depth + 1))
                return false;
            if (negative)
                v.num = -v.num;
            return true;
        }
        if (!((peek() >= '0' && peek() <= '9') || peek() == '.'))
            return false;
        const std::string_view rest = t.substr(at);
        const NumberScan scan = scanNumber(rest);
        if (!scan.found || scan.negative)
            return false;
        const TypedDigits typed =
            typedDigits(rest.substr(scan.mantissaBegin, scan.mantissaEnd - scan.mantissaBegin), scan.exponent);
        if (typed.count > 0 && std::abs(typed.power) > kMaxAmountPower)
            return false;
        v = Exact{};
        if (typed.count > 0) {
            v.num = digitsValue<BigInt>(typed);
            v.power = typed.power;
        }
        at += scan.end;
        return true;
    }
};

// The double nearest to v.
double nearestDouble(const Exact& v)
{
    // Far beyond the double range either way: no need to build the power.
    const double digits = static_cast<double>(mp::msb(mp::abs(v.num) + 1)) * 0.30103;
    const double denDigits = static_cast<double>(mp::msb(v.den)) * 0.30103;
    const double magnitude = static_cast<double>(v.power) + digits - denDigits;
    if (v.num == 0)
        return 0.0;
    if (magnitude > 400)
        return v.num < 0 ? -HUGE_VAL : HUGE_VAL;
    if (magnitude < -400)
        return v.num < 0 ? -0.0 : 0.0;
    mp::cpp_rational q(v.num, v.den);
    if (v.power > 0)
        q *= mp::cpp_rational(powerOfTen<BigInt>(v.power));
    else if (v.power < 0)
        q /= mp::cpp_rational(powerOfTen<BigInt>(-v.power));
    return q.convert_to<double>();
}

// The exact sum of the terms in the To unit; false where an amount cannot
// be worked out or a unit has no exact rule.
bool termsValue(std::span<const Term> terms, const UnitDefinition* target, Exact& sum)
{
    sum = Exact{};
    for (const Term& term : terms) {
        Exact v;
        if (!AmountReader(term.number).read(v))
            return false;
        if (const UnitDefinition* source = findDefinition(term.unit); source != nullptr && !intoBase(*source, v))
            return false;
        if (target != nullptr && !outOfBase(*target, v))
            return false;
        addExact(sum, v, 1);
        if (std::abs(sum.power) > kMaxAmountPower)
            return false;
    }
    return true;
}

} // namespace

void ConvertExact(std::string_view input, UnitCode from, UnitCode to, Conversion& out)
{
    Convert(input, from, to, out);
    std::string text;
    if (!appendExact(input, from, to, finiteText(out.result), WriteExact{}, text))
        return;
    // The title is the result and what Convert put after its own result.
    const std::size_t titleEnd = out.result.size();
    out.title.replace(0, titleEnd, text);
    out.result.assign(text);
}

Conversion ConvertExact(std::string_view input, UnitCode from, UnitCode to)
{
    Conversion out;
    ConvertExact(input, from, to, out);
    return out;
}

bool appendExactResult(std::string_view input, UnitCode from, UnitCode to, std::string& out)
{
    if (input.empty())
        return false; // an empty result, as today
    return appendExact(input, from, to, std::isfinite(convertValue(readNumber(input), from, to)), WriteExact{}, out);
}

bool appendMixedResult(std::string_view input, UnitCode from, UnitCode to, int denominator, std::string& out)
{
    if (input.empty())
        return false;
    const std::optional<WriteMixed> write = mixedWriter(to, denominator);
    if (!write)
        return false;
    return appendExact(input, from, to, std::isfinite(convertValue(readNumber(input), from, to)), *write, out);
}

std::optional<ResultForm> appendTermsResult(std::span<const Term> terms, UnitCode to, ResultForm form,
                                            int denominator, std::string& out)
{
    Exact v;
    if (terms.empty() || !termsValue(terms, findDefinition(to), v))
        return std::nullopt;
    const double nearest = nearestDouble(v);
    // As for a typed number: beyond the double range the double's text stands.
    const bool inRange = std::isfinite(nearest) && (nearest != 0 || v.num == 0);
    if (inRange && form == ResultForm::Exact) {
        WriteExact{}(v, out);
        return form;
    }
    if (inRange && form == ResultForm::Mixed) {
        if (const std::optional<WriteMixed> write = mixedWriter(to, denominator)) {
            (*write)(v, out);
            return form;
        }
    }
    char text[kNineteenDecimalCapacity];
    const bool shortest = form == ResultForm::Shortest || form == ResultForm::Mixed;
    out.append(text, shortest ? writeShortestResultText(nearest, text) : writeResultText(nearest, text));
    return form == ResultForm::Mixed ? ResultForm::Shortest : form;
}

std::string_view resultNumber(std::string_view result)
{
    if (result.ends_with(kMoreDigits))
        result.remove_suffix(kMoreDigits.size());
    return result;
}

} // namespace quantaro
