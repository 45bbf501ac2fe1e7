// The grid's settings objects, hidden-row items, filters and cell graphics.

#include "grid/GridView.h"

#include "platform/rtl/Registry.h"
#include "platform/ui/Themes.h"

KV_CLASS_IMPL(TCellNode, TPersistent) {
  c.Property("Color", &TCellNode::Color).Kind(TPropKind::pkColor).Default(clSilver);
  c.Property("NodeType", &TCellNode::GetNodeType, &TCellNode::SetNodeType)
      .Names({"cnFlat", "cn3D", "cnGlyph", "cnLeaf", "cnXP"}).Default(cnXP);
  c.Property("NodeColor", &TCellNode::NodeColor).Kind(TPropKind::pkColor).Default(clBlack);
  c.Property("ExpandOne", &TCellNode::ExpandOne).Default(false);
  c.Property("ShowTree", &TCellNode::GetShowTree, &TCellNode::SetShowTree).Default(true);
  c.Property("NodeIndent", &TCellNode::GetNodeIndent, &TCellNode::SetNodeIndent).Default(12);
}
KV_CLASS_IMPL(TSizeWhileTyping, TPersistent) {
  c.Property("Height", &TSizeWhileTyping::Height).Default(false);
  c.Property("Width", &TSizeWhileTyping::Width).Default(false);
}
KV_CLASS_IMPL(TMouseActions, TPersistent) {
  using M = TMouseActions;
  c.Property("ColSelect", &M::ColSelect).Default(false);
  c.Property("RowSelect", &M::RowSelect).Default(false);
  c.Property("AllSelect", &M::AllSelect).Default(false);
  c.Property("DirectEdit", &M::DirectEdit).Default(false);
  c.Property("DirectComboDrop", &M::DirectComboDrop).Default(false);
  c.Property("DirectDateDrop", &M::DirectDateDrop).Default(false);
  c.Property("DisjunctRowSelect", &M::GetDisjunctRowSelect, &M::SetDisjunctRowSelect).Default(false);
  c.Property("DisjunctColSelect", &M::GetDisjunctColSelect, &M::SetDisjunctColSelect).Default(false);
  c.Property("AllColumnSize", &M::AllColumnSize).Default(false);
  c.Property("AllRowSize", &M::AllRowSize).Default(false);
  c.Property("CaretPositioning", &M::CaretPositioning).Default(false);
  c.Property("SizeFixedCol", &M::SizeFixedCol).Default(false);
  c.Property("DisjunctCellSelect", &M::GetDisjunctCellSelect, &M::SetDisjunctCellSelect).Default(false);
  c.Property("FixedRowsEdit", &M::FixedRowsEdit)
      .Names({"fceNone", "fceDblClick", "fceLeftClick", "fceRightClick"}).Default(fceNone);
  c.Property("FixedColsEdit", &M::FixedColsEdit)
      .Names({"fceNone", "fceDblClick", "fceLeftClick", "fceRightClick"}).Default(fceNone);
  c.Property("RangeSelectAndEdit", &M::RangeSelectAndEdit).Default(false);
  c.Property("NoAutoRangeScroll", &M::NoAutoRangeScroll).Default(false);
  c.Property("PreciseCheckBoxCheck", &M::PreciseCheckBoxCheck).Default(false);
  c.Property("CheckAllCheck", &M::CheckAllCheck).Default(false);
  c.Property("NodeAllExpandContract", &M::NodeAllExpandContract).Default(false);
  c.Property("MoveRowOnNodeClick", &M::MoveRowOnNodeClick).Default(false);
  c.Property("RowSelectPersistent", &M::RowSelectPersistent).Default(false);
}
KV_CLASS_IMPL(TColumnSize, TPersistent) {
  c.Property("Save", &TColumnSize::Save).Default(false);
  c.Property("Key", &TColumnSize::Key);
  c.Property("Section", &TColumnSize::Section);
  c.Property("Stretch", &TColumnSize::GetStretch, &TColumnSize::SetStretch).Default(false);
  c.Property("StretchColumn", &TColumnSize::StretchColumn).Default(-1);
  c.Property("SynchWithGrid", &TColumnSize::SynchWithGrid).Default(false);
  c.Property("Location", &TColumnSize::Location).Names({"clRegistry", "clIniFile"}).Default(clRegistry);
}
KV_CLASS_IMPL(TNavigation, TPersistent) {
  using N = TNavigation;
  c.Property("AllowInsertRow", &N::AllowInsertRow).Default(false);
  c.Property("AllowDeleteRow", &N::AllowDeleteRow).Default(false);
  c.Property("AdvanceOnEnter", &N::AdvanceOnEnter).Default(false);
  c.Property("AdvanceInsert", &N::AdvanceInsert).Default(false);
  c.Property("AutoGotoWhenSorted", &N::AutoGotoWhenSorted).Default(false);
  c.Property("AutoGotoIncremental", &N::AutoGotoIncremental).Default(false);
  c.Property("AutoComboDropSize", &N::AutoComboDropSize).Default(false);
  c.Property("AllowClipboardShortCuts", &N::AllowClipboardShortCuts).Default(false);
  c.Property("AllowRTFClipboard", &N::AllowRTFClipboard).Default(false);
  c.Property("AllowSmartClipboard", &N::AllowSmartClipboard).Default(false);
  c.Property("AllowClipboardAlways", &N::AllowClipboardAlways).Default(false);
  c.Property("AllowClipboardColGrow", &N::AllowClipboardColGrow).Default(true);
  c.Property("AllowClipboardRowGrow", &N::AllowClipboardRowGrow).Default(true);
  c.Property("CopyHTMLTagsToClipboard", &N::CopyHTMLTagsToClipboard).Default(true);
  c.Property("AdvanceDirection", &N::AdvanceDirection).Names({"adLeftRight", "adTopBottom"}).Default(adLeftRight);
  c.Property("AdvanceAuto", &N::AdvanceAuto).Default(false);
  c.Property("CursorWalkEditor", &N::CursorWalkEditor).Default(false);
  c.Property("MoveRowOnSort", &N::MoveRowOnSort).Default(false);
  c.Property("ImproveMaskSel", &N::ImproveMaskSel).Default(false);
  c.Property("AlwaysEdit", &N::AlwaysEdit).Default(false);
  c.Property("InsertPosition", &N::InsertPosition).Names({"pInsertBefore", "pInsertAfter"}).Default(pInsertBefore);
  c.Property("LineFeedOnEnter", &N::LineFeedOnEnter).Default(false);
  c.Property("HomeEndKey", &N::HomeEndKey).Names({"heFirstLastColumn", "heFirstLastRow"}).Default(heFirstLastColumn);
  c.Property("KeepHorizScroll", &N::KeepHorizScroll).Default(false);
  c.Property("AllowFmtClipboard", &N::AllowFmtClipboard).Default(false);
  c.Property("TabToNextAtEnd", &N::TabToNextAtEnd).Default(false);
  c.Property("EditSelectAll", &N::EditSelectAll).Default(true);
  c.Property("TabAdvanceDirection", &N::TabAdvanceDirection).Names({"adLeftRight", "adTopBottom"})
      .Default(adLeftRight);
  c.Property("SkipFixedCells", &N::SkipFixedCells).Default(true);
}
KV_CLASS_IMPL(THTMLSettings, TPersistent) {
  using H = THTMLSettings;
  c.Property("SaveColor", &H::SaveColor).Default(true);
  c.Property("SaveFonts", &H::SaveFonts).Default(true);
  c.Property("FooterFile", &H::FooterFile).Default("");
  c.Property("HeaderFile", &H::HeaderFile).Default("");
  c.Property("BorderSize", &H::BorderSize).Default(1);
  c.Property("CellSpacing", &H::CellSpacing).Default(0);
  c.Property("CellPadding", &H::CellPadding).Default(0);
  c.Property("TableStyle", &H::TableStyle).Default("");
  c.Property("PrefixTag", &H::PrefixTag).Default("");
  c.Property("SuffixTag", &H::SuffixTag).Default("");
  c.Property("Width", &H::Width).Default(100);
  c.Property("XHTML", &H::XHTML).Default(false);
}
KV_CLASS_IMPL(TPrintSettings, TPersistent) {
  using P = TPrintSettings;
  const auto positions = {"ppNone", "ppTopLeft", "ppTopRight", "ppTopCenter", "ppBottomLeft", "ppBottomRight",
                          "ppBottomCenter"};
  c.Property("Time", &P::Time).Names(positions).Default(ppNone);
  c.Property("Date", &P::Date).Names(positions).Default(ppNone);
  c.Property("PageNr", &P::PageNr).Names(positions).Default(ppNone);
  c.Property("PageNumSep", &P::PageNumSep).Default("/");
  c.Property("DateFormat", &P::DateFormat).Default("dd/mm/yyyy");
  c.Property("Title", &P::Title).Names(positions).Default(ppNone);
  c.Property("Font", &P::GetFont, &P::SetFont);
  c.Property("HeaderFont", &P::GetHeaderFont, &P::SetHeaderFont);
  c.Property("FooterFont", &P::GetFooterFont, &P::SetFooterFont);
  c.Property("Borders", &P::Borders)
      .Names({"pbNoborder", "pbSingle", "pbDouble", "pbVertical", "pbHorizontal", "pbAround", "pbAroundVertical",
              "pbAroundHorizontal", "pbCustom"})
      .Default(pbSingle);
  c.Property("BorderStyle", &P::BorderStyle)
      .Names({"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame", "psUserStyle",
              "psAlternate"})
      .Default(TPenStyle::psSolid);
  c.Property("TitleText", &P::TitleText).Default("");
  c.Property("TitleLines", &P::GetTitleLines, &P::SetTitleLines);
  c.Property("Centered", &P::Centered).Default(true);
  c.Property("RepeatFixedRows", &P::RepeatFixedRows).Default(false);
  c.Property("RepeatFixedCols", &P::RepeatFixedCols).Default(false);
  c.Property("FooterSize", &P::FooterSize).Default(0);
  c.Property("HeaderSize", &P::HeaderSize).Default(0);
  c.Property("LeftSize", &P::LeftSize).Default(0);
  c.Property("RightSize", &P::RightSize).Default(0);
  c.Property("ColumnSpacing", &P::ColumnSpacing).Default(0);
  c.Property("RowSpacing", &P::RowSpacing).Default(0);
  c.Property("TitleSpacing", &P::TitleSpacing).Default(0);
  c.Property("Orientation", &P::Orientation).Names({"poPortrait", "poLandscape"}).Default(poPortrait);
  c.Property("PagePrefix", &P::PagePrefix).Default("");
  c.Property("PageSuffix", &P::PageSuffix).Default("");
  c.Property("FixedHeight", &P::FixedHeight).Default(0);
  c.Property("UseFixedHeight", &P::UseFixedHeight).Default(false);
  c.Property("FixedWidth", &P::FixedWidth).Default(0);
  c.Property("UseFixedWidth", &P::UseFixedWidth).Default(false);
  c.Property("FitToPage", &P::FitToPage).Names({"fpNever", "fpGrow", "fpShrink", "fpAlways", "fpCustom"})
      .Default(fpNever);
  c.Property("NoAutoSize", &P::NoAutoSize).Default(false);
  c.Property("PrintGraphics", &P::PrintGraphics).Default(false);
  c.Property("JobName", &P::JobName).Default("");
  c.Property("NoAutoSizeRow", &P::NoAutoSizeRow).Default(false);
  c.Property("PageNumberOffset", &P::PageNumberOffset).Default(0);
  c.Property("MaxPagesOffset", &P::MaxPagesOffset).Default(0);
  c.Property("FixedFont", &P::GetFixedFont, &P::SetFixedFont);
  c.Property("UseDisplayFont", &P::UseDisplayFont).Default(true);
}
KV_CLASS_IMPL(TSortSettings, TPersistent) {
  using S = TSortSettings;
  c.Property("Show", &S::Show).Default(false);
  c.Property("IndexShow", &S::IndexShow).Default(false);
  c.Property("IndexColor", &S::IndexColor).Kind(TPropKind::pkColor).Default(TColor(0x00FFFF));
  c.Property("Full", &S::Full).Default(true);
  c.Property("SingleColumn", &S::SingleColumn).Default(false);
  c.Property("IgnoreBlanks", &S::IgnoreBlanks).Default(false);
  c.Property("BlankPos", &S::BlankPos).Names({"blFirst", "blLast"}).Default(blFirst);
  c.Property("AutoFormat", &S::AutoFormat).Default(true);
  c.Property("AutoColumnMerge", &S::AutoColumnMerge).Default(false);
  c.Property("Direction", &S::Direction).Names({"sdAscending", "sdDescending"}).Default(sdAscending);
  c.Property("InitSortDirection", &S::InitSortDirection).Names({"sdAscending", "sdDescending"}).Default(sdAscending);
  c.Property("Column", &S::Column).Default(0);
  c.Property("Row", &S::GetRow, &S::SetRow).Default(0);
  c.Property("FixedCols", &S::FixedCols).Default(false);
  c.Property("NormalCellsOnly", &S::NormalCellsOnly).Default(false);
  c.Property("UndoSort", &S::UndoSort).Default(false);
}
KV_CLASS_IMPL(TControlLook, TPersistent) {
  using L = TControlLook;
  c.Property("CheckSize", &L::GetCheckSize, &L::SetCheckSize).Default(15);
  c.Property("RadioSize", &L::GetRadioSize, &L::SetRadioSize).Default(10);
  c.Property("ControlStyle", &L::GetControlStyle, &L::SetControlStyle)
      .Names({"csClassic", "csFlat", "csWinXP", "csOstrel", "csLumo", "csGlyph", "csTheme"}).Default(csWinXP);
  c.Property("Color", &L::GetColor, &L::SetColor).Kind(TPropKind::pkColor).Default(TColor(0));
  c.Property("FlatButton", &L::GetFlatButton, &L::SetFlatButton).Default(false);
  c.Property("DropDownAlwaysVisible", &L::GetDropDownAlwaysVisible, &L::SetDropDownAlwaysVisible).Default(false);
  c.Property("ProgressXP", &L::GetProgressXP, &L::SetProgressXP).Default(false);
  c.Property("ProgressMarginX", &L::GetProgressMarginX, &L::SetProgressMarginX).Default(2);
  c.Property("ProgressMarginY", &L::GetProgressMarginY, &L::SetProgressMarginY).Default(2);
}
KV_CLASS_IMPL(TBands, TPersistent) {
  c.Property("Active", &TBands::GetActive, &TBands::SetActive).Default(false);
  c.Property("PrimaryColor", &TBands::GetPrimaryColor, &TBands::SetPrimaryColor).Kind(TPropKind::pkColor)
      .Default(clInfoBk);
  c.Property("SecondaryColor", &TBands::GetSecondaryColor, &TBands::SetSecondaryColor).Kind(TPropKind::pkColor)
      .Default(clWindow);
  c.Property("PrimaryLength", &TBands::GetPrimaryLength, &TBands::SetPrimaryLength).Default(1);
  c.Property("SecondaryLength", &TBands::GetSecondaryLength, &TBands::SetSecondaryLength).Default(1);
  c.Property("Print", &TBands::Print).Default(false);
}
KV_CLASS_IMPL(TBackGround, TPersistent) {
  c.Property("Top", &TBackGround::GetTop, &TBackGround::SetTop).Default(0);
  c.Property("Left", &TBackGround::GetLeft, &TBackGround::SetLeft).Default(0);
  c.Property("Display", &TBackGround::GetDisplay, &TBackGround::SetDisplay)
      .Names({"bdTile", "bdFixed"}).Default(bdTile);
  c.Property("Cells", &TBackGround::GetCells, &TBackGround::SetCells).Names({"bcNormal", "bcFixed", "bcAll"})
      .Default(bcNormal);
}
KV_CLASS_IMPL(TGrouping, TPersistent) {
  using R = TGrouping;
  c.Property("HeaderColor", &R::HeaderColor).Kind(TPropKind::pkColor).Default(clNone);
  c.Property("HeaderColorTo", &R::HeaderColorTo).Kind(TPropKind::pkColor).Default(clNone);
  c.Property("HeaderTextColor", &R::HeaderTextColor).Kind(TPropKind::pkColor).Default(clNone);
  c.Property("SummaryColor", &R::SummaryColor).Kind(TPropKind::pkColor).Default(clNone);
  c.Property("SummaryColorTo", &R::SummaryColorTo).Kind(TPropKind::pkColor).Default(clNone);
  c.Property("SummaryTextColor", &R::SummaryTextColor).Kind(TPropKind::pkColor).Default(clNone);
  c.Property("MergeHeader", &R::MergeHeader).Default(false);
  c.Property("MergeSummary", &R::MergeSummary).Default(false);
  c.Property("Summary", &R::Summary).Default(false);
}
KV_CLASS_IMPL(TDragDropSettings, TPersistent) {
  c.Property("OleAcceptFiles", &TDragDropSettings::OleAcceptFiles).Default(true);
  c.Property("OleAcceptText", &TDragDropSettings::OleAcceptText).Default(true);
  c.Property("OleDropTarget", &TDragDropSettings::GetOleDropTarget, &TDragDropSettings::SetOleDropTarget)
      .Default(false);
  c.Property("OleDropSource", &TDragDropSettings::OleDropSource).Default(false);
  c.Property("OleDropRTF", &TDragDropSettings::GetOleDropRTF, &TDragDropSettings::SetOleDropRTF).Default(false);
  c.Property("OleEntireRows", &TDragDropSettings::OleEntireRows).Default(false);
  c.Property("OleRemoveRows", &TDragDropSettings::OleRemoveRows).Default(false);
  c.Property("OleInsertRows", &TDragDropSettings::OleInsertRows).Default(false);
  c.Property("OleCopyAlways", &TDragDropSettings::OleCopyAlways).Default(false);
  c.Property("OleColumnDragDrop", &TDragDropSettings::OleColumnDragDrop).Default(false);
}
KV_CLASS_IMPL(TFloatingFooter, TPersistent) {
  c.Property("Column", &TFloatingFooter::GetColumn, &TFloatingFooter::SetColumn).Default(0);
  c.Property("Color", &TFloatingFooter::GetColor, &TFloatingFooter::SetColor).Kind(TPropKind::pkColor)
      .Default(clBtnFace);
  c.Property("CustomTemplate", &TFloatingFooter::GetCustomTemplate, &TFloatingFooter::SetCustomTemplate);
  c.Property("FooterStyle", &TFloatingFooter::GetFooterStyle, &TFloatingFooter::SetFooterStyle)
      .Names({"fsFixedLastRow", "fsColumnPreview", "fsCustomPreview"}).Default(fsFixedLastRow);
  c.Property("Visible", &TFloatingFooter::GetVisible, &TFloatingFooter::SetVisible).Default(false);
  c.Property("Height", &TFloatingFooter::Height).Default(21);
}
KV_CLASS_IMPL(TGridItem, TCollectionItem) {
  c.Property("Idx", &TGridItem::Idx);
  c.Property("Height", &TGridItem::Height);
}
KV_CLASS_IMPL(TGridItemCollection, TCollection) {}
KV_CLASS_IMPL(TFilterData, TCollectionItem) {
  c.Property("Column", &TFilterData::Column);
  c.Property("Condition", &TFilterData::Condition);
  c.Property("CaseSensitive", &TFilterData::CaseSensitive).Default(true);
  c.Property("Prefix", &TFilterData::Prefix);
  c.Property("Suffix", &TFilterData::Suffix);
  c.Property("Operation", &TFilterData::Operation).Names({"foNONE", "foAND", "foXOR", "foOR"}).Default(foNONE);
}
KV_CLASS_IMPL(TFilter, TCollection) {}
// The published fields are what the cell streams carry; none declares a
// default, so every one is written (CellText only when not empty).
KV_CLASS_IMPL(TCellGraphic, TPersistent) {
  using G = TCellGraphic;
  c.Property("CellType", &G::CellType)
      .Names({"ctBitmap", "ctIcon", "ctNone", "ctImageList", "ctCheckBox", "ctDataCheckBox", "ctRotated",
              "ctDataImage", "ctNode", "ctRadio", "ctEmpty", "ctImages", "ctPicture", "ctFilePicture", "ctValue",
              "ctProgress", "ctComment", "ctButton", "ctBitButton", "ctVirtCheckBox", "ctProgressPie",
              "ctSummary"});
  c.Property("CellVAlign", &G::CellVAlign)
      .Names({"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"});
  c.Property("CellHAlign", &G::CellHAlign)
      .Names({"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"});
  c.Property("CellIndex", &G::CellIndex);
  c.Property("CellTransparent", &G::CellTransparent);
  c.Property("CellCreated", &G::CellCreated);
  c.Property("CellBoolean", &G::CellBoolean);
  c.Property("CellAngle", &G::CellAngle);
  c.Property("CellValue", &G::CellValue);
  c.Property("CellErrFrom", &G::CellErrFrom);
  c.Property("CellErrLen", &G::CellErrLen);
  c.Property("CellText", &G::CellText).Default("");
}
KV_CLASS_IMPL(TRegistryIniFile, TCustomIniFile) {}

