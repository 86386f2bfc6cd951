// Parsing type declarations, resource data and resource headers.
#include "rez/parser.h"

namespace zeb::rez {

namespace {

struct Unit {
  const char* word;
  int bits;
};
const Unit kUnits[] = {{"bit", 1}, {"nibble", 4}, {"byte", 8}, {"word", 16}, {"long", 32}};

bool ParseUnit(TokenCursor& c, int* bits, const char* statement) {
  for (const Unit& u : kUnits) {
    if (c.AcceptWord(u.word)) {
      *bits = u.bits;
      return true;
    }
  }
  return c.FailHere(std::string("bit, nibble, byte, word or long after ") + statement);
}

bool ConstantNumber(Session& session, const Expr& e, int32_t* out, const char* what) {
  EvalScope scope;
  return EvaluateNumber(session, e, scope, out, what);
}

class TypeParser {
 public:
  TypeParser(TokenCursor& cursor, TypeDecl* decl) : c_(cursor), session_(cursor.session()), decl_(decl) {}

  bool Body() {
    if (!Fields(&decl_->fields, 0, false)) return false;
    if (!c_.Expect("}", "to close the type declaration")) return false;
    for (size_t i = 0; i < decl_->fields.size(); ++i) {
      if (decl_->fields[i].kind != FieldKind::kOptional) continue;
      for (size_t j = i + 1; j < decl_->fields.size(); ++j)
        if (decl_->fields[j].kind != FieldKind::kLabel)
          return session_.Fail(decl_->fields[i].at, "an optional block must end the type");
    }
    return true;
  }

 private:
  bool Fields(std::vector<FieldDecl>* fields, size_t depth, bool inCase) {
    if (depth > session_.limits().maxNesting)
      return session_.Fail(c_.Peek().at, "declarations nested too deeply");
    while (true) {
      const Token& t = c_.Peek();
      if (t.Is("}") || t.kind == TokenKind::kEnd || (inCase && t.IsWord("case"))) return true;
      if (t.kind == TokenKind::kIdentifier && c_.Peek(1).Is(":") && !t.IsWord("case")) {
        FieldDecl label;
        label.kind = FieldKind::kLabel;
        label.at = t.at;
        label.name = t.text;
        decl_->labels.insert(Lower(t.text));
        fields->push_back(std::move(label));
        c_.Next();
        c_.Next();
        continue;
      }
      FieldDecl f;
      if (!Field(&f, depth)) return false;
      fields->push_back(std::move(f));
    }
  }

