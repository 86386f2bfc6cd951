// The host of a real run: files through the C++ library, the process's environment, the local
// clock (or the fixed time of SOURCE_DATE_EPOCH, for builds that must come out the same each
// time), #printf to a stream of the caller's choice.
#ifndef ZEB_REZ_FILE_HOST_H
#define ZEB_REZ_FILE_HOST_H

#include <cstdio>
#include <string>
#include <vector>

#include "rez/session.h"

namespace zeb::rez {

class FileHost : public Host {
 public:
  explicit FileHost(std::FILE* printTo) : printTo_(printTo) {}
  bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) override;
  bool Environment(const std::string& name, std::string* value) override;
  std::tm LocalTime() override;
  void Print(const std::string& text) override;

 private:
  std::FILE* printTo_;
};

// Writes beside the target first and renames it over the target, so that a failed run never
// leaves a half-written file in its place.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace zeb::rez

#endif  // ZEB_REZ_FILE_HOST_H