// ================================================================ unit services

void GridView::MakeWindowTransparent(TWinControl& Window) { Themes::MakeMouseTransparent(Window); }

int GridView::FileVersion(const std::string& /*FileName*/) { return -1; }

TRegistryIniFile::TRegistryIniFile(std::string KeyPath) : TCustomIniFile(std::move(KeyPath)) {}

std::string TRegistryIniFile::SectionPath(std::string_view Section) const {
  std::string path = FileName();
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + std::string(Section);
}

std::string TRegistryIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                                   std::string_view Default) const {
  TRegistry reg;
  if (!reg.OpenKeyReadOnly(SectionPath(Section)) || !reg.ValueExists(Ident)) return std::string(Default);
  switch (reg.GetDataType(Ident)) {
    case TRegDataType::rdInteger: return std::to_string(reg.ReadInteger(Ident));
    case TRegDataType::rdString:
    case TRegDataType::rdExpandString: return reg.ReadString(Ident);
    default: return std::string(Default);
  }
}

void TRegistryIniFile::WriteString(std::string_view Section, std::string_view Ident,
                                             std::string_view Value) {
  TRegistry reg;
  if (reg.OpenKey(SectionPath(Section), true)) reg.WriteString(Ident, Value);
}

void TRegistryIniFile::ReadSection(std::string_view Section, TStrings* Strings) const {
  Strings->Clear();
  TRegistry reg;
  if (reg.OpenKeyReadOnly(SectionPath(Section))) reg.GetValueNames(Strings);
}

