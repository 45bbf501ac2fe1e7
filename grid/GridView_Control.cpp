// The grid control as a whole: what construction sets up, the setters with
// side effects, the owner's hooks, loading and window creation, and the
// column widths kept in a settings store.

#include "grid/GridView.h"

#include "grid/GridDragDrop.h"
#include "grid/GridUtil.h"
#include "grid/GridXPVS.h"
#include "platform/rtl/Streaming.h"
#include "platform/ui/Themes.h"

KV_CLASS_IMPL(TGridView, TBaseGrid) {
  using G = TGridView;
  // Counts, sizes and fixed cells.
  c.Property("ColCount", &G::GetColCount, &G::SetColCount).Default(5);
  c.Property("RowCount", &G::GetRowCount, &G::SetRowCount).Default(5);
  c.Property("FixedCols", &G::GetFixedCols, &G::SetFixedCols).Default(1);
  c.Property("FixedRows", &G::GetFixedRows, &G::SetFixedRows).Default(1);
  c.Property("DefaultColWidth", &G::GetDefaultColWidth, &G::SetDefaultColWidth).Default(64);
  c.Property("DefaultRowHeight", &G::GetDefaultRowHeight, &G::SetDefaultRowHeight).Default(21);
  c.Property("FixedColWidth", &G::GetFixedColWidth, &G::SetFixedColWidth).Stored(false);
  c.Property("FixedRowHeight", &G::GetFixedRowHeight, &G::SetFixedRowHeight).Default(21);
  c.Property("FixedFooters", &G::GetFixedFooters, &G::SetFixedFooters).Default(0);
  c.Property("FixedRightCols", &G::GetFixedRightCols, &G::SetFixedRightCols).Default(0);
  c.Property("FixedRowAlways", &G::FixedRowAlways).Default(false);
  c.Property("FixedColAlways", &G::FixedColAlways).Default(false);
  c.Property("DefaultDrawing", &G::GetDefaultDrawing, &G::SetDefaultDrawing).Default(false);
  c.Property("GridLineWidth", &G::GetGridLineWidth, &G::SetGridLineWidth).Default(1);
  c.Property("GridLineColor", &G::GetGridLineColor, &G::SetGridLineColor).Kind(TPropKind::pkColor).Default(clSilver);
  c.Property("UndoRedo", &G::GetUndoRedo, &G::SetUndoRedo);
  // Look.
  c.Property("WordWrap", &G::GetWordWrap, &G::SetWordWrap).Default(true);
  c.Property("VAlignment", &G::GetVAlignment, &G::SetVAlignment)
      .Names({"vtaTop", "vtaCenter", "vtaBottom"}).Default(vtaTop);
  c.Property("AutoSize", &G::GetAutoSize, &G::SetAutoSize).Default(false);
  c.Property("Flat", &G::GetFlat, &G::SetFlat).Default(false);
  c.Property("Look", &G::GetLook, &G::SetLook)
      .Names({"glStandard", "glSoft", "glClassic", "glPlain", "glXP"}).Default(glXP);
  c.Property("SelectionColor", &G::GetSelectionColor, &G::SetSelectionColor)
      .Kind(TPropKind::pkColor).Default(TColor(0xEACAB6));
  c.Property("SelectionTextColor", &G::GetSelectionTextColor, &G::SetSelectionTextColor)
      .Kind(TPropKind::pkColor).Default(clBlack);
  c.Property("SelectionRectangle", &G::GetSelectionRectangle, &G::SetSelectionRectangle).Default(false);
  c.Property("SelectionResizer", &G::GetSelectionResizer, &G::SetSelectionResizer).Default(false);
  c.Property("ShowSelection", &G::GetShowSelection, &G::SetShowSelection).Default(true);
  c.Property("ActiveCellShow", &G::GetActiveCellShow, &G::SetActiveCellShow).Default(false);
  c.Property("ActiveCellColor", &G::GetActiveCellColor, &G::SetActiveCellColor)
      .Kind(TPropKind::pkColor).Default(clGray);
  c.Property("ActiveCellFont", &G::GetActiveCellFont, &G::SetActiveCellFont);
  c.Property("FixedFont", &G::GetFixedFont, &G::SetFixedFont);
  c.Property("URLShow", &G::GetURLShow, &G::SetURLShow).Default(false);
  c.Property("URLColor", &G::GetURLColor, &G::SetURLColor).Kind(TPropKind::pkColor).Default(clBlue);
  c.Property("URLFull", &G::GetURLFull, &G::SetURLFull).Default(false);
  c.Property("GridImages", &G::GetGridImages, &G::SetGridImages);
  c.Property("Hovering", &G::GetHovering, &G::SetHovering).Default(false);
  c.Property("MaxEditLength", &G::GetMaxEditLength, &G::SetMaxEditLength).Default(0);
  c.Property("LookupItems", &G::GetLookupItems, &G::SetLookupItems);
  c.Property("ColumnHeaders", &G::GetColumnHeaders, &G::SetColumnHeaders);
  c.Property("RowHeaders", &G::GetRowHeaders, &G::SetRowHeaders);
  c.Property("BackGround", &G::GetBackGround, &G::SetBackGround);
  c.Property("IntegralHeight", &G::GetIntegralHeight, &G::SetIntegralHeight).Default(false);
  c.Property("FilterActive", &G::GetFilterActive, &G::SetFilterActive).Default(false);
  // Scroll bars.
  c.Property("ScrollType", [](const G& g) { return g.ScrollType; }, &G::SetScrollType)
      .Names({"ssNormal", "ssFlat", "ssEncarta"}).Default(TScrollType::ssNormal);
  c.Property("ScrollColor", [](const G& g) { return g.ScrollColor; }, &G::SetScrollColor)
      .Kind(TPropKind::pkColor).Default(clNone);
  c.Property("ScrollWidth", [](const G& g) { return g.ScrollWidth; }, &G::SetScrollWidth).Default(16);
  c.Property("ScrollProportional", [](const G& g) { return g.ScrollProportional; }, &G::SetScrollProportional)
      .Default(false);
  c.Property("ScrollSynch", &G::ScrollSynch).Default(false);
  c.Property("ScrollHints", &G::ScrollHintsType).Names({"shNone", "shVertical", "shHorizontal", "shBoth"})
      .Default(shNone);
  // Behaviour flags.
  c.Property("AnchorHint", &G::AnchorHint).Default(false);
  c.Property("AutoNumAlign", &G::AutoNumAlign).Default(false);
  c.Property("EnhTextSize", &G::EnhTextSize).Default(false);
  c.Property("EditWithTags", &G::EditWithTags).Default(false);
  c.Property("EnhRowColMove", &G::EnhRowColMove).Default(true);
  c.Property("SizeWithForm", &G::SizeWithForm).Default(false);
  c.Property("Multilinecells", &G::Multilinecells).Default(false);
  c.Property("EnableBlink", &G::EnableBlink).Default(false);
  c.Property("EnableHTML", &G::EnableHTML).Default(true);
  c.Property("EnableWheel", &G::EnableWheel).Default(true);
  c.Property("ExcelStyleDecimalSeparator", &G::ExcelStyleDecimalSeparator).Default(false);
  c.Property("OemConvert", &G::OemConvert).Default(false);
  c.Property("Lookup", &G::Lookup).Default(false);
  c.Property("LookupCaseSensitive", &G::LookupCaseSensitive).Default(false);
  c.Property("LookupHistory", &G::LookupHistory).Default(false);
  c.Property("FixedAsButtons", &G::FixedAsButtons).Default(false);
  c.Property("HideFocusRect", &G::HideFocusRect).Default(false);
  c.Property("HintColor", &G::HintColor).Kind(TPropKind::pkColor).Default(clInfoBk);
  c.Property("HintShowCells", &G::HintShowCells).Default(false);
  c.Property("HintShowLargeText", &G::HintShowLargeText).Default(false);
  c.Property("HintShowSizing", &G::HintShowSizing).Default(false);
  c.Property("HTMLHint", &G::HTMLHint).Default(false);
  c.Property("IntelliPan", &G::IntelliPan).Names({"ipVertical", "ipHorizontal", "ipBoth", "ipNone"})
      .Default(ipVertical);
  c.Property("IntelliZoom", &G::IntelliZoom).Default(true);
  c.Property("URLEdit", &G::URLEdit).Default(false);
  c.Property("SelectionRTFKeep", &G::SelectionRTFKeep).Default(false);
  c.Property("FloatFormat", &G::FloatFormat).Default("%.2f");
  c.Property("PictureContainer", &G::GetPictureContainer, &G::SetPictureContainer);
  c.Property("CellChecker", &G::GetCellChecker, &G::SetCellChecker);
  c.Property("Cursor", &G::Cursor).Default(crDefault);
  // Settings objects, stored as nested values.
  c.Property("Bands", &G::Bands);
  c.Property("SortSettings", &G::SortSettings);
  c.Property("DragDropSettings", &G::DragDropSettings);
  c.Property("FloatingFooter", &G::FloatingFooter);
  c.Property("ControlLook", &G::ControlLook);
  c.Property("PrintSettings", &G::PrintSettings);
  c.Property("HTMLSettings", &G::HTMLSettings);
  c.Property("Navigation", &G::Navigation);
  c.Property("ColumnSize", &G::ColumnSize);
  c.Property("CellNode", &G::CellNode);
  c.Property("SizeWhileTyping", &G::SizeWhileTyping);
  c.Property("MouseActions", &G::MouseActions);
  c.Property("Grouping", &G::Grouping);
  c.Property("Filter", &G::Filter);
}

