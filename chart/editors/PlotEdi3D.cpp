// The chart editor's "3D" page.
#include "chart/editors/PlotEdi3D.h"

#include <cmath>
#include <cstdlib>

#include "chart/editors/EditorRows.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/Series.h"
#include "platform/rtl/SysUtils.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TFormPlot3D, TForm) {}

namespace {

using EditorRows::AddTab;

TCheckBox* Check(TForm* Form, TWinControl* Parent, const char* Name, const char* Caption, int Left, int Top) {
  auto* C = PlaceControl<TCheckBox>(Form, Parent, Name, Left, Top, 110, 17);
  C->SetCaption(Caption);
  return C;
}

void Spin(TForm* Form, TWinControl* Parent, const char* EditName, const char* UpDownName, int Left, int Top, int Min,
          int Max, int Increment, int Position, TEdit*& E, TUpDown*& U) {
  E = PlaceControl<TEdit>(Form, Parent, EditName, Left, Top, 40, 21);
  U = PlaceControl<TUpDown>(Form, Parent, UpDownName, Left + 40, Top, 15, 21);
  U->SetMin(Min);
  U->SetMax(Max);
  U->SetIncrement(Increment);
  U->SetAssociate(E);
  U->SetPosition(Position);
}

// A view preset of the gallery.
struct TViewPreset {
  const char* Caption;
  void (*Apply)(TGalleryChart& C);
};

void ThreeD(TGalleryChart& C) {
  C.SetView3D(true);
  C.View3DOptions()->SetOrthogonal(false);
  for (int32_t i = 0; i < C.SeriesCount(); ++i) C.GetSeries(i)->SetVertAxis(TVertAxis::aBothVertAxis);
  C.View3DOptions()->SetElevation(360);
  C.LeftAxis()->SetLabels(true);
}

const TViewPreset Presets[] = {
    {"2D",
     [](TGalleryChart& C) {
       C.SetView3D(false);
       C.LeftAxis()->SetLabels(true);
     }},
    {"Ortho Right",
     [](TGalleryChart& C) {
       C.View3DOptions()->SetOrthogonal(true);
       C.LeftAxis()->SetLabels(true);
     }},
    {"Ortho Left",
     [](TGalleryChart& C) {
       C.View3DOptions()->SetOrthogonal(true);
       C.Walls()->Left()->SetVisible(false);
       C.Walls()->Right()->SetVisible(true);
       for (int32_t i = 0; i < C.SeriesCount(); ++i) C.GetSeries(i)->SetVertAxis(TVertAxis::aRightAxis);
       C.RightAxis()->SetZPosition(0);
       C.View3DOptions()->SetOrthoAngle(135);
     }},
    {"3D Front",
     [](TGalleryChart& C) {
       ThreeD(C);
       C.Walls()->Left()->SetVisible(true);
       C.Walls()->Right()->SetVisible(true);
       C.RightAxis()->SetZPosition(0);
       C.View3DOptions()->SetRotation(360);
     }},
    {"3D Right",
     [](TGalleryChart& C) {
       ThreeD(C);
       C.Walls()->Left()->SetVisible(true);
       C.Walls()->Right()->SetVisible(false);
       C.RightAxis()->SetZPosition(100);
       C.View3DOptions()->SetRotation(300);
     }},
    {"3D Left",
     [](TGalleryChart& C) {
       ThreeD(C);
       C.Walls()->Left()->SetVisible(false);
       C.Walls()->Right()->SetVisible(true);
       C.RightAxis()->SetZPosition(0);
       C.LeftAxis()->SetZPosition(100);
       C.View3DOptions()->SetRotation(45);
     }},
};

}  // namespace

