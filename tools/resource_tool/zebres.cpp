// zebres: the porters' resource tool. Lists resource files, converts the forms in which
// resource forks come from the Macintosh (AppleDouble, AppleSingle, MacBinary) to plain
// resource files, extracts and adds single resources, and builds resource files from a text
// description. list and extract read the fork inside those forms directly. Every failure prints a message and exits non-zero; a file is written only
// once it is complete.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/fork_containers.h"
#include "resources/resource_description.h"
#include "resources/resource_image.h"
#include "resources/resource_map.h"
#include "rez_commands.h"

namespace {

using namespace zeb::resfmt;

constexpr char kUsage[] =
      "usage: zebres list FILE                     FILE: a resource file, or an AppleDouble,\n"
      "                                            AppleSingle or MacBinary file holding one\n"
      "       zebres convert INPUT OUTPUT          AppleDouble, AppleSingle or MacBinary to a\n"
      "                                            plain resource file\n"
      "       zebres extract FILE TYPE ID OUTPUT   one resource's data, as stored (compressed\n"
      "                                            data stays compressed)\n"
      "       zebres add FILE TYPE ID DATA [name NAME] [attrs N]\n"
      "                                            adds or replaces a resource (FILE, a plain\n"
      "                                            resource file, is created when missing)\n"
      "       zebres build DESCRIPTION OUTPUT      a resource file from a text description\n"
      "       zebres rez [-I DIR] [-D NAME[=VALUE]] [-o OUTPUT] SOURCE.r...\n"
      "                                            a resource file from resource sources\n"
      "       zebres derez [-I DIR] FILE [DECLARATIONS.r] [TYPE[(IDS)]]\n"
      "                                            resource sources from a resource file\n"
      "       zebres --help                        this text\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "zebres: %s\n", message.c_str());
  return 1;
}

bool ReadWhole(const std::string& path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Written beside the target first, then renamed over it: a failed run never leaves a half
// written file in the target's place.
bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string temporary = path + ".zebres-tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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

// A plain resource file for the commands that write it back; containers too for the ones that
// only read (whatever a fork arrived in, the porter reads it without converting it first).
bool Load(const std::string& path, ResourceImage* image, std::string* error,
          bool containers = false) {
  std::vector<uint8_t> bytes;
  if (!ReadWhole(path, &bytes)) {
    *error = path + ": cannot read";
    return false;
  }
  if (containers) {
    std::vector<uint8_t> fork;
    Container kind;
    if (!ExtractResourceFork(bytes, &fork, &kind, error)) {
      *error = path + ": " + *error;
      return false;
    }
    bytes.swap(fork);
  }
  if (!ReadImage(bytes, image, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

int Save(const std::string& path, const ResourceImage& image) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!WriteImage(image, &bytes, &error)) return Fail(path + ": " + error);
  if (!WriteWhole(path, bytes)) return Fail(path + ": cannot write");
  return 0;
}

bool ParseId(const std::string& text, int16_t* id) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 0);
  if (text.empty() || *end || v < -32768 || v > 32767) return false;
  *id = static_cast<int16_t>(v);
  return true;
}

int List(const std::string& path) {
  ResourceImage image;
  std::string error;
  if (!Load(path, &image, &error, true)) return Fail(error);
  std::printf("%-6s %6s %8s %5s  %-10s  %s\n", "type", "id", "size", "attrs", "", "name");
  for (const ImageResource& r : image.resources) {
    const bool compressed = IsCompressedResource(
        r.attributes, r.data.data(), static_cast<uint32_t>(r.data.size()));
    std::printf("'%s' %6d %8zu  0x%02X  %-10s  %s\n", TypeText(r.type).c_str(), r.id,
                r.data.size(), r.attributes, compressed ? "compressed" : "",
                r.named ? ("\"" + r.name + "\"").c_str() : "");
  }
  std::printf("%zu resources\n", image.resources.size());
  return 0;
}