namespace {

bool IsDesigning(const TComponent& C) { return C.ComponentState.Contains(TComponentStateItem::csDesigning); }
bool IsLoading(const TComponent& C) { return C.ComponentState.Contains(TComponentStateItem::csLoading); }

}  // namespace

// ================================================================ construction

TGridView::TGridView(TComponent* AOwner) : TBaseGrid(AOwner) {
  // A grid placed by a designer is itself being designed.
  if (AOwner && IsDesigning(*AOwner)) ComponentState.Include(TComponentStateItem::csDesigning);
  SetGridLineWidth(1);
  SetGridLineColor(clSilver);
  TBaseGrid::SetDefaultDrawing(false);
  SetOptions(GetOptions() + goDrawFocusSelected);
  GetFont()->SetName("Tahoma");

  FFooterPanel = Create<TFooterPanel>(this);
  FFloatingFooter = std::make_unique<TFloatingFooter>(this);
  FPrintSettings = std::make_unique<TPrintSettings>(this);
  FHTMLSettings = std::make_unique<THTMLSettings>();
  FSortSettings = std::make_unique<TSortSettings>(this);
  FDragDropSettings = std::make_unique<TDragDropSettings>(this);
  FControlLook = std::make_unique<TControlLook>(this);
  FNavigation = std::make_unique<TNavigation>();
  FColumnSize = std::make_unique<TColumnSize>(this);
  FCellNode = std::make_unique<TCellNode>(this);
  FBands = std::make_unique<TBands>(this);
  FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
  FMouseActions = std::make_unique<TMouseActions>(this);
  FGrouping = std::make_unique<TGrouping>();
  FColumnHeaders = std::make_unique<TStringList>();
  FColumnHeaders->OnChange = [this](TObject*) { ColumnHeadersChanged(); };
  FFixedFont = std::make_unique<TFont>();
  FFixedFont->SetName("Tahoma");
  FFixedFont->SetStyle(TFontStyles{TFontStyle::fsBold});
  FFixedFont->OnChange = [this](TGraphicsObject*) { FontChanged(); };
  FActiveCellFont = std::make_unique<TFont>();
  FActiveCellFont->SetStyle(TFontStyles{TFontStyle::fsBold});
  FActiveCellFont->OnChange = [this](TGraphicsObject*) { FontChanged(); };
  FRowHeaders = std::make_unique<TStringList>();
  FRowHeaders->OnChange = [this](TObject*) { RowHeadersChanged(); };
  FSwapList = std::make_unique<TStringList>();
  FLookupItems = std::make_unique<TStringList>();
  FSortIndexes = std::make_unique<TSortIndexList>();
  FSortOrder = std::make_unique<TIntList>();
  FSortWork1 = std::make_unique<TIntList>();
  FSortWork2 = std::make_unique<TIntList>();
  FMergeColumns = std::make_unique<TIntList>();
  FMergeColumns->OnChange = [this](TObject*, int, int) { MergeColumnsChanged(); };
  FRowIndicator = std::make_unique<TBitmap>();
  FBackGround = std::make_unique<TBackGround>(this);
  FHiddenRows = std::make_unique<TGridItemCollection>(this);
  FFilter = std::make_unique<TFilter>(this);
  FExtraList = std::make_unique<TIntList>();
  FHiddenCols.fill(true);

  if (!IsDesigning(*this)) {
    for (int d = 0; d < 4; ++d) {
      FArrows[d] = Create<TArrowWindow>(this, d);
      FArrows[d]->SetVisible(false);
    }
    FPopupButton = Create<TPopupButton>(this);
    FPopupButton->SetVisible(false);
  }

  TCustomGrid::SetDefaultRowHeight(21);
  FFixedRowHeight = 21;
  ScrollWidth = TCustomGrid::ScrollBarSize;
  // Themed drawing: the theme table is there and themes are switched on.
  FXPTheme = GridXPVS::UseThemes();
  if (!IsDesigning(*this)) CreateEditorControls();
  FWheelScrollLines = Themes::WheelScrollLines();
  FWheelMessage = 522;

  if (auto* form = dynamic_cast<TForm*>(AOwner); form && !IsDesigning(*this)) {
    FOwnerForm = form;
    FChainedFormResize = form->OnResize;
    form->OnResize = [this](TObject* Sender) { FormResized(Sender); };
    FFormResizeInstalled = true;
    FFormWidth = form->GetWidth();
    FFormHeight = form->GetHeight();
  }
}