TFormPlot3D::TFormPlot3D(TComponent* Owner, TCustomAxisPanel* Chart) : TForm(Owner), FChart(Chart) {
  SetName("FormPlot3D");
  SetClientWidth(403);
  SetClientHeight(228);
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 0, 0, 403, 228);
  PageControl1->SetAlign(TAlign::alClient);
  Tab3D = AddTab(this, PageControl1, "Tab3D", "Options");
  TabViews = AddTab(this, PageControl1, "TabViews", "Views");
  ChartGalleryPanel1 = PlaceControl<TChartGalleryPanel>(this, TabViews, "ChartGalleryPanel1", 0, 0, 395, 200);
  ChartGalleryPanel1->SetAlign(TAlign::alClient);
  ChartGalleryPanel1->SetSmooth(false);
  ChartGalleryPanel1->DisplaySub = false;
  ChartGalleryPanel1->FocusRotation = false;
  ChartGalleryPanel1->SetNumCols(3);
  ChartGalleryPanel1->SetNumRows(2);

  CBView3d = Check(this, Tab3D, "CBView3d", "&3 Dimensions", 8, 8);
  L3D = PlaceControl<TLabel>(this, Tab3D, "", 8, 32, 40, 13);
  L3D->SetCaption("3&D %:");
  Spin(this, Tab3D, "SE3d", "UD3D", 52, 28, 1, 100, 5, 15, SE3d, UD3D);
  L3D->FocusControl = SE3d;
  CBOrthogonal = Check(this, Tab3D, "CBOrthogonal", "&Orthogonal", 8, 56);
  LAngle = PlaceControl<TLabel>(this, Tab3D, "", 8, 82, 40, 13);
  LAngle->SetCaption("&Angle:");
  Spin(this, Tab3D, "EOrthoAngle", "UDOrthoAngle", 52, 78, 0, 180, 5, 45, EOrthoAngle, UDOrthoAngle);
  LAngle->FocusControl = EOrthoAngle;
  CBZoomText = Check(this, Tab3D, "CBZoomText", "Zoom &Text", 8, 108);
  Spin(this, Tab3D, "ETextSize", "UDTextSize", 8, 128, 1, 2000, 5, 100, ETextSize, UDTextSize);
  LTextSize = PlaceControl<TLabel>(this, Tab3D, "LTextSize", 66, 132, 12, 13);
  LTextSize->SetCaption("%");
  CBClipPoints = Check(this, Tab3D, "CBClipPoints", "&Clip Points", 8, 160);
  // Steps not given keep the track bar's own: 1 per arrow key, 2 per page.
  SBZoom = Bar(Tab3D, "&Zoom:", "SBZoom", "LZoom", 4, 1, 500, 1, 5, 20, 100, LZoom);
  SBRotation = Bar(Tab3D, "&Rotation:", "SBRotation", "LRotation", 36, 0, 360, 1, 10, 45, 270, LRotation);
  SBElevation = Bar(Tab3D, "E&levation:", "SBElevation", "LElevation", 68, 270, 360, 1, 10, 10, 270, LElevation);
  SBHOffset = Bar(Tab3D, "&Horiz. Offset:", "SBHOffset", "LHOffset", 100, -1500, 1500, 10, 2, 250, 0, LHOffset);
  SBVOffset = Bar(Tab3D, "&Vert. Offset:", "SBVOffset", "LVOffset", 132, -1500, 1500, 10, 2, 250, 0, LVOffset);
  SBPerspec = Bar(Tab3D, "&Perspective:", "SBPerspec", "LPerspec", 164, 0, 200, 1, 2, 10, 0, LPerspec);
  PageControl1->SetActivePage(Tab3D);
  SetAlign(TAlign::alClient);

  // ---- handlers ----
  auto Options = [this] { return FChart ? FChart->View3DOptions() : nullptr; };
  CBView3d->OnClick = [this](TObject*) {
    if (FChanging || !FChart) return;
    FChart->SetView3D(CBView3d->GetChecked());
    CheckControls();
  };
  SE3d->OnChange = [this](TObject*) {
    if (FShowing && !FChanging && FChart) FChart->SetChart3DPercent(UD3D->GetPosition());
  };
  CBOrthogonal->OnClick = [this, Options](TObject*) {
    if (FChanging || !Options()) return;
    Options()->SetOrthogonal(CBOrthogonal->GetChecked());
    CheckControls();
  };
  SBZoom->OnChange = [this, Options](TObject*) {
    if (!FChanging && Options()) Options()->SetZoom(SBZoom->GetPosition());
    LZoom->SetCaption(SysUtils::IntToStr(SBZoom->GetPosition()) + "%");
  };
  SBRotation->OnChange = [this, Options](TObject*) {
    if (!FChanging && Options()) Options()->SetRotation(SBRotation->GetPosition());
    LRotation->SetCaption(SysUtils::IntToStr(SBRotation->GetPosition()));
  };
  SBElevation->OnChange = [this, Options](TObject*) {
    if (!FChanging && Options()) Options()->SetElevation(SBElevation->GetPosition());
    LElevation->SetCaption(SysUtils::IntToStr(SBElevation->GetPosition()));
  };
  SBHOffset->OnChange = [this, Options](TObject*) {
    if (!FChanging && Options()) Options()->SetHorizOffset(SBHOffset->GetPosition());
    LHOffset->SetCaption(SysUtils::IntToStr(SBHOffset->GetPosition()));
  };
  SBVOffset->OnChange = [this, Options](TObject*) {
    if (!FChanging && Options()) Options()->SetVertOffset(SBVOffset->GetPosition());
    LVOffset->SetCaption(SysUtils::IntToStr(SBVOffset->GetPosition()));
  };
  SBPerspec->OnChange = [this, Options](TObject*) {
    if (!FChanging && Options()) Options()->SetPerspective(SBPerspec->GetPosition());
    LPerspec->SetCaption(SysUtils::IntToStr(SBPerspec->GetPosition()));
  };
  EOrthoAngle->OnChange = [this, Options](TObject*) {
    if (FShowing && !FChanging && Options()) Options()->SetOrthoAngle(UDOrthoAngle->GetPosition());
  };
  CBZoomText->OnClick = [this, Options](TObject*) {
    if (!FChanging && Options()) Options()->SetZoomText(CBZoomText->GetChecked());
  };
  ETextSize->OnChange = [this, Options](TObject*) {
    if (FShowing && !FChanging && Options()) Options()->SetFontZoom(UDTextSize->GetPosition());
  };
  CBClipPoints->OnClick = [this](TObject*) {
    if (!FChanging && FChart) FChart->SetClipPoints(CBClipPoints->GetChecked());
  };
  PageControl1->OnChange = [this](TObject*) {
    if (PageControl1->GetActivePage() == TabViews) {
      BuildViews();
      FChanging = true;
      if (TGalleryChart* V = MatchingView()) ChartGalleryPanel1->SelectChart(V);
      FChanging = false;
    } else {
      RefreshControls();
    }
  };
  ChartGalleryPanel1->OnSelectedChart = [this](TObject*) {
    if (!FChanging) ApplyView(ChartGalleryPanel1->GetSelectedChart());
  };
  OnShow = [this](TObject* S) { FormShow(S); };
}