void TRegistryIniFile::ReadSections(TStrings* Strings) const {
  Strings->Clear();
  TRegistry reg;
  if (reg.OpenKeyReadOnly(FileName())) reg.GetKeyNames(Strings);
}

void TRegistryIniFile::ReadSectionValues(std::string_view Section, TStrings* Strings) const {
  TStringList names;
  ReadSection(Section, &names);
  Strings->Clear();
  for (int i = 0; i < names.Count(); ++i)
    Strings->Add(names.Get(i) + "=" + ReadString(Section, names.Get(i), ""));
}

void TRegistryIniFile::EraseSection(std::string_view Section) {
  TRegistry reg;
  reg.DeleteKey(SectionPath(Section));
}

void TRegistryIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  TRegistry reg;
  if (reg.OpenKey(SectionPath(Section), false)) reg.DeleteValue(Ident);
}

// ================================================================ TCellNode

TCellNode::TCellNode(TGridView* AGrid)
    : FGrid(AGrid), FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>()) {}

void TCellNode::Repaint() {
  if (FGrid) FGrid->Invalidate();
}

void TCellNode::SetNodeType(TNodeType Value) {
  if (Value == FNodeType) return;
  FNodeType = Value;
  Repaint();
}

void TCellNode::SetExpandGlyph(const TBitmap* Value) {
  if (Value) FExpandGlyph->Assign(*Value);
}

