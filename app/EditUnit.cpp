#include "app/EditUnit.h"
#include "app/DialogFields.h"

#include <cmath>

#include "app/ResMainForm.h"
#include "chart/series/Series.h"
#include "numerics/Supermath2d.h"
#include "platform/ui/Dialogs.h"
#include "views/PseudoSection2d.h"

WeakRef<TEditForm> EditUnit::EditForm;

KV_CLASS_IMPL(TElectrodeGrid, TGridView) {}
KV_CLASS_IMPL(TEditForm, TForm) {}

namespace {

using Supermath2d::NoValue;

constexpr TColor CurrentRowColor = 0x90FFFF;  // pale yellow

double At(const arofdoubleM& Values, size_t Index) { return Index < Values.size() ? Values[Index] : NoValue; }

bool Usable(double Value) { return Value != NoValue && std::isfinite(Value); }

std::string NumberText(double Value) { return Supermath2d::FloatToStrDec(0, 1, Value); }

std::string PositionText(const TSurvey& S, int32_t Electrode) {
  if (Electrode < 0 || static_cast<size_t>(Electrode) >= S.elecarray.size()) return "*";
  return NumberText(S.elecarray[static_cast<size_t>(Electrode)].X);
}

std::string Quoted(const std::string& Text) { return "\"" + Text + "\""; }

int32_t MeasurementCount(const TSurvey& S) {
  int32_t count = 0;
  for (const osource& source : S.Asource) count += static_cast<int32_t>(source.RhoA.size());
  return count;
}

// R* = R / (1 - eta/100): the polarized resistance that goes with a resistance
// and an apparent polarizability in %; kept in step whenever either changes.
void UpdatePolarizedResistance(osource& Source, size_t Receiver) {
  if (Receiver >= Source.ResIP.size()) return;
  const double eta = At(Source.EtaA, Receiver), resistance = At(Source.Res, Receiver);
  if (!Usable(eta) || !Usable(resistance) || eta >= 100.0) return;
  Source.ResIP[Receiver] = resistance / (1.0 - eta / 100.0);
}

}  // namespace

// ================================================================ the table

TElectrodeGrid::TElectrodeGrid(TComponent* AOwner) : TGridView(AOwner) {}

bool TElectrodeGrid::ValidateCell(const std::string& NewText) {
  const bool valid = TGridView::ValidateCell(NewText);
  // Refused: the grid moved back to the edited cell and remembers the value
  // before the edit; the cell and its editor show the typed text again, so the
  // next attempt validates it once more.
  if (!valid && EditPending) {
    SetCells(RealCurrentCol(), GetRow(), NewText);
    if (TGridInplaceEdit* editor = InplaceEditor(); editor && editor->GetVisible()) editor->SetText(NewText);
  }
  return valid;
}

// ================================================================ the window

