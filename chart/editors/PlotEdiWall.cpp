// The chart editor's "Walls" page.
#include "chart/editors/PlotEdiWall.h"

#include "chart/series/PlotBrushDlg.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TFormPlotWall, TForm) {}

namespace {

void UpDownRow(TForm* Form, TWinControl* Parent, const char* Caption, const char* EditName, const char* UpName,
               int LabelLeft, int Left, int Top, TLabel*& L, TEdit*& E, TUpDown*& U) {
  L = PlaceControl<TLabel>(Form, Parent, "", LabelLeft, Top + 4, Left - LabelLeft - 4, 13);
  L->SetCaption(Caption);
  E = PlaceControl<TEdit>(Form, Parent, EditName, Left, Top, 40, 21);
  U = PlaceControl<TUpDown>(Form, Parent, UpName, Left + 40, Top, 15, 21);
  U->SetMin(0);
  U->SetMax(100);
  U->SetAssociate(E);
  L->FocusControl = E;
}

}  // namespace

TFormPlotWall::TFormPlotWall(TComponent* Owner, TChartWall* Wall) : TForm(Owner), FWall(Wall) {
  SetName("FormPlotWall");
  SetClientWidth(367);
  SetClientHeight(234);
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 0, 0, 367, 33);
  Panel1->SetAlign(TAlign::alTop);
  Panel1->SetCaption("");
  CBView3dWalls = PlaceControl<TCheckBox>(this, Panel1, "CBView3dWalls", 8, 8, 110, 17);
  CBView3dWalls->SetCaption("&Visible Walls");
  UpDownRow(this, Panel1, "Size:", "EAllSize", "UDAllSize", 140, 176, 6, LAllSize, EAllSize, UDAllSize);

  TabSubWalls = PlaceControl<TTabControl>(this, "TabSubWalls", 0, 33, 367, 201);
  TabSubWalls->SetAlign(TAlign::alClient);
  UpDownRow(this, TabSubWalls, "Siz&e:", "SEWallSize", "UDWallSize", 8, 90, 32, LWallSize, SEWallSize, UDWallSize);
  UpDownRow(this, TabSubWalls, "T&ransparency:", "Edit1", "UDTransp", 8, 90, 60, LTransp, Edit1, UDTransp);
  BWallColor = PlaceControl<TButtonColor>(this, TabSubWalls, "BWallColor", 8, 92, 90, 25);
  BWallColor->SetCaption("&Color...");
  BWallPen = PlaceControl<TButtonPen>(this, TabSubWalls, "BWallPen", 8, 122, 90, 25);
  BWallPen->SetCaption("B&order...");
  BWallBrush = PlaceControl<TButton>(this, TabSubWalls, "BWallBrush", 8, 152, 90, 25);
  BWallBrush->SetCaption("&Pattern...");
  CBTransp = PlaceControl<TCheckBox>(this, TabSubWalls, "CBTransp", 170, 32, 110, 17);
  CBTransp->SetCaption("&Transparent");
  CBDark3D = PlaceControl<TCheckBox>(this, TabSubWalls, "CBDark3D", 170, 56, 110, 17);
  CBDark3D->SetCaption("&Dark 3D");
  BGradient = PlaceControl<TButtonGradient>(this, TabSubWalls, "BGradient", 170, 92, 90, 25);
  BGradient->SetCaption("&Gradient...");
  CBVisible = PlaceControl<TCheckBox>(this, TabSubWalls, "CBVisible", 170, 126, 110, 17);
  CBVisible->SetCaption("V&isible");
  CBAutoHide = PlaceControl<TCheckBox>(this, TabSubWalls, "CBAutoHide", 170, 150, 110, 17);
  CBAutoHide->SetCaption("&Auto Hide");

  // FormCreate
  SetAlign(TAlign::alClient);
  for (const char* S : {"Left", "Right", "Bottom", "Back"}) TabSubWalls->Tabs()->Add(S);
  TabSubWalls->SetTabIndex(0);

  // ---- handlers ----
  TabSubWalls->OnChange = [this](TObject* S) { TabSubWallsChange(S); };
  CBView3dWalls->OnClick = [this](TObject*) {
    if (Showing() && Chart()) Chart()->SetView3DWalls(CBView3dWalls->GetChecked());
  };
  EAllSize->OnChange = [this](TObject*) {
    if (!Showing() || FSettingAllSizes || !Chart()) return;
    Chart()->Walls()->SetAllSizes(UDAllSize->GetPosition());
    RefreshWall();
  };
  SEWallSize->OnChange = [this](TObject*) {
    if (!Showing()) return;
    FWall->SetSize(UDWallSize->GetPosition());
    CBDark3D->SetEnabled(FWall->GetSize() > 0);
  };
  Edit1->OnChange = [this](TObject*) {
    if (Showing()) FWall->SetTransparency(static_cast<TPlotTransparency>(UDTransp->GetPosition()));
  };
  BWallBrush->OnClick = [this](TObject*) {
    if (FWall) PlotBrushDlg::EditBrushModal(this, FWall->Brush());
  };
  BGradient->OnClick = [this](TObject*) {
    // A visible gradient needs an opaque wall to show.
    if (FWall && FWall->GetGradient()->GetVisible()) {
      FWall->SetTransparent(false);
      const bool Was = FShowing;
      FShowing = false;
      CBTransp->SetChecked(false);
      FShowing = Was;
    }
  };
  CBTransp->OnClick = [this](TObject*) {
    if (Showing()) FWall->SetTransparent(CBTransp->GetChecked());
  };
  CBDark3D->OnClick = [this](TObject*) {
    if (Showing()) FWall->SetDark3D(CBDark3D->GetChecked());
  };
  CBVisible->OnClick = [this](TObject*) {
    if (Showing()) FWall->SetVisible(CBVisible->GetChecked());
  };
  CBAutoHide->OnClick = [this](TObject*) {
    if (Showing()) FWall->SetAutoHide(CBAutoHide->GetChecked());
  };
  OnShow = [this](TObject* S) { FormShow(S); };
}

