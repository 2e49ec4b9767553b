// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/recent_pairs.h"

#include "catalogue/catalogue.h"

#include <algorithm>
#include <charconv>

namespace quantaro {

namespace {

bool isUnitRow(int index)
{
    if (index < 0 || index >= kCatalogueRowCount)
        return false;
    const RowKind kind = catalogueRows()[static_cast<std::size_t>(index)].kind;
    return kind == RowKind::Unit || kind == RowKind::Preset;
}

// Only plain decimal digits: no sign, no blank, no base prefix.
bool readIndex(std::string_view text, int& index)
{
    if (text.empty() || text.size() > 4)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    return error == std::errc() && end == text.data() + text.size() && text.front() != '-';
}

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '"'; }

// The label as a row shows it, less the two leading blanks and, for a preset
// row, less " (to …)" in the From list and " (from …)" in the To list.
std::string_view unitName(int index, ListSide side)
{
    const CatalogueRow& row = catalogueRows()[static_cast<std::size_t>(index)];
    std::string_view label = row.label(side);
    label.remove_prefix(std::min(label.find_first_not_of(' '), label.size()));
    if (row.kind == RowKind::Preset) {
        const std::size_t partner = label.find(side == ListSide::From ? " (to " : " (from ");
        label = label.substr(0, partner);
    }
    return label;
}

} // namespace

bool isRowPair(RowPair pair) { return isUnitRow(pair.fromIndex) && isUnitRow(pair.toIndex); }

std::string recentPairsText(std::span<const RowPair> pairs)
{
    std::string text;
    for (const RowPair& pair : pairs) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(pair.fromIndex);
        text += ':';
        text += std::to_string(pair.toIndex);
    }
    return text;
}

std::vector<RowPair> readRecentPairs(std::string_view text)
{
    std::vector<RowPair> pairs;
    std::size_t at = 0;
    while (at < text.size() && pairs.size() < kRecentPairLimit) {
        if (isSeparator(text[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const std::string_view part = text.substr(at, end - at);
        at = end;
        const std::size_t colon = part.find(':');
        RowPair pair;
        if (colon == std::string_view::npos || !readIndex(part.substr(0, colon), pair.fromIndex)
            || !readIndex(part.substr(colon + 1), pair.toIndex) || !isRowPair(pair))
            continue;
        if (std::find(pairs.begin(), pairs.end(), pair) == pairs.end())
            pairs.push_back(pair);
    }
    return pairs;
}

void rememberPair(std::vector<RowPair>& recent, RowPair pair)
{
    if (!isRowPair(pair))
        return;
    std::erase(recent, pair);
    recent.insert(recent.begin(), pair);
    if (recent.size() > kRecentPairLimit)
        recent.resize(kRecentPairLimit);
}

std::string pairLabel(RowPair pair, std::string_view arrow)
{
    if (!isRowPair(pair))
        return {};
    std::string label(unitName(pair.fromIndex, ListSide::From));
    label += arrow;
    label += unitName(pair.toIndex, ListSide::To);
    return label;
}

} // namespace quantaro
