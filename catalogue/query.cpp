// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/query.h"

#include "catalogue/quantity_text.h"
#include "catalogue/unit_names.h"
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

constexpr std::array<std::string_view, 9> kConnectors{"to", "in", "into", "as", "->", "=", "=>", ">", "\u2192"};

// The connectors that are words of their own wherever they stand
// ("5in->cm"), longest first.
constexpr std::array<std::string_view, 5> kSymbolConnectors{"->", "=>", "\u2192", "=", ">"};

// The length of the symbol connector at the beginning of `text`, 0 for none.
std::size_t symbolConnectorAt(std::string_view text)
{
    // Most characters begin none: a word of 100,000 letters is read through.
    if (text.empty() || (text[0] != '-' && text[0] != '=' && text[0] != '>' && text[0] != '\xE2'))
        return 0;
    for (const std::string_view c : kSymbolConnectors)
        if (text.starts_with(c))
            return c.size();
    return 0;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

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

// The words after the number: runs between blanks, with the symbol
// connectors words of their own wherever they stand ("5in->cm"). Stops after `limit` words.
std::vector<Word> splitWords(std::string_view text, std::size_t limit)
{
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < text.size() && words.size() < limit) {
        if (isBlank(text[at])) {
            ++at;
            continue;
        }
        if (const std::size_t length = symbolConnectorAt(text.substr(at)); length > 0) {
            words.push_back({at, at + length});
            at += length;
            continue;
        }
        const std::size_t begin = at;
        while (at < text.size() && !isBlank(text[at]) && symbolConnectorAt(text.substr(at)) == 0)
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
    bool byMeasure = false; // Found: the locale picked the variant
};

Side resolve(std::string_view words)
{
    Side side;
    // List indices are for --from and --to; in a query a number is no unit.
    if (std::all_of(words.begin(), words.end(), [](char c) { return (c >= '0' && c <= '9') || isBlank(c); }))
        return side;
    NameReading reading = readUnitName(words);
    if (reading.rows.size() == 1) {
        side.state = Side::State::Found;
        side.index = reading.rows.front();
        side.match = reading.fit == NameReading::Fit::Beginning ? NameMatch::Beginning : NameMatch::Whole;
    } else if (reading.rows.size() > 1) {
        side.state = Side::State::Ambiguous;
        side.candidates = std::move(reading.rows);
    }
    return side;
}

Quantity quantityOf(int index) { return catalogueRows()[static_cast<std::size_t>(index)].quantity; }

// A name several rows share, decided: first by what the other side can
// measure, then between a British and a US variant by the locale.
void decide(Side& side, const Side* other, MeasureSystem measure)
{
    if (side.state != Side::State::Ambiguous)
        return;
    if (other && other->state != Side::State::NoMatch) {
        std::vector<int> fitting;
        for (const int index : side.candidates) {
            const Quantity quantity = quantityOf(index);
            const bool fits = other->state == Side::State::Found
                                  ? quantity == quantityOf(other->index)
                                  : std::any_of(other->candidates.begin(), other->candidates.end(),
                                                [quantity](int o) { return quantityOf(o) == quantity; });
            if (fits)
                fitting.push_back(index);
        }
        if (!fitting.empty())
            side.candidates = std::move(fitting);
    }
    if (const std::optional<int> picked = pickByMeasure(side.candidates, measure)) {
        side.state = Side::State::Found;
        side.index = *picked;
        side.byMeasure = true;
        side.candidates.clear();
    } else if (side.candidates.size() == 1) {
        side.state = Side::State::Found;
        side.index = side.candidates.front();
        side.candidates.clear();
    }
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

// A unit and what it measures, for messages: "kilogramme (kg) (a mass)".
std::string named(int index)
{
    return std::string(labelOf(index)) + " ("
           + std::string(quantityName(catalogueRows()[static_cast<std::size_t>(index)].quantity)) + ')';
}

void setConversion(QueryReading& reading, int from, int to, std::string number, NameMatch match)
{
    reading.outcome = QueryOutcome::Conversion;
    reading.conversion = {{from, to, std::move(number)}, match};
}

// The verdict on a reading in which every side names one unit.
void judgeFound(QueryReading& reading, const Judged& judged, std::string number, std::string_view firstWords,
                MeasureSystem measure)
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
    if (const int partner = partnerRow(from, measure); partner >= 0 && partner != from) {
        setConversion(reading, from, partner, std::move(number), judged.weakest());
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
    QuantityText quantity; // Terms: the quantity the number stands in for
};

// The text with what asks for a conversion around a query taken away: a
// trailing "?", a leading "convert"; "how many UNIT in NUMBER UNIT" turned
// round into "NUMBER UNIT to UNIT".
std::string plainQuery(std::string_view text)
{
    auto trim = [](std::string_view t) {
        while (!t.empty() && isBlank(t.front()))
            t.remove_prefix(1);
        while (!t.empty() && isBlank(t.back()))
            t.remove_suffix(1);
        return t;
    };
    auto startsWithWord = [](std::string_view t, std::string_view word) {
        return t.size() > word.size() && isBlank(t[word.size()])
               && std::equal(word.begin(), word.end(), t.begin(), [](char w, char c) {
                      return w == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
                  });
    };
    std::string_view t = trim(text);
    if (t.size() > kMaxRestLength)
        return std::string(text);
    if (t.ends_with('?'))
        t = trim(t.substr(0, t.size() - 1));
    if (startsWithWord(t, "convert"))
        return std::string(trim(t.substr(7)));
    if (!startsWithWord(t, "how"))
        return std::string(t);
    std::string_view rest = trim(t.substr(3));
    if (!startsWithWord(rest, "many") && !startsWithWord(rest, "much"))
        return std::string(t);
    rest = trim(rest.substr(4));
    // The target's words run up to " in " (or " are in ", " is ") followed by a number.
    const std::vector<Word> words = splitWords(rest, kMaxWords + 2);
    for (std::size_t k = 1; k + 1 < words.size(); ++k) {
        std::string_view word = rest.substr(words[k].begin, words[k].end - words[k].begin);
        std::size_t after = k + 1;
        if ((word == "are" || word == "is") && after < words.size()
            && rest.substr(words[after].begin, words[after].end - words[after].begin) == "in")
            ++after;
        else if (word != "in" && word != "is")
            continue;
        if (after >= words.size())
            break;
        const std::string_view source = rest.substr(words[after].begin);
        if (numberTextLength(source) == 0)
            continue;
        return std::string(source) + " to " + std::string(rest.substr(0, words[k - 1].end));
    }
    return std::string(t);
}

Read readWords(std::string_view text, const QueryContext& context)
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
        reading.suggestion = suggestionText(reading.word);
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
            const Side first = judged.sides[0];
            decide(judged.sides[0], &judged.sides[1], context.measure);
            decide(judged.sides[1], &first, context.measure);
        } else {
            decide(judged.sides[0], nullptr, context.measure);
        }
        if (!out.chosen || better(judged, *out.chosen))
            out.chosen = std::move(judged);
    }
    const Judged& chosen = *out.chosen;
    reading.isQuery = !numberAfter && chosen.count(Side::State::NoMatch) < chosen.sideCount;

    if (chosen.allFound()) {
        judgeFound(reading, chosen, out.number, wordText(chosen.split.first), context.measure);
        // Say which unit a beginning or the locale made of the words.
        for (int s = 0; s < chosen.sideCount; ++s) {
            const Side& side = chosen.sides[s];
            if (side.match != NameMatch::Beginning && !side.byMeasure)
                continue;
            if (!reading.note.empty())
                reading.note += "; ";
            reading.note += "read " + quoted(wordText(s == 0 ? chosen.split.first : *chosen.split.second)) + " as "
                            + distinctUnitName(side.index);
        }
        if (reading.outcome == QueryOutcome::Conversion && chosen.sideCount == 1
            && otherVariant(reading.conversion.request.toIndex) >= 0) {
            if (!reading.note.empty())
                reading.note += "; ";
            reading.note += "into " + distinctUnitName(reading.conversion.request.toIndex);
        }
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
                reading.suggestion = suggestionText(reading.word);
                return out;
            }
            reading.outcome = QueryOutcome::AmbiguousUnit;
            const std::vector<int>& candidates = chosen.sides[s].candidates;
            reading.message = quoted(reading.word) + " matches " + std::to_string(candidates.size()) + " units";
            for (const int index : candidates) {
                const int header = headerOf(index);
                reading.candidates.push_back(
                    {index, std::string(labelOf(index)),
                     header >= 0 ? std::string(labelOf(header)) : std::string()});
            }
            return out;
        }
    }
    return out;
}