void TGridView::BeforeDestruction() {
  if (FOwnerForm && FFormResizeInstalled) {
    FOwnerForm->OnResize = FChainedFormResize;
    FFormResizeInstalled = false;
  }
  if (FColumnSize->Save) SaveColumnSizes();
  if (FDropRegistered) DragDrop::RevokeDropTarget(*this);
  FDropRegistered = false;
  ClearAll();
  if (FCursorSaved) Cursor = FSavedCursor;
  TBaseGrid::BeforeDestruction();
}

TGridView::~TGridView() = default;

void TGridView::FormResized(TObject* Sender) {
  if (FOwnerForm && SizeWithForm) {
    const int w = FOwnerForm->GetWidth(), h = FOwnerForm->GetHeight();
    // The grid grows and shrinks with the form.
    const int nw = GetWidth() + w - FFormWidth, nh = GetHeight() + h - FFormHeight;
    if (nw > 0 && nh > 0) {
      SetBounds(GetLeft(), GetTop(), nw, nh);
      FFormWidth = w;
      FFormHeight = h;
    }
  }
  // The form's own handler may fail: the grid still fits its stretch column.
  try {
    if (FChainedFormResize) FChainedFormResize(Sender);
  } catch (const Exception&) {
  }
  if (FColumnSize->GetStretch()) StretchColumnToFit(FColumnSize->StretchColumn);
}