void TCellNode::SetContractGlyph(const TBitmap* Value) {
  if (Value) FContractGlyph->Assign(*Value);
}

void TCellNode::SetShowTree(bool Value) {
  if (Value == FShowTree) return;
  FShowTree = Value;
  Repaint();
}

void TCellNode::SetNodeIndent(int Value) {
  if (Value == FNodeIndent) return;
  FNodeIndent = Value;
  Repaint();
}

// ================================================================ TMouseActions

bool TMouseActions::Designing() const {
  return FGrid && FGrid->ComponentState.Contains(TComponentStateItem::csDesigning);
}

void TMouseActions::SetDisjunctRowSelect(bool Value) {
  FDisjunctRowSelect = Value;
  if (Value && Designing()) FDisjunctColSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctColSelect(bool Value) {
  FDisjunctColSelect = Value;
  if (Value && Designing()) FDisjunctRowSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctCellSelect(bool Value) {
  FDisjunctCellSelect = Value;
  if (Value && Designing()) FDisjunctRowSelect = FDisjunctColSelect = false;
}

// ================================================================ TColumnSize

void TColumnSize::SetStretch(bool Value) { FStretch = Value; }

// ================================================================ THTMLSettings, TPrintSettings

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>()) {}

TPrintSettings::TPrintSettings(TGridView* AGrid)
    : FGrid(AGrid),
      FFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()),
      FTitleLines(std::make_unique<TStringList>()) {}