TTrackBar* TFormPlot3D::Bar(TWinControl* Parent, const char* Caption, const char* Name, const char* LabelName, int Top,
                            int Min, int Max, int Line, int Page, int Freq, int Pos, TLabel*& Value) {
  auto* L = PlaceControl<TLabel>(this, Parent, "", 180, Top + 6, 76, 13);
  L->SetCaption(Caption);
  auto* B = PlaceControl<TTrackBar>(this, Parent, Name, 256, Top, 110, 28);
  B->LineSize = Line;
  B->PageSize = Page;
  B->Frequency = Freq;
  B->SetMin(Min);
  B->SetMax(Max);
  B->SetPosition(Pos);
  L->FocusControl = B;
  Value = PlaceControl<TLabel>(this, Parent, LabelName, 368, Top + 6, 30, 13);
  Value->SetCaption(SysUtils::IntToStr(Pos));
  return B;
}

bool TFormPlot3D::Full3D() const {
  TCustomAxisPanel* C = FChart.Get();
  return C && C->Canvas() && C->Canvas()->IsTrue3D();
}

void TFormPlot3D::FormShow(TObject*) {
  if (!FChart) return;
  RefreshControls();
  FShowing = true;
}

void TFormPlot3D::RefreshControls() {
  TCustomAxisPanel* C = FChart.Get();
  if (!C) return;
  FChanging = true;
  TView3DOptions* O = C->View3DOptions();
  CBView3d->SetChecked(C->GetView3D());
  UD3D->SetPosition(C->GetChart3DPercent());
  CBClipPoints->SetChecked(C->GetClipPoints());
  // The tick spacing first: setting the minimum hands it to the window.
  if (Full3D()) {
    SBRotation->Frequency = 20;
    SBRotation->SetMin(0);
    SBElevation->Frequency = 20;
    SBElevation->SetMin(0);
  } else {
    SBRotation->Frequency = 45;
    SBRotation->SetMin(0);
    SBElevation->Frequency = 10;
    SBElevation->SetMin(270);
  }
  SBZoom->SetPosition(O->GetZoom());
  CBOrthogonal->SetChecked(O->GetOrthogonal());
  SBRotation->SetPosition(O->GetRotation());
  SBElevation->SetPosition(O->GetElevation());
  // An offset beyond the bar widens the bar by half again.
  for (auto [Bar, Value] : {std::pair{SBHOffset, O->GetHorizOffset()}, std::pair{SBVOffset, O->GetVertOffset()}}) {
    if (std::abs(Value) > Bar->GetMax()) {
      const int Wide = static_cast<int>(std::lround(std::abs(Value) * 1.5));
      Bar->SetMax(Wide);
      Bar->SetMin(-Wide);
    }
    Bar->SetPosition(Value);
  }
  CBZoomText->SetChecked(O->GetZoomText());
  SBPerspec->SetPosition(O->GetPerspective());
  UDOrthoAngle->SetPosition(O->GetOrthoAngle());
  UDTextSize->SetPosition(O->GetFontZoom());
  // The value labels follow the bars also when a position did not change.
  LZoom->SetCaption(SysUtils::IntToStr(SBZoom->GetPosition()) + "%");
  LRotation->SetCaption(SysUtils::IntToStr(SBRotation->GetPosition()));
  LElevation->SetCaption(SysUtils::IntToStr(SBElevation->GetPosition()));
  LHOffset->SetCaption(SysUtils::IntToStr(SBHOffset->GetPosition()));
  LVOffset->SetCaption(SysUtils::IntToStr(SBVOffset->GetPosition()));
  LPerspec->SetCaption(SysUtils::IntToStr(SBPerspec->GetPosition()));
  CheckControls();
  FChanging = false;
}

