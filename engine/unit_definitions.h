#pragma once

#include "engine/unit_code.h"

namespace quantaro {

struct UnitDefinition;

// The definition of a unit or preset code; nullptr for header codes, 0, kNoRow
// and every other code without one. A preset code yields its unit's definition.
const UnitDefinition* findDefinition(UnitCode code);

// The number `value` taken through the source's toBase steps and the target's
// fromBase steps (a side without a definition changes nothing): the value
// behind the result field.
double convertValue(double value, UnitCode from, UnitCode to);

} // namespace quantaro