void TPrintSettings::SetFont(const TFont* Value) {
  if (Value) FFont->Assign(*Value);
}
void TPrintSettings::SetHeaderFont(const TFont* Value) {
  if (Value) FHeaderFont->Assign(*Value);
}
void TPrintSettings::SetFooterFont(const TFont* Value) {
  if (Value) FFooterFont->Assign(*Value);
}
void TPrintSettings::SetFixedFont(const TFont* Value) {
  if (Value) FFixedFont->Assign(*Value);
}
void TPrintSettings::SetTitleLines(const TStrings* Value) {
  if (Value) FTitleLines->Assign(Value);
}

void TPrintSettings::Assign(const TPersistent* Source) {
  const auto* s = dynamic_cast<const TPrintSettings*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  Time = s->Time;
  Date = s->Date;
  PageNr = s->PageNr;
  PageNumSep = s->PageNumSep;
  DateFormat = s->DateFormat;
  Title = s->Title;
  FFont->Assign(*s->FFont);
  FHeaderFont->Assign(*s->FHeaderFont);
  FFooterFont->Assign(*s->FFooterFont);
  Borders = s->Borders;
  BorderStyle = s->BorderStyle;
  TitleText = s->TitleText;
  FTitleLines->Assign(s->FTitleLines.get());
  Centered = s->Centered;
  RepeatFixedRows = s->RepeatFixedRows;
  RepeatFixedCols = s->RepeatFixedCols;
  FooterSize = s->FooterSize;
  HeaderSize = s->HeaderSize;
  LeftSize = s->LeftSize;
  RightSize = s->RightSize;
  ColumnSpacing = s->ColumnSpacing;
  RowSpacing = s->RowSpacing;
  TitleSpacing = s->TitleSpacing;
  Orientation = s->Orientation;
  PagePrefix = s->PagePrefix;
  PageSuffix = s->PageSuffix;
  FixedHeight = s->FixedHeight;
  UseFixedHeight = s->UseFixedHeight;
  FixedWidth = s->FixedWidth;
  UseFixedWidth = s->UseFixedWidth;
  FitToPage = s->FitToPage;
  NoAutoSize = s->NoAutoSize;
  PrintGraphics = s->PrintGraphics;
  JobName = s->JobName;
  NoAutoSizeRow = s->NoAutoSizeRow;
  PageNumberOffset = s->PageNumberOffset;
  MaxPagesOffset = s->MaxPagesOffset;
  FFixedFont->Assign(*s->FFixedFont);
  UseDisplayFont = s->UseDisplayFont;
}

