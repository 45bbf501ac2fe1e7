// The chart editor dialog on its series style path, and the editors' start-up.
#include "chart/editors/PlotEditCha.h"

#include <algorithm>

#include "chart/editors/PlotAreaEdit.h"
#include "chart/editors/PlotCustEdit.h"
#include "chart/editors/PlotEdiAxis.h"
#include "chart/editors/PlotEdiLege.h"
#include "chart/editors/PlotSymbolEditor.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/editors/PlotGridToolEdit.h"
#include "chart/editors/PlotMapSeriesEdit.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/editors/PlotPointFigureEdit.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"

using PlotPenDlg::PlaceControl;

namespace {

// The design size, stored as texts and scaled with integer division.
const char* const DesignWidth = "414";
const char* const DesignHeight = "347";
// The caption-button height the design height includes.
constexpr int32_t DesignCaptionButton = 18;

}  // namespace

namespace PlotEditCha {

int32_t CaptionButtonHeight() { return DesignCaptionButton; }

int32_t ScreenPixelsPerInch() { return 96; }

void ShowSeriesStyleEditor(TChartSeries* Series) {
  if (!Series) return;
  auto* Form = Create<TChartEditForm>(nullptr);
  struct TFree {
    TChartEditForm* F;
    ~TFree() { F->Free(); }
  } Free{Form};
  Form->ButtonHelp->Hide();
  auto* Chart = dynamic_cast<TCustomAxisPanel*>(Series->GetParentChart());
  Form->SetChart(Chart);
  Form->SeriesToSelect = Series;
  Form->SeriesToOpen = Series;
  // The non-modal show only runs the show logic: the window appears once, modally.
  Form->FormShow(Form);
  Form->CreateSeriesPage();
  TFormPlotSeries* Page = Form->SeriesPage();
  if (Page) {
    Page->SetParent(Form);
    Page->SetAlign(TAlign::alClient);
    Form->MainPage->Hide();
    Page->Panel1->Hide();
    Page->Panel3->Hide();
    Page->TabDataSource->SetTabVisible(false);
    Page->TabGeneral->SetTabVisible(false);
    Page->ShowDataSourceTab = false;
    Page->ShowGeneralTab = false;
    if (Page->PageSeries->GetActivePage() && !Page->PageSeries->GetActivePage()->GetTabVisible())
      for (int32_t i = 0; i < Page->PageSeries->PageCount(); ++i)
        if (Page->PageSeries->Pages(i)->GetTabVisible()) {
          Page->PageSeries->SetActivePage(Page->PageSeries->Pages(i));
          Page->PageSeriesChange(Page->PageSeries);
          break;
        }
    if (auto* Line = dynamic_cast<TCustomSeriesEditor*>(Page->FormatForm()))
      PlotPenDlg::SetControlsVisible(false, {Line->CBStack, Line->CBDark3D, Line->CBColorEach, Line->CBClick,
                                             Line->UDHeight, Line->CheckBox1, Line->LHeight, Line->EHeight,
                                             Line->Label1});
  }
  Form->SetCaption("Graphic editor");
  Form->Hide();
  Form->ShowModal();
}

}  // namespace PlotEditCha

KV_CLASS_IMPL(TChartEditForm, TForm) {}

