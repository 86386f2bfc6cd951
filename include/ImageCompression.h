/*
 * ImageCompression.h - the Image Compression Manager.
 */
#ifndef ZEB_IMAGECOMPRESSION_H
#define ZEB_IMAGECOMPRESSION_H

#include "Components.h"
#include "MacTypes.h"
#include "Quickdraw.h"

/* ---- Entry points present without their manager's work ----
 * There are no codecs: each call reports itself through DebugStr and returns 0 (noErr, or a
 * NIL instance for OpenStdCompression). SFPGetFilePreview answers as if the user had
 * cancelled (good false), so that the caller never acts on a file that nobody chose. */
typedef long ImageSequence;
typedef unsigned long CodecType;
typedef unsigned short CodecFlags;
typedef unsigned long CodecQ;
typedef Component CompressorComponent;
typedef Component CodecComponent;
typedef struct ImageDescription ImageDescription;
typedef ImageDescription* ImageDescriptionPtr;
typedef ImageDescriptionPtr* ImageDescriptionHandle;
typedef struct CodecInfo CodecInfo;
typedef struct CodecNameSpecList CodecNameSpecList;
typedef CodecNameSpecList* CodecNameSpecListPtr;
typedef struct ICMFlushProcRecord ICMFlushProcRecord;
typedef ICMFlushProcRecord* ICMFlushProcRecordPtr;
typedef struct ICMProgressProcRecord ICMProgressProcRecord;
typedef ICMProgressProcRecord* ICMProgressProcRecordPtr;
typedef struct ICMCompletionProcRecord ICMCompletionProcRecord;
typedef ICMCompletionProcRecord* ICMCompletionProcRecordPtr;
typedef struct SFReply SFReply;

ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) CompressSequenceBegin(ImageSequence* seqID, PixMapHandle src, PixMapHandle prev,
                                     const Rect* srcRect, const Rect* prevRect, short colorDepth,
                                     CodecType cType, CompressorComponent codec,
                                     CodecQ spatialQuality, CodecQ temporalQuality,
                                     long keyFrameRate, CTabHandle ctable, CodecFlags flags,
                                     ImageDescriptionHandle desc);
ZEB_API(OSErr) CompressSequenceFrame(ImageSequence seqID, PixMapHandle src, const Rect* srcRect,
                                     CodecFlags flags, Ptr data, long* dataSize,
                                     unsigned char* similarity,
                                     ICMCompletionProcRecordPtr asyncCompletionProc);
ZEB_API(OSErr) CDSequenceEnd(ImageSequence seqID);
ZEB_API(OSErr) DecompressImage(Ptr data, ImageDescriptionHandle desc, PixMapHandle dst,
                               const Rect* srcRect, const Rect* dstRect, short mode,
                               RgnHandle mask);
ZEB_API(OSErr) FCompressImage(PixMapHandle src, const Rect* srcRect, short colorDepth,
                              CodecQ quality, CodecType cType, CompressorComponent codec,
                              CTabHandle ctable, CodecFlags flags, long bufferSize,
                              ICMFlushProcRecordPtr flushProc,
                              ICMProgressProcRecordPtr progressProc, ImageDescriptionHandle desc,
                              Ptr data);
ZEB_API(OSErr) GetMaxCompressionSize(PixMapHandle src, const Rect* srcRect, short colorDepth,
                                     CodecQ quality, CodecType cType, CompressorComponent codec,
                                     long* size);
ZEB_API(OSErr) MakeFilePreview(short resRefNum, ICMProgressProcRecordPtr progress);
ZEB_API(OSErr) GetCodecNameList(CodecNameSpecListPtr* list, short showAll);
ZEB_API(OSErr) DisposeCodecNameList(CodecNameSpecListPtr list);
ZEB_API(OSErr) GetCodecInfo(CodecInfo* info, CodecType cType, CodecComponent codec);
ZEB_API(ComponentInstance) OpenStdCompression(void);
ZEB_API(void) SFPGetFilePreview(Point where, ConstStr255Param prompt, ProcPtr fileFilter,
                                short numTypes, const OSType* typeList, ProcPtr dlgHook,
                                SFReply* reply, short dlgID, ProcPtr filterProc);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_IMAGECOMPRESSION_H */
