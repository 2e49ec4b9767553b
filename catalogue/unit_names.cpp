// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The names people type for units: data beside the labels, which stay the
// window's display text and are never read for names.
#include "catalogue/unit_names.h"

#include "catalogue/catalogue.h"
#include "catalogue/unit_search.h"
#include "engine/number_text.h"
#include "engine/unit_definitions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace quantaro {

namespace {

// The names people write for each unit: plurals, US and British spellings,
// the symbols with and without dots, the abbreviations of trade and of the
// road. A name on two rows needs a rule: the rows measure
// different quantities (the other unit of a query decides), they are the
// British and US variants of one unit (kMeasureVariants; the locale
// decides), or the name is listed in kAmbiguousNames.
// clang-format off
constexpr std::array kUnitNames{
    //       index   code partner  distinct name                   names ('|'-separated, the first is the unit's own)                                                           names whose case matters
    UnitNameRow{ 19,  1110,  2110, "",                             "micrometre|micrometres|micrometer|micrometers|micron|microns|µm|um",                                               ""},
    UnitNameRow{ 20,  1120,  2120, "",                             "millimetre|millimetres|millimeter|millimeters|mm",                                                                ""},
    UnitNameRow{ 21,  1130,  2120, "",                             "centimetre|centimetres|centimeter|centimeters|cm",                                                                ""},
    UnitNameRow{ 22,  1140,  2120, "",                             "dezimetre|dezimetres|decimetre|decimetres|decimeter|decimeters|dm",                                               ""},
    UnitNameRow{ 23,  1150,  2150, "",                             "metre|metres|meter|meters|m",                                                                                     ""},
    UnitNameRow{ 24,  1160,  2160, "",                             "dekametre|dekametres|decametre|decametres|dekameter|dekameters|decameter|decameters|dam",                         ""},
    UnitNameRow{ 25,  1170,  2160, "",                             "hectometre|hectometres|hectometer|hectometers|hm",                                                                ""},
    UnitNameRow{ 26,  1180,  2220, "",                             "kilometre|kilometres|kilometer|kilometers|km|kms",                                                                ""},
    UnitNameRow{ 27,  1190,  1180, "",                             "light year|light years|light-year|light-years|lightyear|lightyears|ly|Lj",                                        ""},
    UnitNameRow{ 30,  2110,  1110, "",                             "mil|mils|thou|thous|mil U.S.",                                                                                    ""},
    UnitNameRow{ 31,  2120,  1130, "",                             "inch|inches|in",                                                                                                  ""},
    UnitNameRow{ 32,  2130,  1130, "",                             "hand|hands|hh|hand U.S.",                                                                                         ""},
    UnitNameRow{ 33,  2140,  1150, "",                             "link|links|li|l.|link U.S.",                                                                                      ""},
    UnitNameRow{ 34,  2150,  1150, "",                             "foot|feet|ft",                                                                                                    ""},
    UnitNameRow{ 35,  2160,  1150, "",                             "yard|yards|yd|yds",                                                                                               ""},
    UnitNameRow{ 36,  2170,  1150, "",                             "rod|rods|rd",                                                                                                     ""},
    UnitNameRow{ 37,  2180,  1150, "",                             "pole|poles|p.",                                                                                                   ""},
    UnitNameRow{ 38,  2190,  1150, "",                             "perch|perches|p.",                                                                                                ""},
    UnitNameRow{ 39,  2200,  1150, "",                             "chain|chains|ch",                                                                                                 ""},
    UnitNameRow{ 40,  2210,  1180, "",                             "furlong|furlongs|fur",                                                                                            ""},
    UnitNameRow{ 41,  2220,  1180, "",                             "mile|miles|mi|statute mile|statute miles",                                                                        ""},
    UnitNameRow{ 42,  2230,  1180, "",                             "league|leagues",                                                                                                  ""},
    UnitNameRow{ 45,  3110,  1150, "",                             "fathom|fathoms|fm|ftm",                                                                                           ""},
    UnitNameRow{ 46,  3120,  1150, "British cable",                "cable|cables|cable length|cable lengths|cable's length|cable british|cable's length british|cable('s) (length) British|British cable", ""},
    UnitNameRow{ 47,  3130,  1150, "US cable",                     "cable|cables|cable length|cable lengths|cable's length|cable U.S.|cable's length U.S.|cable('s) (length) U.S.|US cable", ""},
    UnitNameRow{ 48,  3140,  1180, "",                             "British nautical mile|British nautical miles|British sea mile|admiralty mile|admiralty miles|nautical/sea mile British", ""},
    UnitNameRow{ 49,  3150,  1180, "",                             "sea league|sea leagues|sea league British|nautical league|nautical leagues",                                     ""},
    UnitNameRow{ 50,  3160,  1180, "",                             "nautical mile|nautical miles|sea mile|sea miles|international nautical mile|international nautical/sea mile|nmi|NM", ""},
    UnitNameRow{ 54,  4110,  5130, "",                             "square millimetre|square millimetres|square millimeter|square millimeters|mm2|sq mm",                             ""},
    UnitNameRow{ 55,  4120,  5130, "",                             "square centimetre|square centimetres|square centimeter|square centimeters|cm2|sq cm",                             ""},
    UnitNameRow{ 56,  4130,  5130, "",                             "square dezimetre|square dezimetres|square decimetre|square decimetres|square decimeter|square decimeters|dm2|sq dm", ""},
    UnitNameRow{ 57,  4140,  5140, "",                             "square metre|square metres|square meter|square meters|m2|sq m|sqm",                                               ""},
    UnitNameRow{ 58,  4150,  5150, "",                             "are|ares|a",                                                                                                      ""},
    UnitNameRow{ 59,  4160,  5190, "",                             "hectare|hectares|hektar|ha",                                                                                      ""},
    UnitNameRow{ 60,  4170,  5200, "",                             "square kilometre|square kilometres|square kilometer|square kilometers|km2|sq km",                                 ""},
    UnitNameRow{ 63,  5110,  4110, "",                             "circular mil|circular mils|cmil",                                                                                 ""},
    UnitNameRow{ 64,  5120,  4120, "",                             "circular inch|circular inches",                                                                                   ""},
    UnitNameRow{ 65,  5130,  4120, "",                             "square inch|square inches|sq in|sqin|in2",                                                                        ""},
    UnitNameRow{ 66,  5140,  4140, "",                             "square foot|square feet|sq ft|sqft|ft2",                                                                          ""},
    UnitNameRow{ 67,  5150,  4140, "",                             "square yard|square yards|sq yd|sqyd|yd2",                                                                         ""},
    UnitNameRow{ 68,  5160,  4140, "",                             "square rod|square rods|sq rd|rd2",                                                                                ""},
    UnitNameRow{ 69,  5170,  4140, "",                             "square chain|square chains|square chain U.S.|sq ch|ch2",                                                          ""},
    UnitNameRow{ 70,  5180,  4140, "",                             "rood|roods|rood British|ro",                                                                                      ""},
    UnitNameRow{ 71,  5190,  4160, "",                             "acre|acres|ac|a.",                                                                                                ""},
    UnitNameRow{ 72,  5200,  4170, "",                             "square mile|square miles|sq mi|sqmi|mi2",                                                                         ""},
    UnitNameRow{ 76,  6110,  7110, "",                             "cubic millimetre|cubic millimetres|cubic millimeter|cubic millimeters|mm3|cu mm",                                 ""},
    UnitNameRow{ 77,  6120,  7110, "",                             "cubic centimetre|cubic centimetres|cubic centimeter|cubic centimeters|cm3|cu cm|cc|ccm|millilitre|millilitres|milliliter|milliliters|ml", ""},
    UnitNameRow{ 78,  6130, 13130, "",                             "centilitre|centilitres|centiliter|centiliters|cl",                                                                ""},
    UnitNameRow{ 79,  6140, 13130, "",                             "dezilitre|dezilitres|decilitre|decilitres|deciliter|deciliters|dl",                                               ""},
    UnitNameRow{ 80,  6150,  8140, "",                             "cubic dezimetre|cubic dezimetres|cubic decimetre|cubic decimetres|cubic decimeter|cubic decimeters|dm3",          ""},
    UnitNameRow{ 81,  6160,  8140, "",                             "litre|litres|liter|liters|l|ltr|ltrs",                                                                            ""},
    UnitNameRow{ 82,  6170,  8140, "",                             "hectolitre|hectolitres|hectoliter|hectoliters|hl",                                                                ""},
    UnitNameRow{ 83,  6180,  7130, "",                             "cubic metre|cubic metres|cubic meter|cubic meters|m3|cu m|cbm",                                                   ""},
    UnitNameRow{ 86,  7110,  6120, "",                             "cubic inch|cubic inches|cu in|cuin|in3",                                                                          ""},
    UnitNameRow{ 87,  7120,  6180, "",                             "board foot|board feet|board foot U.S.|fbm|bd ft",                                                                 ""},
    UnitNameRow{ 88,  7130,  6180, "",                             "cubic foot|cubic feet|cu ft|cuft|ft3",                                                                            ""},
    UnitNameRow{ 89,  7140,  6180, "",                             "cubic yard|cubic yards|cu yd|cuyd|yd3",                                                                           ""},
    UnitNameRow{ 90,  7150,  6180, "",                             "cord|cords|cord U.S.|cd",                                                                                         ""},
    UnitNameRow{ 91,  7160,  6180, "",                             "register ton|register tons|reg. tn.",                                                                             ""},
    UnitNameRow{ 94,  8110,  6130, "British gill",                 "gill|gills|gi|gl|imperial gill|British gill|UK gill",                                                             ""},
    UnitNameRow{ 95,  8120,  6160, "British pint",                 "pint|pints|pt|imperial pint|imp pt|British pint|UK pint",                                                         ""},
    UnitNameRow{ 96,  8130,  6160, "British quart",                "quart|quarts|qt|imperial quart|imp qt|British quart|UK quart",                                                    ""},
    UnitNameRow{ 97,  8140,  6160, "British gallon",               "gallon|gallons|gal|imperial gallon|imperial gallons|Imp. gal.|(Imp.) gal.|imp gal|British gallon|UK gallon|UK gal",           ""},
    UnitNameRow{100,  9110,  6160, "British peck",                 "peck|pecks|pk|imperial peck|British peck",                                                                        ""},
    UnitNameRow{101,  9120,  6170, "British bushel",               "bushel|bushels|bu|bsh|imperial bushel|British bushel",                                                            ""},
    UnitNameRow{102,  9130,  6170, "",                             "quarter|quarters|qr",                                                                                             ""},
    UnitNameRow{105, 10110,  6170, "British beer barrel",          "barrel|barrels|bl.|barrel beer|beer barrel|British barrel",                                                       ""},
    UnitNameRow{106, 10120,  6170, "British petroleum barrel",     "barrel petroleum|petroleum barrel|oil barrel|bbl|bbls|bl.|British petroleum barrel",                             ""},
    UnitNameRow{109, 11110,  6160, "",                             "dry pint|dry pints|dry pt|US dry pint",                                                                           ""},
    UnitNameRow{110, 11120,  6160, "",                             "dry quart|dry quarts|dry qt|US dry quart",                                                                        ""},
    UnitNameRow{111, 11130,  6160, "US peck",                      "peck|pecks|pk|US peck",                                                                                           ""},
    UnitNameRow{112, 11140,  6170, "US bushel",                    "bushel|bushels|bu|US bushel",                                                                                     ""},
    UnitNameRow{113, 11150,  6170, "",                             "dry barrel|dry barrels|bl.|US dry barrel",                                                                        ""},
    UnitNameRow{116, 12110,  6130, "US gill",                      "gill|gills|gi|liquid gill|liq. gi.|US gill",                                                                      ""},
    UnitNameRow{117, 12120,  6160, "US liquid pint",               "pint|pints|pt|liquid pint|liquid pints|liq. pt.|US pint|US liquid pint",                                          ""},
    UnitNameRow{118, 12130,  6160, "US liquid quart",              "quart|quarts|qt|liquid quart|liquid quarts|liq. qt.|US quart|US liquid quart",                                    ""},
    UnitNameRow{119, 12140,  6160, "US gallon",                    "gallon|gallons|gal|US gallon|US gallons|US gal|gallon U.S.",                                                      ""},
    UnitNameRow{120, 12150,  6170, "US barrel",                    "barrel|barrels|bl.|US barrel|liquid barrel",                                                                      ""},
    UnitNameRow{121, 12160,  6170, "US petroleum barrel",          "barrel petroleum|petroleum barrel|oil barrel|bbl|bbls|US petroleum barrel",                                      ""},
    UnitNameRow{124, 13110,  6120, "British minim",                "minim|minims|min.|m.|British minim",                                                                              ""},
    UnitNameRow{125, 13120,  6120, "British fluid drachm",         "fluid drachm|fluid drachms|fluid dram|fluid drams|fl dr|dr. fl.|British fluid drachm",                            ""},
    UnitNameRow{126, 13130,  6120, "British fluid ounce",          "fluid ounce|fluid ounces|fl oz|floz|oz. fl.|imperial fluid ounce|British fluid ounce|UK fl oz",                   ""},
    UnitNameRow{127, 13140,  6160, "British apothecaries' pint",   "apothecaries' pint|apothecaries pint|pt. ap.|British apothecaries' pint",                                        ""},
    UnitNameRow{130, 14110,  6120, "US minim",                     "minim|minims|min.|m.|US minim",                                                                                   ""},
    UnitNameRow{131, 14120,  6120, "US fluid dram",                "fluid dram|fluid drams|fluid drachm|fluid drachms|fl dr|dr. fl.|US fluid dram",                                   ""},
    UnitNameRow{132, 14130,  6120, "US fluid ounce",               "liquid ounce|liquid ounces|fluid ounce|fluid ounces|fl oz|floz|oz. liq.|US fluid ounce|US fl oz",                ""},
    UnitNameRow{133, 14140,  6160, "US apothecaries' pint",        "apothecaries' pint|apothecaries pint|pt. liq.|US apothecaries' pint",                                            ""},
    UnitNameRow{137, 15110, 16110, "",                             "milligramme|milligrammes|milligram|milligrams|mg",                                                                ""},
    UnitNameRow{138, 15120, 16110, "",                             "centigramme|centigrammes|centigram|centigrams|cg",                                                                ""},
    UnitNameRow{139, 15130, 16110, "",                             "dezigramme|dezigrammes|decigramme|decigrammes|decigram|decigrams|dg",                                             ""},
    UnitNameRow{140, 15140, 15150, "",                             "carat|carats|ct|Kt",                                                                                              ""},
    UnitNameRow{141, 15150, 16130, "",                             "gramme|grammes|gram|grams|g|gm|gms",                                                                              ""},
    UnitNameRow{142, 15160, 16130, "",                             "dekagramme|dekagrammes|decagramme|decagrammes|dekagram|dekagrams|decagram|decagrams|dag",                         ""},
    UnitNameRow{143, 15170, 16130, "",                             "hectogramme|hectogrammes|hectogram|hectograms|hg",                                                                ""},
    UnitNameRow{144, 15180, 16140, "",                             "kilogramme|kilogrammes|kilogram|kilograms|kg|kgs|kilo|kilos",                                                     ""},
    UnitNameRow{145, 15190, 15180, "",                             "metric hundredweight|metric hundredweights|metric cwt",                                                           ""},
    UnitNameRow{146, 15200, 15180, "",                             "deziton|dezitons|deciton|decitons|dt",                                                                            ""},
    UnitNameRow{147, 15210, 15180, "",                             "quintal|quintals",                                                                                                ""},
    UnitNameRow{148, 15220, 16220, "",                             "tonne|tonnes|metric ton|metric tons|t",                                                                           ""},
    UnitNameRow{151, 16110, 15110, "",                             "grain|grains|gr|gr. av.",                                                                                         ""},
    UnitNameRow{152, 16120, 15150, "",                             "dram|drams|drachm|drachms|dr|dr. av.|drachm/dram",                                                                ""},
    UnitNameRow{153, 16130, 15150, "",                             "ounce|ounces|oz|ozs|oz. av.|avoirdupois ounce",                                                                   ""},
    UnitNameRow{154, 16140, 15180, "",                             "pound|pounds|lb|lbs|lb. av.|avoirdupois pound",                                                                   ""},
    UnitNameRow{155, 16150, 15180, "",                             "stone|stones|st|stone British",                                                                                   ""},
    UnitNameRow{156, 16160, 15180, "British quarter",              "quarter|quarters|qr|long quarter|quarter British|British quarter",                                                ""},
    UnitNameRow{157, 16170, 15180, "US quarter",                   "quarter|quarters|qr|short quarter|quarter U.S.|US quarter",                                                       ""},
    UnitNameRow{158, 16180, 15180, "",                             "cental|centals|cental British|ctl",                                                                               ""},
    UnitNameRow{159, 16190, 15180, "US hundredweight",             "hundredweight|hundredweights|cwt|short hundredweight|cwt. sh.|US hundredweight",                                  ""},
    UnitNameRow{160, 16200, 15180, "British hundredweight",        "hundredweight|hundredweights|cwt|long hundredweight|cwt. l.|British hundredweight",                               ""},
    UnitNameRow{161, 16210, 15220, "US ton",                       "ton|tons|tn|short ton|short tons|tn. sh.|US ton",                                                                 ""},
    UnitNameRow{162, 16220, 15220, "British ton",                  "ton|tons|tn|long ton|long tons|tn. l.|British ton|imperial ton",                                                  ""},
    UnitNameRow{165, 17110, 15110, "",                             "troy grain|troy grains|gr. t.",                                                                                   ""},
    UnitNameRow{166, 17120, 15150, "",                             "scruple|scruples|s. ap.",                                                                                         ""},
    UnitNameRow{167, 17130, 15150, "",                             "pennyweight|pennyweights|dwt|pwt",                                                                                ""},
    UnitNameRow{168, 17140, 15150, "",                             "troy dram|troy drams|troy drachm|apothecaries' dram|apothecaries dram|dr. t.|dr. ap.",                           ""},
    UnitNameRow{169, 17150, 15150, "",                             "troy ounce|troy ounces|apothecaries' ounce|apothecaries ounce|ozt|oz t|oz. tr.|oz. ap.",                         ""},
    UnitNameRow{170, 17160, 15180, "",                             "troy pound|troy pounds|apothecaries' pound|apothecaries pound|lb. t.|lb. tr.|lb. ap.",                           ""},
    UnitNameRow{176, 21110, 21120, "",                             "horsepower|horse power|horse powers|hp",                                                                          ""},
    UnitNameRow{177, 21120, 21110, "",                             "kilowatt|kilowatts|kW",                                                                                           ""},
    UnitNameRow{180, 22110, 22130, "",                             "calorie|calories|cal",                                                                                            ""},
    UnitNameRow{181, 22120, 22130, "",                             "kilocalorie|kilocalories|kcal",                                                                                   ""},
    UnitNameRow{182, 22130, 22120, "",                             "joule|joules|J",                                                                                                  ""},
    UnitNameRow{185, 23110, 23120, "",                             "ladieswear metric/German|ladieswear metric|ladieswear German",                                                    ""},
    UnitNameRow{186, 23120, 23110, "",                             "ladieswear US/UK|ladieswear US|ladieswear UK",                                                                    ""},
    UnitNameRow{187, 23130, 23140, "",                             "menswear metric/German|menswear metric|menswear German",                                                          ""},
    UnitNameRow{188, 23140, 23130, "",                             "menswear US/UK|menswear US|menswear UK",                                                                          ""},
    UnitNameRow{189, 23150, 23160, "",                             "shirts (neck size) metric/German|shirts metric/German|shirts metric",                                             ""},
    UnitNameRow{190, 23160, 23150, "",                             "shirts (neck size) US/UK|shirts US/UK|shirts US|shirts UK",                                                       ""},
    UnitNameRow{191, 23170, 23180, "",                             "ladies' shoes metric/German|ladies shoes metric/German|ladies' shoes metric|ladies shoes metric",                 ""},
    UnitNameRow{192, 23180, 23170, "",                             "ladies' shoes US/UK|ladies shoes US/UK|ladies' shoes US|ladies shoes US",                                         ""},
    UnitNameRow{193, 23190, 23200, "",                             "men's shoes metric/German|mens shoes metric/German|men's shoes metric|mens shoes metric",                         ""},
    UnitNameRow{194, 23200, 23190, "",                             "men's shoes US/UK|mens shoes US/UK|men's shoes US|mens shoes US",                                                 ""},
    UnitNameRow{197, 24110, 24120, "",                             "bit|bits",                                                                                                        "b"},
    UnitNameRow{198, 24120, 24110, "",                             "byte|bytes|octet|octets",                                                                                         "B"},
    UnitNameRow{199, 24130, 24140, "",                             "kilobit|kilobits|kbit|kbits",                                                                                     "kb|Kb"},
    UnitNameRow{200, 24140, 24130, "",                             "kilobyte|kilobytes|kbyte|kbytes",                                                                                 "KB|kB"},
    UnitNameRow{201, 24150, 24160, "",                             "megabit|megabits|mbit|mbits",                                                                                     "Mb"},
    UnitNameRow{202, 24160, 24150, "",                             "megabyte|megabytes|mbyte|mbytes",                                                                                 "MB"},
    UnitNameRow{203, 24170, 24180, "",                             "gigabit|gigabits|gbit|gbits",                                                                                     "Gb"},
    UnitNameRow{204, 24180, 24170, "",                             "gigabyte|gigabytes|gbyte|gbytes",                                                                                 "GB"},
    UnitNameRow{205, 24190, 24195, "",                             "terabit|terabits|tbit|tbits",                                                                                     "Tb"},
    UnitNameRow{206, 24195, 24190, "",                             "terabyte|terabytes|tbyte|tbytes",                                                                                 "TB"},
    UnitNameRow{209, 25110, 25120, "",                             "Herz|hertz|Hz",                                                                                                   ""},
    UnitNameRow{210, 25120, 25130, "",                             "Kiloherz|kilohertz|kHz",                                                                                          ""},
    UnitNameRow{211, 25130, 25140, "",                             "Megaherz|megahertz|MHz",                                                                                          ""},
    UnitNameRow{212, 25140, 25130, "",                             "Gigaherz|gigahertz|GHz",                                                                                          ""},
    UnitNameRow{213, 25150, 25140, "",                             "Teraherz|terahertz|THz",                                                                                          ""},
    UnitNameRow{216, 27110, 27120, "",                             "meters per second|metres per second|meter per second|metre per second|m/s|mps|m/sec",                             ""},
    UnitNameRow{217, 27120, 27130, "",                             "kilometers per hour|kilometres per hour|kilometer per hour|kilometre per hour|km/h|kph|kmh|kmph|km/hr",           ""},
    UnitNameRow{218, 27130, 27120, "",                             "miles per hour|mile per hour|mph|mi/h|mi/hr",                                                                     ""},
    UnitNameRow{219, 27140, 27120, "",                             "knots|knot|kn|kts",                                                                                               ""},
    UnitNameRow{222, 28110, 28130, "",                             "Celsius|centigrade|ºC|C|degC|deg C|degree Celsius|degrees Celsius",                                                ""},
    UnitNameRow{223, 28130, 28110, "",                             "Fahrenheit|ºF|F|degF|deg F|degree Fahrenheit|degrees Fahrenheit",                                                ""},
    UnitNameRow{226, 29110, 29130, "",                             "millisecond|milliseconds|ms|msec|msecs",                                                                          ""},
    UnitNameRow{227, 29120, 29110, "",                             "tick|ticks",                                                                                                      ""},
    UnitNameRow{228, 29130, 29140, "",                             "second|seconds|s|sec|secs",                                                                                       ""},
    UnitNameRow{229, 29140, 29130, "",                             "minute|minutes|min|mins",                                                                                         ""},
    UnitNameRow{230, 29150, 29140, "",                             "hour|hours|h|hr|hrs",                                                                                             ""},
    UnitNameRow{231, 29160, 29150, "",                             "day|days|d",                                                                                                      ""},
    UnitNameRow{232, 29170, 29160, "",                             "week|weeks|wk|wks",                                                                                               ""},
    UnitNameRow{233, 29180, 29160, "",                             "month|months|mo|mos",                                                                                             ""},
    UnitNameRow{234, 29190, 29160, "",                             "year|years|yr|yrs|y",                                                                                             ""},
    UnitNameRow{235, 29200, 29190, "",                             "decade|decades",                                                                                                  ""},
    UnitNameRow{236, 29210, 29190, "",                             "century|centuries",                                                                                               ""},
    UnitNameRow{237, 29220, 29190, "",                             "millennium|millennia|millenniums",                                                                                ""},
};
// clang-format on

// clang-format off
constexpr std::array kMeasureVariants{
    //                 British      US
    MeasureVariants{    3120,      3130},  // cable
    MeasureVariants{    8110,     12110},  // gill
    MeasureVariants{    8120,     12120},  // pint
    MeasureVariants{    8130,     12130},  // quart
    MeasureVariants{    8140,     12140},  // gallon
    MeasureVariants{    9110,     11130},  // peck
    MeasureVariants{    9120,     11140},  // bushel
    MeasureVariants{   10110,     12150},  // barrel
    MeasureVariants{   10120,     12160},  // petroleum barrel
    MeasureVariants{   13110,     14110},  // minim
    MeasureVariants{   13120,     14120},  // fluid drachm, fluid dram
    MeasureVariants{   13130,     14130},  // fluid ounce
    MeasureVariants{   13140,     14140},  // apothecaries' pint
    MeasureVariants{   16160,     16170},  // quarter (a mass)
    MeasureVariants{   16200,     16190},  // hundredweight: long, short
    MeasureVariants{   16220,     16210},  // ton: long, short
};

// Shared by rows of one quantity that no rule tells apart.
constexpr std::array<std::string_view, 2> kAmbiguousNames{
    "p.",  // pole and perch, the same length
    "bl.", // four barrels
};
// clang-format on

constexpr bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr char lower(char c) { return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares two names without letter case and without dots: the order of
// the name index. A negative, zero or positive result, as strcmp's.
constexpr int compareLoose(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && a[i] == '.')
            ++i;
        while (j < b.size() && b[j] == '.')
            ++j;
        if (i == a.size() || j == b.size())
            return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        const auto x = static_cast<unsigned char>(lower(a[i])), y = static_cast<unsigned char>(lower(b[j]));
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
}

// Whether `name` begins with `prefix`, compared as compareLoose compares.
constexpr bool startsLoose(std::string_view name, std::string_view prefix)
{
    std::size_t i = 0, j = 0;
    for (;;) {
        while (j < prefix.size() && prefix[j] == '.')
            ++j;
        if (j == prefix.size())
            return true;
        while (i < name.size() && name[i] == '.')
            ++i;
        if (i == name.size() || lower(name[i]) != lower(prefix[j]))
            return false;
        ++i;
        ++j;
    }
}

constexpr bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// Calls f(name) for each '|'-separated name.
template <typename F>
constexpr void forEachName(std::string_view names, F f)
{
    while (!names.empty()) {
        const std::size_t bar = names.find('|');
        f(names.substr(0, bar));
        names = bar == std::string_view::npos ? std::string_view{} : names.substr(bar + 1);
    }
}

constexpr std::size_t countNames()
{
    std::size_t n = 0;
    for (const UnitNameRow& row : kUnitNames) {
        forEachName(row.names, [&n](std::string_view) { ++n; });
        forEachName(row.caseNames, [&n](std::string_view) { ++n; });
    }
    return n;
}

struct NameEntry {
    std::string_view name;
    std::int16_t row = 0; // in kUnitNames
    bool caseMatters = false;
};

constexpr std::size_t kNameCount = countNames();

// Every name once per row that has it, in the order of compareLoose, so that
// a name and the names it begins are found by a binary search.
constexpr std::array<NameEntry, kNameCount> kNameIndex = [] {
    std::array<NameEntry, kNameCount> index{};
    std::size_t n = 0;
    for (std::size_t r = 0; r < kUnitNames.size(); ++r) {
        forEachName(kUnitNames[r].names, [&](std::string_view name) { index[n++] = {name, static_cast<std::int16_t>(r), false}; });
        forEachName(kUnitNames[r].caseNames, [&](std::string_view name) { index[n++] = {name, static_cast<std::int16_t>(r), true}; });
    }
    std::sort(index.begin(), index.end(), [](const NameEntry& a, const NameEntry& b) {
        const int c = compareLoose(a.name, b.name);
        return c != 0 ? c < 0 : a.row < b.row;
    });
    return index;
}();

// A name as written here is in the form typed text is folded into (apart
// from letter case): trimmed, single blanks, the labels' degree sign and
// micro sign, no "²" or "³".
constexpr bool isFoldedForm(std::string_view name)
{
    if (name.empty() || name.front() == ' ' || name.back() == ' ' || name.find("  ") != std::string_view::npos)
        return false;
    for (const std::string_view typed : {"\xC2\xB0", "\xCB\x9A", "\xCE\xBC", "\xC2\xB2", "\xC2\xB3", "^", "\t", "º "})
        if (name.find(typed) != std::string_view::npos)
            return false;
    return true;
}

static_assert([] {
    for (std::size_t r = 0; r < kUnitNames.size(); ++r) {
        if (r > 0 && kUnitNames[r].index <= kUnitNames[r - 1].index)
            return false;
        bool folded = true;
        forEachName(kUnitNames[r].names, [&folded](std::string_view name) { folded = folded && isFoldedForm(name); });
        forEachName(kUnitNames[r].caseNames, [&folded](std::string_view name) { folded = folded && isFoldedForm(name); });
        if (!folded)
            return false;
    }
    return true;
}(), "the name rows are in list order and their names in the folded form");

constexpr std::size_t kNoNameRow = static_cast<std::size_t>(-1);

// The entry of kUnitNames for a list index, or kNoRow.
std::size_t nameRowOf(int index)
{
    const auto it = std::lower_bound(kUnitNames.begin(), kUnitNames.end(), index,
                                     [](const UnitNameRow& row, int i) { return row.index < i; });
    return it != kUnitNames.end() && it->index == index ? static_cast<std::size_t>(it - kUnitNames.begin()) : kNoNameRow;
}

int indexOfCode(UnitCode code)
{
    for (const UnitNameRow& row : kUnitNames)
        if (row.code == code)
            return row.index;
    return -1;
}

// The row a preset converts from, or the row itself.
int ownUnitRow(int index)
{
    const CatalogueRow& row = catalogueRows()[static_cast<std::size_t>(index)];
    if (row.kind != RowKind::Preset)
        return index;
    const UnitDefinition* definition = findDefinition(row.code);
    return definition ? indexOfCode(definition->code) : -1;
}

// Longer than any name by far: such words name nothing and are not read.
constexpr std::size_t kMaxNameLength = 64;

// The typed text folded, letter case kept.
std::string foldedKeepingCase(std::string_view text)
{
    std::string out;
    out.reserve(std::min(text.size(), kMaxNameLength + 1));
    bool blank = false;
    for (std::size_t i = 0; i < text.size() && out.size() <= kMaxNameLength;) {
        const char c = text[i];
        if (isBlank(c)) {
            blank = !out.empty() && !out.ends_with("\xC2\xBA");
            ++i;
            continue;
        }
        if (c == '^' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9') {
            ++i;
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        if (c == '\xCB' && i + 1 < text.size() && text[i + 1] == '\x9A') { // the ring above, as a degree sign
            out += "\xC2\xBA";
            i += 2;
            continue;
        }
        char form[2];
        const FoldedCharacter folded = foldCharacter(text, i, form);
        if (folded.read == 1 && isUpper(c))
            out += c;
        else
            out.append(form, folded.written);
        i += folded.read;
    }
    return out;
}

void addRow(std::vector<int>& rows, int index)
{
    if (std::find(rows.begin(), rows.end(), index) == rows.end())
        rows.insert(std::upper_bound(rows.begin(), rows.end(), index), index);
}

const MeasureVariants* variantsOf(UnitCode code)
{
    for (const MeasureVariants& v : kMeasureVariants)
        if (v.british == code || v.us == code)
            return &v;
    return nullptr;
}

// The edit distance between two short names (a swap of neighbours counts
// one), or more than `limit` when it is larger.
std::size_t spellingDistance(std::string_view a, std::string_view b, std::size_t limit)
{
    const std::size_t n = a.size(), m = b.size();
    if ((n > m ? n - m : m - n) > limit)
        return limit + 1;
    std::array<std::array<std::size_t, kMaxNameLength + 1>, 3> rows{};
    for (std::size_t j = 0; j <= m; ++j)
        rows[1][j] = j;
    for (std::size_t i = 1; i <= n; ++i) {
        auto& now = rows[(i + 1) % 3];
        const auto& before = rows[i % 3];
        const auto& twoBefore = rows[(i + 2) % 3];
        now[0] = i;
        std::size_t best = now[0];
        for (std::size_t j = 1; j <= m; ++j) {
            const std::size_t cost = lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1;
            now[j] = std::min({before[j] + 1, now[j - 1] + 1, before[j - 1] + cost});
            if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) && lower(a[i - 2]) == lower(b[j - 1]))
                now[j] = std::min(now[j], twoBefore[j - 2] + 1);
            best = std::min(best, now[j]);
        }
        if (best > limit)
            return limit + 1;
    }
    return rows[(n + 1) % 3][m];
}

} // namespace

