#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

namespace quantaro {
namespace {

struct PartnerCase {
    const char* what;
    UnitCode changed;
    UnitCode other;
    std::optional<int> moveTo;
};

TEST(PartnerIndex, EdgeCases)
{
    const PartnerCase cases[] = {
        {"inch against square metre falls back to the metric length header", 2120, 4140, 18},
        {"nautical and metric length are one group", 3110, 1150, std::nullopt},
        {"cubic inch and U.S. liquid gill are one group", 7110, 12110, std::nullopt},
        {"a later volume header is a member", 7000, 1150, 75},
        {"a group's first header is under no rule", 1000, 15150, std::nullopt},
        {"same unit within a group stays", 1150, 1150, std::nullopt},
        {"same unit of a pair moves to the other member", 21110, 21110, 177},
        {"kilowatt keeps horse powers", 21120, 21110, std::nullopt},
        {"Celsius needs Fahrenheit, not the preset", 28110, 250, 223},
        {"preset needs its partner preset, not the unit", 110, 2120, 2},
        {"preset 120 keeps 110", 120, 110, std::nullopt},
        {"preset 120 against itself moves to 110", 120, 120, 1},
        {"a unit never partners a preset", 2120, 120, 18},
        {"knots against metre falls back to Speed", 27140, 1150, 215},
        {"gigabyte keeps terabyte", 24180, 24195, std::nullopt},
        {"terabyte keeps bit", 24195, 24110, std::nullopt},
        {"gramme against the metric length header", 15150, 1000, 136},
        {"length unit against the mass header", 1150, 15000, 18},
        {"troy weight falls back to the metric mass header", 17110, 22110, 136},
        {"British area falls back to the metric area header", 5190, 1150, 53},
        {"energy", 22130, 29130, 179},
        {"computer speed", 25150, 24110, 208},
        {"time", 29110, 0, 225},
        {"a group member against no selection", 1150, kNoRow, 18},
        {"ladieswear needs its own US/UK row", 23110, 23140, 186},
        {"men's shoes US/UK back to metric", 23200, 23170, 193},
        {"shirts keep their pair", 23150, 23160, std::nullopt},
        {"separator", 0, 1150, std::nullopt},
        {"no selection", kNoRow, 1150, std::nullopt},
        {"preset header", 100, 1150, std::nullopt},
        {"Miscellaneous", 20000, 1150, std::nullopt},
        {"Automotive header", 21100, 21110, std::nullopt},
        {"Clothing and Shoe Sizes header", 23100, 1150, std::nullopt},
        {"Temperature header", 28100, 1150, std::nullopt},
        {"Time header", 29100, 1150, std::nullopt},
        {"code in no list", 26110, 1150, std::nullopt},
    };
    for (const PartnerCase& c : cases)
        EXPECT_EQ(partnerIndex(c.changed, c.other), c.moveTo) << c.what;
}

struct QuantityCase {
    UnitCode a;
    UnitCode b;
    bool same;
};

TEST(SameQuantity, UnitAndPresetRowsOfOneQuantity)
{
    const QuantityCase cases[] = {
        {1150, 3160, true},    // metric and nautical length
        {120, 2120, true},     // a preset and its own unit
        {110, 2220, true},     // length preset and another length unit
        {110, 170, true},      // presets of different pairs, one quantity
        {190, 200, true},
        {200, 14140, true},    // volume preset and an apothecaries' pint
        {210, 17160, true},    // mass preset and a troy pound
        {250, 28130, true},    // temperature preset and unit
        {260, 250, true},
        {4110, 5200, true},
        {21110, 21120, true},
        {22110, 22130, true},
        {23110, 23120, true},
        {23200, 23190, true},
        {24110, 24195, true},
        {25110, 25150, true},
        {27110, 27140, true},
        {29110, 29220, true},
        {1150, 1150, true},
        {1150, 15150, false},  // metre and gramme
        {150, 210, false},
        {23110, 23140, false}, // ladieswear and menswear
        {23120, 23170, false},
        {190, 1150, false},
        {250, 22130, false},
        {27110, 1150, false},
        {25110, 24110, false},
        {1000, 1150, false},   // headers are not units
        {2000, 1150, false},
        {7000, 6000, false},
        {2000, 2000, false},
        {23100, 23110, false},
        {100, 110, false},
        {0, 0, false},
        {kNoRow, kNoRow, false},
        {1150, kNoRow, false},
        {26110, 26110, false}, // in no list
    };
    for (const QuantityCase& c : cases) {
        EXPECT_EQ(sameQuantity(c.a, c.b), c.same) << c.a << " " << c.b;
        EXPECT_EQ(sameQuantity(c.b, c.a), c.same) << c.b << " " << c.a;
    }
}

} // namespace
} // namespace quantaro
