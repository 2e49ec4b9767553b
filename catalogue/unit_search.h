// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace quantaro {

// One character of a label or of a typed text in the form in which the two
// are compared: ASCII letters in lower case, and what keyboards type made the
// same as the labels' own characters ("2" and "3" for "²" and "³", "º" for
// the degree sign, "µ" for Greek mu). Reads the character at `text[at]` and
// writes its form, one or two bytes, to `out`.
struct FoldedCharacter {
    std::size_t read;
    std::size_t written;
};
FoldedCharacter foldCharacter(std::string_view text, std::size_t at, char (&out)[2]);

// A unit or preset row that a search found, and the header row of the group
// it stands in.
struct FoundRow {
    int index;
    int headerIndex;

    friend bool operator==(const FoundRow&, const FoundRow&) = default;
};

// The unit and preset rows, in list order, whose label on this side contains
// every blank-separated word of the query (UTF-8). Letters compare without
// case and dots count for nothing, so "us gal" finds "gallon U.S. (gal)";
// what keyboards type stands for the labels' own characters: "°" for "º",
// "μ" for "µ", "2" and "3" for "²" and "³". A query without words finds
// every unit and preset row.
std::vector<FoundRow> findUnitRows(ListSide side, std::string_view query);

} // namespace quantaro