TChartEditForm::TChartEditForm(TComponent* Owner) : TForm(Owner) {
  SetName("ChartEditForm");
  SetShowHint(true);
  Position = TPosition::poOwnerFormCenter;
  SetClientWidth(436);
  SetClientHeight(320);
  PanBottom = PlaceControl<TPanel>(this, "PanBottom", 0, 286, 436, 34);
  PanBottom->SetAlign(TAlign::alBottom);
  PanBottom->SetCaption("");
  PanBottom->BevelOuter = TPanelBevel::bvNone;
  ButtonHelp = PlaceControl<TButton>(this, PanBottom, "ButtonHelp", 8, 5, 75, 25);
  ButtonHelp->SetCaption("&Help...");
  PanClose = PlaceControl<TPanel>(this, PanBottom, "PanClose", 340, 0, 96, 34);
  PanClose->SetAlign(TAlign::alRight);
  PanClose->SetCaption("");
  PanClose->BevelOuter = TPanelBevel::bvNone;
  BClose = PlaceControl<TButton>(this, PanClose, "BClose", 10, 5, 75, 25);
  BClose->SetCaption("Close");
  BClose->Default = true;
  BClose->Cancel = true;
  BClose->ModalResult = mrCancel;

  MainPage = PlaceControl<TPageControl>(this, "MainPage", 0, 0, 436, 286);
  MainPage->SetAlign(TAlign::alClient);
  auto AddTab = [this](TPageControl* PC, const char* Name, const char* Caption) {
    auto* T = Create<TTabSheet>(this);
    T->SetName(Name);
    T->SetCaption(Caption);
    T->SetPageControl(PC);
    return T;
  };
  TabChart = AddTab(MainPage, "TabChart", "Chart");
  TabSeries = AddTab(MainPage, "TabSeries", "Series");
  SubPage = PlaceControl<TPageControl>(this, TabChart, "SubPage", 0, 0, 428, 258);
  SubPage->SetAlign(TAlign::alClient);
  TabSeriesList = AddTab(SubPage, "TabSeriesList", "Series");
  PanTop = PlaceControl<TPanel>(this, TabSeriesList, "PanTop", 0, 0, 420, 26);
  PanTop->SetAlign(TAlign::alTop);
  PanTop->SetCaption("");
  PanTop->BevelOuter = TPanelBevel::bvNone;
  BAddGroup = PlaceControl<TButton>(this, PanTop, "BAddGroup", 2, 2, 22, 22);
  BAddGroup->SetCaption("+");
  BDeleteGroup = PlaceControl<TButton>(this, PanTop, "BDeleteGroup", 26, 2, 22, 22);
  BDeleteGroup->SetCaption("-");
  BDeleteGroup->SetEnabled(false);
  BRenameGroup = PlaceControl<TButton>(this, PanTop, "BRenameGroup", 50, 2, 22, 22);
  BRenameGroup->SetCaption("...");
  BRenameGroup->SetEnabled(false);
  CBNames = PlaceControl<TCheckBox>(this, PanTop, "CBNames", 80, 4, 140, 17);
  CBNames->SetCaption("&View Series Names");
  PanRight = PlaceControl<TPanel>(this, TabSeriesList, "PanRight", 320, 26, 100, 200);
  PanRight->SetAlign(TAlign::alRight);
  PanRight->SetCaption("");
  PanRight->BevelOuter = TPanelBevel::bvNone;
  BMoveUP = PlaceControl<TButton>(this, PanRight, "BMoveUP", 4, 4, 25, 25);
  BMoveDown = PlaceControl<TButton>(this, PanRight, "BMoveDown", 32, 4, 25, 25);
  int32_t Top = 36;
  for (auto [Button, Name, Caption] : {std::tuple{&BAddSeries, "BAddSeries", "&Add..."},
                                       std::tuple{&BDeleteSeries, "BDeleteSeries", "&Delete"},
                                       std::tuple{&BRenameSeries, "BRenameSeries", "&Title..."},
                                       std::tuple{&BCloneSeries, "BCloneSeries", "C&lone"},
                                       std::tuple{&BChangeTypeSeries, "BChangeTypeSeries", "&Change..."}}) {
    *Button = PlaceControl<TButton>(this, PanRight, Name, 4, Top, 90, 25);
    (*Button)->SetCaption(Caption);
    Top += 30;
  }
  LBSeries = PlaceControl<TChartListBox>(this, TabSeriesList, "LBSeries", 0, 26, 320, 200);
  LBSeries->SetAlign(TAlign::alClient);
  LBSeries->OnDblClickSeries = [this](TChartListBox*, int32_t) { LBSeriesEditSeries(); };
  LBSeries->OnRefresh = [this](TObject* S) { LBSeriesRefreshButtons(S); };
  LBSeries->OnClick = [this](TObject* S) { LBSeriesRefreshButtons(S); };
  LBSeries->OnOtherItemsChange = [this](TObject*) {
    if (FSeriesPage && LBSeries->GetItemIndex() >= 0)
      FSeriesPage->CBSeries->SetItemIndex(
          FSeriesPage->CBSeries->Items()->IndexOfObject(LBSeries->Items()->Objects(LBSeries->GetItemIndex())));
  };
  BAddSeries->OnClick = [this](TObject*) { LBSeries->AddSeries(); };
  BDeleteSeries->OnClick = [this](TObject*) { LBSeries->DeleteSelectedSeries(); };
  BRenameSeries->OnClick = [this](TObject*) { LBSeries->RenameSelected(); };
  BCloneSeries->OnClick = [this](TObject*) { LBSeries->DuplicateSelected(); };
  BChangeTypeSeries->OnClick = [this](TObject*) { LBSeries->ChangeTypeOfSelected(); };
  BMoveUP->OnClick = [this](TObject*) { LBSeries->MoveUp(); };
  BMoveDown->OnClick = [this](TObject*) { LBSeries->MoveDown(); };
  CBNames->OnClick = [this](TObject*) {
    LBSeries->SetNamesMode(CBNames->GetChecked());
    BRenameSeries->SetCaption(CBNames->GetChecked() ? "&Name..." : "&Title...");
  };
  OnShow = [this](TObject* S) { FormShow(S); };

  // FormCreate: the design size scaled to the screen.
  const int32_t Ppi = PlotEditCha::ScreenPixelsPerInch();
  SetWidth(SysUtils::StrToInt(DesignWidth) * Ppi / 96);
  SetHeight(PlotEditCha::CaptionButtonHeight() + SysUtils::StrToInt(DesignHeight) * Ppi / 96 - DesignCaptionButton);
  FCreatedWidth = GetWidth();
  FCreatedHeight = GetHeight();
  SetChart(nullptr);
  SetCaption("");
  EditorPermissions = {TEditorPermission::AllowAdd,       TEditorPermission::AllowDelete,
                       TEditorPermission::AllowChangeType, TEditorPermission::AllowClone,
                       TEditorPermission::ShowDataSource,  TEditorPermission::AllowTitle,
                       TEditorPermission::AllowSeventh,    TEditorPermission::ShowAllGroup,
                       TEditorPermission::AllowDragSeries};
  MainPage->SetActivePage(TabChart);
  SubPage->SetActivePage(TabSeriesList);
  RememberPosition = PlotProcs::ReadEditorBool("RememberPosition", true);
  RememberSize = PlotProcs::ReadEditorBool("RememberSize", true);
}

