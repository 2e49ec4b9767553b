// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "search/search_answers.h"

#include "catalogue/catalogue.h"
#include "catalogue/mixed_families.h"
#include "catalogue/query.h"
#include "catalogue/unit_names.h"
#include "engine/convert.h"
#include "exact/conversion.h"
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

// What ends the identifier of an answer in the Mixed form.
constexpr std::string_view kMixedIdEnd = ":mixed";

// Queries name unit rows only, never presets.
bool isUnitRow(int index)
{
    return index >= 0 && index < kCatalogueRowCount && catalogueRows()[std::size_t(index)].kind == RowKind::Unit;
}

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
bool isOffered(const ConversionRequest& request)
{
    return request.terms.empty() && isUnitRow(request.fromIndex) && isUnitRow(request.toIndex)
           && sameQuantity(rowCode(request.fromIndex), rowCode(request.toIndex)) && isNumberText(request.number);
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

// The texts of a plain request between two compatible rows, in the Exact
// form.
Answer answerFor(ConversionRequest request, double relevance)
{
    Answer answer;
    request.form = ResultForm::Exact;
    answer.request = std::move(request);
    answer.relevance = relevance;
    // The true value of the number as typed, as the window's Exact form shows it.
    Conversion conversion = Convert(answer.request);
    answer.text = std::move(conversion.result);
    answer.result = resultNumber(answer.text);
    answer.info = std::move(conversion.info);
    // The suffixes of sizes ("metric/German") come without the blank the
    // others have (" cm"): "38 metric/German", not "38metric/German".
    if (const UnitDefinition* target = findDefinition(rowCode(answer.request.toIndex));
        target && !target->suffix.empty()) {
        if (target->suffix.front() != ' ')
            answer.text += ' ';
        answer.text += target->suffix;
    }
    return answer;
}

// The Mixed form of an answer in its own words ("5 ft 6.93 in"), with the
// same info line; nothing where the To unit has no family or the value no
// mixed text. The last part has decimals, as a search field has no room
// for the window's setting.
std::optional<Answer> mixedAnswer(const Answer& plain)
{
    if (mixedFamilyOf(rowCode(plain.request.toIndex)) == nullptr)
        return std::nullopt;
    Answer mixed = plain;
    mixed.request.form = ResultForm::Mixed;
    mixed.request.fraction = kDecimalLastPart;
    Conversion conversion;
    if (Convert(mixed.request, conversion) != ResultForm::Mixed)
        return std::nullopt;
    mixed.text = conversion.result;
    mixed.result = std::move(conversion.result);
    mixed.relevance = plain.relevance * kMixedRelevance;
    return mixed;
}

} // namespace

std::vector<Answer> answersFor(std::string_view query, const QueryContext& context)
{
    std::vector<Answer> answers;
    for (QueryConversion conversion : queryConversions(query, context))
        // Every answer given out must come back by its identifier, which
        // holds one number: a quantity of terms as one.
        if (makeOneNumber(conversion.request) && isOffered(conversion.request)) {
            answers.push_back(answerFor(std::move(conversion.request), relevance(conversion.match)));
            if (std::optional<Answer> mixed = mixedAnswer(answers.back()))
                answers.push_back(std::move(*mixed));
        }
    // Where a name fits several rows, the side that differs between the
    // answers is named by its row: the texts alone would not say which.
    bool fromDiffers = false, toDiffers = false;
    for (const Answer& answer : answers) {
        fromDiffers = fromDiffers || answer.request.fromIndex != answers.front().request.fromIndex;
        toDiffers = toDiffers || answer.request.toIndex != answers.front().request.toIndex;
    }
    for (Answer& answer : answers) {
        std::string label;
        for (const auto& [index, differs] : {std::pair{answer.request.fromIndex, fromDiffers}, std::pair{answer.request.toIndex, toDiffers}}) {
            if (differs)
                label += (label.empty() ? "" : " to ") + distinctUnitName(index);
        }
        if (!label.empty())
            answer.text += ": " + label;
    }
    return answers;
}

std::string answerId(const Answer& answer)
{
    const ConversionRequest& request = answer.request;
    std::string id = std::to_string(request.fromIndex) + ':' + std::to_string(request.toIndex) + ':' + request.number;
    if (request.form == ResultForm::Mixed)
        id += kMixedIdEnd;
    return id;
}

std::optional<Answer> answerForId(std::string_view id)
{
    // A number has no colon, so the end of a Mixed answer's identifier is
    // never part of it.
    const bool mixed = id.ends_with(kMixedIdEnd);
    if (mixed)
        id.remove_suffix(kMixedIdEnd.size());
    const std::size_t first = id.find(':');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = id.find(':', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const auto from = readIndex(id.substr(0, first));
    const auto to = readIndex(id.substr(first + 1, second - first - 1));
    if (!from || !to)
        return std::nullopt;
    ConversionRequest request{*from, *to, std::string(id.substr(second + 1))};
    if (!isOffered(request))
        return std::nullopt;
    Answer answer = answerFor(std::move(request), 1.0);
    if (mixed)
        return mixedAnswer(answer);
    return answer;
}

std::vector<std::string> windowArguments(const Answer& answer)
{
    // After "--": a number such as "-5" or "-e5" is no option.
    const ConversionRequest& request = answer.request;
    return {request.form == ResultForm::Mixed ? "--mixed" : "--exact", "--from", std::to_string(request.fromIndex),
            "--to", std::to_string(request.toIndex), "--", request.number};
}

const std::vector<Answer>& AnswerCache::answersFor(std::string_view query)
{
    const auto kept = std::find_if(entries_.begin(), entries_.end(), [query](const Entry& e) { return e.query == query; });
    if (kept != entries_.end()) {
        if (kept != entries_.begin())
            std::rotate(entries_.begin(), kept, kept + 1);
        return entries_.front().answers;
    }
    ++computed_;
    Entry entry{std::string(query), search::answersFor(query, context_), {}};
    for (const Answer& answer : entry.answers)
        entry.ids.push_back(answerId(answer));
    if (entries_.size() >= capacity_)
        entries_.pop_back();
    entries_.push_front(std::move(entry));
    return entries_.front().answers;
}

const std::vector<std::string>& AnswerCache::lastIds() const
{
    static const std::vector<std::string> none;
    return entries_.empty() ? none : entries_.front().ids;
}

const Answer* AnswerCache::find(std::string_view id) const
{
    for (const Entry& entry : entries_)
        for (std::size_t i = 0; i < entry.ids.size(); ++i)
            if (entry.ids[i] == id)
                return &entry.answers[i];
    return nullptr;
}

} // namespace quantaro::search
