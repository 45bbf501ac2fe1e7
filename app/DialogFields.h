#pragma once
// Helpers of the dialogs: caption labels beside edits, and the checked reading
// of number fields with a message that names the field, its text and what it takes.

#include <optional>
#include <string>

class TWinControl;
class TLabel;
class TEdit;
class TabcSuperLabel;
class TabcPicBtn;
class TForm;
class TComboBox;
class TGroupBox;
class TCheckBox;

namespace DialogFields {
// A label with a single border at Left,Top and an edit of Width beside it.
TLabel* AddLabel(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width);
TEdit* AddEdit(TWinControl* Parent, int Left, int Top, int Width);
// A captioned group frame, and a check box of the standard height.
TGroupBox* AddGroup(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width, int Height);
TCheckBox* AddCheck(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width);
// A framed caption box (single 3-D border, caption centred vertically) that an
// edit placed afterwards covers on its right part.
TabcSuperLabel* AddCaptionBox(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width,
                              int Height);
// A dialog's 75 by 29 command button in Arial, with the recessed black frame that lights up when hovered.
TabcPicBtn* AddCommandButton(TWinControl* Parent, const std::string& Caption, int Left, int Top);
// The field's real ("," read as "."), or none with Problem set when the text is
// no number. Field is the label text without its leading blanks.
std::optional<double> ReadReal(const TEdit& Edit, const std::string& Field, std::string& Problem);
// A whole number within Lower..Upper, or none with Problem set.
std::optional<int> ReadInteger(const TEdit& Edit, const std::string& Field, int Lower, int Upper,
                               std::string& Problem);
// Escape closes the dialog as its close button does: cancelled, nothing applied.
void CancelOnEscape(TForm& Form);
// Widens the dialog to its content at the fonts in use: each combo box to its
// widest item (the frames reaching its right edge and the dialog grow with it),
// and the dialog to its caption beside the title-bar buttons.
void FitToContent(TForm& Form);
// The width a combo box needs for its widest item and its arrow; the width a
// dialog needs for its caption.
int ComboWidthNeeded(const TComboBox& Combo);
int CaptionWidthNeeded(const TForm& Form);
}  // namespace DialogFields