TChartEditForm::~TChartEditForm() = default;

void TChartEditForm::BeforeDestruction() {
  StorePlacement();
  TForm::BeforeDestruction();
}

void TChartEditForm::SetChart(TCustomAxisPanel* Chart) {
  FChart = Chart;
  LBSeries->SetChart(Chart);
  MainPage->SetEnabled(Chart != nullptr);
  SubPage->SetEnabled(Chart != nullptr);
  if (!Chart || !(RememberPosition || RememberSize)) return;
  try {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    if (!Reg.OpenKeyReadOnly(PlotProcs::EditorKey)) return;
    auto ReadInt = [&Reg](const char* Name, int32_t& Value) {
      if (!Reg.ValueExists(Name)) return false;
      try {
        Value = Reg.ReadInteger(Name);
        return true;
      } catch (const std::exception&) {
        return false;  // a value of another type leaves the design placement
      }
    };
    int32_t V = 0;
    if (RememberPosition && ReadInt("Left", V)) {
      Position = TPosition::poDesigned;
      SetLeft(std::max(0, V));
      if (ReadInt("Top", V)) SetTop(std::max(0, V));
    }
    if (RememberSize) {
      if (ReadInt("Width", V)) SetWidth(std::max(100, V));
      if (ReadInt("Height", V)) SetHeight(std::max(100, V));
    }
  } catch (const std::exception&) {
    return;
  }
  // Stored placement stays on the screen.
  SetLeft(std::max(0, std::min(GetLeft(), Screen->GetWidth() - GetWidth())));
  SetTop(std::max(0, std::min(GetTop(), Screen->GetHeight() - GetHeight())));
}

void TChartEditForm::StorePlacement() {
  if (!FChart || !(RememberPosition || RememberSize)) return;
  try {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    if (!Reg.OpenKey(PlotProcs::EditorKey, true)) return;
    if (RememberPosition) {
      Reg.WriteInteger("Left", GetLeft());
      Reg.WriteInteger("Top", GetTop());
    }
    if (RememberSize) {
      // Compared with the size made at creation: an unresized editor stores no size.
      if (GetWidth() != FCreatedWidth) Reg.WriteInteger("Width", GetWidth());
      if (GetHeight() != FCreatedHeight) Reg.WriteInteger("Height", GetHeight());
    }
  } catch (const std::exception&) {
    // The placement is a convenience: a store that cannot be written is left alone.
  }
}

void TChartEditForm::FormShow(TObject*) {
  TCustomAxisPanel* Chart = FChart.Get();
  if (!Chart) return;
  CBNames->SetVisible(Chart->ComponentState.Contains(TComponentStateItem::csDesigning));
  LBSeries->SetChart(Chart);
  if (GetCaption().empty()) SetCaption(SysUtils::Format("Editing %s", {Chart->GetName()}));
  const bool Groups = EditorPermissions.Contains(TEditorPermission::ShowGroups);
  PlotPenDlg::SetControlsVisible(Groups, {BAddGroup, BDeleteGroup, BRenameGroup});
  if (!Groups) CBNames->SetLeft(LBSeries->GetLeft());
  if (TChartSeries* S = SeriesToOpen.Get()) {
    LBSeries->ClearSelection();
    LBSeries->SelectSeries(S);
    LBSeriesEditSeries();
  } else if (StartPageIndex == -1 && LBSeries->Items()->Count() > 0) {
    LBSeries->SetItemIndex(0);
    LBSeries->SetSelected(0, true);
  }
  LBSeriesRefreshButtons(LBSeries);
}

