// Laying out a resource's data.
#include "rez/resource_compiler.h"

#include <algorithm>

namespace zeb::rez {

namespace {

// The values of one braced group (or of the resource), taken one field at a time.
struct DataCursor {
  const std::vector<DataItem>& items;
  Location end;  // where the group begins, for messages about what it lacks
  size_t next = 0;
  bool AtEnd() const { return next >= items.size(); }
};

class ResourceCompiler {
 public:
  ResourceCompiler(Session& session, const TypeDecl& type, const ResourceInfo& info)
      : session_(session), type_(type), state_(session, type, info, &data_) {
    coordinate_.bits = 16;
  }

  bool Run(const std::vector<DataItem>& items, const Location& at, std::vector<uint8_t>* out) {
    DataCursor cursor{items, at};
    if (!Fields(type_.fields, cursor, state_.root())) return false;
    if (!cursor.AtEnd())
      return session_.Fail(cursor.items[cursor.next].at,
                           "more values than the type's fields take (the type is declared at " +
                               session_.Where(type_.at) + ")");
    state_.final = true;
    for (Deferred& d : deferred_) {
      FieldScope scope(state_, d.scope, d.field);
      Value v;
      if (Evaluate(session_, *d.expr, scope, &v) != Eval::kOk) return false;
      int32_t number = 0;
      if (!NumberValue(*d.field, v, d.expr->at, d.bits, &number)) return false;
      data_.Put(d.at, static_cast<uint32_t>(number), d.bits);
      state_.unwritten.erase(state_.unwritten.begin());
    }
    *out = data_.bytes();
    return true;
  }

 private:
  struct Deferred {
    const Expr* expr;
    const FieldDecl* field;
    const Scope* scope;
    size_t at;
    int bits;
  };

  bool Grow(const Location& at, uint64_t bits) {
    if ((data_.bits() + bits) / 8 > session_.limits().maxResourceBytes)
      return session_.Fail(at, "the resource grows past " +
                                   std::to_string(session_.limits().maxResourceBytes >> 10) + " KiB");
    return session_.Spend(at, 1 + static_cast<size_t>(bits / 64));
  }

  const DataItem* NextValue(DataCursor& cursor, const FieldDecl& f) {
    if (cursor.AtEnd()) {
      session_.Fail(cursor.end, "expected a value for the " + FieldDescription(f) + " declared at " +
                                    session_.Where(f.at) + ", but the values end");
      return nullptr;
    }
    return &cursor.items[cursor.next++];
  }

  bool NumberValue(const FieldDecl& f, const Value& v, const Location& at, int bits, int32_t* out) {
    int32_t number = v.number;
    if (v.isString) {
      // Four characters for a longint (a type or a creator), two for an integer: the string's
      // bytes read as a big-endian number.
      if (bits % 8 != 0 || v.bytes.size() != static_cast<size_t>(bits / 8))
        return session_.Fail(at, "expected a number for the " + FieldDescription(f) + ", found a string");
      uint32_t n = 0;
      for (char c : v.bytes) n = (n << 8) | static_cast<uint8_t>(c);
      number = static_cast<int32_t>(n);
    }
    FieldDecl shape;
    shape.bits = bits;
    shape.isUnsigned = f.isUnsigned;
    if (!NumberFits(shape, number)) {
      const int64_t high = (int64_t{1} << bits) - 1;
      const int64_t low = f.isUnsigned ? 0 : -(int64_t{1} << (bits - 1));
      return session_.Fail(at, "the value " + std::to_string(number) + " does not fit the " +
                                   FieldDescription(f) + " (" + std::to_string(low) + " to " +
                                   std::to_string(high) + ")");
    }
    *out = number;
    return true;
  }

  // A number of `bits` bits: now, or once the resource is laid out when it depends on what follows.
  bool Number(const FieldDecl& f, const Expr& expr, const Scope* scope, int bits) {
    if (!Grow(expr.at, static_cast<size_t>(bits))) return false;
    FieldScope evaluator(state_, scope, &f);
    Value v;
    const Eval r = Evaluate(session_, expr, evaluator, &v);
    if (r == Eval::kFailed) return false;
    if (r == Eval::kPending) {
      deferred_.push_back(Deferred{&expr, &f, scope, data_.bits(), bits});
      state_.unwritten.emplace_back(data_.bits(), data_.bits() + bits);
      data_.AppendZeros(static_cast<size_t>(bits));
      return true;
    }
    int32_t number = 0;
    if (!NumberValue(f, v, expr.at, bits, &number)) return false;
    data_.Append(static_cast<uint32_t>(number), bits);
    return true;
  }

