#include "engine/convert.h"

namespace quantaro {

Conversion Convert(std::string_view input, UnitCode from, UnitCode to)
{
    Conversion out;
    Convert(input, from, to, out);
    return out;
}

void Convert(std::string_view, UnitCode, UnitCode, Conversion& out)
{
    out.result.clear();
    out.title = "Velkor Quantaro";
    out.info.clear();
}

} // namespace quantaro
