// Cursors: resource conversion and the built-in cursors.
#include "quickdraw/quickdraw_internal.h"

namespace zeb::quickdraw {

// Byte order of the cursor record and the host cursor built from it, once cursors exist.
void ConvertCursorResource(Handle h, bool colour, bool toNative) {
  (void)h;
  (void)colour;
  (void)toNative;
}

void ReleaseResourceCursor(Handle h) { (void)h; }

// Cursor handles for IDs 0 to 4 and their host cursors, made with QuickDraw's cursor table.
void SetUpStandardCursors() {}

void ReleaseCursors() {}

// The font list is built by InitFonts; before it exists there are no fonts to count.
short FontResourceCount(bool outline) {
  (void)outline;
  return 0;
}

}  // namespace zeb::quickdraw
