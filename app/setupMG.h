#pragma once
// The "Graphics setup" dialog of a graph manager: how its curves are coloured
// (interpolated over four palette colours, one constant colour or random
// colours), fixed line, pointer and pointer-border colours that override the
// curves' own, and the style template of the curves. Every change is applied
// to the graph manager and its curves at once.

#include <string>

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class multigraph;
class TabcColorComboBox;
class TabcSuperLabel;

class TsetMG : public TForm {
  KV_CLASS(TsetMG, TForm)
 public:
  explicit TsetMG(TComponent* AOwner);

  // The graph manager the dialog edits (not owned; the dialog lives only for
  // one use, while the window that owns the graph manager shows it).
  multigraph* Graph = nullptr;

  TComboBox* ComboBox1 = nullptr;  // "  Style": "Interpolate", "Constant", "Random"
  TGroupBox* GroupBox1 = nullptr;  // " Palette"
  TabcSuperLabel* Label1 = nullptr;  // "  Min color" or, in the Constant mode, "  Color"
  TabcSuperLabel* Label2 = nullptr;  // "  1/3 color"
  TabcSuperLabel* Label3 = nullptr;  // "  2/3 color"
  TabcSuperLabel* Label4 = nullptr;  // "  Max color"
  TabcColorComboBox* abcColorComboBox1 = nullptr;  // minimum colour
  TabcColorComboBox* abcColorComboBox2 = nullptr;  // 1/3 colour
  TabcColorComboBox* abcColorComboBox3 = nullptr;  // 2/3 colour
  TabcColorComboBox* abcColorComboBox4 = nullptr;  // maximum colour
  TabcColorComboBox* abcColorComboBox8 = nullptr;  // the constant colour, in place of the minimum
  TCheckBox* CheckBox1 = nullptr;                  // "          Line"
  TabcColorComboBox* abcColorComboBox5 = nullptr;
  TCheckBox* CheckBox2 = nullptr;  // "          Pointer"
  TabcColorComboBox* abcColorComboBox6 = nullptr;
  TCheckBox* CheckBox3 = nullptr;  // "          Border"
  TabcColorComboBox* abcColorComboBox7 = nullptr;
  TButton* Button1 = nullptr;  // "Options"
  TButton* Button2 = nullptr;  // "Default"
  TButton* Button3 = nullptr;  // "Close"

  // Controls := the graph manager's settings; nothing is stored meanwhile. The
  // first load, before the dialog shows, also sets the controls' states.
  void LoadFromGraph();
  // The graph manager's settings := the controls.
  void StoreToGraph();

  void ComboBox1Change(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void CheckBox2Click(TObject* Sender);
  void CheckBox3Click(TObject* Sender);
  // Every colour combo applies its colour at once.
  void abcColorComboBox1Change(TObject* /*Sender*/) { LiveUpdate(); }
  void abcColorComboBox2Change(TObject* /*Sender*/) { LiveUpdate(); }
  void abcColorComboBox3Change(TObject* /*Sender*/) { LiveUpdate(); }
  void abcColorComboBox4Change(TObject* /*Sender*/) { LiveUpdate(); }
  void abcColorComboBox5Change(TObject* /*Sender*/) { LiveUpdate(); }
  void abcColorComboBox6Change(TObject* /*Sender*/) { LiveUpdate(); }
  void abcColorComboBox7Change(TObject* /*Sender*/) { LiveUpdate(); }
  void abcColorComboBox8Change(TObject* /*Sender*/) { LiveUpdate(); }
  void Button1Click(TObject* Sender);  // "Options"
  void Button2Click(TObject* Sender);  // "Default"
  void Button3Click(TObject* Sender);  // "Close"

 private:
  // Stores the controls and recreates the curves, while the dialog is shown and
  // not being loaded.
  void LiveUpdate();
  void RunStateHandlers();
  bool FLoading = false;
};

namespace setupMG {
// The graph manager's "Graphics setup": a dialog made for this use, loaded,
// shown modally and freed.
int ShowGraphicsSetup(multigraph& Graph);
// The style items in item order (the colour mode).
inline constexpr const char* StyleItems[] = {"Interpolate", "Constant", "Random"};
}  // namespace setupMG
