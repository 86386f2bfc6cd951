// Files, environment and clock of the machine the tool runs on.
#include "rez/file_host.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>

namespace zeb::rez {

bool FileHost::ReadFile(const std::string& path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool FileHost::Environment(const std::string& name, std::string* value) {
  const char* v = std::getenv(name.c_str());
  if (!v) return false;
  *value = v;
  return true;
}

std::tm FileHost::LocalTime() {
  std::time_t now = std::time(nullptr);
  const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
  std::tm result{};
  if (fixed && *fixed) {
    now = static_cast<std::time_t>(std::strtoll(fixed, nullptr, 10));
    if (const std::tm* t = std::gmtime(&now)) result = *t;
  } else if (const std::tm* t = std::localtime(&now)) {
    result = *t;
  }
  return result;
}

// A source's \n is the Macintosh's return; printed here it ends a line of this host.
void FileHost::Print(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c == '\r') c = '\n';
  std::fwrite(line.data(), 1, line.size(), printTo_);
  std::fflush(printTo_);
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".zebres-tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace zeb::rez
