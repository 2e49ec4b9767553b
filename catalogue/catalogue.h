// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "engine/unit_code.h"

#include <optional>
#include <span>
#include <string_view>

namespace quantaro {

enum class RowKind { Header, Unit, Preset, Separator, Blank };

enum class ListSide { From, To };

// One row of both lists. The two lists hold the same rows in the same order;
// only preset rows and two unit rows are labelled differently in the To list.
struct CatalogueRow {
    UnitCode code;
    RowKind kind;
    std::string_view fromLabel; // UTF-8
    std::string_view toLabel;   // UTF-8

    std::string_view label(ListSide side) const { return side == ListSide::From ? fromLabel : toLabel; }
};

inline constexpr int kCatalogueRowCount = 238;

// Two rows by list index, as the window's lists and the command line name them.
struct RowPair {
    int fromIndex;
    int toIndex;
};

// What a first run converts, and the command line when told nothing else:
// inch to millimetre, both preset rows.
inline constexpr RowPair kFirstRunPair{2, 1};

// All rows in list order; a row's position is its list index.
std::span<const CatalogueRow, kCatalogueRowCount> catalogueRows();

// Something a list can be filled through: append a row, then set its code.
class ListFiller {
public:
    virtual ~ListFiller() = default;
    // Appends a row with this label at the end and returns its index.
    virtual int appendRow(std::string_view label) = 0;
    virtual void setRowCode(int index, UnitCode code) = 0;
};

// Appends every row in list order with the labels of one list.
void fillList(ListSide side, ListFiller& list);

// The partner rule for a confirmed selection: given the code the user just
// chose and the code of the other list's current row, the list index the
// other list must move to, or nothing when it may stay.
std::optional<int> partnerIndex(UnitCode changed, UnitCode other);

// Whether two codes are units (unit or preset rows) of one quantity, so that
// a conversion between them means something. Sizes pair only within one garment.
bool sameQuantity(UnitCode a, UnitCode b);

} // namespace quantaro
