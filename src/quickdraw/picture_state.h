// What the picture files share: the open recordings, the images a recording takes from
// CopyBits and pixel patterns, and the interpreter's entry for dialog items.
#ifndef ZEB_QUICKDRAW_PICTURE_STATE_H
#define ZEB_QUICKDRAW_PICTURE_STATE_H

#include <cstdint>
#include <vector>

#include "Quickdraw.h"
#include "quickdraw/pict_writer.h"

namespace zeb::quickdraw {

// Whether h is a picture being recorded now (on any port).
bool IsRecordingPicture(Handle h);
// The bytes of h that a DrawPicture begun now may read: the handle's size.
long PictureBytes(Handle h);

// A picture handle holding a Windows or enhanced metafile after its 10-byte header is played
// into dst (local coordinates of the port, frame mapped onto it) and true returned; false for
// a handle that holds no metafile.
struct DrawingContext;
bool DrawMetafilePicture(GrafPtr port, DrawingContext& ctx, Handle h, long size,
                         const Rect& frame, const Rect& dst);

// A full or RGB pixel pattern as the data of its opcode; empty when it cannot be written.
void EncodePixelPattern(PixPatHandle pattern, std::vector<uint8_t>& out);
// A CopyBits source (a bit map, a pixel map, a port's pixels) as Macintosh rows for the bits
// opcodes: one bit for bit maps, the indexed depth with its table, or 16 or 32 bits. The rows
// are held in `rows`. False when the source has no pixels to give.
bool ImageForRecording(const BitMap* srcBits, const Rect& srcRect, pict::BitsSource& image,
                       std::vector<uint8_t>& rows);

}  // namespace zeb::quickdraw

#endif  // ZEB_QUICKDRAW_PICTURE_STATE_H