TEditForm::TEditForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("EditForm");
  SetCaption("Electrode editor");
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetClientWidth(463);
  SetClientHeight(275);
  Position = TPosition::poDesktopCenter;

  PageControl1 = Create<TPageControl>(this);
  PageControl1->SetParent(this);
  PageControl1->SetAlign(TAlign::alClient);
  TabSheet1 = Create<TTabSheet>(this);
  TabSheet1->SetPageControl(PageControl1);
  TabSheet1->SetCaption("Array");

  TElectrodeGrid& g = *(GridView1 = Create<TElectrodeGrid>(this));
  g.SetName("GridView1");
  g.SetParent(TabSheet1);
  g.SetAlign(TAlign::alClient);
  g.SetColCount(5);
  g.SetRowCount(20);
  g.SetFixedRows(1);
  g.SetFixedCols(1);
  g.SetDefaultColWidth(50);
  g.SetDefaultRowHeight(21);
  g.SetFixedColWidth(34);
  g.SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goEditing});
  g.SetScrollBars(TScrollStyle::ssVertical);
  g.SetDefaultDrawing(false);
  g.SetGridLineColor(clSilver);
  g.GetFont()->SetName("Tahoma");
  g.GetFont()->SetHeight(-11);
  g.SetActiveCellShow(false);
  g.SetSelectionColor(CurrentRowColor);
  g.SetSelectionTextColor(clNavy);
  g.SetVAlignment(vtaCenter);
  g.ControlLook()->SetCheckSize(15);
  g.ControlLook()->SetControlStyle(csWinXP);
  TSortSettings& sort = *g.SortSettings();
  sort.Show = true;
  sort.SetRow(0);
  sort.Full = true;
  sort.AutoFormat = true;
  sort.InitSortDirection = sdAscending;
  g.EnableWheel = true;

  OnCloseQuery = [this](TObject* S, bool& CanClose) { FormCloseQuery(S, CanClose); };
  g.OnSelectCell = [this](TObject* S, int ACol, int ARow, bool& Can) { GridView1SelectCell(S, ACol, ARow, Can); };
  g.OnGetCellColor = [this](TObject* S, int ARow, int ACol, TGridDrawState St, TBrush& B, TFont& F) {
    GridView1GetCellColor(S, ARow, ACol, St, B, F);
  };
  g.OnGetAlignment = [this](TObject* S, int ARow, int ACol, TAlignment& H, TVAlignment& V) {
    GridView1GetAlignment(S, ARow, ACol, H, V);
  };
  g.OnRowChanging = [this](TObject* S, int OldRow, int NewRow, bool& Allow) {
    GridView1RowChanging(S, OldRow, NewRow, Allow);
  };
  g.OnCanEditCell = [this](TObject* S, int ARow, int ACol, bool& Can) { GridView1CanEditCell(S, ARow, ACol, Can); };
  g.OnCellValidate = [this](TObject* S, int ACol, int ARow, std::string& Value, bool& Valid) {
    GridView1CellValidate(S, ACol, ARow, Value, Valid);
  };
  g.OnCheckBoxClick = [this](TObject* S, int ACol, int ARow, bool State) {
    GridView1CheckBoxClick(S, ACol, ARow, State);
  };
  PlotDataHook = [this](bool Upper) {
    if (TMainForm* form = MainWindow()) form->PlotData(Upper);
  };
  DialogFields::FitToContent(*this);
}

void TEditForm::Attach(TMainForm& Form) {
  FMainForm = &Form;
  // The hooks outlive neither window: they reach the editor through a weak reference.
  WeakRef<TEditForm> self(this);
  Form.ElectrodeEditorVisible = [self] { return self && self->GetVisible(); };
  Form.ElectrodeEditorRow = [self] { return self ? self->GridView1->GetRow() : -1; };
  Form.SelectElectrodeEditorRow = [self](int32_t FlatIndexPlusOne) {
    if (self) self->SelectFlatIndex(FlatIndexPlusOne);
  };
  Form.ElectrodeEditorRowOf = [self](int32_t FlatIndexPlusOne) {
    return self ? self->RowOfFlatIndex(FlatIndexPlusOne) : -1;
  };
}

// ================================================================ loading