// A conversion read with a stand-in number made the quantity's: its terms,
// or its one number where that is a plain one ("5'", "1,500"). Returns why
// the terms do not make one quantity; empty when they do.
std::string withQuantity(ConversionRequest& conversion, const QuantityText& quantity)
{
    std::vector<RequestTerm> terms = quantity.terms;
    terms.push_back({quantity.last, conversion.fromIndex});
    if (std::string problem = termsProblem(terms, quantity.joined); !problem.empty())
        return problem;
    if (terms.size() == 1 && numberTextLength(quantity.last) == quantity.last.size()) {
        conversion.number = quantity.last;
        return {};
    }
    conversion.number.clear();
    conversion.fromIndex = terms.front().index;
    conversion.terms = std::move(terms);
    return {};
}

Read read(std::string_view typed, const QueryContext& context)
{
    const std::string plain = plainQuery(typed);
    QuantityText quantity = readQuantityText(plain, context.decimalComma, context.measure);
    if (quantity.kind == QuantityText::Kind::Refused) {
        Read out;
        out.reading.outcome = QueryOutcome::BadQuantity;
        out.reading.message = std::move(quantity.message);
        out.reading.isQuery = true;
        return out;
    }
    if (quantity.kind == QuantityText::Kind::Plain)
        return readWords(plain, context);
    // The last term's unit and the To part read after a stand-in number.
    Read out = readWords("1 " + quantity.rest, context);
    out.reading.isQuery = true;
    out.quantity = std::move(quantity);
    if (out.reading.outcome == QueryOutcome::Conversion) {
        if (std::string problem = withQuantity(out.reading.conversion.request, out.quantity); !problem.empty()) {
            out.reading.outcome = QueryOutcome::BadQuantity;
            out.reading.message = std::move(problem);
            out.reading.conversion = {};
        }
    }
    return out;
}

} // namespace

