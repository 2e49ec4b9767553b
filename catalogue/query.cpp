// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/query.h"

#include "catalogue/unit_names_seam.h"
#include "engine/number_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace quantaro {

namespace {

// The longest unit name has four words ("shirts (neck size) metric/German");
// a side of more words names nothing, so longer texts are not tried.
constexpr std::size_t kMaxUnitWords = 6;
// Two units and a connector at most.
constexpr std::size_t kMaxWords = 2 * kMaxUnitWords + 1;
// Far beyond any two unit names: a longer rest is not read through.
constexpr std::size_t kMaxRestLength = 512;
// How much of a word a message repeats.
constexpr std::size_t kMaxQuotedLength = 60;

constexpr std::array<std::string_view, 6> kConnectors{"to", "in", "into", "as", "->", "="};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

bool isUnitKind(RowKind kind) { return kind == RowKind::Unit || kind == RowKind::Preset; }

bool isConnector(std::string_view word)
{
    return std::any_of(kConnectors.begin(), kConnectors.end(), [word](std::string_view c) {
        return std::equal(c.begin(), c.end(), word.begin(), word.end(),
                          [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
    });
}

struct Word {
    std::size_t begin;
    std::size_t end;
};

// The words after the number: runs between blanks, with "->" and "=" words of
// their own wherever they stand ("5in->cm"). Stops after `limit` words.
std::vector<Word> splitWords(std::string_view text, std::size_t limit)
{
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < text.size() && words.size() < limit) {
        if (isBlank(text[at])) {
            ++at;
            continue;
        }
        if (text[at] == '=' || text.substr(at, 2) == "->") {
            const std::size_t length = text[at] == '=' ? 1 : 2;
            words.push_back({at, at + length});
            at += length;
            continue;
        }
        const std::size_t begin = at;
        while (at < text.size() && !isBlank(text[at]) && text[at] != '=' && text.substr(at, 2) != "->")
            ++at;
        words.push_back({begin, at});
    }
    return words;
}

// A text for a message, which is one line: cut short at a character
// boundary when long, blanks shown as blanks and other control characters as
// "?".
std::string quoted(std::string_view text)
{
    std::size_t cut = text.size();
    if (text.size() > kMaxQuotedLength) {
        cut = kMaxQuotedLength;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
    }
    std::string out = "\"";
    for (const char c : text.substr(0, cut))
        out += isBlank(c) ? ' ' : static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    return out + (cut < text.size() ? "…\"" : "\"");
}

std::string_view labelOf(int index)
{
    std::string_view label = catalogueRows()[static_cast<std::size_t>(index)].fromLabel;
    while (label.starts_with(' '))
        label.remove_prefix(1);
    while (label.ends_with(' '))
        label.remove_suffix(1);
    return label;
}

// What one side of a split names.
struct Side {
    enum class State { Found, Ambiguous, NoMatch } state = State::NoMatch;
    int index = -1;
    NameMatch match = NameMatch::Whole;
    std::vector<int> candidates;
};

Side resolve(std::string_view words)
{
    Side side;
    // List indices are for --from and --to; in a query a number is no unit.
    if (std::all_of(words.begin(), words.end(), [](char c) { return (c >= '0' && c <= '9') || isBlank(c); }))
        return side;
    const seam::UnitLookup lookup = seam::lookUpUnit(words);
    if (lookup.outcome == seam::UnitLookup::Outcome::Found) {
        side.state = Side::State::Found;
        side.index = lookup.index;
        side.match = seam::nameFit(lookup.index, words) == seam::NameFit::Beginning ? NameMatch::Beginning
                                                                                       : NameMatch::Whole;
    } else if (lookup.outcome == seam::UnitLookup::Outcome::Ambiguous) {
        side.state = Side::State::Ambiguous;
        side.candidates = lookup.candidates;
    }
    return side;
}

// One way of reading the words: one unit, or two with or without a connector
// between them; `dangling` for one unit and a connector after it ("5 kg to",
// as typed on the way to "5 kg to lb").
struct Split {
    Word first;
    std::optional<Word> second;
    bool connector = false;
    bool dangling = false;
};

struct Judged {
    Split split;
    Side sides[2];
    int sideCount = 1;

    bool allFound() const
    {
        return std::all_of(sides, sides + sideCount, [](const Side& s) { return s.state == Side::State::Found; });
    }
    int count(Side::State state) const
    {
        return static_cast<int>(std::count_if(sides, sides + sideCount, [state](const Side& s) { return s.state == state; }));
    }
    NameMatch weakest() const
    {
        return std::any_of(sides, sides + sideCount, [](const Side& s) { return s.match == NameMatch::Beginning; })
                   ? NameMatch::Beginning
                   : NameMatch::Whole;
    }
};

// Whether reading `a` is better than reading `b`. Among readings that name
// every unit: whole names before beginnings, then a split at a connector,
// and a dangling connector last. Among the others: the one naming more
// units, then a split at a connector, then fewer sides.
bool better(const Judged& a, const Judged& b)
{
    if (a.allFound() != b.allFound())
        return a.allFound();
    if (a.allFound()) {
        if (a.weakest() != b.weakest())
            return a.weakest() == NameMatch::Whole;
        if (a.split.dangling != b.split.dangling)
            return b.split.dangling;
        return a.split.connector && !b.split.connector;
    }
    const int foundA = a.count(Side::State::Found), foundB = b.count(Side::State::Found);
    if (foundA != foundB)
        return foundA > foundB;
    const int ambiguousA = a.count(Side::State::Ambiguous), ambiguousB = b.count(Side::State::Ambiguous);
    if (ambiguousA != ambiguousB)
        return ambiguousA > ambiguousB;
    if (a.split.connector != b.split.connector)
        return a.split.connector;
    return a.sideCount < b.sideCount;
}

// Every way of reading the words into one or two units, in the order ties go
// to the earlier.
std::vector<Split> splitsOf(const std::vector<Word>& words, std::string_view rest)
{
    std::vector<Split> splits;
    const std::size_t n = words.size();
    auto span = [&words](std::size_t from, std::size_t to) { return Word{words[from].begin, words[to - 1].end}; };
    if (n <= kMaxUnitWords)
        splits.push_back({span(0, n), std::nullopt, false, false});
    for (std::size_t k = 1; k < n; ++k) {
        if (k > kMaxUnitWords)
            break;
        const std::string_view word = rest.substr(words[k].begin, words[k].end - words[k].begin);
        if (isConnector(word) && k + 1 < n && n - k - 1 <= kMaxUnitWords)
            splits.push_back({span(0, k), span(k + 1, n), true, false});
        if (n - k <= kMaxUnitWords)
            splits.push_back({span(0, k), span(k, n), false, false});
    }
    if (n >= 2 && n - 1 <= kMaxUnitWords
        && isConnector(rest.substr(words[n - 1].begin, words[n - 1].end - words[n - 1].begin)))
        splits.push_back({span(0, n - 1), std::nullopt, true, true});
    return splits;
}

// What a unit measures, for messages ("a mass"). The catalogue's partner
// groups by code range, as the unit tables number them.
std::string_view quantityName(int index)
{
    const UnitCode code = catalogueRows()[static_cast<std::size_t>(index)].code;
    struct Range {
        UnitCode first, last;
        std::string_view name;
    };
    // clang-format off
    static constexpr std::array<Range, 12> kQuantities{{
        { 1001,  3999, "a length"},
        { 4001,  5999, "an area"},
        { 6001, 14999, "a volume"},
        {15001, 17999, "a mass"},
        {21101, 21999, "a power"},
        {22101, 22999, "an energy"},
        {23101, 23999, "a size"},
        {24101, 24999, "an amount of data"},
        {25101, 25999, "a frequency"},
        {27101, 27999, "a speed"},
        {28101, 28999, "a temperature"},
        {29101, 29999, "a time"},
    }};
    // clang-format on
    for (const Range& range : kQuantities)
        if (range.first <= code && code <= range.last)
            return range.name;
    return "a quantity";
}

std::string named(int index) { return std::string(labelOf(index)) + " (" + std::string(quantityName(index)) + ')'; }

void setConversion(QueryReading& reading, int from, int to, std::string number, NameMatch match)
{
    reading.outcome = QueryOutcome::Conversion;
    reading.conversion = {from, to, std::move(number), match};
}

// The verdict on a reading in which every side names one unit.
void judgeFound(QueryReading& reading, const Judged& judged, std::string number, std::string_view firstWords)
{
    const int from = judged.sides[0].index;
    const auto rows = catalogueRows();
    if (judged.sideCount == 2) {
        const int to = judged.sides[1].index;
        if (sameQuantity(rows[from].code, rows[to].code)) {
            setConversion(reading, from, to, std::move(number), judged.weakest());
            return;
        }
        reading.outcome = QueryOutcome::Inconvertible;
        reading.message = named(from) + " and " + named(to) + " cannot be converted into one another";
        return;
    }
    const std::optional<int> partner = partnerIndex(rows[from].code, kNoRow);
    if (partner && *partner != from && isUnitKind(rows[static_cast<std::size_t>(*partner)].kind)) {
        setConversion(reading, from, *partner, std::move(number), judged.weakest());
        return;
    }
    reading.outcome = QueryOutcome::NoPartner;
    reading.message = "name the unit to convert " + std::string(labelOf(from)) + " into, as in "
                      + quoted(number + ' ' + std::string(firstWords) + " to UNIT");
}

// A query read, with the reading of its words that was chosen.
struct Read {
    QueryReading reading;
    std::optional<Judged> chosen;
    std::string number;
};

Read read(std::string_view text)
{
    Read out;
    QueryReading& reading = out.reading;
    const std::size_t numberEnd = numberTextLength(text);
    if (numberEnd == 0) {
        reading.message = "no number at the beginning";
        return out;
    }
    std::string_view number = text.substr(0, numberEnd);
    while (!number.empty() && isBlank(number.front()))
        number.remove_prefix(1);
    out.number = std::string(number);
    const std::string_view rest = text.substr(numberEnd);

    const std::vector<Word> words = splitWords(rest, kMaxWords + 1);
    if (words.empty()) {
        reading.outcome = QueryOutcome::NoUnit;
        reading.message = "no unit after the number";
        return out;
    }
    auto wordText = [rest](Word w) { return rest.substr(w.begin, w.end - w.begin); };
    const bool numberAfter = std::any_of(words.begin(), words.end(),
                                         [&](Word w) { return numberTextLength(wordText(w)) > 0; });
    // Too many words for two names (or so long a text) names no unit.
    const std::vector<Split> splits =
        words.size() > kMaxWords || rest.size() > kMaxRestLength ? std::vector<Split>{} : splitsOf(words, rest);
    if (splits.empty()) {
        reading.outcome = QueryOutcome::UnknownUnit;
        reading.word = std::string(wordText({words.front().begin, rest.size()}));
        reading.message = "no unit matches " + quoted(reading.word);
        return out;
    }

    // Most runs of words come up in several splits; each is looked up once.
    std::vector<std::pair<std::pair<std::size_t, std::size_t>, Side>> resolved;
    auto sideOf = [&](Word w) -> const Side& {
        for (const auto& [range, side] : resolved)
            if (range.first == w.begin && range.second == w.end)
                return side;
        resolved.emplace_back(std::pair{w.begin, w.end}, resolve(wordText(w)));
        return resolved.back().second;
    };
    resolved.reserve(2 * splits.size());
    for (const Split& split : splits) {
        Judged judged{split, {sideOf(split.first), {}}, 1};
        if (split.second) {
            judged.sides[1] = sideOf(*split.second);
            judged.sideCount = 2;
        }
        if (!out.chosen || better(judged, *out.chosen))
            out.chosen = std::move(judged);
    }
    const Judged& chosen = *out.chosen;
    reading.isQuery = !numberAfter && chosen.count(Side::State::NoMatch) < chosen.sideCount;

    if (chosen.allFound()) {
        judgeFound(reading, chosen, out.number, wordText(chosen.split.first));
        return out;
    }
    // The first name that matches nothing, else the first ambiguous one.
    for (const Side::State state : {Side::State::NoMatch, Side::State::Ambiguous}) {
        for (int s = 0; s < chosen.sideCount; ++s) {
            if (chosen.sides[s].state != state)
                continue;
            reading.word = std::string(wordText(s == 0 ? chosen.split.first : *chosen.split.second));
            if (state == Side::State::NoMatch) {
                reading.outcome = QueryOutcome::UnknownUnit;
                reading.message = "no unit matches " + quoted(reading.word);
                return out;
            }
            reading.outcome = QueryOutcome::AmbiguousUnit;
            const std::vector<int>& candidates = chosen.sides[s].candidates;
            reading.message = quoted(reading.word) + " matches " + std::to_string(candidates.size()) + " units";
            for (const int index : candidates) {
                const int header = seam::headerOf(index);
                reading.candidates.push_back(
                    {index, std::string(labelOf(index)),
                     header >= 0 ? std::string(labelOf(header)) : std::string()});
            }
            return out;
        }
    }
    return out;
}

} // namespace

double relevance(NameMatch match) { return match == NameMatch::Whole ? 1.0 : 0.7; }

QueryReading readQuery(std::string_view text) { return read(text).reading; }

std::vector<QueryConversion> queryConversions(std::string_view text)
{
    Read r = read(text);
    if (r.reading.outcome == QueryOutcome::Conversion)
        return {std::move(r.reading.conversion)};
    if (r.reading.outcome != QueryOutcome::AmbiguousUnit)
        return {};
    // Each candidate in the ambiguous name's place, judged as if named alone.
    const Judged& chosen = *r.chosen;
    const int ambiguous = chosen.sides[0].state == Side::State::Ambiguous ? 0 : 1;
    std::vector<QueryConversion> conversions;
    for (const int index : chosen.sides[ambiguous].candidates) {
        Judged one = chosen;
        one.sides[ambiguous] = {Side::State::Found, index,
                                seam::nameFit(index, r.reading.word) == seam::NameFit::Beginning ? NameMatch::Beginning
                                                                                                  : NameMatch::Whole,
                                {}};
        if (!one.allFound())
            continue;
        QueryReading candidate;
        judgeFound(candidate, one, r.number, {});
        if (candidate.outcome == QueryOutcome::Conversion)
            conversions.push_back(std::move(candidate.conversion));
    }
    return conversions;
}

RowRank rankRow(int index, std::string_view words)
{
    // Far longer than any name: it names none, and is not folded row by row.
    if (words.size() > kMaxRestLength)
        return RowRank::Mentions;
    switch (seam::nameFit(index, words)) {
    case seam::NameFit::Whole: return RowRank::Names;
    case seam::NameFit::Beginning: return RowRank::Begins;
    case seam::NameFit::None: break;
    }
    return RowRank::Mentions;
}

std::vector<FoundRow> findRankedUnitRows(ListSide side, std::string_view query)
{
    std::vector<FoundRow> rows = findUnitRows(side, query);
    std::vector<std::pair<RowRank, FoundRow>> ranked;
    ranked.reserve(rows.size());
    for (const FoundRow& row : rows)
        ranked.emplace_back(rankRow(row.index, query), row);
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = ranked[i].second;
    return rows;
}

} // namespace quantaro
