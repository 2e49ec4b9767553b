// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/quantity_text.h"

#include "catalogue/catalogue.h"
#include "engine/number_text.h"
#include "engine/unit_definitions.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quantaro {

namespace {

// Far beyond any quantity a person writes; a longer text is not read through.
constexpr std::size_t kMaxQuantityLength = 512;
constexpr std::size_t kMaxTerms = 32;
constexpr int kMaxDepth = 16;
constexpr std::size_t kMaxQuotedLength = 40;

// The vulgar-fraction characters and what they stand for.
struct Vulgar {
    std::string_view text;
    std::string_view value;
};
// clang-format off
constexpr std::array<Vulgar, 18> kVulgar{{
    {"\u00BD", "1/2"},  // ½
    {"\u2153", "1/3"},  // ⅓
    {"\u2154", "2/3"},  // ⅔
    {"\u00BC", "1/4"},  // ¼
    {"\u00BE", "3/4"},  // ¾
    {"\u2155", "1/5"},  // ⅕
    {"\u2156", "2/5"},  // ⅖
    {"\u2157", "3/5"},  // ⅗
    {"\u2158", "4/5"},  // ⅘
    {"\u2159", "1/6"},  // ⅙
    {"\u215A", "5/6"},  // ⅚
    {"\u2150", "1/7"},  // ⅐
    {"\u215B", "1/8"},  // ⅛
    {"\u215C", "3/8"},  // ⅜
    {"\u215D", "5/8"},  // ⅝
    {"\u215E", "7/8"},  // ⅞
    {"\u2151", "1/9"},  // ⅑
    {"\u2152", "1/10"}, // ⅒
}};

// The marks written for feet and inches, longest first, and the unit's name.
struct Mark {
    std::string_view text;
    std::string_view unit;
};
constexpr std::array<Mark, 7> kMarks{{
    {"''",     "inch"},
    {"\"",     "inch"},
    {"\u2033", "inch"}, // ″ double prime
    {"\u201D", "inch"}, // ” as word processors replace "
    {"'",      "foot"},
    {"\u2032", "foot"}, // ′ prime
    {"\u2019", "foot"}, // ’ as word processors replace '
}};
// markAt looks at a mark's first byte before comparing the rest.
static_assert(std::ranges::all_of(kMarks, [](const Mark& m) {
    return m.text.front() == '\'' || m.text.front() == '"' || m.text.front() == '\xE2';
}));


// A number with no unit after it takes the next smaller unit of the one
// before: people say "5 foot 6" for a height. One row per unit that allows it.
struct BareFollower {
    std::string_view after;
    std::string_view unit;
};
constexpr std::array<BareFollower, 1> kBareFollowers{{
    {"foot", "inch"},
}};

// The operators between numbers, and the ASCII they are written as.
struct Operator {
    std::string_view text;
    char op;
};
constexpr std::array<Operator, 6> kOperators{{
    {"*",      '*'},
    {"\u00D7", '*'}, // ×
    {"\u22C5", '*'}, // ⋅ dot operator
    {"/",      '/'},
    {"\u00F7", '/'}, // ÷
    {"\u2044", '/'}, // ⁄ fraction slash
}};

// The languages that write a decimal comma, and the territories among them
// that write a point.
constexpr std::array<std::string_view, 38> kCommaLanguages{
    "af", "az", "be", "bg", "bs", "ca", "cs", "da", "de", "el", "es", "et", "eu", "fi", "fr", "gl", "hr", "hu", "id",
    "is", "it", "ka", "kk", "lt", "lv", "mk", "nb", "nl", "nn", "no", "pl", "pt", "ro", "ru", "sk", "sl", "sr", "sv"};
constexpr std::array<std::string_view, 12> kPointTerritories{
    "de_CH", "de_LI", "it_CH", "fr_CH", "es_MX", "es_US", "es_PR", "es_DO", "es_GT", "es_HN", "es_NI", "es_PA"};
// clang-format on

constexpr std::array<std::string_view, 8> kConnectorWords{"to", "into", "as", "->", "=", "=>", ">", "\u2192"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string quoted(std::string_view text)
{
    std::size_t cut = text.size();
    if (cut > kMaxQuotedLength) {
        cut = kMaxQuotedLength;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
    }
    std::string out = "\"";
    for (const char c : text.substr(0, cut))
        out += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    return out + (cut < text.size() ? "…\"" : "\"");
}

int rowNamed(std::string_view name)
{
    const NameReading reading = readUnitName(name);
    return reading.fit == NameReading::Fit::Whole && reading.rows.size() == 1 ? reading.rows.front() : -1;
}

// "-x" or "-(x)".
std::string negated(const std::string& amount)
{
    if (numberTextLength(amount) == amount.size() && amount.front() != '-' && amount.front() != '+')
        return '-' + amount;
    return "-(" + amount + ')';
}

// An amount without a pair of parentheses around all of it.
std::string unwrapped(std::string amount)
{
    if (amount.size() < 2 || amount.front() != '(' || amount.back() != ')')
        return amount;
    int depth = 0;
    for (std::size_t i = 0; i + 1 < amount.size(); ++i) {
        depth += amount[i] == '(' ? 1 : amount[i] == ')' ? -1 : 0;
        if (depth == 0)
            return amount; // "(1)*(2)"
    }
    return amount.substr(1, amount.size() - 2);
}

struct Amount {
    std::string text;
    double value = 0;
};

class Reader {
public:
    Reader(std::string_view text, bool decimalComma) : t(text), comma(decimalComma) {}

    std::string_view t;
    std::size_t at = 0;
    bool comma;
    std::string error;
    bool special = false; // anything the plain reading would not read as typed
    bool grouped = false; // a number after a unit ("5 ft 11 in")

    char peek(std::size_t ahead = 0) const { return at + ahead < t.size() ? t[at + ahead] : '\0'; }
    void skipBlanks()
    {
        while (at < t.size() && isBlank(t[at]))
            ++at;
    }
    bool startsAt(std::size_t pos, std::string_view s) const { return t.substr(std::min(pos, t.size())).starts_with(s); }

    const Vulgar* vulgarAt(std::size_t pos) const
    {
        for (const Vulgar& v : kVulgar)
            if (startsAt(pos, v.text))
                return &v;
        return nullptr;
    }
    const Mark* markAt(std::size_t pos) const
    {
        // Every mark begins with a quote or the lead byte of a prime: the
        // unit's words are scanned a byte at a time, and a paste of 100,000
        // letters must not try each mark at each of them.
        const char c = pos < t.size() ? t[pos] : '\0';
        if (c != '\'' && c != '"' && c != '\xE2')
            return nullptr;
        for (const Mark& m : kMarks)
            if (startsAt(pos, m.text))
                return &m;
        return nullptr;
    }
    const Operator* operatorAt(std::size_t pos) const
    {
        for (const Operator& o : kOperators)
            if (startsAt(pos, o.text))
                return &o;
        return nullptr;
    }
    bool amountStartAt(std::size_t pos) const
    {
        const char c = pos < t.size() ? t[pos] : '\0';
        if (c == '(') {
            // "(2+3)*4", not a parenthesis in a unit's name.
            std::size_t next = pos + 1;
            while (next < t.size() && isBlank(t[next]))
                ++next;
            return next < t.size() && (t[next] == '(' || signAt(next) || amountStartAt(next));
        }
        return isDigit(c) || (c == '.' && pos + 1 < t.size() && isDigit(t[pos + 1])) || vulgarAt(pos);
    }
    // A "+" or "-" that joins or parts terms, not the start of "->".
    bool signAt(std::size_t pos) const
    {
        const char c = pos < t.size() ? t[pos] : '\0';
        return (c == '+' || c == '-') && !startsAt(pos, "->");
    }

    bool fail(std::string message)
    {
        if (error.empty())
            error = std::move(message);
        return false;
    }

    // The word as typed around `pos`, for a message.
    std::string_view wordAround(std::size_t begin) const
    {
        std::size_t end = begin;
        while (end < t.size() && !isBlank(t[end]))
            ++end;
        return t.substr(begin, end - begin);
    }

    bool literal(Amount& out)
    {
        const std::size_t begin = at;
        std::string& n = out.text;
        std::size_t intDigits = 0;
        while (isDigit(peek())) {
            n += t[at++];
            ++intDigits;
        }
        bool point = false;
        if (comma) {
            if (peek() == ',' && isDigit(peek(1)) && intDigits > 0) {
                special = true;
                n += '.';
                ++at;
                while (isDigit(peek()))
                    n += t[at++];
                point = true;
            }
        } else {
            while (peek() == ',' && intDigits > 0 && intDigits <= 3) {
                const bool three = isDigit(peek(1)) && isDigit(peek(2)) && isDigit(peek(3)) && !isDigit(peek(4));
                if (!three)
                    break;
                special = true;
                n.append(t.substr(at + 1, 3));
                at += 4;
                if (peek() != ',')
                    intDigits = 0; // grouping done: only a point may follow
            }
        }
        if (!point && peek() == '.' && isDigit(peek(1))) {
            n += '.';
            ++at;
            while (isDigit(peek()))
                n += t[at++];
        }
        if (n.empty())
            return fail("no number at " + quoted(wordAround(begin)));
        if (peek() == ',') {
            if (comma)
                return fail(quoted(wordAround(begin))
                            + ": a comma stands only for the decimal point, once, between digits (1,5)");
            return fail(quoted(wordAround(begin))
                        + ": a comma is read only between groups of three digits (1,500); write a decimal point "
                          "as \".\" (1.5)");
        }
        if ((peek() == 'e' || peek() == 'E')
            && (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
            n += t[at++];
            if (!isDigit(peek()))
                n += t[at++];
            while (isDigit(peek()))
                n += t[at++];
        }
        out.value = readNumber(n);
        const bool zeroDigits = n.find_first_of("123456789") == std::string::npos
                                || n.find_first_of("123456789") > n.find_first_of("eE");
        if (std::isinf(out.value) || (out.value == 0 && !zeroDigits))
            return fail(quoted(t.substr(begin, at - begin)) + " lies beyond the range of numbers that convert");
        return true;
    }

    // "1/2" as a mixed number's fraction: digits, a slash, digits.
    bool simpleFraction(Amount& out)
    {
        const std::size_t begin = at;
        Amount top, bottom;
        if (!isDigit(peek()) || !literal(top))
            return false;
        const Operator* slash = operatorAt(at);
        if (!slash || slash->op != '/') {
            at = begin;
            return false;
        }
        at += slash->text.size();
        if (!isDigit(peek()) || !literal(bottom))
            return false;
        if (bottom.value == 0)
            return fail(quoted(t.substr(begin, at - begin)) + " divides by zero");
        out.text = top.text + '/' + bottom.text;
        out.value = top.value / bottom.value;
        return true;
    }

    bool factor(Amount& out, int depth)
    {
        if (depth > kMaxDepth)
            return fail("too many parentheses inside one another");
        if (peek() == '(') {
            special = true;
            ++at;
            skipBlanks();
            Amount inner;
            if (!sum(inner, depth + 1))
                return false;
            skipBlanks();
            if (peek() != ')')
                return fail("a parenthesis is not closed");
            ++at;
            out.text = '(' + inner.text + ')';
            out.value = inner.value;
            return true;
        }
        if (const Vulgar* v = vulgarAt(at)) {
            special = true;
            at += v->text.size();
            out.text = '(' + std::string(v->value) + ')';
            out.value = readNumber(v->value.substr(0, v->value.find('/')))
                        / readNumber(v->value.substr(v->value.find('/') + 1));
            return true;
        }
        if (!literal(out))
            return false;
        // A whole number and a fraction: "1 1/2", "1½", "1 ½".
        if (out.text.find_first_not_of("0123456789") != std::string::npos)
            return true;
        const std::size_t afterWhole = at;
        skipBlanks();
        Amount part;
        if (const Vulgar* v = vulgarAt(at)) {
            at += v->text.size();
            part.text = std::string(v->value);
            part.value = readNumber(v->value.substr(0, v->value.find('/')))
                         / readNumber(v->value.substr(v->value.find('/') + 1));
        } else if (at == afterWhole || !simpleFraction(part)) {
            if (!error.empty())
                return false;
            at = afterWhole;
            return true;
        }
        special = true;
        out.text = '(' + out.text + '+' + part.text + ')';
        out.value += part.value;
        return true;
    }

    bool product(Amount& out, int depth)
    {
        const std::size_t begin = at;
        if (!factor(out, depth))
            return false;
        for (;;) {
            const std::size_t before = at;
            skipBlanks();
            const Operator* op = operatorAt(at);
            if (!op) {
                at = before;
                return true;
            }
            at += op->text.size();
            skipBlanks();
            if (!amountStartAt(at))
                return fail("no number after " + quoted(op->text));
            special = true;
            Amount next;
            if (!factor(next, depth))
                return false;
            if (op->op == '/' && next.value == 0)
                return fail(quoted(t.substr(begin, at - begin)) + " divides by zero");
            out.text += op->op;
            out.text += next.text;
            const bool zero = out.value == 0 || (op->op == '*' && next.value == 0);
            out.value = op->op == '/' ? out.value / next.value : out.value * next.value;
            if (std::isinf(out.value) || (out.value == 0 && !zero))
                return fail("the amount lies beyond the range of numbers that convert");
        }
    }

    // Inside parentheses: products added and taken away.
    bool sum(Amount& out, int depth)
    {
        char sign = '+';
        if (signAt(at)) {
            sign = t[at++];
            skipBlanks();
        }
        if (!product(out, depth))
            return false;
        if (sign == '-') {
            out.text = negated(out.text);
            out.value = -out.value;
        }
        for (;;) {
            const std::size_t before = at;
            skipBlanks();
            if (!signAt(at)) {
                at = before;
                return true;
            }
            const char op = t[at++];
            skipBlanks();
            Amount next;
            if (!product(next, depth))
                return false;
            out.text += op;
            out.text += next.text;
            out.value = op == '+' ? out.value + next.value : out.value - next.value;
        }
    }

    // The end of the words of a unit name that starts at `pos`: before the
    // blank ahead of the next amount, a "+" or "-" between terms, a mark,
    // or the end of the text.
    std::size_t unitWordsEnd(std::size_t pos) const
    {
        std::size_t end = pos;
        while (end < t.size()) {
            if (markAt(end) || (signAt(end) && (end + 1 >= t.size() || isBlank(t[end + 1]) || amountStartAt(end + 1))))
                return end;
            if (isBlank(t[end])) {
                std::size_t next = end;
                while (next < t.size() && isBlank(t[next]))
                    ++next;
                if (next < t.size() && (amountStartAt(next) || (signAt(next) && !startsAt(next, "->"))))
                    return end;
                end = next;
                continue;
            }
            ++end;
        }
        return end;
    }

    // Whether the words from `pos` on begin with a connector (or are none):
    // a bare number then has no unit of its own.
    bool toPartAt(std::size_t pos) const
    {
        while (pos < t.size() && isBlank(t[pos]))
            ++pos;
        if (pos >= t.size())
            return true;
        for (const std::string_view c : kConnectorWords)
            if (startsAt(pos, c) && (pos + c.size() >= t.size() || isBlank(t[pos + c.size()]) || c.front() == '-'
                                     || c.front() == '=' || c.front() == '>' || c.front() == '\xE2'))
                return true;
        return false;
    }
};

Quantity quantityOf(int index) { return catalogueRows()[static_cast<std::size_t>(index)].quantity; }

std::string named(int index)
{
    return unitName(index) + " (" + std::string(quantityName(quantityOf(index))) + ')';
}

} // namespace

QuantityText readQuantityText(std::string_view text, bool decimalComma, MeasureSystem measure)
{
    QuantityText q;
    auto refuse = [&q](std::string message) {
        q = QuantityText{};
        q.kind = QuantityText::Kind::Refused;
        q.message = std::move(message);
        return q;
    };
    Reader r(text, decimalComma);
    r.skipBlanks();
    if (text.size() > kMaxQuantityLength) {
        // Only a plain number and words are read in so long a text, as before.
        const std::size_t number = numberTextLength(text);
        if (number == 0 && !r.amountStartAt(r.at))
            return q;
        std::size_t after = number == 0 ? r.at : number;
        while (after < text.size() && isBlank(text[after]))
            ++after;
        if (number == 0 || text[after] == ',' || r.operatorAt(after) || r.markAt(after) || r.vulgarAt(after)
            || r.signAt(after))
            return refuse("too long to read as a quantity");
        // Words after a long number, as before; more terms after them are not read.
        for (std::size_t i = after; i < text.size(); ++i)
            if (isDigit(text[i]) || text[i] == '+' || text[i] == '(' || r.markAt(i))
                return refuse("too long to read as a quantity");
        return q;
    }
    const std::size_t start = r.at;
    char groupSign = '+';
    if (r.signAt(r.at) && r.amountStartAt(r.at + 1)) {
        groupSign = text[r.at];
        ++r.at;
    }
    if (!r.amountStartAt(r.at))
        return q; // no number: the plain reading says so

    bool joined = false;
    int previous = -1; // the unit of the term before, in its group
    for (;;) {
        if (q.terms.size() >= kMaxTerms)
            return refuse("more than " + std::to_string(kMaxTerms) + " terms");
        const std::size_t amountBegin = r.at;
        Amount amount;
        if (!r.product(amount, 0))
            return refuse(r.error);
        std::string number = unwrapped(amount.text);
        if (groupSign == '-')
            number = negated(number);
        const std::size_t afterAmount = r.at;
        r.skipBlanks();

        int unit = -1;
        std::size_t restBegin = std::string_view::npos; // where the last term's words begin
        if (const Mark* mark = r.markAt(r.at)) {
            r.special = true;
            unit = rowNamed(mark->unit);
            r.at += mark->text.size();
        } else if (r.toPartAt(r.at)) {
            // A bare number: inches after feet, else it has no unit.
            for (const BareFollower& f : kBareFollowers)
                if (previous >= 0 && joined && previous == rowNamed(f.after))
                    unit = rowNamed(f.unit);
            if (unit < 0 && !r.special && q.terms.size() <= 1)
                return QuantityText{}; // "5", "5 in 7": the plain reading says what is missing
            if (unit < 0)
                return refuse("no unit after " + quoted(text.substr(amountBegin, afterAmount - amountBegin))
                              + (q.terms.empty() ? "" : " (only after feet is a bare number read, as inches)"));
            r.special = true;
        } else if (r.amountStartAt(r.at)) {
            // "1 2 3": a list of numbers, not a quantity.
            if (!r.special && !r.grouped)
                return QuantityText{};
            return refuse("no unit after " + quoted(text.substr(amountBegin, afterAmount - amountBegin)));
        } else {
            const std::size_t wordsEnd = r.unitWordsEnd(r.at);
            if (wordsEnd >= text.size()) {
                restBegin = r.at;
            } else {
                const std::string_view words = text.substr(r.at, wordsEnd - r.at);
                const UnitLookup lookup =
                    lookUpUnit(words, measure, previous >= 0 ? quantityOf(previous) : Quantity::None);
                if (lookup.outcome != UnitLookup::Outcome::Found || lookup.beginning)
                    return refuse("no unit matches " + quoted(words));
                unit = lookup.index;
                r.at = wordsEnd;
            }
        }
        q.joined.push_back(joined);
        if (restBegin != std::string_view::npos) {
            // The last amount, with its unit and the To part in the words.
            q.last = std::move(number);
            q.rest = std::string(text.substr(restBegin));
            break;
        }
        // What follows a term with its unit: another in its group, a sign
        // and another group, or the To part.
        const std::size_t afterUnit = r.at;
        r.skipBlanks();
        if (r.markAt(r.at))
            return refuse(quoted(text.substr(start, r.at + 1 - start)) + ": a mark without a number before it");
        if (r.signAt(r.at) && !r.startsAt(r.at, "->")) {
            groupSign = text[r.at++];
            r.skipBlanks();
            if (!r.amountStartAt(r.at))
                return refuse("no number after " + quoted(std::string(1, groupSign)));
            r.special = true;
            joined = false;
            previous = -1;
            q.terms.push_back({std::move(number), unit});
            continue;
        }
        if (r.amountStartAt(r.at)) {
            r.grouped = true;
            joined = true;
            previous = unit;
            q.terms.push_back({std::move(number), unit});
            continue;
        }
        // The To part: the last term's unit is written by its name before it.
        q.last = std::move(number);
        q.rest = unitName(unit) + ' ' + std::string(text.substr(afterUnit));
        break;
    }
    if (!r.special && !r.grouped)
        return QuantityText{};
    q.kind = QuantityText::Kind::Terms;
    return q;
}

std::string termsProblem(const std::vector<RequestTerm>& terms, const std::vector<bool>& joined)
{
    if (terms.empty())
        return {};
    const int first = terms.front().index;
    for (const RequestTerm& term : terms)
        if (quantityOf(term.index) != quantityOf(first))
            return "cannot add " + named(term.index) + " to " + named(first);
    if (terms.size() > 1 && quantityOf(first) == Quantity::Temperature)
        return "temperatures do not add: a sum of temperatures is no temperature; convert each on its own";
    if (terms.size() > 1 && isSize(quantityOf(first)))
        return "sizes do not add; convert each on its own";
    for (std::size_t i = 1; i < terms.size(); ++i) {
        if (i >= joined.size() || !joined[i])
            continue;
        // Each unit of a group is smaller than the one before it.
        if (!(convertValue(1.0, rowCode(terms[i].index), rowCode(terms[i - 1].index)) < 1.0))
            return unitName(terms[i].index) + " follows " + unitName(terms[i - 1].index)
                   + ": write the largest unit first (5 ft 11 in), or put a + between the terms";
    }
    return {};
}

bool decimalCommaForLocale(std::string_view lcNumeric, std::string_view lcAll, std::string_view lang)
{
    std::string_view locale = !lcNumeric.empty() ? lcNumeric : !lcAll.empty() ? lcAll : lang;
    // language[_territory][.codeset][@modifier]
    locale = locale.substr(0, locale.find_first_of(".@"));
    for (const std::string_view point : kPointTerritories)
        if (locale == point)
            return false;
    const std::string_view language = locale.substr(0, locale.find('_'));
    for (const std::string_view l : kCommaLanguages)
        if (language == l)
            return true;
    return false;
}

} // namespace quantaro
