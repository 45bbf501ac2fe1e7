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
  c.Property("DisjunctRowSelect", &TMouseActions::GetDisjunctRowSelect, &TMouseActions::SetDisjunctRowSelect)
      .Default(false);
  c.Property("DisjunctColSelect", &TMouseActions::GetDisjunctColSelect, &TMouseActions::SetDisjunctColSelect)
      .Default(false);
  c.Property("DisjunctCellSelect", &TMouseActions::GetDisjunctCellSelect, &TMouseActions::SetDisjunctCellSelect)
      .Default(false);
  c.Property("PreciseCheckBoxCheck", &TMouseActions::PreciseCheckBoxCheck).Default(false);
  c.Property("RowSelectPersistent", &TMouseActions::RowSelectPersistent).Default(false);
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
  c.Property("AdvanceOnEnter", &TNavigation::AdvanceOnEnter).Default(false);
  c.Property("AlwaysEdit", &TNavigation::AlwaysEdit).Default(false);
  c.Property("EditSelectAll", &TNavigation::EditSelectAll).Default(true);
  c.Property("SkipFixedCells", &TNavigation::SkipFixedCells).Default(true);
}
KV_CLASS_IMPL(THTMLSettings, TPersistent) {
  c.Property("BorderSize", &THTMLSettings::BorderSize).Default(1);
  c.Property("Width", &THTMLSettings::Width).Default(100);
}
KV_CLASS_IMPL(TPrintSettings, TPersistent) {
  c.Property("PageNumSep", &TPrintSettings::PageNumSep);
  c.Property("DateFormat", &TPrintSettings::DateFormat);
  c.Property("Centered", &TPrintSettings::Centered).Default(true);
  c.Property("UseDisplayFont", &TPrintSettings::UseDisplayFont).Default(true);
}
KV_CLASS_IMPL(TSortSettings, TPersistent) {
  c.Property("Show", &TSortSettings::Show).Default(false);
  c.Property("Full", &TSortSettings::Full).Default(true);
  c.Property("AutoFormat", &TSortSettings::AutoFormat).Default(true);
  c.Property("IndexColor", &TSortSettings::IndexColor).Kind(TPropKind::pkColor).Default(TColor(0x00FFFF));
  c.Property("Column", &TSortSettings::Column).Default(0);
  c.Property("Row", &TSortSettings::GetRow, &TSortSettings::SetRow).Default(0);
}
KV_CLASS_IMPL(TControlLook, TPersistent) {
  c.Property("CheckSize", &TControlLook::GetCheckSize, &TControlLook::SetCheckSize).Default(15);
  c.Property("RadioSize", &TControlLook::GetRadioSize, &TControlLook::SetRadioSize).Default(10);
  c.Property("ControlStyle", &TControlLook::GetControlStyle, &TControlLook::SetControlStyle)
      .Names({"csClassic", "csFlat", "csWinXP", "csOstrel", "csLumo", "csGlyph", "csTheme"}).Default(csWinXP);
}
KV_CLASS_IMPL(TBands, TPersistent) {
  c.Property("Active", &TBands::GetActive, &TBands::SetActive).Default(false);
  c.Property("PrimaryColor", &TBands::GetPrimaryColor, &TBands::SetPrimaryColor).Kind(TPropKind::pkColor);
  c.Property("SecondaryColor", &TBands::GetSecondaryColor, &TBands::SetSecondaryColor).Kind(TPropKind::pkColor);
  c.Property("PrimaryLength", &TBands::GetPrimaryLength, &TBands::SetPrimaryLength).Default(1);
  c.Property("SecondaryLength", &TBands::GetSecondaryLength, &TBands::SetSecondaryLength).Default(1);
}
KV_CLASS_IMPL(TBackGround, TPersistent) {
  c.Property("Top", &TBackGround::GetTop, &TBackGround::SetTop).Default(0);
  c.Property("Left", &TBackGround::GetLeft, &TBackGround::SetLeft).Default(0);
}
KV_CLASS_IMPL(TGrouping, TPersistent) {}
KV_CLASS_IMPL(TDragDropSettings, TPersistent) {}
KV_CLASS_IMPL(TFloatingFooter, TPersistent) {
  c.Property("Column", &TFloatingFooter::GetColumn, &TFloatingFooter::SetColumn).Default(0);
  c.Property("Color", &TFloatingFooter::GetColor, &TFloatingFooter::SetColor).Kind(TPropKind::pkColor)
      .Default(clBtnFace);
  c.Property("CustomTemplate", &TFloatingFooter::GetCustomTemplate, &TFloatingFooter::SetCustomTemplate);
  c.Property("FooterStyle", &TFloatingFooter::GetFooterStyle, &TFloatingFooter::SetFooterStyle)
      .Names({"fsFixedLastRow", "fsColumnPreview", "fsCustomPreview"}).Default(fsFixedLastRow);
  c.Property("Visible", &TFloatingFooter::GetVisible, &TFloatingFooter::SetVisible).Default(false);
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
KV_CLASS_IMPL(TCellGraphic, TPersistent) {}
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
