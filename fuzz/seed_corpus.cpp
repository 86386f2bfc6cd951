// Writes the seed corpus that every fuzzing run starts from: for each target a handful of small
// inputs of the shape it reads (resource files and maps, AppleDouble, AppleSingle and MacBinary
// containers, PackBits runs, decimal strings, resource sources, templates, pathnames), so that
// the fuzzer begins inside the formats instead of having to find their magic numbers itself.
//   fuzz_seeds <directory>    writes <directory>/<target>/<seed name>
// The output is checked in under fuzz/corpus; run again after a format changes.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "resources/byte_order.h"
#include "resources/pack_bits.h"
#include "resources/resource_image.h"
#include "resources/resource_map.h"

namespace {

using Bytes = std::vector<uint8_t>;
using zeb::byteorder::FourCC;

std::string g_root;

void Write(const std::string& target, const std::string& name, const Bytes& bytes) {
  const std::string dir = g_root + "/" + target;
  mkdir(dir.c_str(), 0755);
  const std::string path = dir + "/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::perror(path.c_str());
    return;
  }
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void Write(const std::string& target, const std::string& name, const std::string& text) {
  Write(target, name, Bytes(text.begin(), text.end()));
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

void Put32(Bytes& b, uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v >> 8));
  b.push_back(static_cast<uint8_t>(v));
}

zeb::resfmt::ImageResource Res(const char (&type)[5], int16_t id, const Bytes& data,
                               const std::string& name = std::string(), uint8_t attributes = 0) {
  zeb::resfmt::ImageResource r;
  r.type = FourCC(type);
  r.id = id;
  r.data = data;
  r.attributes = attributes;
  r.named = !name.empty();
  r.name = name;
  return r;
}

Bytes FileOf(std::vector<zeb::resfmt::ImageResource> resources) {
  zeb::resfmt::ResourceImage image;
  image.resources = std::move(resources);
  Bytes bytes;
  std::string error;
  if (!zeb::resfmt::WriteImage(image, &bytes, &error)) std::fprintf(stderr, "%s\n", error.c_str());
  return bytes;
}

// Resource files: empty, one resource, several types with names and attributes, and one with
// the map 16 bytes behind the data (the most the reader accepts).
std::vector<Bytes> ResourceFiles() {
  std::vector<Bytes> files;
  files.push_back(zeb::resfmt::EmptyResourceFile());
  files.push_back(FileOf({Res("TEXT", 128, Text("hello"))}));
  files.push_back(FileOf({Res("STR ", 128, Text("\x05title"), "Title", 0x20),
                          Res("STR#", 200, Bytes{0, 2, 1, 'a', 2, 'b', 'c'}),
                          Res("ICON", 1, Bytes(128, 0x55), "", 0x04),
                          Res("PREF", -1, Bytes{1, 2, 3, 4}, "Prefs", 0x08)}));
  Bytes gap = FileOf({Res("DATA", 0, Text("gap"))});
  const uint32_t mapOffset = 256 + 7;
  const uint32_t mapLength = static_cast<uint32_t>(gap.size()) - mapOffset;
  Bytes spaced(gap.begin(), gap.begin() + mapOffset);
  spaced.insert(spaced.end(), 16, 0);
  spaced.insert(spaced.end(), gap.begin() + mapOffset, gap.end());
  for (Bytes* header : {&spaced}) {
    Bytes fields;
    Put32(fields, 256);
    Put32(fields, mapOffset + 16);
    Put32(fields, 7);
    Put32(fields, mapLength);
    std::memcpy(header->data(), fields.data(), 16);
    std::memcpy(header->data() + mapOffset + 16, fields.data(), 16);
  }
  files.push_back(spaced);
  return files;
}

Bytes AppleDouble(const Bytes& fork, bool single) {
  Bytes b;
  Put32(b, single ? 0x00051600 : 0x00051607);
  Put32(b, 0x00020000);
  b.insert(b.end(), 16, 0);
  Put16(b, 1);
  Put32(b, 2);  // entry 2: the resource fork
  Put32(b, 26 + 12);
  Put32(b, static_cast<uint32_t>(fork.size()));
  b.insert(b.end(), fork.begin(), fork.end());
  return b;
}

