#pragma once
// The "Model constructor" dialog: extent and start values of a new model.

#include <string>

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TModConstr : public TForm {
  KV_CLASS(TModConstr, TForm)
 public:
  explicit TModConstr(TComponent* AOwner);

  // The five values (ohm m, %, m, m, m).
  double StartResistivity = 0.0;
  double StartPolarizability = 0.0;
  double LeftEdge = 0.0;
  double RightEdge = 0.0;
  double BottomEdge = 0.0;

  TEdit* Edit1 = nullptr;  // " Start X"
  TEdit* Edit2 = nullptr;  // " End X"
  TEdit* Edit4 = nullptr;  // " Maximal depth"
  TEdit* Edit6 = nullptr;  // " Start resistivity"
  TEdit* Edit7 = nullptr;  // " Start polarizability"
  TLabel* Label7 = nullptr;
  TButton* abcPicBtn1 = nullptr;  // "Ok"

  // Shows or hides the start-polarizability label and edit.
  void SetPolarizabilityShown(bool Shown);
  // Writes the five values into the edits.
  void LoadFields();
  // Checks every edit and stores all five values only when all are good; false,
  // with the message naming the first bad field and what it accepts, otherwise.
  bool StoreFields(std::string& Problem);
  // "Ok": stores and closes, or shows the problem and stays open.
  void abcPicBtn1Click(TObject* Sender);
};
