#pragma once
// The "Body parameters" dialog: the physical properties of one polygon of the
// model, its label mode and user text, and the colour, pen and brush of the
// shape that draws it, optionally copied to every other polygon.

#include <array>
#include <cstdint>
#include <string>

#include "platform/rtl/WeakRef.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TPlotPolygon;
class TPolygonChart;

class TBsetup : public TForm {
  KV_CLASS(TBsetup, TForm)
 public:
  explicit TBsetup(TComponent* AOwner);

  // What the dialog edits: the chart (not owned), the body, the polygon within
  // it and the index of the polygon's shape in the chart's map series.
  WeakRef<TPolygonChart> Chart;
  int32_t Body = 0;
  int32_t PolygonIndex = 0;
  int32_t ShapeIndex = -1;
  // Density and susceptibility are shown only while gravity or magnetic data are loaded.
  bool GravMagLoaded = false;

  TButton* Button7 = nullptr;  // "Color"
  TButton* Button5 = nullptr;  // "Pen"
  TButton* Button1 = nullptr;  // "Brush"
  TCheckBox* CheckBox1 = nullptr;  // copy the colour to all polygons
  TCheckBox* CheckBox2 = nullptr;  // copy the pen
  TCheckBox* CheckBox3 = nullptr;  // copy the brush
  TCheckBox* CheckBox5 = nullptr;  // copy the label mode
  TLabel* Label1 = nullptr;  // rho
  TLabel* Label2 = nullptr;  // "ohm m"
  TLabel* Label3 = nullptr;  // eta
  TLabel* Label4 = nullptr;  // "%"
  TLabel* Label5 = nullptr;  // sigma
  TLabel* Label6 = nullptr;  // "g/sm"
  TLabel* Label10 = nullptr;  // raised "3"
  TLabel* Label7 = nullptr;  // chi
  TLabel* Label8 = nullptr;  // "10  SGS"
  TLabel* Label9 = nullptr;  // raised "-5"
  TEdit* Edit1 = nullptr;  // resistivity, ohm m
  TEdit* Edit2 = nullptr;  // polarizability, %
  TEdit* Edit3 = nullptr;  // density, g/cm3
  TEdit* Edit4 = nullptr;  // susceptibility, 10^-5 CGS
  TEdit* Edit5 = nullptr;  // user text
  TComboBox* ComboBox1 = nullptr;  // label mode
  TButton* Button3 = nullptr;  // "Apply"
  TButton* Button8 = nullptr;  // "As default"
  TButton* Button4 = nullptr;  // "Close"
  TColorDialog* ColorDialog1 = nullptr;

  // Fills the controls from the polygon.
  void LoadFromBody();
  // Checks the number fields whose text changed since loading; false, with the
  // message naming the field, its text and what it takes, when one is bad.
  bool CheckFields(std::string& Problem) const;
  // Writes the controls into the polygon (a number only when its text changed
  // since loading) and copies the ticked styles to every other polygon but the
  // model outline; true when any copy box is ticked. Call CheckFields first.
  bool StoreToBody();
  // Whether the user changed anything since loading: a number, the label mode,
  // the user text, a copy box, or the colour, pen or brush of the shape.
  bool Changed() const;
  // Stores and redraws the model (nothing when nothing changed, so that closing
  // leaves the model as it was); false, after telling why, when a field is bad.
  bool Apply();

  void Button1Click(TObject* Sender);  // "Brush"
  void Button3Click(TObject* Sender);  // "Apply"
  void Button4Click(TObject* Sender);  // "Close"
  void Button5Click(TObject* Sender);  // "Pen"
  void Button7Click(TObject* Sender);  // "Color"
  void Button8Click(TObject* Sender);  // "As default"

 private:
  // The shape the dialog styles; none when the polygon has no shape (the outline).
  TPlotPolygon* Shape() const;
  void RefreshSeries() const;
  // The texts of Edit1..Edit4 as loaded (or last stored).
  std::array<std::string, 4> FLoadedTexts;
  int32_t FLoadedLabelMode = 0;
  std::string FLoadedUserText;
  bool FStyleChanged = false;
};

namespace bsetupun {
// The one dialog, made on first use (owned by the application); none before.
extern WeakRef<TBsetup> Bsetup;
// The chart's body-dialog hook: the dialog for the polygon, loaded and shown modally.
void ShowBodyDialog(TPolygonChart& Chart, int32_t Shape, int32_t Body, int32_t PolygonIndex, bool GravMagLoaded);
// The label-mode items in item order (the stored label mode).
inline constexpr const char* LabelModes[] = {"None", "Resistivity", "Resistivity&Polarizability", "All",
                                             "User text"};
}  // namespace bsetupun
