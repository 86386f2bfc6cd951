// The built-in colour tables that GetCTable answers when no 'clut' resource has the ID: 1 (black
// and white), 4 and 8 (the 16- and 256-colour tables), 20 and 40 (grey ramps). Entries run from
// white at index 0 to black at the last index, as the Toolbox's default tables do.
#ifndef ZEB_QUICKDRAW_STANDARD_COLOUR_TABLES_H
#define ZEB_QUICKDRAW_STANDARD_COLOUR_TABLES_H

#include <cstdint>

#include "quickdraw/colour_rules.h"

namespace zeb::quickdraw {

// The number of entries of built-in table id (0 when id is not built in) and entry i of it.
int StandardTableSize(int16_t id);
Rgb16 StandardTableEntry(int16_t id, int index);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_STANDARD_COLOUR_TABLES_H
