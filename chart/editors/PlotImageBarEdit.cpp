// The image bar series format page.
#include "chart/editors/PlotImageBarEdit.h"

#include <exception>

#include "chart/editors/PlotBarSeriesEdit.h"
#include "chart/extras/ImageBar.h"
#include "chart/series/PlotBrushDlg.h"
#include "platform/ui/Dialogs.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TImageBarSeriesEditor, TSeriesFormBase) {}

TImageBarSeriesEditor::TImageBarSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("ImageBarSeriesEditor");
  Image1 = PlaceControl<TImage>(this, "Image1", 8, 8, 120, 100);
  Image1->Stretch = true;
  Image1->Proportional = true;
  Image1->Center = true;
  BBrowse = PlaceControl<TButton>(this, "BBrowse", 140, 8, 90, 25);
  BBrowse->SetCaption("B&rowse...");
  CBTiled = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Tiled", "ImageTiled")), this, "CBTiled", 140,
                             44, 90, 17);
  SetClientWidth(250);
  SetClientHeight(120);
  BBrowse->OnClick = [this](TObject* S) { BBrowseClick(S); };
}

void TImageBarSeriesEditor::RefreshPicture() {
  auto* S = SeriesAs<TImageBarSeries>();
  const bool Loaded = S && !S->Image()->Empty();
  Image1->Picture()->Assign(S && Loaded ? S->Image() : nullptr);
  BBrowse->SetCaption(Loaded ? "Clea&r" : "B&rowse...");
  CBTiled->SetEnabled(Loaded);
}

void TImageBarSeriesEditor::FillForm() {
  RefreshPicture();
  if (auto* Bar = dynamic_cast<TBarSeriesEditor*>(
          EmbedOnce("Bar", TBarSeriesEditor::StaticClass(), EditedSeries(), 1))) {
    Bar->LStyle->Hide();
    Bar->CBBarStyle->Hide();
  }
}

void TImageBarSeriesEditor::BBrowseClick(TObject*) {
  auto* S = SeriesAs<TImageBarSeries>();
  if (!S) return;
  // A file that is no picture leaves the series' picture as it was.
  try {
    PlotBrushDlg::TogglePicture(this, S->Image());
  } catch (const std::exception& E) {
    Dialogs::ShowMessage(E.what());
  }
  RefreshPicture();
}
