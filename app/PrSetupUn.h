#pragma once
// The "Program setup" dialog: the length quadrature order, the recalculation of
// the apparent polarizability and the options with which the model is divided
// into the computation mesh. Every control mirrors a setting of the main
// window; the mesh preview on the model follows each valid change at once.

#include <string>

#include "platform/rtl/WeakRef.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Spin.h"
#include "platform/ui/StdCtrls.h"

class TMainForm;

class TSetupForm : public TForm {
  KV_CLASS(TSetupForm, TForm)
 public:
  explicit TSetupForm(TComponent* AOwner);

  // The window whose settings the dialog edits (not owned).
  WeakRef<TMainForm> MainForm;

  TPageControl* TabbedNotebook1 = nullptr;
  TTabSheet* ForwardPage = nullptr;  // "Forward modelling"
  TSpinEdit* SpinEdit9 = nullptr;    // " Length quadrature ", 2 to 8
  TCheckBox* CheckBox1 = nullptr;    // " Recalculate Etha_a"
  TGroupBox* GroupBox1 = nullptr;    // "Dividing options"
  TGroupBox* GroupBox2 = nullptr;    // "Z factors"
  TGroupBox* GroupBox3 = nullptr;    // "X factors"
  TEdit* Edit1 = nullptr;            // "FactorZ"
  TEdit* Edit2 = nullptr;            // "StartZ"
  TCheckBox* CheckBox2 = nullptr;    // "Exponent"
  TEdit* Edit3 = nullptr;            // "FactorX"
  TEdit* Edit4 = nullptr;            // "StartX"
  TButton* abcPicBtn1 = nullptr;     // "Apply"
  TButton* abcPicBtn3 = nullptr;     // "Default"
  TButton* abcPicBtn2 = nullptr;     // "Cancel"

  // Controls := the main window's settings (triggers no live change).
  void LoadFields();
  // Checks every control and stores all of them only when all are good; false,
  // with the message naming the field, its text and its range, otherwise.
  bool StoreFields(std::string& Problem);

  void abcPicBtn1Click(TObject* Sender);  // "Apply"
  void abcPicBtn2Click(TObject* Sender);  // "Cancel"
  void abcPicBtn3Click(TObject* Sender);  // "Default"
  void Edit1Change(TObject* Sender);
  void Edit2Change(TObject* Sender);
  void Edit3Change(TObject* Sender);
  void Edit4Change(TObject* Sender);
  void CheckBox2Click(TObject* Sender);
  // Kept for the form's handler table; no control fires it.
  void ComboBox5Change(TObject* /*Sender*/) {}
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  // A live edit acts only while its edit has the focus and the program is not
  // filling the controls.
  bool LiveEdit(const TEdit* Edit) const;
  // Stores a live value within Lower..Upper and redraws the preview; other texts are ignored.
  void LiveChange(const TEdit* Edit, double Lower, double Upper, double& Setting);
  void PreviewMesh();
  bool FLoading = false;
};

namespace PrSetupUn {
// The dialog made by the program entry (or on first use); none before.
extern WeakRef<TSetupForm> SetupForm;
// The "Program setup" command: loads the dialog from the window and shows it modally.
void ShowProgramSetup(TMainForm& Form);
// The hint of " Recalculate Etha_a", three lines.
inline constexpr const char* RecalculateHint =
    "When the data carry the apparent polarizability,\n"
    "the forward run and the inversion compute it\n"
    "for the model as well.";
}  // namespace PrSetupUn
