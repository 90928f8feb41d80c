#pragma once
// Whether a pair of pattern tables can play: safe to walk, and able to see a five.
//
// Tables that are safe to walk can still be useless: an all-zero "renju.scs" gives
// every line the dead kind, so no move would ever make five and every game would be
// drawn. The check walks a straight five of each colour, the empty cell at each of
// its five places, and wants the five kind in both kind fields of the record reached.

#include "kelvor/pattern_tables.h"

#include <string>

namespace kelvor {

// Empty when the tables can be used; otherwise why not, naming the file at fault:
// "renju.scs is not valid: ..." or "renju.tbl is not valid: ...".
std::string TableFault(const PatternTables& tables);

} // namespace kelvor
