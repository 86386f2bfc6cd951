// Pictures: recording shapes and lines against drawing them; recording that grows a picture to
// 100 KB and to 1 MB (the time per byte must stay flat: growth never turns quadratic); and
// DrawPicture of a recorded scene against the same Toolbox calls made directly, against the
// bare GDI calls, and against PlayMetaFile of a Windows metafile of the same drawing.
#include "MacMemory.h"
#include "Quickdraw.h"
#include "ZEB.h"
#include "bench.h"

namespace zebbench {
namespace {

constexpr int kSize = kSurfaceSize;
constexpr int kShapesInScene = 100;

short At(long i) { return static_cast<short>((i * 37) % (kSize - 64)); }

// One step of the scene: a rectangle, an oval and a line, through the Toolbox.
void ToolboxStep(long i) {
  const Rect r = {At(i), At(i + 1), static_cast<short>(At(i) + 30), static_cast<short>(At(i + 1) + 40)};
  PaintRect(&r);
  FrameOval(&r);
  MoveT(At(i + 2), At(i + 3));
  LineT(At(i + 3), At(i + 2));
}

// The same step in GDI calls.
void HostStep(HDC dc, long i) {
  PatBlt(dc, At(i + 1), At(i), 40, 30, PATCOPY);
  Ellipse(dc, At(i + 1), At(i), At(i + 1) + 40, At(i) + 30);
  MoveToEx(dc, At(i + 2), At(i + 3), nullptr);
  LineTo(dc, At(i + 3), At(i + 2));
}

void Recording(HDC hostDC) {
  constexpr long n = 10000;
  const Rect frame = {0, 0, kSize, kSize};
  const double record = NanosecondsPerOp(n, [&](long count) {
    PicHandle pic = OpenPicture(&frame);
    for (long i = 0; i < count; ++i) ToolboxStep(i);
    ClosePicture();
    KillPicture(pic);
  });
  const double draw = NanosecondsPerOp(n, [](long count) {
    for (long i = 0; i < count; ++i) ToolboxStep(i);
  });
  Report("record rect, oval, line (vs drawing them)", record, draw);
  SelectObject(hostDC, GetStockObject(BLACK_BRUSH));
  SelectObject(hostDC, GetStockObject(BLACK_PEN));
  const double host = NanosecondsPerOp(n, [hostDC](long count) {
    for (long i = 0; i < count; ++i) HostStep(hostDC, i);
  });
  Report("record rect, oval, line (host: GDI drawing)", record, host);
}

// Bytes recorded per step: the rectangle, oval and line opcodes with their data.
void Growth() {
  const Rect frame = {0, 0, kSize, kSize};
  double perByte[2] = {};
  const long targets[2] = {100 * 1024, 1024 * 1024};
  for (int t = 0; t < 2; ++t) {
    long bytes = 0;
    const double perStep = NanosecondsPerOp(1, [&](long) {
      PicHandle pic = OpenPicture(&frame);
      long i = 0;
      while (GetHandleSize(reinterpret_cast<Handle>(pic)) < targets[t]) ToolboxStep(i++);
      ClosePicture();
      bytes = GetHandleSize(reinterpret_cast<Handle>(pic));
      KillPicture(pic);
    });
    perByte[t] = perStep / static_cast<double>(bytes);
  }
  Report("record, ns per byte: 1 MB (vs 100 KB)", perByte[1], perByte[0]);
}

void Playback(HDC hostDC) {
  constexpr long n = 200;
  const Rect frame = {0, 0, kSize, kSize};
  PicHandle pic = OpenPicture(&frame);
  for (long i = 0; i < kShapesInScene; ++i) ToolboxStep(i);
  ClosePicture();
  const double replay = NanosecondsPerOp(n, [&](long count) {
    for (long i = 0; i < count; ++i) DrawPicture(pic, &frame);
  });
  const double direct = NanosecondsPerOp(n, [](long count) {
    for (long k = 0; k < count; ++k)
      for (long i = 0; i < kShapesInScene; ++i) ToolboxStep(i);
  });
  Report("DrawPicture, 100 steps (vs the Toolbox calls)", replay, direct);
  SelectObject(hostDC, GetStockObject(BLACK_BRUSH));
  SelectObject(hostDC, GetStockObject(BLACK_PEN));
  const double host = NanosecondsPerOp(n, [hostDC](long count) {
    for (long k = 0; k < count; ++k)
      for (long i = 0; i < kShapesInScene; ++i) HostStep(hostDC, i);
  });
  Report("DrawPicture, 100 steps (host: GDI calls)", replay, host);
  // The same drawing as a Windows metafile, played by GDI.
  HDC mdc = CreateMetaFileA(nullptr);
  SelectObject(mdc, GetStockObject(BLACK_BRUSH));
  SelectObject(mdc, GetStockObject(BLACK_PEN));
  for (long i = 0; i < kShapesInScene; ++i) HostStep(mdc, i);
  HMETAFILE mf = CloseMetaFile(mdc);
  const double meta = NanosecondsPerOp(n, [hostDC, mf](long count) {
    for (long i = 0; i < count; ++i) PlayMetaFile(hostDC, mf);
  });
  Report("DrawPicture, 100 steps (host: PlayMetaFile)", replay, meta);
  // A picture handle holding that metafile, drawn through DrawPicture.
  const UINT bytes = GetMetaFileBitsEx(mf, 0, nullptr);
  Handle h = NewHandle(static_cast<Size>(10 + bytes));
  if (h) {
    (*reinterpret_cast<PicHandle>(h))->picSize = static_cast<short>((10 + bytes) & 0xFFFF);
    (*reinterpret_cast<PicHandle>(h))->picFrame = frame;
    GetMetaFileBitsEx(mf, bytes, *h + 10);
    const double metaPicture = NanosecondsPerOp(n, [&](long count) {
      for (long i = 0; i < count; ++i) DrawPicture(reinterpret_cast<PicHandle>(h), &frame);
    });
    Report("DrawPicture of a metafile handle (host: PlayMetaFile)", metaPicture, meta);
    DisposeHandle(h);
  }
  DeleteMetaFile(mf);
  KillPicture(pic);
}

}  // namespace

void RunPictureBenchmarks() {
  GrafPtr screen = nullptr;
  InitGraf(&screen);
  ZEB_QDInitTestScreen();
  Surface library, host;
  CGrafPort port{};
  OpenPortForHDC(&port, library.dc);
  PortSize(kSize, kSize);
  Recording(host.dc);
  Growth();
  Playback(host.dc);
  CloseCPort(&port);
}

}  // namespace zebbench
