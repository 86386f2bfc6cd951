// DrawPicture: the picture read through the get-picture bottleneck and replayed through the
// drawing calls, mapped from its frame to the destination rectangle and clipped to it.
#include <algorithm>
#include <cstring>
#include <vector>

#include "FixMath.h"
#include "Fonts.h"
#include "MacMemory.h"
#include "ZEB.h"
#include "memory/memory_internal.h"
#include "quickdraw/item_drawing.h"
#include "quickdraw/pict_format.h"
#include "quickdraw/pict_reader.h"
#include "quickdraw/picture_state.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"
#include "quickdraw/region_record.h"
#include "quickdraw/shape_drawing.h"

namespace zeb::quickdraw {
namespace {

// Entries of QDProcs.
constexpr int kRectProc = 2;
constexpr int kRRectProc = 3;
constexpr int kOvalProc = 4;
constexpr int kArcProc = 5;
constexpr int kPolyProc = 6;
constexpr int kBitsProc = 8;
constexpr int kCommentProc = 9;
constexpr int kGetPicProc = 11;
constexpr int16_t kDitherCopy = 64;
constexpr int16_t kSrcCopy = 0;

using GetPicProc = void(ZEBAPI*)(void*, short);
using BitsProc = void(ZEBAPI*)(const BitMap*, const Rect*, const Rect*, short, RgnHandle);
using CommentProc = void(ZEBAPI*)(short, short, Handle);
using RectProc = void(ZEBAPI*)(GrafVerb, const Rect*);
using RoundProc = void(ZEBAPI*)(GrafVerb, const Rect*, short, short);
using PolyProc = void(ZEBAPI*)(GrafVerb, PolyHandle);

void* Installed(GrafPtr port, int index, void* standard) {
  if (!port || !port->grafProcs) return nullptr;
  void* p = reinterpret_cast<void**>(port->grafProcs)[index];
  return p && p != standard ? p : nullptr;
}

// What StdGetPic reads: the picture being drawn, where it stands, and its end.
struct ReadingState {
  Handle picture = nullptr;
  size_t at = 0;
  size_t end = 0;
  bool pastEnd = false;
};
ReadingState g_reading;
bool g_allowStatePush = true;

// The reader's bytes come through the port's get-picture bottleneck.
struct BottleneckSource : pict::PictSource {
  size_t Read(uint8_t* dst, size_t n) override {
    GrafPtr port = CurrentPort();
    auto proc = reinterpret_cast<GetPicProc>(
        Installed(port, kGetPicProc, reinterpret_cast<void*>(&StdGetPic)));
    size_t done = 0;
    while (done < n) {
      const size_t piece = std::min<size_t>(n - done, 0x4000);
      if (proc) {
        proc(dst + done, static_cast<short>(piece));
      } else {
        const size_t before = g_reading.at;
        StdGetPic(dst + done, static_cast<short>(piece));
        if (g_reading.at - before < piece) return done + (g_reading.at - before);
      }
      done += piece;
    }
    return done;
  }
};

int16_t Clamp16(int64_t v) {
  return static_cast<int16_t>(std::clamp<int64_t>(v, -32768, 32767));
}

// The port's drawing state that a replay changes, saved around it. A colour port's pixel
// patterns are kept as the handles it had: the replay installs patterns of its own (the
// context's spares and replayed patterns) and never changes an application's pattern, but it
// does rewrite the spares, whose bytes come back from the 8-byte patterns.
struct PortDrawingState {
  Point pnLoc, pnSize;
  short pnMode;
  Pattern pnPat, bkPat, fillPat;
  short txFont, txMode, txSize;
  Style txFace;
  Fixed spExtra;
  long fgColor, bkColor;
  RGBColor rgbFore, rgbBack;
  PixPatHandle pixPats[3] = {};  // the colour port's pen, background and fill