void TGridView::Loaded() {
  TBaseGrid::Loaded();
  UpdateDropTarget();
  FSavedCursor = Cursor;
  FCursorSaved = true;
  ColumnHeadersChanged();
  RowHeadersChanged();
  HyperlinkCursor = -21;
  if (FLook == glLumo) {
    FLookColor1 = clSilver;
    FLookColor2 = clWhite;
    if (FPopupButton) {
      FPopupButton->SetGradFrom(clSilver);
      FPopupButton->SetGradTo(clWhite);
    }
  }
  if (FColumnSize->Save) LoadColumnSizes();
  FFixedRowsRemembered = GetFixedRowsRaw();
  FMinAutoRowHeight = GetDefaultRowHeight();
  FMinAutoColWidth = 10;
  if (GetOptions().Contains(goAlwaysShowEditor)) {
    FNavigation->AlwaysEdit = true;
    SetOptions(GetOptions() - TGridOptions{goAlwaysShowEditor});
  }
}

void TGridView::InitWidget() {
  TBaseGrid::InitWidget();
  if (GetParent()) UpdateFooterPanel();
  if (FColumnSize->Save) LoadColumnSizes();
  if (!FHoverTimer) {
    FHoverTimer = Create<TTimer>(this);
    FHoverTimer->SetInterval(500);
    FHoverTimer->SetOnTimer([this](TObject*) { OnTimerTick(); });
  }
  FHoverTimer->SetEnabled(true);
}

