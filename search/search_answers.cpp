// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/search_answers.h"

#include "catalogue/catalogue.h"
#include "engine/convert.h"
#include "engine/unit_definitions.h"

#include <charconv>

namespace quantaro::search {
namespace {

// Longer than any number a person types into a search field; an identifier
// carrying more was not given out here.
constexpr std::size_t kMaxNumberLength = 64;

bool isUnitRow(int index)
{
    if (index < 0 || index >= kCatalogueRowCount)
        return false;
    const RowKind kind = catalogueRows()[std::size_t(index)].kind;
    return kind == RowKind::Unit || kind == RowKind::Preset;
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

std::optional<int> readIndex(std::string_view text)
{
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
    Conversion conversion = Convert(number, codeOf(fromIndex), codeOf(toIndex), ResultForm::Shortest);
    answer.result = std::move(conversion.result);
    answer.info = std::move(conversion.info);
    answer.text = answer.result;
    if (const UnitDefinition* target = findDefinition(codeOf(toIndex)))
        answer.text += target->suffix;
    return answer;
}

} // namespace

std::vector<Answer> answersFor(std::string_view query)
{
    (void)query;
    return {};
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
    if (!from || !to || !isUnitRow(*from) || !isUnitRow(*to) || !sameQuantity(codeOf(*from), codeOf(*to))
        || !isNumberText(number))
        return std::nullopt;
    return answerFor(*from, *to, number, 1.0);
}

std::vector<std::string> windowArguments(const Answer& answer)
{
    return {answer.number, std::to_string(answer.fromIndex), "to", std::to_string(answer.toIndex)};
}

} // namespace quantaro::search