  bool Field(FieldDecl* f, size_t depth) {
    f->at = c_.Peek().at;
    bool radixGiven = false;
    while (true) {
      if (c_.AcceptWord("key")) f->isKey = true;
      else if (c_.AcceptWord("unsigned")) f->isUnsigned = true;
      else if (c_.AcceptWord("signed")) f->isUnsigned = false;
      else if (c_.AcceptWord("hex")) f->radix = Radix::kHex, radixGiven = true;
      else if (c_.AcceptWord("decimal")) f->radix = Radix::kDecimal, radixGiven = true;
      else if (c_.AcceptWord("octal")) f->radix = Radix::kOctal, radixGiven = true;
      else if (c_.AcceptWord("binary")) f->radix = Radix::kBinary, radixGiven = true;
      else if (c_.AcceptWord("literal")) f->radix = Radix::kLiteral, radixGiven = true;
      else break;
    }
    const bool modified = f->isKey || f->isUnsigned || radixGiven;
    const Token word = c_.Peek();
    if (word.IsWord("boolean") || word.IsWord("byte") || word.IsWord("integer") ||
        word.IsWord("longint") || word.IsWord("bitstring")) {
      c_.Next();
      f->kind = FieldKind::kNumber;
      f->bits = word.IsWord("boolean") ? 1 : word.IsWord("byte") ? 8 : word.IsWord("integer") ? 16 : 32;
      f->isBoolean = word.IsWord("boolean");
      if (word.IsWord("bitstring")) {
        ExprPtr width;
        int32_t bits = 0;
        if (!c_.Expect("[", "after bitstring") || !ParseExpression(c_, &width) ||
            !c_.Expect("]", "to close the bitstring's width") ||
            !ConstantNumber(session_, *width, &bits, "a bitstring's width"))
          return false;
        if (bits < 1 || bits > 32) return session_.Fail(width->at, "a bitstring has 1 to 32 bits");
        f->bits = bits;
      }
      return Values(f, true);
    }
    if (word.IsWord("char") || word.IsWord("string") || word.IsWord("pstring") ||
        word.IsWord("wstring") || word.IsWord("cstring")) {
      c_.Next();
      f->kind = FieldKind::kString;
      f->stringKind = word.IsWord("char")      ? StringKind::kChar
                      : word.IsWord("pstring") ? StringKind::kPascal
                      : word.IsWord("wstring") ? StringKind::kWord
                      : word.IsWord("cstring") ? StringKind::kC
                                               : StringKind::kPlain;
      if (f->isKey || f->isUnsigned || (radixGiven && f->radix != Radix::kHex))
        return session_.Fail(f->at, "a string field takes only the hex modifier");
      if (f->stringKind != StringKind::kChar && c_.Accept("[")) {
        if (!ParseExpression(c_, &f->length) || !c_.Expect("]", "to close the string's length"))
          return false;
      }
      return Values(f, false);
    }
    if (modified) return c_.FailHere("a number or string field type after its modifiers");
    if (word.IsWord("point") || word.IsWord("rect")) {
      c_.Next();
      f->kind = word.IsWord("point") ? FieldKind::kPoint : FieldKind::kRect;
      return c_.Expect(";", std::string("after ") + word.text);
    }
    if (word.IsWord("fill")) {
      c_.Next();
      f->kind = FieldKind::kFill;
      if (!ParseUnit(c_, &f->bits, "fill")) return false;
      if (c_.Accept("[") && (!ParseExpression(c_, &f->length) || !c_.Expect("]", "to close the fill's count")))
        return false;
      return c_.Expect(";", "after the fill");
    }
    if (word.IsWord("align")) {
      c_.Next();
      f->kind = FieldKind::kAlign;
      return ParseUnit(c_, &f->bits, "align") && c_.Expect(";", "after the alignment");
    }
    if (word.IsWord("wide") || word.IsWord("array")) {
      c_.Next();
      f->kind = FieldKind::kArray;
      if (word.IsWord("wide")) {
        f->wide = true;
        if (!c_.AcceptWord("array")) return c_.FailHere("'array' after 'wide'");
      }
      if (c_.Peek().kind == TokenKind::kIdentifier) f->name = c_.Next().text;
      if (c_.Accept("[") && (!ParseExpression(c_, &f->length) || !c_.Expect("]", "to close the array's count")))
        return false;
      if (!c_.Expect("{", "to open the array's fields") || !Fields(&f->fields, depth + 1, false) ||
          !c_.Expect("}", "to close the array's fields"))
        return false;
      return c_.Expect(";", "after the array");
    }
    if (word.IsWord("switch")) {
      c_.Next();
      f->kind = FieldKind::kSwitch;
      if (!c_.Expect("{", "after switch")) return false;
      while (c_.AcceptWord("case")) {
        SwitchCase sc;
        const Token& name = c_.Peek();
        if (name.kind != TokenKind::kIdentifier) return c_.FailHere("the case's name");
        sc.name = name.text;
        sc.lower = Lower(name.text);
        sc.at = name.at;
        c_.Next();
        if (!c_.Expect(":", "after the case's name") || !Fields(&sc.fields, depth + 1, true)) return false;
        f->cases.push_back(std::move(sc));
      }
      if (f->cases.empty()) return c_.FailHere("'case' in the switch");
      return c_.Expect("}", "to close the switch") && c_.Expect(";", "after the switch");
    }
    if (word.IsWord("optional")) {
      c_.Next();
      f->kind = FieldKind::kOptional;
      if (depth > 0) return session_.Fail(f->at, "an optional block stands only at the end of a type");
      return c_.Expect("{", "after optional") && Fields(&f->fields, depth + 1, false) &&
             c_.Expect("}", "to close the optional block") && c_.Expect(";", "after the optional block");
    }
    return c_.FailHere("a field (boolean, byte, integer, longint, bitstring, char, string, pstring, "
                       "wstring, cstring, point, rect, fill, align, array, switch) or a label");
  }