  void Save(GrafPtr port) {
    pnLoc = port->pnLoc;
    pnSize = port->pnSize;
    pnMode = port->pnMode;
    PatternBytes(port, PatternRole::Pen, pnPat.pat, nullptr);
    PatternBytes(port, PatternRole::Back, bkPat.pat, nullptr);
    PatternBytes(port, PatternRole::Fill, fillPat.pat, nullptr);
    txFont = port->txFont;
    txFace = port->txFace;
    txMode = port->txMode;
    txSize = port->txSize;
    spExtra = port->spExtra;
    fgColor = port->fgColor;
    bkColor = port->bkColor;
    if (IsColourPort(port)) {
      const CGrafPort* c = AsColour(port);
      rgbFore = c->rgbFgColor;
      rgbBack = c->rgbBkColor;
      pixPats[0] = c->pnPixPat;
      pixPats[1] = c->bkPixPat;
      pixPats[2] = c->fillPixPat;
    }
  }
  void Restore(GrafPtr port) {
    PenSize(pnSize.h, pnSize.v);
    PenMode(pnMode);
    PenPat(&pnPat);
    BackPat(&bkPat);
    DrawingContext* ctx = Current();
    if (IsColourPort(port)) {
      RGBForeColor(&rgbFore);
      RGBBackColor(&rgbBack);
      CGrafPtr c = AsColour(port);
      if (ctx) SetFillPattern(port, *ctx, fillPat);
      auto own = [&](PixPatHandle pp) {
        if (!pp) return false;
        if (ctx)
          for (PixPatHandle spare : ctx->spare)
            if (pp == spare) return false;
        return true;
      };
      if (own(pixPats[0])) PenPixPat(pixPats[0]);
      if (own(pixPats[1])) BackPixPat(pixPats[1]);
      if (own(pixPats[2])) c->fillPixPat = pixPats[2];
      if (ctx) InvalidateContextPixPatBrushes(*ctx);
    } else {
      ForeColor(fgColor);
      BackColor(bkColor);
      port->fillPat = fillPat;
    }
    TextFont(txFont);
    TextFace(txFace);
    TextMode(txMode);
    TextSize(txSize);
    SpaceExtra(spExtra);
    port->pnLoc = pnLoc;
    MoveT(pnLoc.h, pnLoc.v);
  }
};

// A colour table from a picture's image: entries go to the places their values name, as
// pixel values index them. Null when memory fails.
CTabHandle TableOf(const pict::PictImage& im) {
  const size_t n = std::max<size_t>(im.table.size(), 1);
  auto table = reinterpret_cast<CTabHandle>(NewHandleClear(static_cast<Size>(8 + 8 * n)));
  if (!table) return nullptr;
  ColorTable& t = **table;
  t.ctSeed = static_cast<long>(im.ctSeed);
  t.ctSize = static_cast<short>(n - 1);
  for (size_t i = 0; i < im.table.size(); ++i) {
    const size_t at = im.table[i].value < n ? im.table[i].value : i;
    t.ctTable[at].value = static_cast<short>(at);
    t.ctTable[at].rgb = ToRGBColor(im.table[i].rgb);
  }
  return table;
}

// The pixel map fields of a picture's image (not its table or base address).
void DescribeImage(const pict::PictImage& im, PixMap& pm) {
  pm.rowBytes = static_cast<short>(im.rowBytes | pict::kPixMapFlag);
  pm.bounds = im.bounds;
  pm.hRes = im.hRes;
  pm.vRes = im.vRes;
  pm.pixelType = im.pixelSize >= 16 ? RGBDirect : 0;
  pm.pixelSize = im.pixelSize;
  pm.cmpCount = im.pixelSize >= 16 ? 3 : 1;
  pm.cmpSize = im.pixelSize == 32 ? 8 : im.pixelSize == 16 ? 5 : im.pixelSize;
}

// The context's replayed pattern for a role made the picture's pattern: a full pixel pattern
// with its image and table, or an RGB pattern. The 8-byte form stays the picture's. Null when
// memory fails.
PixPatHandle ReplayedPattern(DrawingContext& ctx, int role, const pict::PictPixPat& pp) {
  PixPatHandle& slot = ctx.replayed[role];
  if (!slot && !(slot = NewPixPat())) return nullptr;
  if (!(*slot)->patMap && !((*slot)->patMap = NewPixMap())) return nullptr;
  if (pp.patType == 2) {
    const RGBColor c = ToRGBColor(pp.rgb);
    MakeRGBPat(slot, &c);
    if ((*slot)->patType != 2) return nullptr;
  } else {
    const pict::PictImage& im = pp.image;
    Handle rows = NewHandle(static_cast<Size>(im.rows.size()));
    CTabHandle table = im.pixelSize <= 8 ? TableOf(im) : nullptr;
    if (!rows || (im.pixelSize <= 8 && !table)) {
      if (rows) DisposeHandle(rows);
      return nullptr;
    }
    if (!im.rows.empty()) std::memcpy(*rows, im.rows.data(), im.rows.size());
    if ((*slot)->patData) DisposeHandle((*slot)->patData);
    (*slot)->patData = rows;
    PixMap& pm = **(*slot)->patMap;
    if (pm.pmTable) DisposeHandle(reinterpret_cast<Handle>(pm.pmTable));
    pm.pmTable = table;
    DescribeImage(im, pm);
    (*slot)->patType = 1;
  }
  std::memcpy((*slot)->pat1Data.pat, pp.pat1Data, 8);
  InvalidatePixPatBrush(slot);
  return slot;
}

class Player : public pict::PictPlayer {
 public:
  Player(GrafPtr port, const Rect& frame, const Rect& dst, RgnHandle baseClip)
      : port_(port), frame_(frame), dst_(dst), baseClip_(baseClip) {
    std::memset(fillPat_.pat, 0xFF, 8);
  }
  ~Player() override {
    if (clip_) DisposeRgn(clip_);
  }