  bool Count(const Expr* expr, const Scope* scope, const char* what, int32_t* out) {
    FieldScope evaluator(state_, scope, nullptr);
    if (!EvaluateNumber(session_, *expr, evaluator, out, what)) return false;
    if (*out < 0) return session_.Fail(expr->at, std::string(what) + " cannot be negative");
    return true;
  }

  bool String(const FieldDecl& f, const Expr& expr, const Scope* scope) {
    FieldScope evaluator(state_, scope, &f);
    Value v;
    const Eval r = Evaluate(session_, expr, evaluator, &v);
    if (r == Eval::kFailed) return false;
    if (r == Eval::kPending)
      return session_.Fail(expr.at, "a string's value must be known where it stands");
    if (!v.isString)
      return session_.Fail(expr.at, "expected a string for the " + FieldDescription(f) + ", found a number");
    int32_t length = -1;
    if (f.stringKind == StringKind::kChar) length = 1;
    if (f.length && !Count(f.length.get(), scope, "a string's length", &length)) return false;
    if (length > static_cast<int32_t>(session_.limits().maxResourceBytes))
      return session_.Fail(f.length->at, "a string's length larger than a resource can be");
    const std::string& bytes = v.bytes;
    size_t limit = std::string::npos;
    switch (f.stringKind) {
      case StringKind::kPascal: limit = 255; break;
      case StringKind::kWord: limit = 65535; break;
      default: break;
    }
    if (length >= 0) {
      // A C string's fixed length counts its terminating zero.
      const size_t room = f.stringKind == StringKind::kC ? (length > 0 ? length - 1 : 0) : length;
      if (f.stringKind == StringKind::kC && length == 0)
        return session_.Fail(f.at, "a cstring of length 0 has no room for its terminating zero");
      limit = std::min(limit, room);
    }
    if (limit != std::string::npos && bytes.size() > limit)
      return session_.Fail(expr.at, "the string has " + std::to_string(bytes.size()) + " bytes; the " +
                                        FieldDescription(f) + " holds " + std::to_string(limit));
    size_t total = bytes.size();
    if (f.stringKind == StringKind::kPascal) total += 1;
    if (f.stringKind == StringKind::kWord) total += 2;
    if (f.stringKind == StringKind::kC && length < 0) total += 1;
    const size_t padded = length >= 0 ? static_cast<size_t>(length) + (f.stringKind == StringKind::kPascal ? 1 : 0) +
                                            (f.stringKind == StringKind::kWord ? 2 : 0)
                                      : total;
    if (!Grow(expr.at, padded * 8)) return false;
    if (f.stringKind == StringKind::kPascal) data_.Append(static_cast<uint32_t>(bytes.size()), 8);
    if (f.stringKind == StringKind::kWord) data_.Append(static_cast<uint32_t>(bytes.size()), 16);
    data_.AppendBytes(bytes);
    if (f.stringKind == StringKind::kC && length < 0) data_.Append(0, 8);
    if (padded > total) data_.AppendZeros((padded - total) * 8);
    return true;
  }

  bool Fields(const std::vector<FieldDecl>& fields, DataCursor& cursor, Scope* scope) {
    for (const FieldDecl& f : fields)
      if (!Field(f, cursor, scope)) return false;
    return true;
  }

