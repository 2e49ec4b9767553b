// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The desktop's search on any bytes, as a query and as an identifier coming
// back: every answer it gives comes back by its identifier with the same
// texts (but for the row an ambiguous name took), is kept for the calls that
// follow, opens the window on its own rows in its own form, a Mixed answer
// follows its plain one, less relevant, and an identifier names an answer
// only as the service wrote it.

#include "fuzz_support.h"
#include "search/search_answers.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using quantaro::fuzz::check;
using quantaro::fuzz::shown;
using namespace quantaro::search;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    AnswerCache cache({}, 2);
    const auto& kept = cache.answersFor(text);
    const auto answers = answersFor(text);
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const Answer& answer = answers[i];
        const std::string id = answerId(answer);
        const auto again = answerForId(id);
        check(again.has_value(), "an answer given out comes back by its identifier", shown(id));
        check(answer.text.starts_with(again->text) && again->info == answer.info && again->result == answer.result
                  && again->request.form == answer.request.form,
              "an identifier gives the same texts back", shown(id));
        if (answer.request.form == quantaro::ResultForm::Mixed)
            check(i > 0 && answers[i - 1].request.form != quantaro::ResultForm::Mixed && answerId(answers[i - 1]) + ":mixed" == id
                      && answer.relevance < answers[i - 1].relevance,
                  "a Mixed answer follows its plain one, less relevant", shown(id));
        check(answer.relevance > 0 && answer.relevance <= 1, "relevance within (0, 1]", shown(text));
        const Answer* found = cache.find(id);
        check(found != nullptr && found->text.starts_with(again->text), "a given answer is kept", shown(id));
        const auto arguments = windowArguments(answer);
        const char* form = answer.request.form == quantaro::ResultForm::Mixed ? "--mixed" : "--exact";
        check(arguments.size() == 7 && arguments[0] == form && arguments[2] == std::to_string(answer.request.fromIndex)
                  && arguments[4] == std::to_string(answer.request.toIndex) && arguments[6] == answer.request.number,
              "the window opens on the answer's rows, number and form", shown(id));
    }
    check(kept.size() == answersFor(text).size(), "the kept answers are the answers", shown(text));

    if (const auto answer = answerForId(text))
        check(answerId(*answer) == text, "an identifier names an answer only as written", shown(text));
    return 0;
}