double relevance(NameMatch match) { return match == NameMatch::Whole ? 1.0 : 0.7; }

MeasureSystem measureSystemForLocale(std::string_view lcMeasurement, std::string_view lcAll, std::string_view lang)
{
    std::string_view locale = !lcMeasurement.empty() ? lcMeasurement : !lcAll.empty() ? lcAll : lang;
    // language[_territory][.codeset][@modifier]
    locale = locale.substr(0, locale.find_first_of(".@"));
    const std::size_t underscore = locale.find('_');
    if (underscore == std::string_view::npos)
        return MeasureSystem::British;
    const std::string_view territory = locale.substr(underscore + 1);
    for (const std::string_view us : {"US", "LR", "MM"})
        if (territory == us)
            return MeasureSystem::US;
    return MeasureSystem::British;
}

QueryReading readQuery(std::string_view text, const QueryContext& context) { return read(text, context).reading; }

std::vector<QueryConversion> queryConversions(std::string_view text, const QueryContext& context)
{
    Read r = read(text, context);
    std::vector<QueryConversion> conversions;
    auto add = [&conversions, &r](QueryConversion conversion) {
        if (r.quantity.kind == QuantityText::Kind::Terms && conversion.request.terms.empty() && conversion.request.number == "1"
            && !withQuantity(conversion.request, r.quantity).empty())
            return;
        if (std::none_of(conversions.begin(), conversions.end(), [&conversion](const QueryConversion& c) {
                return c.request.fromIndex == conversion.request.fromIndex && c.request.toIndex == conversion.request.toIndex;
            }))
            conversions.push_back(std::move(conversion));
    };
    if (r.reading.outcome == QueryOutcome::Conversion) {
        const QueryConversion conversion = r.reading.conversion;
        add(conversion);
        // The other variants of the names the locale decided, and of a
        // partner it picked for a unit alone.
        const Judged& chosen = *r.chosen;
        // A quantity of terms keeps the units its words were read as.
        const bool fromByMeasure = chosen.sides[0].byMeasure && conversion.request.terms.empty();
        const bool toByMeasure = chosen.sideCount == 2 ? chosen.sides[1].byMeasure
                                                       : otherVariant(conversion.request.toIndex) >= 0;
        const int otherFrom = fromByMeasure ? otherVariant(conversion.request.fromIndex) : -1;
        const int otherTo = toByMeasure ? otherVariant(conversion.request.toIndex) : -1;
        auto variant = [&conversion](int from, int to) {
            QueryConversion c = conversion;
            c.request.fromIndex = from;
            c.request.toIndex = to;
            return c;
        };
        if (otherTo >= 0)
            add(variant(conversion.request.fromIndex, otherTo));
        if (otherFrom >= 0)
            add(variant(otherFrom, conversion.request.toIndex));
        if (otherFrom >= 0 && otherTo >= 0)
            add(variant(otherFrom, otherTo));
        return conversions;
    }
    if (r.reading.outcome != QueryOutcome::AmbiguousUnit)
        return {};
    // Each candidate in the ambiguous name's place, judged as if named alone.
    const Judged& chosen = *r.chosen;
    const int ambiguous = chosen.sides[0].state == Side::State::Ambiguous ? 0 : 1;
    for (const int index : chosen.sides[ambiguous].candidates) {
        Judged one = chosen;
        one.sides[ambiguous] = {Side::State::Found, index,
                                nameFit(index, r.reading.word) == NameFit::Beginning ? NameMatch::Beginning
                                                                                     : NameMatch::Whole,
                                {}, false};
        if (!one.allFound())
            continue;
        QueryReading candidate;
        judgeFound(candidate, one, r.number, {}, context.measure);
        if (candidate.outcome == QueryOutcome::Conversion)
            add(std::move(candidate.conversion));
    }
    return conversions;
}