std::span<const UnitNameRow> unitNameRows() { return kUnitNames; }

std::span<const MeasureVariants> measureVariants() { return kMeasureVariants; }

std::span<const std::string_view> ambiguousNames() { return kAmbiguousNames; }

std::string foldedName(std::string_view text)
{
    std::string out = foldedKeepingCase(text);
    for (char& c : out)
        c = lower(c);
    return out;
}

NameReading readUnitName(std::string_view words)
{
    NameReading reading;
    const std::string kept = foldedKeepingCase(words);
    if (kept.empty() || kept.size() > kMaxNameLength)
        return reading;
    const auto begin = std::lower_bound(kNameIndex.begin(), kNameIndex.end(), kept,
                                        [](const NameEntry& e, const std::string& k) { return compareLoose(e.name, k) < 0; });
    auto end = begin;
    while (end != kNameIndex.end() && compareLoose(end->name, kept) == 0)
        ++end;

    // Whole names: as written, dots and all; then without dots; then a name
    // whose case matters typed in another case.
    std::vector<int> exact, dotless, otherCase;
    for (auto it = begin; it != end; ++it) {
        const int index = kUnitNames[static_cast<std::size_t>(it->row)].index;
        if (it->caseMatters ? it->name == kept : equalNoCase(it->name, kept))
            addRow(exact, index);
        else if (!it->caseMatters)
            addRow(dotless, index);
        else
            addRow(otherCase, index);
    }
    for (std::vector<int>* rows : {&exact, &dotless, &otherCase}) {
        if (!rows->empty()) {
            reading.fit = NameReading::Fit::Whole;
            reading.rows = std::move(*rows);
            return reading;
        }
    }
    // A beginning, of one row's names only.
    int only = -1;
    for (auto it = end; it != kNameIndex.end() && startsLoose(it->name, kept); ++it) {
        const int index = kUnitNames[static_cast<std::size_t>(it->row)].index;
        if (only >= 0 && only != index)
            return reading;
        only = index;
    }
    if (only >= 0) {
        reading.fit = NameReading::Fit::Beginning;
        reading.rows = {only};
    }
    return reading;
}

