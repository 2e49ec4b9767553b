// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "engine/unit_definitions.h"
#include "engine/test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace quantaro {
namespace {

bool contains(const std::set<UnitCode>& codes, UnitCode code) { return codes.count(code) != 0; }

bool singleMultiplication(const Steps& steps)
{
    return steps.count == 1 && steps.step[0].kind == StepKind::Multiply;
}

// Rows whose way out is not simply one multiplication by the reciprocal of
// their way in, each for a reason of its own.
const std::set<UnitCode> kBaseUnits = {1150, 4140, 6180, 15150, 21120, 22130, 24110, 25110, 27110, 28110, 29130};
const std::set<UnitCode> kSizeRows = {23110, 23120, 23130, 23140, 23150, 23160, 23170, 23180, 23190, 23200};
const std::set<UnitCode> kChains = {27130, 28130, 29150, 29160, 29170, 29180, 29190, 29200, 29210, 29220};
const std::set<UnitCode> kNotReciprocal = {24190, 25150, 27120}; // terabit, terahertz, km/h

TEST(UnitDefinitions, EveryFromBaseIsTheReciprocalOfItsToBaseExceptTheNamedRows)
{
    for (const UnitDefinition& d : allDefinitions()) {
        SCOPED_TRACE(d.code);
        if (contains(kBaseUnits, d.code) || (contains(kSizeRows, d.code) && d.toBase.empty())) {
            EXPECT_TRUE(d.toBase.empty());
            EXPECT_TRUE(d.fromBase.empty());
            continue;
        }
        if (contains(kSizeRows, d.code)) {
            ASSERT_EQ(d.toBase.count, 1);
            ASSERT_EQ(d.fromBase.count, 1);
            EXPECT_EQ(d.toBase.step[0].kind, StepKind::Size);
            EXPECT_EQ(d.fromBase.step[0].kind, StepKind::Size);
            continue;
        }
        if (contains(kChains, d.code))
            continue;
        ASSERT_TRUE(singleMultiplication(d.toBase));
        ASSERT_TRUE(singleMultiplication(d.fromBase));
        const double reciprocal = 1.0 / d.toBase.step[0].constant;
        if (contains(kNotReciprocal, d.code))
            EXPECT_NE(d.fromBase.step[0].constant, reciprocal);
        else
            EXPECT_EQ(d.fromBase.step[0].constant, reciprocal);
    }
}

TEST(UnitDefinitions, OnlyTheTenSizeRowsHideTheFactor)
{
    std::set<UnitCode> hiding;
    for (const UnitDefinition& d : allDefinitions()) {
        if (!d.showsFactor)
            hiding.insert(d.code);
    }
    EXPECT_EQ(hiding, kSizeRows);
}

TEST(UnitDefinitions, LookupByCode)
{
    for (const UnitDefinition& d : allDefinitions())
        EXPECT_EQ(findDefinition(d.code), &d) << d.code;

    const UnitCode withoutDefinition[] = {
        kNoRow, 0, 100, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000,
        15000, 16000, 17000, 20000, 21100, 22100, 23100, 24100, 25100, 27100, 28100, 29100,
        28120, 24200, 105, 270, 1100, 29230, -1000, 2147483647, -2147483647 - 1,
    };
    for (UnitCode code : withoutDefinition)
        EXPECT_EQ(findDefinition(code), nullptr) << code;
}

TEST(UnitDefinitions, PresetsUseTheirUnitsDefinition)
{
    const std::pair<UnitCode, UnitCode> presets[] = {
        {110, 1120},  {120, 2120},  {130, 1130},  {140, 2150},  {150, 1150},  {160, 2160},
        {170, 1180},  {180, 2220},  {190, 6160},  {200, 12140}, {210, 15150}, {220, 16130},
        {230, 15180}, {240, 16140}, {250, 28110}, {260, 28130},
    };
    for (const auto& [preset, unit] : presets) {
        EXPECT_EQ(findDefinition(preset), findDefinition(unit)) << preset;
        EXPECT_NE(findDefinition(preset), nullptr) << preset;
    }
}

TEST(UnitDefinitions, SameUnitOnBothSides)
{
    const std::set<UnitCode> justBelowOne = {2150, 3150, 5150, 6110, 6130, 12130, 12150, 13130, 14120, 16120, 17130};
    const std::set<UnitCode> justAboveOne = {24190, 25150};
    for (const UnitDefinition& d : allDefinitions()) {
        if (!d.showsFactor)
            continue;
        double expected = 1.0;
        if (contains(justBelowOne, d.code))
            expected = 0.9999999999999999;
        else if (contains(justAboveOne, d.code))
            expected = 1.0000000000000002;
        EXPECT_EQ(convertValue(1, d.code, d.code), expected) << d.code;
    }
    EXPECT_EQ(convertValue(2, 2150, 2150), 1.9999999999999998);
}

struct ValueCase {
    double value;
    UnitCode from;
    UnitCode to;
    double expected;
};

void expectValues(std::initializer_list<ValueCase> cases)
{
    for (const ValueCase& c : cases)
        EXPECT_EQ(convertValue(c.value, c.from, c.to), c.expected) << c.value << " " << c.from << " -> " << c.to;
}

TEST(UnitDefinitions, NamedValues)
{
    expectValues({
        {1, 2180, 2190, 1},                  // pole and perch
        {1, 6140, 6160, 0.1},                // dezilitre to litre
        {1, 1190, 1180, 9460530000000},      // light year to kilometre
        {1, 11140, 6160, 35.2391},           // a U.S. bushel is 35.2391 l
        {35.2391, 6160, 11140, 1},
        {1, 24190, 24170, 1000.0000000000001}, // tbit to gbit
        {1, 24140, 24120, 1024},                // KB to byte
        {1, 24195, 24180, 1024},                // TB to GB
        {1, 22120, 22110, 1000.0000000000001},  // kcal to cal
        {1000, 22130, 22120, 0.23884589662749592},
        {100, 21120, 21110, 135.96216173039045},
        {1, 27130, 27120, 1.609344},
        {1, 27140, 27120, 1.8504},
    });
}

TEST(UnitDefinitions, Temperature)
{
    expectValues({
        {212, 28130, 28110, 100},
        {98.6, 28130, 28110, 37},
        {100, 28110, 28130, 212},
        {-40, 28130, 28110, -40},
        {1, 28110, 28130, 33.8},
        {1, 28130, 28110, -17.22222222222222},
        {1, 28130, 28130, 1},
    });
}

TEST(UnitDefinitions, TimeChainsRunStepByStep)
{
    expectValues({
        {1, 29190, 29180, 12},
        {1, 29190, 29160, 365.25},
        {1, 29190, 29130, 31557600},
        {1, 29180, 29130, 2629800},
        {1, 29180, 29160, 30.4375},
        {1, 29130, 29190, 3.168808781402895e-08},
        {90, 29140, 29150, 1.5},
        {1, 29210, 29190, 100},
        // the unfolded chains differ from the reciprocals in the last digit
        {1, 29130, 29170, 1.6534391534391533e-06},
        {1, 29130, 29180, 3.8025705376834734e-07},
        {1, 29130, 29220, 3.1688087814028955e-11},
    });
    for (UnitCode code = 29110; code <= 29220; code += 10)
        EXPECT_EQ(convertValue(1, code, code), 1) << code;
}

TEST(UnitDefinitions, SizesWithTheirThresholds)
{
    expectValues({
        {15.5, 23160, 23150, 39},  // shirt size in: 16 and more add one more
        {16, 23160, 23150, 41},
        {40, 23150, 23160, 16},
        {40.5, 23150, 23160, 16.25},
        {41, 23150, 23160, 16},
        {8.5, 23200, 23190, 41},
        {9, 23200, 23190, 42},
        {41, 23190, 23200, 8.5},   // men's shoes out: from 42 on
        {41.5, 23190, 23200, 9},
        {42, 23190, 23200, 9},
        {10, 23120, 23110, 38},
        {0, 23120, 23110, 28},
        {40, 23140, 23130, 50},
        {7, 23180, 23170, 38},
        {10, 23120, 23130, 38},    // no check that the garments match
    });
}

} // namespace
} // namespace quantaro
