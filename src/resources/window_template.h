// 'WIND' templates in their two layouts. A Macintosh writes the reference constant at 14 and the
// title at 18, optionally followed (after aligning to a word) by the positioning word of later
// system software. The library's own templates carry two padding bytes after the go-away filler,
// so the reference constant is at 16 and the title at 20. Both layouts are told apart the same way
// in the byte-order engine and in the window code, by this one rule. Host-independent.
#ifndef ZEB_RESOURCES_WINDOW_TEMPLATE_H
#define ZEB_RESOURCES_WINDOW_TEMPLATE_H

#include <cstdint>

namespace zeb::resources {

enum class WindowTemplateLayout {
  kMacintosh,  // refCon at 14, title at 18
  kLibrary,    // refCon at 16, title at 20
  kTooShort    // the fixed part or the title does not fit
};

// Where the fields of one template lie. positioning is -1 when the template has no positioning
// word.
struct WindowTemplateFields {
  WindowTemplateLayout layout;
  int refConOffset;
  int titleOffset;
  int positioningOffset;
};

// Classifies by the length byte at 18, which is the same in disk and host order for a Macintosh
// template: when the title it announces ends the resource exactly, or leaves exactly room for the
// positioning word (right after the title or at the next even offset, as Rez aligns it), the
// template is in the Macintosh layout; otherwise in the library's. Only the single bytes at 18 and
// 20 are read, never past size.
WindowTemplateFields LocateWindowTemplate(const uint8_t* data, uint32_t size);

// Where the positioning word that later system software appends behind a template's title lies
// (window and dialog templates alike): right behind the title or at the next even offset, when
// the size leaves room for exactly that one word; -1 otherwise.
int PositioningWordAfter(uint32_t titleEnd, uint32_t size);

// A template read from host-order (converted) data.
struct WindowTemplate {
  int16_t top, left, bottom, right;
  int16_t procID;
  bool visible;
  bool goAwayFlag;
  int32_t refCon;
  const uint8_t* title;  // length-prefixed, inside the data
  bool hasPositioning;
  uint16_t positioning;
};

// False when the template is too short for its fixed part or its title.
bool ReadWindowTemplate(const uint8_t* data, uint32_t size, WindowTemplate& out);

}  // namespace zeb::resources

#endif  // ZEB_RESOURCES_WINDOW_TEMPLATE_H
