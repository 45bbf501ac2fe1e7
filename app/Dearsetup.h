#pragma once
// The "Default array" dialog: electrode array and layout of a generated survey.

#include <string>

#include "platform/ui/Forms.h"
#include "platform/ui/Spin.h"
#include "platform/ui/StdCtrls.h"

class TSurvey;

class TDefarray : public TForm {
  KV_CLASS(TDefarray, TForm)
 public:
  explicit TDefarray(TComponent* AOwner);

  // The survey whose generator settings the dialog edits (not owned).
  TSurvey* Survey = nullptr;

  TComboBox* ComboBox6 = nullptr;  // "  Electrode array"
  TSpinEdit* SpinEdit3 = nullptr;  // "  Point number", 1 to 100
  TEdit* Edit1 = nullptr;          // "  Minimal separation", 0.5 to 300
  TSpinEdit* SpinEdit2 = nullptr;  // "  Point separation", 1 to 50
  TSpinEdit* SpinEdit1 = nullptr;  // "  Levels number", 1 to 50
  TButton* abcPicBtn1 = nullptr;   // "Apply"

  // Selects "Wenner" and puts the generator's defaults into the fields.
  void FormCreate(TObject* Sender);
  // The fields from Survey's generator settings: what a cancelled edit left in
  // them is not shown again.
  void LoadFields();
  // Checks every field and stores all of them in Survey only when all are good;
  // false, with the message naming the bad field, otherwise.
  bool StoreFields(std::string& Problem);
  // "Apply": stores and closes with OK, or shows the problem and stays open.
  void abcPicBtn1Click(TObject* Sender);
};

namespace Dearsetup {
// The array types in item order (the generator's array type index).
inline constexpr const char* ArrayNames[] = {
    "Wenner", "Pole-Dipole forward", "Pole-Dipole reverse", "Dipole-Dipole forward", "Dipole-Dipole reverse",
    "Gradient", "Pole-Pole forward", "Pole-Pole reverse", "VES"};
// The dialog created by the program entry; none before.
extern TDefarray* Defarray;
}  // namespace Dearsetup
