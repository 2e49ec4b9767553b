// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "engine/unit_definitions.h"

#include "engine/test_support.h"

#include <array>
#include <cstdint>

namespace quantaro {
namespace {

// Steps of one side as they read in the definition table: times(a, b) is a
// multiplication by a, then one by b, each rounded on its own.
template <typename... Constants>
constexpr Steps times(Constants... constants)
{
    static_assert(sizeof...(Constants) <= kMaxSteps);
    Steps steps;
    ((steps.step[steps.count++] = Step{StepKind::Multiply, static_cast<double>(constants), nullptr}), ...);
    return steps;
}

// The way into Celsius: subtract first, then scale.
constexpr Steps minusThenTimes(double offset, double scale)
{
    Steps steps;
    steps.step[0] = Step{StepKind::Subtract, offset, nullptr};
    steps.step[1] = Step{StepKind::Multiply, scale, nullptr};
    steps.count = 2;
    return steps;
}

// The way out of Celsius: scale first, then add.
constexpr Steps timesThenPlus(double scale, double offset)
{
    Steps steps;
    steps.step[0] = Step{StepKind::Multiply, scale, nullptr};
    steps.step[1] = Step{StepKind::Add, offset, nullptr};
    steps.count = 2;
    return steps;
}

constexpr Steps sized(SizeFunction function)
{
    Steps steps;
    steps.step[0] = Step{StepKind::Size, 0, function};
    steps.count = 1;
    return steps;
}

constexpr Steps none{};

// Size formulas. The metric/German size of each garment is its base; the
// US/UK rows go in and out with these. Thresholds compare the size as it
// enters the step, and a size equal to the threshold reaches it.
double ladieswearIn(double x) { return x + 28.0; }
double ladieswearOut(double x) { return x - 28.0; }
double menswearIn(double x) { return x + 10.0; }
double menswearOut(double x) { return x - 10.0; }
double ladiesShoesIn(double x) { return x + 31.0; }
double ladiesShoesOut(double x) { return x - 31.0; }

// Two additions, 8.0 and then 1.0 from 16 on, not one of 9.0.
double shirtSizeIn(double x)
{
    double t = x + x;
    t = t + 8.0;
    if (x >= 16.0)
        t = t + 1.0;
    return t;
}

// 40 and 41 both give 16.
double shirtSizeOut(double x)
{
    double t = x - 8.0;
    t = t * 0.5;
    if (x >= 41.0)
        t = t - 0.5;
    return t;
}

double mensShoeSizeIn(double x) { return x >= 9.0 ? x + 33.0 : x + 32.5; }
double mensShoeSizeOut(double x) { return x >= 42.0 ? x - 33.0 : x - 32.5; }

// The time chains out of the second share these constants (1/60, 1/24, 1/7,
// 1/365.25 and 1/12 as doubles); each chain runs them one by one.
constexpr double k1by60 = 0.016666666666666666;
constexpr double k1by24 = 0.041666666666666664;
constexpr double k1by7 = 0.14285714285714285;
constexpr double k1by365_25 = 0.0027378507871321013;
constexpr double k1by12 = 0.08333333333333333;

// clang-format off
constexpr UnitDefinition kDefinitions[] = {
    // code  toBase                                    infoPrefix                              fromBase                                                  suffix                          showsFactor
    // Length, metric (base: metre)
    {  1110, times(1e-06),                             "1 µm = ",                              times(1000000),                                           " µm",                          true  },
    {  1120, times(0.001),                             "1 mm = ",                              times(1000),                                              " mm",                          true  },
    {  1130, times(0.01),                              "1 cm = ",                              times(100),                                               " cm",                          true  },
    {  1140, times(0.1),                               "1 dm = ",                              times(10),                                                " dm",                          true  },
    {  1150, none,                                     "1 m = ",                               none,                                                     " m",                           true  },
    {  1160, times(10),                                "1 dam = ",                             times(0.1),                                               " dam",                         true  },
    {  1170, times(100),                               "1 hm = ",                              times(0.01),                                              " hm",                          true  },
    {  1180, times(1000),                              "1 km = ",                              times(0.001),                                             " km",                          true  },
    {  1190, times(9460530000000000),                  "1 Lj = ",                              times(1.057023232313623e-16),                             " Lj",                          true  },
    // Length, British and U.S.
    {  2110, times(2.54e-05),                          "1 mil = ",                             times(39370.07874015748),                                 " mil.",                        true  },
    {  2120, times(0.0254),                            "1 in. = ",                             times(39.37007874015748),                                 " in.",                         true  },
    {  2130, times(0.1016),                            "1 hand = ",                            times(9.84251968503937),                                  " hand",                        true  },
    {  2140, times(0.201168),                          "1 li. = ",                             times(4.970969537898672),                                 " link",                        true  },
    {  2150, times(0.3048),                            "1 ft. = ",                             times(3.280839895013123),                                 " ft.",                         true  },
    {  2160, times(0.9144),                            "1 yd. = ",                             times(1.0936132983377078),                                " yd.",                         true  },
    {  2170, times(5.0292),                            "1 rd. = ",                             times(0.19883878151594686),                               " rd.",                         true  },
    {  2180, times(5.0292),                            "1 p. = ",                              times(0.19883878151594686),                               " p.",                          true  },
    {  2190, times(5.0292),                            "1 p. = ",                              times(0.19883878151594686),                               " p.",                          true  },
    {  2200, times(20.1168),                           "1 ch. = ",                             times(0.049709695378986715),                              " ch.",                         true  },
    {  2210, times(201.168),                           "1 fur. = ",                            times(0.004970969537898671),                              " fur.",                        true  },
    {  2220, times(1609.344),                          "1 mi. = ",                             times(0.0006213711922373339),                             " mi.",                         true  },
    {  2230, times(4828.032),                          "1 league = ",                          times(0.000207123730745778),                              " league",                      true  },
    // Length, nautical
    {  3110, times(1.8288),                            "1 fm. = ",                             times(0.5468066491688539),                                " fm.",                         true  },
    {  3120, times(182.88),                            "1 cable British = ",                   times(0.0054680664916885394),                             " cable British",               true  },
    {  3130, times(219.456),                           "1 cable U.S. = ",                      times(0.004556722076407116),                              " cable U.S.",                  true  },
    {  3140, times(1853.184),                          "1 nautical mile British = ",           times(0.0005396118248376848),                             " nautical mile British",       true  },
    {  3150, times(5559.552),                          "1 sea league British = ",              times(0.00017987060827922825),                            " sea league British",          true  },
    {  3160, times(1852),                              "1 international nautical mile = ",     times(0.0005399568034557236),                             " international nautical mile", true  },
    // Area, metric (base: square metre)
    {  4110, times(1e-06),                             "1 mm² = ",                             times(1000000),                                           " mm²",                         true  },
    {  4120, times(0.0001),                            "1 cm² = ",                             times(10000),                                             " cm²",                         true  },
    {  4130, times(0.01),                              "1 dm² = ",                             times(100),                                               " dm²",                         true  },
    {  4140, none,                                     "1 m² = ",                              none,                                                     " m²",                          true  },
    {  4150, times(100),                               "1 a = ",                               times(0.01),                                              " a",                           true  },
    {  4160, times(10000),                             "1 ha = ",                              times(0.0001),                                            " ha",                          true  },
    {  4170, times(1000000),                           "1 km² = ",                             times(1e-06),                                             " km²",                         true  },
    // Area, British and U.S.
    {  5110, times(5.067e-10),                         "1 circular mil = ",                    times(1973554371.4229326),                                " circular mil",                true  },
    {  5120, times(0.000506707),                       "1 circular inch = ",                   times(1973.5271073815834),                                " circular inch",               true  },
    {  5130, times(0.00064516),                        "1 sq. in. = ",                         times(1550.0031000062002),                                " sq. in.",                     true  },
    {  5140, times(0.09290304),                        "1 sq. ft. = ",                         times(10.763910416709722),                                " sq. ft.",                     true  },
    {  5150, times(0.83612736),                        "1 sq. yd. = ",                         times(1.1959900463010802),                                " sq. yd.",                     true  },
    {  5160, times(25.29285264),                       "1 sq. rd. = ",                         times(0.039536861034746455),                              " sq. rd.",                     true  },
    {  5170, times(404.686),                           "1 sq. ch. U.S. = ",                    times(0.0024710516301527604),                             " sq. ch. U.S.",                true  },
    {  5180, times(1011.71),                           "1 sq. ro. British = ",                 times(0.0009884255369621729),                             " sq. ro. British",             true  },
    {  5190, times(4046.8564224),                      "1 acre = ",                            times(0.0002471053814671653),                             " acre",                        true  },
    {  5200, times(2589988.11),                        "1 sq. mi. = ",                         times(3.86102158592535e-07),                              " sq. mi.",                     true  },
    // Volume, metric (base: cubic metre)
    {  6110, times(1e-09),                             "1 mm³ = ",                             times(999999999.9999999),                                 " mm³",                         true  },
    {  6120, times(1e-06),                             "1 cm³ = ",                             times(1000000),                                           " cm³",                         true  },
    {  6130, times(1e-05),                             "1 cl = ",                              times(99999.99999999999),                                 " cl",                          true  },
    {  6140, times(0.0001),                            "1 dl = ",                              times(10000),                                             " dl",                          true  },
    {  6150, times(0.001),                             "1 dm³ = ",                             times(1000),                                              " dm³",                         true  },
    {  6160, times(0.001),                             "1 l = ",                               times(1000),                                              " l",                           true  },
    {  6170, times(0.1),                               "1 hl = ",                              times(10),                                                " hl",                          true  },
    {  6180, none,                                     "1 m³ = ",                              none,                                                     " m³",                          true  },
    // Volume, cubic British and U.S.
    {  7110, times(1.638706e-05),                      "1 cu. in. = ",                         times(61023.75899032529),                                 " cu. in.",                     true  },
    {  7120, times(0.00235974),                        "1 board foot U.S.= ",                  times(423.7755006907541),                                 " board foot U.S.",             true  },
    {  7130, times(0.0283168),                         "1 cu. ft. = ",                         times(35.31472482766414),                                 " cu. ft.",                     true  },
    {  7140, times(0.764555),                          "1 cu. yd. = ",                         times(1.307950376362721),                                 " cu. yd.",                     true  },
    {  7150, times(3.62456),                           "1 cd. = ",                             times(0.27589555697795043),                               " cd.",                         true  },
    {  7160, times(2.83168),                           "1 reg. tn. = ",                        times(0.35314724827664146),                               " reg. tn.",                    true  },
    // Capacity, British dry and liquid
    {  8110, times(0.000142065),                       "1 gi. British = ",                     times(7039.031429275332),                                 " gi. British",                 true  },
    {  8120, times(0.000568261),                       "1 pt. British = ",                     times(1759.754760576566),                                 " pt. British",                 true  },
    {  8130, times(0.00113652),                        "1 qt. British = ",                     times(879.8789286594165),                                 " qt. British",                 true  },
    {  8140, times(0.00454609),                        "1 gal. British = ",                    times(219.96924829908778),                                " gal. British",                true  },
    // Capacity, British dry
    {  9110, times(0.00909218),                        "1 pk. British = ",                     times(109.98462414954389),                                " pk. British",                 true  },
    {  9120, times(0.03636872),                        "1 bu. British = ",                     times(27.496156037385973),                                " bu. British",                 true  },
    {  9130, times(0.29094976),                        "1 qr. British = ",                     times(3.4370195046732466),                                " qr. British",                 true  },
    // Capacity, British liquid
    { 10110, times(0.16365924),                        "1 bl. beer British = ",                times(6.110256897196883),                                 " bl. beer British",            true  },
    { 10120, times(0.15911315),                        "1 bl. petroleum British = ",           times(6.284835665688222),                                 " bl. petroleum British",       true  },
    // Capacity, U.S. dry (a U.S. bushel is 35.2391 l)
    { 11110, times(0.00055061),                        "1 dry pt. U.S. = ",                    times(1816.1675232923485),                                " dry pt. U.S.",                true  },
    { 11120, times(0.00110122),                        "1 dry qt. U.S. = ",                    times(908.0837616461743),                                 " dry qt. U.S.",                true  },
    { 11130, times(0.00880977),                        "1 pk. U.S. = ",                        times(113.51034135964957),                                " pk. U.S.",                    true  },
    { 11140, times(0.0352391),                         "1 bu. U.S. = ",                        times(28.377569234174537),                                " bu. U.S.",                    true  },
    { 11150, times(0.115627),                          "1 dry bl. U.S. = ",                    times(8.648499052989354),                                 " dry bl. U.S.",                true  },
    // Capacity, U.S. liquid
    { 12110, times(0.00011829483),                     "1 liq. gi. U.S. = ",                   times(8453.454812860376),                                 " liq. gi. U.S.",               true  },
    { 12120, times(0.000473176),                       "1 liq. pt. U.S. = ",                   times(2113.378531455526),                                 " liq. pt. U.S.",               true  },
    { 12130, times(0.000946353),                       "1 liq. qt. U.S. = ",                   times(1056.6881491367385),                                " liq. qt. U.S.",               true  },
    { 12140, times(0.00378541),                        "1 gal. U.S. = ",                       times(264.172176857989),                                  " gal. U.S.",                   true  },
    { 12150, times(0.119240415),                       "1 bl. U.S. = ",                        times(8.38641831295203),                                  " bl. U.S.",                    true  },
    { 12160, times(0.15898722),                        "1 bl. petroleum U.S. = ",              times(6.289813734714023),                                 " bl. petroleum U.S.",          true  },
    // Apothecaries' fluid, British
    { 13110, times(5.91939e-08),                       "1 min. British = ",                    times(16893632.620928846),                                " min. British",                true  },
    { 13120, times(3.55163e-06),                       "1 dr. fl. British = ",                 times(281560.8607878636),                                 " dr. fl. British",             true  },
    { 13130, times(2.84131e-05),                       "1 oz. fl. British = ",                 times(35195.03327690396),                                 " oz. fl. British",             true  },
    { 13140, times(0.000568261),                       "1 pt. British = ",                     times(1759.754760576566),                                 " pt. British",                 true  },
    // Apothecaries' fluid, U.S.
    { 14110, times(6.16115e-08),                       "1 min. U.S. = ",                       times(16230736.14503786),                                 " min. U.S.",                   true  },
    { 14120, times(3.69669e-06),                       "1 dr. fl. U.S. = ",                    times(270512.2690839643),                                 " dr. fl. U.S.",                true  },
    { 14130, times(2.95735e-05),                       "1 oz. liq. U.S. = ",                   times(33814.05650328842),                                 " oz. liq. U.S.",               true  },
    { 14140, times(0.000473176),                       "1 pt. liq. U.S. = ",                   times(2113.378531455526),                                 " pt. liq. U.S.",               true  },
    // Mass, metric (base: gramme)
    { 15110, times(0.001),                             "1 mg = ",                              times(1000),                                              " mg",                          true  },
    { 15120, times(0.01),                              "1 cg = ",                              times(100),                                               " cg",                          true  },
    { 15130, times(0.1),                               "1 dg = ",                              times(10),                                                " dg",                          true  },
    { 15140, times(0.2),                               "1 Kt = ",                              times(5),                                                 " Kt",                          true  },
    { 15150, none,                                     "1 g = ",                               none,                                                     " g",                           true  },
    { 15160, times(10),                                "1 dag = ",                             times(0.1),                                               " dag",                         true  },
    { 15170, times(100),                               "1 hg = ",                              times(0.01),                                              " hg",                          true  },
    { 15180, times(1000),                              "1 kg = ",                              times(0.001),                                             " kg",                          true  },
    { 15190, times(50000),                             "1 (metric) cwt. = ",                   times(2e-05),                                             " (metric) cwt.",               true  },
    { 15200, times(100000),                            "1 dt = ",                              times(1e-05),                                             " dt",                          true  },
    { 15210, times(100000),                            "1 quintal = ",                         times(1e-05),                                             " quintal",                     true  },
    { 15220, times(1000000),                           "1 t = ",                               times(1e-06),                                             " t",                           true  },
    // Mass, avoirdupois
    { 16110, times(0.06479891),                        "1 gr. = ",                             times(15.43235835294143),                                 " gr.",                         true  },
    { 16120, times(1.77185),                           "1 dr. av. = ",                         times(0.5643818607669949),                                " dr. av.",                     true  },
    { 16130, times(28.3495),                           "1 oz. av. = ",                         times(0.03527399072294044),                               " oz. av.",                     true  },
    { 16140, times(453.59237),                         "1 lb. = ",                             times(0.002204622621848776),                              " lb.",                         true  },
    { 16150, times(6350.29),                           "1 st. British = ",                     times(0.0001574731232746851),                             " st. British",                 true  },
    { 16160, times(12700.6),                           "1 qr. British = ",                     times(7.873643764861502e-05),                             " qr. British",                 true  },
    { 16170, times(11339.80925),                       "1 qr. U.S. = ",                        times(8.818490487395103e-05),                             " qr. U.S.",                    true  },
    { 16180, times(45359.2),                           "1 cental British = ",                  times(2.2046244201837776e-05),                            " cental British",              true  },
    { 16190, times(45359.2),                           "1 cwt. sh. U.S. = ",                   times(2.2046244201837776e-05),                            " cwt. sh. U.S.",               true  },
    { 16200, times(50802.3),                           "1 cwt. l. British = ",                 times(1.968414815864636e-05),                             " cwt. l. British",             true  },
    { 16210, times(907185),                            "1 tn. sh. U.S. = ",                    times(1.1023109950010196e-06),                            " tn. sh. U.S.",                true  },
    { 16220, times(1016047),                           "1 tn. l. British = ",                  times(9.842064392690496e-07),                             " tn. l. British",              true  },
    // Mass, troy and apothecaries'
    { 17110, times(0.06479891),                        "1 gr. = ",                             times(15.43235835294143),                                 " gr.",                         true  },
    { 17120, times(1.29598),                           "1 s. ap. = ",                          times(0.7716168459389806),                                " s. ap.",                      true  },
    { 17130, times(1.55517),                           "1 dwt. = ",                            times(0.6430165190943755),                                " dwt.",                        true  },
    { 17140, times(3.88793),                           "1 dr. t. = ",                          times(0.25720627686198055),                               " dr. t.",                      true  },
    { 17150, times(31.1035),                           "1 oz. tr. = ",                         times(0.03215072258749015),                               " oz. tr.",                     true  },
    { 17160, times(373.242),                           "1 lb. t. = ",                          times(0.002679226882290846),                              " lb. t.",                      true  },
    // Engine power (base: kilowatt)
    { 21110, times(0.73549875),                        "1 hp = ",                              times(1.3596216173039044),                                " hp",                          true  },
    { 21120, none,                                     "1 kW = ",                              none,                                                     " kW",                          true  },
    // Energy (base: joule)
    { 22110, times(4.1868),                            "1 cal = ",                             times(0.23884589662749595),                               " cal",                         true  },
    { 22120, times(4186.8),                            "1 kcal = ",                            times(0.00023884589662749592),                            " kcal",                        true  },
    { 22130, none,                                     "1 J = ",                               none,                                                     " J",                           true  },
    // Clothing and shoe sizes (base: the metric/German size of each garment)
    { 23110, none,                                     "Ladieswear metric/German to ",         none,                                                     "metric/German",                false },
    { 23120, sized(ladieswearIn),                      "Ladieswear US/UK to ",                 sized(ladieswearOut),                                     "US/UK",                        false },
    { 23130, none,                                     "Menswear metric/German to ",           none,                                                     "metric/German",                false },
    { 23140, sized(menswearIn),                        "Menswear US/UK to ",                   sized(menswearOut),                                       "US/UK",                        false },
    { 23150, none,                                     "Shirts (neck size) metric/German to ", none,                                                     "metric/German",                false },
    { 23160, sized(shirtSizeIn),                       "Shirts (neck size) US/UK to ",         sized(shirtSizeOut),                                      "US/UK",                        false },
    { 23170, none,                                     "Ladies' shoes metric/German to ",      none,                                                     "metric/German",                false },
    { 23180, sized(ladiesShoesIn),                     "Ladies' shoes US/UK to ",              sized(ladiesShoesOut),                                    "US/UK",                        false },
    { 23190, none,                                     "Men's shoes metric/German to ",        none,                                                     "metric/German",                false },
    { 23200, sized(mensShoeSizeIn),                    "Men's shoes US/UK to ",                sized(mensShoeSizeOut),                                   "US/UK",                        false },
    // Computer memory (base: bit)
    { 24110, none,                                     "1 bit = ",                             none,                                                     " bit",                         true  },
    { 24120, times(8),                                 "1 byte = ",                            times(0.125),                                             " byte",                        true  },
    { 24130, times(1000),                              "1 kbit = ",                            times(0.001),                                             " kbit",                        true  },
    { 24140, times(8192),                              "1 KB = ",                              times(0.0001220703125),                                   " KB",                          true  },
    { 24150, times(1000000),                           "1 mbit = ",                            times(1e-06),                                             " mbit",                        true  },
    { 24160, times(8388608),                           "1 MB = ",                              times(1.1920928955078125e-07),                            " MB",                          true  },
    { 24170, times(1000000000),                        "1 gbit = ",                            times(1e-09),                                             " gbit",                        true  },
    { 24180, times(8589934592),                        "1 GB = ",                              times(1.1641532182693481e-10),                            " GB",                          true  },
    { 24190, times(1000000000000),                     "1 tbit = ",                            times(1.0000000000000002e-12),                            " tbit",                        true  },
    { 24195, times(8796093022208),                     "1 TB = ",                              times(1.1368683772161603e-13),                            " TB",                          true  },
    // Computer clock speed (base: hertz)
    { 25110, none,                                     "1 Hz = ",                              none,                                                     " Hz",                          true  },
    { 25120, times(1000),                              "1 KHz = ",                             times(0.001),                                             " KHz",                         true  },
    { 25130, times(1000000),                           "1 MHz = ",                             times(1e-06),                                             " MHz",                         true  },
    { 25140, times(1000000000),                        "1 GHz = ",                             times(1e-09),                                             " GHz",                         true  },
    { 25150, times(1000000000000),                     "1 THz = ",                             times(1.0000000000000002e-12),                            " THz",                         true  },
    // Speed (base: metre per second)
    { 27110, none,                                     "1 m/s = ",                             none,                                                     " m/s",                         true  },
    { 27120, times(0.2777777777777778),                "1 km/h = ",                            times(3.6),                                               " km/h",                        true  },
    { 27130, times(1609.344, 0.0002777777777777778),   "1 mi/h = ",                            times(0.0006213711922373339, 3600),                       " mi/h",                        true  },
    { 27140, times(0.514),                             "1 kn = ",                              times(1.9455252918287937),                                " kn",                          true  },
    // Temperature (base: degree Celsius)
    { 28110, none,                                     "1 ºC = ",                              none,                                                     " ºC",                          true  },
    { 28130, minusThenTimes(32.0, 0.5555555555555556), "1 ºF = ",                              timesThenPlus(1.8, 32.0),                                 " ºF",                          true  },
    // Time (base: second)
    { 29110, times(0.001),                             "1 ms = ",                              times(1000),                                              " ms",                          true  },
    { 29120, times(k1by60),                            "1 tick = ",                            times(60),                                                " ticks",                       true  },
    { 29130, none,                                     "1 s = ",                               none,                                                     " s",                           true  },
    { 29140, times(60),                                "1 min = ",                             times(k1by60),                                            " min",                         true  },
    { 29150, times(3600),                              "1 h = ",                               times(k1by60, k1by60),                                    " h",                           true  },
    { 29160, times(86400),                             "1 d = ",                               times(k1by60, k1by60, k1by24),                            " d",                           true  },
    { 29170, times(604800),                            "1 week = ",                            times(k1by60, k1by60, k1by24, k1by7),                     " week",                        true  },
    { 29180, times(31557600, k1by12),                  "1 month = ",                           times(k1by60, k1by60, k1by24, k1by365_25, 12),            " month",                       true  },
    { 29190, times(31557600),                          "1 year = ",                            times(k1by60, k1by60, k1by24, k1by365_25),                " year",                        true  },
    { 29200, times(315576000),                         "1 decade = ",                          times(k1by60, k1by60, k1by24, k1by365_25, 0.1),           " decade",                      true  },
    { 29210, times(3155760000),                        "1 century = ",                         times(k1by60, k1by60, k1by24, k1by365_25, 0.1, 0.1),      " century",                     true  },
    { 29220, times(31557600000),                       "1 millenium = ",                       times(k1by60, k1by60, k1by24, k1by365_25, 0.1, 0.1, 0.1), " millenium",                   true  },
};
// clang-format on

// Preset rows and the unit whose definition each uses on both sides.
struct Preset {
    UnitCode preset;
    UnitCode unit;
};

constexpr Preset kPresets[] = {
    {110, 1120},  {120, 2120},  {130, 1130},  {140, 2150},  {150, 1150},  {160, 2160},
    {170, 1180},  {180, 2220},  {190, 6160},  {200, 12140}, {210, 15150}, {220, 16130},
    {230, 15180}, {240, 16140}, {250, 28110}, {260, 28130},
};

constexpr bool ascendingCodes()
{
    for (std::size_t i = 1; i < std::size(kDefinitions); ++i) {
        if (kDefinitions[i - 1].code >= kDefinitions[i].code)
            return false;
    }
    return true;
}
static_assert(ascendingCodes(), "the table lists the codes in the order of the lists");

constexpr bool infoTextsFit()
{
    for (const UnitDefinition& d : kDefinitions) {
        if (d.infoPrefix.size() > kMaxInfoTextLength || d.suffix.size() > kMaxInfoTextLength)
            return false;
    }
    return true;
}
static_assert(infoTextsFit());

// Unit and preset codes are multiples of 10 from 110 to 29220, except the
// terabyte's 24195. The lookup goes straight to the row through an array of
// row numbers, one slot for every multiple of 10 in that range.
constexpr UnitCode kFirstCode = 110;
constexpr UnitCode kLastCode = 29220;
constexpr UnitCode kTerabyte = 24195;
constexpr std::size_t kSlots = (kLastCode - kFirstCode) / 10 + 1;

using Slots = std::array<std::int16_t, kSlots>;

constexpr std::size_t slotOf(UnitCode code) { return static_cast<std::size_t>((code - kFirstCode) / 10); }

constexpr std::int16_t rowOf(UnitCode code)
{
    for (std::size_t i = 0; i < std::size(kDefinitions); ++i) {
        if (kDefinitions[i].code == code)
            return static_cast<std::int16_t>(i);
    }
    return -1;
}

constexpr Slots makeSlots()
{
    Slots slots{};
    slots.fill(-1);
    for (const UnitDefinition& d : kDefinitions) {
        if (d.code != kTerabyte)
            slots[slotOf(d.code)] = rowOf(d.code);
    }
    for (const Preset& p : kPresets)
        slots[slotOf(p.preset)] = rowOf(p.unit);
    return slots;
}

constexpr bool everyCodeHasItsSlot()
{
    for (const UnitDefinition& d : kDefinitions) {
        if (d.code != kTerabyte && (d.code < 1000 || d.code > kLastCode || d.code % 10 != 0))
            return false;
    }
    return rowOf(kTerabyte) >= 0;
}
static_assert(everyCodeHasItsSlot(), "a unit code without a slot would not be found");

constexpr Slots kSlotRows = makeSlots();
constexpr std::int16_t kTerabyteRow = rowOf(kTerabyte);

} // namespace

// Test support (engine/test_support.h): it needs the table, which lives here.
std::span<const UnitDefinition> allDefinitions() { return kDefinitions; }

const UnitDefinition* findDefinition(UnitCode code)
{
    if (code < kFirstCode || code > kLastCode)
        return nullptr;
    if (code % 10 != 0)
        return code == kTerabyte ? &kDefinitions[kTerabyteRow] : nullptr;
    const std::int16_t row = kSlotRows[slotOf(code)];
    return row < 0 ? nullptr : &kDefinitions[row];
}

void applySteps(const Steps& steps, double& value, double& factor)
{
    for (const Step& step : steps) {
        switch (step.kind) {
        case StepKind::Multiply:
            value = value * step.constant;
            factor = factor * step.constant;
            break;
        case StepKind::Add:
            value = value + step.constant;
            factor = factor + step.constant;
            break;
        case StepKind::Subtract:
            value = value - step.constant;
            factor = factor - step.constant;
            break;
        case StepKind::Size:
            value = step.size(value);
            break;
        }
    }
}

double convertValue(double value, UnitCode from, UnitCode to)
{
    double factor = 1.0;
    if (const UnitDefinition* source = findDefinition(from))
        applySteps(source->toBase, value, factor);
    if (const UnitDefinition* target = findDefinition(to))
        applySteps(target->fromBase, value, factor);
    return value;
}

} // namespace quantaro
