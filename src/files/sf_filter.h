// Standard File's filter list: the application's extension table and a list of file types
// turned into the host dialog's (description, pattern) pairs, and the name rules that follow
// the chosen filter. Host-independent.
#ifndef ZEB_FILES_SF_FILTER_H
#define ZEB_FILES_SF_FILTER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "MacTypes.h"

namespace zeb::files {

// The application's table (ZEB_Set_MacWin): 40-byte entries of file type (4 bytes), extension
// (3 characters, not terminated) and a zero-terminated description filling the rest of the
// entry; a type of 0 ends it. entries bounds how many entries may be read: the application's
// own table is read up to its zero type, a table from elsewhere up to its size.
constexpr size_t kTypeEntryBytes = 40;
constexpr size_t kTypeEntryExtensionAt = 4;
constexpr size_t kTypeEntryDescriptionAt = 7;
struct TypeTableView {
  const uint8_t* bytes = nullptr;
  size_t entries = 0;
};

struct FilterPair {
  std::string description;
  std::string pattern;
  OSType type = 0;                      // 0 for the combined and the all-files pairs
  std::vector<std::string> extensions;  // one per table entry behind the pair, in table order
};

struct FilterList {
  std::vector<FilterPair> pairs;
  int selected = 0;    // 1-based, 0 for none
  std::string buffer;  // every pair as two zero-terminated strings, then an empty string
  // The first extension of a pair (1-based index), empty when it has none.
  std::string_view FirstExtension(int index) const;
};

struct FilterTexts {
  std::string_view allFiles;  // string 1028, " (*.*)" is appended
  std::string_view allTypes;  // string 1034, the combined pair
};

// numTypes -1 (or any negative count, or no type list) offers every file; otherwise one pair
// per listed type that the table describes. selected is the list position (from 0) whose pair
// is selected first, -1 for none: then two or more pairs get the combined pair unless
// allFilesOption adds the all-files pair instead.
FilterList BuildFilterList(const TypeTableView& table, int numTypes, const OSType* types,
                           int selected, bool allFilesOption, const FilterTexts& texts);

// The extension of a name: what follows its last '.', empty when it has none.
std::string_view NameExtension(std::string_view name);
// A saved name under a filter: a name without an extension, or ending in '.', gets the
// extension ("Report" and "Report." both become "Report.TXT"); others stay as they are.
std::string NameWithExtension(std::string_view name, std::string_view extension);
// The name with its extension replaced ("Report.DOC" to "Report.TXT", "Report" to "Report.TXT").
std::string NameWithReplacedExtension(std::string_view name, std::string_view extension);
// The pair (1-based) one of whose extensions is the name's, without regard to case; 0 for none.
int FilterOfName(const FilterList& list, std::string_view name);

// A host path split after its last '\' or ':' (the directory keeps its separator).
void SplitHostPath(std::string_view path, std::string* directory, std::string* name);

// The host's multiple selection in the explorer style: names separated by zero bytes, ending in
// two. The separators become blanks, within size bytes; the text stays terminated.
void JoinSelectedNames(char* buffer, size_t size);

}  // namespace zeb::files

#endif  // ZEB_FILES_SF_FILTER_H
