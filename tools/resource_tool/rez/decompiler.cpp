// Writing resource files back as resource sources.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rez/layout.h"
#include "rez/parser.h"
#include "rez/resource_compiler.h"
#include "rez/rez.h"
#include "rez/source_compiler.h"

namespace zeb::rez {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

std::string HexByte(uint8_t b) { return std::string{kHexDigits[b >> 4], kHexDigits[b & 15]}; }

// A string literal's body, as the lexer reads it back.
std::string Escaped(const std::string& bytes, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to; ++i) {
    const uint8_t c = static_cast<uint8_t>(bytes[i]);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += static_cast<char>(c);
    } else if (c == 0x0D) {
      text += "\\n";
    } else if (c == 0x0A) {
      text += "\\r";
    } else if (c == 0x09) {
      text += "\\t";
    } else if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      text += "\\0x" + HexByte(c);
    }
  }
  return text;
}

// A string as one or more literals: a line ends after each return and after 64 bytes.
std::vector<std::string> StringLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == 0x0D || i + 1 - start >= 64) {
      lines.push_back("\"" + Escaped(bytes, start, i + 1) + "\"");
      start = i + 1;
    }
  }
  if (start < bytes.size() || lines.empty()) lines.push_back("\"" + Escaped(bytes, start, bytes.size()) + "\"");
  return lines;
}

// Bytes as hexadecimal strings, in groups of two bytes, perLine bytes to a line.
std::vector<std::string> HexLines(const std::string& bytes, size_t perLine) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < bytes.size() || lines.empty(); start += perLine) {
    std::string line = "$\"";
    for (size_t i = start; i < bytes.size() && i < start + perLine; ++i) {
      if (i > start && (i - start) % 2 == 0) line += ' ';
      line += HexByte(static_cast<uint8_t>(bytes[i]));
    }
    lines.push_back(line + "\"");
    if (bytes.empty()) break;
  }
  return lines;
}

// A decoded value, or an array or case made of decoded values.
struct Node {
  enum class Kind { kLeaf, kArray, kCase };
  Kind kind = Kind::kLeaf;
  std::vector<std::string> lines;  // a leaf: one line, or several for a long string
  std::string name;                // the array's or the case's
  bool wide = false;
  std::vector<std::vector<Node>> elements;  // an array's; a case's fields are elements[0]
};

void Indent(std::string* out, int depth) { out->append(static_cast<size_t>(depth), '\t'); }

bool IsFlat(const std::vector<Node>& fields) {
  for (const Node& n : fields)
    if (n.kind != Node::Kind::kLeaf) return false;
  return true;
}

std::string Inline(const Node& leaf) {
  std::string text;
  for (const std::string& line : leaf.lines) text += (text.empty() ? "" : " ") + line;
  return text;
}

void Emit(const Node& node, int depth, bool last, std::string* out);

void EmitList(const std::vector<Node>& nodes, int depth, bool lastList, std::string* out) {
  for (size_t i = 0; i < nodes.size(); ++i) Emit(nodes[i], depth, lastList && i + 1 == nodes.size(), out);
}

void Emit(const Node& node, int depth, bool last, std::string* out) {
  const char* comma = last ? "\n" : ",\n";
  Indent(out, depth);
  if (node.kind == Node::Kind::kLeaf) {
    for (size_t i = 0; i < node.lines.size(); ++i) {
      if (i) Indent(out, depth + 1);
      *out += node.lines[i];
      *out += i + 1 == node.lines.size() ? comma : "\n";
    }
    return;
  }
  if (node.kind == Node::Kind::kCase) {
    *out += node.name + " {\n";
    EmitList(node.elements[0], depth + 1, true, out);
    Indent(out, depth);
    *out += "}";
    *out += comma;
    return;
  }
  const size_t n = node.elements.size();
  *out += "{\t/* array" + (node.name.empty() ? std::string() : " " + node.name) + ": " + std::to_string(n) +
          (n == 1 ? " element */\n" : " elements */\n");
  for (size_t e = 0; e < n; ++e) {
    const std::vector<Node>& fields = node.elements[e];
    const bool lastElement = e + 1 == n;
    Indent(out, depth + 1);
    *out += "/* [" + std::to_string(e + 1) + "] */\n";
    if (node.wide && IsFlat(fields) && !fields.empty()) {
      Indent(out, depth + 1);
      for (size_t f = 0; f < fields.size(); ++f) *out += (f ? ", " : "") + Inline(fields[f]);
      *out += lastElement ? "\n" : ",\n";
    } else {
      EmitList(fields, depth + 1, lastElement, out);
    }
  }
  Indent(out, depth);
  *out += "}";
  *out += comma;
}