  // "= value" (a constant) or "name = value, name, ..." (the values a resource may name).
  bool Values(FieldDecl* f, bool numeric) {
    if (c_.Accept("=")) {
      if (!ParseExpression(c_, &f->constant)) return false;
    } else if (c_.Peek().kind == TokenKind::kIdentifier) {
      int32_t next = 0;
      do {
        const Token& name = c_.Peek();
        if (name.kind != TokenKind::kIdentifier) return c_.FailHere("a value's name");
        Symbol s;
        s.name = name.text;
        s.lower = Lower(name.text);
        c_.Next();
        if (c_.Accept("=")) {
          if (!ParseExpression(c_, &s.value)) return false;
        } else if (!numeric) {
          return c_.FailHere("'=' and the string that " + s.name + " stands for");
        }
        if (numeric) {
          // Names without a value count on from the one before, the first from 0.
          if (s.value && !ConstantNumber(session_, *s.value, &next, "a named value")) return false;
          ExprPtr number = std::make_unique<Expr>();
          number->kind = Expr::Kind::kNumber;
          number->at = name.at;
          number->number = next;
          s.value = std::move(number);
          next = static_cast<int32_t>(static_cast<uint32_t>(next) + 1);
        }
        f->symbols.push_back(std::move(s));
      } while (c_.Accept(","));
    }
    if (f->isKey && !f->constant)
      return session_.Fail(f->at, "a key field needs its value, as in key integer = 4");
    return c_.Expect(";", "after the field");
  }

  TokenCursor& c_;
  Session& session_;
  TypeDecl* decl_;
};

bool DataItems(TokenCursor& c, std::vector<DataItem>* items, size_t depth);

bool OneDataItem(TokenCursor& c, DataItem* item, size_t depth) {
  const Token& t = c.Peek();
  item->at = t.at;
  if (t.Is("{")) {
    c.Next();
    item->kind = DataItem::Kind::kGroup;
    return DataItems(c, &item->items, depth + 1) && c.Expect("}", "to close the braces");
  }
  if (t.kind == TokenKind::kIdentifier && c.Peek(1).Is("{")) {
    item->kind = DataItem::Kind::kCase;
    item->caseName = t.text;
    c.Next();
    c.Next();
    return DataItems(c, &item->items, depth + 1) && c.Expect("}", "to close the case " + item->caseName);
  }
  item->kind = DataItem::Kind::kValue;
  return ParseExpression(c, &item->value, depth);
}

bool DataItems(TokenCursor& c, std::vector<DataItem>* items, size_t depth) {
  if (depth > c.session().limits().maxNesting)
    return c.session().Fail(c.Peek().at, "braces nested too deeply");
  while (!c.Peek().Is("}")) {
    DataItem item;
    if (!OneDataItem(c, &item, depth)) return false;
    items->push_back(std::move(item));
    if (c.Accept(",") || c.Accept(";")) continue;
    if (!c.Peek().Is("}")) return c.FailHere("',' or '}' after a value");
  }
  return true;
}

}  // namespace

bool ParseTypeBody(TokenCursor& cursor, TypeDecl* decl) { return TypeParser(cursor, decl).Body(); }

bool ParseDataBody(TokenCursor& cursor, std::vector<DataItem>* items) {
  return DataItems(cursor, items, 0) && cursor.Expect("}", "to close the resource's data");
}

bool ParseResourceHeader(TokenCursor& cursor, ResourceHeader* header, const char* statement) {
  header->at = cursor.Peek().at;
  if (!ParseExpression(cursor, &header->type)) return false;
  if (!cursor.Expect("(", std::string("and the resource's ID after the type in a ") + statement))
    return false;
  if (!ParseExpression(cursor, &header->id)) return false;
  while (cursor.Accept(",")) {
    ExprPtr extra;
    if (!ParseExpression(cursor, &extra)) return false;
    header->extras.push_back(std::move(extra));
  }
  return cursor.Expect(")", "after the resource's ID, name and attributes");
}

bool ParseRange(TokenCursor& cursor, RangeExpressions* range) {
  if (!cursor.Peek().Is("(")) return true;
  range->present = true;
  range->at = cursor.Next().at;
  if (!ParseExpression(cursor, &range->low)) return false;
  if (cursor.Accept(":") && !ParseExpression(cursor, &range->high)) return false;
  return cursor.Expect(")", "to close the ID range");
}

}  // namespace zeb::rez
