// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/unit_search.h"

#include "engine/number_text.h"

#include <algorithm>
#include <string>

namespace quantaro {

namespace {

// Appends the form in which queries and labels are compared; dots count for
// nothing.
void appendFolded(std::string_view text, std::string& out)
{
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '.') {
            ++i;
            continue;
        }
        char form[2];
        const FoldedCharacter c = foldCharacter(text, i, form);
        out.append(form, c.written);
        i += c.read;
    }
}

} // namespace

FoldedCharacter foldCharacter(std::string_view text, std::size_t at, char (&out)[2])
{
    const auto c = static_cast<unsigned char>(text[at]);
    const auto next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
    if (c == 0xC2 && (next == 0xB2 || next == 0xB3)) { // "²", "³"
        out[0] = next == 0xB2 ? '2' : '3';
        return {2, 1};
    }
    if (c == 0xC2 && next == 0xB0) { // the degree sign, as the labels' "º"
        out[0] = '\xC2';
        out[1] = '\xBA';
        return {2, 2};
    }
    if (c == 0xCE && next == 0xBC) { // Greek mu, as the labels' micro sign
        out[0] = '\xC2';
        out[1] = '\xB5';
        return {2, 2};
    }
    out[0] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return {1, 1};
}

std::vector<FoundRow> findUnitRows(ListSide side, std::string_view query)
{
    std::string folded;
    folded.reserve(query.size());
    appendFolded(query, folded);

    // A pasted text may hold tens of thousands of words, mostly the same few;
    // each distinct word is looked for once, the longest first, since a long
    // word rules a label out soonest and one longer than every label rules
    // out all of them at once.
    std::vector<std::string_view> words;
    const std::string_view rest(folded);
    for (std::size_t start = 0; start < rest.size();) {
        while (start < rest.size() && isBlank(rest[start]))
            ++start;
        std::size_t end = start;
        while (end < rest.size() && !isBlank(rest[end]))
            ++end;
        if (end > start)
            words.push_back(rest.substr(start, end - start));
        start = end;
    }
    std::sort(words.begin(), words.end(), [](std::string_view a, std::string_view b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    });
    words.erase(std::unique(words.begin(), words.end()), words.end());

    std::vector<FoundRow> found;
    std::string label;
    int header = -1;
    const auto rows = catalogueRows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const CatalogueRow& row = rows[static_cast<std::size_t>(i)];
        if (row.kind == RowKind::Header)
            header = i;
        if (!row.isUnitOrPreset())
            continue;
        label.clear();
        appendFolded(row.label(side), label);
        if (std::all_of(words.begin(), words.end(),
                        [&label](std::string_view word) { return label.find(word) != std::string::npos; }))
            found.push_back({i, header});
    }
    return found;
}

} // namespace quantaro
