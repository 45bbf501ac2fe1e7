// The grid band tool's editor.
#include "chart/editors/PlotGridBandToolEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotToolSeriesEdit.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotTools.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/TabCtrls.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TGridBandToolEdit, TAxisToolEditor) {}

TGridBandToolEdit::TGridBandToolEdit(TComponent* Owner) : TAxisToolEditor(Owner) {
  SetName("GridBandToolEdit");
  SetClientHeight(170);
  TabControl1 = PlotPenDlg::PlaceControl<TTabControl>(this, "TabControl1", 0, 32, 232, 138);
  TabControl1->Tabs()->Add("Band 1");
  TabControl1->Tabs()->Add("Band 2");
  TabControl1->SetTabIndex(0);
  Draw3D1 = PlotPenDlg::PlaceControl<TPaintBox>(this, TabControl1, "Draw3D1", 8, 28, 60, 60);
  // The pattern button stands where the border button stood, beside the preview.
  BBand1 = Put<TButton>(this, AddRow(Make(K::erBrush, "&Pattern...", "Band1")), TabControl1, "BBand1", 76, 28, 75, 25);
  ButtonColor1 = Put<TButtonColor>(this, AddRow(Make(K::erColor, "Ba&ck...", "Band1.BackColor")), TabControl1,
                                   "ButtonColor1", 76, 58, 75, 25);
  ButtonGradient1 = Put<TButtonGradient>(this, AddRow(Make(K::erGradient, "&Gradient...", "Band1.Gradient")),
                                         TabControl1, "ButtonGradient1", 156, 58, 70, 25);
  Edit1 = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Transparency:", "Band1.Transparency", 0, 100)), TabControl1,
                     "Edit1", 84, 100, 45, 21, 80);
  UpDown1 = Row(RowOf(Edit1)).UpDown;
  UpDown1->SetName("UpDown1");
  Label2 = Row(RowOf(Edit1)).Label;
  Draw3D1->OnPaint = [this](TObject* S) { Draw3D1Paint(S); };
  Draw3D1->OnClick = [this](TObject* S) { Draw3D1Click(S); };
  TabControl1->OnChange = [this](TObject* S) { TabControl1Change(S); };
  OnToolShow = [this] {
    BPen->SetVisible(false);
    BindBand();
  };
  OnRowChanged = [this](TEditorPage&, int32_t) { Draw3D1->Invalidate(); };
}

TGridBandTool* TGridBandToolEdit::GridTool() const { return dynamic_cast<TGridBandTool*>(Tool()); }

TGridBandBrush* TGridBandToolEdit::Band() const {
  TGridBandTool* T = GridTool();
  if (!T) return nullptr;
  return TabControl1->GetTabIndex() == 1 ? T->Band2() : T->Band1();
}

void TGridBandToolEdit::BindBand() {
  const std::string Prefix = TabControl1->GetTabIndex() == 1 ? "Band2" : "Band1";
  for (TControl* C : std::initializer_list<TControl*>{BBand1, ButtonColor1, ButtonGradient1, Edit1}) {
    std::string& Path = Row(RowOf(C)).Path;
    Path = Prefix + Path.substr(5);
  }
  LoadControls();
  Draw3D1->Invalidate();
}

void TGridBandToolEdit::TabControl1Change(TObject*) { BindBand(); }

void TGridBandToolEdit::Draw3D1Click(TObject*) {
  TGridBandBrush* B = Band();
  if (!B) return;
  TColor C = B->GetColor();
  if (PlotCanvas::EditColorVar(this, C)) {
    B->SetColor(C);
    Draw3D1->Invalidate();
  }
}

void TGridBandToolEdit::Draw3D1Paint(TObject*) {
  TGridBandBrush* B = Band();
  if (!B) return;
  TPlotCanvas3D Canvas;
  Canvas.SetBuffered(false);
  Canvas.AttachCanvas(Draw3D1->GetCanvas());
  TRect R = Draw3D1->GetClientRect();
  Canvas.ViewBounds = R;
  Canvas.ResetState();
  if (B->Gradient()->GetVisible()) {
    B->Gradient()->FillRect(Canvas, R);
    return;
  }
  Canvas.Pen->SetStyle(psClear);
  if (B->GetBackColor() != clNone) {
    Canvas.Brush->SetStyle(bsSolid);
    Canvas.Brush->SetColor(B->GetBackColor());
    Canvas.FillRect(R);
  }
  R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  Canvas.UseBrush(*B, B->GetBackColor());
  Canvas.FillRect(R);
}
