// Picture recording: OpenPicture, OpenCPicture, ClosePicture, KillPicture, the put-picture and
// comment bottlenecks, the scrap picture, and the drawing calls' recording entry points. The
// opcodes are encoded by the host-independent recorder; this file gives it the port's state
// and writes its bytes through the port's put-picture bottleneck.
#include <cstring>
#include <vector>

#include "MacMemory.h"
#include "Fonts.h"
#include "ZEB.h"
#include "memory/memory_internal.h"
#include "print/print_internal.h"
#include "quickdraw/picture_recording.h"
#include "quickdraw/pict_format.h"
#include "quickdraw/pict_writer.h"
#include "quickdraw/picture_state.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/rect_arithmetic.h"

namespace zeb::quickdraw {
namespace {

// Entries of QDProcs.
constexpr int kCommentProc = 9;
constexpr int kPutPicProc = 12;

using PutPicProc = void(ZEBAPI*)(const void*, short);
using CommentProc = void(ZEBAPI*)(short, short, Handle);

// StdPutPic takes a 16-bit count: longer opcodes go through it in pieces.
constexpr size_t kLargestPut = 0x4000;

void* Installed(GrafPtr port, int index, void* standard) {
  if (!port || !port->grafProcs) return nullptr;
  void* p = reinterpret_cast<void**>(port->grafProcs)[index];
  return p && p != standard ? p : nullptr;
}

// The bytes of the recorder go to the current port's put-picture bottleneck.
struct PortSink : pict::PictSink {
  void Put(const uint8_t* data, size_t count) override {
    GrafPtr port = CurrentPort();
    auto proc = reinterpret_cast<PutPicProc>(
        Installed(port, kPutPicProc, reinterpret_cast<void*>(&StdPutPic)));
    while (count > 0) {
      const size_t piece = count < kLargestPut ? count : kLargestPut;
      if (proc) proc(data, static_cast<short>(piece));
      else StdPutPic(data, static_cast<short>(piece));
      data += piece;
      count -= piece;
    }
  }
};

// One open recording: the picture, the port's picture before it (a recording opened on a port
// that had one resumes it at ClosePicture), and the state of the recording it interrupted.
struct OpenRecording {
  Handle picture;
  GrafPtr port;
  Handle outerPicture;
  pict::RecordingState outerState;
};

struct RecordingSession {
  PortSink sink;
  pict::PictRecorder recorder{sink};
  std::vector<OpenRecording> open;
  std::vector<Handle> failed;  // pictures that could not grow: they stay empty
  Handle scrap = nullptr;
};

RecordingSession& Session() {
  static RecordingSession* session = new RecordingSession;
  return *session;
}

bool IsFailed(Handle h) {
  for (Handle f : Session().failed)
    if (f == h) return true;
  return false;
}

void Forget(Handle h) {
  auto& failed = Session().failed;
  for (size_t i = 0; i < failed.size(); ++i)
    if (failed[i] == h) {
      failed.erase(failed.begin() + static_cast<ptrdiff_t>(i));
      break;
    }
}

// picSize and picFrame, in the host's byte order.
void WriteHead(Handle h, int32_t size, const Rect& frame) {
  Picture* p = reinterpret_cast<Picture*>(*h);
  p->picSize = static_cast<short>(size & 0xFFFF);
  p->picFrame = frame;
}

Rgb16 PortRgb(const RGBColor& c) { return Rgb16{c.red, c.green, c.blue}; }

pict::PatternValue PatternOf(GrafPtr port, PatternRole role) {
  pict::PatternValue v;
  PixPatHandle pp = nullptr;
  PatternBytes(port, role, v.bytes, &pp);
  // A full pixel pattern is written whole; its 8-byte form stands in for it on black-and-white
  // devices.
  if (pp && *pp && (*pp)->patType != 0) EncodePixelPattern(pp, v.pixPatData);
  return v;
}

Rect ClipBox(GrafPtr port) {
  if (!port->clipRgn || !*port->clipRgn) return kEmptyRect;
  return (*port->clipRgn)->rgnBBox;
}

// State opcodes every drawing opcode needs first, then the verb's.
void SyncForDrawing(GrafPtr port, int verb) {
  pict::PictRecorder& rec = Session().recorder;
  if (IsColourPort(port)) {
    const CGrafPort* c = AsColour(port);
    rec.SyncRgb(PortRgb(c->rgbFgColor), PortRgb(c->rgbBkColor));
  }
  rec.SyncOrigin(Point{port->portRect.top, port->portRect.left});
  rec.SyncClip(ClipBox(port));
  if (verb < 0) return;
  const pict::PatternValue pen = PatternOf(port, PatternRole::Pen);
  const pict::PatternValue back = verb == pict::kErase ? PatternOf(port, PatternRole::Back)
                                                       : pict::PatternValue{};
  const pict::PatternValue fill = verb == pict::kFill ? PatternOf(port, PatternRole::Fill)
                                                      : pict::PatternValue{};
  rec.SyncVerb(verb, pict::PenState{port->pnSize, port->pnMode, &pen}, back, fill);
}

// Whether the port's picture takes opcodes: not the scrap picture, and not while nothing is open.
bool Records(GrafPtr port) {
  return port && port->picSave && port->picSave != Session().scrap && !Session().open.empty();
}

PicHandle Open(const Rect& frame, bool extended, const Rect& srcRect, Fixed hRes, Fixed vRes) {
  GrafPtr port = CurrentPort();
  if (!port) return nullptr;
  Handle h = NewHandle(static_cast<Size>(pict::kHeaderBytes));
  if (!h) {
    SetQDError(memFullErr);
    return nullptr;
  }
  WriteHead(h, static_cast<int32_t>(pict::kHeaderBytes), frame);
  RecordingSession& s = Session();
  s.open.push_back(OpenRecording{h, port, port->picSave, s.recorder.State()});
  s.recorder.SetState(pict::RecordingState{});
  pict::RecordingState& state = s.recorder.State();
  state.origin = Point{port->portRect.top, port->portRect.left};
  port->picSave = h;
  SetQDError(noErr);
  if (extended) s.recorder.WriteExtendedHeader(srcRect, hRes, vRes);
  else s.recorder.WriteHeader(frame);
  HidePen();
  return reinterpret_cast<PicHandle>(h);
}

// The scrap DIB's parts: BITMAPINFOHEADER after the picture's 10 bytes, the colours, the rows.
struct ScrapLayout {
  BITMAPINFOHEADER* header;
  uint8_t* bits;
};
bool ScrapParts(Handle h, ScrapLayout& out) {
  const long size = memory::LiveHandleSize(h);
  if (size < static_cast<long>(pict::kHeaderBytes + sizeof(BITMAPINFOHEADER))) return false;
  out.header = reinterpret_cast<BITMAPINFOHEADER*>(*h + pict::kHeaderBytes);
  const size_t colours = out.header->biBitCount == 8 ? 256 * sizeof(RGBQUAD) : 0;
  const size_t at = pict::kHeaderBytes + sizeof(BITMAPINFOHEADER) + colours;
  if (at + out.header->biSizeImage > static_cast<size_t>(size)) return false;
  out.bits = reinterpret_cast<uint8_t*>(*h) + at;
  return true;
}

}  // namespace

bool IsRecordingPicture(Handle h) {
  for (const OpenRecording& r : Session().open)
    if (r.picture == h) return true;
  return false;
}

void RecordLine(GrafPtr port, Point from, Point to) {
  if (!Records(port)) return;
  SyncForDrawing(port, pict::kFrame);
  Session().recorder.Line(from, to);
}

void RecordClassicColour(GrafPtr port, uint16_t opcode, long colour) {
  if (!Records(port)) return;
  pict::PictRecorder& rec = Session().recorder;
  rec.ClassicColour(opcode, static_cast<int32_t>(colour));
  // On a colour port the classic colour sets the RGB colour too, and playing 0x0E or 0x0F back
  // does the same: no RGB opcode is needed for it.
  if (IsColourPort(port))
    if (const ClassicColour* c = LookupClassicColour(static_cast<int32_t>(colour))) {
      if (opcode == pict::kFgColor) rec.State().rgbFore = c->rgb;
      else rec.State().rgbBack = c->rgb;
    }
}

void RecordRgbColour(GrafPtr port, uint16_t opcode, const RGBColor& colour) {
  if (!Records(port)) return;
  Session().recorder.RgbColour(opcode, PortRgb(colour));
}

void RecordShape(GrafPtr port, uint16_t opcodeBase, int16_t verb, const Rect& r, int16_t a,
                 int16_t b) {
  if (!Records(port)) return;
  SyncForDrawing(port, verb);
  Session().recorder.Shape(opcodeBase, verb, r, a, b);
}

void RecordPolygon(GrafPtr port, int16_t verb, PolyHandle poly) {
  if (!Records(port) || !poly || !*poly) return;
  const long size = memory::LiveHandleSize(reinterpret_cast<Handle>(poly));
  if (size < 10) return;
  const auto* bytes = reinterpret_cast<const uint8_t*>(*poly);
  int16_t polySize;
  std::memcpy(&polySize, bytes, 2);
  const long used = polySize < 10 ? 10 : (polySize > size ? size : polySize);
  std::vector<Point> points(static_cast<size_t>((used - 10) / 4));
  if (!points.empty()) std::memcpy(points.data(), bytes + 10, points.size() * sizeof(Point));
  Rect box;
  std::memcpy(&box, bytes + 2, sizeof box);
  SyncForDrawing(port, verb);
  Session().recorder.Polygon(verb, box, points.data(), points.size());
}

void RecordRegion(GrafPtr port, int16_t verb, RgnHandle rgn) {
  if (!Records(port) || !rgn || !*rgn) return;
  SyncForDrawing(port, verb);
  Session().recorder.Region(verb, (*rgn)->rgnBBox);
}

void RecordText(GrafPtr port, const void* text, int16_t count) {
  if (!Records(port) || !text || count <= 0) return;
  SyncForDrawing(port, -1);
  pict::TextState t;
  t.font = port->txFont;
  t.face = static_cast<uint8_t>(port->txFace);
  t.mode = port->txMode;
  t.size = port->txSize;
  t.spExtra = port->spExtra;
  Str255 name = {0};
  GetFontName(port->txFont, name);
  t.fontName = name;
  pict::PictRecorder& rec = Session().recorder;
  rec.SyncText(t);
  // A text opcode holds at most 255 bytes: longer text goes in pieces, each at the pen
  // location the pieces before it leave.
  const auto* bytes = static_cast<const uint8_t*>(text);
  Point at = port->pnLoc;
  int done = 0;
  while (done < count) {
    const int piece = count - done > 255 ? 255 : count - done;
    rec.Text(at, bytes + done, piece);
    done += piece;
    if (done < count)
      at.h = static_cast<short>(at.h + TextWidth(bytes, static_cast<short>(done - piece),
                                                 static_cast<short>(piece)));
  }
}

void RecordBitsTransfer(GrafPtr port, const BitMap* srcBits, const Rect& srcRect,
                        const Rect& dstRect, int16_t mode, RgnHandle maskRgn) {
  (void)maskRgn;  // the region forms are never written
  if (port && port->picSave && port->picSave == Session().scrap) {
    WriteBitsIntoScrapPicture(srcBits, srcRect, dstRect, mode);
    return;
  }
  if (!Records(port)) return;
  pict::BitsSource image;
  std::vector<uint8_t> rows;
  if (!ImageForRecording(srcBits, srcRect, image, rows)) return;
  SyncForDrawing(port, -1);
  Session().recorder.Bits(image, srcRect, dstRect, mode);
}

bool WriteBitsIntoScrapPicture(const BitMap* srcBits, const Rect& srcRect, const Rect& dstRect,
                               int16_t mode) {
  (void)mode;  // the scrap takes the pixels as they are
  RecordingSession& s = Session();
  GrafPtr port = CurrentPort();
  if (!s.scrap || !port || port->picSave != s.scrap) return false;
  ScrapLayout scrap;
  if (!ScrapParts(s.scrap, scrap)) return true;
  std::vector<uint8_t> dib;
  Rect bounds;
  if (BitImageToPackedDIB(srcBits, dib, bounds, false) != noErr || dib.empty()) return true;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
  const BITMAPINFOHEADER& h = info->bmiHeader;
  size_t colours = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? (1u << h.biBitCount) : 0);
  if (h.biCompression == BI_BITFIELDS) colours = 3;
  const uint8_t* srcRows = dib.data() + h.biSize + colours * sizeof(RGBQUAD);
  // The scrap's DIB as a DIB section, the transfer stretched into it, the bits copied back.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  void* sectionBits = nullptr;
  std::vector<uint8_t> scrapInfo(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  std::memcpy(scrapInfo.data(), scrap.header,
              sizeof(BITMAPINFOHEADER) + (scrap.header->biBitCount == 8 ? 256 * sizeof(RGBQUAD) : 0));
  HBITMAP section = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(scrapInfo.data()),
                                     DIB_RGB_COLORS, &sectionBits, nullptr, 0);
  if (section && sectionBits) {
    std::memcpy(sectionBits, scrap.bits, scrap.header->biSizeImage);
    HGDIOBJ old = SelectObject(dc, section);
    const Picture* pic = reinterpret_cast<const Picture*>(*s.scrap);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, dstRect.left - pic->picFrame.left, dstRect.top - pic->picFrame.top,
                  dstRect.right - dstRect.left, dstRect.bottom - dstRect.top,
                  srcRect.left - bounds.left, bounds.bottom - srcRect.bottom,
                  srcRect.right - srcRect.left, srcRect.bottom - srcRect.top, srcRows, info,
                  DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    std::memcpy(scrap.bits, sectionBits, scrap.header->biSizeImage);
    SelectObject(dc, old);
  }
  if (section) DeleteObject(section);
  DeleteDC(dc);
  return true;
}

}  // namespace zeb::quickdraw

