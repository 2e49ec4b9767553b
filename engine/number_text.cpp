#include "engine/number_text.h"

namespace quantaro {

double readNumber(std::string_view) { return 0; }
std::size_t writeNineteenDecimal(double, char* out) { out[0] = '0'; return 1; }
std::string nineteenDecimal(double) { return "0.0000000000000000000"; }
std::string resultText(double) { return "0"; }
void appendResultText(double, std::string& out) { out += '0'; }
std::string roundFactorText(std::string_view text) { return std::string(text); }

} // namespace quantaro