int Convert(const std::string& input, const std::string& output) {
  std::vector<uint8_t> bytes, fork;
  if (!ReadWhole(input, &bytes)) return Fail(input + ": cannot read");
  Container kind;
  std::string error;
  if (!ExtractResourceFork(bytes, &fork, &kind, &error)) return Fail(input + ": " + error);
  if (!WriteWhole(output, fork)) return Fail(output + ": cannot write");
  std::printf("%s: resource fork of %zu bytes from a %s file\n", output.c_str(), fork.size(),
              ContainerName(kind));
  return 0;
}

int Extract(const std::string& path, const std::string& typeText, const std::string& idText,
            const std::string& output) {
  uint32_t type;
  int16_t id;
  if (!ParseType(typeText, &type)) return Fail("a type has four characters: " + typeText);
  if (!ParseId(idText, &id)) return Fail("not a resource ID: " + idText);
  ResourceImage image;
  std::string error;
  if (!Load(path, &image, &error, true)) return Fail(error);
  for (const ImageResource& r : image.resources)
    if (r.type == type && r.id == id)
      return WriteWhole(output, r.data) ? 0 : Fail(output + ": cannot write");
  return Fail(path + ": no resource '" + TypeText(type) + "' " + idText);
}

int Add(const std::vector<std::string>& args) {
  const std::string& path = args[0];
  ImageResource r;
  if (!ParseType(args[1], &r.type)) return Fail("a type has four characters: " + args[1]);
  if (!ParseId(args[2], &r.id)) return Fail("not a resource ID: " + args[2]);
  if (!ReadWhole(args[3], &r.data)) return Fail(args[3] + ": cannot read");
  for (size_t i = 4; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return Fail("'" + args[i] + "' needs a value");
    if (args[i] == "name") {
      if (args[i + 1].size() > 255) return Fail("a name has at most 255 characters");
      r.named = true;
      r.name = args[i + 1];
    } else if (args[i] == "attrs") {
      char* end = nullptr;
      const long v = std::strtol(args[i + 1].c_str(), &end, 0);
      if (*end || v < 0 || v > 255) return Fail("attrs must be 0 to 255");
      r.attributes = static_cast<uint8_t>(v);
    } else {
      return Fail("unknown option " + args[i]);
    }
  }
  ResourceImage image;
  std::vector<uint8_t> existing;
  if (ReadWhole(path, &existing) && !existing.empty()) {
    std::string error;
    if (!ReadImage(existing, &image, &error)) {
      // Rewriting a container as a bare fork would lose its data fork and Finder information.
      std::vector<uint8_t> fork;
      Container kind;
      std::string ignored;
      if (ExtractResourceFork(existing, &fork, &kind, &ignored))
        return Fail(path + ": a " + std::string(ContainerName(kind)) +
                    " file; convert it to a resource file first");
      return Fail(path + ": " + error);
    }
  }
  bool replaced = false;
  for (ImageResource& old : image.resources)
    if (old.type == r.type && old.id == r.id) {
      old = r;
      replaced = true;
    }
  if (!replaced) image.resources.push_back(r);
  return Save(path, image);
}

int Build(const std::string& description, const std::string& output) {
  std::vector<uint8_t> text;
  if (!ReadWhole(description, &text)) return Fail(description + ": cannot read");
  ResourceImage image;
  std::string error;
  if (!ParseDescription(std::string(text.begin(), text.end()), &image, &error))
    return Fail(description + ": " + error);
  return Save(output, image);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string& command = args[0];
  if (args.size() == 1 && (command == "--help" || command == "-h" || command == "help")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "list" && rest.size() == 1) return List(rest[0]);
  if (command == "convert" && rest.size() == 2) return Convert(rest[0], rest[1]);
  if (command == "extract" && rest.size() == 4) return Extract(rest[0], rest[1], rest[2], rest[3]);
  if (command == "add" && rest.size() >= 4) return Add(rest);
  if (command == "build" && rest.size() == 2) return Build(rest[0], rest[1]);
  if (command == "rez") return RezCommand(rest);
  if (command == "derez") return DerezCommand(rest);
  return Usage();
}