// ================================================================ TSortSettings

TSortSettings::TSortSettings(TGridView* AGrid) : FGrid(AGrid) {
  for (auto& g : FGlyphs) g = std::make_unique<TBitmap>();
}

void TSortSettings::SetRow(int Value) {
  // The sort row is a header row: it must lie among the fixed rows.
  if (FGrid && !FGrid->ComponentState.Contains(TComponentStateItem::csLoading) && Value >= FGrid->GetFixedRows())
    throw Exception("Sort row should be smaller than number of fixed rows");
  FRow = Value;
}

// ================================================================ TControlLook, TBands, TBackGround

TControlLook::TControlLook(TGridView* AGrid) : FGrid(AGrid) {
  for (auto& g : FGlyphs) g = std::make_unique<TBitmap>();
}

void TControlLook::Changed() {
  if (FGrid) FGrid->Invalidate();
}

void TControlLook::SetGlyph(int Index, const TBitmap* Value) {
  if (Value) FGlyphs[Index]->Assign(*Value);
  Changed();
}

void TBands::RepaintWhenActive() {
  if (FActive && FGrid) FGrid->Invalidate();
}

void TBands::SetActive(bool Value) {
  FActive = Value;
  if (FGrid) FGrid->Invalidate();
}

void TBands::SetPrimaryColor(TColor Value) {
  FPrimaryColor = Value;
  RepaintWhenActive();
}

