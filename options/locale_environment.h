// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/query.h"

namespace quantaro::options {

// How the user's locale asks the query reader to read: whose gallon, pint
// and ton a shared name means (LC_MEASUREMENT, else LC_ALL, else LANG), and
// whether a comma in a number is the decimal point (LC_NUMERIC, else LC_ALL,
// else LANG). Each program reads it from its environment; the reader itself
// stays pure.
QueryContext queryContextFromEnvironment();

} // namespace quantaro::options
