#pragma once
// Helpers of the dialogs: caption labels beside edits, and the checked reading
// of number fields with a message that names the field, its text and what it takes.

#include <optional>
#include <string>

class TWinControl;
class TLabel;
class TEdit;

namespace DialogFields {
// A label with a single border at Left,Top and an edit of Width beside it.
TLabel* AddLabel(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width);
TEdit* AddEdit(TWinControl* Parent, int Left, int Top, int Width);
// The field's real ("," read as "."), or none with Problem set when the text is
// no number. Field is the label text without its leading blanks.
std::optional<double> ReadReal(const TEdit& Edit, const std::string& Field, std::string& Problem);
// A whole number within Lower..Upper, or none with Problem set.
std::optional<int> ReadInteger(const TEdit& Edit, const std::string& Field, int Lower, int Upper,
                               std::string& Problem);
}  // namespace DialogFields