  bool Usable() const { return !IsEmptyRect(frame_) && !IsEmptyRect(dst_) && usable_; }

  void Header(bool extended, int32_t hRes, int32_t vRes, const Rect& src) override {
    (void)src;
    if (!extended) return;
    if (hRes <= 0 || vRes <= 0) {
      usable_ = false;
      return;
    }
    // The coordinates are at the picture's resolution and picFrame at 72 dpi: the frame that
    // maps them is picFrame at that resolution.
    auto scale = [](short v, int32_t res) {
      return Clamp16(static_cast<int64_t>(v) * res / pict::kStandardResolution);
    };
    if (hRes != pict::kStandardResolution || vRes != pict::kStandardResolution)
      frame_ = {scale(frame_.top, vRes), scale(frame_.left, hRes), scale(frame_.bottom, vRes),
                scale(frame_.right, hRes)};
  }
  bool Stopped() override { return !Usable(); }

  void Clip(const Rect& box) override {
    hasClip_ = true;
    clipBox_ = box;
    ApplyClipBox();
  }
  void Pattern(uint16_t op, const uint8_t p[8]) override {
    ::Pattern pat;
    std::memcpy(pat.pat, p, 8);
    if (op == pict::kBkPat) BackPat(&pat);
    else if (op == pict::kPnPat) PenPat(&pat);
    else fillPat_ = pat;
    if (op == pict::kFillPat) fillPixPat_ = nullptr;
  }
  void PixelPattern(const pict::PictPixPat& pp) override {
    // A black-and-white port, and a plain pattern, take the 8-byte form.
    const uint16_t op = pp.opcode == pict::kBkPixPat   ? pict::kBkPat
                        : pp.opcode == pict::kPnPixPat ? pict::kPnPat
                                                       : pict::kFillPat;
    const int role = op == pict::kBkPat ? kSpareBack : op == pict::kPnPat ? kSparePen : kSpareFill;
    DrawingContext* ctx = Current();
    PixPatHandle h = nullptr;
    if (pp.patType != 0 && IsColourPort(port_) && ctx) h = ReplayedPattern(*ctx, role, pp);
    if (!h) {
      Pattern(op, pp.pat1Data);
      return;
    }
    if (role == kSparePen) {
      PenPixPat(h);
    } else if (role == kSpareBack) {
      BackPixPat(h);
    } else {
      std::memcpy(fillPat_.pat, pp.pat1Data, 8);
      fillPixPat_ = h;
    }
  }
  void TextFont(int16_t font) override {
    for (const auto& entry : fonts_)
      if (entry.first == font) {
        ::TextFont(entry.second);
        return;
      }
    ::TextFont(font);
  }
  void FontName(int16_t font, const uint8_t* name) override {
    short local = font;
    GetFNum(name, &local);
    if (local == 0 && name[0] > 0) local = font;
    for (auto& entry : fonts_)
      if (entry.first == font) {
        entry.second = local;
        return;
      }
    fonts_.emplace_back(font, local);
  }
  void TextFace(uint8_t face) override { ::TextFace(face); }
  void TextMode(int16_t mode) override { ::TextMode(mode); }
  void SpaceExtra(int32_t extra) override { ::SpaceExtra(extra); }
  void PenSize(Point size) override { ::PenSize(ScaleH(size.h), ScaleV(size.v)); }
  void PenMode(int16_t mode) override { ::PenMode(mode); }
  void OvalSize(Point size) override { oval_ = size; }
  void Origin(int16_t dh, int16_t dv) override {
    OffsetRec(&frame_, dh, dv);
    if (hasClip_) ApplyClipBox();
  }
  void TextSize(int16_t size) override { ::TextSize(ScaleV(size)); }
  void ClassicColour(uint16_t op, int32_t colour) override {
    if (op == pict::kFgColor) ForeColor(colour);
    else BackColor(colour);
  }
  void RgbColour(uint16_t op, const Rgb16& rgb) override {
    const RGBColor c = ToRGBColor(rgb);
    if (op == pict::kRGBFgCol) RGBForeColor(&c);
    else if (op == pict::kRGBBkCol) RGBBackColor(&c);
    else HiliteColor(&c);
  }
  void Line(Point from, Point to) override {
    const Point a = Map(from), b = Map(to);
    MoveT(a.h, a.v);
    LineT(b.h, b.v);
  }
  void Text(uint16_t op, Point origin, uint8_t dh, uint8_t dv, const uint8_t* text,
            int count) override {
    const Point at = Map(origin);
    // Replayed lines of text must not drift by the rounding of each piece's width: a piece
    // that continues the line close to where the last one ended is drawn from the pen.
    const int32_t scaledDh = ScaleH(dh);
    const bool continues = op != pict::kLongText && op != pict::kDVText && dv == 0 && hasText_ &&
                           port_->pnLoc.h == textEnd_.h && port_->pnLoc.v == textEnd_.v &&
                           scaledDh >= textWidth_ - 20 && scaledDh <= textWidth_ + 2;
    if (!continues) MoveT(at.h, at.v);
    const short before = port_->pnLoc.h;
    DrawTex(text, 0, static_cast<short>(count));
    hasText_ = true;
    textEnd_ = port_->pnLoc;
    textWidth_ = port_->pnLoc.h - before;
  }
  void Shape(uint16_t family, int verb, const Rect& r, int16_t a, int16_t b) override {
    const Rect m = MapR(r);
    switch (family) {
      case pict::kRectBase:
        switch (verb) {
          case 0: FrameRec(&m); break;
          case 1: PaintRect(&m); break;
          case 2: EraseRect(&m); break;
          case 3: InvertRec(&m); break;
          default: if (!FillWithPixelPattern(kRectProc, &m, 0, 0)) FillRec(&m, &fillPat_); break;
        }
        break;
      case pict::kRRectBase: {
        const short w = ScaleH(oval_.h), h = ScaleV(oval_.v);
        switch (verb) {
          case 0: FrameRoundRect(&m, w, h); break;
          case 1: PaintRoundRect(&m, w, h); break;
          case 2: EraseRoundRect(&m, w, h); break;
          case 3: InvertRoundRect(&m, w, h); break;
          default:
            if (!FillWithPixelPattern(kRRectProc, &m, w, h)) FillRoundRect(&m, w, h, &fillPat_);
            break;
        }
        break;
      }
      case pict::kOvalBase:
        switch (verb) {
          case 0: FrameOval(&m); break;
          case 1: PaintOval(&m); break;
          case 2: EraseOval(&m); break;
          case 3: InvertOval(&m); break;
          default: if (!FillWithPixelPattern(kOvalProc, &m, 0, 0)) FillOval(&m, &fillPat_); break;
        }
        break;
      default:
        switch (verb) {
          case 0: FrameArc(&m, a, b); break;
          case 1: PaintArc(&m, a, b); break;
          case 2: EraseArc(&m, a, b); break;
          case 3: InvertArc(&m, a, b); break;
          default: if (!FillWithPixelPattern(kArcProc, &m, a, b)) FillArc(&m, a, b, &fillPat_); break;
        }
        break;
    }
  }
  void Polygon(int verb, const Rect& box, const Point* points, size_t count) override {
    (void)box;
    if (count == 0) return;
    PolyHandle poly = OpenPoly();
    if (!poly) return;
    const Point first = Map(points[0]);
    MoveT(first.h, first.v);
    for (size_t i = 1; i < count; ++i) {
      const Point p = Map(points[i]);
      LineT(p.h, p.v);
    }
    ClosePoly();
    switch (verb) {
      case 0: FramePoly(poly); break;
      case 1: PaintPoly(poly); break;
      case 2: ErasePoly(poly); break;
      case 3: InvertPoly(poly); break;
      default:
        if (!FillPolyWithPixelPattern(poly)) FillPoly(poly, &fillPat_);
        break;
    }
    KillPoly(poly);
  }
  void Bits(const pict::PictBits& bits) override;
  void Comment(int16_t kind, const uint8_t* data, size_t size) override {
    Handle h = nullptr;
    if (size > 0 && (h = NewHandle(static_cast<Size>(size))) != nullptr) std::memcpy(*h, data, size);
    const short bytes = h ? static_cast<short>(size) : 0;
    if (auto proc = reinterpret_cast<CommentProc>(
            Installed(port_, kCommentProc, reinterpret_cast<void*>(&StdComment))))
      proc(kind, bytes, h);
    else
      StdComment(kind, bytes, h);
    if (h) DisposeHandle(h);
  }