namespace {

// Words far longer than any name name none, and are not folded.
TypedName typedWords(std::string_view words)
{
    return TypedName(words.size() > kMaxRestLength ? std::string_view{} : words);
}

RowRank rankRowByName(int index, const TypedName& name)
{
    switch (nameFit(index, name)) {
    case NameFit::Whole: return RowRank::Names;
    case NameFit::Beginning: return RowRank::Begins;
    case NameFit::None: break;
    }
    return RowRank::Mentions;
}

} // namespace

RowRank rankRow(int index, std::string_view words) { return rankRowByName(index, typedWords(words)); }

std::vector<FoundRow> findRankedUnitRows(ListSide side, std::string_view query)
{
    std::vector<FoundRow> rows = findUnitRows(side, query);
    // The words folded once for all the rows.
    const TypedName name = typedWords(query);
    // Rows whose unit the words name, though the label does not hold them
    // ("lbs", "meters", "mph").
    if (!name.folded.empty()) {
        const auto all = catalogueRows();
        int header = -1;
        std::size_t at = 0;
        for (int i = 0; i < kCatalogueRowCount; ++i) {
            if (all[static_cast<std::size_t>(i)].kind == RowKind::Header)
                header = i;
            if (!all[static_cast<std::size_t>(i)].isUnitOrPreset())
                continue;
            while (at < rows.size() && rows[at].index < i)
                ++at;
            if (at < rows.size() && rows[at].index == i)
                continue;
            if (nameFit(i, name) != NameFit::None)
                rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), FoundRow{i, header});
        }
    }
    struct Ranked {
        RowRank rank;
        bool preset;
        FoundRow row;
    };
    std::vector<Ranked> ranked;
    ranked.reserve(rows.size());
    for (const FoundRow& row : rows)
        ranked.push_back({rankRowByName(row.index, name),
                          catalogueRows()[static_cast<std::size_t>(row.index)].kind == RowKind::Preset, row});
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.rank != RowRank::Mentions && !a.preset && b.preset;
    });
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = ranked[i].row;
    return rows;
}


} // namespace quantaro
