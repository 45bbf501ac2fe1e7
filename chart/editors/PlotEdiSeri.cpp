// The series page of the chart editor.
#include "chart/editors/PlotEdiSeri.h"

#include <algorithm>
#include <cmath>

#include "chart/editors/PlotChartGrid.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotCustomShapeEditor.h"
#include "chart/series/PlotFormatting.h"
#include "chart/series/PlotLisB.h"
#include "platform/rtl/SysUtils.h"

namespace {

using PlotPenDlg::PlaceControl;

TEditorRow MakeRow(TEditorRowKind Kind, const std::string& Caption, const std::string& Path, int32_t Min = 0,
                   int32_t Max = 100, int32_t Step = 1) {
  TEditorRow R;
  R.Kind = Kind;
  R.Caption = Caption;
  R.Path = Path;
  R.Min = Min;
  R.Max = Max;
  R.Step = Step;
  return R;
}

const char* const MarkStyles[] = {"Value", "Percent", "Label", "Label and Percent", "Label and Value", "Legend",
                                  "Percent Total", "Label and Percent Total", "X value", "X and Y values"};

// The marks styles whose text can span lines.
bool MultiLineStyle(int32_t Style) {
  return Style == static_cast<int32_t>(smsLabelPercent) || Style == static_cast<int32_t>(smsLabelValue) ||
         Style == static_cast<int32_t>(smsPercentTotal) || Style == static_cast<int32_t>(smsLabelPercentTotal) ||
         Style == static_cast<int32_t>(smsXY);
}

TSeriesMarks* MarksOf(TChartSeries* S) { return S ? dynamic_cast<TSeriesMarks*>(S->Marks()) : nullptr; }

}  // namespace

KV_CLASS_IMPL(TFormPlotSeries, TEditorPage) {}

template <class T>
T* TFormPlotSeries::RowControl(int32_t Row, TWinControl* Parent, const char* Name, int L, int T_, int W, int H) {
  TEditorRow& R = this->Row(Row);
  auto* C = static_cast<T*>(R.Control);
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(L, T_, W, H);
  return C;
}

TFormPlotSeries::TFormPlotSeries(TComponent* Owner) : TEditorPage(Owner) {
  SetName("FormPlotSeries");
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetClientWidth(406);
  SetClientHeight(284);
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 0, 0, 406, 34);
  Panel1->SetAlign(TAlign::alTop);
  Panel1->SetCaption("");
  Panel1->BevelOuter = TPanelBevel::bvNone;
  ImageSeries = PlaceControl<TImage>(this, Panel1, "ImageSeries", 4, 4, 24, 24);
  LabelSeriesClass = PlaceControl<TLabel>(this, Panel1, "LabelSeriesClass", 32, 10, 120, 13);
  LabelSeriesClass->SetCaption("");
  CBSeries = PlaceControl<TComboFlat>(this, Panel1, "CBSeries", 160, 6, 170, 21);
  CBSeries->Style = TComboBoxStyle::csDropDownList;
  CBSeries->DropDownCount = 16;
  PaintBox1 = PlaceControl<TPaintBox>(this, Panel1, "PaintBox1", 372, 0, 34, 34);
  PaintBox1->SetAlign(TAlign::alRight);
  PaintBox1->SetCursor(crHandPoint);
  Panel3 = PlaceControl<TPanel>(this, Panel1, "Panel3", 336, 0, 34, 34);
  Panel3->SetCaption("");
  Panel3->BevelOuter = TPanelBevel::bvNone;
  CBPersistent = PlaceControl<TCheckBox>(this, Panel1, "CBPersistent", 336, 8, 80, 17);
  CBPersistent->SetCaption("Persistent");
  CBPersistent->Hide();

  PageSeries = PlaceControl<TPageControl>(this, "PageSeries", 0, 34, 406, 250);
  PageSeries->SetAlign(TAlign::alClient);
  auto AddTab = [this](TPageControl* PC, const char* Name, const char* Caption) {
    auto* T = Create<TTabSheet>(this);
    T->SetName(Name);
    T->SetCaption(Caption);
    T->SetPageControl(PC);
    return T;
  };
  TheTabSheet = AddTab(PageSeries, "TheTabSheet", "Format");
  TabGeneral = AddTab(PageSeries, "TabGeneral", "General");
  TabMarks = AddTab(PageSeries, "TabMarks", "Marks");
  TabDataSource = AddTab(PageSeries, "TabDataSource", "Data Source");
  PageControlMarks = PlaceControl<TPageControl>(this, TabMarks, "PageControlMarks", 0, 0, 398, 222);
  PageControlMarks->SetAlign(TAlign::alClient);
  TabSheet1 = AddTab(PageControlMarks, "TabSheet1", "Style");
  TabSheet2 = AddTab(PageControlMarks, "TabSheet2", "Arrows");
  TabSymbol = AddTab(PageControlMarks, "TabSymbol", "Symbol");
  BuildGeneralTab();
  BuildMarksTab();
  BuildDataSourceTab();

  PageSeries->SetActivePage(TheTabSheet);
  PageControlMarks->SetActivePage(TabSheet1);
  OnRowChanged = [this](TEditorPage&, int32_t Row) { RuleChanged(Row); };
  OnShow = [this](TObject*) {
    FSelecting = false;
    if (TChartSeries* S = FSeries.Get()) {
      CBShowInEditor->SetVisible(S->ComponentState.Contains(TComponentStateItem::csDesigning));
      BeginLoading();
      CBShowInEditor->SetChecked(S->ShowInEditor);
      EndLoading();
    }
  };
  CBSeries->OnChange = [this](TObject* Sender) { CBSeriesChange(Sender); };
  PageSeries->OnChanging = [this](TObject*, bool& Allow) {
    Allow = CloseQuery();
    FFilling = Allow;
  };
  PageSeries->OnChange = [this](TObject* Sender) { PageSeriesChange(Sender); };
  PaintBox1->OnPaint = [this](TObject*) { PaintSwatch(); };
  PaintBox1->OnClick = [this](TObject*) {
    TChartSeries* S = FSeries.Get();
    if (!S) return;
    TColor C = S->GetSeriesColor();
    if (PlotCanvas::EditColorVar(this, C)) {
      S->SetSeriesColor(C);
      PaintBox1->Invalidate();
    }
  };
  CBPersistent->OnClick = [this](TObject*) {
    TChartSeries* S = FSeries.Get();
    if (!S || IsLoading()) return;
    const int32_t Style = S->GetStyle();
    S->SetStyle(CBPersistent->GetChecked() ? (Style | PlotLisB::tssIsPersistent) : (Style & ~PlotLisB::tssIsPersistent));
  };
}