std::optional<int> pickByMeasure(std::span<const int> rows, MeasureSystem measure)
{
    if (rows.size() != 2)
        return std::nullopt;
    const auto all = catalogueRows();
    const UnitCode a = all[static_cast<std::size_t>(rows[0])].code, b = all[static_cast<std::size_t>(rows[1])].code;
    const MeasureVariants* variants = variantsOf(a);
    if (!variants || variantsOf(b) != variants || a == b)
        return std::nullopt;
    return indexOfCode(measure == MeasureSystem::US ? variants->us : variants->british);
}

int otherVariant(int index)
{
    if (index < 0 || index >= kCatalogueRowCount)
        return -1;
    const UnitCode code = catalogueRows()[static_cast<std::size_t>(index)].code;
    const MeasureVariants* variants = variantsOf(code);
    if (!variants || catalogueRows()[static_cast<std::size_t>(index)].kind != RowKind::Unit)
        return -1;
    return indexOfCode(code == variants->british ? variants->us : variants->british);
}

int partnerRow(int index, MeasureSystem measure)
{
    const std::size_t r = index >= 0 && index < kCatalogueRowCount ? nameRowOf(index) : kNoNameRow;
    if (r == kNoNameRow || kUnitNames[r].partner == 0)
        return -1;
    const UnitCode partner = kUnitNames[r].partner;
    if (const MeasureVariants* variants = variantsOf(partner))
        return indexOfCode(measure == MeasureSystem::US ? variants->us : variants->british);
    return indexOfCode(partner);
}