// MacBinary: a 128-byte header (name, type, creator, fork lengths), the data fork and the
// resource fork, each padded to 128 bytes.
Bytes MacBinary(const Bytes& fork, const Bytes& data) {
  Bytes b(128, 0);
  const char name[] = "Document";
  b[1] = sizeof name - 1;
  std::memcpy(&b[2], name, sizeof name - 1);
  std::memcpy(&b[65], "TEXTZEBA", 8);
  Bytes lengths;
  Put32(lengths, static_cast<uint32_t>(data.size()));
  Put32(lengths, static_cast<uint32_t>(fork.size()));
  std::memcpy(&b[83], lengths.data(), 8);
  b.insert(b.end(), data.begin(), data.end());
  b.resize((b.size() + 127) / 128 * 128, 0);
  b.insert(b.end(), fork.begin(), fork.end());
  b.resize((b.size() + 127) / 128 * 128, 0);
  return b;
}

Bytes Packed(const Bytes& raw) {
  Bytes out(zeb::resources::PackedBound(raw.size()));
  out.resize(zeb::resources::PackRuns(raw.data(), raw.size(), out.data()));
  return out;
}

// A 'WIND' template: bounds, procID, visible, goAway, refCon, title, and the positioning word.
Bytes WindowTemplate(bool positioning) {
  Bytes b;
  for (uint16_t v : {40, 40, 240, 340}) Put16(b, v);
  Put16(b, 0);  // procID
  Put16(b, 0x0100);  // visible
  Put16(b, 0x0100);  // goAway
  Put32(b, 0x12345678);
  const char title[] = "Untitled";
  b.push_back(sizeof title - 1);
  b.insert(b.end(), title, title + sizeof title - 1);
  if (positioning) {
    if (b.size() % 2) b.push_back(0);
    Put16(b, 0x280A);
  }
  return b;
}