uint32_t Mask(int bits) { return bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1); }

class Decoder {
 public:
  Decoder(Session& session, const TypeDecl& type, const ResourceInfo& info, const std::vector<uint8_t>& data)
      : session_(session), type_(type), data_(data), state_(session, type, info, &data_) {
    state_.sizeKnown = true;
  }

  bool Run(std::vector<Node>* nodes) {
    const size_t end = data_.bits();
    if (!Fields(type_.fields, 0, state_.root(), end, nodes)) return false;
    return (state_.position + 7) / 8 * 8 == end;
  }

 private:
  size_t& pos() { return state_.position; }

  bool Room(size_t bits, size_t limit) const { return state_.position + bits <= limit; }

  bool Evaluate(const Expr& e, const Scope* scope, const FieldDecl* field, Value* out) {
    FieldScope evaluator(state_, scope, field);
    return rez::Evaluate(session_, e, evaluator, out) == Eval::kOk;
  }

  bool Constant(const Expr* e, const Scope* scope, int32_t* out) {
    Value v;
    if (!e || !Evaluate(*e, scope, nullptr, &v) || v.isString) return false;
    *out = v.number;
    return true;
  }

  // The fewest bits fields[from...] can take, for telling where an open-ended array or string
  // must stop so that what follows it still fits.
  size_t MinimumBits(const std::vector<FieldDecl>& fields, size_t from, const Scope* scope) {
    size_t bits = 0;
    for (size_t i = from; i < fields.size(); ++i) {
      const FieldDecl& f = fields[i];
      int32_t n = 0;
      switch (f.kind) {
        case FieldKind::kNumber: bits += f.bits; break;
        case FieldKind::kPoint: bits += 32; break;
        case FieldKind::kRect: bits += 64; break;
        case FieldKind::kFill:
          bits += (f.length ? (Constant(f.length.get(), scope, &n) && n > 0 ? n : 0) : 1) * static_cast<size_t>(f.bits);
          break;
        case FieldKind::kString: {
          const size_t prefix = f.stringKind == StringKind::kPascal ? 8 : f.stringKind == StringKind::kWord ? 16 : 0;
          if (f.stringKind == StringKind::kChar) bits += 8;
          else if (f.length && Constant(f.length.get(), scope, &n) && n > 0) bits += prefix + 8 * static_cast<size_t>(n);
          else bits += prefix + (f.stringKind == StringKind::kC ? 8 : 0);
          break;
        }
        case FieldKind::kArray:
          if (f.length && Constant(f.length.get(), scope, &n) && n > 0)
            bits += static_cast<size_t>(n) * MinimumBits(f.fields, 0, scope);
          break;
        case FieldKind::kSwitch: {
          size_t least = SIZE_MAX;
          for (const SwitchCase& c : f.cases) least = std::min(least, MinimumBits(c.fields, 0, scope));
          bits += least == SIZE_MAX ? 0 : least;
          break;
        }
        default: break;
      }
    }
    return bits;
  }

