#pragma once
// A field set to a value for the length of a scope and given its old value back
// on every exit path, exceptions included (switched-off repaints, printing
// flags, temporary sizes).

template <class T>
class [[nodiscard]] TRestore {
 public:
  TRestore(T& Field, T Value) : FField(Field), FSaved(Field) { Field = Value; }
  ~TRestore() { FField = FSaved; }
  TRestore(const TRestore&) = delete;
  TRestore& operator=(const TRestore&) = delete;
  // Changes the value the field gets back when the scope ends.
  void Keep(T Value) { FSaved = Value; }

 private:
  T& FField;
  T FSaved;
};
