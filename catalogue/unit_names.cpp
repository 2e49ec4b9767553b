// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/unit_names.h"

#include "catalogue/catalogue.h"
#include "catalogue/unit_search.h"
#include "engine/unit_definitions.h"

#include <algorithm>
#include <charconv>

namespace quantaro {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The form in which a UNIT argument and a label's names are compared: ASCII
// letters in lower case, blanks collapsed and trimmed, and the characters
// that keyboards type instead of the labels' own made the same. Read one
// byte at a time, so that most comparisons end at the first byte without
// building anything: a lookup runs at every start of the program.
class Folded {
public:
    enum class Parentheses { Keep, DropMarks, DropGroups };

    explicit Folded(std::string_view text, Parentheses parentheses = Parentheses::Keep)
        : text_(text), parentheses_(parentheses)
    {
    }

    // The next byte of the folded form, -1 at its end.
    int next()
    {
        if (ready_ < size_)
            return out_[ready_++];
        ready_ = size_ = 0;
        bool blank = false;
        while (pos_ < text_.size()) {
            const unsigned char c = static_cast<unsigned char>(text_[pos_++]);
            if (c == '(' || c == ')') {
                if (parentheses_ == Parentheses::DropGroups)
                    depth_ = std::max(depth_ + (c == '(' ? 1 : -1), 0);
                if (parentheses_ != Parentheses::Keep)
                    continue;
            }
            if (depth_ > 0)
                continue;
            if (c == ' ' || c == '\t') {
                blank = started_;
                continue;
            }
            started_ = true;
            if (blank)
                out_[size_++] = ' ';
            fold();
            return out_[ready_++];
        }
        return -1;
    }

private:
    // The character that starts at pos_ - 1, in the form labels are compared in.
    void fold()
    {
        char form[2];
        const FoldedCharacter c = foldCharacter(text_, pos_ - 1, form);
        pos_ += c.read - 1;
        for (std::size_t i = 0; i < c.written; ++i)
            out_[size_++] = static_cast<unsigned char>(form[i]);
    }

    std::string_view text_;
    Parentheses parentheses_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    bool started_ = false;
    int out_[3] = {};  // a blank and up to two bytes for one character
    int size_ = 0;
    int ready_ = 0;
};

std::string folded(std::string_view text)
{
    std::string out;
    Folded reader(text);
    for (int c; (c = reader.next()) >= 0;)
        out += static_cast<char>(c);
    return out;
}

// How a folded form compares with the folded UNIT argument.
enum class Fit { None, Equal, EqualWithoutDot, Prefix };

Fit fit(Folded form, std::string_view wanted)
{
    std::size_t i = 0;
    for (int c; (c = form.next()) >= 0; ++i) {
        if (i == wanted.size())
            return c == '.' && form.next() < 0 ? Fit::EqualWithoutDot : Fit::Prefix;
        if (c != static_cast<unsigned char>(wanted[i]))
            return Fit::None;
    }
    return i == wanted.size() ? Fit::Equal : Fit::None;
}

// A unit label split into the unit's name and the abbreviations in its final
// parentheses: "  (statute) mile (mi.)" into "(statute) mile" and "mi.",
// "  gallon ((Imp.) gal.)" into "gallon" and "(Imp.) gal.". A final
// "[not used anymore]" is no part of either.
struct LabelParts {
    std::string_view name;
    std::string_view abbreviations; // comma-separated
};

LabelParts splitLabel(std::string_view label)
{
    std::string_view text = trimmed(label);
    if (text.ends_with(']')) {
        if (const std::size_t open = text.rfind('['); open != std::string_view::npos)
            text = trimmed(text.substr(0, open));
    }
    if (!text.ends_with(')'))
        return {text, {}};
    int depth = 0;
    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] == ')')
            ++depth;
        else if (text[i] == '(' && --depth == 0)
            return {trimmed(text.substr(0, i)), text.substr(i + 1, text.size() - i - 2)};
    }
    return {text, {}};
}

// How well a row matches; lower is better, and the best level found decides.
enum Level { Abbreviation, AbbreviationWithoutDot, Name, NamePrefix, None };

Level matchLevel(const LabelParts& parts, std::string_view wanted)
{
    using P = Folded::Parentheses;
    Level best = None;

    std::string_view rest = parts.abbreviations;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view one = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
        for (const P parentheses : {P::Keep, P::DropMarks}) {
            if (parentheses != P::Keep && one.find('(') == std::string_view::npos)
                break; // the same form again
            const Fit f = fit(Folded(one, parentheses), wanted);
            if (f == Fit::Equal)
                return Abbreviation;
            if (f == Fit::EqualWithoutDot)
                best = AbbreviationWithoutDot;
        }
    }
    if (best != None)
        return best;

    for (const P parentheses : {P::Keep, P::DropMarks, P::DropGroups}) {
        if (parentheses != P::Keep && parts.name.find('(') == std::string_view::npos)
            break; // the same form again
        const Fit f = fit(Folded(parts.name, parentheses), wanted);
        if (f == Fit::Equal)
            return Name;
        if (f != Fit::None)
            best = NamePrefix;
    }
    return best;
}