TFormPlotSeries::~TFormPlotSeries() = default;

void TFormPlotSeries::BeforeDestruction() {
  if (TCustomAxisPanel* C = FListened.Get()) C->RemoveListener(this);
  FListened.Reset();
  TEditorPage::BeforeDestruction();
}

void TFormPlotSeries::BuildGeneralTab() {
  TWinControl* G = TabGeneral;
  const int32_t Legend = AddRow(MakeRow(TEditorRowKind::erCheck, "&Show In Legend", "ShowInLegend"));
  CBShowInLegend = RowControl<TCheckBox>(Legend, G, "CBShowInLegend", 8, 8, 150, 17);
  LCursor = PlaceControl<TLabel>(this, G, "LCursor", 8, 34, 40, 13);
  LCursor->SetCaption("&Cursor:");
  CBCursor = PlaceControl<TComboFlat>(this, G, "CBCursor", 60, 30, 110, 21);
  CBCursor->Style = TComboBoxStyle::csDropDownList;
  LCursor->FocusControl = CBCursor;
  FRowDepth = AddRow(MakeRow(TEditorRowKind::erUpDown, "&Depth:", "Depth", 0, 1200));
  EDepth = RowControl<TEdit>(FRowDepth, G, "EDepth", 60, 58, 45, 21);
  UDDepth = Row(FRowDepth).UpDown;
  UDDepth->SetName("UDDepth");
  UDDepth->SetParent(G);
  UDDepth->SetAssociate(EDepth);
  LDepth = Row(FRowDepth).Label;
  LDepth->SetName("LDepth");
  LDepth->SetParent(G);
  LDepth->SetBounds(8, 62, 40, 13);
  CBDepth = PlaceControl<TCheckBox>(this, G, "CBDepth", 116, 60, 60, 17);
  CBDepth->SetCaption("Auto");
  LFormat = PlaceControl<TLabel>(this, G, "LFormat", 8, 92, 45, 13);
  LFormat->SetCaption("&Values:");
  CBFormat = PlaceControl<TComboFlat>(this, G, "CBFormat", 60, 88, 120, 21);
  Button1 = PlaceControl<TButton>(this, G, "Button1", 184, 88, 21, 21);
  Button1->SetCaption("...");
  LPercentFormat = PlaceControl<TLabel>(this, G, "LPercentFormat", 8, 120, 50, 13);
  LPercentFormat->SetCaption("&Percents:");
  EPercentFormat = PlaceControl<TEdit>(this, G, "EPercentFormat", 60, 116, 120, 21);
  Button2 = PlaceControl<TButton>(this, G, "Button2", 184, 116, 21, 21);
  Button2->SetCaption("...");
  GBHorizAxis = PlaceControl<TGroupBox>(this, G, "GBHorizAxis", 216, 4, 170, 64);
  GBHorizAxis->SetCaption("Horizontal Axis");
  CBHorizAxis = PlaceControl<TComboFlat>(this, GBHorizAxis, "CBHorizAxis", 8, 16, 150, 21);
  CBHorizAxis->Style = TComboBoxStyle::csDropDownList;
  CBXDateTime = PlaceControl<TCheckBox>(this, GBHorizAxis, "CBXDateTime", 8, 42, 100, 17);
  CBXDateTime->SetCaption("Dat&eTime");
  GBVertAxis = PlaceControl<TGroupBox>(this, G, "GBVertAxis", 216, 72, 170, 64);
  GBVertAxis->SetCaption("Vertical Axis");
  CBVertAxis = PlaceControl<TComboFlat>(this, GBVertAxis, "CBVertAxis", 8, 16, 150, 21);
  CBVertAxis->Style = TComboBoxStyle::csDropDownList;
  CBYDateTime = PlaceControl<TCheckBox>(this, GBVertAxis, "CBYDateTime", 8, 42, 100, 17);
  CBYDateTime->SetCaption("D&ateTime");
  CBZDateTime = PlaceControl<TCheckBox>(this, G, "CBZDateTime", 216, 142, 110, 17);
  CBZDateTime->SetCaption("&Z DateTime");
  LSort = PlaceControl<TLabel>(this, G, "LSort", 8, 150, 30, 13);
  LSort->SetCaption("S&ort:");
  CBSort = PlaceControl<TComboFlat>(this, G, "CBSort", 60, 146, 100, 21);
  CBSort->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : {"Ascending", "Descending", "None"}) CBSort->Items()->Add(S);
  CBShowInEditor = PlaceControl<TCheckBox>(this, G, "CBShowInEditor", 8, 176, 150, 17);
  CBShowInEditor->SetCaption("Show in this editor");
  CBShowInEditor->Hide();

  auto Guarded = [this] { return IsLoading() || FSelecting || FFilling || !FSeries; };
  CBCursor->OnChange = [this, Guarded](TObject*) {
    if (Guarded() || CBCursor->GetItemIndex() < 0) return;
    FSeries->Cursor = PlotPenDlg::CursorFromName(FSeries->Cursor, CBCursor->Items()->Strings(CBCursor->GetItemIndex()));
  };
  CBDepth->OnClick = [this, Guarded](TObject*) {
    if (Guarded()) return;
    FSeries->SetDepth(CBDepth->GetChecked() ? -1 : UDDepth->GetPosition());
  };
  auto ApplyValueFormat = [this, Guarded] {
    if (!Guarded()) FSeries->SetValueFormat(PlotProcs::DelocalizeNumberText(CBFormat->GetText()));
  };
  CBFormat->OnChange = [ApplyValueFormat](TObject*) { ApplyValueFormat(); };
  Button1->OnClick = [this, ApplyValueFormat](TObject*) {
    CBFormat->SetText(PlotFormatting::EditValueFormat(this, CBFormat->GetText(), false));
    ApplyValueFormat();
  };
  auto ApplyPercentFormat = [this, Guarded] {
    if (!Guarded()) FSeries->SetPercentFormat(PlotProcs::DelocalizeNumberText(EPercentFormat->GetText()));
  };
  EPercentFormat->OnChange = [ApplyPercentFormat](TObject*) { ApplyPercentFormat(); };
  Button2->OnClick = [this, ApplyPercentFormat](TObject*) {
    EPercentFormat->SetText(PlotFormatting::EditValueFormat(this, EPercentFormat->GetText(), false));
    ApplyPercentFormat();
  };
  CBHorizAxis->OnChange = [this, Guarded](TObject*) {
    const int32_t I = CBHorizAxis->GetItemIndex();
    if (Guarded() || I < 0) return;
    if (I < 3)
      FSeries->SetHorizAxis(static_cast<THorizAxis>(I));
    else if (auto* A = dynamic_cast<TChartAxis*>(CBHorizAxis->Items()->Objects(I)))
      FSeries->SetCustomHorizAxis(A);
  };
  CBVertAxis->OnChange = [this, Guarded](TObject*) {
    const int32_t I = CBVertAxis->GetItemIndex();
    if (Guarded() || I < 0) return;
    if (I < 3)
      FSeries->SetVertAxis(static_cast<TVertAxis>(I));
    else if (auto* A = dynamic_cast<TChartAxis*>(CBVertAxis->Items()->Objects(I)))
      FSeries->SetCustomVertAxis(A);
  };
  CBXDateTime->OnClick = [this, Guarded](TObject*) {
    if (!Guarded()) FSeries->XValues()->SetDateTime(CBXDateTime->GetChecked());
  };
  CBYDateTime->OnClick = [this, Guarded](TObject*) {
    if (!Guarded()) FSeries->YValues()->SetDateTime(CBYDateTime->GetChecked());
  };
  CBZDateTime->OnClick = [this, Guarded](TObject*) {
    if (Guarded() || FSeries->ValueLists().Count() < 3) return;
    FSeries->ValueLists().Get(2)->SetDateTime(CBZDateTime->GetChecked());
  };
  CBSort->OnChange = [this, Guarded](TObject*) {
    const int32_t I = CBSort->GetItemIndex();
    if (Guarded() || I < 0) return;
    FSeries->NotMandatoryList()->SetOrder(loNone);
    const TChartListOrder Order = I == 0 ? loAscending : I == 1 ? loDescending : loNone;
    FSeries->MandatoryList()->SetOrder(Order);
    if (Order != loNone) FSeries->SortByMandatory();
  };
  CBShowInEditor->OnClick = [this, Guarded](TObject*) {
    if (!Guarded()) FSeries->ShowInEditor = CBShowInEditor->GetChecked();
  };
}