void TGridView::Invalidate() {
  if (FSkipInvalidate) {
    FSkipInvalidate = false;
    return;
  }
  ++FInvalidateCount;
  TBaseGrid::Invalidate();
}

void TGridView::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FIntegralHeight && FUpdateCount == 0 && GetDefaultRowHeight() > 0) {
    const int drh = GetDefaultRowHeight();
    if (VisibleColCount() + GetFixedCols() < GetColCount())
      AHeight = AHeight - (AHeight % drh) - 1;
    else
      AHeight = AHeight + drh - (AHeight % drh) - TCustomGrid::ScrollBarSize - 1;
  }
  TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (GetParent() && GetParent()->HandleAllocated()) DrawThemedBorder();
}

void TGridView::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove) {
    if (AComponent == FGridImages) FGridImages = nullptr;
    if (AComponent == FPictureContainer) FPictureContainer = nullptr;
    if (AComponent == FCellChecker) FCellChecker = nullptr;
  }
  TBaseGrid::Notification(AComponent, Operation);
}

void TGridView::FontChanged() {
  TBaseGrid::FontChanged();
  Invalidate();
}

// ================================================================ counts and fixed cells

int TGridView::GetFixedRows() const {
  const int n = GetFixedRowsRaw();
  return n == 0 && FixedRowAlways ? 1 : n;
}

int TGridView::GetFixedCols() const {
  const int n = GetFixedColsRaw();
  return n == 0 && FixedColAlways ? 1 : n;
}

void TGridView::SetRowCount(int Value) {
  if (FixedRowAlways && GetRowCount() == GetFixedRowsRaw() && FSelectionSaved) RestoreSelection();
  TBaseGrid::SetRowCount(Value);
  if (FixedRowAlways && FFixedRowsRemembered < Value && FFixedRowsRemembered != GetFixedRowsRaw())
    SetFixedRows(FFixedRowsRemembered);
  NormalRowCount = Value;
  RepaintFooter();
  UpdateScrollBars();
}

void TGridView::SetColCount(int Value) {
  TBaseGrid::SetColCount(Value);
  if (Value > 1 && FixedColAlways && GetFixedColsRaw() != 1) SetFixedCols(1);
  RepaintFooter();
  SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
  UpdateScrollBars();
}

void TGridView::SetFixedColWidth(int Value) {
  if (!IsDesigning(*this) || Value == GetDefaultColWidth()) return;
  for (int c = 0; c < GetFixedColsRaw(); ++c) SetColWidths(c, Value);
}

void TGridView::SetFixedRowHeight(int Value) {
  FFixedRowHeight = Value;
  if (!IsDesigning(*this)) return;
  if (Value == GetDefaultRowHeight())
    SetDefaultRowHeight(Value);
  else
    for (int r = 0; r < GetFixedRowsRaw(); ++r) SetRowHeights(r, Value);
}

void TGridView::SetDefaultRowHeight(int Value) {
  TCustomGrid::SetDefaultRowHeight(Value);
  if (IsDesigning(*this)) FFixedRowHeight = Value;
  FFloatingFooter->Height = Value;
  if (FFloatingFooter->GetVisible()) UpdateFooterPanel();
}