using namespace zeb;
using namespace zeb::quickdraw;

extern "C" {

PicHandle ZEBAPI OpenPicture(const Rect* picFrame) {
  if (!picFrame) return nullptr;
  return Open(*picFrame, false, *picFrame, pict::kStandardResolution, pict::kStandardResolution);
}

PicHandle ZEBAPI OpenCPicture(const OpenCPicParams* params) {
  if (!params) return nullptr;
  // picFrame is the source rectangle at 72 dpi, as DrawPicture maps it; the header keeps the
  // rectangle at the picture's own resolution, which the opcodes' coordinates use.
  Rect frame = params->srcRect;
  const Fixed hRes = params->hRes > 0 ? params->hRes : pict::kStandardResolution;
  const Fixed vRes = params->vRes > 0 ? params->vRes : pict::kStandardResolution;
  auto at72 = [](short v, Fixed res) {
    return static_cast<short>(static_cast<int64_t>(v) * pict::kStandardResolution / res);
  };
  frame = {at72(frame.top, vRes), at72(frame.left, hRes), at72(frame.bottom, vRes),
           at72(frame.right, hRes)};
  return Open(frame, true, params->srcRect, hRes, vRes);
}

void ZEBAPI ClosePicture(void) {
  GrafPtr port = CurrentPort();
  RecordingSession& s = Session();
  if (!port || !port->picSave) return;
  if (port->picSave == s.scrap) {
    s.scrap = nullptr;
    port->picSave = nullptr;
    ShowPen();
    return;
  }
  // The recording that belongs to this port and picture; with none, nothing is open here.
  size_t index = s.open.size();
  for (size_t i = s.open.size(); i-- > 0;)
    if (s.open[i].picture == port->picSave && s.open[i].port == port) {
      index = i;
      break;
    }
  if (index == s.open.size()) return;
  Handle h = port->picSave;
  const long size = GetHandleSize(h);
  s.recorder.WriteEnd(size > 0 && (size & 1));
  OpenRecording done = s.open[index];
  s.open.erase(s.open.begin() + static_cast<ptrdiff_t>(index));
  s.recorder.SetState(done.outerState);
  port->picSave = done.outerPicture;
  Forget(h);
  ShowPen();
}

void ZEBAPI KillPicture(PicHandle myPicture) {
  if (!myPicture) return;
  Handle h = reinterpret_cast<Handle>(myPicture);
  RecordingSession& s = Session();
  // A picture still being recorded leaves its port first, so that no drawing writes into the
  // freed block.
  for (size_t i = s.open.size(); i-- > 0;) {
    if (s.open[i].picture != h) continue;
    if (s.open[i].port && IsOpenPort(s.open[i].port) && s.open[i].port->picSave == h)
      s.open[i].port->picSave = s.open[i].outerPicture;
    s.recorder.SetState(s.open[i].outerState);
    s.open.erase(s.open.begin() + static_cast<ptrdiff_t>(i));
  }
  if (h == s.scrap) {
    GrafPtr port = CurrentPort();
    if (port && port->picSave == h) port->picSave = nullptr;
    s.scrap = nullptr;
  }
  Forget(h);
  DisposeHandle(h);
}

void ZEBAPI StdPutPic(const void* dataPtr, short byteCount) {
  GrafPtr port = CurrentPort();
  if (!port || !port->picSave || !dataPtr || byteCount <= 0) return;
  Handle h = port->picSave;
  if (h == Session().scrap || IsFailed(h)) return;
  const long size = memory::LiveHandleSize(h);
  if (size < static_cast<long>(pict::kHeaderBytes)) return;
  const long grown = size + byteCount;
  SetHandleSize(h, grown);
  if (MemError() != noErr) {
    // The picture would lack what it could not take: it is emptied, and stays empty.
    EmptyHandle(h);
    Session().failed.push_back(h);
    SetQDError(memFullErr);
    return;
  }
  std::memcpy(*h + size, dataPtr, static_cast<size_t>(byteCount));
  reinterpret_cast<Picture*>(*h)->picSize = static_cast<short>(grown & 0xFFFF);
  // Above 32767 bytes the full size goes over OpenPicture's -1 version long at offset 16; an
  // extended header keeps its 0xFFFE version there.
  constexpr long kSizeAt = 16;
  if (grown > 0x7FFF && grown >= kSizeAt + 4) {
    auto* bytes = reinterpret_cast<uint8_t*>(*h);
    if (pict::GetU16(bytes + 10) == pict::kVersion && pict::GetU16(bytes + 14) == pict::kHeaderOp &&
        pict::GetU16(bytes + kSizeAt) != pict::kExtendedVersion)
      pict::PutU32(bytes + kSizeAt, static_cast<uint32_t>(grown));
  }
}

void ZEBAPI PicComment(short kind, short dataSize, Handle dataHandle) {
  GrafPtr port = CurrentPort();
  if (!port) return;
  if (auto proc = reinterpret_cast<CommentProc>(
          Installed(port, kCommentProc, reinterpret_cast<void*>(&StdComment)))) {
    proc(kind, dataSize, dataHandle);
    return;
  }
  StdComment(kind, dataSize, dataHandle);
}

void ZEBAPI StdComment(short kind, short dataSize, Handle dataHandle) {
  GrafPtr port = CurrentPort();
  if (!port || dataSize < 0) return;
  const long held = dataHandle ? memory::LiveHandleSize(dataHandle) : 0;
  const short size = held < dataSize ? static_cast<short>(held < 0 ? 0 : held) : dataSize;
  const uint8_t* data = size > 0 ? reinterpret_cast<const uint8_t*>(*dataHandle) : nullptr;
  if (DrawingContext* ctx = Current())
    if (ctx->dc && GetDeviceCaps(ctx->dc, TECHNOLOGY) == DT_RASPRINTER && data)
      print::PrintingPictureComment(port, kind, data, size);
  if (!Records(port)) return;
  std::vector<uint8_t> bytes(data, data + size);
  // The comments whose data are 16-bit numbers are stored big-endian, as a Macintosh reads them;
  // only whole numbers within the size are turned.
  if (kind == 0 || kind == 4 || kind == 32 || kind == 50 || kind == 52)
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
  SyncForDrawing(port, -1);
  Session().recorder.Comment(kind, bytes.empty() ? nullptr : bytes.data(), size);
}

void ZEBAPI HiliteColor(const RGBColor* color) {
  GrafPtr port = CurrentPort();
  if (!port || !color || !IsColourPort(port)) return;
  GVarHandle vars = reinterpret_cast<GVarHandle>(AsColour(port)->grafVars);
  if (vars && *vars) (*vars)->rgbHiliteColor = *color;
  if (Records(port)) Session().recorder.HiliteColour(PortRgb(*color));
}

PicHandle ZEBAPI ZEB_OpenScrapPict(const Rect* r) {
  GrafPtr port = CurrentPort();
  if (!r || !port) return nullptr;
  const int64_t width = int64_t{r->right} - r->left, height = int64_t{r->bottom} - r->top;
  if (width < 1 || height < 1) return nullptr;
  HDC screen = State().screenDC ? State().screenDC : nullptr;
  HDC probe = screen ? screen : GetDC(nullptr);
  const bool palette = (GetDeviceCaps(probe, RASTERCAPS) & RC_PALETTE) &&
                       GetDeviceCaps(probe, BITSPIXEL) == 8;
  if (!screen) ReleaseDC(nullptr, probe);
  const int bits = palette ? 8 : 24;
  const int64_t rowBytes = ((width * (bits / 8)) + 3) / 4 * 4;
  const int64_t colours = palette ? 1024 : 0;
  const int64_t total = 10 + 40 + colours + rowBytes * height;
  if (total > 0x7FFFFFFF) return nullptr;
  Handle h = NewHandleClear(static_cast<Size>(total));
  if (!h) return nullptr;
  WriteHead(h, static_cast<int32_t>(total),
            Rect{0, 0, static_cast<short>(height), static_cast<short>(width)});
  auto* info = reinterpret_cast<BITMAPINFOHEADER*>(*h + pict::kHeaderBytes);
  info->biSize = sizeof(BITMAPINFOHEADER);
  info->biWidth = static_cast<LONG>(width);
  info->biHeight = static_cast<LONG>(height);
  info->biPlanes = 1;
  info->biBitCount = static_cast<WORD>(bits);
  info->biCompression = BI_RGB;
  info->biSizeImage = static_cast<DWORD>(rowBytes * height);
  // 2800 pixels per metre: 72 dots per inch.
  info->biXPelsPerMeter = info->biYPelsPerMeter = 2800;
  if (palette) {
    PALETTEENTRY entries[256] = {};
    GetSystemPaletteEntries(probe == screen ? screen : nullptr, 0, 256, entries);
    auto* quads = reinterpret_cast<RGBQUAD*>(info + 1);
    for (int i = 0; i < 256; ++i)
      quads[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  }
  Session().scrap = h;
  port->picSave = h;
  HidePen();
  return reinterpret_cast<PicHandle>(h);
}

}  // extern "C"
