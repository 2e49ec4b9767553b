// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/catalogue.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quantaro {

namespace {

// The two kinds of separator rule are long runs of one character; they are
// built here rather than typed out so the table below stays readable.
template <char Fill, std::size_t Length>
struct RuleText {
    static constexpr std::array<char, Length> chars = [] {
        std::array<char, Length> text{};
        text.fill(Fill);
        return text;
    }();
};

// Closes a section.
constexpr std::string_view kUnderscoreRule{RuleText<'_', 134>::chars.data(), 134};
// Stands between two categories.
constexpr std::string_view kHyphenRule{RuleText<'-', 154>::chars.data(), 154};

constexpr CatalogueRow header(UnitCode code, std::string_view label)
{
    return {code, RowKind::Header, Quantity::None, label, label};
}

constexpr CatalogueRow header(UnitCode code, Quantity quantity, std::string_view label)
{
    return {code, RowKind::Header, quantity, label, label};
}

constexpr CatalogueRow unit(UnitCode code, Quantity quantity, std::string_view label)
{
    return {code, RowKind::Unit, quantity, label, label};
}

constexpr CatalogueRow unit(UnitCode code, Quantity quantity, std::string_view fromLabel, std::string_view toLabel)
{
    return {code, RowKind::Unit, quantity, fromLabel, toLabel};
}

constexpr CatalogueRow preset(UnitCode code, Quantity quantity, std::string_view fromLabel, std::string_view toLabel)
{
    return {code, RowKind::Preset, quantity, fromLabel, toLabel};
}

constexpr CatalogueRow underscores() { return {0, RowKind::Separator, Quantity::None, kUnderscoreRule, kUnderscoreRule}; }
constexpr CatalogueRow hyphens() { return {0, RowKind::Separator, Quantity::None, kHyphenRule, kHyphenRule}; }
constexpr CatalogueRow blank() { return {0, RowKind::Blank, Quantity::None, "", ""}; }

using enum Quantity;

// clang-format off
constexpr std::array<CatalogueRow, kCatalogueRowCount> kRows{{
    // index  kind    code  quantity     From label                                       To label, where it differs
    /*   0 */ header(  100,              "Common Conversions - Preset"),
    /*   1 */ preset(  110, Length,      "  millimetre (mm) (to inch (in.))",             "  millimetre (mm) (from inch (in.))"),
    /*   2 */ preset(  120, Length,      "  inch (in.) (to millimetre (mm))",             "  inch (in.) (from millimetre (mm))"),
    /*   3 */ preset(  130, Length,      "  centimetre (cm) (to foot (ft.))",             "  centimetre (cm) (from foot (ft.))"),
    /*   4 */ preset(  140, Length,      "  foot (ft.) (to centimetre (cm))",             "  foot (ft.) (from centimetre (cm))"),
    /*   5 */ preset(  150, Length,      "  metre (m) (to yard (yd.))",                   "  metre (m) (from yard (yd.))"),
    /*   6 */ preset(  160, Length,      "  yard (yd.) (to metre (m))",                   "  yard (yd.) (from metre (m))"),
    /*   7 */ preset(  170, Length,      "  kilometre (km) (to (statute) mile (mi.))",    "  kilometre (km) (from (statute) mile (mi.))"),
    /*   8 */ preset(  180, Length,      "  (statute) mile (mi.) (to kilometre (km))",    "  (statute) mile (mi.) (from kilometre (km))"),
    /*   9 */ preset(  190, Volume,      "  litre (l) (to gallon U.S. (gal))",            "  litre (l) (from gallon U.S. (gal))"),
    /*  10 */ preset(  200, Volume,      "  gallon U.S. (gal) (to litre (l))",            "  gallon U.S. (gal) (from litre (l))"),
    /*  11 */ preset(  210, Mass,        "  gramme (g) (to ounce (oz. av.))",             "  gramme (g) (from ounce (oz. av.))"),
    /*  12 */ preset(  220, Mass,        "  ounce (oz. av.) (to gramme (g))",             "  ounce (oz. av.) (from gramme (g))"),
    /*  13 */ preset(  230, Mass,        "  kilogramme (kg) (to pound (lb.))",            "  kilogramme (kg) (from pound (lb.))"),
    /*  14 */ preset(  240, Mass,        "  pound (lb.) (to kilogramme (kg))",            "  pound (lb.) (from kilogramme (kg))"),
    /*  15 */ preset(  250, Temperature, "  Celsius (ºC) (to Fahrenheit (ºF))",           "  Celsius (ºC) (from Fahrenheit (ºF))"),
    /*  16 */ preset(  260, Temperature, "  Fahrenheit (ºF) (to Celsius (ºC))",           "  Fahrenheit (ºF) (from Celsius (ºC))"),
    /*  17 */ underscores(),
    /*  18 */ header( 1000,              "Linear Measures - Metric"),
    /*  19 */ unit(   1110, Length,      "  micrometre (µm)"),
    /*  20 */ unit(   1120, Length,      "  millimetre (mm)"),
    /*  21 */ unit(   1130, Length,      "  centimetre (cm)"),
    /*  22 */ unit(   1140, Length,      "  dezimetre (dm)"),
    /*  23 */ unit(   1150, Length,      "  metre (m)"),
    /*  24 */ unit(   1160, Length,      "  dekametre (dam)"),
    /*  25 */ unit(   1170, Length,      "  hectometre (hm)"),
    /*  26 */ unit(   1180, Length,      "  kilometre (km)"),
    /*  27 */ unit(   1190, Length,      "  light year (Lj) [not used anymore]"),
    /*  28 */ hyphens(),
    /*  29 */ header( 2000, Length,      "Linear Measures - British and U.S."),
    /*  30 */ unit(   2110, Length,      "  mil U.S."),
    /*  31 */ unit(   2120, Length,      "  inch (in.)"),
    /*  32 */ unit(   2130, Length,      "  hand U.S. "),
    /*  33 */ unit(   2140, Length,      "  link U.S. (li., l.)"),
    /*  34 */ unit(   2150, Length,      "  foot (ft.)"),
    /*  35 */ unit(   2160, Length,      "  yard (yd.)"),
    /*  36 */ unit(   2170, Length,      "  rod (rd.)"),
    /*  37 */ unit(   2180, Length,      "  pole (p.)"),
    /*  38 */ unit(   2190, Length,      "  perch (p.)"),
    /*  39 */ unit(   2200, Length,      "  chain (ch.)"),
    /*  40 */ unit(   2210, Length,      "  furlong (fur.)"),
    /*  41 */ unit(   2220, Length,      "  (statute) mile (mi.)"),
    /*  42 */ unit(   2230, Length,      "  league"),
    /*  43 */ hyphens(),
    /*  44 */ header( 3000, Length,      "Linear Nautical Measures - British and U.S."),
    /*  45 */ unit(   3110, Length,      "  fathom (fm.)"),
    /*  46 */ unit(   3120, Length,      "  cable('s) (length) British"),
    /*  47 */ unit(   3130, Length,      "  cable('s) (length) U.S."),
    /*  48 */ unit(   3140, Length,      "  nautical/sea mile British"),
    /*  49 */ unit(   3150, Length,      "  sea league British"),
    /*  50 */ unit(   3160, Length,      "  international nautical/sea mile"),
    /*  51 */ underscores(),
    /*  52 */ blank(),
    /*  53 */ header( 4000,              "Square Measures - Metric"),
    /*  54 */ unit(   4110, Area,        "  square millimetre (mm²)"),
    /*  55 */ unit(   4120, Area,        "  square centimetre (cm²)"),
    /*  56 */ unit(   4130, Area,        "  square dezimetre (dm²)"),
    /*  57 */ unit(   4140, Area,        "  square metre (m²)"),
    /*  58 */ unit(   4150, Area,        "  are (a)"),
    /*  59 */ unit(   4160, Area,        "  hektar (ha)"),
    /*  60 */ unit(   4170, Area,        "  square kilometre (km²)"),
    /*  61 */ hyphens(),
    /*  62 */ header( 5000, Area,        "Square Measures - British and U.S."),
    /*  63 */ unit(   5110, Area,        "  circular mil"),
    /*  64 */ unit(   5120, Area,        "  circular inch"),
    /*  65 */ unit(   5130, Area,        "  square inch (sq. in.)"),
    /*  66 */ unit(   5140, Area,        "  square foot (sq. ft.)"),
    /*  67 */ unit(   5150, Area,        "  square yard (sq. yd.)"),
    /*  68 */ unit(   5160, Area,        "  square rod (sq. rd.)"),
    /*  69 */ unit(   5170, Area,        "  square chain U.S. (sq. ch.)",                 "  square chain U.S."),
    /*  70 */ unit(   5180, Area,        "  rood British (ro.)"),
    /*  71 */ unit(   5190, Area,        "  acre (a.)"),
    /*  72 */ unit(   5200, Area,        "  square mile (sq. mi.)"),
    /*  73 */ underscores(),
    /*  74 */ blank(),
    /*  75 */ header( 6000,              "Cubic Measures - Metric"),
    /*  76 */ unit(   6110, Volume,      "  cubic millimetre (mm³)"),
    /*  77 */ unit(   6120, Volume,      "  cubic centimetre (cm³)"),
    /*  78 */ unit(   6130, Volume,      "  centilitre (cl)"),
    /*  79 */ unit(   6140, Volume,      "  dezilitre (dl)"),
    /*  80 */ unit(   6150, Volume,      "  cubic dezimetre (dm³)"),
    /*  81 */ unit(   6160, Volume,      "  litre (l)"),
    /*  82 */ unit(   6170, Volume,      "  hectolitre (hl)"),
    /*  83 */ unit(   6180, Volume,      "  cubic metre (m³)"),
    /*  84 */ hyphens(),
    /*  85 */ header( 7000, Volume,      "Cubic Measures - British and U.S."),
    /*  86 */ unit(   7110, Volume,      "  cubic inch (cu. in.)"),
    /*  87 */ unit(   7120, Volume,      "  board foot U.S."),
    /*  88 */ unit(   7130, Volume,      "  cubic foot (cu. ft.)"),
    /*  89 */ unit(   7140, Volume,      "  cubic yard (cu. yd.)"),
    /*  90 */ unit(   7150, Volume,      "  cord U.S. (cd.)"),
    /*  91 */ unit(   7160, Volume,      "  register ton (reg. tn.)"),
    /*  92 */ hyphens(),
    /*  93 */ header( 8000, Volume,      "Dry and Liquid Measures of Capacity - British"),
    /*  94 */ unit(   8110, Volume,      "  gill (gi., gl.)"),
    /*  95 */ unit(   8120, Volume,      "  pint (pt.)"),
    /*  96 */ unit(   8130, Volume,      "  quart (qt.)"),
    /*  97 */ unit(   8140, Volume,      "  gallon ((Imp.) gal.)"),
    /*  98 */ hyphens(),
    /*  99 */ header( 9000, Volume,      "Dry Measures of Capacity - British"),
    /* 100 */ unit(   9110, Volume,      "  peck (pk.)"),
    /* 101 */ unit(   9120, Volume,      "  bushel (bu., bsh.)"),
    /* 102 */ unit(   9130, Volume,      "  quarter (qr.)"),
    /* 103 */ hyphens(),
    /* 104 */ header(10000, Volume,      "Liquid Measure of Capacity - British"),
    /* 105 */ unit(  10110, Volume,      "  barrel beer (bbl., bl.)"),
    /* 106 */ unit(  10120, Volume,      "  barrel petroleum (bbl., bl.)"),
    /* 107 */ hyphens(),
    /* 108 */ header(11000, Volume,      "Dry Measures of Capacity U.S."),
    /* 109 */ unit(  11110, Volume,      "  dry pint"),
    /* 110 */ unit(  11120, Volume,      "  dry quart"),
    /* 111 */ unit(  11130, Volume,      "  peck"),
    /* 112 */ unit(  11140, Volume,      "  bushel"),
    /* 113 */ unit(  11150, Volume,      "  dry barrel (bl.)"),
    /* 114 */ hyphens(),
    /* 115 */ header(12000, Volume,      "Liquid Measures of Capacity U.S."),
    /* 116 */ unit(  12110, Volume,      "  liquid gill (liq. gi.)",                      "  liquid gill"),
    /* 117 */ unit(  12120, Volume,      "  liquid pint (liq. pt.)"),
    /* 118 */ unit(  12130, Volume,      "  liquid quart (liq. qt.)"),
    /* 119 */ unit(  12140, Volume,      "  gallon (gal)"),
    /* 120 */ unit(  12150, Volume,      "  barrel (bl.)"),
    /* 121 */ unit(  12160, Volume,      "  barrel petroleum"),
    /* 122 */ hyphens(),
    /* 123 */ header(13000, Volume,      "Apothecaries' Fluid Measures - British"),
    /* 124 */ unit(  13110, Volume,      "  minim (min., m.)"),
    /* 125 */ unit(  13120, Volume,      "  fluid drachm (dr. fl.)"),
    /* 126 */ unit(  13130, Volume,      "  fluid ounce (oz. fl.)"),
    /* 127 */ unit(  13140, Volume,      "  pint (pt.)"),
    /* 128 */ hyphens(),
    /* 129 */ header(14000, Volume,      "Apothecaries' Fluid Measures - U.S."),
    /* 130 */ unit(  14110, Volume,      "  minim (min., m.)"),
    /* 131 */ unit(  14120, Volume,      "  fluid dram (dr. fl.)"),
    /* 132 */ unit(  14130, Volume,      "  liquid ounce (oz. liq.)"),
    /* 133 */ unit(  14140, Volume,      "  (liquid) pint (pt. liq.)"),
    /* 134 */ underscores(),
    /* 135 */ blank(),
    /* 136 */ header(15000,              "Mass Measures - Metric"),
    /* 137 */ unit(  15110, Mass,        "  milligramme (mg)"),
    /* 138 */ unit(  15120, Mass,        "  centigramme (cg)"),
    /* 139 */ unit(  15130, Mass,        "  dezigramme (dg)"),
    /* 140 */ unit(  15140, Mass,        "  carat (Kt)"),
    /* 141 */ unit(  15150, Mass,        "  gramme (g)"),
    /* 142 */ unit(  15160, Mass,        "  dekagramme (dag)"),
    /* 143 */ unit(  15170, Mass,        "  hectogramme (hg)"),
    /* 144 */ unit(  15180, Mass,        "  kilogramme (kg)"),
    /* 145 */ unit(  15190, Mass,        "  (metric) hundredweight (cwt.) [not used anymore]"),
    /* 146 */ unit(  15200, Mass,        "  deziton (dt)"),
    /* 147 */ unit(  15210, Mass,        "  quintal [not used anymore]"),
    /* 148 */ unit(  15220, Mass,        "  ton (t)"),
    /* 149 */ hyphens(),
    /* 150 */ header(16000, Mass,        "Avoirdupois Weights - British and U.S."),
    /* 151 */ unit(  16110, Mass,        "  grain (gr.)"),
    /* 152 */ unit(  16120, Mass,        "  drachm/dram (dr. av.)"),
    /* 153 */ unit(  16130, Mass,        "  ounce (oz. av.)"),
    /* 154 */ unit(  16140, Mass,        "  pound (lb.)"),
    /* 155 */ unit(  16150, Mass,        "  stone British (st.)"),
    /* 156 */ unit(  16160, Mass,        "  quarter British (qr.)"),
    /* 157 */ unit(  16170, Mass,        "  quarter U.S. (qr.)"),
    /* 158 */ unit(  16180, Mass,        "  cental British"),
    /* 159 */ unit(  16190, Mass,        "  hundredweight, short U.S. (cwt. sh.)"),
    /* 160 */ unit(  16200, Mass,        "  hundredweight, long British (cwt. l.)"),
    /* 161 */ unit(  16210, Mass,        "  ton, short U.S. (tn. sh.)"),
    /* 162 */ unit(  16220, Mass,        "  ton, long British (tn. l.)"),
    /* 163 */ hyphens(),
    /* 164 */ header(17000, Mass,        "Troy and Apothecaries' Weight - British and U.S."),
    /* 165 */ unit(  17110, Mass,        "  grain (gr.)"),
    /* 166 */ unit(  17120, Mass,        "  scruple (s. ap.)"),
    /* 167 */ unit(  17130, Mass,        "  pennyweight (dwt.)"),
    /* 168 */ unit(  17140, Mass,        "  dra(ch)m (dr. t., dr. ap.)"),
    /* 169 */ unit(  17150, Mass,        "  ounce (oz. tr., oz. ap.)"),
    /* 170 */ unit(  17160, Mass,        "  pound (lb. t., lb. tr., lb. ap.)"),
    /* 171 */ underscores(),
    /* 172 */ blank(),
    /* 173 */ header(20000,              "Miscellaneous"),
    /* 174 */ hyphens(),
    /* 175 */ header(21100,              "Automotive"),
    /* 176 */ unit(  21110, Power,       "  horse powers (hp)"),
    /* 177 */ unit(  21120, Power,       "  kilowatt (kW)"),
    /* 178 */ hyphens(),
    /* 179 */ header(22100,              "Calories/Joule"),
    /* 180 */ unit(  22110, Energy,      "  calorie (cal) [not used anymore]"),
    /* 181 */ unit(  22120, Energy,      "  kilocalorie (kcal) [not used anymore]"),
    /* 182 */ unit(  22130, Energy,      "  joule (J)"),
    /* 183 */ hyphens(),
    /* 184 */ header(23100,              "Clothing and Shoe Sizes"),
    /* 185 */ unit(  23110, Ladieswear,  "  ladieswear metric/German"),
    /* 186 */ unit(  23120, Ladieswear,  "  ladieswear US/UK"),
    /* 187 */ unit(  23130, Menswear,    "  menswear metric/German"),
    /* 188 */ unit(  23140, Menswear,    "  menswear US/UK"),
    /* 189 */ unit(  23150, Shirts,      "  shirts (neck size) metric/German"),
    /* 190 */ unit(  23160, Shirts,      "  shirts (neck size) US/UK"),
    /* 191 */ unit(  23170, LadiesShoes, "  ladies' shoes metric/German"),
    /* 192 */ unit(  23180, LadiesShoes, "  ladies' shoes US/UK"),
    /* 193 */ unit(  23190, MensShoes,   "  men's shoes metric/German"),
    /* 194 */ unit(  23200, MensShoes,   "  men's shoes US/UK"),
    /* 195 */ hyphens(),
    /* 196 */ header(24100,              "Computer Memory"),
    /* 197 */ unit(  24110, Memory,      "  bit"),
    /* 198 */ unit(  24120, Memory,      "  byte"),
    /* 199 */ unit(  24130, Memory,      "  kilobit (kbit)"),
    /* 200 */ unit(  24140, Memory,      "  kilobyte (KB)"),
    /* 201 */ unit(  24150, Memory,      "  megabit (mbit)"),
    /* 202 */ unit(  24160, Memory,      "  megabyte (MB)"),
    /* 203 */ unit(  24170, Memory,      "  gigabit (gbit)"),
    /* 204 */ unit(  24180, Memory,      "  gigabyte (GB)"),
    /* 205 */ unit(  24190, Memory,      "  terabit (tbit)"),
    /* 206 */ unit(  24195, Memory,      "  terabyte (TB)"),
    /* 207 */ hyphens(),
    /* 208 */ header(25100,              "Computer Speed"),
    /* 209 */ unit(  25110, ClockSpeed,  "  Herz (Hz)"),
    /* 210 */ unit(  25120, ClockSpeed,  "  Kiloherz (KHz)"),
    /* 211 */ unit(  25130, ClockSpeed,  "  Megaherz (MHz)"),
    /* 212 */ unit(  25140, ClockSpeed,  "  Gigaherz (GHz)"),
    /* 213 */ unit(  25150, ClockSpeed,  "  Teraherz (THz)"),
    /* 214 */ hyphens(),
    /* 215 */ header(27100,              "Speed"),
    /* 216 */ unit(  27110, Speed,       "  meters per second (m/s)"),
    /* 217 */ unit(  27120, Speed,       "  kilometers per hour (km/h)"),
    /* 218 */ unit(  27130, Speed,       "  miles per hour (mi/h)"),
    /* 219 */ unit(  27140, Speed,       "  knots (kn)"),
    /* 220 */ hyphens(),
    /* 221 */ header(28100,              "Temperature"),
    /* 222 */ unit(  28110, Temperature, "  Celsius (ºC)"),
    /* 223 */ unit(  28130, Temperature, "  Fahrenheit (ºF)"),
    /* 224 */ hyphens(),
    /* 225 */ header(29100,              "Time"),
    /* 226 */ unit(  29110, Time,        "  millisecond (ms)"),
    /* 227 */ unit(  29120, Time,        "  tick"),
    /* 228 */ unit(  29130, Time,        "  second (s)"),
    /* 229 */ unit(  29140, Time,        "  minute (min)"),
    /* 230 */ unit(  29150, Time,        "  hour (h)"),
    /* 231 */ unit(  29160, Time,        "  day (d)"),
    /* 232 */ unit(  29170, Time,        "  week"),
    /* 233 */ unit(  29180, Time,        "  month"),
    /* 234 */ unit(  29190, Time,        "  year"),
    /* 235 */ unit(  29200, Time,        "  decade"),
    /* 236 */ unit(  29210, Time,        "  century"),
    /* 237 */ unit(  29220, Time,        "  millennium"),
}};
// clang-format on

static_assert(kRows[kFirstRunPair.fromIndex].code == 120 && kRows[kFirstRunPair.toIndex].code == 110,
              "the first-run pair is the preset inch to millimetre");

// The list index of the row that carries `code`, or -1. Codes are unique
// apart from 0, which finds the first separator.
constexpr int indexOf(UnitCode code)
{
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (kRows[i].code == code)
            return static_cast<int>(i);
    return -1;
}

// How a quantity's rows partner each other when one of them is confirmed.
enum class Partners {
    AnyRow,      // any row of the quantity may stay; another moves to the fallback header
    TheOtherUnit // the quantity has two units, each the other's only partner
};

struct QuantityFacts {
    Quantity quantity;
    std::string_view name;
    Partners partners;
    UnitCode fallback; // AnyRow: the code of the header the other list moves to
    bool size;
};

// clang-format off
constexpr std::array<QuantityFacts, 17> kQuantities{{
    {None,        "",                              Partners::AnyRow,       0,     false},
    {Length,      "a length",                      Partners::AnyRow,       1000,  false},
    {Area,        "an area",                       Partners::AnyRow,       4000,  false},
    {Volume,      "a volume or capacity",          Partners::AnyRow,       6000,  false},
    {Mass,        "a mass",                        Partners::AnyRow,       15000, false},
    {Power,       "a power",                       Partners::TheOtherUnit, 0,     false},
    {Energy,      "an energy",                     Partners::AnyRow,       22100, false},
    {Ladieswear,  "a ladieswear size",             Partners::TheOtherUnit, 0,     true},
    {Menswear,    "a menswear size",               Partners::TheOtherUnit, 0,     true},
    {Shirts,      "a shirt (neck) size",           Partners::TheOtherUnit, 0,     true},
    {LadiesShoes, "a ladies' shoe size",           Partners::TheOtherUnit, 0,     true},
    {MensShoes,   "a men's shoe size",             Partners::TheOtherUnit, 0,     true},
    {Memory,      "an amount of computer memory",  Partners::AnyRow,       24100, false},
    {ClockSpeed,  "a computer speed",              Partners::AnyRow,       25100, false},
    {Speed,       "a speed",                       Partners::AnyRow,       27100, false},
    {Temperature, "a temperature",                 Partners::TheOtherUnit, 0,     false},
    {Time,        "a time",                        Partners::AnyRow,       29100, false},
}};
// clang-format on

constexpr const QuantityFacts& factsOf(Quantity quantity) { return kQuantities[static_cast<std::size_t>(quantity)]; }

// Each row's only partner, where it has one: the preset rows pair off in list
// order (mm with inch, cm with foot, ...), and so do the two units of a
// quantity whose units are each other's only partner. -1 elsewhere.
constexpr std::array<int, kCatalogueRowCount> kOnlyPartner = [] {
    std::array<int, kCatalogueRowCount> partner{};
    partner.fill(-1);
    const auto pairsOff = [](const CatalogueRow& row) {
        return row.kind == RowKind::Preset
               || (row.kind == RowKind::Unit && factsOf(row.quantity).partners == Partners::TheOtherUnit);
    };
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (!pairsOff(kRows[i]) || partner[i] >= 0)
            continue;
        std::size_t j = i + 1;
        while (j < kRows.size() && !(pairsOff(kRows[j]) && kRows[j].kind == kRows[i].kind
                                     && (kRows[i].kind == RowKind::Preset || kRows[j].quantity == kRows[i].quantity)))
            ++j;
        if (j == kRows.size())
            throw "a row without its partner";
        partner[i] = static_cast<int>(j);
        partner[j] = static_cast<int>(i);
    }
    return partner;
}();