  std::string Number(const FieldDecl& f, uint32_t raw) {
    const int32_t value = (f.isUnsigned || f.isBoolean || f.bits >= 32 || !(raw >> (f.bits - 1) & 1))
                              ? static_cast<int32_t>(raw)
                              : static_cast<int32_t>(raw | ~Mask(f.bits));
    for (const Symbol& s : f.symbols) {
      EvalScope constants;
      Value v;
      if (rez::Evaluate(session_, *s.value, constants, &v) == Eval::kOk && !v.isString &&
          (static_cast<uint32_t>(v.number) & Mask(f.bits)) == raw)
        return s.name;
    }
    switch (f.radix) {
      case Radix::kHex: {
        std::string digits;
        for (uint32_t r = raw; r || digits.empty(); r >>= 4) digits.insert(digits.begin(), kHexDigits[r & 15]);
        return "0x" + digits;
      }
      case Radix::kOctal: {
        std::string digits;
        for (uint32_t r = raw; r; r >>= 3) digits.insert(digits.begin(), static_cast<char>('0' + (r & 7)));
        return "0" + digits;
      }
      case Radix::kBinary: {
        std::string digits;
        for (uint32_t r = raw; r || digits.empty(); r >>= 1) digits.insert(digits.begin(), static_cast<char>('0' + (r & 1)));
        return "0b" + digits;
      }
      case Radix::kLiteral: {
        if (f.bits % 8 == 0) {
          std::string chars;
          bool printable = true;
          for (int shift = f.bits - 8; shift >= 0; shift -= 8) {
            const uint8_t c = static_cast<uint8_t>(raw >> shift);
            printable = printable && c >= 0x20 && c < 0x7F;
            if (c == '\'' || c == '\\') chars += '\\';
            chars += static_cast<char>(c);
          }
          if (printable) return "'" + chars + "'";
        }
        std::string digits;
        for (uint32_t r = raw; r || digits.empty(); r >>= 4) digits.insert(digits.begin(), kHexDigits[r & 15]);
        return "0x" + digits;
      }
      case Radix::kDecimal:
        break;
    }
    return std::to_string(value);
  }

  // After a constant field whose value counts an array still to come ($$CountOf(A) - 1, say),
  // that array's number of elements is what makes the expression give the value stored.
  void LearnCount(const FieldDecl& f, const Scope* scope, uint32_t raw) {
    state_.trying = true;
    state_.trialArray.clear();
    int32_t values[3];
    bool ok = true;
    for (int c = 0; c < 3 && ok; ++c) {
      state_.trialCount = c;
      ok = Constant(f.constant.get(), scope, &values[c]);
    }
    state_.trying = false;
    if (!ok || state_.trialArray.empty()) return;
    const int64_t step = static_cast<int64_t>(values[1]) - values[0];
    if (step == 0 || static_cast<int64_t>(values[2]) - values[1] != step) return;
    const int64_t stored = (f.isUnsigned || f.bits >= 32 || !(raw >> (f.bits - 1) & 1))
                               ? static_cast<int64_t>(f.bits >= 32 ? static_cast<int32_t>(raw) : raw)
                               : static_cast<int64_t>(static_cast<int32_t>(raw | ~Mask(f.bits)));
    const int64_t difference = stored - values[0];
    if (difference % step != 0) return;
    const int64_t count = difference / step;
    if (count < 0 || count > static_cast<int64_t>(data_.bits())) return;
    expected_[std::make_pair(scope, state_.trialArray)] = static_cast<int>(count);
  }

  bool FieldsBefore(const std::vector<FieldDecl>& fields, const FieldDecl* key, const Scope* scope, size_t* at) {
    size_t p = *at;
    for (const FieldDecl& f : fields) {
      if (&f == key) {
        *at = p;
        return true;
      }
      int32_t n = 1;
      switch (f.kind) {
        case FieldKind::kLabel: break;
        case FieldKind::kNumber: p += f.bits; break;
        case FieldKind::kPoint: p += 32; break;
        case FieldKind::kRect: p += 64; break;
        case FieldKind::kFill:
          if (f.length && (!Constant(f.length.get(), scope, &n) || n < 0)) return false;
          p += static_cast<size_t>(n) * f.bits;
          break;
        case FieldKind::kAlign:
          p = (p + f.bits - 1) / f.bits * f.bits;
          break;
        default:
          return false;
      }
    }
    return false;
  }

  const SwitchCase* PickCase(const FieldDecl& f, const Scope* scope, size_t limit) {
    for (const SwitchCase& c : f.cases) {
      const FieldDecl* key = nullptr;
      for (const FieldDecl& field : c.fields)
        if (field.isKey && field.kind == FieldKind::kNumber) key = &field;
      size_t at = pos();
      int32_t value = 0;
      if (!key || !FieldsBefore(c.fields, key, scope, &at) || at + key->bits > limit ||
          !Constant(key->constant.get(), scope, &value))
        continue;
      if (data_.Get(at, key->bits) == (static_cast<uint32_t>(value) & Mask(key->bits))) return &c;
    }
    return nullptr;
  }