void TFormPlot3D::CheckControls() {
  TCustomAxisPanel* C = FChart.Get();
  if (!C) return;
  bool AllowRotation = true;
  if (!Full3D()) {
    for (int32_t i = 0; i < C->SeriesCount(); ++i)
      if (C->GetSeries(i)->GetActive()) {
        AllowRotation = !dynamic_cast<TPieSeries*>(C->GetSeries(i));
        break;
      }
  }
  if (ReturnToOptions && PageControl1->GetActivePage() != Tab3D) {
    PageControl1->SetActivePage(Tab3D);
    RefreshControls();
    return;
  }
  const bool View3D = C->GetView3D();
  CBOrthogonal->SetEnabled(View3D && AllowRotation);
  SBElevation->SetEnabled(View3D && (Full3D() || !C->View3DOptions()->GetOrthogonal()));
  SBRotation->SetEnabled(SBElevation->GetEnabled() && CBOrthogonal->GetEnabled());
  EOrthoAngle->SetEnabled(CBOrthogonal->GetEnabled());
  UDOrthoAngle->SetEnabled(EOrthoAngle->GetEnabled());
}

void TFormPlot3D::BuildViews() {
  if (FViewsBuilt) return;
  FViewsBuilt = true;
  TPlotSeriesTypes& Types = Chart::SeriesTypes();
  TPlotSeriesType Fallback;
  const TPlotSeriesType& Type = Types.Count() > 0 ? *Types.TypeAt(0) : Fallback;
  for (const TViewPreset& P : Presets) {
    TGalleryChart* G = ChartGalleryPanel1->CreateGalleryChart(Type);
    G->SetAutoRepaint(false);
    G->Walls()->Back()->SetTransparent(false);
    for (TChartWall* W : {static_cast<TChartWall*>(G->Walls()->Back()), G->Walls()->Bottom(), G->Walls()->Left(),
                          static_cast<TChartWall*>(G->Walls()->Right())})
      W->SetSize(5);
    for (int32_t i = 0; i < G->SeriesCount(); ++i) G->GetSeries(i)->Clear();
    G->Title()->Text()->Clear();
    G->Title()->Text()->Add(P.Caption);
    P.Apply(*G);
    G->SetAutoRepaint(true);
  }
}

TGalleryChart* TFormPlot3D::MatchingView() const {
  TCustomAxisPanel* C = FChart.Get();
  if (!C) return nullptr;
  const TView3DOptions* O = C->View3DOptions();
  for (int32_t k = 0; k < ChartGalleryPanel1->Charts().Count(); ++k) {
    TGalleryChart* G = ChartGalleryPanel1->Charts().GetChart(k);
    const TView3DOptions* V = G->View3DOptions();
    if (G->GetView3D() == C->GetView3D() && V->GetOrthogonal() == O->GetOrthogonal() &&
        V->GetOrthoAngle() == O->GetOrthoAngle() && V->GetRotation() == O->GetRotation() &&
        V->GetElevation() == O->GetElevation())
      return G;
  }
  return nullptr;
}

void TFormPlot3D::ApplyView(TGalleryChart* View) {
  TCustomAxisPanel* C = FChart.Get();
  if (!C || !View) return;
  C->SetView3D(View->GetView3D());
  TView3DOptions* O = C->View3DOptions();
  const TView3DOptions* V = View->View3DOptions();
  O->SetOrthogonal(V->GetOrthogonal());
  O->SetOrthoAngle(V->GetOrthoAngle());
  O->SetRotation(V->GetRotation());
  O->SetElevation(V->GetElevation());
}
