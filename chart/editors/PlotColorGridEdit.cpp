// The colour grid series format page.
#include "chart/editors/PlotColorGridEdit.h"

#include <memory>

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/series/PlotBrushDlg.h"
#include "platform/rtl/SysUtils.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TColorGridEditor, TSeriesFormBase) {}

TColorGridEditor::TColorGridEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("ColorGridEditor");
  CBCentered = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Centered", "CenteredPoints")), this,
                                "CBCentered", 8, 8, 100, 17);
  CBSmooth = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Sm&ooth", "SmoothBitmap")), this,
                              "CBSmooth", 8, 32, 100, 17);
  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", 8, 56, 112, 76);
  GroupBox1->SetCaption("Grid Every:");
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&X:", "XGridEvery", 1, 100)), GroupBox1,
                          "Edit2", "UDX", "Label1", 8, 32, 18, 50, Edit2, UDX, Label1);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Z:", "ZGridEvery", 1, 100)), GroupBox1,
                          "Edit1", "UDZ", "Label2", 8, 32, 46, 50, Edit1, UDZ, Label2);
  BGrid = PlaceControl<TButtonPen>(this, "BGrid", 132, 8, 95, 25);
  BGrid->SetCaption("&Grid...");
  ButtonPen1 = PlaceControl<TButtonPen>(this, "ButtonPen1", 132, 38, 95, 25);
  ButtonPen1->SetCaption("&Frame...");
  // Bound to no pen of the series: nothing for them to edit.
  BGrid->SetEnabled(false);
  ButtonPen1->SetEnabled(false);
  Button2 = PlaceControl<TButton>(this, "Button2", 132, 68, 95, 25);
  Button2->SetCaption("&Load...");
  SetClientWidth(236);
  SetClientHeight(140);
  Button2->OnClick = [this](TObject* S) { Button2Click(S); };
}

TColorGridSeries* TColorGridEditor::Grid() const { return SeriesAs<TColorGridSeries>(); }

void TColorGridEditor::FillForm() {
  TColorGridSeries* S = Grid();
  EmbedOnce("Grid 3D", [this, S] { return PlotGriEd::InsertGrid3DEditor(this, S); });
}

void TColorGridEditor::Button2Click(TObject*) {
  TColorGridSeries* S = Grid();
  if (!S) return;
  const std::string File = PlotBrushDlg::AskPictureFile(this);
  if (File.empty()) return;
  try {
    PlotColorGridEdit::LoadGridPicture(*S, File);
  } catch (const std::exception& E) {
    // The grid keeps its values when the picture cannot be taken.
    Application->ShowException(E);
    return;
  }
  auto* Palette = dynamic_cast<TGrid3DSeriesEditor*>(EmbeddedForm("Grid 3D"));
  if (Palette && PlotEngine::SeriesHasOwnColors(*S)) Palette->BRemove->SetEnabled(true);
}

namespace PlotColorGridEdit {

void LoadGridPicture(TColorGridSeries& Series, const std::string& FileName) {
  auto Picture = std::make_unique<TPicture>();
  Picture->LoadFromFile(FileName);
  const TGraphic* Graphic = Picture->GetGraphic();
  if (!Graphic || Picture->Empty()) throw EInvalidGraphic("No picture in " + FileName);
  // The grid index holds a row and a column more than the picture.
  const double Entries = (double(Graphic->GetWidth()) + 1) * (double(Graphic->GetHeight()) + 1);
  if (Entries > TCustom3DGridSeries::MaxGridEntries)
    throw EInvalidGraphic(SysUtils::Format("The picture %s of %d x %d pixels is too large for a grid",
                                           {FileName, Graphic->GetWidth(), Graphic->GetHeight()}));
  Series.LoadFromGraphic(*Graphic);
}

}  // namespace PlotColorGridEdit
