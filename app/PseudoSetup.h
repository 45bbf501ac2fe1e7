#pragma once
// The "Contour-section setup" dialog: plot margins, number of contour levels,
// fill and isoline colours, isolines on or off, user data limits, the level
// file and the colour-bar label font of a contoured pseudo-section view. "Apply"
// writes the controls into the view and redraws it; the dialog stays open.

#include <string>

#include "platform/rtl/WeakRef.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Spin.h"
#include "platform/ui/StdCtrls.h"

class TPseudoSection2d;
class TdfsColorButton;
class TabcFileOpenEdit;
class TabcPicBtn;

class TPseudosetupForm : public TForm {
  KV_CLASS(TPseudosetupForm, TForm)
 public:
  explicit TPseudosetupForm(TComponent* AOwner);

  TGroupBox* GroupBox1 = nullptr;  // "Box margins (pixels)"
  TSpinEdit* PSLeftval = nullptr;
  TSpinEdit* PStopval = nullptr;
  TSpinEdit* PSRightval = nullptr;
  TSpinEdit* PSBottomval = nullptr;
  TSpinEdit* PSLevNum = nullptr;  // "  Num levels", 2 to 100
  TGroupBox* GroupBox2 = nullptr;  // the fill and isoline colours
  TdfsColorButton* PSMinContour = nullptr;
  TdfsColorButton* PScontour1_3 = nullptr;
  TdfsColorButton* PScontour2_3 = nullptr;
  TdfsColorButton* PSMaxContour = nullptr;
  TdfsColorButton* PSMinIsoline = nullptr;
  TdfsColorButton* PSMaxIsoline = nullptr;
  TCheckBox* PSLinesVisible = nullptr;  // "  Isolines"
  TButton* Button1 = nullptr;           // "Font"
  TGroupBox* GroupBox3 = nullptr;       // "User data limits"
  TCheckBox* PSuseExternal = nullptr;   // "  User limits"
  TEdit* PSExtMin = nullptr;
  TEdit* PSExtMax = nullptr;
  TabcFileOpenEdit* abcFileOpenEdit1 = nullptr;  // the level file
  TabcPicBtn* abcPicBtn3 = nullptr;              // "Apply"
  TabcPicBtn* abcPicBtn4 = nullptr;              // "Cancel"

  // The view the dialog edits (not owned); none before the first load.
  TPseudoSection2d* View() const { return FView.Get(); }
  // Controls := the view's settings (fires no handler that stores).
  void LoadFromSection(TPseudoSection2d& Section);
  // Checks every control and writes all of them into the view only when all are
  // good; false, with Problem naming the field, its text and what it takes.
  bool StoreToSection(std::string& Problem);

  void abcPicBtn3Click(TObject* Sender);  // "Apply"
  void abcPicBtn4Click(TObject* Sender);  // "Cancel"
  void Button1Click(TObject* Sender);     // "Font"
  void PSuseExternalClick(TObject* Sender);
  void abcFileOpenEdit1AfterExecute(TObject* Sender);

 private:
  WeakRef<TPseudoSection2d> FView;
};

namespace PseudoSetup {
// The one dialog, made on first use (owned by the application); none before.
extern WeakRef<TPseudosetupForm> PseudosetupForm;
// The view's "Setup": the dialog loaded from the view and shown modally.
int ShowContourSetup(TPseudoSection2d& View);
}  // namespace PseudoSetup