  bool String(const FieldDecl& f, const Scope* scope, size_t limit, size_t trailing, std::string* bytes) {
    int32_t length = -1;
    if (f.stringKind == StringKind::kChar) length = 1;
    if (f.length && (!Constant(f.length.get(), scope, &length) || length < 0)) return false;
    auto take = [&](size_t n) {
      if (!Room(n * 8, limit)) return false;
      for (size_t i = 0; i < n; ++i) bytes->push_back(static_cast<char>(data_.Get(pos() + 8 * i, 8)));
      pos() += n * 8;
      return true;
    };
    switch (f.stringKind) {
      case StringKind::kPascal:
      case StringKind::kWord: {
        const int prefix = f.stringKind == StringKind::kPascal ? 8 : 16;
        if (!Room(prefix, limit)) return false;
        const size_t n = data_.Get(pos(), prefix);
        pos() += prefix;
        if (length >= 0) {
          if (n > static_cast<size_t>(length) || !take(static_cast<size_t>(length))) return false;
          bytes->resize(n);
          return true;
        }
        return take(n);
      }
      case StringKind::kC: {
        if (length >= 0) {
          if (!take(static_cast<size_t>(length))) return false;
          const size_t zero = bytes->find('\0');
          if (zero == std::string::npos) return false;
          bytes->resize(zero);
          return true;
        }
        while (true) {
          if (!Room(8, limit)) return false;
          const char c = static_cast<char>(data_.Get(pos(), 8));
          pos() += 8;
          if (c == '\0') return true;
          bytes->push_back(c);
        }
      }
      default:
        if (length >= 0) return take(static_cast<size_t>(length));
        if (pos() + trailing > limit) return false;
        return take((limit - trailing - pos()) / 8);
    }
  }

  bool Fields(const std::vector<FieldDecl>& fields, size_t from, Scope* scope, size_t limit, std::vector<Node>* nodes) {
    for (size_t i = from; i < fields.size(); ++i) {
      const FieldDecl& f = fields[i];
      if (!session_.Spend(f.at, 1)) return false;
      Node node;
      switch (f.kind) {
        case FieldKind::kLabel:
          state_.AddLabel(Lower(f.name), scope, pos());
          continue;
        case FieldKind::kFill: {
          int32_t n = 1;
          if (f.length && (!Constant(f.length.get(), scope, &n) || n < 0)) return false;
          const uint64_t bits = static_cast<uint64_t>(n) * f.bits;
          if (bits > limit - pos()) return false;
          pos() += static_cast<size_t>(bits);
          continue;
        }
        case FieldKind::kAlign:
          pos() = (pos() + f.bits - 1) / f.bits * f.bits;
          if (pos() > limit) return false;
          continue;
        case FieldKind::kNumber: {
          if (!Room(f.bits, limit)) return false;
          const uint32_t raw = data_.Get(pos(), f.bits);
          if (f.constant) {
            int32_t value = 0;
            if (!Constant(f.constant.get(), scope, &value)) LearnCount(f, scope, raw);
            pos() += f.bits;
            continue;
          }
          pos() += f.bits;
          node.lines.push_back(Number(f, raw));
          break;
        }
        case FieldKind::kString: {
          std::string bytes;
          if (!String(f, scope, limit, MinimumBits(fields, i + 1, scope), &bytes)) return false;
          if (f.constant) continue;
          std::string named;
          for (const Symbol& s : f.symbols) {
            EvalScope constants;
            Value v;
            if (named.empty() && rez::Evaluate(session_, *s.value, constants, &v) == Eval::kOk && v.isString &&
                v.bytes == bytes)
              named = s.name;
          }
          if (!named.empty()) node.lines.push_back(named);
          else node.lines = f.radix == Radix::kHex ? HexLines(bytes, 32) : StringLines(bytes);
          break;
        }
        case FieldKind::kPoint:
        case FieldKind::kRect: {
          const int n = f.kind == FieldKind::kPoint ? 2 : 4;
          if (!Room(16u * n, limit)) return false;
          std::string text = "{";
          for (int k = 0; k < n; ++k) {
            text += (k ? ", " : "") + std::to_string(static_cast<int16_t>(data_.Get(pos(), 16)));
            pos() += 16;
          }
          node.lines.push_back(text + "}");
          break;
        }
        case FieldKind::kArray: {
          node.kind = Node::Kind::kArray;
          node.name = f.name;
          node.wide = f.wide;
          int32_t count = -1;
          if (f.length && (!Constant(f.length.get(), scope, &count) || count < 0)) return false;
          const std::string lower = Lower(f.name);
          for (const Scope* s = scope; count < 0 && s && !lower.empty(); s = s->parent) {
            const auto found = expected_.find(std::make_pair(s, lower));
            if (found != expected_.end()) count = found->second;
          }
          const size_t trailing = MinimumBits(fields, i + 1, scope);
          if (trailing > limit) return false;
          const size_t elementLimit = limit - trailing;
          ArrayInstance* instance = state_.NewArray(scope, f.name);
          int k = 0;
          while (count >= 0 ? k < count : pos() < elementLimit) {
            const size_t before = pos();
            Scope* element = state_.NewElement(scope, lower, k + 1);
            node.elements.emplace_back();
            if (!Fields(f.fields, 0, element, count >= 0 ? limit : elementLimit, &node.elements.back())) return false;
            ++k;
            if (pos() == before) return false;
          }
          instance->count = k;
          instance->complete = true;
          break;
        }
        case FieldKind::kSwitch: {
          const SwitchCase* c = PickCase(f, scope, limit);
          if (!c) return false;
          node.kind = Node::Kind::kCase;
          node.name = c->name;
          node.elements.emplace_back();
          if (!Fields(c->fields, 0, scope, limit, &node.elements.back())) return false;
          break;
        }
        case FieldKind::kOptional:
          if (pos() >= limit) continue;
          if (!Fields(f.fields, 0, scope, limit, nodes)) return false;
          continue;
      }
      nodes->push_back(std::move(node));
    }
    return true;
  }