void TFormPlotSeries::BuildMarksTab() {
  TWinControl* S = TabSheet1;
  FRowMarksVisible = AddRow(MakeRow(TEditorRowKind::erCheck, "&Visible", "Marks.Visible"));
  CBMarksVisible = RowControl<TCheckBox>(FRowMarksVisible, S, "CBMarksVisible", 8, 8, 90, 17);
  CBMarkClip = RowControl<TCheckBox>(AddRow(MakeRow(TEditorRowKind::erCheck, "Cl&ipped", "Marks.Clip")), S,
                                     "CBMarkClip", 8, 30, 90, 17);
  const int32_t Angle = AddRow(MakeRow(TEditorRowKind::erUpDown, "&Angle:", "Marks.Angle", 0, 360, 5));
  SEMarksAngle = RowControl<TEdit>(Angle, S, "SEMarksAngle", 80, 54, 40, 21);
  UDMarksAngle = Row(Angle).UpDown;
  UDMarksAngle->SetName("UDMarksAngle");
  UDMarksAngle->Wrap = true;
  UDMarksAngle->SetParent(S);
  UDMarksAngle->SetAssociate(SEMarksAngle);
  Row(Angle).Label->SetParent(S);
  Row(Angle).Label->SetBounds(8, 58, 60, 13);
  const int32_t Every = AddRow(MakeRow(TEditorRowKind::erUpDown, "Draw &every:", "Marks.DrawEvery", 1, 5000));
  EMarksEvery = RowControl<TEdit>(Every, S, "EMarksEvery", 80, 82, 40, 21);
  UDEvery = Row(Every).UpDown;
  UDEvery->SetName("UDEvery");
  UDEvery->SetParent(S);
  UDEvery->SetAssociate(EMarksEvery);
  Row(Every).Label->SetParent(S);
  Row(Every).Label->SetBounds(8, 86, 60, 13);
  CBMultiLine = RowControl<TCheckBox>(AddRow(MakeRow(TEditorRowKind::erCheck, "&Multi line", "Marks.MultiLine")), S,
                                      "CBMultiLine", 8, 110, 100, 17);
  CBAllVisible = PlaceControl<TCheckBox>(this, S, "CBAllVisible", 8, 134, 130, 17);
  CBAllVisible->SetCaption("All Series Visi&ble");
  TEditorRow Styles = MakeRow(TEditorRowKind::erRadio, "&Style:", "Marks.Style");
  for (int32_t i = 0; i < 10; ++i) Styles.Items.emplace_back(MarkStyles[i], i);
  FRowMarkStyle = AddRow(Styles);
  RGMarkStyle = RowControl<TRadioGroup>(FRowMarkStyle, S, "RGMarkStyle", 150, 4, 236, 190);

  TWinControl* A = TabSheet2;
  const int32_t Length = AddRow(MakeRow(TEditorRowKind::erUpDown, "&Length:", "Marks.Callout.Length", -1000, 1000));
  SEArrowLength = RowControl<TEdit>(Length, A, "SEArrowLength", 80, 8, 45, 21);
  UDArrowsLength = Row(Length).UpDown;
  UDArrowsLength->SetName("UDArrowsLength");
  UDArrowsLength->SetParent(A);
  UDArrowsLength->SetAssociate(SEArrowLength);
  Row(Length).Label->SetParent(A);
  Row(Length).Label->SetBounds(8, 12, 60, 13);
  const int32_t Dist = AddRow(MakeRow(TEditorRowKind::erUpDown, "&Distance:", "Marks.Callout.Distance", -1000, 1000));
  EArrowDist = RowControl<TEdit>(Dist, A, "EArrowDist", 80, 36, 45, 21);
  UDArrowDist = Row(Dist).UpDown;
  UDArrowDist->SetName("UDArrowDist");
  UDArrowDist->SetParent(A);
  UDArrowDist->SetAssociate(EArrowDist);
  Row(Dist).Label->SetParent(A);
  Row(Dist).Label->SetBounds(8, 40, 60, 13);
  BMarkLinCol = RowControl<TButtonPen>(AddRow(MakeRow(TEditorRowKind::erPen, "&Border...", "Marks.Callout.Arrow")), A,
                                       "BMarkLinCol", 160, 8, 90, 25);
  BCalloutPointer = PlaceControl<TButton>(this, A, "BCalloutPointer", 160, 40, 90, 25);
  BCalloutPointer->SetCaption("&Pointer...");
  TEditorRow Head = MakeRow(TEditorRowKind::erCombo, "&Arrow head:", "Marks.Callout.ArrowHead");
  Head.Items = {{"None", 0}, {"Line", 1}, {"Solid", 2}};
  const int32_t HeadRow = AddRow(Head);
  CBHead = RowControl<TComboFlat>(HeadRow, A, "CBHead", 80, 72, 80, 21);
  CBHead->Style = TComboBoxStyle::csDropDownList;
  Row(HeadRow).Label->SetParent(A);
  Row(HeadRow).Label->SetBounds(8, 76, 70, 13);
  const int32_t Size = AddRow(MakeRow(TEditorRowKind::erUpDown, "&Size:", "Marks.Callout.ArrowHeadSize", -1000, 1000));
  Edit1 = RowControl<TEdit>(Size, A, "Edit1", 80, 100, 45, 21);
  UDHeadSize = Row(Size).UpDown;
  UDHeadSize->SetName("UDHeadSize");
  UDHeadSize->SetParent(A);
  UDHeadSize->SetAssociate(Edit1);
  Row(Size).Label->SetParent(A);
  Row(Size).Label->SetBounds(8, 104, 60, 13);

  CBAllVisible->OnClick = [this](TObject*) {
    if (IsLoading() || FSelecting || FFilling || !FSeries) return;
    const bool On = CBAllVisible->GetChecked();
    if (auto* C = dynamic_cast<TCustomAxisPanel*>(FSeries->GetParentChart()))
      for (int32_t i = 0; i < C->SeriesCount(); ++i)
        if (TSeriesMarks* M = MarksOf(C->GetSeries(i))) M->SetVisible(On);
    BeginLoading();
    CBMarksVisible->SetChecked(On);
    EndLoading();
  };
  BCalloutPointer->OnClick = [this](TObject*) {
    if (TSeriesMarks* M = MarksOf(FSeries.Get())) PlotPoEdi::ShowPointerEditor(this, M->GetCallout());
  };
}

