// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "catalogue/catalogue.h"

#include "engine/unit_definitions.h"

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
    return {code, RowKind::Header, label, label};
}

constexpr CatalogueRow unit(UnitCode code, std::string_view label)
{
    return {code, RowKind::Unit, label, label};
}

constexpr CatalogueRow unit(UnitCode code, std::string_view fromLabel, std::string_view toLabel)
{
    return {code, RowKind::Unit, fromLabel, toLabel};
}

constexpr CatalogueRow preset(UnitCode code, std::string_view fromLabel, std::string_view toLabel)
{
    return {code, RowKind::Preset, fromLabel, toLabel};
}

constexpr CatalogueRow underscores() { return {0, RowKind::Separator, kUnderscoreRule, kUnderscoreRule}; }
constexpr CatalogueRow hyphens() { return {0, RowKind::Separator, kHyphenRule, kHyphenRule}; }
constexpr CatalogueRow blank() { return {0, RowKind::Blank, "", ""}; }

// clang-format off
constexpr std::array<CatalogueRow, kCatalogueRowCount> kRows{{
    // index  kind    code  From label                                       To label, where it differs
    /*   0 */ header(  100, "Common Conversions - Preset"),
    /*   1 */ preset(  110, "  millimetre (mm) (to inch (in.))",             "  millimetre (mm) (from inch (in.))"),
    /*   2 */ preset(  120, "  inch (in.) (to millimetre (mm))",             "  inch (in.) (from millimetre (mm))"),
    /*   3 */ preset(  130, "  centimetre (cm) (to foot (ft.))",             "  centimetre (cm) (from foot (ft.))"),
    /*   4 */ preset(  140, "  foot (ft.) (to centimetre (cm))",             "  foot (ft.) (from centimetre (cm))"),
    /*   5 */ preset(  150, "  metre (m) (to yard (yd.))",                   "  metre (m) (from yard (yd.))"),
    /*   6 */ preset(  160, "  yard (yd.) (to metre (m))",                   "  yard (yd.) (from metre (m))"),
    /*   7 */ preset(  170, "  kilometre (km) (to (statute) mile (mi.))",    "  kilometre (km) (from (statute) mile (mi.))"),
    /*   8 */ preset(  180, "  (statute) mile (mi.) (to kilometre (km))",    "  (statute) mile (mi.) (from kilometre (km))"),
    /*   9 */ preset(  190, "  litre (l) (to gallon U.S. (gal))",            "  litre (l) (from gallon U.S. (gal))"),
    /*  10 */ preset(  200, "  gallon U.S. (gal) (to litre (l))",            "  gallon U.S. (gal) (from litre (l))"),
    /*  11 */ preset(  210, "  gramme (g) (to ounce (oz. av.))",             "  gramme (g) (from ounce (oz. av.))"),
    /*  12 */ preset(  220, "  ounce (oz. av.) (to gramme (g))",             "  ounce (oz. av.) (from gramme (g))"),
    /*  13 */ preset(  230, "  kilogramme (kg) (to pound (lb.))",            "  kilogramme (kg) (from pound (lb.))"),
    /*  14 */ preset(  240, "  pound (lb.) (to kilogramme (kg))",            "  pound (lb.) (from kilogramme (kg))"),
    /*  15 */ preset(  250, "  Celsius (ºC) (to Fahrenheit (ºF))",           "  Celsius (ºC) (from Fahrenheit (ºF))"),
    /*  16 */ preset(  260, "  Fahrenheit (ºF) (to Celsius (ºC))",           "  Fahrenheit (ºF) (from Celsius (ºC))"),
    /*  17 */ underscores(),
    /*  18 */ header( 1000, "Linear Measures - Metric"),
    /*  19 */ unit(   1110, "  micrometre (µm)"),
    /*  20 */ unit(   1120, "  millimetre (mm)"),
    /*  21 */ unit(   1130, "  centimetre (cm)"),
    /*  22 */ unit(   1140, "  dezimetre (dm)"),
    /*  23 */ unit(   1150, "  metre (m)"),
    /*  24 */ unit(   1160, "  dekametre (dam)"),
    /*  25 */ unit(   1170, "  hectometre (hm)"),
    /*  26 */ unit(   1180, "  kilometre (km)"),
    /*  27 */ unit(   1190, "  light year (Lj) [not used anymore]"),
    /*  28 */ hyphens(),
    /*  29 */ header( 2000, "Linear Measures - British and U.S."),
    /*  30 */ unit(   2110, "  mil U.S."),
    /*  31 */ unit(   2120, "  inch (in.)"),
    /*  32 */ unit(   2130, "  hand U.S. "),
    /*  33 */ unit(   2140, "  link U.S. (li., l.)"),
    /*  34 */ unit(   2150, "  foot (ft.)"),
    /*  35 */ unit(   2160, "  yard (yd.)"),
    /*  36 */ unit(   2170, "  rod (rd.)"),
    /*  37 */ unit(   2180, "  pole (p.)"),
    /*  38 */ unit(   2190, "  perch (p.)"),
    /*  39 */ unit(   2200, "  chain (ch.)"),
    /*  40 */ unit(   2210, "  furlong (fur.)"),
    /*  41 */ unit(   2220, "  (statute) mile (mi.)"),
    /*  42 */ unit(   2230, "  league"),
    /*  43 */ hyphens(),
    /*  44 */ header( 3000, "Linear Nautical Measures - British and U.S."),
    /*  45 */ unit(   3110, "  fathom (fm.)"),
    /*  46 */ unit(   3120, "  cable('s) (length) British"),
    /*  47 */ unit(   3130, "  cable('s) (length) U.S."),
    /*  48 */ unit(   3140, "  nautical/sea mile British"),
    /*  49 */ unit(   3150, "  sea league British"),
    /*  50 */ unit(   3160, "  international nautical/sea mile"),
    /*  51 */ underscores(),
    /*  52 */ blank(),
    /*  53 */ header( 4000, "Square Measures - Metric"),
    /*  54 */ unit(   4110, "  square millimetre (mm²)"),
    /*  55 */ unit(   4120, "  square centimetre (cm²)"),
    /*  56 */ unit(   4130, "  square dezimetre (dm²)"),
    /*  57 */ unit(   4140, "  square metre (m²)"),
    /*  58 */ unit(   4150, "  are (a)"),
    /*  59 */ unit(   4160, "  hektar (ha)"),
    /*  60 */ unit(   4170, "  square kilometre (km²)"),
    /*  61 */ hyphens(),
    /*  62 */ header( 5000, "Square Measures - British and U.S."),
    /*  63 */ unit(   5110, "  circular mil"),
    /*  64 */ unit(   5120, "  circular inch"),
    /*  65 */ unit(   5130, "  square inch (sq. in.)"),
    /*  66 */ unit(   5140, "  square foot (sq. ft.)"),
    /*  67 */ unit(   5150, "  square yard (sq. yd.)"),
    /*  68 */ unit(   5160, "  square rod (sq. rd.)"),
    /*  69 */ unit(   5170, "  square chain U.S. (sq. ch.)",                 "  square chain U.S."),
    /*  70 */ unit(   5180, "  rood British (ro.)"),
    /*  71 */ unit(   5190, "  acre (a.)"),
    /*  72 */ unit(   5200, "  square mile (sq. mi.)"),
    /*  73 */ underscores(),
    /*  74 */ blank(),
    /*  75 */ header( 6000, "Cubic Measures - Metric"),
    /*  76 */ unit(   6110, "  cubic millimetre (mm³)"),
    /*  77 */ unit(   6120, "  cubic centimetre (cm³)"),
    /*  78 */ unit(   6130, "  centilitre (cl)"),
    /*  79 */ unit(   6140, "  dezilitre (dl)"),
    /*  80 */ unit(   6150, "  cubic dezimetre (dm³)"),
    /*  81 */ unit(   6160, "  litre (l)"),
    /*  82 */ unit(   6170, "  hectolitre (hl)"),
    /*  83 */ unit(   6180, "  cubic metre (m³)"),
    /*  84 */ hyphens(),
    /*  85 */ header( 7000, "Cubic Measures - British and U.S."),
    /*  86 */ unit(   7110, "  cubic inch (cu. in.)"),
    /*  87 */ unit(   7120, "  board foot U.S."),
    /*  88 */ unit(   7130, "  cubic foot (cu. ft.)"),
    /*  89 */ unit(   7140, "  cubic yard (cu. yd.)"),
    /*  90 */ unit(   7150, "  cord U.S. (cd.)"),
    /*  91 */ unit(   7160, "  register ton (reg. tn.)"),
    /*  92 */ hyphens(),
    /*  93 */ header( 8000, "Dry and Liquid Measures of Capacity - British"),
    /*  94 */ unit(   8110, "  gill (gi., gl.)"),
    /*  95 */ unit(   8120, "  pint (pt.)"),
    /*  96 */ unit(   8130, "  quart (qt.)"),
    /*  97 */ unit(   8140, "  gallon ((Imp.) gal.)"),
    /*  98 */ hyphens(),
    /*  99 */ header( 9000, "Dry Measures of Capacity - British"),
    /* 100 */ unit(   9110, "  peck (pk.)"),
    /* 101 */ unit(   9120, "  bushel (bu., bsh.)"),
    /* 102 */ unit(   9130, "  quarter (qr.)"),
    /* 103 */ hyphens(),
    /* 104 */ header(10000, "Liquid Measure of Capacity - British"),
    /* 105 */ unit(  10110, "  barrel beer (bbl., bl.)"),
    /* 106 */ unit(  10120, "  barrel petroleum (bbl., bl.)"),
    /* 107 */ hyphens(),
    /* 108 */ header(11000, "Dry Measures of Capacity U.S."),
    /* 109 */ unit(  11110, "  dry pint"),
    /* 110 */ unit(  11120, "  dry quart"),
    /* 111 */ unit(  11130, "  peck"),
    /* 112 */ unit(  11140, "  bushel"),
    /* 113 */ unit(  11150, "  dry barrel (bl.)"),
    /* 114 */ hyphens(),
    /* 115 */ header(12000, "Liquid Measures of Capacity U.S."),
    /* 116 */ unit(  12110, "  liquid gill (liq. gi.)",                      "  liquid gill"),
    /* 117 */ unit(  12120, "  liquid pint (liq. pt.)"),
    /* 118 */ unit(  12130, "  liquid quart (liq. qt.)"),
    /* 119 */ unit(  12140, "  gallon (gal)"),
    /* 120 */ unit(  12150, "  barrel (bl.)"),
    /* 121 */ unit(  12160, "  barrel petroleum"),
    /* 122 */ hyphens(),
    /* 123 */ header(13000, "Apothecaries' Fluid Measures - British"),
    /* 124 */ unit(  13110, "  minim (min., m.)"),
    /* 125 */ unit(  13120, "  fluid drachm (dr. fl.)"),
    /* 126 */ unit(  13130, "  fluid ounce (oz. fl.)"),
    /* 127 */ unit(  13140, "  pint (pt.)"),
    /* 128 */ hyphens(),
    /* 129 */ header(14000, "Apothecaries' Fluid Measures - U.S."),
    /* 130 */ unit(  14110, "  minim (min., m.)"),
    /* 131 */ unit(  14120, "  fluid dram (dr. fl.)"),
    /* 132 */ unit(  14130, "  liquid ounce (oz. liq.)"),
    /* 133 */ unit(  14140, "  (liquid) pint (pt. liq.)"),
    /* 134 */ underscores(),
    /* 135 */ blank(),
    /* 136 */ header(15000, "Mass Measures - Metric"),
    /* 137 */ unit(  15110, "  milligramme (mg)"),
    /* 138 */ unit(  15120, "  centigramme (cg)"),
    /* 139 */ unit(  15130, "  dezigramme (dg)"),
    /* 140 */ unit(  15140, "  carat (Kt)"),
    /* 141 */ unit(  15150, "  gramme (g)"),
    /* 142 */ unit(  15160, "  dekagramme (dag)"),
    /* 143 */ unit(  15170, "  hectogramme (hg)"),
    /* 144 */ unit(  15180, "  kilogramme (kg)"),
    /* 145 */ unit(  15190, "  (metric) hundredweight (cwt.) [not used anymore]"),
    /* 146 */ unit(  15200, "  deziton (dt)"),
    /* 147 */ unit(  15210, "  quintal [not used anymore]"),
    /* 148 */ unit(  15220, "  ton (t)"),
    /* 149 */ hyphens(),
    /* 150 */ header(16000, "Avoirdupois Weights - British and U.S."),
    /* 151 */ unit(  16110, "  grain (gr.)"),
    /* 152 */ unit(  16120, "  drachm/dram (dr. av.)"),
    /* 153 */ unit(  16130, "  ounce (oz. av.)"),
    /* 154 */ unit(  16140, "  pound (lb.)"),
    /* 155 */ unit(  16150, "  stone British (st.)"),
    /* 156 */ unit(  16160, "  quarter British (qr.)"),
    /* 157 */ unit(  16170, "  quarter U.S. (qr.)"),
    /* 158 */ unit(  16180, "  cental British"),
    /* 159 */ unit(  16190, "  hundredweight, short U.S. (cwt. sh.)"),
    /* 160 */ unit(  16200, "  hundredweight, long British (cwt. l.)"),
    /* 161 */ unit(  16210, "  ton, short U.S. (tn. sh.)"),
    /* 162 */ unit(  16220, "  ton, long British (tn. l.)"),
    /* 163 */ hyphens(),
    /* 164 */ header(17000, "Troy and Apothecaries' Weight - British and U.S."),
    /* 165 */ unit(  17110, "  grain (gr.)"),
    /* 166 */ unit(  17120, "  scruple (s. ap.)"),
    /* 167 */ unit(  17130, "  pennyweight (dwt.)"),
    /* 168 */ unit(  17140, "  dra(ch)m (dr. t., dr. ap.)"),
    /* 169 */ unit(  17150, "  ounce (oz. tr., oz. ap.)"),
    /* 170 */ unit(  17160, "  pound (lb. t., lb. tr., lb. ap.)"),
    /* 171 */ underscores(),
    /* 172 */ blank(),
    /* 173 */ header(20000, "Miscellaneous"),
    /* 174 */ hyphens(),
    /* 175 */ header(21100, "Automotive"),
    /* 176 */ unit(  21110, "  horse powers (hp)"),
    /* 177 */ unit(  21120, "  kilowatt (kW)"),
    /* 178 */ hyphens(),
    /* 179 */ header(22100, "Calories/Joule"),
    /* 180 */ unit(  22110, "  calorie (cal) [not used anymore]"),
    /* 181 */ unit(  22120, "  kilocalorie (kcal) [not used anymore]"),
    /* 182 */ unit(  22130, "  joule (J)"),
    /* 183 */ hyphens(),
    /* 184 */ header(23100, "Clothing and Shoe Sizes"),
    /* 185 */ unit(  23110, "  ladieswear metric/German"),
    /* 186 */ unit(  23120, "  ladieswear US/UK"),
    /* 187 */ unit(  23130, "  menswear metric/German"),
    /* 188 */ unit(  23140, "  menswear US/UK"),
    /* 189 */ unit(  23150, "  shirts (neck size) metric/German"),
    /* 190 */ unit(  23160, "  shirts (neck size) US/UK"),
    /* 191 */ unit(  23170, "  ladies' shoes metric/German"),
    /* 192 */ unit(  23180, "  ladies' shoes US/UK"),
    /* 193 */ unit(  23190, "  men's shoes metric/German"),
    /* 194 */ unit(  23200, "  men's shoes US/UK"),
    /* 195 */ hyphens(),
    /* 196 */ header(24100, "Computer Memory"),
    /* 197 */ unit(  24110, "  bit"),
    /* 198 */ unit(  24120, "  byte"),
    /* 199 */ unit(  24130, "  kilobit (kbit)"),
    /* 200 */ unit(  24140, "  kilobyte (KB)"),
    /* 201 */ unit(  24150, "  megabit (mbit)"),
    /* 202 */ unit(  24160, "  megabyte (MB)"),
    /* 203 */ unit(  24170, "  gigabit (gbit)"),
    /* 204 */ unit(  24180, "  gigabyte (GB)"),
    /* 205 */ unit(  24190, "  terabit (tbit)"),
    /* 206 */ unit(  24195, "  terabyte (TB)"),
    /* 207 */ hyphens(),
    /* 208 */ header(25100, "Computer Speed"),
    /* 209 */ unit(  25110, "  Herz (Hz)"),
    /* 210 */ unit(  25120, "  Kiloherz (KHz)"),
    /* 211 */ unit(  25130, "  Megaherz (MHz)"),
    /* 212 */ unit(  25140, "  Gigaherz (GHz)"),
    /* 213 */ unit(  25150, "  Teraherz (THz)"),
    /* 214 */ hyphens(),
    /* 215 */ header(27100, "Speed"),
    /* 216 */ unit(  27110, "  meters per second (m/s)"),
    /* 217 */ unit(  27120, "  kilometers per hour (km/h)"),
    /* 218 */ unit(  27130, "  miles per hour (mi/h)"),
    /* 219 */ unit(  27140, "  knots (kn)"),
    /* 220 */ hyphens(),
    /* 221 */ header(28100, "Temperature"),
    /* 222 */ unit(  28110, "  Celsius (ºC)"),
    /* 223 */ unit(  28130, "  Fahrenheit (ºF)"),
    /* 224 */ hyphens(),
    /* 225 */ header(29100, "Time"),
    /* 226 */ unit(  29110, "  millisecond (ms)"),
    /* 227 */ unit(  29120, "  tick"),
    /* 228 */ unit(  29130, "  second (s)"),
    /* 229 */ unit(  29140, "  minute (min)"),
    /* 230 */ unit(  29150, "  hour (h)"),
    /* 231 */ unit(  29160, "  day (d)"),
    /* 232 */ unit(  29170, "  week"),
    /* 233 */ unit(  29180, "  month"),
    /* 234 */ unit(  29190, "  year"),
    /* 235 */ unit(  29200, "  decade"),
    /* 236 */ unit(  29210, "  century"),
    /* 237 */ unit(  29220, "  millennium"),
}};
// clang-format on

