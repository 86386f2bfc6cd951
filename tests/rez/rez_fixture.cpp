// The resource compiler tests' host and helpers.
#include "rez_fixture.h"

#include "resources/byte_order.h"

namespace zeb::rez::testing {

const resfmt::ImageResource* Compiled::Find(const char (&type)[5], int id) const {
  for (const resfmt::ImageResource& r : image.resources)
    if (r.type == byteorder::FourCC(type) && r.id == id) return &r;
  return nullptr;
}

std::vector<uint8_t> Compiled::Data(const char (&type)[5], int id) const {
  const resfmt::ImageResource* r = Find(type, id);
  EXPECT_TRUE(r) << "no resource '" << type << "' " << id << (ok ? "" : ": " + error);
  return r ? r->data : std::vector<uint8_t>();
}

Compiled Compile(const std::string& source, MemoryHost* host, RezOptions options) {
  MemoryHost own;
  MemoryHost& h = host ? *host : own;
  h.Add("test.r", source);
  Compiled c;
  c.ok = CompileRez(h, options, {"test.r"}, &c.image, &c.error);
  return c;
}

Compiled CompileWithTypes(const std::string& source, MemoryHost* host) {
  return Compile("#include \"Types.r\"\n#include \"SysTypes.r\"\n" + source, host);
}

std::string Decompile(const resfmt::ResourceImage& image, MemoryHost* host, DerezOptions options) {
  MemoryHost own;
  MemoryHost& h = host ? *host : own;
  std::string source, error;
  EXPECT_TRUE(DecompileRez(h, options, image, &source, &error)) << error;
  return source;
}

std::string Decompile(const resfmt::ImageResource& resource, MemoryHost* host) {
  resfmt::ResourceImage image;
  image.resources.push_back(resource);
  return Decompile(image, host);
}

Bytes& Bytes::Hex(const std::string& digits) {
  std::string clean;
  for (char c : digits)
    if (c != ' ') clean += c;
  for (size_t i = 0; i + 1 < clean.size(); i += 2) B(std::stoi(clean.substr(i, 2), nullptr, 16));
  return *this;
}

std::vector<uint8_t> ResourceFile(const std::vector<resfmt::ImageResource>& resources) {
  resfmt::ResourceImage image;
  image.resources = resources;
  std::vector<uint8_t> file;
  std::string error;
  EXPECT_TRUE(resfmt::WriteImage(image, &file, &error)) << error;
  return file;
}

}  // namespace zeb::rez::testing