// ---------------------------------------------------------------- selection

void TFormPlotSeries::FillSeriesCombo(TCustomAxisPanel* Chart) {
  CBSeries->Items()->Clear();
  if (!Chart) return;
  for (int32_t i = 0; i < Chart->SeriesCount(); ++i)
    if (TChartSeries* S = Chart->GetSeries(i); PlotLisB::ShownInEditor(S))
      CBSeries->Items()->AddObject(PlotEngine::SeriesTitleOrName(S), S);
}

void TFormPlotSeries::SelectSeries(TChartSeries* Series) {
  if (!Series) {
    PageSeries->Hide();
    return;
  }
  if (CBSeries->Items()->IndexOfObject(Series) < 0) {
    FillSeriesCombo(dynamic_cast<TCustomAxisPanel*>(Series->GetParentChart()));
    if (CBSeries->Items()->IndexOfObject(Series) < 0)
      CBSeries->Items()->AddObject(PlotEngine::SeriesTitleOrName(Series), Series);
  }
  CBSeries->SetItemIndex(CBSeries->Items()->IndexOfObject(Series));
  CBSeriesChange(CBSeries);
}

void TFormPlotSeries::CBSeriesChange(TObject*) {
  const bool Was = FSelecting;
  FSelecting = true;
  TTabSheet* Active = PageSeries->GetActivePage();
  const std::string Caption = Active ? Active->GetCaption() : std::string();
  const int32_t I = CBSeries->GetItemIndex();
  TChartSeries* S = I >= 0 ? dynamic_cast<TChartSeries*>(CBSeries->Items()->Objects(I)) : nullptr;
  if (!S) {
    ImageSeries->Hide();
    LabelSeriesClass->SetCaption("");
    PageSeries->Hide();
  } else {
    FSeries = S;
    if (SeriesListBox) {
      SeriesListBox->ClearSelection();
      SeriesListBox->SelectSeries(S);
    }
    if (S != FLastSeries.Get()) {
      ShowSeries(S, Caption);
      FLastSeries = S;
    }
  }
  FSelecting = Was;
}