void TGridView::SetFixedFooters(int Value) {
  FFixedFooters = Value;
  Invalidate();
}

void TGridView::SetFixedRightCols(int Value) {
  FFixedRightCols = Value;
  Invalidate();
}

void TGridView::ParkSelection() {
  FSavedSelection = GetSelection();
  FSelectionSaved = true;
  SetSelection(TGridRect{GetColCount(), GetRowCount(), GetColCount(), GetRowCount()});
}

void TGridView::RestoreSelection() {
  if (!FSelectionSaved) return;
  FSelectionSaved = false;
  const TGridRect s = FSavedSelection;
  if (s.Right < GetColCount() && s.Bottom < GetRowCount() && s.Left >= 0 && s.Top >= 0) SetSelection(s);
}

// ================================================================ look

void TGridView::SetWordWrap(bool Value) {
  FWordWrap = Value;
  if (auto* e = GetInplaceEditor()) e->MultiLine = Value;
  if (FUpdateCount == 0) Invalidate();
}

void TGridView::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  FVAlignFlag = Value == vtaCenter ? 4 : Value == vtaBottom ? 8 : 0;
  if (FUpdateCount == 0) Invalidate();
}

void TGridView::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value) AutoSizeColumns(true, 10);
}

void TGridView::SetFlat(bool Value) {
  FFlat = Value;
  if (!IsLoading(*this)) Invalidate();
}

void TGridView::SetLook(TGridLook Value) {
  if (Value == FLook) return;
  FLook = Value;
  Invalidate();
  if (!IsLoading(*this)) RepaintFooter();
}

void TGridView::SetSelectionColor(TColor Value) {
  FSelectionColor = Value;
  Invalidate();
}
void TGridView::SetSelectionTextColor(TColor Value) {
  FSelectionTextColor = Value;
  Invalidate();
}
void TGridView::SetSelectionRectangle(bool Value) {
  FSelectionRectangle = Value;
  Invalidate();
}
void TGridView::SetSelectionResizer(bool Value) {
  FSelectionResizer = Value;
  Invalidate();
}
void TGridView::SetShowSelection(bool Value) {
  if (Value == FShowSelection) return;
  FShowSelection = Value;
  Invalidate();
}
void TGridView::SetActiveCellShow(bool Value) {
  FActiveCellShow = Value;
  Invalidate();
}
void TGridView::SetActiveCellColor(TColor Value) {
  FActiveCellColor = Value;
  Invalidate();
}
void TGridView::SetActiveCellFont(const TFont* Value) {
  if (Value) FActiveCellFont->Assign(*Value);
  Invalidate();
}
void TGridView::SetFixedFont(const TFont* Value) {
  if (Value) FFixedFont->Assign(*Value);
  Invalidate();
}
void TGridView::SetURLShow(bool Value) {
  FURLShow = Value;
  Invalidate();
}
void TGridView::SetURLColor(TColor Value) {
  FURLColor = Value;
  if (FURLShow) Invalidate();
}
void TGridView::SetURLFull(bool Value) {
  FURLFull = Value;
  if (FURLShow) Invalidate();
}