TCustomChart* TFormPlotWall::Chart() const { return FWall ? dynamic_cast<TCustomChart*>(FWall->Parent()) : nullptr; }

void TFormPlotWall::FormShow(TObject*) {
  if (!FWall) return;
  FShowing = false;
  if (TCustomChart* C = Chart()) {
    TChartWalls* W = C->Walls();
    TabSubWalls->SetTabIndex(FWall == W->Left() ? 0 : FWall == W->Right() ? 1 : FWall == W->Bottom() ? 2 : 3);
  }
  RefreshWall();
  FShowing = true;
}

void TFormPlotWall::TabSubWallsChange(TObject*) {
  TCustomChart* C = Chart();
  if (!C) return;
  TChartWalls* W = C->Walls();
  switch (TabSubWalls->GetTabIndex()) {
    case 0: FWall = W->Left(); break;
    case 1: FWall = W->Right(); break;
    case 2: FWall = W->Bottom(); break;
    case 3: FWall = W->Back(); break;
    default: return;
  }
  RefreshWall();
}

void TFormPlotWall::RefreshWall() {
  if (!FWall) return;
  const bool Was = FShowing;
  FShowing = false;  // filling the controls writes nothing back
  TCustomChart* C = Chart();
  if (C) CBView3dWalls->SetChecked(C->GetView3DWalls());
  UDWallSize->SetPosition(FWall->GetSize());
  CBTransp->SetChecked(FWall->GetTransparent());
  CBDark3D->SetChecked(FWall->GetDark3D());
  CBDark3D->SetEnabled(FWall->GetSize() > 0);
  CBVisible->SetChecked(FWall->GetVisible());
  CBAutoHide->SetChecked(FWall->GetAutoHide());
  CBAutoHide->SetVisible(!C || FWall != C->Walls()->Back());
  UDTransp->SetPosition(FWall->GetTransparency());
  FSettingAllSizes = true;
  UDAllSize->SetPosition(FWall->GetSize());
  FSettingAllSizes = false;
  BWallPen->BindPen(FWall->Pen());
  BGradient->BindGradient(FWall->GetGradient());
  BWallColor->LinkProperty(FWall, "Color");
  BWallColor->Repaint();
  FShowing = Was;
}