void TFormPlotSeries::ListenTo(TCustomAxisPanel* Chart) {
  if (FListened.Get() == Chart) return;
  if (TCustomAxisPanel* Old = FListened.Get()) Old->RemoveListener(this);
  FListened = Chart;
  if (Chart) Chart->AddListener(this);
}

TForm* TFormPlotSeries::FormatForm() const {
  for (int32_t i = 0; i < TheTabSheet->ControlCount(); ++i)
    if (auto* F = dynamic_cast<TForm*>(TheTabSheet->GetControl(i))) return F;
  return nullptr;
}

void TFormPlotSeries::EmptyFormatTab() {
  while (TheTabSheet->ControlCount() > 0) TheTabSheet->GetControl(TheTabSheet->ControlCount() - 1)->Free();
  for (int32_t i = PageSeries->PageCount() - 1; i > 0; --i) {
    TTabSheet* T = PageSeries->Pages(i);
    if (T == TheTabSheet || T == TabGeneral || T == TabMarks || T == TabDataSource) continue;
    if (T->ComponentState.Contains(TComponentStateItem::csDestroying)) continue;
    T->Free();
  }
}

void TFormPlotSeries::ShowSeries(TChartSeries* Series, const std::string& Caption) {
  ListenTo(dynamic_cast<TCustomAxisPanel*>(Series->GetParentChart()));
  while (CBDataSourcestyle->Items()->Count() > 3) CBDataSourcestyle->Items()->Delete(3);
  for (TClass Kind : PlotEngine::DataSourceKinds())
    if (Kind && CBDataSourcestyle->Items()->IndexOf(Kind->ClassName()) < 0)
      CBDataSourcestyle->Items()->Add(Kind->ClassName());
  TBitmap Icon;
  PlotProcs::LoadSeriesBitmap(*Series, Icon);
  ImageSeries->Picture()->SetGraphic(&Icon);
  PaintBox1->SetVisible(PlotLisB::UsesSeriesColor(Series));
  std::string Type = Chart::SeriesTypeText(Series);
  if (const size_t Amp = Type.find('&'); Amp != std::string::npos) Type.insert(Amp, "&");
  LabelSeriesClass->SetCaption(Type + ": " + PlotEngine::SeriesTitleOrName(Series));
  ImageSeries->Show();
  PageSeries->Show();
  TabGeneral->SetTabVisible(ShowGeneralTab);
  TabMarks->SetTabVisible(ShowMarksTab);
  const int32_t Style = Series->GetStyle();
  TabDataSource->SetTabVisible(ShowDataSourceTab && !(Style & PlotLisB::tssIsTemplate) &&
                               !(Style & PlotLisB::tssHideDataSource));
  std::string Open = Caption;
  if (Open.empty() || (Open == "Data Source" && !TabDataSource->GetTabVisible())) Open = "Format";
  const bool UsesAxes = Series->UseAxis();
  GBHorizAxis->SetVisible(UsesAxes);
  GBVertAxis->SetVisible(UsesAxes);
  CBPersistent->SetVisible(ShowPersistent && !(Style & PlotLisB::tssIsTemplate));
  BeginLoading();
  CBPersistent->SetChecked((Style & PlotLisB::tssIsPersistent) != 0);
  EndLoading();

  EmptyFormatTab();
  CloseDataSourceForm();
  Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Series));
  if (TClass C = PlotEdiSeri::FindSeriesEditorClass(Series)) {
    auto* F = dynamic_cast<TForm*>(C->CreateInstance(this));
    if (F) {
      TheTabSheet->SetTabVisible(true);
      F->SetAlign(TAlign::alClient);
      PlotPenDlg::EmbedEditorForm(F, TheTabSheet, Series);
    }
  } else {
    TheTabSheet->SetTabVisible(false);
  }
  TTabSheet* Target = nullptr;
  for (int32_t i = 0; i < PageSeries->PageCount() && !Target; ++i)
    if (PageSeries->Pages(i)->GetCaption() == Open) Target = PageSeries->Pages(i);
  if (!Target) Target = TheTabSheet;
  // A hidden tab never opens: the first visible one does.
  if (!Target->GetTabVisible()) {
    Target = nullptr;
    for (int32_t i = 0; i < PageSeries->PageCount() && !Target; ++i)
      if (PageSeries->Pages(i)->GetTabVisible()) Target = PageSeries->Pages(i);
  }
  if (Target) PageSeries->SetActivePage(Target);
  CBDataSourcestyle->SetItemIndex(-1);
  PageSeriesChange(PageSeries);
  PaintBox1->Invalidate();
}

void TFormPlotSeries::PageSeriesChange(TObject*) {
  FFilling = true;
  TTabSheet* A = PageSeries->GetActivePage();
  if (A == TabGeneral)
    FillGeneralTab();
  else if (A == TabMarks)
    FillMarksTab();
  else if (A == TabDataSource)
    FillDataSourceTab();
  FFilling = false;
}

bool TFormPlotSeries::CloseQuery() {
  TForm* F = FDataSourceForm.Get();
  return !F || F->CloseQuery();
}

// ---------------------------------------------------------------- filling

void TFormPlotSeries::FillAxisList(TComboFlat* Combo, bool Horizontal) {
  Combo->Items()->Clear();
  for (const char* S : Horizontal ? std::vector<const char*>{"Top", "Bottom", "Top and Bottom"}
                                  : std::vector<const char*>{"Left", "Right", "Left and Right"})
    Combo->Items()->Add(S);
  auto* Chart = FSeries ? dynamic_cast<TCustomAxisPanel*>(FSeries->GetParentChart()) : nullptr;
  if (!Chart || !Chart->CustomAxes()) return;
  for (int32_t i = 0; i < Chart->CustomAxes()->Count(); ++i)
    if (TChartAxis* A = Chart->CustomAxes()->GetAxis(i); A->GetHorizontal() == Horizontal)
      Combo->Items()->AddObject(PlotEdiSeri::CustomAxisText(i), A);
}