 private:
  int64_t SrcW() const { return int64_t{frame_.right} - frame_.left; }
  int64_t SrcH() const { return int64_t{frame_.bottom} - frame_.top; }
  int64_t DstW() const { return int64_t{dst_.right} - dst_.left; }
  int64_t DstH() const { return int64_t{dst_.bottom} - dst_.top; }
  short ScaleH(int64_t v) const { return Clamp16(v * DstW() / SrcW()); }
  short ScaleV(int64_t v) const { return Clamp16(v * DstH() / SrcH()); }
  Point Map(Point p) const {
    return Point{Clamp16(dst_.top + (p.v - int64_t{frame_.top}) * DstH() / SrcH()),
                 Clamp16(dst_.left + (p.h - int64_t{frame_.left}) * DstW() / SrcW())};
  }
  Rect MapR(const Rect& r) const {
    const Point a = Map(Point{r.top, r.left}), b = Map(Point{r.bottom, r.right});
    return Rect{a.v, a.h, b.v, b.h};
  }
  // A fill with the picture's pixel pattern on a colour port: the pattern stands in the port's
  // fillPixPat for the one call, through the port's shape procedure, as FillCRect does.
  bool FillWithPixelPattern(int procIndex, const Rect* r, short a, short b) {
    if (!fillPixPat_ || !IsColourPort(port_)) return false;
    CGrafPtr c = AsColour(port_);
    const PixPatHandle saved = c->fillPixPat;
    c->fillPixPat = fillPixPat_;
    switch (procIndex) {
      case kRectProc:
        if (auto p = reinterpret_cast<RectProc>(Installed(port_, kRectProc, reinterpret_cast<void*>(&StdRect)))) p(fill, r);
        else StdRect(fill, r);
        break;
      case kOvalProc:
        if (auto p = reinterpret_cast<RectProc>(Installed(port_, kOvalProc, reinterpret_cast<void*>(&StdOval)))) p(fill, r);
        else StdOval(fill, r);
        break;
      case kRRectProc:
        if (auto p = reinterpret_cast<RoundProc>(Installed(port_, kRRectProc, reinterpret_cast<void*>(&StdRRect)))) p(fill, r, a, b);
        else StdRRect(fill, r, a, b);
        break;
      default:
        if (auto p = reinterpret_cast<RoundProc>(Installed(port_, kArcProc, reinterpret_cast<void*>(&StdArc)))) p(fill, r, a, b);
        else StdArc(fill, r, a, b);
        break;
    }
    c->fillPixPat = saved;
    return true;
  }
  bool FillPolyWithPixelPattern(PolyHandle poly) {
    if (!fillPixPat_ || !IsColourPort(port_)) return false;
    CGrafPtr c = AsColour(port_);
    const PixPatHandle saved = c->fillPixPat;
    c->fillPixPat = fillPixPat_;
    if (auto p = reinterpret_cast<PolyProc>(Installed(port_, kPolyProc, reinterpret_cast<void*>(&StdPoly)))) p(fill, poly);
    else StdPoly(fill, poly);
    c->fillPixPat = saved;
    return true;
  }
  void ApplyClipBox() {
    if (!clip_ && !(clip_ = NewRgn())) return;
    const Rect m = MapR(clipBox_);
    RectRgn(clip_, &m);
    SectRgn(clip_, baseClip_, clip_);
    SetClip(clip_);
  }

