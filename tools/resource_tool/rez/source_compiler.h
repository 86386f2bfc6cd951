// The statements of resource sources, carried out one by one as they are read: type
// declarations go into the table of types, resource, data, read and include statements add
// resources, change and delete act on those made so far. Host-independent.
#ifndef ZEB_REZ_SOURCE_COMPILER_H
#define ZEB_REZ_SOURCE_COMPILER_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource_image.h"
#include "rez/declarations.h"
#include "rez/layout.h"
#include "rez/parser.h"
#include "rez/preprocessor.h"
#include "rez/rez.h"

namespace zeb::rez {

// The declarations of resource types, each for every ID or for a range of IDs.
class TypeTable {
 public:
  // A later declaration for the same type and range takes the place of the earlier one.
  void Declare(uint32_t type, bool ranged, int32_t low, int32_t high, std::shared_ptr<const TypeDecl> decl);
  // The declaration whose range holds id, else the one for every ID; null when there is none.
  const TypeDecl* Find(uint32_t type, int32_t id) const;
  std::shared_ptr<const TypeDecl> FindShared(uint32_t type, int32_t id) const;

 private:
  struct Entry {
    uint32_t type;
    bool ranged;
    int32_t low, high;
    std::shared_ptr<const TypeDecl> decl;
  };
  std::vector<Entry> entries_;
};

class SourceCompiler {
 public:
  // predefined: the macro a source may test to know who reads it ("Rez" or "DeRez").
  SourceCompiler(Session& session, const RezOptions& options, const char* predefined);
  bool ready() const { return ready_; }

  bool CompileFile(const std::string& path);
  bool CompileText(const std::string& name, const std::string& text);
  // One of the shipped declaration files, as an #include of it at the top level would.
  bool CompileBuiltin(const BuiltinInclude* builtin);

  const TypeTable& types() const { return types_; }
  resfmt::ResourceImage& image() { return image_; }
  // Starts from resources made elsewhere, which later statements may not define again.
  void Seed(resfmt::ResourceImage image);

 private:
  bool Statements(const std::vector<Token>& tokens);
  bool TypeStatement(TokenCursor& c);
  bool ResourceStatement(TokenCursor& c);
  bool DataStatement(TokenCursor& c);
  bool ReadStatement(TokenCursor& c);
  bool IncludeStatement(TokenCursor& c);
  bool ChangeStatement(TokenCursor& c);
  bool DeleteStatement(TokenCursor& c);

  bool TypeCode(const Expr& e, uint32_t* type);
  bool Range(const RangeExpressions& given, IdRange* range);
  // The ID, name and attributes a header gives, applied to info; scope answers $$ID and
  // its companions (the resource being included or changed).
  bool Specify(const Expr* id, const std::vector<ExprPtr>& extras,
               EvalScope& scope, ResourceInfo* info);
  bool Add(resfmt::ImageResource resource, const Location& at);

  Session& session_;
  Preprocessor preprocessor_;
  bool ready_ = true;
  TypeTable types_;
  resfmt::ResourceImage image_;
  std::map<std::pair<uint32_t, int16_t>, Location> defined_;
};

// Answers $$ID, $$Name, $$Type and $$Attributes for one resource.
class ResourceInfoScope : public EvalScope {
 public:
  explicit ResourceInfoScope(const ResourceInfo& info) : info_(info) {}
  Eval ResourceFunction(Session& session, const Expr& call, const std::vector<Value>& args,
                        Value* out) override;

 private:
  const ResourceInfo& info_;
};

// A type as a source writes it: 'MENU', with escapes for characters that are not printable.
std::string TypeLiteral(uint32_t type);

}  // namespace zeb::rez

#endif  // ZEB_REZ_SOURCE_COMPILER_H
