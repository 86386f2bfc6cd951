// The demo's Resource Manager piece: the library's and the application's resource files, built
// with the resource tool, opened by InitResources and read through the chain.
#include <cstdio>
#include <cstring>
#include <string>

#include "Events.h"
#include "MacMemory.h"
#include "Quickdraw.h"
#include "Resources.h"
#include "demo.h"

namespace {

constexpr ResType FourCC(const char (&c)[5]) {
  return (static_cast<ResType>(static_cast<unsigned char>(c[0])) << 24) |
         (static_cast<ResType>(static_cast<unsigned char>(c[1])) << 16) |
         (static_cast<ResType>(static_cast<unsigned char>(c[2])) << 8) |
         static_cast<ResType>(static_cast<unsigned char>(c[3]));
}

std::string PascalText(const unsigned char* p) {
  return std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

std::string StringResource(short id) {
  Handle h = GetResource(FourCC("STR "), id);
  return h && *h ? PascalText(reinterpret_cast<unsigned char*>(*h)) : std::string("(missing)");
}

}  // namespace

void ShowResourceManager() {
  Heading("Resource Manager");
  const short library = InitResources();
  const short app = CurResFile();
  const int types = CountTypes();
  const std::string first = StringResource(1);
  UseResFile(0);
  const std::string hidden = StringResource(1);
  UseResFile(app);
  Say("InitResources = %d (ZEBPORT.RSR), current file %d (demo.RSR), %d types; UniqueID('MENU') = %d",
      library, app, types, UniqueID(FourCC("MENU")));
  Say("'STR ' 1: \"%s\" (after UseResFile(0): \"%s\"); 'STR ' 2: \"%s\"", first.c_str(),
      hidden.c_str(), StringResource(2).c_str());

  Handle wind = GetResource(FourCC("WIND"), 128);
  Handle mbar = GetResource(FourCC("MBAR"), 128);
  if (wind && *wind && mbar && *mbar) {
    const Rect* bounds = reinterpret_cast<Rect*>(*wind);
    // A template in the Macintosh's layout: reference constant at 14, title at 18.
    long refCon;
    std::memcpy(&refCon, *wind + 14, sizeof refCon);
    const short* menus = reinterpret_cast<short*>(*mbar);
    Say("'WIND' 128: bounds (%d, %d, %d, %d), refCon 0x%08lX, \"%s\"; 'MBAR' 128: %d menus from %d",
        bounds->top, bounds->left, bounds->bottom, bounds->right,
        static_cast<unsigned long>(refCon),
        PascalText(reinterpret_cast<unsigned char*>(*wind + 18)).c_str(), menus[0], menus[1]);
  }

  Handle text = Get1Resource(FourCC("TEXT"), 200);
  short id = 0;
  ResType type = 0;
  Str255 name;
  GetResInfo(text, &id, &type, name);
  char textLine[160];
  std::snprintf(textLine, sizeof textLine, "'TEXT' %d: %ld bytes, attributes 0x%02X, \"%.*s\"", id,
                SizeRsrc(text), GetResAttrs(text),
                text && *text ? static_cast<int>(GetHandleSize(text)) : 0,
                text && *text ? *text : "");

  Handle words = GetResource(FourCC("STR#"), 128);
  std::string list;
  if (words && *words) {
    // The count is in host order once loaded; the strings follow as they were.
    const short count = *reinterpret_cast<short*>(*words);
    const unsigned char* p = reinterpret_cast<unsigned char*>(*words) + 2;
    for (short i = 0; i < count; ++i) {
      list += (i ? ", " : "") + PascalText(p);
      p += 1 + p[0];
    }
  }
  Say("'STR#' 128: %s; %s", list.c_str(), textLine);
}
