// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Suggestions for a word that names no unit, on any bytes: at most three,
// one per unit, each a name of the unit it stands for; the text that offers
// them is one short line.

#include "catalogue/unit_names.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using quantaro::fuzz::check;
using quantaro::fuzz::shown;
using namespace quantaro;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<NameSuggestion> suggestions = suggestUnitNames(text);
    check(suggestions.size() <= 3, "more than three suggestions", shown(text));
    for (std::size_t i = 0; i < suggestions.size(); ++i) {
        const NameSuggestion& s = suggestions[i];
        const std::vector<int> rows = readUnitName(s.name).rows;
        check(std::find(rows.begin(), rows.end(), s.index) != rows.end(), "a suggestion that names another unit",
              shown(text) + " gave " + shown(s.name));
        for (std::size_t j = 0; j < i; ++j)
            check(suggestions[j].index != s.index, "one unit suggested twice", shown(text));
    }
    const std::string line = suggestionText(text);
    check(line.empty() == suggestions.empty(), "a suggestion text without suggestions", shown(text));
    check(line.size() <= 400 && line.find('\n') == std::string::npos, "a suggestion text too long or of two lines",
          shown(text));
    return 0;
}