void TGridView::SetGridImages(TImageList* Value) {
  if (Value == FGridImages) return;
  if (FGridImages) FGridImages->RemoveFreeNotification(this);
  FGridImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TGridView::SetPictureContainer(TComponent* Value) {
  if (Value == FPictureContainer) return;
  if (FPictureContainer) FPictureContainer->RemoveFreeNotification(this);
  FPictureContainer = Value;
  if (Value) Value->FreeNotification(this);
}

void TGridView::SetCellChecker(TGridViewCheck* Value) {
  if (Value == FCellChecker) return;
  if (FCellChecker) FCellChecker->RemoveFreeNotification(this);
  FCellChecker = Value;
  if (Value) Value->FreeNotification(this);
}

void TGridView::SetHovering(bool Value) {
  if (Value != FHovering) FHovering = Value;
}

void TGridView::SetMaxEditLength(int Value) {
  FMaxEditLength = Value;
  if (auto* e = GetInplaceEditor()) e->SetMaxLength(Value);
}

void TGridView::SetLookupItems(const TStrings* Value) {
  if (Value) FLookupItems->Assign(Value);
}

void TGridView::SetColumnHeaders(const TStrings* Value) {
  if (Value) FColumnHeaders->Assign(Value);
  ColumnHeadersChanged();
}

void TGridView::SetRowHeaders(const TStrings* Value) {
  if (Value) FRowHeaders->Assign(Value);
  RowHeadersChanged();
}

void TGridView::ColumnHeadersChanged() {
  ColumnHeadersChanging();
  // Row 0 shows exactly the header list.
  if (GetFixedRowsRaw() > 0) ClearHeaderRow();
  ApplyColumnHeaders();
  Invalidate();
}

void TGridView::RowHeadersChanged() {
  if (GetFixedColsRaw() > 0 && IsDesigning(*this)) ClearHeaderColumn();
  ApplyRowHeaders();
  Invalidate();
}

void TGridView::DefineProperties(TFiler& Filer) {
  TBaseGrid::DefineProperties(Filer);
  Filer.DefineBinaryProperty(
      "RowIndicator",
      [this](TStream& Stream) {
        std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(0, Stream.GetSize() - Stream.GetPosition())));
        if (!bytes.empty()) Stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        TBitmap picture;
        picture.LoadFromBytes(bytes);
        SetRowIndicator(&picture);
      },
      [this](TStream& Stream) {
        const std::vector<uint8_t> bytes = FRowIndicator->SaveToBytes();
        Stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
      },
      !FRowIndicator->GetEmpty());
}

void TGridView::SetRowIndicator(const TBitmap* Value) {
  if (Value) FRowIndicator->Assign(*Value);
  if (GetFixedColsRaw() > 0) RepaintCell(0, GetRow());
}

void TGridView::SetBackGround(const TBackGround* Value) {
  if (Value) FBackGround->Assign(Value);
  Invalidate();
}

void TGridView::SetIntegralHeight(bool Value) {
  FIntegralHeight = Value;
  SetBounds(GetLeft(), GetTop(), GetWidth(), GetHeight());
}

void TGridView::ResumeRedraw() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Invalidate();
}

void TGridView::RepaintFooter() {
  ++FFooterRepaints;
  if (FFooterPanel) FFooterPanel->Invalidate();
}

// ================================================================ hooks

void TGridView::DoGridHint(int ARow, int ACol, std::string& HintStr) {
  if (OnGridHint) OnGridHint(this, ARow, ACol, HintStr);
}