void TBands::SetSecondaryColor(TColor Value) {
  FSecondaryColor = Value;
  RepaintWhenActive();
}

void TBands::SetPrimaryLength(int Value) {
  FPrimaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  RepaintWhenActive();
}

void TBands::SetSecondaryLength(int Value) {
  FSecondaryLength = Value;
  FTotalLength = FPrimaryLength + FSecondaryLength;
  RepaintWhenActive();
}

TBackGround::TBackGround(TGridView* AGrid) : FGrid(AGrid), FBitmap(std::make_unique<TBitmap>()) {}

void TBackGround::Changed() {
  if (FGrid) FGrid->Invalidate();
}

void TBackGround::SetBitmap(const TBitmap* Value) {
  if (Value) FBitmap->Assign(*Value);
  Changed();
}

void TBackGround::Assign(const TPersistent* Source) {
  const auto* s = dynamic_cast<const TBackGround*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FTop = s->FTop;
  FLeft = s->FLeft;
  FDisplay = s->FDisplay;
  FCells = s->FCells;
  FBitmap->Assign(*s->FBitmap);
  Changed();
}

// ================================================================ TGridItem, TFilter

TGridItem::TGridItem(TCollection* Collection)
    : TCollectionItem(Collection), FItems(std::make_unique<TStringList>()) {}