void TFormPlotSeries::RefreshAxisLists() {
  if (!FSeries) return;
  BeginLoading();
  FillAxisList(CBHorizAxis, true);
  FillAxisList(CBVertAxis, false);
  TChartSeries* S = FSeries.Get();
  CBHorizAxis->SetItemIndex(S->GetHorizAxis() == aCustomHorizAxis
                                ? CBHorizAxis->Items()->IndexOfObject(S->GetCustomHorizAxis())
                                : static_cast<int32_t>(S->GetHorizAxis()));
  CBVertAxis->SetItemIndex(S->GetVertAxis() == aCustomVertAxis
                               ? CBVertAxis->Items()->IndexOfObject(S->GetCustomVertAxis())
                               : static_cast<int32_t>(S->GetVertAxis()));
  EndLoading();
}

void TFormPlotSeries::FillGeneralTab() {
  TChartSeries* S = FSeries.Get();
  if (!S) return;
  LoadControls();
  BeginLoading();
  CBDepth->SetChecked(S->GetDepth() == -1);
  UDDepth->SetPosition(S->GetDepth() == -1 ? 0 : S->GetDepth());
  CBFormat->Items()->Clear();
  PlotPenDlg::FillFormatList(CBFormat->Items());
  const std::string Format = PlotProcs::LocalizeNumberText(S->GetValueFormat());
  if (CBFormat->Items()->IndexOf(Format) < 0) CBFormat->Items()->Add(Format);
  CBFormat->SetText(Format);
  CBFormat->SetItemIndex(CBFormat->Items()->IndexOf(Format));
  EPercentFormat->SetText(PlotProcs::LocalizeNumberText(S->GetPercentFormat()));
  EndLoading();
  RefreshAxisLists();
  BeginLoading();
  CBXDateTime->SetChecked(S->XValues()->GetDateTime());
  CBYDateTime->SetChecked(S->YValues()->GetDateTime());
  const bool HasDepthList = S->HasZValues && S->ValueLists().Count() > 2;
  CBZDateTime->SetVisible(HasDepthList);
  if (HasDepthList) CBZDateTime->SetChecked(S->ValueLists().Get(2)->GetDateTime());
  const TChartListOrder Order = S->MandatoryList()->GetOrder();
  CBSort->SetItemIndex(Order == loAscending ? 0 : Order == loDescending ? 1 : 2);
  const bool FewLists = S->ValueLists().Count() < 3;
  PlotPenDlg::SetControlsVisible(FewLists, {LSort, CBSort, LDepth, EDepth, UDDepth, CBDepth});
  PlotPenDlg::FillCursorCombo(CBCursor, S->Cursor);
  EndLoading();
}

void TFormPlotSeries::FillMarksTab() {
  TChartSeries* S = FSeries.Get();
  TSeriesMarks* M = MarksOf(S);
  if (!M) return;
  if (!FMarksEditor) {
    FMarksEditor = PlotCustomShapeEditor::InsertShapeEditorPages(PageControlMarks, M);
    FSymbolEditor = PlotCustomShapeEditor::CreateShapeEditor(TabSymbol, M->GetSymbol(), nullptr);
    FSymbolEditor->SetAlign(TAlign::alClient);
    PlotPenDlg::EmbedEditorForm(FSymbolEditor, TabSymbol, M->GetSymbol());
    FSymbolEditor->BColor->Hide();
    FSymbolEditor->TabText->SetTabVisible(false);
    CBSymbolVisible = Create<TCheckBox>(this);
    CBSymbolVisible->SetName("CBSymbolVisible");
    CBSymbolVisible->SetParent(FSymbolEditor->BColor->GetParent());
    CBSymbolVisible->SetBounds(FSymbolEditor->BColor->GetLeft(), FSymbolEditor->BColor->GetTop() + 4, 90, 17);
    CBSymbolVisible->SetCaption("&Visible");
    CBSymbolVisible->OnClick = [this](TObject*) {
      if (IsLoading() || !FSeries) return;
      if (TSeriesMarks* Marks = MarksOf(FSeries.Get())) Marks->GetSymbol()->SetVisible(CBSymbolVisible->GetChecked());
    };
  }
  LoadControls();
  BeginLoading();
  RefreshAllVisible();
  EnableMultiLine();
  if (CBSymbolVisible) CBSymbolVisible->SetChecked(M->GetSymbol()->GetVisible());
  EndLoading();
  FMarksEditor->SetEditedShape(M);
  FSymbolEditor->SetEditedShape(M->GetSymbol());
}

void TFormPlotSeries::RefreshAllVisible() {
  bool All = true;
  if (auto* C = FSeries ? dynamic_cast<TCustomAxisPanel*>(FSeries->GetParentChart()) : nullptr)
    for (int32_t i = 0; i < C->SeriesCount(); ++i)
      if (TSeriesMarks* M = MarksOf(C->GetSeries(i)); !M || !M->GetVisible()) All = false;
  BeginLoading();
  CBAllVisible->SetChecked(All);
  EndLoading();
}

void TFormPlotSeries::EnableMultiLine() { CBMultiLine->SetEnabled(MultiLineStyle(RGMarkStyle->GetItemIndex())); }

void TFormPlotSeries::RuleChanged(int32_t Row) {
  if (Row == FRowDepth) {
    BeginLoading();
    CBDepth->SetChecked(false);
    EndLoading();
  } else if (Row == FRowMarksVisible) {
    RefreshAllVisible();
  } else if (Row == FRowMarkStyle) {
    EnableMultiLine();
  }
}

void TFormPlotSeries::PaintSwatch() {
  TCanvas* C = PaintBox1->GetCanvas();
  if (!C) return;
  TRect R = PaintBox1->GetClientRect();
  C->Brush->SetStyle(bsSolid);
  C->Brush->SetColor(PaintBox1->GetColor());
  C->FillRect(R);
  R.Top += 4;
  R.Bottom -= 4;
  if (TChartSeries* S = FSeries.Get()) Chart::DrawSeriesSymbolOn(S, *C, R);
}

