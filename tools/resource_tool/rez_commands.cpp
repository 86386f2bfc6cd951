// The rez and derez commands: argument handling around the compiler and decompiler. Every
// failure prints a message and exits non-zero; an output file is written only once complete.
#include "rez_commands.h"

#include <cstdio>

#include "resources/fork_containers.h"
#include "resources/resource_image.h"
#include "rez/file_host.h"
#include "rez/rez.h"

namespace {

using namespace zeb;

int Fail(const std::string& message) {
  std::fprintf(stderr, "zebres: %s\n", message.c_str());
  return 1;
}

int Usage(const char* text) {
  std::fputs(text, stderr);
  return 2;
}

const char kRezUsage[] =
    "usage: zebres rez [-I dir]... [-D name[=value]]... [-o out.rsr] [--depfile file] file.r...\n"
    "       compiles resource sources into a resource file (Rez.Out unless -o names one)\n";
const char kDerezUsage[] =
    "usage: zebres derez [-I dir]... [-D name[=value]]... [-o out.r] file [declarations.r]...\n"
    "                    [type[(id | id:id | \"name\")]]...\n"
    "       writes a resource file as resource source, reading its types with the declarations\n"
    "       given (Types.r and SysTypes.r unless a .r file is named)\n";

// The options both commands share; false when one is malformed. Takes "-I dir" and "-Idir", and
// the Macintosh's own spellings -i and -d.
bool SharedOption(const std::vector<std::string>& args, size_t* i, rez::RezOptions* options, bool* handled) {
  const std::string& a = args[*i];
  *handled = false;
  if (a.size() < 2 || a[0] != '-') return true;
  const char letter = a[1];
  if (letter != 'I' && letter != 'i' && letter != 'D' && letter != 'd') return true;
  *handled = true;
  std::string value = a.substr(2);
  if (value.empty()) {
    if (*i + 1 >= args.size()) return false;
    value = args[++*i];
  }
  if (letter == 'I' || letter == 'i') {
    options->includeDirs.push_back(value);
    return true;
  }
  const size_t equals = value.find('=');
  options->defines.emplace_back(value.substr(0, equals),
                                equals == std::string::npos ? std::string() : value.substr(equals + 1));
  return !options->defines.back().first.empty();
}

std::string MakeEscaped(const std::string& path) {
  std::string escaped;
  for (char c : path) {
    if (c == ' ' || c == '#' || c == '\\') escaped += '\\';
    if (c == '$') escaped += '$';
    escaped += c;
  }
  return escaped;
}

}  // namespace

int RezCommand(const std::vector<std::string>& args) {
  rez::RezOptions options;
  std::string output = "Rez.Out", depfile;
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    bool handled = false;
    if (!SharedOption(args, &i, &options, &handled)) return Usage(kRezUsage);
    if (handled) continue;
    if (args[i] == "-o" || args[i] == "--depfile") {
      if (i + 1 >= args.size()) return Usage(kRezUsage);
      (args[i] == "-o" ? output : depfile) = args[i + 1];
      ++i;
    } else if (args[i] == "-h" || args[i] == "--help") {
      std::fputs(kRezUsage, stdout);
      return 0;
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      return Usage(kRezUsage);
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.empty()) return Usage(kRezUsage);
  rez::FileHost host(stdout);
  resfmt::ResourceImage image;
  std::string error;
  std::vector<std::string> dependencies;
  if (!rez::CompileRez(host, options, files, &image, &error, &dependencies)) return Fail(error);
  std::vector<uint8_t> bytes;
  if (!resfmt::WriteImage(image, &bytes, &error)) return Fail(output + ": " + error);
  if (!rez::WriteFileAtomically(output, std::string(bytes.begin(), bytes.end())))
    return Fail(output + ": cannot write");
  if (!depfile.empty()) {
    std::string rule = MakeEscaped(output) + ":";
    for (const std::string& d : dependencies) rule += " " + MakeEscaped(d);
    if (!rez::WriteFileAtomically(depfile, rule + "\n")) return Fail(depfile + ": cannot write");
  }
  return 0;
}

int DerezCommand(const std::vector<std::string>& args) {
  rez::DerezOptions options;
  std::string output, input;
  for (size_t i = 0; i < args.size(); ++i) {
    bool handled = false;
    if (!SharedOption(args, &i, &options.source, &handled)) return Usage(kDerezUsage);
    if (handled) continue;
    const std::string& a = args[i];
    if (a == "-o") {
      if (i + 1 >= args.size()) return Usage(kDerezUsage);
      output = args[++i];
    } else if (a == "-h" || a == "--help") {
      std::fputs(kDerezUsage, stdout);
      return 0;
    } else if (input.empty()) {
      input = a;
    } else if (a.size() > 2 && (a.compare(a.size() - 2, 2, ".r") == 0 || a.compare(a.size() - 2, 2, ".R") == 0)) {
      options.declarationFiles.push_back(a);
    } else {
      rez::ResourceSelector selector;
      if (!rez::ParseSelector(a, &selector)) return Fail("not a resource type or type(IDs): " + a);
      options.selectors.push_back(selector);
    }
  }
  if (input.empty()) return Usage(kDerezUsage);
  rez::FileHost host(stderr);
  std::vector<uint8_t> bytes, fork;
  if (!host.ReadFile(input, &bytes)) return Fail(input + ": cannot read");
  resfmt::Container kind;
  resfmt::ResourceImage image;
  std::string error;
  if (!resfmt::ExtractResourceFork(bytes, &fork, &kind, &error) || !resfmt::ReadImage(fork, &image, &error))
    return Fail(input + ": " + error);
  std::string source;
  if (!rez::DecompileRez(host, options, image, &source, &error)) return Fail(error);
  if (output.empty()) {
    std::fwrite(source.data(), 1, source.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write the source");
  }
  return rez::WriteFileAtomically(output, source) ? 0 : Fail(output + ": cannot write");
}