void Put32LE(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16LE(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

// A packed DIB: BITMAPINFOHEADER, colour table, rows padded to four bytes.
Bytes PackedDIB(int32_t width, int32_t height, uint16_t bitCount, uint32_t colours) {
  Bytes b;
  Put32LE(b, 40);
  Put32LE(b, static_cast<uint32_t>(width));
  Put32LE(b, static_cast<uint32_t>(height));
  Put16LE(b, 1);
  Put16LE(b, bitCount);
  for (int i = 0; i < 3; ++i) Put32LE(b, 0);  // compression, image size, x pixels per metre
  Put32LE(b, 0);
  Put32LE(b, colours);
  Put32LE(b, 0);
  for (uint32_t i = 0; i < colours; ++i) Put32LE(b, i * 0x00404040u);
  const uint32_t rowBytes = ((static_cast<uint32_t>(width) * bitCount + 31) / 32) * 4;
  const uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
  for (uint32_t i = 0; i < rowBytes * rows; ++i) b.push_back(static_cast<uint8_t>(i * 37));
  return b;
}

// The pixel engine's script: two images (depth index, extent, origin, row bytes, pixels, table),
// two rectangles, then the transfer's mode and colours.
void EngineImage(Bytes& b, uint8_t depthIndex, uint8_t side, uint8_t rowBytes, uint8_t entries) {
  b.insert(b.end(), {depthIndex, side, side, 0, 0, rowBytes});
  for (int i = 0; i < rowBytes * side; ++i) b.push_back(static_cast<uint8_t>(i * 29));
  b.push_back(entries);
  for (int i = 0; i < entries; ++i)
    for (int c = 0; c < 3; ++c) Put16(b, static_cast<uint16_t>(0xFFFF / (i + c + 1)));
}
Bytes EngineScript(uint8_t srcDepth, uint8_t srcRowBytes, uint8_t dstDepth, uint8_t dstRowBytes,
                   uint8_t mode) {
  Bytes b;
  EngineImage(b, srcDepth, 8, srcRowBytes, 2);
  EngineImage(b, dstDepth, 8, dstRowBytes, 2);
  b.insert(b.end(), {0, 0, 8, 8, 0, 0, 8, 8, mode, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
  return b;
}

void PixelSeeds() {
  Bytes clut;
  Put32(clut, 0);
  Put16(clut, 0x8000);
  Put16(clut, 1);  // two entries
  for (uint16_t i = 0; i < 2; ++i) {
    Put16(clut, i);
    for (int c = 0; c < 3; ++c) Put16(clut, i ? 0 : 0xFFFF);
  }
  Write("colour_resources_fuzz", "clut", clut);
  Bytes pltt;
  Put16(pltt, 2);
  pltt.resize(16, 0);
  for (int i = 0; i < 2; ++i) {
    for (int c = 0; c < 3; ++c) Put16(pltt, static_cast<uint16_t>(i ? 0x8000 : 0xFFFF));
    Put16(pltt, 2);       // usage: tolerant
    Put16(pltt, 0x5000);  // tolerance
    pltt.resize(pltt.size() + 6, 0);
  }
  Write("colour_resources_fuzz", "pltt", pltt);

  Write("packed_dib_fuzz", "8-bit", PackedDIB(5, 4, 8, 4));
  Write("packed_dib_fuzz", "1-bit-top-down", PackedDIB(9, -3, 1, 2));
  Write("packed_dib_fuzz", "24-bit", PackedDIB(3, 2, 24, 0));
  Write("packed_dib_fuzz", "32-bit", PackedDIB(2, 2, 32, 0));

  Write("pixel_engine_fuzz", "8-to-32-copy", EngineScript(3, 8, 6, 32, 0));
  Write("pixel_engine_fuzz", "1-to-8-or", EngineScript(0, 2, 3, 8, 1));
  Write("pixel_engine_fuzz", "16-to-1-blend", EngineScript(4, 16, 0, 2, 32));
}

void Seeds() {
  const std::vector<Bytes> files = ResourceFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    Write("resource_map_fuzz", "file-" + std::to_string(i), files[i]);
    Write("resource_tool_fuzz", "fork-" + std::to_string(i), files[i]);
  }
  Write("resource_tool_fuzz", "appledouble", AppleDouble(files[2], false));
  Write("resource_tool_fuzz", "applesingle", AppleDouble(files[1], true));
  Write("resource_tool_fuzz", "macbinary", MacBinary(files[2], Text("data fork")));
  Write("resource_tool_fuzz", "description",
        "# a comment\nresource 'STR#' 128 name \"Messages\" attrs 0x20\n  word 2\n"
        "  pstring \"Hello\"\n  pstring \"World\"\nend\nresource 'TEXT' 200\n"
        "  text \"Line one\\nLine two\"\n  hex 00 01 0203\n  long 0x12345678\n  byte 7\nend\n");

  // Item lists (selector 0), item tables (1), item texts (2) and boxes to scale (3).
  Write("item_list_fuzz", "ditl", Bytes{0, 1, 0, 0, 0, 0, 10, 0, 10, 0, 30, 0, 90, 0, 4, 2, 'O', 'K',
                                        0, 0, 0, 0, 40, 0, 10, 0, 60, 0, 90, 0, 7, 2, 128, 0});
  Write("item_list_fuzz", "zebd", Bytes{1, 20, 0x40, 2, 0, 1, 2, 'k', 0x14, 3, 3, 0, 0x01});
  Write("item_list_fuzz", "text", Text("\x02Open ^1 & ^0 && \r done"));
  Write("item_list_fuzz", "box", Bytes{3, 10, 0, 10, 0, 60, 0, 110, 0, 120, 0});

  const Bytes raw[] = {Bytes{}, Bytes(200, 0xAA), Text("abcabcabcabcaaaaaaaaaaaaaaaaxyz"),
                       Bytes{0, 0, 0, 0, 1, 2, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 9}};
  for (size_t i = 0; i < sizeof raw / sizeof raw[0]; ++i) {
    Write("pack_bits_fuzz", "raw-" + std::to_string(i), raw[i]);
    Bytes packed{static_cast<uint8_t>(raw[i].size() / 4 + 1)};
    const Bytes runs = Packed(raw[i]);
    packed.insert(packed.end(), runs.begin(), runs.end());
    Write("pack_bits_fuzz", "packed-" + std::to_string(i), packed);
  }

  const char* const decimals[] = {"0", "-12.5e3", "3.14159265358979", "1e-400", "INF", "-NAN(17)",
                                  "  +0.000123", "12345678901234567890123", ".5", "1,234"};
  for (size_t i = 0; i < sizeof decimals / sizeof decimals[0]; ++i) {
    Bytes b{1};
    b.insert(b.end(), decimals[i], decimals[i] + std::strlen(decimals[i]));
    Write("str2dec_fuzz", "decimal-" + std::to_string(i), b);
  }

  Write("rez_fuzz", "resources",
        "#include \"Types.r\"\n"
        "resource 'STR ' (128, \"Title\", purgeable) { \"Hello\" };\n"
        "resource 'STR#' (200) { { \"one\", \"two\" } };\n"
        "data 'DATA' (1) { $\"0102 0304\" };\n");
  Write("rez_fuzz", "type",
        "type 'PREF' { integer; longint; pstring; };\n"
        "resource 'PREF' (1) { 7, 0x10000, \"name\" };\n"
        "#define COUNT 3\n#if COUNT > 2\nresource 'DATA' (2) { $$Format(\"%d\", COUNT) };\n#endif\n");

  // derez: the first byte picks the type (0 MENU, 7 STR , 8 STR#, 2 WIND, 19 TEXT).
  auto typed = [](uint8_t pick, const Bytes& data) {
    Bytes b{pick};
    b.insert(b.end(), data.begin(), data.end());
    return b;
  };
  Write("derez_fuzz", "str", typed(7, Text("\x05Hello")));
  Write("derez_fuzz", "strlist", typed(8, Bytes{0, 2, 3, 'o', 'n', 'e', 3, 't', 'w', 'o'}));
  Write("derez_fuzz", "wind", typed(2, WindowTemplate(true)));
  Write("derez_fuzz", "text", typed(19, Text("plain text\r")));
  Bytes menu;
  Put16(menu, 128);
  menu.insert(menu.end(), 4, 0);  // width, height
  Put16(menu, 0);
  Put16(menu, 0);                 // procID
  Put32(menu, 0xFFFFFFFF);        // enable flags
  menu.push_back(4);
  menu.insert(menu.end(), {'F', 'i', 'l', 'e'});
  menu.insert(menu.end(), {4, 'O', 'p', 'e', 'n', 0, 'O', 0, 0, 0});
  Write("derez_fuzz", "menu", typed(0, menu));

  Write("byte_order_fuzz", "wind", typed(4, WindowTemplate(true)));
  Write("byte_order_fuzz", "menu", typed(5, menu));
  Write("byte_order_fuzz", "strlist", typed(7, Bytes{0, 2, 1, 'a', 1, 'b'}));
  Write("byte_order_fuzz", "to-disk", typed(0x80 | 4, WindowTemplate(false)));

  Write("window_template_fuzz", "with-positioning", WindowTemplate(true));
  Write("window_template_fuzz", "without", WindowTemplate(false));

  Bytes munge;
  Put32(munge, 0);
  munge.insert(munge.end(), {3, 0, 0, 0, 5, 0, 0, 0, 3});  // len1 3, len2 5, both given
  for (const char* part : {"abc", "XYZZY", "xxabcxxabc"}) munge.insert(munge.end(), part, part + std::strlen(part));
  Write("munger_fuzz", "replace", munge);

  Write("toolbox_pathname_fuzz", "relative", ":Folder:File");
  Write("toolbox_pathname_fuzz", "full", "Macintosh HD:Documents:Letter");
  Write("toolbox_pathname_fuzz", "up", "::..:File");
  Write("toolbox_pathname_fuzz", "host", "C:\\Data\\File.txt");

  // A 'MENU' image (ID 128, title "File", items "Open" with key O and "Quit"), then a text.
  Write("menu_record_fuzz", "menu",
        Bytes{14, 1, 128, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 4, 'F', 'i', 'l', 'e',
              4, 'O', 'p', 'e', 'n', 0, 'O', 0, 0, 0, 'A', ';', '(', '-', '/', 'Q', '<', 'B'});
  Write("menu_text_fuzz", "text", Bytes{0x0A, 'q', 0x80, 0x85, 9, 'S', 'a', 'v', 'e', ' ', '&', 'a', 0xC9, 0xAA});
  Write("menu_text_fuzz", "double-byte", Bytes{0x0E, '5', 0, 0, 4, 0x82, 0xA0, 'x', 0xFF});
  // Standard File filters: numTypes, selected, options, type count, the types, a name, the
  // extension table.
  auto typeEntry = [](Bytes& b, const char* type, const char* ext, const char* description) {
    Bytes e(40, 0);
    std::memcpy(e.data(), type, 4);
    std::memcpy(e.data() + 4, ext, std::strlen(ext));
    std::memcpy(e.data() + 7, description, std::strlen(description));
    b.insert(b.end(), e.begin(), e.end());
  };
  Bytes filters{2, 0xFF, 0, 2, 'T', 'X', 'E', 'T', 'T', 'C', 'I', 'P', 6, 'R', 'e', 'p', 'o', 'r', 't'};
  typeEntry(filters, "TXET", "TXT", "Text");
  typeEntry(filters, "TXET", "DOC", "Documents");
  typeEntry(filters, "TCIP", "PCT", "Pictures");
  typeEntry(filters, "\0\0\0\0", "", "");
  Write("sf_filter_fuzz", "two-types", filters);
  Write("sf_filter_fuzz", "all-files", Bytes{0xFF, 0xFF, 1, 0, 4, 'a', '.', 'b', '.'});
  Write("app_files_fuzz", "documents", "a.txt, \"C:\\My Files\\b c.txt\",, /p\nC:\\docs");
  Write("app_files_fuzz", "list", Bytes{0, 0, 2, 0, 0xFD, 0xFF, 0, 0, 'T', 'X', 'E', 'T', 0, 0, 3,
                                        'a', 'b', 'c', 0xFD, 0xFF, 0, 0, 1, 2, 3, 4, 0, 0, 1, 'z'});
  Write("title_text_fuzz", "plain", Bytes{4, 8, 'T', 'i', 't', 'l', 'e', 0xA5, 0xD2, 0xD3});
  Write("title_text_fuzz", "double-byte", Bytes{2, 4, 0x82, 0xA0, 'a', 0x83});
  Write("text_conversion_fuzz", "plain", Bytes{0x01, 1, 1, 0, 'H', 'e', 'l', 'l', 'o', 0xA5, '\r'});
  Write("text_conversion_fuzz", "double-byte", Bytes{0x41, 2, 3, 4, 0x82, 0xA0, 0x82, 'x', 0});
  Write("font_map_fuzz", "map", "systemFont(0):System(Swiss)\r\ntimes(20):Times New Roman(Roman)\r\n"
                                "geneva(3):Arial,Helvetica(Swiss)\r\nmyFont(200):Courier New\r\n");

  // Key strokes as the translator's script reads them: a choice byte (its low nibble the
  // keyboard message above 0x100), the virtual key or character, lParam (repeat count low,
  // scan code and flags high), the key-state byte, the current modifiers, and, whenever the
  // translator asks ToAscii, a count byte (2 means one character) and the character.
  auto stroke = [](Bytes& b, uint8_t message, uint8_t key, uint32_t lParam, uint8_t keys,
                   std::initializer_list<uint8_t> ascii) {
    b.push_back(message);
    b.push_back(key);
    Put32(b, lParam);
    b.push_back(keys);
    Put32(b, 0x0080);  // button up
    b.insert(b.end(), ascii);
  };
  Bytes plain, command, option, dead, repeated;
  stroke(plain, 0x00, 'A', 0x001E0001, 0, {2, 'a'});  // WM_KEYDOWN, ToAscii 'a'
  stroke(plain, 0x02, 'a', 0x001E0001, 0, {});         // WM_CHAR
  stroke(plain, 0x01, 'A', 0xC01E0001, 0, {});         // WM_KEYUP
  stroke(command, 0x00, 'Q', 0x00100001, 2, {2, 'q'});  // Ctrl held: Command-Q
  stroke(command, 0x01, 'Q', 0xC0100001, 2, {});
  stroke(option, 0x04, 'E', 0x20120001, 4, {2, 0xAB});  // WM_SYSKEYDOWN with Alt
  stroke(option, 0x05, 0x12, 0xC0380001, 0, {});        // Alt released
  stroke(dead, 0x00, 0xDE, 0x00280001, 1, {0, 0});      // a dead key: ToAscii answers -1
  stroke(dead, 0x03, '"', 0x00280001, 1, {});           // WM_DEADCHAR
  stroke(dead, 0x02, 0xE4, 0x001E0001, 0, {});          // the composed character
  stroke(repeated, 0x02, 'x', 0x002D0005, 0, {});       // WM_CHAR with a repeat count of 5
  stroke(repeated, 0x02, 'y', 0x00150000, 0, {});       // a repeat count of 0
  Write("key_translation_fuzz", "plain", plain);
  Write("key_translation_fuzz", "command", command);
  Write("key_translation_fuzz", "option", option);
  Write("key_translation_fuzz", "dead-key", dead);
  Write("key_translation_fuzz", "repeated", repeated);
}

// Seeds of the list, TextEdit and picture cores.
void EditorSeeds() {
  // Cell edits: rows, columns, then (operation, argument) pairs.
  Write("cell_store_fuzz", "edits", Bytes{3, 2, 0, 1, 1, 4, 2, 'a', 3, 0, 4, 1, 5, 2, 0, 7});
  Write("line_ends_fuzz", "lines", Bytes{4, 'o', 'n', 'e', '\r', 't', 'w', 'o', '\r', '\r', 'x'});
  // Text length 12, then a style scrap: one run count and two runs of the style scrap layout.
  Bytes scrap{0, 12, 0, 0, 0, 3, 0, 5};
  Put16(scrap, 2);
  for (uint32_t start : {0u, 6u}) {
    Put32(scrap, start);
    Put16(scrap, 12);  // line height
    Put16(scrap, 10);  // ascent
    Put16(scrap, 3);   // font
    scrap.insert(scrap.end(), {static_cast<uint8_t>(start ? 1 : 0), 0});  // face, pad
    Put16(scrap, 12);  // size
    Put16(scrap, 0);
    Put16(scrap, 0);
    Put16(scrap, 0);  // colour
  }
  Write("style_runs_fuzz", "two-runs", scrap);
  Write("text_layout_fuzz", "words", Text("\x28\x01The quick brown fox\rjumps over the lazy dog"));
  // Version 2 opcodes after the 10-byte header: version, extended header, clip, a painted
  // rectangle, a short comment, the end.
  Bytes v2{0x00, 0x11, 0x02, 0xFF, 0x0C, 0x00, 0xFF, 0xFE, 0, 0, 0, 0x48, 0, 0, 0, 0x48, 0, 0,
           0, 0, 0, 0, 0, 0x0A, 0, 0x0A, 0, 0, 0, 0};
  v2.insert(v2.end(), {0x00, 0x01, 0x00, 0x0A, 0, 0, 0, 0, 0, 0x0A, 0, 0x0A});
  v2.insert(v2.end(), {0x00, 0x31, 0, 1, 0, 1, 0, 5, 0, 5, 0x00, 0xA0, 0x00, 0x82, 0x00, 0xFF});
  Write("pict_reader_fuzz", "version-2", v2);
  // Version 1: one-byte opcodes, a painted oval and the end.
  Write("pict_reader_fuzz", "version-1", Bytes{0x11, 0x01, 0x51, 0, 1, 0, 1, 0, 8, 0, 9, 0xFF});
  Write("pict_roundtrip_fuzz", "operations", Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds <directory>\n");
    return 2;
  }
  g_root = argv[1];
  mkdir(g_root.c_str(), 0755);
  Seeds();
  PixelSeeds();
  EditorSeeds();
  return 0;
}
