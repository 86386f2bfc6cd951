// Reading the porters' text description of a resource file.
#include "resources/resource_description.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "resources/byte_order.h"
#include "resources/resource_map.h"

namespace zeb::resfmt {
namespace {

struct Token {
  std::string text;
  bool quoted = false;  // a "..." string, escapes resolved
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Tokenize(const std::string& line, std::vector<Token>* tokens, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      Token t;
      t.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\') {
          if (i >= line.size()) break;
          const char e = line[i++];
          switch (e) {
            case 'n': d = '\n'; break;
            case 'r': d = '\r'; break;
            case 't': d = '\t'; break;
            case '0': d = '\0'; break;
            case 'x': {
              const int hi = i < line.size() ? HexDigit(line[i]) : -1;
              const int lo = i + 1 < line.size() ? HexDigit(line[i + 1]) : -1;
              if (hi < 0 || lo < 0) {
                *error = "\\x needs two hexadecimal digits";
                return false;
              }
              d = static_cast<char>(hi * 16 + lo);
              i += 2;
              break;
            }
            default: d = e;
          }
        }
        t.text += d;
      }
      if (!closed) {
        *error = "string without its closing quote";
        return false;
      }
      tokens->push_back(t);
    } else if (c == '\'') {
      const size_t end = line.find('\'', i + 1);
      if (end == std::string::npos) {
        *error = "type without its closing quote";
        return false;
      }
      tokens->push_back({line.substr(i, end - i + 1), false});
      i = end + 1;
    } else {
      size_t end = i;
      while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') ++end;
      tokens->push_back({line.substr(i, end - i), false});
      i = end;
    }
  }
  return true;
}

bool ParseNumber(const std::string& word, long long low, long long high, long long* value) {
  if (word.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(word.c_str(), &end, 0);
  if (errno || *end || v < low || v > high) return false;
  *value = v;
  return true;
}

void PutNumber(std::vector<uint8_t>* data, unsigned long long value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) data->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

bool ParseType(const std::string& word, uint32_t* type) {
  std::string chars = word;
  if (chars.size() >= 2 && chars.front() == '\'' && chars.back() == '\'')
    chars = chars.substr(1, chars.size() - 2);
  if (chars.size() != 4) return false;
  *type = 0;
  for (char c : chars) *type = (*type << 8) | static_cast<uint8_t>(c);
  return true;
}

std::string TypeText(uint32_t type) {
  std::string s;
  for (int i = 3; i >= 0; --i) {
    const char c = static_cast<char>(type >> (8 * i));
    s += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return s;
}

bool ParseDescription(const std::string& text, ResourceImage* image, std::string* error) {
  size_t start = 0;
  int lineNumber = 0;
  ImageResource* open = nullptr;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    std::vector<Token> tokens;
    std::string problem;
    auto fail = [&](const std::string& what) {
      *error = "line " + std::to_string(lineNumber) + ": " + what;
      return false;
    };
    if (!Tokenize(line, &tokens, &problem)) return fail(problem);
    if (tokens.empty()) continue;
    const std::string& keyword = tokens[0].text;
    if (tokens[0].quoted) return fail("a line begins with a keyword, not a string");
    if (keyword == "resource") {
      if (open) return fail("resource inside a resource: 'end' is missing");
      ImageResource r;
      long long id = 0;
      if (tokens.size() < 3 || !ParseType(tokens[1].text, &r.type))
        return fail("expected: resource 'TYPE' ID");
      if (!ParseNumber(tokens[2].text, -32768, 32767, &id)) return fail("ID must be -32768 to 32767");
      r.id = static_cast<int16_t>(id);
      for (size_t i = 3; i < tokens.size(); i += 2) {
        if (i + 1 >= tokens.size()) return fail("'" + tokens[i].text + "' needs a value");
        if (tokens[i].text == "name") {
          if (!tokens[i + 1].quoted || tokens[i + 1].text.size() > 255)
            return fail("name must be a quoted string of at most 255 characters");
          r.named = true;
          r.name = tokens[i + 1].text;
        } else if (tokens[i].text == "attrs") {
          long long attrs = 0;
          if (!ParseNumber(tokens[i + 1].text, 0, 0xFF, &attrs)) return fail("attrs must be 0 to 255");
          r.attributes = static_cast<uint8_t>(attrs);
        } else {
          return fail("unknown option '" + tokens[i].text + "'");
        }
      }
      image->resources.push_back(r);
      open = &image->resources.back();
      continue;
    }
    if (keyword == "end") {
      if (!open) return fail("'end' without 'resource'");
      open = nullptr;
      continue;
    }
    if (!open) return fail("data outside a resource: '" + keyword + "'");
    std::vector<uint8_t>& data = open->data;
    if (keyword == "text" || keyword == "pstring") {
      if (tokens.size() != 2 || !tokens[1].quoted) return fail(keyword + " takes one quoted string");
      const std::string& s = tokens[1].text;
      if (keyword == "pstring") {
        if (s.size() > 255) return fail("pstring longer than 255 characters");
        data.push_back(static_cast<uint8_t>(s.size()));
      }
      data.insert(data.end(), s.begin(), s.end());
    } else if (keyword == "hex") {
      std::string digits;
      for (size_t i = 1; i < tokens.size(); ++i) digits += tokens[i].text;
      if (digits.size() % 2) return fail("hex needs an even number of digits");
      for (size_t i = 0; i < digits.size(); i += 2) {
        const int hi = HexDigit(digits[i]), lo = HexDigit(digits[i + 1]);
        if (hi < 0 || lo < 0) return fail("not a hexadecimal digit in '" + digits + "'");
        data.push_back(static_cast<uint8_t>(hi * 16 + lo));
      }
    } else if (keyword == "byte" || keyword == "word" || keyword == "long") {
      const int bytes = keyword == "byte" ? 1 : keyword == "word" ? 2 : 4;
      const long long low = -(1ll << (8 * bytes - 1)), high = (1ll << (8 * bytes)) - 1;
      for (size_t i = 1; i < tokens.size(); ++i) {
        long long v = 0;
        if (tokens[i].quoted || !ParseNumber(tokens[i].text, low, high, &v))
          return fail("'" + tokens[i].text + "' does not fit a " + keyword);
        PutNumber(&data, static_cast<unsigned long long>(v), bytes);
      }
    } else {
      return fail("unknown keyword '" + keyword + "'");
    }
    if (data.size() > kMaxDataOffset) return fail("resource data larger than 16 MiB");
  }
  if (open) {
    *error = "the last resource has no 'end'";
    return false;
  }
  return true;
}

}  // namespace zeb::resfmt
