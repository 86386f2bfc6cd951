// Bits, scopes, labels and the resource functions shared by compiling and decompiling.
#include "rez/layout.h"

#include "resources/pack_bits.h"

namespace zeb::rez {

void BitBuffer::Append(uint32_t value, int count) {
  if (bits_ % 8 == 0 && count % 8 == 0) {
    for (int shift = count - 8; shift >= 0; shift -= 8) bytes_.push_back(static_cast<uint8_t>(value >> shift));
    bits_ += count;
    return;
  }
  for (int i = count - 1; i >= 0; --i) {
    if (bits_ % 8 == 0) bytes_.push_back(0);
    if ((value >> i) & 1) bytes_.back() |= static_cast<uint8_t>(0x80 >> (bits_ % 8));
    ++bits_;
  }
}

void BitBuffer::AppendZeros(size_t count) {
  while (count > 0 && bits_ % 8 != 0) {
    Append(0, 1);
    --count;
  }
  bytes_.resize(bytes_.size() + count / 8, 0);
  bits_ += count / 8 * 8;
  if (count % 8) Append(0, static_cast<int>(count % 8));
}

void BitBuffer::AppendBytes(const std::string& bytes) {
  if (bits_ % 8 == 0) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    bits_ += bytes.size() * 8;
    return;
  }
  for (char c : bytes) Append(static_cast<uint8_t>(c), 8);
}

void BitBuffer::Put(size_t at, uint32_t value, int count) {
  for (int i = count - 1; i >= 0; --i, ++at) {
    const uint8_t mask = static_cast<uint8_t>(0x80 >> (at % 8));
    if ((value >> i) & 1) bytes_[at / 8] |= mask;
    else bytes_[at / 8] &= static_cast<uint8_t>(~mask);
  }
}

uint32_t BitBuffer::Get(size_t at, int count) const {
  uint32_t value = 0;
  if (at % 8 == 0 && count % 8 == 0) {
    for (int i = 0; i < count / 8; ++i) value = (value << 8) | bytes_[at / 8 + i];
    return value;
  }
  for (int i = 0; i < count; ++i, ++at) value = (value << 1) | ((bytes_[at / 8] >> (7 - at % 8)) & 1);
  return value;
}

LayoutState::LayoutState(Session& session, const TypeDecl& type, const ResourceInfo& info, BitBuffer* data)
    : session_(session), type_(type), info_(info), data_(data) {
  scopes_.emplace_back();
}

Scope* LayoutState::NewElement(Scope* parent, const std::string& array, int index) {
  scopes_.emplace_back();
  Scope* s = &scopes_.back();
  s->parent = parent;
  s->array = array;
  s->index = index;
  s->path = parent->path;
  s->path.push_back(index);
  return s;
}

ArrayInstance* LayoutState::NewArray(Scope* scope, const std::string& name) {
  arrays_.emplace_back();
  ArrayInstance* a = &arrays_.back();
  if (!name.empty()) scope->arrays[Lower(name)] = a;
  return a;
}

void LayoutState::AddLabel(const std::string& lower, const Scope* scope, size_t bit) {
  labels_[lower].emplace(scope->path, bit);
}

Eval LayoutState::Unknown(const Location& at, const std::string& what) {
  if (!final) return Eval::kPending;
  session_.Fail(at, what);
  return Eval::kFailed;
}