  GrafPtr port_;
  Rect frame_, dst_;
  RgnHandle baseClip_;
  RgnHandle clip_ = nullptr;
  bool usable_ = true;
  bool hasClip_ = false;
  Rect clipBox_{};
  Point oval_{};
  ::Pattern fillPat_;
  PixPatHandle fillPixPat_ = nullptr;  // the fill's pixel pattern, when the picture set one
  std::vector<std::pair<int16_t, short>> fonts_;
  bool hasText_ = false;
  Point textEnd_{};
  int32_t textWidth_ = 0;
};

void Player::Bits(const pict::PictBits& bits) {
  const pict::PictImage& im = bits.image;
  const Rect dst = MapR(bits.dstRect);
  int16_t mode = bits.mode;
  DrawingContext* ctx = Current();
  if ((mode & ~3) == kDitherCopy && ctx && ctx->depthClass > 8) mode = kSrcCopy;
  PixMap pm{};
  BitMap bm{};
  CTabHandle table = nullptr;
  const BitMap* src;
  if (im.pixMap) {
    pm.baseAddr = reinterpret_cast<Ptr>(const_cast<uint8_t*>(im.rows.data()));
    DescribeImage(im, pm);
    if (im.pixelSize <= 8) {
      if (!(table = TableOf(im))) return;
      pm.pmTable = table;
    }
    src = reinterpret_cast<const BitMap*>(&pm);
  } else {
    bm.baseAddr = reinterpret_cast<Ptr>(const_cast<uint8_t*>(im.rows.data()));
    bm.rowBytes = im.rowBytes;
    bm.bounds = im.bounds;
    src = &bm;
  }
  // The mask region, every rectangle of it mapped as the destination is.
  RgnHandle mask = nullptr;
  if (bits.hasMask && (mask = NewRgn()) != nullptr) {
    std::vector<Rect> mapped;
    mapped.reserve(bits.maskRects.size());
    for (const Rect& r : bits.maskRects) {
      const Rect m = MapR(r);
      if (!IsEmptyRect(m)) mapped.push_back(m);
    }
    if (!mapped.empty()) AdoptGdiShape(mask, GdiRegionFromRects(mapped));
  }
  if (auto proc = reinterpret_cast<BitsProc>(
          Installed(port_, kBitsProc, reinterpret_cast<void*>(&StdBits))))
    proc(src, &bits.srcRect, &dst, mode, mask);
  else
    StdBits(src, &bits.srcRect, &dst, mode, mask);
  if (mask) DisposeRgn(mask);
  if (table) DisposeHandle(reinterpret_cast<Handle>(table));
}

}  // namespace

long PictureBytes(Handle h) { return memory::LiveHandleSize(h); }

void DrawPictureInRect(PicHandle picture, const Rect* frame) { DrawPicture(picture, frame); }

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

void ZEBAPI StdGetPic(void* dataPtr, short byteCount) {
  if (!dataPtr || byteCount <= 0) return;
  ReadingState& r = g_reading;
  const long held = r.picture ? memory::LiveHandleSize(r.picture) : -1;
  // The handle may have shrunk since the reading began: never past what it holds now.
  const size_t end = held < 0 ? 0 : std::min(r.end, static_cast<size_t>(held));
  const size_t take = r.at < end ? std::min<size_t>(static_cast<size_t>(byteCount), end - r.at) : 0;
  if (take) std::memcpy(dataPtr, *r.picture + r.at, take);
  if (take < static_cast<size_t>(byteCount)) {
    std::memset(static_cast<uint8_t*>(dataPtr) + take, 0, static_cast<size_t>(byteCount) - take);
    r.pastEnd = true;
  }
  r.at += take;
}

short ZEBAPI ZEB_AllowPictStatePush(short allow) {
  const short before = g_allowStatePush ? 1 : 0;
  g_allowStatePush = allow != 0;
  return before;
}

void ZEBAPI DrawPicture(PicHandle myPicture, const Rect* dstRect) {
  GrafPtr port = CurrentPort();
  if (!myPicture || !dstRect || !port || !Current()) return;
  Handle h = reinterpret_cast<Handle>(myPicture);
  // The bytes the picture has now: drawing a picture into the port recording it adds to it,
  // and the replay must not read what it writes.
  const long size = PictureBytes(h);
  if (size < static_cast<long>(pict::kShortestPicture)) return;
  const Rect frame = (*myPicture)->picFrame;
  if (IsEmptyRect(frame) || IsEmptyRect(*dstRect)) return;
  InvalidateContextPixPatBrushes(*Current());

  const ReadingState outer = g_reading;
  g_reading = ReadingState{h, pict::kHeaderBytes, static_cast<size_t>(size), false};

  PortDrawingState saved;
  const bool push = g_allowStatePush;
  if (push) saved.Save(port);
  const Point penBefore = port->pnLoc;
  RgnHandle savedClip = NewRgn();
  RgnHandle baseClip = NewRgn();
  if (savedClip && baseClip) {
    GetClip(savedClip);
    RectRgn(baseClip, dstRect);
    SectRgn(baseClip, savedClip, baseClip);
    SetClip(baseClip);
    if (!DrawMetafilePicture(port, *Current(), h, size, frame, *dstRect)) {
      Player player(port, frame, *dstRect, baseClip);
      BottleneckSource source;
      pict::ReadPicture(source, static_cast<size_t>(size) - pict::kHeaderBytes, player);
    }
    SetClip(savedClip);
  }
  if (savedClip) DisposeRgn(savedClip);
  if (baseClip) DisposeRgn(baseClip);
  if (push) saved.Restore(port);
  port->pnLoc = penBefore;
  if (DrawingContext* ctx = Current()) MovePenTo(port, *ctx, penBefore.h, penBefore.v);
  g_reading = outer;
}

}  // extern "C"