void TEditForm::LoadGrid() {
  TMainForm* form = MainWindow();
  if (!form) return;
  const TSurvey& survey = form->Survey;
  TElectrodeGrid& g = *GridView1;
  // An edit still open belongs to the table being replaced: it is dropped, not
  // validated against the new survey.
  g.EditPending = false;
  g.HideEditor();

  const int32_t measurements = MeasurementCount(survey);
  const int rows = std::max(measurements, 1) + 1;
  // The grid drops the rows beyond a smaller count without their check boxes.
  if (g.GetRowCount() > rows) g.ClearRect(0, rows, g.AllColCount() - 1, g.GetRowCount() - 1);
  g.SetColCount(ColumnTotal);
  g.SetRowCount(rows);
  // Rows are written in survey order: the order a header sort left is forgotten,
  // so that every row maps to the measurement it shows.
  g.ForgetSortOrder();
  FLoadedQuantity = form->DataQuantity;

  const bool eta = FLoadedQuantity == 1;
  int row = 1;
  for (const osource& source : survey.Asource) {
    for (size_t j = 0; j < source.RhoA.size(); ++j, ++row) {
      auto put = [&](int Col, const std::string& Text) { g.SetCellAllRows(Col, row, Text); };
      put(colNumber, std::to_string(row));
      put(colUsed, "");
      g.AddCellCheckBox(colUsed, row, j < source.FlagsC.size() && source.FlagsC[j] != 0, false);
      put(colC1, PositionText(survey, source.C1));
      put(colC2, PositionText(survey, source.C2));
      put(colP1, PositionText(survey, j < source.P1.size() ? source.P1[j] : -1));
      put(colP2, PositionText(survey, j < source.P2.size() ? source.P2[j] : -1));
      put(colValue, NumberText(At(eta ? source.EtaA : source.RhoA, j)));
      put(colResistance, NumberText(At(source.Res, j)));
      put(colWeight, NumberText(At(source.Weight, j)));
    }
  }
  if (measurements == 0)
    for (int c = 0; c < ColumnTotal; ++c) g.SetCells(c, 1, "");

  const char* headers[ColumnTotal] = {"", "Used", "C1", "C2", "P1", "P2", "", "R", "weight"};
  for (int c = 0; c < ColumnTotal; ++c) g.SetCells(c, 0, headers[c]);
  g.SetCells(colValue, 0, EditUnit::ValueHeader(FLoadedQuantity));

  g.SetRow(1);
  g.Invalidate();
}

void TEditForm::SurveyChanged() {
  if (GetVisible()) LoadGrid();
}

// ================================================================ row mapping

bool TEditForm::MeasurementOfRow(int Row, int32_t& Pair, int32_t& Receiver) const {
  Pair = Receiver = -1;
  TMainForm* form = MainWindow();
  if (!form || Row < 1 || Row >= GridView1->GetRowCount()) return false;
  form->PairOfFlatIndex(GridView1->UnsortedRowIndex(Row) - 1, Pair, Receiver);
  return Pair >= 0;
}

int TEditForm::RowOfFlatIndex(int32_t FlatIndexPlusOne) const {
  if (FlatIndexPlusOne < 1 || FlatIndexPlusOne >= GridView1->GetRowCount()) return -1;
  const int row = GridView1->DisplayedRowIndex(FlatIndexPlusOne);
  return row >= 1 && row < GridView1->GetRowCount() ? row : -1;
}

void TEditForm::SelectFlatIndex(int32_t FlatIndexPlusOne) {
  const int row = RowOfFlatIndex(FlatIndexPlusOne);
  if (row < 0) return;
  TElectrodeGrid& g = *GridView1;
  if (row != g.GetRow()) {
    g.SetRow(row);
    return;
  }
  // The row is current already: its measurement is marked again.
  int32_t pair = -1, receiver = -1;
  if (MeasurementOfRow(row, pair, receiver)) MarkMeasurement(pair, receiver);
}

// ================================================================ handlers

bool TEditForm::CanChangeSurvey() const {
  TMainForm* form = MainWindow();
  // A disabled main window is running a computation on the survey.
  return form && form->ObservedLoaded && form->GetEnabled();
}

void TEditForm::PlotData(bool Upper) {
  if (PlotDataHook) PlotDataHook(Upper);
}

void TEditForm::MarkMeasurement(int32_t Pair, int32_t Receiver) {
  TMainForm* form = MainWindow();
  if (!form) return;
  form->ShowMeasurementInSections(Pair, Receiver);
  form->ShowMeasurementInGraphs(Pair, Receiver);
}

void TEditForm::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = true;
  TMainForm* form = MainWindow();
  if (!form) return;
  for (TPseudoSection2d* section : {form->PseudoSection2d1, form->PseudoSection2d2})
    if (section && section->MarkerSeries) section->MarkerSeries->Clear();
}

void TEditForm::GridView1SelectCell(TObject*, int, int ARow, bool& CanSelect) {
  CanSelect = true;
  int32_t pair = -1, receiver = -1;
  if (MeasurementOfRow(ARow, pair, receiver)) MarkMeasurement(pair, receiver);
}

