// Input masks and the texts laid into them (typed, pasted from the clipboard
// or loaded from cells): parsing, formatting and reading back stay in bounds.
#include "platform/ui/EditMask.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string text(reinterpret_cast<const char*>(Data), Size);
  const size_t cut = text.find('\n');
  const std::string mask = cut == std::string::npos ? text : text.substr(0, cut);
  const std::string value = cut == std::string::npos ? text : text.substr(cut + 1);
  const TEditMask m(mask);
  std::u16string wide;
  for (unsigned char c : value) wide += static_cast<char16_t>(c);
  const std::u16string edit = m.Format(wide);
  if (static_cast<int>(edit.size()) != m.Length()) __builtin_trap();
  const std::u16string back = m.Value(edit);
  if (m.Format(back) != edit && m.SavesLiterals()) __builtin_trap();
  m.Complete(edit);
  for (int i = -1; i <= m.Length(); ++i) {
    m.NextEditable(i);
    m.PrevEditable(i);
    m.Accept(i, i < static_cast<int>(wide.size()) && i >= 0 ? wide[size_t(i)] : u'5');
  }
  return 0;
}
