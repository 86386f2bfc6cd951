// Draws the caption-button bitmaps of the library's floating palettes and writes them, with the
// resource script that names them, into a folder:
//   caption_buttons <output folder>
// Close, zoom and restore buttons, each up and pressed ("Dn"), in four sets: colour and
// monochrome displays, each flat or in the 3D look. Built and run on the host at build time.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 13;

enum class Glyph { Close, Zoom, Restore };

struct Colour {
  uint8_t r, g, b;
};
constexpr Colour kWhite = {255, 255, 255}, kBlack = {0, 0, 0}, kFace = {192, 192, 192},
                 kShadow = {128, 128, 128};

using Image = std::vector<std::vector<Colour>>;

bool GlyphPixel(Glyph g, int x, int y) {
  switch (g) {
    case Glyph::Close:  // a cross
      return x >= 3 && x <= 9 && y >= 3 && y <= 9 && (x == y || x + y == 12 || x == y + 1 || x + 1 == y);
    case Glyph::Zoom:  // an upward triangle
      return y >= 4 && y <= 8 && x >= 6 - (y - 4) && x <= 6 + (y - 4);
    case Glyph::Restore:  // a triangle up and one down
      return (y >= 2 && y <= 5 && x >= 6 - (y - 2) && x <= 6 + (y - 2)) ||
             (y >= 7 && y <= 10 && x >= 6 - (10 - y) && x <= 6 + (10 - y));
  }
  return false;
}

Image Draw(Glyph g, bool down, bool threeD, bool mono) {
  const Colour face = threeD && !mono ? kFace : kWhite;
  Image img(kSide, std::vector<Colour>(kSide, face));
  const int shift = down ? 1 : 0;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      if (GlyphPixel(g, x - shift, y - shift)) img[y][x] = kBlack;
  if (threeD) {
    const Colour light = mono ? kWhite : kWhite;
    const Colour dark = mono ? kBlack : kShadow;
    for (int i = 0; i < kSide; ++i) {
      img[0][i] = img[i][0] = down ? dark : light;
      img[kSide - 1][i] = img[i][kSide - 1] = down ? light : dark;
    }
  } else if (down) {
    for (auto& row : img)
      for (Colour& c : row) c = (c.r == kBlack.r && c.g == kBlack.g) ? kWhite : kBlack;
  }
  return img;
}

void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

std::vector<uint8_t> Bmp(const Image& img, bool mono) {
  const int bits = mono ? 1 : 24;
  const int rowBytes = ((kSide * bits + 31) / 32) * 4;
  const uint32_t palette = mono ? 8 : 0;
  const uint32_t offset = 14 + 40 + palette;
  std::vector<uint8_t> b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, offset + rowBytes * kSide);
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, kSide);
  Put32(b, kSide);
  Put16(b, 1);
  Put16(b, static_cast<uint32_t>(bits));
  Put32(b, 0);
  Put32(b, static_cast<uint32_t>(rowBytes * kSide));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, mono ? 2 : 0);
  Put32(b, 0);
  if (mono) {
    Put32(b, 0x000000);
    Put32(b, 0xFFFFFF);
  }
  for (int y = kSide - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowBytes, 0);
    for (int x = 0; x < kSide; ++x) {
      const Colour c = img[y][x];
      if (mono) {
        if (c.r != 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      } else {
        row[3 * x] = c.b;
        row[3 * x + 1] = c.g;
        row[3 * x + 2] = c.r;
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: caption_buttons <output folder>\n");
    return 2;
  }
  const std::string dir = argv[1];
  struct Set {
    const char* suffix;
    bool mono, threeD;
  } const sets[] = {{"", false, false}, {"3D", false, true}, {"Mono", true, false}, {"Mono3D", true, true}};
  struct Button {
    const char* name;
    Glyph glyph;
  } const buttons[] = {{"Close", Glyph::Close}, {"Zoom", Glyph::Zoom}, {"Restore", Glyph::Restore}};
  std::string rc = "// The caption-button bitmaps of the floating palettes, drawn by caption_buttons.\n";
  for (const Set& s : sets)
    for (const Button& button : buttons)
      for (bool down : {false, true}) {
        const std::string name = std::string(button.name) + "Button" + (down ? "Dn" : "Up") + s.suffix;
        const std::string path = dir + "/" + name + ".bmp";
        const std::vector<uint8_t> bmp = Bmp(Draw(button.glyph, down, s.threeD, s.mono), s.mono);
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bmp.data(), 1, bmp.size(), f) != bmp.size()) {
          std::fprintf(stderr, "caption_buttons: cannot write %s\n", path.c_str());
          if (f) std::fclose(f);
          return 1;
        }
        std::fclose(f);
        rc += name + " BITMAP \"" + path + "\"\n";
      }
  const std::string rcPath = dir + "/caption_buttons.rc";
  FILE* f = std::fopen(rcPath.c_str(), "wb");
  if (!f || std::fwrite(rc.data(), 1, rc.size(), f) != rc.size()) {
    std::fprintf(stderr, "caption_buttons: cannot write %s\n", rcPath.c_str());
    if (f) std::fclose(f);
    return 1;
  }
  std::fclose(f);
  return 0;
}
