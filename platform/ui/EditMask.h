#pragma once
// EditMask: the input mask of a single-line edit. A mask holds up to three
// fields separated by ';': the pattern, whether the value keeps the literal
// characters ("0": no; anything else or nothing: yes) and the character shown
// in positions not filled yet (default '_').
//
// | pattern | position                                    |
// |---------|---------------------------------------------|
// | 0 / 9   | digit, required / optional                  |
// | #       | digit, '+' or '-', optional                 |
// | L / l   | letter, required / optional                 |
// | A / a   | letter or digit, required / optional        |
// | C / c   | any character, required / optional          |
// | > / <   | the following letters upper / lower case    |
// | <>      | the following letters keep their case       |
// | \x      | x as a literal                              |
// | other   | itself as a literal                         |
//
// The edit text has one character per position: literals where the pattern
// has them, the blank character where nothing was typed yet.

#include <string>
#include <vector>

class TEditMask {
 public:
  explicit TEditMask(const std::string& Mask);
  // True for a mask without positions (the edit is not masked).
  bool Empty() const { return FPositions.empty(); }
  int Length() const { return static_cast<int>(FPositions.size()); }
  char16_t Blank() const { return FBlank; }
  bool SavesLiterals() const { return FSaveLiterals; }
  bool IsLiteral(int Pos) const;
  char16_t LiteralAt(int Pos) const;
  // The edit text before anything is typed.
  std::u16string EmptyText() const;
  // The character C typed at position Pos after its case rule; 0 when the
  // position refuses it (and for literal positions).
  char16_t Accept(int Pos, char16_t C) const;
  // The first position at or after Pos that takes input (Length() when none)
  // and the last one before Pos (-1 when none).
  int NextEditable(int Pos) const;
  int PrevEditable(int Pos) const;
  // A value laid into the edit text: with saved literals position by
  // position, else its characters fill the input positions in order; a
  // character a position refuses leaves it blank.
  std::u16string Format(const std::u16string& Value) const;
  // The value of an edit text: unfilled positions become blanks (' '), the
  // literals stay when the mask saves them.
  std::u16string Value(const std::u16string& EditText) const;
  // Every required position of the edit text is filled.
  bool Complete(const std::u16string& EditText) const;

 private:
  enum class TKind { Literal, Digit, DigitSign, Letter, AlphaNum, Any };
  enum class TCase { Keep, Upper, Lower };
  struct TPosition {
    TKind Kind = TKind::Literal;
    bool Required = false;
    TCase Case = TCase::Keep;
    char16_t Literal = 0;
  };
  std::vector<TPosition> FPositions;
  bool FSaveLiterals = true;
  char16_t FBlank = u'_';
};