  Session& session_;
  const TypeDecl& type_;
  BitBuffer data_;
  LayoutState state_;
  std::map<std::pair<const Scope*, std::string>, int> expected_;
};

std::string Header(const char* statement, const resfmt::ImageResource& r) {
  std::string text = std::string(statement) + " " + TypeLiteral(r.type) + " (" + std::to_string(r.id);
  if (r.named) text += ", \"" + Escaped(r.name, 0, r.name.size()) + "\"";
  static const struct {
    uint8_t bit;
    const char* word;
  } kWords[] = {{0x40, "sysheap"}, {0x20, "purgeable"}, {0x10, "locked"},
                {0x08, "protected"}, {0x04, "preload"}, {0x02, "changed"}};
  if (r.attributes & ~0x7E) {
    text += ", " + std::to_string(r.attributes);
  } else {
    for (const auto& w : kWords)
      if (r.attributes & w.bit) text += std::string(", ") + w.word;
  }
  return text + ")";
}

std::string DataStatement(const resfmt::ImageResource& r) {
  std::string text = Header("data", r) + " {\n";
  const std::string bytes(r.data.begin(), r.data.end());
  const std::vector<std::string> lines = HexLines(bytes, 16);
  for (size_t i = 0; i < lines.size() && !bytes.empty(); ++i) {
    text += "\t" + lines[i];
    text.append(56 - std::min<size_t>(lines[i].size(), 55), ' ');
    text += "/* ";
    for (size_t b = i * 16; b < bytes.size() && b < i * 16 + 16; ++b) {
      const char c = bytes[b];
      const bool closesComment = c == '/' && b > i * 16 && bytes[b - 1] == '*';
      text += (c >= 0x20 && c < 0x7F && !closesComment) ? c : '.';
    }
    text += " */\n";
  }
  return text + "};\n\n";
}