static_assert(kRows[kFirstRunPair.fromIndex].code == 120 && kRows[kFirstRunPair.toIndex].code == 110,
              "the first-run pair is the preset inch to millimetre");

// The row that carries `code`, or nullptr. Codes are unique apart from 0.
constexpr const CatalogueRow* findRow(UnitCode code)
{
    for (const CatalogueRow& row : kRows)
        if (row.code == code)
            return &row;
    return nullptr;
}

// The list index of a unit or preset code; only used while building the
// partner rules, where an unknown code stops the build.
consteval int indexOf(UnitCode code)
{
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (kRows[i].code == code && code != 0)
            return static_cast<int>(i);
    throw "code not in the catalogue";
}

enum class RuleKind { Group, Pair };

// A partner group: any code in [first, last] is a partner of any other; a
// changed code in the range moves an outside partner to the fallback row.
// A pair: each member's only partner is the other member, whose row the
// other list moves to.
struct PartnerRule {
    RuleKind kind;
    UnitCode first;
    UnitCode last;
    int fallbackIndex; // group: its first header row; pair: -1
    int firstIndex;    // pair: the rows of its two members; group: -1
    int lastIndex;

    constexpr bool covers(UnitCode code) const
    {
        return kind == RuleKind::Group ? first <= code && code <= last : code == first || code == last;
    }
};