  bool Field(const FieldDecl& f, DataCursor& cursor, Scope* scope) {
    if (!session_.Spend(f.at, 1)) return false;
    switch (f.kind) {
      case FieldKind::kLabel:
        state_.AddLabel(Lower(f.name), scope, data_.bits());
        return true;
      case FieldKind::kFill: {
        int32_t count = 1;
        if (f.length && !Count(f.length.get(), scope, "a fill's count", &count)) return false;
        const uint64_t bits = static_cast<uint64_t>(count) * static_cast<uint64_t>(f.bits);
        if (!Grow(f.at, bits)) return false;
        data_.AppendZeros(static_cast<size_t>(bits));
        return true;
      }
      case FieldKind::kAlign: {
        const size_t over = data_.bits() % static_cast<size_t>(f.bits);
        if (over) data_.AppendZeros(static_cast<size_t>(f.bits) - over);
        return true;
      }
      case FieldKind::kNumber: {
        if (f.constant) return Number(f, *f.constant, scope, f.bits);
        const DataItem* item = NextValue(cursor, f);
        if (!item) return false;
        if (item->kind != DataItem::Kind::kValue)
          return session_.Fail(item->at, "expected a number for the " + FieldDescription(f) + " declared at " +
                                             session_.Where(f.at) + ", found braces");
        return Number(f, *item->value, scope, f.bits);
      }
      case FieldKind::kString: {
        if (f.constant) return String(f, *f.constant, scope);
        const DataItem* item = NextValue(cursor, f);
        if (!item) return false;
        if (item->kind != DataItem::Kind::kValue)
          return session_.Fail(item->at, "expected a string for the " + FieldDescription(f) + " declared at " +
                                             session_.Where(f.at) + ", found braces");
        return String(f, *item->value, scope);
      }
      case FieldKind::kPoint:
      case FieldKind::kRect: {
        const size_t n = f.kind == FieldKind::kPoint ? 2 : 4;
        const DataItem* item = NextValue(cursor, f);
        if (!item) return false;
        if (item->kind != DataItem::Kind::kGroup || item->items.size() != n)
          return session_.Fail(item->at, std::string("expected ") +
                                             (n == 2 ? "a point, {v, h}," : "a rectangle, {top, left, bottom, right},") +
                                             " for the " + FieldDescription(f) + " declared at " + session_.Where(f.at));
        for (const DataItem& c : item->items) {
          if (c.kind != DataItem::Kind::kValue) return session_.Fail(c.at, "expected a coordinate, found braces");
          if (!Number(coordinate_, *c.value, scope, 16)) return false;
        }
        return true;
      }
      case FieldKind::kArray: return Array(f, cursor, scope);
      case FieldKind::kSwitch: return Switch(f, cursor, scope);
      case FieldKind::kOptional:
        return cursor.AtEnd() || Fields(f.fields, cursor, scope);
    }
    return true;
  }

  bool Array(const FieldDecl& f, DataCursor& cursor, Scope* scope) {
    const DataItem* item = NextValue(cursor, f);
    if (!item) return false;
    if (item->kind != DataItem::Kind::kGroup)
      return session_.Fail(item->at, "expected '{' with the elements of the " + FieldDescription(f) +
                                         " declared at " + session_.Where(f.at));
    int32_t fixed = -1;
    if (f.length && !Count(f.length.get(), scope, "an array's count", &fixed)) return false;
    ArrayInstance* instance = state_.NewArray(scope, f.name);
    DataCursor inner{item->items, item->at};
    int count = 0;
    while (fixed >= 0 ? count < fixed : !inner.AtEnd()) {
      const size_t before = inner.next;
      Scope* element = state_.NewElement(scope, Lower(f.name), count + 1);
      if (!Fields(f.fields, inner, element)) return false;
      ++count;
      if (fixed < 0 && inner.next == before)
        return session_.Fail(item->at, "the elements of the " + FieldDescription(f) +
                                           " take no values, so their number cannot be told");
    }
    if (!inner.AtEnd())
      return session_.Fail(inner.items[inner.next].at, "the " + FieldDescription(f) + " has " +
                                                           std::to_string(fixed) + " elements; more values follow");
    instance->count = count;
    instance->complete = true;
    return true;
  }

  bool Switch(const FieldDecl& f, DataCursor& cursor, Scope* scope) {
    const DataItem* item = NextValue(cursor, f);
    if (!item) return false;
    std::string names;
    for (const SwitchCase& c : f.cases) names += (names.empty() ? "" : ", ") + c.name;
    if (item->kind != DataItem::Kind::kCase)
      return session_.Fail(item->at, "expected one of the cases " + names + ", with its values in braces");
    const std::string lower = Lower(item->caseName);
    for (const SwitchCase& c : f.cases) {
      if (c.lower != lower) continue;
      DataCursor inner{item->items, item->at};
      if (!Fields(c.fields, inner, scope)) return false;
      if (!inner.AtEnd())
        return session_.Fail(inner.items[inner.next].at, "more values than the case " + c.name + " takes");
      return true;
    }
    return session_.Fail(item->at, item->caseName + " is not a case of the switch declared at " +
                                       session_.Where(f.at) + " (its cases: " + names + ")");
  }

  Session& session_;
  const TypeDecl& type_;
  BitBuffer data_;
  LayoutState state_;
  std::vector<Deferred> deferred_;
  FieldDecl coordinate_;  // each coordinate of a point or rect: a signed 16-bit number
};

}  // namespace

bool CompileResourceData(Session& session, const TypeDecl& type, const std::vector<DataItem>& data,
                         const ResourceInfo& info, const Location& at, std::vector<uint8_t>* out) {
  return ResourceCompiler(session, type, info).Run(data, at, out);
}

}  // namespace zeb::rez