void TChartEditForm::LBSeriesEditSeries() {
  MainPage->SetActivePage(TabSeries);
  CreateSeriesPage();
}

void TChartEditForm::CreateSeriesPage() {
  if (!FSeriesPage) {
    FSeriesPage = Create<TFormPlotSeries>(this);
    FSeriesPage->SeriesListBox = LBSeries;
    FSeriesPage->SetBorderStyle(TFormBorderStyle::bsNone);
    FSeriesPage->SetParent(TabSeries);
    FSeriesPage->SetAlign(TAlign::alClient);
    FSeriesPage->ShowDataSourceTab = EditorPermissions.Contains(TEditorPermission::ShowDataSource);
    FSeriesPage->ShowGeneralTab = !HiddenEditorTabs.Contains(TEditorTab::etSeriesGeneral);
    FSeriesPage->ShowMarksTab = !HiddenEditorTabs.Contains(TEditorTab::etSeriesMarks);
    FSeriesPage->ShowPersistent = false;
    FSeriesPage->FillSeriesCombo(FChart.Get());
    FSeriesPage->Show();
  }
  FSeriesPage->SelectSeries(LBSeries->SelectedSeries());
}

void TChartEditForm::LBSeriesRefreshButtons(TObject*) {
  TCustomAxisPanel* Chart = FChart.Get();
  TChartSeries* S = LBSeries->SelectedSeries();
  const bool Current = Chart && Chart->SeriesCount() > 0 && S;
  const int32_t Style = S ? S->GetStyle() : 0;
  const bool One = LBSeries->SelCount() <= 1;
  const auto Has = [this](TEditorPermission P) { return EditorPermissions.Contains(P); };
  BAddSeries->SetEnabled(Has(TEditorPermission::AllowAdd));
  BDeleteSeries->SetEnabled(Current && Has(TEditorPermission::AllowDelete) &&
                            !(Style & (PlotLisB::tssIsTemplate | PlotLisB::tssDenyDelete)));
  BRenameSeries->SetEnabled(Current && One && Has(TEditorPermission::AllowTitle));
  BChangeTypeSeries->SetEnabled(Current && Has(TEditorPermission::AllowChangeType) &&
                                !(Style & PlotLisB::tssDenyChangeType));
  if (!BChangeTypeSeries->GetEnabled() && LBSeries->GetShowSeriesIcon()) LBSeries->EnableChangeType = false;
  BCloneSeries->SetEnabled(Current && One && Has(TEditorPermission::AllowClone) &&
                           !(Style & (PlotLisB::tssIsTemplate | PlotLisB::tssDenyClone)));
  const int32_t I = LBSeries->GetItemIndex();
  BMoveDown->SetEnabled(LBSeries->SelCount() == 1 && I >= 0 && I < LBSeries->Items()->Count() - 1);
  BMoveUP->SetEnabled(LBSeries->SelCount() == 1 && I > 0);
  LBSeries->EnableDragSeries = Has(TEditorPermission::AllowDragSeries);
  PlotPenDlg::SetControlsVisible(LBSeries->EnableDragSeries, {BMoveUP, BMoveDown});
}

namespace ChartEditors {

void Initialize() {
  for (TClass C : {TChartEditForm::StaticClass(), TFormPlotSeries::StaticClass(), TCustomSeriesEditor::StaticClass(),
                   TSeriesPointerEditor::StaticClass(), TAreaSeriesEditor::StaticClass(),
                   TFormPlotAxis::StaticClass(), TFormPlotLegend::StaticClass(), TSymbolEditor::StaticClass(),
                   TMapSeriesEditor::StaticClass(), TGrid3DSeriesEditor::StaticClass(),
                   TPointFigureEditor::StaticClass()})
    if (!ClassInfo::GetClass(C->ClassName())) ClassInfo::RegisterClass(C);
  PlotGridToolEdit::Initialize();
  PlotEngine::ShowSeriesStyleEditor = &PlotEditCha::ShowSeriesStyleEditor;
  PlotEngine::ShowAxisEditor = &PlotEdiAxis::ShowAxisEditor;
  Chart::CreateLegendEditor = [](TComponent* Owner, TCustomChartLegend* Legend) -> TForm* {
    return TFormPlotLegend::CreateLegend(Owner, Legend);
  };
}

}  // namespace ChartEditors