consteval PartnerRule group(UnitCode first, UnitCode last, int fallbackIndex)
{
    return {RuleKind::Group, first, last, fallbackIndex, -1, -1};
}

consteval PartnerRule pair(UnitCode first, UnitCode last)
{
    return {RuleKind::Pair, first, last, -1, indexOf(first), indexOf(last)};
}

// In the order the rules are tried. The ranges include both ends; a group's
// first header lies just below its range and belongs to no rule, the later
// headers inside a range are members.
// clang-format off
constexpr std::array kPartnerRules{
    pair (  110,   120),
    pair (  130,   140),
    pair (  150,   160),
    pair (  170,   180),
    pair (  190,   200),
    pair (  210,   220),
    pair (  230,   240),
    pair (  250,   260),
    group( 1001,  3999,  18), // length: metric, British and U.S., nautical
    group( 4001,  5999,  53), // area
    group( 6001, 14999,  75), // volume and capacity
    group(15001, 17999, 136), // mass
    pair (21110, 21120),      // engine power
    group(22101, 22999, 179), // energy
    pair (23110, 23120),      // ladieswear
    pair (23130, 23140),      // menswear
    pair (23150, 23160),      // shirts
    pair (23170, 23180),      // ladies' shoes
    pair (23190, 23200),      // men's shoes
    group(24101, 24999, 196), // computer memory
    group(25101, 25999, 208), // computer speed
    group(27101, 27999, 215), // speed
    pair (28110, 28130),      // temperature
    group(29101, 29999, 225), // time
};
// clang-format on