void TGridView::DoGetCellColor(int ARow, int ACol, TGridDrawState AState, TBrush& ABrush, TFont& AFont) {
  if (FActiveCellShow) {
    const bool colHeader = ARow == 0 && GetFixedRows() > 0 && ACol == GetCol();
    const bool rowHeader = ACol == 0 && GetFixedCols() > 0 && ARow == GetRow();
    if (colHeader || rowHeader) {
      AFont.Assign(*FActiveCellFont);
      ABrush.SetColor(FActiveCellColor);
    }
  }
  if (HasCellProperties(ACol, ARow)) {
    const TCellProperties* p = RawCellProperties(ACol, ARow);
    if (p->GetBrushColor() != clNone) ABrush.SetColor(p->GetBrushColor());
    if (p->FontColor != clNone) AFont.SetColor(p->FontColor);
    if (!p->FontStyle.Empty()) AFont.SetStyle(p->FontStyle);
    if (p->FontSize != 0) AFont.SetSize(p->FontSize);
    if (!p->FontName.empty()) AFont.SetName(p->FontName);
  }
  if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TGridView::DoGetCellPrintColor(int ARow, int ACol, TGridDrawState AState, TBrush& ABrush, TFont& AFont) {
  if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TGridView::DoGetCellBorder(int ARow, int ACol, TPen& APen, TCellBorders& Borders) {
  if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TGridView::DoGetCellPrintBorder(int ARow, int ACol, TPen& APen, TCellBorders& Borders) {
  if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TGridView::DoGetAlignment(int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign) {
  if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TGridView::DoGetFormat(int ACol, TSortStyle& AStyle, std::string& APrefix, std::string& ASuffix) {
  if (OnGetFormat) OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void TGridView::DoGetEditorType(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TGridView::DoIsFixedCell(int ARow, int ACol, bool& IsFixed) {
  IsFixed = IsFixed || ACol < GetFixedCols() || ARow < GetFixedRows() ||
            (FixedRowAlways && ARow <= FFixedRowsRemembered && GetRowCount() == FFixedRowsRemembered) ||
            (FixedColAlways && ACol == 0 && GetColCount() == 1);
  if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TGridView::DoCanEditCell(int ARow, int ACol, bool& CanEdit) {
  const TPoint origin = BaseCell(ACol, ARow);
  if (HasCellProperties(origin.X, origin.Y) && GetOptions().Contains(goEditing))
    CanEdit = !RawCellProperties(origin.X, origin.Y)->ReadOnly;
  if (OnCanEditCell) OnCanEditCell(this, origin.Y, origin.X, CanEdit);
}

void TGridView::DoIsPasswordCell(int ARow, int ACol, bool& IsPassword) {
  if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

std::string TGridView::DoGetCheckTrue(int ACol, int ARow) {
  std::string s = "Y";
  if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, s);
  return s;
}

std::string TGridView::DoGetCheckFalse(int ACol, int ARow) {
  std::string s = "N";
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, s);
  return s;
}

void TGridView::DoCanAddRow(bool& CanAdd) {
  if (OnCanAddRow) OnCanAddRow(this, CanAdd);
}

void TGridView::DoCanInsertRow(int ARow, bool& CanInsert) {
  if (OnCanInsertRow) OnCanInsertRow(this, ARow, CanInsert);
}

uint32_t TGridView::VersionNumber() const { return (2u << 24) | (5u << 16) | (0u << 8) | 2u; }

std::string TGridView::VersionText() const {
  const uint32_t v = VersionNumber();
  return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 0xFF) + "." + std::to_string((v >> 8) & 0xFF) +
         "." + std::to_string(v & 0xFF) + " June, 2003";
}

bool TGridView::IsFixedCell(int ACol, int ARow) {
  if (FFixedFooters > 0 && ARow >= GetRowCount() - FFixedFooters) return true;
  if (FFixedRightCols > 0 && ACol >= GetColCount() - FFixedRightCols) return true;
  bool fixed = false;
  if (OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, fixed);
  return fixed;
}

void TGridView::DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom) {
  if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

// ================================================================ column widths in a store

std::unique_ptr<TCustomIniFile> TGridView::OpenColumnStore() const {
  if (FColumnSize->Key.empty() || FColumnSize->Section.empty() || IsDesigning(*this)) return nullptr;
  if (FColumnSize->Location == clIniFile) return std::make_unique<TIniFile>(FColumnSize->Key);
  return std::make_unique<TRegistryIniFile>(FColumnSize->Key);
}

void TGridView::SaveColumnSizes() {
  auto store = OpenColumnStore();
  if (!store) return;
  for (int i = 0; i < GetColCount(); ++i)
    store->WriteInteger(FColumnSize->Section, "Col" + std::to_string(i), GetColWidths(i));
  store->UpdateFile();
}

void TGridView::LoadColumnSizes() {
  auto store = OpenColumnStore();
  if (!store) return;
  for (int i = 0; i < GetColCount(); ++i) {
    const int w = store->ReadInteger(FColumnSize->Section, "Col" + std::to_string(i), GetDefaultColWidth());
    if (w != GetColWidths(i)) SetColWidths(i, w);
  }
}

void TGridView::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  TBaseGrid::GetChildren(
      [this, &Proc](TComponent* Child) {
        if (Child->GetOwner() != this) Proc(Child);
      },
      Root);
}