UnitLookup lookUpUnit(std::string_view argument, MeasureSystem measure, Quantity other)
{
    UnitLookup lookup;
    std::string_view trimmed = argument;
    while (!trimmed.empty() && isBlank(trimmed.front()))
        trimmed.remove_prefix(1);
    while (!trimmed.empty() && isBlank(trimmed.back()))
        trimmed.remove_suffix(1);
    if (trimmed.empty())
        return lookup;
    if (std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int index = 0;
        const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), index);
        if (error != std::errc{} || end != trimmed.data() + trimmed.size() || index >= kCatalogueRowCount) {
            lookup.outcome = UnitLookup::Outcome::OutOfRange;
            return lookup;
        }
        lookup.outcome = UnitLookup::Outcome::Found;
        lookup.index = index;
        return lookup;
    }

    NameReading reading = readUnitName(trimmed);
    std::vector<int>& rows = reading.rows;
    if (rows.size() > 1 && other != Quantity::None) {
        std::vector<int> same;
        for (const int index : rows)
            if (catalogueRows()[static_cast<std::size_t>(index)].quantity == other)
                same.push_back(index);
        if (!same.empty())
            rows = std::move(same);
    }
    if (rows.size() > 1) {
        if (const std::optional<int> picked = pickByMeasure(rows, measure)) {
            rows = {*picked};
            lookup.byMeasure = true;
        }
    }
    if (rows.size() == 1) {
        lookup.outcome = UnitLookup::Outcome::Found;
        lookup.index = rows.front();
        lookup.beginning = reading.fit == NameReading::Fit::Beginning;
    } else if (!rows.empty()) {
        lookup.outcome = UnitLookup::Outcome::Ambiguous;
        lookup.candidates = std::move(rows);
    }
    return lookup;
}