// The partner rule whose members convert into each other as one quantity,
// or nullptr for a code that is not a unit or preset row.
const PartnerRule* quantityOf(UnitCode code)
{
    const CatalogueRow* row = findRow(code);
    if (row == nullptr || (row->kind != RowKind::Unit && row->kind != RowKind::Preset))
        return nullptr;
    // A preset converts as the unit whose definition it uses; that
    // definition carries the unit's own code.
    const UnitDefinition* definition = findDefinition(code);
    const UnitCode unitCode = definition != nullptr ? definition->code : code;
    for (const PartnerRule& rule : kPartnerRules)
        if (rule.covers(unitCode))
            return &rule;
    return nullptr;
}

} // namespace

std::span<const CatalogueRow, kCatalogueRowCount> catalogueRows() { return kRows; }

void fillList(ListSide side, ListFiller& list)
{
    for (const CatalogueRow& row : kRows)
        list.setRowCode(list.appendRow(row.label(side)), row.code);
}

std::optional<int> partnerIndex(UnitCode changed, UnitCode other)
{
    for (const PartnerRule& rule : kPartnerRules) {
        if (!rule.covers(changed))
            continue;
        // The groups and pairs do not overlap, so the first rule that covers
        // the changed code is the only one.
        if (rule.kind == RuleKind::Group)
            return rule.covers(other) ? std::nullopt : std::optional<int>(rule.fallbackIndex);
        const UnitCode partner = changed == rule.first ? rule.last : rule.first;
        if (other == partner)
            return std::nullopt;
        return changed == rule.first ? rule.lastIndex : rule.firstIndex;
    }
    return std::nullopt;
}

bool sameQuantity(UnitCode a, UnitCode b)
{
    const PartnerRule* quantity = quantityOf(a);
    return quantity != nullptr && quantity == quantityOf(b);
}

} // namespace quantaro
