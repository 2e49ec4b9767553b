#include "engine/unit_definitions.h"

namespace quantaro {

const UnitDefinition* findDefinition(UnitCode) { return nullptr; }
double convertValue(double value, UnitCode, UnitCode) { return value; }

} // namespace quantaro