TypedName::TypedName(std::string_view argument)
    : folded(foldedKeepingCase(argument))
{
    if (folded.size() > kMaxNameLength)
        folded.clear();
}

NameFit nameFit(int index, std::string_view argument) { return nameFit(index, TypedName(argument)); }

NameFit nameFit(int index, const TypedName& name)
{
    if (index < 0 || index >= kCatalogueRowCount)
        return NameFit::None;
    const int own = ownUnitRow(index);
    const std::size_t r = own >= 0 ? nameRowOf(own) : kNoNameRow;
    const std::string& kept = name.folded;
    if (r == kNoNameRow || kept.empty())
        return NameFit::None;
    NameFit fit = NameFit::None;
    auto judge = [&](std::string_view name, bool caseMatters) {
        if (compareLoose(name, kept) == 0 && (!caseMatters || name == kept || fit == NameFit::None))
            fit = NameFit::Whole;
        else if (fit == NameFit::None && startsLoose(name, kept))
            fit = NameFit::Beginning;
    };
    forEachName(kUnitNames[r].names, [&](std::string_view name) { judge(name, false); });
    forEachName(kUnitNames[r].caseNames, [&](std::string_view name) { judge(name, true); });
    return fit;
}

std::vector<std::string> acceptedUnitNames(MeasureSystem measure, Quantity only)
{
    std::vector<std::string> names;
    for (const UnitNameRow& row : kUnitNames) {
        if (only != Quantity::None && catalogueRows()[static_cast<std::size_t>(row.index)].quantity != only)
            continue;
        auto offer = [&](std::string_view name) {
            const UnitLookup lookup = lookUpUnit(name, measure);
            if (lookup.outcome == UnitLookup::Outcome::Found && lookup.index == row.index
                && std::find(names.begin(), names.end(), name) == names.end())
                names.emplace_back(name);
        };
        forEachName(row.names, offer);
        forEachName(row.caseNames, offer);
    }
    return names;
}