// The resource statement for r when its declaration reads its data exactly; "" otherwise.
std::string ResourceStatement(Host& host, const Limits& limits, const TypeDecl& type, const resfmt::ImageResource& r) {
  ResourceInfo info;
  info.type = r.type;
  info.id = r.id;
  info.named = r.named;
  info.name = r.name;
  info.attributes = r.attributes;
  std::vector<Node> nodes;
  {
    Session session(host, {}, limits);
    Decoder decoder(session, type, info, r.data);
    if (!decoder.Run(&nodes)) return std::string();
  }
  std::string body;
  EmitList(nodes, 1, true, &body);
  // Compiled again, the values must give back exactly the bytes they came from.
  Session session(host, {}, limits);
  const int file = session.AddFile("decompiled resource");
  std::vector<Token> tokens;
  std::vector<DataItem> items;
  std::vector<uint8_t> again;
  if (!Lex(session, file, body + "}", &tokens)) return std::string();
  TokenCursor cursor(session, tokens);
  if (!ParseDataBody(cursor, &items) || !cursor.AtEnd() ||
      !CompileResourceData(session, type, items, info, Location{file, 1, 1}, &again) || again != r.data)
    return std::string();
  return Header("resource", r) + " {\n" + body + "};\n\n";
}

bool Selected(const std::vector<ResourceSelector>& selectors, const resfmt::ImageResource& r) {
  if (selectors.empty()) return true;
  for (const ResourceSelector& s : selectors) {
    if (s.type != r.type) continue;
    if (s.anyId) return true;
    if (s.byName ? (r.named && r.name == s.name) : (r.id >= s.low && r.id <= s.high)) return true;
  }
  return false;
}

}  // namespace

bool ParseSelector(const std::string& text, ResourceSelector* selector) {
  *selector = ResourceSelector{};
  std::string type;
  size_t i = 0;
  if (!text.empty() && text[0] == '\'') {
    const size_t close = text.find('\'', 1);
    if (close == std::string::npos) return false;
    type = text.substr(1, close - 1);
    i = close + 1;
  } else {
    i = text.find('(');
    if (i == std::string::npos) i = text.size();
    type = text.substr(0, i);
  }
  if (type.empty() || type.size() > 4) return false;
  type.resize(4, ' ');
  for (char c : type) selector->type = (selector->type << 8) | static_cast<uint8_t>(c);
  if (i == text.size()) return true;
  if (text[i] != '(' || text.back() != ')') return false;
  const std::string inside = text.substr(i + 1, text.size() - i - 2);
  selector->anyId = false;
  if (inside.size() >= 2 && inside.front() == '"' && inside.back() == '"') {
    selector->byName = true;
    selector->name = inside.substr(1, inside.size() - 2);
    return true;
  }
  auto number = [](const std::string& s, int32_t* out) {
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 0);
    if (s.empty() || *end || v < -32768 || v > 32767) return false;
    *out = static_cast<int32_t>(v);
    return true;
  };
  const size_t colon = inside.find(':');
  if (colon == std::string::npos) {
    if (!number(inside, &selector->low)) return false;
    selector->high = selector->low;
    return true;
  }
  return number(inside.substr(0, colon), &selector->low) && number(inside.substr(colon + 1), &selector->high) &&
         selector->low <= selector->high;
}

bool DecompileRez(Host& host, const DerezOptions& options, const resfmt::ResourceImage& image,
                  std::string* source, std::string* error) {
  Session session(host, options.source.includeDirs, options.source.limits);
  SourceCompiler declarations(session, options.source, "DeRez");
  std::vector<std::string> files = options.declarationFiles;
  if (files.empty()) files = {"Types.r", "SysTypes.r"};
  bool ok = declarations.ready();
  for (const std::string& file : files) {
    std::string resolved;
    std::vector<uint8_t> bytes;
    const BuiltinInclude* builtin = nullptr;
    ok = ok && session.ReadSourceFile(Location{}, file, false, &resolved, &bytes, &builtin) &&
         (builtin ? declarations.CompileBuiltin(builtin)
                  : declarations.CompileText(resolved, std::string(bytes.begin(), bytes.end())));
  }
  if (!ok) {
    *error = session.ErrorText();
    return false;
  }
  source->clear();
  for (const std::string& file : files) *source += "#include \"" + Escaped(file, 0, file.size()) + "\"\n";
  *source += "\n";
  for (const resfmt::ImageResource& r : image.resources) {
    if (!Selected(options.selectors, r)) continue;
    const TypeDecl* type = declarations.types().Find(r.type, r.id);
    std::string statement;
    if (type) statement = ResourceStatement(host, options.source.limits, *type, r);
    *source += statement.empty() ? DataStatement(r) : statement;
  }
  return true;
}

}  // namespace zeb::rez
