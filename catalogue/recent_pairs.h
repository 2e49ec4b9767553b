// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/catalogue.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quantaro {

// How many pairs the recent list keeps.
inline constexpr std::size_t kRecentPairLimit = 9;

// Whether both indices name a row that has a unit (a unit row or a preset
// row); headers, separators, blank rows and indices outside the lists do not.
bool isRowPair(RowPair pair);

// The stored text of the recent list: "FROM:TO" per pair, newest first, one
// blank between pairs ("2:1 31:20"). Only digits, colons and blanks, so an
// INI file holds it verbatim, with no quoting or escaping, and a reader that
// knows nothing of the settings library reads it as it was written.
std::string recentPairsText(std::span<const RowPair> pairs);

// Reads a stored text of any content into the list it names: the pairs that
// are two unit rows, each once (the first, newest occurrence), at most
// kRecentPairLimit. Blanks, tabs, commas and double quotes separate pairs, so
// a value edited by hand into a quoted or comma-separated one still reads as
// its author meant; a part that is not a pair of decimal indices is dropped.
std::vector<RowPair> readRecentPairs(std::string_view text);

// Puts a pair the user arrived at first, removing its earlier place and the
// oldest pair beyond the limit. A pair that is not two unit rows is ignored.
void rememberPair(std::vector<RowPair>& recent, RowPair pair);

// "inch (in.) → millimetre (mm)": the From row's label and the To row's, each
// without its leading blanks and, on a preset row, without the partner it is
// preset for; `arrow` goes between them.
std::string pairLabel(RowPair pair, std::string_view arrow);

} // namespace quantaro