TGridItem::~TGridItem() = default;

void TGridItem::SetItems(TStringList* Value) {
  if (Value && Value != FItems.get()) FItems.reset(Value);
}

TFilter::TFilter(TGridView* AGrid) : TCollection(TFilterData::StaticClass(), ItemFactoryOf<TFilterData>(), AGrid) {}

// ================================================================ TCellGraphic

TCellGraphic::~TCellGraphic() {
  switch (CellType) {
    case TCellType::ctBitmap:
    case TCellType::ctRadio:
    case TCellType::ctPicture:
    case TCellType::ctFilePicture:
    case TCellType::ctBitButton:
      if (CellCreated) {
        delete CellObject;
        delete CellImage;
      }
      break;
    case TCellType::ctImages: delete CellObject; break;
    case TCellType::ctIcon:
      if (CellCreated) delete CellIcon;
      break;
    default: break;
  }
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign) {
  CellType = Data ? TCellType::ctDataCheckBox : TCellType::ctCheckBox;
  CellBoolean = Value;
  CellHAlign = HAlign;
  CellVAlign = VAlign;
  CellTransparent = Transparent;
}

void TCellGraphic::Assign(const TPersistent* Source) {
  const auto* s = dynamic_cast<const TCellGraphic*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  CellType = s->CellType;
  CellVAlign = s->CellVAlign;
  CellHAlign = s->CellHAlign;
  CellIndex = s->CellIndex;
  CellTransparent = s->CellTransparent;
  CellValue = s->CellValue;
  CellAngle = s->CellAngle;
  CellBoolean = s->CellBoolean;
  CellErrFrom = s->CellErrFrom;
  CellErrLen = s->CellErrLen;
  CellText = s->CellText;
  CellCreated = s->CellCreated;
  CellColor = s->CellColor;
  CellColorTo = s->CellColorTo;
  CellTextColor = s->CellTextColor;
  CellTextColorTo = s->CellTextColorTo;
}