std::string unitName(int index)
{
    const int own = index >= 0 && index < kCatalogueRowCount ? ownUnitRow(index) : -1;
    const std::size_t r = own >= 0 ? nameRowOf(own) : kNoNameRow;
    if (r == kNoNameRow)
        return {};
    const std::string_view names = kUnitNames[r].names;
    return std::string(names.substr(0, names.find('|')));
}

std::string distinctUnitName(int index)
{
    const int own = index >= 0 && index < kCatalogueRowCount ? ownUnitRow(index) : -1;
    const std::size_t r = own >= 0 ? nameRowOf(own) : kNoNameRow;
    if (r != kNoNameRow && !kUnitNames[r].distinct.empty())
        return std::string(kUnitNames[r].distinct);
    return unitName(index);
}

std::vector<NameSuggestion> suggestUnitNames(std::string_view word, std::size_t most)
{
    const std::string folded = foldedKeepingCase(word);
    // Too short to guess from, or far longer than a name.
    if (folded.size() < 2 || folded.size() > 32 || most == 0)
        return {};
    const std::size_t limit = folded.size() < 8 ? 1 : 2;
    struct Near {
        std::size_t distance;
        std::size_t entry;
    };
    std::vector<Near> near;
    for (std::size_t e = 0; e < kNameIndex.size(); ++e) {
        const std::size_t d = spellingDistance(folded, kNameIndex[e].name, limit);
        if (d <= limit)
            near.push_back({d, e});
    }
    std::stable_sort(near.begin(), near.end(), [](const Near& a, const Near& b) { return a.distance < b.distance; });
    std::vector<NameSuggestion> out;
    for (const Near& n : near) {
        const NameEntry& entry = kNameIndex[n.entry];
        const int index = kUnitNames[static_cast<std::size_t>(entry.row)].index;
        if (std::any_of(out.begin(), out.end(), [index](const NameSuggestion& s) { return s.index == index; }))
            continue;
        out.push_back({std::string(entry.name), index});
        if (out.size() == most)
            break;
    }
    return out;
}

std::string suggestionText(std::string_view word)
{
    const std::vector<NameSuggestion> suggestions = suggestUnitNames(word);
    if (suggestions.empty())
        return {};
    std::string text = "did you mean ";
    for (std::size_t i = 0; i < suggestions.size(); ++i) {
        if (i > 0)
            text += i + 1 == suggestions.size() ? " or " : ", ";
        text += suggestions[i].name;
        const std::string name = distinctUnitName(suggestions[i].index);
        if (!equalNoCase(name, suggestions[i].name))
            text += " (" + name + ')';
    }
    return text + '?';
}

} // namespace quantaro
