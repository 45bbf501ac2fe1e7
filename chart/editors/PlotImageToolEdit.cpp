// The image tool's editor.
#include "chart/editors/PlotImageToolEdit.h"

#include <memory>

#include "chart/engine/PlotEngine_Series.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotTools.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"

using PlotPenDlg::PlaceControl;

namespace {
// The save filter and extension of a kind of graphic.
struct TPictureKind {
  const char *ClassName, *Filter, *Extension;
};
constexpr TPictureKind PictureKinds[] = {{"TBitmap", "Bitmaps (*.bmp)|*.bmp", "bmp"},
                                         {"TPngImage", "PNG (*.png)|*.png", "png"},
                                         {"TJPEGImage", "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg", "jpg"},
                                         {"TMetafile", "Metafiles (*.emf)|*.emf", "emf"},
                                         {"TIcon", "Icons (*.ico)|*.ico", "ico"}};
}  // namespace

KV_CLASS_IMPL(TChartImageToolEditor, TSeriesToolEditor) {}

TChartImageToolEditor::TChartImageToolEditor(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("ChartImageToolEditor");
  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", 8, 32, 217, 132);
  GroupBox1->SetCaption("Image:");
  Image1 = PlaceControl<TImage>(this, GroupBox1, "Image1", 8, 18, 110, 104);
  Image1->Stretch = true;
  Image1->Proportional = true;
  Image1->Center = true;
  Button1 = PlaceControl<TButton>(this, GroupBox1, "Button1", 128, 20, 80, 25);
  BSave = PlaceControl<TButton>(this, GroupBox1, "BSave", 128, 52, 80, 25);
  BSave->SetCaption("&Save...");
  Button1->OnClick = [this](TObject* S) { Button1Click(S); };
  BSave->OnClick = [this](TObject* S) { BSaveClick(S); };
  OnToolShow = [this] { RefreshPicture(); };
  RefreshPicture();
}

TChartImageTool* TChartImageToolEditor::ImageTool() const { return dynamic_cast<TChartImageTool*>(Tool()); }

void TChartImageToolEditor::RefreshPicture() {
  TChartImageTool* T = ImageTool();
  const bool Has = T && !T->Picture()->Empty();
  Button1->Tag = Has ? 1 : 0;
  Button1->SetCaption(Has ? "Clea&r" : "B&rowse...");
  Image1->Picture()->Assign(Has ? T->Picture() : nullptr);
  BSave->SetEnabled(Has);
}

void TChartImageToolEditor::Button1Click(TObject*) {
  TChartImageTool* T = ImageTool();
  if (!T) return;
  if (Button1->Tag == 1) {
    T->SetPicture(nullptr);
  } else {
    const std::string File = PlotBrushDlg::AskPictureFile(this);
    if (!File.empty()) {
      // Read apart first: a file that is no picture leaves the tool's picture as it was.
      TPicture Loaded;
      try {
        Loaded.LoadFromFile(File);
        T->SetPicture(&Loaded);
      } catch (const std::exception& E) {
        PlotEngine::ShowErrorMessage(E.what());
      }
    }
  }
  if (TSeriesChart* C = T->GetParentChart()) C->Invalidate();
  RefreshPicture();
}

void TChartImageToolEditor::BSaveClick(TObject*) {
  TChartImageTool* T = ImageTool();
  if (!T || T->Picture()->Empty()) return;
  const std::string Class = T->Picture()->GetGraphic()->GraphicClassName();
  std::unique_ptr<TSaveDialog> D(Create<TSaveDialog>(this));
  D->Options.Include(TOpenOption::ofOverwritePrompt);
  for (const TPictureKind& K : PictureKinds)
    if (Class == K.ClassName) {
      D->Filter = K.Filter;
      D->DefaultExt = K.Extension;
    }
  if (D->Filter.empty()) D->Filter = "All files (*.*)|*.*";
  if (!D->Execute()) return;
  try {
    T->Picture()->GetGraphic()->SaveToFile(D->FileName);
  } catch (const std::exception& E) {
    PlotEngine::ShowErrorMessage(E.what());
  }
}