void TFormPlotSeries::PlotEvent(TPlotEvent& Event) {
  if (ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  auto* E = dynamic_cast<TPlotSeriesEvent*>(&Event);
  if (!E) return;
  if (E->Event == 3) {
    PaintBox1->Invalidate();
  } else if (E->Event == 1 && E->Series == FSeries.Get()) {
    EmptyFormatTab();
    CloseDataSourceForm();
    ChartGrid1->SetSeries(nullptr);
    Tag = 0;
    FSeries.Reset();
    FLastSeries.Reset();
    const int32_t I = CBSeries->Items()->IndexOfObject(E->Series);
    if (I >= 0) CBSeries->Items()->Delete(I);
    CBSeries->SetItemIndex(-1);
    CBSeriesChange(CBSeries);
  }
}

// ---------------------------------------------------------------- data source

namespace {
enum : int32_t { dsManual = 0, dsRandom = 1, dsFunction = 2 };
// The class of the function editor, once its unit has registered it.
constexpr const char* FunctionEditorClassName = "TPlotFuncEditor";
}  // namespace

void TFormPlotSeries::BuildDataSourceTab() {
  PanelDataSource = PlaceControl<TPanel>(this, TabDataSource, "PanelDataSource", 0, 0, 398, 30);
  PanelDataSource->SetAlign(TAlign::alTop);
  PanelDataSource->SetCaption("");
  PanelDataSource->BevelOuter = TPanelBevel::bvNone;
  CBDataSourcestyle = PlaceControl<TComboFlat>(this, PanelDataSource, "CBDataSourcestyle", 4, 4, 140, 21);
  CBDataSourcestyle->Style = TComboBoxStyle::csDropDownList;
  CBDataSourcestyle->DropDownCount = 12;
  for (const char* S : {"Manual", "Random", "Function"}) CBDataSourcestyle->Items()->Add(S);
  NewDataButton = PlaceControl<TButton>(this, PanelDataSource, "NewDataButton", 152, 2, 70, 25);
  NewDataButton->SetCaption("&New...");
  EditDataButton = PlaceControl<TButton>(this, PanelDataSource, "EditDataButton", 226, 2, 70, 25);
  EditDataButton->SetCaption("&Edit...");
  DeleteDataButton = PlaceControl<TButton>(this, PanelDataSource, "DeleteDataButton", 300, 2, 70, 25);
  DeleteDataButton->SetCaption("De&lete");
  PlotPenDlg::SetControlsVisible(false, {NewDataButton, EditDataButton, DeleteDataButton});
  Panel2 = PlaceControl<TPanel>(this, TabDataSource, "Panel2", 0, 30, 398, 192);
  Panel2->SetAlign(TAlign::alClient);
  Panel2->SetCaption("");
  Panel2->BevelOuter = TPanelBevel::bvNone;
  ChartGridNavigator1 = PlaceControl<TChartGridNavigator>(this, Panel2, "ChartGridNavigator1", 0, 167, 241, 25);
  ChartGridNavigator1->SetAlign(TAlign::alBottom);
  ChartGrid1 = PlaceControl<TChartGrid>(this, Panel2, "ChartGrid1", 0, 0, 398, 167);
  ChartGrid1->SetAlign(TAlign::alClient);
  ChartGridNavigator1->SetGrid(ChartGrid1);
  ChartGrid1->OnSetEditText = [this](TObject*, int, int, const std::string&) {
    if (TChartSeries* S = FSeries.Get()) S->RefreshSeries();
  };
  Panel4 = PlaceControl<TPanel>(this, Panel2, "Panel4", 0, 0, 398, 192);
  Panel4->SetAlign(TAlign::alClient);
  Panel4->SetCaption("");
  Panel4->BevelOuter = TPanelBevel::bvNone;
  LSamples = PlaceControl<TLabel>(this, Panel4, "LSamples", 8, 14, 110, 13);
  LSamples->SetCaption("Number of &points:");
  ESamples = PlaceControl<TEdit>(this, Panel4, "ESamples", 124, 10, 70, 21);
  LSamples->FocusControl = ESamples;
  CBSamplesDefault = PlaceControl<TCheckBox>(this, Panel4, "CBSamplesDefault", 204, 12, 80, 17);
  CBSamplesDefault->SetCaption("&Default");
  BApplyRandom = PlaceControl<TButton>(this, Panel4, "BApplyRandom", 124, 42, 75, 25);
  BApplyRandom->SetCaption("&Apply");
  Button3 = PlaceControl<TButton>(this, Panel4, "Button3", 204, 42, 75, 25);
  Button3->SetCaption("&Clear");
  Timer1 = Create<TTimer>(this);
  Timer1->SetName("Timer1");
  Timer1->SetInterval(1);
  Timer1->SetEnabled(false);
  PlotPenDlg::SetControlsVisible(false, {ChartGrid1, ChartGridNavigator1, Panel4});

  CBDataSourcestyle->OnChange = [this](TObject* Sender) { CBDataSourcestyleChange(Sender); };
  ESamples->OnChange = [this](TObject*) {
    TChartSeries* S = FSeries.Get();
    if (!S || IsLoading()) return;
    // Whole numbers from 0 up; anything else means the default count.
    int32_t N = 0;
    if (!SysUtils::TryStrToInt(SysUtils::Trim(ESamples->GetText()), N) || N < 0) N = 0;
    S->SampleCount = std::min(N, MaxSampleCount);
    SamplesRule();
    BApplyRandom->SetEnabled(true);
  };
  CBSamplesDefault->OnClick = [this](TObject*) {
    TChartSeries* S = FSeries.Get();
    if (!S || IsLoading() || !CBSamplesDefault->GetChecked()) return;
    ESamples->SetText(std::to_string(S->NumSampleValues()));
    SamplesRule();
  };
  BApplyRandom->OnClick = [this](TObject*) {
    if (TChartSeries* S = FSeries.Get()) S->FillSampleValues(std::clamp(S->SampleCount, 0, MaxSampleCount));
  };
  Button3->OnClick = [this](TObject*) {
    TChartSeries* S = FSeries.Get();
    if (!S) return;
    S->Clear();
    CBDataSourcestyle->SetItemIndex(dsManual);
    CBDataSourcestyleChange(CBDataSourcestyle);
  };
  Timer1->SetOnTimer([this](TObject*) {
    Timer1->SetEnabled(false);
    // Deselecting and reselecting the tab lets the embedded form lay out.
    if (PageSeries->GetActivePage() == TabDataSource) {
      PageSeries->SetActivePage(nullptr);
      PageSeries->SetActivePage(TabDataSource);
    }
  });
}

void TFormPlotSeries::SamplesRule() {
  TChartSeries* S = FSeries.Get();
  if (!S) return;
  BeginLoading();
  const bool Default = S->SampleCount == 0 || S->SampleCount == S->NumSampleValues();
  CBSamplesDefault->SetChecked(Default);
  CBSamplesDefault->SetEnabled(!Default);
  EndLoading();
}

void TFormPlotSeries::FillDataSourceTab() {
  TChartSeries* S = FSeries.Get();
  if (!S) return;
  TComponent* Source = S->GetDataSource();
  int32_t Style = dsManual;
  if (S->GetFunction() || dynamic_cast<TChartSeries*>(Source))
    Style = dsFunction;
  else if (!Source)
    Style = S->Count() > 0 && !S->ManualData ? dsRandom : dsManual;
  else
    for (int32_t i = 3; i < CBDataSourcestyle->Items()->Count(); ++i)
      if (Source->ClassType()->ClassName() == CBDataSourcestyle->Items()->Strings(i)) Style = i;
  if (Style != CBDataSourcestyle->GetItemIndex()) {
    BeginLoading();
    CBDataSourcestyle->SetItemIndex(Style);
    EndLoading();
    RebuildDataSource();
  }
}

void TFormPlotSeries::DetachDataSource(TChartSeries* S) {
  TComponent* Source = S->GetDataSource();
  if (Source && !dynamic_cast<TChartSeries*>(Source) && Source->Owner() == S) {
    S->SetDataSource(nullptr);
    Source->Free();
    S->Clear();
  } else if (Source) {
    S->SetDataSource(nullptr);
  }
  S->SetFunction(nullptr);
}

void TFormPlotSeries::CBDataSourcestyleChange(TObject*) {
  TChartSeries* S = FSeries.Get();
  if (!S || IsLoading()) return;
  const int32_t Style = CBDataSourcestyle->GetItemIndex();
  if (Style == dsManual) {
    DetachDataSource(S);
    S->ManualData = true;
  } else if (Style == dsRandom) {
    DetachDataSource(S);
  }
  RebuildDataSource();
}

bool TFormPlotSeries::CloseDataSourceForm() {
  TForm* F = FDataSourceForm.Get();
  if (!F) return true;
  if (!F->CloseQuery()) return false;
  F->Free();
  return true;
}

void TFormPlotSeries::RebuildDataSource() {
  TChartSeries* S = FSeries.Get();
  if (!CloseDataSourceForm() || !S) return;
  PlotPenDlg::SetControlsVisible(false,
                                 {NewDataButton, EditDataButton, DeleteDataButton, ChartGrid1, ChartGridNavigator1});
  Panel4->Hide();
  switch (CBDataSourcestyle->GetItemIndex()) {
    case dsManual:
      ChartGrid1->SetChart(dynamic_cast<TCustomAxisPanel*>(S->GetParentChart()));
      ChartGrid1->SetSeries(S);
      ChartGrid1->Show();
      ChartGridNavigator1->Show();
      break;
    case dsRandom:
      Panel4->Show();
      BeginLoading();
      ESamples->SetText(std::to_string(S->SampleCount > 0 ? S->SampleCount : S->NumSampleValues()));
      EndLoading();
      SamplesRule();
      break;
    case dsFunction:
      if (TClass C = ClassInfo::GetClass(FunctionEditorClassName); C && C->InheritsFrom(TForm::StaticClass())) {
        if (auto* F = dynamic_cast<TForm*>(C->CreateInstance(this))) {
          F->SetAlign(TAlign::alClient);
          PlotPenDlg::EmbedEditorForm(F, Panel2, S);
          FDataSourceForm = F;
          Timer1->SetEnabled(true);
        }
      }
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------- unit routines

namespace PlotEdiSeri {

TClass FindSeriesEditorClass(const TChartSeries* Series) {
  if (!Series) return nullptr;
  // The series' own answer: some types name a form of their own in code.
  const std::string Name = Series->EditorFormName();
  if (Name.empty()) return nullptr;
  TClass C = ClassInfo::GetClass(Name);
  return C && C->InheritsFrom(TForm::StaticClass()) && C->CanCreate() ? C : nullptr;
}

TForm* InsertSeriesEditorTab(TWinControl* Parent, TClass FormClass, TObject* Edited, const std::string& Caption,
                             int32_t PageIndex) {
  if (auto* Page = dynamic_cast<TFormPlotSeries*>(Parent->Owner())) {
    auto* Tab = Create<TTabSheet>(Page);
    Tab->SetCaption(Caption);
    Tab->SetPageControl(Page->PageSeries);
    Tab->SetPageIndex(PageIndex);
    auto* F = dynamic_cast<TForm*>(FormClass->CreateInstance(Page));
    F->SetAlign(TAlign::alClient);
    PlotPenDlg::EmbedEditorForm(F, Tab, Edited);
    return F;
  }
  auto* F = dynamic_cast<TForm*>(FormClass->CreateInstance(Parent));
  F->SetCaption(Caption);
  F->Tag = reinterpret_cast<intptr_t>(Edited);
  return F;
}

std::string CustomAxisText(int32_t N) { return "Custom  " + std::to_string(N); }

}  // namespace PlotEdiSeri
