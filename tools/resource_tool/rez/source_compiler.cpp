// Carrying out the statements of resource sources.
#include "rez/source_compiler.h"

#include <deque>
#include <mutex>

#include "resources/fork_containers.h"
#include "rez/parser.h"
#include "rez/resource_compiler.h"

namespace zeb::rez {

namespace {

struct AttributeWord {
  const char* word;
  uint8_t bit;
  bool set;
};
// The attribute bits of a resource map entry: system heap, purgeable, locked, protected,
// preload and changed, each with its negation.
const AttributeWord kAttributeWords[] = {
    {"sysheap", 0x40, true},   {"appheap", 0x40, false},     {"purgeable", 0x20, true},
    {"nonpurgeable", 0x20, false}, {"locked", 0x10, true},   {"unlocked", 0x10, false},
    {"protected", 0x08, true}, {"unprotected", 0x08, false}, {"preload", 0x04, true},
    {"nonpreload", 0x04, false}, {"changed", 0x02, true},    {"unchanged", 0x02, false}};

ResourceInfo InfoOf(const resfmt::ImageResource& r) {
  ResourceInfo info;
  info.type = r.type;
  info.id = r.id;
  info.named = r.named;
  info.name = r.name;
  info.attributes = r.attributes;
  return info;
}

}  // namespace

std::string TypeLiteral(uint32_t type) {
  std::string text = "'";
  for (int shift = 24; shift >= 0; shift -= 8) {
    const uint8_t c = static_cast<uint8_t>(type >> shift);
    if (c == '\'' || c == '\\') {
      text += '\\';
      text += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      text += "\\0x";
      text += kHex[c >> 4];
      text += kHex[c & 15];
    }
  }
  return text + "'";
}

void TypeTable::Declare(uint32_t type, bool ranged, int32_t low, int32_t high,
                        std::shared_ptr<const TypeDecl> decl) {
  for (Entry& e : entries_) {
    if (e.type == type && e.ranged == ranged && (!ranged || (e.low == low && e.high == high))) {
      e.decl = std::move(decl);
      return;
    }
  }
  entries_.push_back(Entry{type, ranged, low, high, std::move(decl)});
}

std::shared_ptr<const TypeDecl> TypeTable::FindShared(uint32_t type, int32_t id) const {
  std::shared_ptr<const TypeDecl> general;
  for (const Entry& e : entries_) {
    if (e.type != type) continue;
    if (e.ranged && id >= e.low && id <= e.high) return e.decl;
    if (!e.ranged) general = e.decl;
  }
  return general;
}

const TypeDecl* TypeTable::Find(uint32_t type, int32_t id) const { return FindShared(type, id).get(); }

Eval ResourceInfoScope::ResourceFunction(Session& session, const Expr& call, const std::vector<Value>& args,
                                         Value* out) {
  switch (call.function) {
    case Function::kId: *out = Value::Number(info_.id); return Eval::kOk;
    case Function::kType: *out = Value::Number(static_cast<int32_t>(info_.type)); return Eval::kOk;
    case Function::kAttributes: *out = Value::Number(info_.attributes); return Eval::kOk;
    case Function::kName: *out = Value::String(info_.named ? info_.name : std::string()); return Eval::kOk;
    default: return EvalScope::ResourceFunction(session, call, args, out);
  }
}

SourceCompiler::SourceCompiler(Session& session, const RezOptions& options, const char* predefined)
    : session_(session), preprocessor_(session) {
  ready_ = preprocessor_.Define(predefined, "1");
  for (const auto& d : options.defines) ready_ = ready_ && preprocessor_.Define(d.first, d.second);
}

bool SourceCompiler::CompileFile(const std::string& path) {
  std::vector<Token> tokens;
  return preprocessor_.ProcessFile(path, &tokens) && Statements(tokens);
}

bool SourceCompiler::CompileText(const std::string& name, const std::string& text) {
  std::vector<Token> tokens;
  return preprocessor_.ProcessText(name, text, &tokens) && Statements(tokens);
}

bool SourceCompiler::CompileBuiltin(const BuiltinInclude* builtin) {
  std::vector<Token> tokens;
  return preprocessor_.ProcessBuiltin(builtin, &tokens) && Statements(tokens);
}

bool SourceCompiler::Statements(const std::vector<Token>& tokens) {
  TokenCursor c(session_, tokens);
  while (!c.AtEnd()) {
    bool ok;
    if (c.Accept(";")) continue;
    if (c.AcceptWord("type")) ok = TypeStatement(c);
    else if (c.AcceptWord("resource")) ok = ResourceStatement(c);
    else if (c.AcceptWord("data")) ok = DataStatement(c);
    else if (c.AcceptWord("read")) ok = ReadStatement(c);
    else if (c.AcceptWord("include")) ok = IncludeStatement(c);
    else if (c.AcceptWord("change")) ok = ChangeStatement(c);
    else if (c.AcceptWord("delete")) ok = DeleteStatement(c);
    else return c.FailHere("a statement (type, resource, data, read, include, change or delete)");
    if (!ok) return false;
  }
  return true;
}

void SourceCompiler::Seed(resfmt::ResourceImage image) {
  image_ = std::move(image);
  for (const resfmt::ImageResource& r : image_.resources) defined_[std::make_pair(r.type, r.id)] = Location{};
}

bool SourceCompiler::TypeCode(const Expr& e, uint32_t* type) {
  EvalScope scope;
  Value v;
  const Eval r = Evaluate(session_, e, scope, &v);
  if (r == Eval::kFailed) return false;
  if (r == Eval::kPending) return session_.Fail(e.at, "a resource type must be a constant");
  if (v.isString) {
    if (v.bytes.size() != 4) return session_.Fail(e.at, "a resource type has four characters");
    uint32_t n = 0;
    for (char ch : v.bytes) n = (n << 8) | static_cast<uint8_t>(ch);
    *type = n;
    return true;
  }
  *type = static_cast<uint32_t>(v.number);
  return true;
}

bool SourceCompiler::Range(const RangeExpressions& given, IdRange* range) {
  *range = IdRange{};
  if (!given.present) return true;
  range->all = false;
  EvalScope scope;
  Value low;
  const Eval r = Evaluate(session_, *given.low, scope, &low);
  if (r == Eval::kFailed) return false;
  if (r == Eval::kPending) return session_.Fail(given.at, "an ID range must be a constant");
  if (low.isString) {
    if (given.high) return session_.Fail(given.at, "a range runs between two IDs, not names");
    range->byName = true;
    range->name = low.bytes;
    return true;
  }
  range->low = range->high = low.number;
  if (given.high && !EvaluateNumber(session_, *given.high, scope, &range->high, "the range's last ID")) return false;
  if (range->high < range->low) return session_.Fail(given.at, "an ID range runs from the lower ID to the higher");
  return true;
}

bool SourceCompiler::Specify(const Expr* id, const std::vector<ExprPtr>& extras,
                             EvalScope& scope, ResourceInfo* info) {
  if (id) {
    int32_t n = 0;
    if (!EvaluateNumber(session_, *id, scope, &n, "a resource ID")) return false;
    if (n < -32768 || n > 32767) return session_.Fail(id->at, "a resource ID lies between -32768 and 32767");
    info->id = static_cast<int16_t>(n);
  }
  bool nameGiven = false;
  for (const ExprPtr& extra : extras) {
    if (extra->kind == Expr::Kind::kName && extra->operands.empty()) {
      const std::string lower = Lower(extra->text);
      const AttributeWord* word = nullptr;
      for (const AttributeWord& w : kAttributeWords)
        if (lower == w.word) word = &w;
      if (word) {
        info->attributes = word->set ? (info->attributes | word->bit) : (info->attributes & ~word->bit);
        continue;
      }
    }
    Value v;
    const Eval r = Evaluate(session_, *extra, scope, &v);
    if (r == Eval::kFailed) return false;
    if (r == Eval::kPending) return session_.Fail(extra->at, "a resource's name and attributes must be constants");
    if (v.isString) {
      if (nameGiven) return session_.Fail(extra->at, "a resource has one name");
      if (v.bytes.size() > 255) return session_.Fail(extra->at, "a resource's name has at most 255 characters");
      nameGiven = true;
      info->named = true;
      info->name = v.bytes;
      continue;
    }
    if (v.number < 0 || v.number > 255)
      return session_.Fail(extra->at, "resource attributes are a number from 0 to 255");
    info->attributes = static_cast<uint8_t>(v.number);
  }
  return true;
}

bool SourceCompiler::Add(resfmt::ImageResource resource, const Location& at) {
  const auto key = std::make_pair(resource.type, resource.id);
  const auto found = defined_.find(key);
  if (found != defined_.end())
    return session_.Fail(at, "resource " + TypeLiteral(resource.type) + " (" + std::to_string(resource.id) +
                                 ") is defined twice; it was first made at " + session_.Where(found->second));
  if (!session_.Spend(at, 1 + resource.data.size() / 64)) return false;
  defined_[key] = at;
  image_.resources.push_back(std::move(resource));
  return true;
}

namespace {

// A type declaration of the shipped files as parsed once: the declaration depends on nothing but
// the tokens the parser looked at (and the nesting limit), so the same tokens at the same place
// give the same declaration in any later session. Parsing the shipped declarations is most of
// what a small source that includes them costs.
struct ParsedType {
  size_t maxNesting;
  std::vector<Token> tokens;  // from the type expression through the farthest one looked at
  size_t consumed;            // through the closing ';'
  ExprPtr typeExpr;
  RangeExpressions range;
  std::shared_ptr<const TypeDecl> decl;
};

std::mutex g_parsedLock;
std::deque<ParsedType> g_parsed;
// A source may redefine what the shipped declarations use, so one place can parse several ways;
// past this many kept, the others are parsed every time.
constexpr size_t kParsedTypesKept = 512;

bool IsBuiltinPlace(const Location& at) {
  return at.file >= Session::BuiltinFile(kBuiltinIncludes);
}

const ParsedType* FindParsed(TokenCursor& c, size_t maxNesting) {
  std::lock_guard<std::mutex> guard(g_parsedLock);
  for (const ParsedType& p : g_parsed) {
    if (p.maxNesting != maxNesting || !SameToken(p.tokens[0], c.Peek())) continue;
    size_t i = 1;
    while (i < p.tokens.size() && SameToken(p.tokens[i], c.Peek(i))) ++i;
    if (i == p.tokens.size()) return &p;
  }
  return nullptr;
}

}  // namespace

bool SourceCompiler::TypeStatement(TokenCursor& c) {
  const Location at = c.Peek().at;
  const size_t start = c.position();
  const size_t maxNesting = session_.limits().maxNesting;
  const bool builtin = IsBuiltinPlace(at);
  if (builtin) {
    if (const ParsedType* p = FindParsed(c, maxNesting)) {
      uint32_t type = 0;
      IdRange range;
      if (!TypeCode(*p->typeExpr, &type) || !Range(p->range, &range)) return false;
      if (range.byName) return session_.Fail(p->range.at, "a type is declared for a range of IDs, not a name");
      c.Seek(start + p->consumed);
      types_.Declare(type, !range.all, range.low, range.high, p->decl);
      return true;
    }
  }
  const size_t hostCallsBefore = session_.hostCalls();
  const size_t workBefore = session_.work();
  ExprPtr typeExpr;
  RangeExpressions rangeGiven;
  if (!ParseExpression(c, &typeExpr) || !ParseRange(c, &rangeGiven)) return false;
  uint32_t type = 0;
  IdRange range;
  if (!TypeCode(*typeExpr, &type) || !Range(rangeGiven, &range)) return false;
  if (range.byName) return session_.Fail(rangeGiven.at, "a type is declared for a range of IDs, not a name");
  if (c.AcceptWord("as")) {
    ExprPtr sourceExpr;
    RangeExpressions sourceId;
    if (!ParseExpression(c, &sourceExpr) || !ParseRange(c, &sourceId)) return false;
    uint32_t source = 0;
    IdRange sourceRange;
    if (!TypeCode(*sourceExpr, &source) || !Range(sourceId, &sourceRange)) return false;
    std::shared_ptr<const TypeDecl> decl = types_.FindShared(source, sourceRange.all ? 0 : sourceRange.low);
    if (!decl) return session_.Fail(sourceExpr->at, "no declaration of " + TypeLiteral(source) + " to take");
    types_.Declare(type, !range.all, range.low, range.high, decl);
    return c.Expect(";", "after the type statement");
  }
  auto decl = std::make_shared<TypeDecl>();
  decl->at = at;
  if (!c.Expect("{", "or 'as' after the type") || !ParseTypeBody(c, decl.get())) return false;
  types_.Declare(type, !range.all, range.low, range.high, decl);
  if (!c.Expect(";", "after the type declaration")) return false;
  // Kept only when the parse read nothing from outside and never looked past the last token
  // (the end of the tokens stands at a place that differs from source to source).
  const size_t farthest = c.farthest();
  if (builtin && farthest < c.tokens().size() && session_.hostCalls() == hostCallsBefore &&
      session_.work() == workBefore) {
    ParsedType p;
    p.maxNesting = maxNesting;
    p.tokens.assign(c.tokens().begin() + static_cast<std::ptrdiff_t>(start),
                    c.tokens().begin() + static_cast<std::ptrdiff_t>(farthest) + 1);
    p.consumed = c.position() - start;
    p.typeExpr = std::move(typeExpr);
    p.range = std::move(rangeGiven);
    p.decl = std::move(decl);
    std::lock_guard<std::mutex> guard(g_parsedLock);
    if (g_parsed.size() < kParsedTypesKept) g_parsed.push_back(std::move(p));
  }
  return true;
}

bool SourceCompiler::ResourceStatement(TokenCursor& c) {
  ResourceHeader header;
  if (!ParseResourceHeader(c, &header, "resource statement")) return false;
  ResourceInfo info;
  EvalScope constants;
  if (!TypeCode(*header.type, &info.type) || !Specify(header.id.get(), header.extras, constants, &info))
    return false;
  const Location bodyAt = c.Peek().at;
  std::vector<DataItem> items;
  if (!c.Expect("{", "with the resource's values") || !ParseDataBody(c, &items)) return false;
  const TypeDecl* decl = types_.Find(info.type, info.id);
  if (!decl)
    return session_.Fail(header.at, "no declaration of the type " + TypeLiteral(info.type) +
                                      " (is #include \"Types.r\" missing?)");
  resfmt::ImageResource r;
  if (!CompileResourceData(session_, *decl, items, info, bodyAt, &r.data)) return false;
  if (!c.Expect(";", "after the resource statement")) return false;
  r.type = info.type;
  r.id = info.id;
  r.named = info.named;
  r.name = info.name;
  r.attributes = info.attributes;
  return Add(std::move(r), header.at);
}

bool SourceCompiler::DataStatement(TokenCursor& c) {
  ResourceHeader header;
  if (!ParseResourceHeader(c, &header, "data statement")) return false;
  ResourceInfo info;
  EvalScope constants;
  if (!TypeCode(*header.type, &info.type) || !Specify(header.id.get(), header.extras, constants, &info))
    return false;
  if (!c.Expect("{", "with the resource's data")) return false;
  std::string bytes;
  while (!c.Peek().Is("}")) {
    ExprPtr e;
    std::string piece;
    if (!ParseExpression(c, &e) || !EvaluateString(session_, *e, constants, &piece, "a data statement's data"))
      return false;
    bytes += piece;
    if (bytes.size() > session_.limits().maxResourceBytes)
      return session_.Fail(e->at, "the data is larger than a resource can be");
    c.Accept(",");
  }
  c.Next();
  if (!c.Expect(";", "after the data statement")) return false;
  resfmt::ImageResource r;
  r.type = info.type;
  r.id = info.id;
  r.named = info.named;
  r.name = info.name;
  r.attributes = info.attributes;
  r.data.assign(bytes.begin(), bytes.end());
  return Add(std::move(r), header.at);
}

bool SourceCompiler::ReadStatement(TokenCursor& c) {
  ResourceHeader header;
  if (!ParseResourceHeader(c, &header, "read statement")) return false;
  ResourceInfo info;
  EvalScope constants;
  if (!TypeCode(*header.type, &info.type) || !Specify(header.id.get(), header.extras, constants, &info))
    return false;
  ExprPtr fileExpr;
  std::string name, path;
  std::vector<uint8_t> bytes;
  if (!ParseExpression(c, &fileExpr) ||
      !EvaluateString(session_, *fileExpr, constants, &name, "the file a read statement reads") ||
      !c.Expect(";", "after the read statement"))
    return false;
  if (!session_.ReadSourceFile(fileExpr->at, name, true, &path, &bytes)) return false;
  if (bytes.size() > session_.limits().maxResourceBytes)
    return session_.Fail(fileExpr->at, path + " is larger than a resource can be");
  resfmt::ImageResource r;
  r.type = info.type;
  r.id = info.id;
  r.named = info.named;
  r.name = info.name;
  r.attributes = info.attributes;
  r.data = std::move(bytes);
  return Add(std::move(r), header.at);
}

bool SourceCompiler::IncludeStatement(TokenCursor& c) {
  EvalScope constants;
  ExprPtr fileExpr;
  std::string name;
  if (!ParseExpression(c, &fileExpr) ||
      !EvaluateString(session_, *fileExpr, constants, &name, "the resource file an include statement reads"))
    return false;
  bool exclude = false, typed = false;
  uint32_t type = 0;
  IdRange range;
  bool renamed = false, respecified = false;
  uint32_t newType = 0;
  ResourceHeader as;
  if (!c.Peek().Is(";")) {
    exclude = c.AcceptWord("not");
    typed = true;
    ExprPtr typeExpr;
    RangeExpressions rangeGiven;
    if (!ParseExpression(c, &typeExpr) || !ParseRange(c, &rangeGiven) || !TypeCode(*typeExpr, &type) ||
        !Range(rangeGiven, &range))
      return false;
    if (c.AcceptWord("as")) {
      if (exclude) return session_.Fail(typeExpr->at, "include ... not 'TYPE' takes no 'as'");
      renamed = true;
      if (!ParseExpression(c, &as.type) || !TypeCode(*as.type, &newType)) return false;
      if (c.Accept("(")) {
        respecified = true;
        if (!ParseExpression(c, &as.id)) return false;
        while (c.Accept(",")) {
          ExprPtr extra;
          if (!ParseExpression(c, &extra)) return false;
          as.extras.push_back(std::move(extra));
        }
        if (!c.Expect(")", "after the new ID, name and attributes")) return false;
      }
    }
  }
  if (!c.Expect(";", "after the include statement")) return false;
  std::string path;
  std::vector<uint8_t> bytes, fork;
  if (!session_.ReadSourceFile(fileExpr->at, name, true, &path, &bytes)) return false;
  resfmt::Container kind;
  std::string problem;
  resfmt::ResourceImage included;
  if (!resfmt::ExtractResourceFork(bytes, &fork, &kind, &problem) || !resfmt::ReadImage(fork, &included, &problem))
    return session_.Fail(fileExpr->at, path + ": " + problem);
  for (resfmt::ImageResource& r : included.resources) {
    if (typed) {
      const bool selected = r.type == type && range.Matches(r.id, r.named, r.name);
      if (selected == exclude) continue;
    }
    if (renamed) {
      const ResourceInfo old = InfoOf(r);
      ResourceInfo info = old;
      info.type = newType;
      ResourceInfoScope scope(old);
      if (respecified && !Specify(as.id.get(), as.extras, scope, &info)) return false;
      r.type = info.type;
      r.id = info.id;
      r.named = info.named;
      r.name = info.name;
      r.attributes = info.attributes;
    }
    if (!Add(std::move(r), fileExpr->at)) return false;
  }
  return true;
}

bool SourceCompiler::ChangeStatement(TokenCursor& c) {
  const Location at = c.Peek().at;
  ExprPtr typeExpr;
  RangeExpressions rangeGiven;
  uint32_t type = 0;
  IdRange range;
  if (!ParseExpression(c, &typeExpr) || !ParseRange(c, &rangeGiven) || !TypeCode(*typeExpr, &type) ||
      !Range(rangeGiven, &range))
    return false;
  if (!c.AcceptWord("to")) return c.FailHere("'to' and the new type in the change statement");
  ResourceHeader to;
  uint32_t newType = 0;
  if (!ParseExpression(c, &to.type) || !TypeCode(*to.type, &newType)) return false;
  bool respecified = false;
  if (c.Accept("(")) {
    respecified = true;
    if (!ParseExpression(c, &to.id)) return false;
    while (c.Accept(",")) {
      ExprPtr extra;
      if (!ParseExpression(c, &extra)) return false;
      to.extras.push_back(std::move(extra));
    }
    if (!c.Expect(")", "after the new ID, name and attributes")) return false;
  }
  if (!c.Expect(";", "after the change statement")) return false;
  for (resfmt::ImageResource& r : image_.resources) {
    if (r.type != type || !range.Matches(r.id, r.named, r.name)) continue;
    const ResourceInfo old = InfoOf(r);
    ResourceInfo info = old;
    info.type = newType;
    ResourceInfoScope scope(old);
    if (respecified && !Specify(to.id.get(), to.extras, scope, &info)) return false;
    const auto oldKey = std::make_pair(old.type, old.id);
    const auto newKey = std::make_pair(info.type, info.id);
    if (newKey != oldKey) {
      if (defined_.count(newKey))
        return session_.Fail(at, "the change makes a second " + TypeLiteral(info.type) + " (" +
                                     std::to_string(info.id) + ")");
      defined_[newKey] = defined_[oldKey];
      defined_.erase(oldKey);
    }
    r.type = info.type;
    r.id = info.id;
    r.named = info.named;
    r.name = info.name;
    r.attributes = info.attributes;
  }
  return true;
}

bool SourceCompiler::DeleteStatement(TokenCursor& c) {
  ExprPtr typeExpr;
  RangeExpressions rangeGiven;
  uint32_t type = 0;
  IdRange range;
  if (!ParseExpression(c, &typeExpr) || !ParseRange(c, &rangeGiven) || !TypeCode(*typeExpr, &type) ||
      !Range(rangeGiven, &range) || !c.Expect(";", "after the delete statement"))
    return false;
  std::vector<resfmt::ImageResource> kept;
  for (resfmt::ImageResource& r : image_.resources) {
    if (r.type == type && range.Matches(r.id, r.named, r.name)) {
      defined_.erase(std::make_pair(r.type, r.id));
      continue;
    }
    kept.push_back(std::move(r));
  }
  image_.resources = std::move(kept);
  return true;
}

bool CompileRez(Host& host, const RezOptions& options, const std::vector<std::string>& files,
                resfmt::ResourceImage* image, std::string* error, std::vector<std::string>* dependencies) {
  Session session(host, options.includeDirs, options.limits);
  SourceCompiler compiler(session, options, "Rez");
  compiler.Seed(std::move(*image));
  bool ok = compiler.ready();
  for (const std::string& file : files) {
    if (!ok) break;
    ok = compiler.CompileFile(file);
  }
  *image = std::move(compiler.image());
  if (dependencies) *dependencies = session.Dependencies();
  if (!ok) *error = session.ErrorText();
  return ok;
}

}  // namespace zeb::rez
