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

TEST(Catalogue, RowKindsAndSeparatorsAddUp)
{
    std::map<RowKind, int> kinds;
    int underscoreRules = 0;
    int hyphenRules = 0;
    for (const CatalogueRow& row : catalogueRows()) {
        ++kinds[row.kind];
        underscoreRules += row.fromLabel == kUnderscores;
        hyphenRules += row.fromLabel == kHyphens;
    }
    EXPECT_EQ(kinds[RowKind::Header], 27);
    EXPECT_EQ(kinds[RowKind::Preset], 16);
    EXPECT_EQ(kinds[RowKind::Unit], 165);
    EXPECT_EQ(kinds[RowKind::Separator], 26);
    EXPECT_EQ(kinds[RowKind::Blank], 4);
    EXPECT_EQ(underscoreRules, 5);
    EXPECT_EQ(hyphenRules, 21);
}

TEST(Catalogue, EachKindHasItsCodeAndLabelShape)
{
    std::set<UnitCode> seen;
    for (const CatalogueRow& row : catalogueRows()) {
        SCOPED_TRACE(row.code);
        for (std::string_view label : {row.fromLabel, row.toLabel}) {
            switch (row.kind) {
            case RowKind::Separator:
                EXPECT_TRUE(label == kUnderscores || label == kHyphens);
                break;
            case RowKind::Blank:
                EXPECT_TRUE(label.empty());
                break;
            case RowKind::Header:
                ASSERT_FALSE(label.empty());
                EXPECT_NE(label.front(), ' ');
                break;
            case RowKind::Unit:
            case RowKind::Preset:
                ASSERT_GT(label.size(), 2u);
                EXPECT_EQ(label.substr(0, 2), "  ");
                EXPECT_NE(label[2], ' ');
                break;
            }
        }
        const bool noUnit = row.kind == RowKind::Separator || row.kind == RowKind::Blank;
        EXPECT_EQ(row.code == 0, noUnit);
        if (!noUnit) {
            EXPECT_TRUE(seen.insert(row.code).second) << "code appears twice";
        }
        // A unit's thousands are those of the header above it.
        if (row.kind == RowKind::Unit) {
            const CatalogueRow* header = &row;
            while (header->kind != RowKind::Header)
                --header;
            EXPECT_EQ(row.code / 1000, header->code / 1000);
        }
    }
}

struct NamedRow {
    int index;
    UnitCode code;
    RowKind kind;
    std::string_view fromLabel;
    std::string_view toLabel;
};

TEST(Catalogue, RowsNamedByIndex)
{
    const NamedRow rows[] = {
        {0, 100, RowKind::Header, "Common Conversions - Preset", "Common Conversions - Preset"},
        {1, 110, RowKind::Preset, "  millimetre (mm) (to inch (in.))", "  millimetre (mm) (from inch (in.))"},
        {2, 120, RowKind::Preset, "  inch (in.) (to millimetre (mm))", "  inch (in.) (from millimetre (mm))"},
        {15, 250, RowKind::Preset, "  Celsius (ºC) (to Fahrenheit (ºF))", "  Celsius (ºC) (from Fahrenheit (ºF))"},
        {18, 1000, RowKind::Header, "Linear Measures - Metric", "Linear Measures - Metric"},
        {19, 1110, RowKind::Unit, "  micrometre (µm)", "  micrometre (µm)"},
        {32, 2130, RowKind::Unit, "  hand U.S. ", "  hand U.S. "},
        {57, 4140, RowKind::Unit, "  square metre (m²)", "  square metre (m²)"},
        {69, 5170, RowKind::Unit, "  square chain U.S. (sq. ch.)", "  square chain U.S."},
        {83, 6180, RowKind::Unit, "  cubic metre (m³)", "  cubic metre (m³)"},
        {95, 8120, RowKind::Unit, "  pint (pt.)", "  pint (pt.)"},
        {116, 12110, RowKind::Unit, "  liquid gill (liq. gi.)", "  liquid gill"},
        {127, 13140, RowKind::Unit, "  pint (pt.)", "  pint (pt.)"},
        {173, 20000, RowKind::Header, "Miscellaneous", "Miscellaneous"},
        {206, 24195, RowKind::Unit, "  terabyte (TB)", "  terabyte (TB)"},
        {223, 28130, RowKind::Unit, "  Fahrenheit (ºF)", "  Fahrenheit (ºF)"},
        {226, 29110, RowKind::Unit, "  millisecond (ms)", "  millisecond (ms)"},
        {237, 29220, RowKind::Unit, "  millennium", "  millennium"},
    };
    const auto all = catalogueRows();
    for (const NamedRow& expected : rows) {
        SCOPED_TRACE(expected.index);
        const CatalogueRow& row = all[static_cast<std::size_t>(expected.index)];
        EXPECT_EQ(row.code, expected.code);
        EXPECT_EQ(row.kind, expected.kind);
        EXPECT_EQ(row.fromLabel, expected.fromLabel);
        EXPECT_EQ(row.toLabel, expected.toLabel);
    }

    const std::vector<int> underscores{17, 51, 73, 134, 171};
    const std::vector<int> blanks{52, 74, 135, 172};
    const std::vector<int> hyphens{28, 43, 61, 84, 92, 98, 103, 107, 114, 122, 128,
                                   149, 163, 174, 178, 183, 195, 207, 214, 220, 224};
    for (int i : underscores)
        EXPECT_EQ(all[static_cast<std::size_t>(i)].fromLabel, kUnderscores) << i;
    for (int i : hyphens)
        EXPECT_EQ(all[static_cast<std::size_t>(i)].fromLabel, kHyphens) << i;
    for (int i : blanks)
        EXPECT_EQ(all[static_cast<std::size_t>(i)].kind, RowKind::Blank) << i;
}

TEST(Catalogue, OnlyPresetsAndTwoUnitsAreLabelledDifferentlyInTheToList)
{
    std::vector<int> differing;
    const auto all = catalogueRows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const CatalogueRow& row = all[i];
        if (row.fromLabel == row.toLabel)
            continue;
        differing.push_back(static_cast<int>(i));
        if (row.kind == RowKind::Preset) {
            // The To list reads "(from" where the From list reads "(to".
            std::string expected(row.fromLabel);
            expected.replace(expected.find(" (to "), 5, " (from ");
            EXPECT_EQ(row.toLabel, expected) << i;
        }
    }
    const std::vector<int> expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 69, 116};
    EXPECT_EQ(differing, expected);
}

class RecordingList : public ListFiller {
public:
    int appendRow(std::string_view label) override
    {
        labels.emplace_back(label);
        codes.push_back(-2); // no code yet
        return static_cast<int>(labels.size()) - 1;
    }
    void setRowCode(int index, UnitCode code) override { codes.at(static_cast<std::size_t>(index)) = code; }

    std::vector<std::string> labels;
    std::vector<UnitCode> codes;
};

TEST(Catalogue, FillListAppendsEveryRowWithItsSidesLabelAndCode)
{
    for (ListSide side : {ListSide::From, ListSide::To}) {
        RecordingList list;
        fillList(side, list);
        ASSERT_EQ(list.labels.size(), 238u);
        for (std::size_t i = 0; i < list.labels.size(); ++i) {
            EXPECT_EQ(list.labels[i], catalogueRows()[i].label(side)) << i;
            EXPECT_EQ(list.codes[i], catalogueRows()[i].code) << i;
        }
    }
}

} // namespace
} // namespace quantaro