Eval LayoutState::Label(const Expr& name, const Scope* scope, EvalScope& evaluator, Value* out) {
  std::vector<int> subscripts;
  for (const ExprPtr& operand : name.operands) {
    Value v;
    const Eval r = Evaluate(session_, *operand, evaluator, &v);
    if (r != Eval::kOk) return r;
    if (v.isString) return session_.Fail(operand->at, "a label's subscript must be a number"), Eval::kFailed;
    subscripts.push_back(v.number);
  }
  const auto found = labels_.find(Lower(name.text));
  if (found == labels_.end() || found->second.empty())
    return Unknown(name.at, "the label " + name.text + " is in no part of this resource");
  const size_t depth = found->second.begin()->first.size();
  if (subscripts.size() > depth) {
    session_.Fail(name.at, "the label " + name.text + " lies inside " + std::to_string(depth) +
                               " arrays and takes that many subscripts at most");
    return Eval::kFailed;
  }
  // Subscripts left off are those of the elements the expression stands in.
  const size_t implied = depth - subscripts.size();
  if (scope->path.size() < implied) {
    session_.Fail(name.at, "the label " + name.text + " lies inside an array: give its element "
                           "number, as in " + name.text + "[1]");
    return Eval::kFailed;
  }
  std::vector<int> wanted(scope->path.begin(), scope->path.begin() + implied);
  wanted.insert(wanted.end(), subscripts.begin(), subscripts.end());
  const auto instance = found->second.find(wanted);
  if (instance != found->second.end()) {
    *out = Value::Number(static_cast<int32_t>(instance->second));
    return Eval::kOk;
  }
  return Unknown(name.at, "the label " + name.text + " has no such element in this resource");
}

Eval LayoutState::ReadBits(const Expr& call, int64_t at, int64_t count, Value* out) {
  if (count < 1 || count > 32) {
    session_.Fail(call.at, std::string("$$") + FunctionName(call.function) + " reads 1 to 32 bits");
    return Eval::kFailed;
  }
  if (at < 0) {
    session_.Fail(call.at, std::string("$$") + FunctionName(call.function) + " reads before the resource");
    return Eval::kFailed;
  }
  const uint64_t end = static_cast<uint64_t>(at) + static_cast<uint64_t>(count);
  if (end > data_->bits())
    return Unknown(call.at, std::string("$$") + FunctionName(call.function) + " reads past the resource's end");
  for (const auto& range : unwritten)
    if (static_cast<uint64_t>(at) < range.second && end > range.first)
      return Unknown(call.at, std::string("$$") + FunctionName(call.function) +
                                  " reads a field whose value depends on what follows it");
  *out = Value::Number(static_cast<int32_t>(data_->Get(static_cast<size_t>(at), static_cast<int>(count))));
  return Eval::kOk;
}

Eval LayoutState::Function(const Expr& call, const Scope* scope, const std::vector<Value>& args, Value* out) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].isString) {
      session_.Fail(call.operands[i]->at, std::string("$$") + FunctionName(call.function) +
                                              " takes numbers");
      return Eval::kFailed;
    }
  }
  switch (call.function) {
    case Function::kCountOf: {
      const std::string lower = Lower(call.operands[0]->text);
      for (const Scope* s = scope; s; s = s->parent) {
        const auto found = s->arrays.find(lower);
        if (found == s->arrays.end()) continue;
        if (found->second->complete) {
          *out = Value::Number(found->second->count);
          return Eval::kOk;
        }
        return Unknown(call.at, "the array " + call.operands[0]->text + " is not complete");
      }
      if (trying && (trialArray.empty() || trialArray == lower)) {
        trialArray = lower;
        *out = Value::Number(trialCount);
        return Eval::kOk;
      }
      return Unknown(call.at, "no array " + call.operands[0]->text + " encloses or stands beside this field");
    }
    case Function::kArrayIndex: {
      const std::string lower = Lower(call.operands[0]->text);
      for (const Scope* s = scope; s; s = s->parent) {
        if (s->array == lower) {
          *out = Value::Number(s->index);
          return Eval::kOk;
        }
      }
      session_.Fail(call.at, "$$ArrayIndex(" + call.operands[0]->text + ") stands outside that array");
      return Eval::kFailed;
    }
    case Function::kBitField:
      return ReadBits(call, static_cast<int64_t>(args[0].number) + args[1].number, args[2].number, out);
    case Function::kByte: return ReadBits(call, args[0].number, 8, out);
    case Function::kWord: return ReadBits(call, args[0].number, 16, out);
    case Function::kLong: return ReadBits(call, args[0].number, 32, out);
    case Function::kPackedSize: {
      const int32_t start = args[0].number, rowBytes = args[1].number, rows = args[2].number;
      if (start < 0 || start % 8 != 0 || rowBytes < 0 || rowBytes > 0x7FFF || rows < 0 || rows > 0x7FFF) {
        session_.Fail(call.at, "$$PackedSize needs a byte-aligned label and row bytes and rows of 0 to 32767");
        return Eval::kFailed;
      }
      if (!session_.Spend(call.at, static_cast<size_t>(rows) * (1 + rowBytes / 64))) return Eval::kFailed;
      const size_t available = data_->bits() / 8;
      size_t offset = static_cast<size_t>(start) / 8;
      std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
      for (int32_t r = 0; r < rows; ++r) {
        if (offset > available) return Unknown(call.at, "$$PackedSize reads past the resource's end");
        const resources::UnpackResult u =
            resources::UnpackRuns(data_->bytes().data() + offset, available - offset, row.data(), row.size());
        if (u.produced < row.size()) return Unknown(call.at, "$$PackedSize reads past the resource's end");
        offset += u.consumed;
      }
      *out = Value::Number(static_cast<int32_t>(offset - static_cast<size_t>(start) / 8));
      return Eval::kOk;
    }
    case Function::kResourceSize:
      if (!final && !sizeKnown) return Eval::kPending;
      *out = Value::Number(static_cast<int32_t>((data_->bits() + 7) / 8));
      return Eval::kOk;
    case Function::kId: *out = Value::Number(info_.id); return Eval::kOk;
    case Function::kType: *out = Value::Number(static_cast<int32_t>(info_.type)); return Eval::kOk;
    case Function::kAttributes: *out = Value::Number(info_.attributes); return Eval::kOk;
    case Function::kName: *out = Value::String(info_.named ? info_.name : std::string()); return Eval::kOk;
    default:
      break;
  }
  session_.Fail(call.at, std::string("$$") + FunctionName(call.function) + " is not available here");
  return Eval::kFailed;
}