static_assert([] {
    for (const QuantityFacts& facts : kQuantities) {
        if (&facts - kQuantities.data() != static_cast<int>(facts.quantity))
            return false;
        if (facts.partners == Partners::AnyRow && facts.quantity != None
            && (indexOf(facts.fallback) < 0 || kRows[static_cast<std::size_t>(indexOf(facts.fallback))].kind != RowKind::Header))
            return false;
    }
    return true;
}(), "the quantities are listed in order, each fallback is a header row");

} // namespace

std::span<const CatalogueRow, kCatalogueRowCount> catalogueRows() { return kRows; }

void fillList(ListSide side, ListFiller& list)
{
    for (const CatalogueRow& row : kRows)
        list.setRowCode(list.appendRow(row.label(side)), row.code);
}

std::optional<int> partnerIndex(UnitCode changed, UnitCode other)
{
    const int changedIndex = indexOf(changed);
    if (changedIndex < 0)
        return std::nullopt;
    if (const int partner = kOnlyPartner[static_cast<std::size_t>(changedIndex)]; partner >= 0)
        return other == kRows[static_cast<std::size_t>(partner)].code ? std::nullopt : std::optional<int>(partner);
    const Quantity quantity = kRows[static_cast<std::size_t>(changedIndex)].quantity;
    if (quantity == None)
        return std::nullopt;
    // A preset is no row of its unit's quantity here: it has its own partner.
    const int otherIndex = indexOf(other);
    if (otherIndex >= 0 && kRows[static_cast<std::size_t>(otherIndex)].kind != RowKind::Preset
        && kRows[static_cast<std::size_t>(otherIndex)].quantity == quantity)
        return std::nullopt;
    return indexOf(factsOf(quantity).fallback);
}

int headerOf(int index)
{
    for (int i = std::min(index, kCatalogueRowCount - 1); i >= 0; --i)
        if (kRows[static_cast<std::size_t>(i)].kind == RowKind::Header)
            return i;
    return -1;
}

bool sameQuantity(UnitCode a, UnitCode b)
{
    const int first = indexOf(a);
    const int second = indexOf(b);
    if (first < 0 || second < 0)
        return false;
    const CatalogueRow& one = kRows[static_cast<std::size_t>(first)];
    const CatalogueRow& other = kRows[static_cast<std::size_t>(second)];
    return one.isUnitOrPreset() && other.isUnitOrPreset() && one.quantity == other.quantity;
}

std::string_view quantityName(Quantity quantity) { return factsOf(quantity).name; }

bool isSize(Quantity quantity) { return factsOf(quantity).size; }

} // namespace quantaro
