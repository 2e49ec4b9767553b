// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/search_answers.h"

#include "catalogue/catalogue.h"
#include "catalogue/query.h"
#include "engine/convert.h"
#include "exact/exact_result.h"
#include "exact/one_number.h"
#include "engine/unit_definitions.h"

#include <algorithm>
#include <charconv>

namespace quantaro::search {
namespace {

// Longer than any number a person types into a search field; an identifier
// carrying more was not given out here.
constexpr std::size_t kMaxNumberLength = 64;

// Queries name unit rows only, never presets.
bool isUnitRow(int index)
{
    return index >= 0 && index < kCatalogueRowCount && catalogueRows()[std::size_t(index)].kind == RowKind::Unit;
}

UnitCode codeOf(int index) { return catalogueRows()[std::size_t(index)].code; }

// Only the characters of a number: the identifier goes into the window
// program's arguments.
bool isNumberText(std::string_view text)
{
    if (text.empty() || text.size() > kMaxNumberLength)
        return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    return true;
}

// What an answer may hold: two unit rows of one quantity and a number.
bool isOffered(int fromIndex, int toIndex, std::string_view number)
{
    return isUnitRow(fromIndex) && isUnitRow(toIndex) && sameQuantity(codeOf(fromIndex), codeOf(toIndex))
           && isNumberText(number);
}

std::optional<int> readIndex(std::string_view text)
{
    // As answerId writes it: no leading zeros, no sign.
    if (text.size() > 1 && text.front() == '0')
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// The texts of the conversion of `number` between two compatible rows.
Answer answerFor(int fromIndex, int toIndex, std::string_view number, double relevance)
{
    Answer answer;
    answer.fromIndex = fromIndex;
    answer.toIndex = toIndex;
    answer.number.assign(number);
    answer.relevance = relevance;
    // The true value of the number as typed, as the window's Exact form shows it.
    Conversion conversion = ConvertExact(number, codeOf(fromIndex), codeOf(toIndex));
    answer.text = std::move(conversion.result);
    answer.result = resultNumber(answer.text);
    answer.info = std::move(conversion.info);
    if (const UnitDefinition* target = findDefinition(codeOf(toIndex)))
        answer.text += target->suffix;
    return answer;
}

// The words a row's label names its unit by, as the query reader takes them:
// the abbreviations in its last parentheses, then the name before them
// ("  inch (in.)": "in.", "inch"), then the whole label.
std::vector<std::string_view> namesOf(int index)
{
    std::string_view label = catalogueRows()[std::size_t(index)].fromLabel;
    label.remove_prefix(std::min(label.find_first_not_of(' '), label.size()));
    std::vector<std::string_view> names;
    // A note after the name ("light year (Lj) [not used anymore]") names nothing.
    if (const std::size_t note = label.find(" ["); note != std::string_view::npos && label.back() == ']')
        label = label.substr(0, note);
    const std::size_t open = label.find(" (");
    if (open != std::string_view::npos && label.back() == ')') {
        // The parenthesis that the last one closes: "gallon ((Imp.) gal.)".
        std::size_t at = label.size() - 1;
        for (int depth = 0; at > open; --at) {
            depth += label[at] == ')' ? 1 : label[at] == '(' ? -1 : 0;
            if (depth == 0)
                break;
        }
        // Some units have several: "bushel (bu., bsh.)".
        std::string_view abbreviations = label.substr(at + 1, label.size() - at - 2);
        for (std::size_t comma; (comma = abbreviations.find(", ")) != std::string_view::npos;) {
            names.push_back(abbreviations.substr(0, comma));
            abbreviations.remove_prefix(comma + 2);
        }
        names.push_back(abbreviations);
        names.push_back(label.substr(0, open));
    }
    names.push_back(label);
    return names;
}

} // namespace

std::vector<Answer> answersFor(std::string_view query)
{
    std::vector<Answer> answers;
    for (QueryConversion conversion : queryConversions(query))
        // Every answer given out must come back by its identifier, which
        // holds one number: a quantity of terms as one.
        if (makeOneNumber(conversion) && isOffered(conversion.fromIndex, conversion.toIndex, conversion.number))
            answers.push_back(answerFor(conversion.fromIndex, conversion.toIndex, conversion.number,
                                    relevance(conversion.match)));
    return answers;
}

std::string answerId(const Answer& answer)
{
    return std::to_string(answer.fromIndex) + ':' + std::to_string(answer.toIndex) + ':' + answer.number;
}

std::optional<Answer> answerForId(std::string_view id)
{
    const std::size_t first = id.find(':');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = id.find(':', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const auto from = readIndex(id.substr(0, first));
    const auto to = readIndex(id.substr(first + 1, second - first - 1));
    const std::string_view number = id.substr(second + 1);
    if (!from || !to || !isOffered(*from, *to, number))
        return std::nullopt;
    return answerFor(*from, *to, number, 1.0);
}

std::string windowQuery(const Answer& answer)
{
    const auto fromNames = namesOf(answer.fromIndex);
    const auto toNames = namesOf(answer.toIndex);
    for (const std::string_view from : fromNames)
        for (const std::string_view to : toNames) {
            std::string query = answer.number + ' ';
            query.append(from).append(" to ").append(to);
            const QueryReading reading = readQuery(query);
            if (reading.outcome == QueryOutcome::Conversion && reading.conversion.fromIndex == answer.fromIndex
                && reading.conversion.toIndex == answer.toIndex)
                return query;
        }
    // Rows with the same label in two groups: no words tell them apart, and
    // the window says so.
    std::string query = answer.number + ' ';
    query.append(fromNames.front()).append(" to ").append(toNames.front());
    return query;
}

std::vector<std::string> windowArguments(const Answer& answer)
{
    std::string query = windowQuery(answer);
    // A negative number is no option.
    if (query.front() == '-')
        return {"--", std::move(query)};
    return {std::move(query)};
}

} // namespace quantaro::search