Eval FieldScope::Name(Session& session, const Expr& name, Value* out) {
  const std::string lower = Lower(name.text);
  if (field_ && name.operands.empty()) {
    for (const Symbol& s : field_->symbols) {
      if (s.lower != lower) continue;
      EvalScope constants;
      return Evaluate(session, *s.value, constants, out);
    }
  }
  if (state_.type().labels.count(lower)) return state_.Label(name, scope_, *this, out);
  return EvalScope::Name(session, name, out);
}

Eval FieldScope::ResourceFunction(Session&, const Expr& call, const std::vector<Value>& args, Value* out) {
  return state_.Function(call, scope_, args, out);
}

std::string FieldDescription(const FieldDecl& f) {
  std::string d;
  if (f.isKey) d += "key ";
  switch (f.kind) {
    case FieldKind::kNumber:
      if (f.isUnsigned) d += "unsigned ";
      if (f.radix == Radix::kHex) d += "hex ";
      else if (f.radix == Radix::kOctal) d += "octal ";
      else if (f.radix == Radix::kBinary) d += "binary ";
      else if (f.radix == Radix::kLiteral) d += "literal ";
      if (f.isBoolean) d += "boolean";
      else if (f.bits == 8) d += "byte";
      else if (f.bits == 16) d += "integer";
      else if (f.bits == 32) d += "longint";
      else d += "bitstring[" + std::to_string(f.bits) + "]";
      return d + " field";
    case FieldKind::kString: {
      if (f.radix == Radix::kHex) d += "hex ";
      static const char* const kNames[] = {"string", "pstring", "wstring", "cstring", "char"};
      return d + kNames[static_cast<int>(f.stringKind)] + " field";
    }
    case FieldKind::kPoint: return "point field";
    case FieldKind::kRect: return "rect field";
    case FieldKind::kArray: return f.name.empty() ? "array" : "array " + f.name;
    case FieldKind::kSwitch: return "switch";
    default: return "field";
  }
}

bool NumberFits(const FieldDecl& field, int32_t value) {
  if (field.bits >= 32) return true;
  const int64_t high = (int64_t{1} << field.bits) - 1;
  const int64_t low = field.isUnsigned ? 0 : -(int64_t{1} << (field.bits - 1));
  return value >= low && value <= high;
}

}  // namespace zeb::rez