// A label's name or abbreviation as a user types it: without its parentheses
// (or, with dropGroups, without what they hold either), blanks collapsed.
std::string withoutParentheses(std::string_view text, bool dropGroups)
{
    std::string out;
    int depth = 0;
    bool blank = false;
    for (const char c : text) {
        if (c == '(' || c == ')') {
            depth = std::max(depth + (c == '(' ? 1 : -1), 0);
            continue;
        }
        if (dropGroups && depth > 0)
            continue;
        if (c == ' ') {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

} // namespace

UnitLookup lookUpUnit(std::string_view argument)
{
    UnitLookup lookup;
    const std::string wanted = folded(argument);
    if (wanted.empty())
        return lookup;

    if (std::all_of(wanted.begin(), wanted.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int index = 0;
        const auto [end, error] = std::from_chars(wanted.data(), wanted.data() + wanted.size(), index);
        if (error != std::errc{} || end != wanted.data() + wanted.size() || index >= kCatalogueRowCount) {
            lookup.outcome = UnitLookup::Outcome::OutOfRange;
            return lookup;
        }
        lookup.outcome = UnitLookup::Outcome::Found;
        lookup.index = index;
        return lookup;
    }

    const auto rows = catalogueRows();
    Level best = None;
    for (int i = 0; i < kCatalogueRowCount; ++i) {
        if (rows[i].kind != RowKind::Unit)
            continue;
        const Level level = matchLevel(splitLabel(rows[i].fromLabel), wanted);
        if (level == None || level > best)
            continue;
        if (level < best)
            lookup.candidates.clear();
        best = level;
        lookup.candidates.push_back(i);
    }
    if (lookup.candidates.size() == 1) {
        lookup.outcome = UnitLookup::Outcome::Found;
        lookup.index = lookup.candidates.front();
        lookup.candidates.clear();
    } else if (!lookup.candidates.empty()) {
        lookup.outcome = UnitLookup::Outcome::Ambiguous;
    }
    return lookup;
}

std::vector<std::string> acceptedUnitNames()
{
    std::vector<std::string> names;
    auto offer = [&names](std::string name) {
        if (name.empty() || std::find(names.begin(), names.end(), name) != names.end())
            return;
        if (lookUpUnit(name).outcome == UnitLookup::Outcome::Found)
            names.push_back(std::move(name));
    };
    const auto rows = catalogueRows();
    for (int i = 0; i < kCatalogueRowCount; ++i) {
        if (rows[i].kind != RowKind::Unit)
            continue;
        const LabelParts parts = splitLabel(rows[i].fromLabel);
        std::string_view rest = parts.abbreviations;
        while (!rest.empty()) {
            const std::size_t comma = rest.find(',');
            offer(withoutParentheses(rest.substr(0, comma), false));
            rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
        }
        offer(withoutParentheses(parts.name, false));
        offer(withoutParentheses(parts.name, true));
    }
    return names;
}

NameFit nameFit(int index, std::string_view argument)
{
    if (index < 0 || index >= kCatalogueRowCount)
        return NameFit::None;
    const CatalogueRow& row = catalogueRows()[index];
    if (row.kind != RowKind::Unit && row.kind != RowKind::Preset)
        return NameFit::None;
    const std::string wanted = folded(argument);
    if (wanted.empty())
        return NameFit::None;
    LabelParts parts = splitLabel(row.fromLabel);
    // A preset's final parentheses hold its "(to …)" part: its own unit is
    // what stands before them.
    if (row.kind == RowKind::Preset)
        parts = splitLabel(parts.name);
    switch (matchLevel(parts, wanted)) {
    case Abbreviation:
    case AbbreviationWithoutDot:
    case Name: return NameFit::Whole;
    case NamePrefix: return NameFit::Beginning;
    case None: break;
    }
    return NameFit::None;
}

std::string unitName(int index)
{
    const auto rows = catalogueRows();
    UnitCode code = rows[index].code;
    // A preset's label names its pair; the unit's own row names the unit.
    if (const UnitDefinition* definition = findDefinition(code))
        code = definition->code;
    for (const CatalogueRow& row : rows)
        if (row.code == code && row.kind == RowKind::Unit)
            return std::string(splitLabel(row.fromLabel).name);
    return std::string(splitLabel(rows[index].fromLabel).name);
}

} // namespace quantaro

namespace quantaro {

std::string distinctUnitName(int index)
{
    const auto rows = catalogueRows();
    const std::string name = unitName(index);
    for (int i = 0; i < kCatalogueRowCount; ++i) {
        const CatalogueRow& row = rows[std::size_t(i)];
        if (i == index || row.kind != RowKind::Unit || row.code == rows[std::size_t(index)].code
            || row.fromLabel.find(name) == std::string_view::npos || splitLabel(row.fromLabel).name != name)
            continue;
        // Shared: the group says which ("pint (Apothecaries' Fluid Measures - British)").
        const int header = headerOf(index);
        return header < 0 ? name : name + " (" + std::string(rows[std::size_t(header)].fromLabel) + ')';
    }
    return name;
}

} // namespace quantaro
