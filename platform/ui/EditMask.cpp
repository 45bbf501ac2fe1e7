#include "platform/ui/EditMask.h"

#include "platform/ui/CustomEdit.h"

#include <QChar>
#include <QString>

#include <algorithm>

namespace {

using CustomEdit::Wide;

bool IsDigit(char16_t C) { return C >= u'0' && C <= u'9'; }
bool IsLetter(char16_t C) { return QChar(C).isLetter(); }

}  // namespace

TEditMask::TEditMask(const std::string& Mask) {
  const std::u16string m = Wide(Mask);
  // The fields after the pattern: the literal switch and the blank character.
  size_t end = m.size();
  const size_t last = m.rfind(u';');
  if (last != std::u16string::npos && last > 0 && m[last - 1] != u'\\') {
    const size_t before = m.rfind(u';', last - 1);
    if (before != std::u16string::npos && before > 0 && m[before - 1] != u'\\') {
      // pattern ; literals ; blank
      const std::u16string save = m.substr(before + 1, last - before - 1);
      FSaveLiterals = save != u"0";
      if (last + 1 < m.size()) FBlank = m[last + 1];
      end = before;
    } else {
      const std::u16string save = m.substr(last + 1);
      FSaveLiterals = save != u"0";
      end = last;
    }
  }
  TCase current = TCase::Keep;
  for (size_t i = 0; i < end; ++i) {
    const char16_t c = m[i];
    TPosition p;
    p.Case = current;
    switch (c) {
      case u'>':
        if (i + 1 < end && m[i + 1] == u'<') {
          current = TCase::Keep;
          ++i;
        } else {
          current = TCase::Upper;
        }
        continue;
      case u'<':
        current = TCase::Lower;
        continue;
      case u'!':
        continue;  // blanks lead or trail in the value alike here
      case u'\\':
        if (i + 1 < end) p.Literal = m[++i];
        else p.Literal = c;
        break;
      case u'0': p.Kind = TKind::Digit; p.Required = true; break;
      case u'9': p.Kind = TKind::Digit; break;
      case u'#': p.Kind = TKind::DigitSign; break;
      case u'L': p.Kind = TKind::Letter; p.Required = true; break;
      case u'l': p.Kind = TKind::Letter; break;
      case u'A': p.Kind = TKind::AlphaNum; p.Required = true; break;
      case u'a': p.Kind = TKind::AlphaNum; break;
      case u'C': p.Kind = TKind::Any; p.Required = true; break;
      case u'c': p.Kind = TKind::Any; break;
      default: p.Literal = c; break;
    }
    FPositions.push_back(p);
  }
}

bool TEditMask::IsLiteral(int Pos) const {
  return Pos >= 0 && Pos < Length() && FPositions[size_t(Pos)].Kind == TKind::Literal;
}

char16_t TEditMask::LiteralAt(int Pos) const { return IsLiteral(Pos) ? FPositions[size_t(Pos)].Literal : 0; }

std::u16string TEditMask::EmptyText() const {
  std::u16string t;
  for (const TPosition& p : FPositions) t += p.Kind == TKind::Literal ? p.Literal : FBlank;
  return t;
}

char16_t TEditMask::Accept(int Pos, char16_t C) const {
  if (Pos < 0 || Pos >= Length() || C < 32) return 0;
  const TPosition& p = FPositions[size_t(Pos)];
  bool ok = false;
  switch (p.Kind) {
    case TKind::Literal: return 0;
    case TKind::Digit: ok = IsDigit(C); break;
    case TKind::DigitSign: ok = IsDigit(C) || C == u'+' || C == u'-'; break;
    case TKind::Letter: ok = IsLetter(C); break;
    case TKind::AlphaNum: ok = IsDigit(C) || IsLetter(C); break;
    case TKind::Any: ok = true; break;
  }
  if (!ok) return 0;
  if (p.Case == TCase::Upper) return QChar(C).toUpper().unicode();
  if (p.Case == TCase::Lower) return QChar(C).toLower().unicode();
  return C;
}

int TEditMask::NextEditable(int Pos) const {
  for (int i = std::max(0, Pos); i < Length(); ++i)
    if (!IsLiteral(i)) return i;
  return Length();
}

int TEditMask::PrevEditable(int Pos) const {
  for (int i = std::min(Pos, Length()) - 1; i >= 0; --i)
    if (!IsLiteral(i)) return i;
  return -1;
}

std::u16string TEditMask::Format(const std::u16string& Value) const {
  std::u16string t = EmptyText();
  if (FSaveLiterals) {
    for (int i = 0; i < Length() && i < static_cast<int>(Value.size()); ++i)
      if (!IsLiteral(i) && Value[size_t(i)] != u' ')
        if (const char16_t c = Accept(i, Value[size_t(i)])) t[size_t(i)] = c;
    return t;
  }
  int pos = NextEditable(0);
  for (char16_t v : Value) {
    if (pos >= Length()) break;
    if (v != u' ')
      if (const char16_t c = Accept(pos, v)) t[size_t(pos)] = c;
    pos = NextEditable(pos + 1);
  }
  return t;
}

std::u16string TEditMask::Value(const std::u16string& EditText) const {
  std::u16string v;
  for (int i = 0; i < Length(); ++i) {
    const char16_t c = i < static_cast<int>(EditText.size()) ? EditText[size_t(i)] : FBlank;
    if (IsLiteral(i)) {
      if (FSaveLiterals) v += LiteralAt(i);
    } else {
      v += c == FBlank ? u' ' : c;
    }
  }
  return v;
}

bool TEditMask::Complete(const std::u16string& EditText) const {
  for (int i = 0; i < Length(); ++i) {
    if (!FPositions[size_t(i)].Required) continue;
    if (i >= static_cast<int>(EditText.size()) || EditText[size_t(i)] == FBlank) return false;
  }
  return true;
}