void TEditForm::GridView1GetCellColor(TObject*, int ARow, int ACol, TGridDrawState, TBrush& ABrush, TFont& AFont) {
  if (ARow == 0 && ACol == colValue) AFont.SetName("symbol");
  if (ARow < 1 || ACol < 1) return;
  if (ARow == GridView1->GetRow()) {
    ABrush.SetColor(GridView1->GetSelectionColor());
    AFont.SetColor(GridView1->GetSelectionTextColor());
  } else {
    ABrush.SetColor(clWhite);
  }
}

void TEditForm::GridView1GetAlignment(TObject*, int, int, TAlignment& HAlign, TVAlignment& VAlign) {
  HAlign = TAlignment::taCenter;
  VAlign = vtaCenter;
}

void TEditForm::GridView1RowChanging(TObject*, int OldRow, int NewRow, bool&) {
  GridView1->RedrawRow(OldRow);
  GridView1->RedrawRow(NewRow);
}

void TEditForm::GridView1CanEditCell(TObject*, int ARow, int ACol, bool& CanEdit) {
  TMainForm* form = MainWindow();
  CanEdit = false;
  if (!CanChangeSurvey() || ARow < 1) return;
  switch (ACol) {
    case colUsed: CanEdit = true; break;  // the check box toggles; the grid opens no text editor on it
    case colValue: CanEdit = form->DataType == 0 && form->DataQuantity == FLoadedQuantity; break;
    case colResistance: CanEdit = form->DataType == 1; break;
    case colWeight: CanEdit = true; break;
    default: break;
  }
}

void TEditForm::GridView1CheckBoxClick(TObject*, int, int ARow, bool State) {
  TMainForm* form = MainWindow();
  int32_t pair = -1, receiver = -1;
  if (!CanChangeSurvey() || !MeasurementOfRow(ARow, pair, receiver)) return;
  osource& source = form->Survey.Asource[static_cast<size_t>(pair)];
  const size_t j = static_cast<size_t>(receiver);
  if (j >= source.FlagsC.size()) return;
  source.FlagsC[j] = State ? 1 : 0;
  form->DataChanged = true;
  form->RebuildUpper = true;
  form->RebuildLower = true;
  PlotData(true);
  PlotData(false);
  form->ShowMeasurementInGraphs(pair, receiver);
  form->ShowMeasurementInSections(pair, receiver);
}

