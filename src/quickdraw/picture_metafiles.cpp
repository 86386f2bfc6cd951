// Picture handles that hold a Windows metafile: played into the destination rectangle on the
// port's DC, clipped to it. Windows programs put metafiles where a Macintosh program expects a
// picture (the clipboard's metafile pictures), and a ported program draws them as it draws its
// own pictures.
#include <windows.h>

#include "quickdraw/pict_format.h"
#include "quickdraw/picture_state.h"
#include "quickdraw/quickdraw_state.h"
#include "quickdraw/shape_drawing.h"

namespace zeb::quickdraw {

bool DrawMetafilePicture(GrafPtr port, DrawingContext& ctx, Handle h, long size,
                         const Rect& frame, const Rect& dst) {
  if (!h || !*h || size < static_cast<long>(pict::kHeaderBytes)) return false;
  const auto* body = reinterpret_cast<const uint8_t*>(*h) + pict::kHeaderBytes;
  const pict::MetafileBody mf =
      pict::ClassifyMetafile(body, static_cast<size_t>(size) - pict::kHeaderBytes);
  if (mf.kind == pict::MetafileKind::kNone) return false;
  if (!MayDraw(port, ctx)) return true;
  const RECT d = ToDeviceRect(ctx, dst);
  if (d.right <= d.left || d.bottom <= d.top) return true;
  HDC dc = ctx.dc;
  const int saved = SaveDC(dc);
  if (saved == 0) return true;
  IntersectClipRect(dc, d.left, d.top, d.right, d.bottom);
  if (mf.kind == pict::MetafileKind::kWindows) {
    if (HMETAFILE meta = SetMetaFileBitsEx(static_cast<UINT>(mf.bytes), body)) {
      // The metafile's coordinates are the picture frame's, mapped onto the destination; a
      // metafile that sets its own window origin and extent overrides the frame.
      SetMapMode(dc, MM_ANISOTROPIC);
      SetWindowOrgEx(dc, frame.left, frame.top, nullptr);
      SetWindowExtEx(dc, frame.right - frame.left, frame.bottom - frame.top, nullptr);
      SetViewportOrgEx(dc, d.left, d.top, nullptr);
      SetViewportExtEx(dc, d.right - d.left, d.bottom - d.top, nullptr);
      PlayMetaFile(dc, meta);
      DeleteMetaFile(meta);
    }
  } else if (HENHMETAFILE meta = SetEnhMetaFileBits(static_cast<UINT>(mf.bytes), body)) {
    // An enhanced metafile scales itself from its own frame to the rectangle.
    PlayEnhMetaFile(dc, meta, &d);
    DeleteEnhMetaFile(meta);
  }
  // The DC's objects, colours, modes and clip come back as the port had selected them.
  RestoreDC(dc, saved);
  return true;
}

}  // namespace zeb::quickdraw
