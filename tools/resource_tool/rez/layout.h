// What laying out a resource and reading one back have in common: the bits of the resource,
// the scopes of array elements, the labels met so far, and the meaning of names and of the
// resource functions inside a field's expressions. Host-independent.
#ifndef ZEB_REZ_LAYOUT_H
#define ZEB_REZ_LAYOUT_H

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "rez/declarations.h"
#include "rez/expressions.h"

namespace zeb::rez {

// The resource an expression may ask about with $$ID, $$Name, $$Type and $$Attributes.
struct ResourceInfo {
  uint32_t type = 0;
  int16_t id = 0;
  bool named = false;
  std::string name;
  uint8_t attributes = 0;
};

// A resource's contents bit by bit, most significant bit first, as Rez lays fields out.
class BitBuffer {
 public:
  BitBuffer() = default;
  explicit BitBuffer(const std::vector<uint8_t>& bytes) : bytes_(bytes), bits_(bytes.size() * 8) {}
  size_t bits() const { return bits_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  void Append(uint32_t value, int count);  // count <= 32
  void AppendZeros(size_t count);
  void AppendBytes(const std::string& bytes);
  void Put(size_t at, uint32_t value, int count);
  uint32_t Get(size_t at, int count) const;  // at + count <= bits()

 private:
  std::vector<uint8_t> bytes_;
  size_t bits_ = 0;
};

struct ArrayInstance {
  int count = 0;
  bool complete = false;
};

// The scope of the resource itself or of one element of an array.
struct Scope {
  Scope* parent = nullptr;
  std::string array;  // lower-case name of the array this is an element of; "" at the top
  int index = 0;      // the element's number, from 1
  std::vector<int> path;  // element numbers of this and the enclosing elements, outermost first
  std::map<std::string, ArrayInstance*> arrays;  // arrays laid out within this scope, by name
};

class LayoutState {
 public:
  LayoutState(Session& session, const TypeDecl& type, const ResourceInfo& info, BitBuffer* data);

  Session& session() { return session_; }
  const TypeDecl& type() const { return type_; }
  const ResourceInfo& info() const { return info_; }
  BitBuffer& data() { return *data_; }
  Scope* root() { return &scopes_.front(); }

  Scope* NewElement(Scope* parent, const std::string& array, int index);
  ArrayInstance* NewArray(Scope* scope, const std::string& name);
  void AddLabel(const std::string& lower, const Scope* scope, size_t bit);

  // Where reading or writing stands, in bits from the start of the resource.
  size_t position = 0;
  // Once every field is laid out: nothing is pending any more, what is unknown is an error.
  bool final = false;
  // Reading a resource back: its whole size is known from the start.
  bool sizeKnown = false;
  // Bit ranges whose values are not written yet ([start, end)).
  std::vector<std::pair<size_t, size_t>> unwritten;

  // Reading back a count: while trying, $$CountOf of the one array not yet read gives
  // trialCount, and trialArray names that array.
  bool trying = false;
  int32_t trialCount = 0;
  std::string trialArray;

  Eval Label(const Expr& name, const Scope* scope, EvalScope& evaluator, Value* out);
  Eval Function(const Expr& call, const Scope* scope, const std::vector<Value>& args, Value* out);

 private:
  Eval ReadBits(const Expr& call, int64_t at, int64_t count, Value* out);
  Eval Unknown(const Location& at, const std::string& what);

  Session& session_;
  const TypeDecl& type_;
  const ResourceInfo& info_;
  BitBuffer* data_;
  std::deque<Scope> scopes_;
  std::deque<ArrayInstance> arrays_;
  // Label positions by name and by the element numbers they were met in.
  std::map<std::string, std::map<std::vector<int>, size_t>> labels_;
};

// Evaluates inside a field: the field's named values first, then the type's labels, then the
// resource functions.
class FieldScope : public EvalScope {
 public:
  FieldScope(LayoutState& state, const Scope* scope, const FieldDecl* field)
      : state_(state), scope_(scope), field_(field) {}
  Eval Name(Session& session, const Expr& name, Value* out) override;
  Eval ResourceFunction(Session& session, const Expr& call, const std::vector<Value>& args,
                        Value* out) override;

 private:
  LayoutState& state_;
  const Scope* scope_;
  const FieldDecl* field_;
};

// How a field is named in messages: "unsigned hex bitstring[31] field", "pstring field", ...
std::string FieldDescription(const FieldDecl& field);

// The range a number field of the given width accepts: a signed field takes both the signed and
// the unsigned reading of its bits; a 32-bit field takes every value.
bool NumberFits(const FieldDecl& field, int32_t value);

}  // namespace zeb::rez

#endif  // ZEB_REZ_LAYOUT_H