void TEditForm::RefuseEdit(const std::string& Message) {
  Dialogs::MessageDlg(Message, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
}

std::string TEditForm::StoreWeight(int32_t Pair, int32_t Receiver, const std::string& Text, std::string& Canonical) {
  osource& source = MainWindow()->Survey.Asource[static_cast<size_t>(Pair)];
  const size_t j = static_cast<size_t>(Receiver);
  const double weight = Supermath2d::StrToFloatChecked(Text, true, 0.0, 1.0);
  // The reader's lower bound 0 means "no bound": negative weights are refused here.
  if (!Usable(weight) || weight < 0.0 || j >= source.Weight.size())
    return "Weight: " + Quoted(Text) + " is not allowed; enter a number from 0 to 1.";
  source.Weight[j] = weight;
  Canonical = NumberText(weight);
  return {};
}

std::string TEditForm::StoreObservedValue(int ACol, int ARow, int32_t Pair, int32_t Receiver, const std::string& Text,
                                          std::string& Canonical, bool& Unchanged) {
  TMainForm& form = *MainWindow();
  osource& source = form.Survey.Asource[static_cast<size_t>(Pair)];
  const size_t j = static_cast<size_t>(Receiver);
  const bool eta = ACol == colValue && FLoadedQuantity == 1;
  if (eta && form.DataQuantity != 1)
    return "The table shows the apparent polarizability, the window the apparent resistivity: open the electrode "
           "editor again to edit the value.";
  arofdoubleM& edited = ACol == colResistance ? source.Res : eta ? source.EtaA : source.RhoA;
  const std::string name = ACol == colResistance ? "Resistance" : eta ? "Apparent polarizability"
                                                                       : "Apparent resistivity";
  if (j >= edited.size()) return name + ": this measurement has no value to edit.";
  Unchanged = Text == NumberText(edited[j]);
  if (Unchanged) return {};

  const double value = Supermath2d::StrToFloatChecked(Text, true, 0.0, 0.0);
  const double k = At(source.K, j);
  const bool factorUsable = Usable(k) && k != 0.0;
  const std::string noFactor = name + ": " + Quoted(Text) +
                               " cannot be stored: the geometric factor of this measurement is 0 or not finite, so "
                               "the resistance and the apparent resistivity cannot be kept in step.";
  if (eta) {
    if (!Usable(value) || value >= 100.0)
      return name + ": " + Quoted(Text) + " is not allowed; enter a number below 100.";
    edited[j] = value;
  } else if (ACol == colValue) {
    if (!Usable(value) || value <= 0.0)
      return name + ": " + Quoted(Text) + " is not allowed; enter a positive number.";
    if (!factorUsable) return noFactor;
    const double resistance = value / k;
    if (!Usable(resistance) || resistance == 0.0)
      return name + ": " + Quoted(Text) + " is out of range for this measurement's geometric factor.";
    source.RhoA[j] = value;
    if (j < source.Res.size()) source.Res[j] = resistance;
  } else {
    if (!Usable(value) || value == 0.0)
      return name + ": " + Quoted(Text) + " is not allowed; enter a number other than 0.";
    if (!factorUsable) return noFactor;
    const double rhoA = std::fabs(value * k);
    if (!Usable(rhoA) || rhoA == 0.0)
      return name + ": " + Quoted(Text) + " is out of range for this measurement's geometric factor.";
    source.Res[j] = value;
    if (j < source.RhoA.size()) source.RhoA[j] = rhoA;
  }
  UpdatePolarizedResistance(source, j);
  Canonical = NumberText(edited[j]);
  // The neighbouring value column follows the survey.
  TElectrodeGrid& g = *GridView1;
  if (ACol == colResistance)
    g.SetCells(colValue, ARow, NumberText(At(FLoadedQuantity == 1 ? source.EtaA : source.RhoA, j)));
  else
    g.SetCells(colResistance, ARow, NumberText(At(source.Res, j)));
  return {};
}

void TEditForm::GridView1CellValidate(TObject*, int ACol, int ARow, std::string& Value, bool& Valid) {
  TMainForm* form = MainWindow();
  if (!form || !CanChangeSurvey()) {
    Valid = false;
    RefuseEdit("There are no observed data to edit: " + Quoted(Value) + " was not stored.");
    return;
  }
  int32_t pair = -1, receiver = -1;
  if (!MeasurementOfRow(ARow, pair, receiver) || (ACol != colWeight && ACol != colValue && ACol != colResistance)) {
    Valid = false;
    return;
  }
  std::string canonical;
  if (ACol == colWeight) {
    if (const std::string problem = StoreWeight(pair, receiver, Value, canonical); !problem.empty()) {
      Valid = false;
      RefuseEdit(problem);
      return;
    }
    Value = canonical;
    form->DataChanged = true;
    if (form->Survey.DataPlotType == 0 && form->AddDataType == 2) {
      PlotData(false);
      form->ShowMeasurementInSections(pair, receiver);
    }
    return;
  }
  bool unchanged = false;
  if (const std::string problem = StoreObservedValue(ACol, ARow, pair, receiver, Value, canonical, unchanged);
      !problem.empty()) {
    Valid = false;
    RefuseEdit(problem);
    return;
  }
  if (unchanged) return;
  Value = canonical;
  form->DataChanged = true;
  PlotData(true);
  PlotData(false);
  form->ShowMeasurementInGraphs(pair, receiver);
  form->ShowMeasurementInSections(pair, receiver);
}

// ================================================================ unit routines

TEditForm& EditUnit::EditorFor(TMainForm& Form) {
  if (!EditForm) EditForm = Create<TEditForm>(Application);
  if (EditForm->MainWindow() != &Form) EditForm->Attach(Form);
  return *EditForm;
}

std::string EditUnit::ValueHeader(int32_t DataQuantity) { return DataQuantity == 1 ? "ha%" : "ra"; }
