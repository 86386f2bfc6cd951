// The application-file list: the documents named on the command line, parsed from the session's
// document list and packed into the handle that CountAppFiles and GetAppFiles read.
// Host-independent.
#ifndef ZEB_FRAME_APP_FILES_H
#define ZEB_FRAME_APP_FILES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zeb::frame {

// The document list, split at commas. Each token loses its surrounding blanks and then one pair
// of enclosing double quotes, so that "a.txt, /p" prints a.txt and a quoted path with blanks
// names one document; empty tokens name nothing. A token "/p" (any case) asks for printing.
struct DocumentList {
  bool print = false;
  std::vector<std::string> names;
};
DocumentList ParseDocumentList(std::string_view text);

// A drive letter with ":\" or two leading backslashes: the name is not put behind the document
// directory.
bool IsAbsoluteHostPath(std::string_view name);
// The document directory with a trailing backslash (an empty one stays empty).
std::string DirectoryWithSeparator(std::string_view directory);

// The packed list: message (16 bits: 0 open, 1 print), count (16 bits), then per document its
// volume reference (16 bits), file type (32 bits, at the next four-byte boundary of the list),
// version (16 bits, 0) and length-prefixed name; the next entry starts at the next even offset.
constexpr size_t kAppFileHeaderBytes = 4;
constexpr int16_t kAppFilesOpen = 0;   // appOpen
constexpr int16_t kAppFilesPrint = 1;  // appPrint
// What a document can take at most beyond its name's length: two bytes of alignment before the
// type, the three fixed fields, the length byte and one byte rounding to an even offset.
constexpr size_t kAppFileEntryOverhead = 12;
// The size of the list for these documents: the header, and per document its name, the
// directory (for names that are not absolute), the entry overhead and two bytes of rounding.
size_t AppFileListCapacity(const DocumentList& documents, size_t directoryLength);

struct AppFileEntry {
  int16_t vRefNum = 0;
  uint32_t fType = 0;
  int16_t version = 0;
  const uint8_t* name = nullptr;  // length-prefixed, inside the list
};

void WriteAppFileHeader(uint8_t* list, int16_t message, int16_t count);
// Appends one entry at offset (an even offset past the header); the offset of the next entry,
// or 0 when the entry does not fit in capacity (nothing is written then). The name is
// length-prefixed.
size_t AppendAppFileEntry(uint8_t* list, size_t capacity, size_t offset, int16_t vRefNum,
                          uint32_t fType, const uint8_t* name);
// The header of a list of size bytes; false when the list is shorter than its header.
bool ReadAppFileHeader(const uint8_t* list, size_t size, int16_t* message, int16_t* count);
// The index-th entry (from 1). False for an index outside 1..count, or when the walk would
// leave the list's size bytes: a list damaged in memory is never read past its end.
bool FindAppFileEntry(const uint8_t* list, size_t size, int index, AppFileEntry* entry);

}  // namespace zeb::frame

#endif  // ZEB_FRAME_APP_FILES_H
