// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace quantaro {
namespace {

const std::string kUnderscores(134, '_');
const std::string kHyphens(154, '-');

TEST(Catalogue, KindsCodesAndLabelShapes)
{
    std::map<RowKind, int> kinds;
    std::map<std::string_view, std::vector<int>> rules;
    std::set<UnitCode> codes;
    const auto all = catalogueRows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const CatalogueRow& row = all[i];
        SCOPED_TRACE(i);
        ++kinds[row.kind];
        const bool isUnit = row.kind == RowKind::Unit || row.kind == RowKind::Preset;
        if (row.kind == RowKind::Separator)
            rules[row.fromLabel].push_back(static_cast<int>(i));
        EXPECT_TRUE(row.kind != RowKind::Blank || (row.fromLabel.empty() && row.toLabel.empty()));
        EXPECT_TRUE(row.kind != RowKind::Header || !row.fromLabel.starts_with(" "));
        EXPECT_TRUE(!isUnit || (row.fromLabel.starts_with("  ") && row.fromLabel[2] != ' '));
        EXPECT_EQ(row.code == 0, row.kind == RowKind::Separator || row.kind == RowKind::Blank);
        EXPECT_TRUE(row.code == 0 || codes.insert(row.code).second) << "code twice";
    }
    EXPECT_EQ(kinds[RowKind::Header], 27);
    EXPECT_EQ(kinds[RowKind::Preset], 16);
    EXPECT_EQ(kinds[RowKind::Unit], 165);
    EXPECT_EQ(kinds[RowKind::Separator], 26);
    EXPECT_EQ(kinds[RowKind::Blank], 4);
    EXPECT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[kUnderscores], (std::vector<int>{17, 51, 73, 134, 171}));
    EXPECT_EQ(rules[kHyphens], (std::vector<int>{28, 43, 61, 84, 92, 98, 103, 107, 114, 122, 128, 149, 163, 174,
                                                 178, 183, 195, 207, 214, 220, 224}));
}

TEST(Catalogue, RowsNamedByIndex)
{
    const struct {
        std::size_t index;
        UnitCode code;
        std::string_view fromLabel;
        std::string_view toLabel;
    } rows[] = {
        {0, 100, "Common Conversions - Preset", "Common Conversions - Preset"},
        {1, 110, "  millimetre (mm) (to inch (in.))", "  millimetre (mm) (from inch (in.))"},
        {15, 250, "  Celsius (ºC) (to Fahrenheit (ºF))", "  Celsius (ºC) (from Fahrenheit (ºF))"},
        {19, 1110, "  micrometre (µm)", "  micrometre (µm)"},
        {32, 2130, "  hand U.S. ", "  hand U.S. "},
        {57, 4140, "  square metre (m²)", "  square metre (m²)"},
        {69, 5170, "  square chain U.S. (sq. ch.)", "  square chain U.S."},
        {83, 6180, "  cubic metre (m³)", "  cubic metre (m³)"},
        {95, 8120, "  pint (pt.)", "  pint (pt.)"},
        {116, 12110, "  liquid gill (liq. gi.)", "  liquid gill"},
        {127, 13140, "  pint (pt.)", "  pint (pt.)"},
        {206, 24195, "  terabyte (TB)", "  terabyte (TB)"},
        {223, 28130, "  Fahrenheit (ºF)", "  Fahrenheit (ºF)"},
        {226, 29110, "  millisecond (ms)", "  millisecond (ms)"},
        {237, 29220, "  millennium", "  millennium"},
    };
    for (const auto& expected : rows) {
        const CatalogueRow& row = catalogueRows()[expected.index];
        EXPECT_EQ(row.code, expected.code) << expected.index;
        EXPECT_EQ(row.fromLabel, expected.fromLabel) << expected.index;
        EXPECT_EQ(row.toLabel, expected.toLabel) << expected.index;
    }
}

// What a row measures, named as a message names it; a preset measures what
// its unit does, and rows without a unit measure nothing.
TEST(Catalogue, QuantityNamesForMessages)
{
    const std::pair<std::size_t, std::string_view> rows[] = {
        {1, "a length"}, {9, "a volume or capacity"}, {14, "a mass"}, {16, "a temperature"},
        {19, "a length"}, {50, "a length"}, {57, "an area"}, {95, "a volume or capacity"}, {133, "a volume or capacity"},
        {144, "a mass"}, {170, "a mass"}, {176, "a power"}, {182, "an energy"}, {185, "a ladieswear size"},
        {188, "a menswear size"}, {189, "a shirt (neck) size"}, {192, "a ladies' shoe size"}, {194, "a men's shoe size"},
        {206, "an amount of computer memory"}, {213, "a computer speed"}, {219, "a speed"}, {223, "a temperature"},
        {237, "a time"}, {0, ""}, {17, ""}, {18, ""}, {52, ""},
    };
    for (const auto& [index, name] : rows)
        EXPECT_EQ(quantityName(catalogueRows()[index].quantity), name) << index;
}

TEST(Catalogue, OnlyPresetsAndTwoUnitsDifferInTheToList)
{
    std::vector<int> differing;
    for (std::size_t i = 0; i < catalogueRows().size(); ++i) {
        const CatalogueRow& row = catalogueRows()[i];
        if (row.fromLabel == row.toLabel)
            continue;
        differing.push_back(static_cast<int>(i));
        if (row.kind == RowKind::Preset) { // "(to" in the From list is "(from" in the To list
            std::string expected(row.fromLabel);
            EXPECT_EQ(row.toLabel, expected.replace(expected.find(" (to "), 5, " (from "));
        }
    }
    EXPECT_EQ(differing, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 69, 116}));
}

class RecordingList : public ListFiller {
public:
    int appendRow(std::string_view label) override
    {
        rows.emplace_back(std::string(label), -2);
        return static_cast<int>(rows.size()) - 1;
    }
    void setRowCode(int index, UnitCode code) override { rows.at(static_cast<std::size_t>(index)).second = code; }

    std::vector<std::pair<std::string, UnitCode>> rows;
};

TEST(Catalogue, FillListAppendsEveryRowWithItsSidesLabelAndCode)
{
    for (ListSide side : {ListSide::From, ListSide::To}) {
        RecordingList list;
        fillList(side, list);
        ASSERT_EQ(list.rows.size(), 238u);
        for (std::size_t i = 0; i < list.rows.size(); ++i)
            EXPECT_EQ(list.rows[i], std::pair(std::string(catalogueRows()[i].label(side)), catalogueRows()[i].code));
    }
}

} // namespace
} // namespace quantaro
