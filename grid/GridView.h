#pragma once
// GridView: the grid control. TGridView is the editable table: cells with
// properties and graphics (check boxes, radio groups, pictures, nodes), the
// settings objects it publishes, hidden rows and columns with the mappings
// between displayed, all-rows and pre-sort indices, row and column
// operations, footer calculations and column statistics; cells with markup
// (drawn by GvHTMLE), the markup hint window and the floating footer panel.
//
// Row indices: displayed (the grid's row now), all rows (hidden rows
// counted) and before the last sort (the sort-order list). Columns:
// displayed and real (hidden columns stand behind the last displayed one).

#include "grid/BaseGrid.h"
#include "grid/GridObj.h"
#include "grid/GvHTMLE.h"
#include "grid/PictureContainer.h"
#include "grid/gvcheck.h"
#include "platform/rtl/IniFiles.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/HintWindow.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TGridView;
class TGridInplaceEdit;
class TGridDropTarget;
class TEditComboBox;
class TWinControl;
class TRichEdit;
class TEditLink;
struct TGridEditorControls;

KV_EXCEPTION_CLASS(EGridViewError, Exception);

namespace GridView {

// The window takes no mouse input: events pass to what lies below it.
void MakeWindowTransparent(TWinControl& Window);

// The file version of a library as major * 65536 + minor; -1 when the file
// carries none (always here: there are no versioned system libraries).
int FileVersion(const std::string& FileName);

// The warning sound of refused input; tests install a hook that counts.
extern std::function<void()> BeepHook;
void Beep();

// Registers the grid's pictures (check boxes, radio buttons, node and filter
// glyphs) with the resource table; runs at start-up.
void RegisterGridBitmaps();


}  // namespace GridView

// Settings kept in the current user's settings store under a key path, in
// the form of an INI file: sections are sub-keys, idents are values.
class TRegistryIniFile : public TCustomIniFile {
  KV_CLASS(TRegistryIniFile, TCustomIniFile)
 public:
  explicit TRegistryIniFile(std::string KeyPath);
  std::string ReadString(std::string_view Section, std::string_view Ident,
                         std::string_view Default) const override;
  void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) override;
  void ReadSection(std::string_view Section, TStrings* Strings) const override;
  void ReadSections(TStrings* Strings) const override;
  void ReadSectionValues(std::string_view Section, TStrings* Strings) const override;
  void EraseSection(std::string_view Section) override;
  void DeleteKey(std::string_view Section, std::string_view Ident) override;
  void UpdateFile() override {}

 private:
  std::string SectionPath(std::string_view Section) const;
};


// ================================================================ enumerations

enum class TGridLook { glStandard, glSoft, glClassic, glLumo, glXP };
using enum TGridLook;
enum class TScrollType { ssNormal, ssFlat, ssEncarta };
enum class TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
using enum TIntelliPan;
enum class TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
using enum TScrollHintType;
enum class TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };
using enum TNodeType;
enum class TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
using enum TGridFixedCellEdit;
enum class TColumnSizeLocation { clRegistry, clIniFile };
using enum TColumnSizeLocation;
enum class TAdvanceDirection { adLeftRight, adTopBottom };
using enum TAdvanceDirection;
enum class TInsertPosition { pInsertBefore, pInsertAfter };
using enum TInsertPosition;
enum class THomeEndAction { heFirstLastColumn, heFirstLastRow };
using enum THomeEndAction;
enum class TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
using enum TPrintPosition;
enum class TPrintBorders {
  pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal, pbCustom
};
using enum TPrintBorders;
enum class TPrinterOrientation { poPortrait, poLandscape };
using enum TPrinterOrientation;
enum class TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
using enum TFitToPage;
enum class TSortBlankPosition { blFirst, blLast };
using enum TSortBlankPosition;
enum class TSortDirection { sdAscending, sdDescending };
using enum TSortDirection;
enum class TControlStyle { csClassic, csFlat, csWinXP, csOstrel, csLumo, csGlyph, csTheme };
using enum TControlStyle;
enum class TBackGroundDisplay { bdTile, bdFixed };
using enum TBackGroundDisplay;
enum class TBackGroundCells { bcNormal, bcFixed, bcAll };
using enum TBackGroundCells;
enum class TFilterOperation { foNONE, foAND, foXOR, foOR };
using enum TFilterOperation;
enum class TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };
using enum TFooterStyle;

enum class TCellType {
  ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
  ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
  ctVirtCheckBox, ctProgressPie, ctSummary
};
enum class TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
using enum TCellVAlign;
enum class TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
using enum TCellHAlign;

// ================================================================ settings objects

class TCellNode : public TPersistent {
  KV_CLASS(TCellNode, TPersistent)
 public:
  explicit TCellNode(TGridView* AGrid = nullptr);
  TColor Color = clSilver;
  TNodeType GetNodeType() const { return FNodeType; }
  void SetNodeType(TNodeType Value);
  TColor NodeColor = clBlack;
  TBitmap* GetExpandGlyph() const { return FExpandGlyph.get(); }
  void SetExpandGlyph(const TBitmap* Value);
  bool ExpandOne = false;
  TBitmap* GetContractGlyph() const { return FContractGlyph.get(); }
  void SetContractGlyph(const TBitmap* Value);
  TGridView* Grid() const { return FGrid; }
  bool GetShowTree() const { return FShowTree; }
  void SetShowTree(bool Value);
  int GetNodeIndent() const { return FNodeIndent; }
  void SetNodeIndent(int Value);

 private:
  void Repaint();
  TGridView* FGrid;
  TNodeType FNodeType = cnXP;
  std::unique_ptr<TBitmap> FExpandGlyph, FContractGlyph;
  bool FShowTree = true;
  int FNodeIndent = 12;
};

class TSizeWhileTyping : public TPersistent {
  KV_CLASS(TSizeWhileTyping, TPersistent)
 public:
  bool Height = false;
  bool Width = false;
};

class TMouseActions : public TPersistent {
  KV_CLASS(TMouseActions, TPersistent)
 public:
  explicit TMouseActions(TGridView* AGrid = nullptr) : FGrid(AGrid) {}
  TGridView* Grid() const { return FGrid; }
  bool ColSelect = false, RowSelect = false, AllSelect = false, DirectEdit = false, DirectComboDrop = false,
       DirectDateDrop = false;
  bool GetDisjunctRowSelect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelect(bool Value);
  bool GetDisjunctColSelect() const { return FDisjunctColSelect; }
  void SetDisjunctColSelect(bool Value);
  bool AllColumnSize = false, AllRowSize = false, CaretPositioning = false, SizeFixedCol = false;
  bool GetDisjunctCellSelect() const { return FDisjunctCellSelect; }
  void SetDisjunctCellSelect(bool Value);
  TGridFixedCellEdit FixedRowsEdit = fceNone, FixedColsEdit = fceNone;
  bool RangeSelectAndEdit = false, NoAutoRangeScroll = false, PreciseCheckBoxCheck = false, CheckAllCheck = false,
       NodeAllExpandContract = false, MoveRowOnNodeClick = false, RowSelectPersistent = false;

 private:
  bool Designing() const;
  TGridView* FGrid;
  bool FDisjunctRowSelect = false, FDisjunctColSelect = false, FDisjunctCellSelect = false;
};

class TColumnSize : public TPersistent {
  KV_CLASS(TColumnSize, TPersistent)
 public:
  explicit TColumnSize(TGridView* AOwner = nullptr) : FOwner(AOwner) {}
  TGridView* Owner() const { return FOwner; }
  bool Save = false;
  std::string Key;
  std::string Section;
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool Value);
  int StretchColumn = -1;
  bool SynchWithGrid = false;
  TColumnSizeLocation Location = clRegistry;

 private:
  TGridView* FOwner;
  bool FStretch = false;
};

class TNavigation : public TPersistent {
  KV_CLASS(TNavigation, TPersistent)
 public:
  bool AllowInsertRow = false, AllowDeleteRow = false, AdvanceOnEnter = false, AdvanceInsert = false,
       AutoGotoWhenSorted = false, AutoGotoIncremental = false, AutoComboDropSize = false,
       AllowClipboardShortCuts = false, AllowRTFClipboard = false, AllowSmartClipboard = false,
       AllowClipboardAlways = false, AllowClipboardColGrow = true, AllowClipboardRowGrow = true,
       CopyHTMLTagsToClipboard = true;
  TAdvanceDirection AdvanceDirection = adLeftRight;
  bool AdvanceAuto = false, CursorWalkEditor = false, MoveRowOnSort = false, ImproveMaskSel = false,
       AlwaysEdit = false;
  TInsertPosition InsertPosition = pInsertBefore;
  bool LineFeedOnEnter = false;
  THomeEndAction HomeEndKey = heFirstLastColumn;
  bool KeepHorizScroll = false, AllowFmtClipboard = false, TabToNextAtEnd = false, EditSelectAll = true;
  TAdvanceDirection TabAdvanceDirection = adLeftRight;
  bool SkipFixedCells = true;
};

class THTMLSettings : public TPersistent {
  KV_CLASS(THTMLSettings, TPersistent)
 public:
  THTMLSettings();
  bool SaveColor = true, SaveFonts = true;
  std::string FooterFile, HeaderFile;
  int BorderSize = 1, CellSpacing = 0, CellPadding = 0;
  std::string TableStyle, PrefixTag, SuffixTag;
  int Width = 100;
  bool XHTML = false;
  TIntList* ColWidths() const { return FColWidths.get(); }

 private:
  std::unique_ptr<TIntList> FColWidths;
};

class TPrintSettings : public TPersistent {
  KV_CLASS(TPrintSettings, TPersistent)
 public:
  explicit TPrintSettings(TGridView* AGrid = nullptr);
  TGridView* Grid() const { return FGrid; }
  TPrintPosition Time = ppNone, Date = ppNone, PageNr = ppNone;
  std::string PageNumSep = "/";
  std::string DateFormat = "dd/mm/yyyy";
  TPrintPosition Title = ppNone;
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value);
  TFont* GetHeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(const TFont* Value);
  TFont* GetFooterFont() const { return FFooterFont.get(); }
  void SetFooterFont(const TFont* Value);
  TPrintBorders Borders = pbSingle;
  TPenStyle BorderStyle = TPenStyle::psSolid;
  std::string TitleText;
  TStringList* GetTitleLines() const { return FTitleLines.get(); }
  void SetTitleLines(const TStrings* Value);
  bool Centered = true, RepeatFixedRows = false, RepeatFixedCols = false;
  int FooterSize = 0, HeaderSize = 0, LeftSize = 0, RightSize = 0, ColumnSpacing = 0, RowSpacing = 0,
      TitleSpacing = 0;
  TPrinterOrientation Orientation = poPortrait;
  std::string PagePrefix, PageSuffix;
  int FixedHeight = 0;
  bool UseFixedHeight = false;
  int FixedWidth = 0;
  bool UseFixedWidth = false;
  TFitToPage FitToPage = fpNever;
  bool NoAutoSize = false, PrintGraphics = false;
  std::string JobName;
  bool NoAutoSizeRow = false;
  int PageNumberOffset = 0, MaxPagesOffset = 0;
  TFont* GetFixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(const TFont* Value);
  bool UseDisplayFont = true;

  // EConvertError "Cannot assign <class> to a TPrintSettings" for another kind of source.
  void Assign(const TPersistent* Source) override;

 private:
  TGridView* FGrid;
  std::unique_ptr<TFont> FFont, FHeaderFont, FFooterFont, FFixedFont;
  std::unique_ptr<TStringList> FTitleLines;
};

class TSortSettings : public TPersistent {
  KV_CLASS(TSortSettings, TPersistent)
 public:
  explicit TSortSettings(TGridView* AGrid = nullptr);
  TGridView* Grid() const { return FGrid; }
  bool Show = false, IndexShow = false;
  TColor IndexColor = 0x00FFFF;
  bool Full = true, SingleColumn = false, IgnoreBlanks = false;
  TSortBlankPosition BlankPos = blFirst;
  bool AutoFormat = true, AutoColumnMerge = false;
  TSortDirection Direction = sdAscending, InitSortDirection = sdAscending;
  int Column = 0;
  int GetRow() const { return FRow; }
  // Exception "Sort row should be smaller than number of fixed rows" for a
  // row at or beyond FixedRows (not while the grid is loading).
  void SetRow(int Value);
  bool FixedCols = false, NormalCellsOnly = false, UndoSort = false;
  TBitmap* GetUpGlyph() const { return FGlyphs[0].get(); }
  void SetUpGlyph(const TBitmap* Value) { FGlyphs[0]->Assign(*Value); }
  TBitmap* GetDownGlyph() const { return FGlyphs[1].get(); }
  void SetDownGlyph(const TBitmap* Value) { FGlyphs[1]->Assign(*Value); }
  TBitmap* GetIndexUpGlyph() const { return FGlyphs[2].get(); }
  void SetIndexUpGlyph(const TBitmap* Value) { FGlyphs[2]->Assign(*Value); }
  TBitmap* GetIndexDownGlyph() const { return FGlyphs[3].get(); }
  void SetIndexDownGlyph(const TBitmap* Value) { FGlyphs[3]->Assign(*Value); }

 private:
  TGridView* FGrid;
  int FRow = 0;
  std::array<std::unique_ptr<TBitmap>, 4> FGlyphs;
};

class TControlLook : public TPersistent {
  KV_CLASS(TControlLook, TPersistent)
 public:
  explicit TControlLook(TGridView* AGrid = nullptr);
  int GetCheckSize() const { return FCheckSize; }
  void SetCheckSize(int Value) { FCheckSize = Value; Changed(); }
  int GetRadioSize() const { return FRadioSize; }
  void SetRadioSize(int Value) { FRadioSize = Value; Changed(); }
  TControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; Changed(); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; Changed(); }
  TBitmap* GetCheckedGlyph() const { return FGlyphs[0].get(); }
  void SetCheckedGlyph(const TBitmap* Value) { SetGlyph(0, Value); }
  TBitmap* GetUnCheckedGlyph() const { return FGlyphs[1].get(); }
  void SetUnCheckedGlyph(const TBitmap* Value) { SetGlyph(1, Value); }
  TBitmap* GetRadioOnGlyph() const { return FGlyphs[2].get(); }
  void SetRadioOnGlyph(const TBitmap* Value) { SetGlyph(2, Value); }
  TBitmap* GetRadioOffGlyph() const { return FGlyphs[3].get(); }
  void SetRadioOffGlyph(const TBitmap* Value) { SetGlyph(3, Value); }
  bool GetFlatButton() const { return FFlatButton; }
  void SetFlatButton(bool Value) { FFlatButton = Value; Changed(); }
  bool GetDropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
  void SetDropDownAlwaysVisible(bool Value) { FDropDownAlwaysVisible = Value; Changed(); }
  bool GetProgressXP() const { return FProgressXP; }
  void SetProgressXP(bool Value) { FProgressXP = Value; Changed(); }
  int GetProgressMarginX() const { return FProgressMarginX; }
  void SetProgressMarginX(int Value) { FProgressMarginX = Value; Changed(); }
  int GetProgressMarginY() const { return FProgressMarginY; }
  void SetProgressMarginY(int Value) { FProgressMarginY = Value; Changed(); }

 private:
  void Changed();
  void SetGlyph(int Index, const TBitmap* Value);
  TGridView* FGrid;
  int FCheckSize = 15, FRadioSize = 10;
  TControlStyle FControlStyle = csWinXP;
  TColor FColor = 0;
  std::array<std::unique_ptr<TBitmap>, 4> FGlyphs;
  bool FFlatButton = false, FDropDownAlwaysVisible = false, FProgressXP = false;
  int FProgressMarginX = 2, FProgressMarginY = 2;
};

class TBands : public TPersistent {
  KV_CLASS(TBands, TPersistent)
 public:
  explicit TBands(TGridView* AGrid = nullptr) : FGrid(AGrid) {}
  bool GetActive() const { return FActive; }
  void SetActive(bool Value);
  TColor GetPrimaryColor() const { return FPrimaryColor; }
  void SetPrimaryColor(TColor Value);
  TColor GetSecondaryColor() const { return FSecondaryColor; }
  void SetSecondaryColor(TColor Value);
  int GetPrimaryLength() const { return FPrimaryLength; }
  void SetPrimaryLength(int Value);
  int GetSecondaryLength() const { return FSecondaryLength; }
  void SetSecondaryLength(int Value);
  int TotalLength() const { return FTotalLength; }
  bool Print = false;

 private:
  void RepaintWhenActive();
  TGridView* FGrid;
  bool FActive = false;
  TColor FPrimaryColor = clInfoBk, FSecondaryColor = clWindow;
  int FPrimaryLength = 1, FSecondaryLength = 1, FTotalLength = 2;
};

class TBackGround : public TPersistent {
  KV_CLASS(TBackGround, TPersistent)
 public:
  explicit TBackGround(TGridView* AGrid = nullptr);
  int GetTop() const { return FTop; }
  void SetTop(int Value) { FTop = Value; Changed(); }
  int GetLeft() const { return FLeft; }
  void SetLeft(int Value) { FLeft = Value; Changed(); }
  TBackGroundDisplay GetDisplay() const { return FDisplay; }
  void SetDisplay(TBackGroundDisplay Value) { FDisplay = Value; Changed(); }
  TBackGroundCells GetCells() const { return FCells; }
  void SetCells(TBackGroundCells Value) { FCells = Value; Changed(); }
  TBitmap* GetBitmap() const { return FBitmap.get(); }
  void SetBitmap(const TBitmap* Value);
  void Assign(const TPersistent* Source) override;

 private:
  void Changed();
  TGridView* FGrid;
  int FTop = 0, FLeft = 0;
  TBackGroundDisplay FDisplay = bdTile;
  TBackGroundCells FCells = bcNormal;
  std::unique_ptr<TBitmap> FBitmap;
};

class TGrouping : public TPersistent {
  KV_CLASS(TGrouping, TPersistent)
 public:
  TColor HeaderColor = clNone, HeaderColorTo = clNone, HeaderTextColor = clNone;
  TColor SummaryColor = clNone, SummaryColorTo = clNone, SummaryTextColor = clNone;
  bool MergeHeader = false, MergeSummary = false, Summary = false;
};

// The drag-and-drop switches of the grid.
class TDragDropSettings : public TPersistent {
  KV_CLASS(TDragDropSettings, TPersistent)
 public:
  explicit TDragDropSettings(TGridView* AGrid = nullptr) : FGrid(AGrid) {}
  TGridView* Grid() const { return FGrid; }
  // At run time the grid's window registers as a drop target (or is revoked).
  bool GetOleDropTarget() const { return OleDropTarget; }
  void SetOleDropTarget(bool Value);
  // Rich text is offered and preferred in drops (a switch of all grids).
  bool GetOleDropRTF() const { return FOleDropRTF; }
  void SetOleDropRTF(bool Value);
  bool OleAcceptFiles = true, OleAcceptText = true;
  bool OleDropTarget = false, OleDropSource = false;
  bool OleEntireRows = false, OleRemoveRows = false, OleInsertRows = false, OleCopyAlways = false,
       OleColumnDragDrop = false;

 private:
  TGridView* FGrid;
  bool FOleDropRTF = false;
};

// Settings of the footer strip under the cells (drawn by TFooterPanel): the
// grid's last row kept in view (fsFixedLastRow), a preview of one cell of
// the current row, or a markup template filled from the current row.
class TFloatingFooter : public TPersistent {
  KV_CLASS(TFloatingFooter, TPersistent)
 public:
  explicit TFloatingFooter(TGridView* AGrid = nullptr) : FGrid(AGrid) {}
  bool GetVisible() const { return FVisible; }
  // Shows or hides the panel (its height the footer height - 1); FixedFooters
  // becomes 1 when it shows in style fsFixedLastRow, else 0.
  void SetVisible(bool Value);
  TFooterStyle GetFooterStyle() const { return FFooterStyle; }
  void SetFooterStyle(TFooterStyle Value);
  int GetColumn() const { return FColumn; }
  void SetColumn(int Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  const std::string& GetCustomTemplate() const { return FCustomTemplate; }
  void SetCustomTemplate(const std::string& Value);
  // The footer height in pixels (set by the grid; follows DefaultRowHeight).
  int Height = 21;
  // The hide-last-row state: the grid's last row shows only in the footer.
  bool ShowsLastRow() const { return FVisible && FFooterStyle == fsFixedLastRow; }

 private:
  TGridView* FGrid;
  bool FVisible = false;
  TFooterStyle FFooterStyle = fsFixedLastRow;
  int FColumn = 0;
  TColor FColor = clBtnFace;
  std::string FCustomTemplate;
};

// ================================================================ companion classes

// One hidden row: its all-rows index, its height and its cell texts.
class TGridItem : public TCollectionItem {
  KV_CLASS(TGridItem, TCollectionItem)
 public:
  explicit TGridItem(TCollection* Collection);
  ~TGridItem() override;
  int Idx = 0;
  int Height = 0;
  TStrings* GetItems() const { return FItems.get(); }
  // The list becomes the item's own.
  void SetItems(TStringList* Value);

 private:
  std::unique_ptr<TStringList> FItems;
};

class TGridItemCollection : public TCollection {
  KV_CLASS(TGridItemCollection, TCollection)
 public:
  explicit TGridItemCollection(TPersistent* AOwner = nullptr)
      : TCollection(TGridItem::StaticClass(), ItemFactoryOf<TGridItem>(), AOwner) {}
  TGridItem* Item(int Index) const { return ItemAs<TGridItem>(Index); }
};

class TFilterData : public TCollectionItem {
  KV_CLASS(TFilterData, TCollectionItem)
 public:
  explicit TFilterData(TCollection* Collection) : TCollectionItem(Collection) {}
  int16_t Column = 0;
  std::string Condition;
  bool CaseSensitive = true;
  std::string Prefix, Suffix;
  TFilterOperation Operation = foNONE;
};

class TFilter : public TCollection {
  KV_CLASS(TFilter, TCollection)
 public:
  explicit TFilter(TGridView* AGrid = nullptr);
  TFilterData* Item(int Index) const { return ItemAs<TFilterData>(Index); }
  TFilterData* AddFilter() { return static_cast<TFilterData*>(Add()); }
};

// The graphic of a cell, kept in the cell's properties.
class TCellGraphic : public TPersistent {
  KV_CLASS(TCellGraphic, TPersistent)
 public:
  TCellGraphic() = default;
  ~TCellGraphic() override;
  TCellType CellType = TCellType::ctNone;
  TObject* CellObject = nullptr;  // bitmap, option list, index list, picture, glyph
  TGraphic* CellIcon = nullptr;
  // The image of ctBitmap, ctPicture, ctFilePicture and ctBitButton (images
  // are no TObject); owned like CellObject when CellCreated.
  TGraphic* CellImage = nullptr;
  TCellVAlign CellVAlign = vaTop;
  TCellHAlign CellHAlign = haLeft;
  int CellIndex = 0;
  bool CellTransparent = false;
  bool CellCreated = false;
  bool CellBoolean = false;
  int CellAngle = 0;
  double CellValue = 0;
  int16_t CellErrFrom = 0, CellErrLen = 0;
  std::string CellText;
  // Progress cells: bar and background colours, and the text colours over
  // them (used when CellBoolean is set).
  TColor CellColor = clRed, CellColorTo = clWhite, CellTextColor = clWhite, CellTextColorTo = clBlack;
  void SetCheckBox(bool Value, bool Data, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
  // Copies everything but the object and icon references.
  void Assign(const TPersistent* Source) override;
};

// ================================================================ event types

enum class TCellBorder { cbLeft, cbTop, cbRight, cbBottom };
using TCellBorders = Flags<TCellBorder>;
using enum TCellBorder;

using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, std::string& HintStr)>;
using TGridColorEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush& ABrush, TFont& AFont)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen& APen, TCellBorders& Borders)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
enum class TSortStyle { ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU,
  ssShortDateUS, ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox,
  ssUnicode };
using TCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;
using TClickSortEvent = std::function<void(TObject* Sender, int ACol)>;
using TCustomCompareEvent = std::function<void(TObject* Sender, const std::string& Str1, const std::string& Str2, int& Res)>;
using TRawCompareEvent = std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)>;
using TGridFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle, std::string& APrefix,
                                            std::string& ASuffix)>;
using TGetEditorTypeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TCellValidateEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Valid)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TGridProgressEvent = std::function<void(TObject* Sender, int16_t Progress)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int ARow)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TFloatFormatEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, std::string& FloatFormat)>;
using TAutoRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanDelete)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& S)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen& LeftPen, TPen& TopPen,
                                                TPen& RightPen, TPen& BottomPen)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas& Canvas, int ACol, int ARow,
                                                TGridDrawState AState, const TRect& ARect, bool Printing)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardPasteCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Allow)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
using TCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;

// The grid's text editor: filters typed and pasted characters by the cell's
// editor type, completes from the lookup list, validates through the grid
// before the cell is left and takes the cell's colours and merged rectangle.
class TGridInplaceEdit : public TInplaceEdit {
  KV_CLASS(TGridInplaceEdit, TInplaceEdit)
 public:
  explicit TGridInplaceEdit(TComponent* AOwner);
  int16_t LengthLimit = 0;
  bool GetVAlign() const { return FVAlign; }
  void SetVAlign(bool Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TGridView* Grid() const { return FGridView; }
  // The window's style from the grid and the cell (recreating the window).
  void CreateParams();
  void UpdateContents();
  void BoundsChanged();
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Pastes the clipboard's plain text as the editor type allows.
  void PasteFromClipboard();
  void CopyToClipboard();
  void CutToClipboard();
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void DoEnter() override;
  void DoExit() override;
  void DblClick() override;
  // Focus moved to a window other than the grid.
  void FocusLeftGrid();
  // Set when a caret-positioning click opened the editor.
  bool OpenedByClick = false;
  TPoint ClickPoint{-1, -1};
  bool NumPadKey = false;  // the next character comes from the numeric keypad

 private:
  // Message-level filter of a typed character; false when it is dropped.
  bool FilterChar(TKeyChar& Key);
  // The Up, Down and Enter rule: validate, and on refusal keep the cell.
  bool ValidateOrKeep();
  void CompleteFromLookup();
  void ReportCaret();
  TGridView* FGridView = nullptr;
  bool FVAlign = false;
  bool FWordWrap = false;
  bool FLookupDone = false;
  bool FCompletionAllowed = true;
  bool FDropReturn = false;  // a refused Enter key-down also drops its character
};

// The edit box placed over a fixed cell to edit it; when it loses the focus
// its text goes back into that cell and it hides.
class TGridTransEdit : public TEdit {
  KV_CLASS(TGridTransEdit, TEdit)
 public:
  explicit TGridTransEdit(TComponent* AOwner);
  int Col = -1, Row = -1;
  TGridView* Grid() const { return FGrid; }
  void DoExit() override;
  // Writes the text into the cell and hides the box.
  void Finish();

 private:
  TGridView* FGrid = nullptr;
};

// ================================================================ markup hint window and footer panel

// The grid's hint window: the hint text is markup, drawn by the markup renderer
// in a 3-D frame.
class THTMLHintWindow : public THintWindow {
  KV_CLASS(THTMLHintWindow, THintWindow)
 public:
  explicit THTMLHintWindow(TComponent* AOwner);
  // The measured markup: (0, 0, text width, text height).
  TRect CalcHintRect(int MaxWidth, const std::string& Hint) override;
  // Sized to the text measured 1008 pixels wide (+ 16 and + 4), kept on the
  // screen, shown above every window without the focus.
  void ActivateHint(TRect Rect, const std::string& Hint) override;
  void Paint() override;
  // Rect moved left and up so that it ends 2 pixels before the right and
  // bottom edges of Screen where it would pass them.
  static TRect KeepOnScreen(TRect Rect, const TRect& Screen);
};

// The strip under the cells that shows the floating footer.
class TFooterPanel : public TCustomControl {
  KV_CLASS(TFooterPanel, TCustomControl)
 public:
  explicit TFooterPanel(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  void Paint() override;

 private:
  // The width of the fixed columns and the columns from the left column on.
  int ColumnsWidth() const;
  void PaintLastRow(TCanvas& C, int W);
  void PaintPreviewFrame(TCanvas& C, int W);
  TGridView* FGrid = nullptr;
};

// ================================================================ the control

class TGridView : public TBaseGrid {
  KV_CLASS(TGridView, TBaseGrid)
 public:
  explicit TGridView(TComponent* AOwner);
  ~TGridView() override;
  void BeforeDestruction() override;
  // The grid's own parts (editor controls, footer panel, move arrows) are made
  // by its constructor and are never written as children of a stored grid.
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
  void Loaded() override;
  // The row indicator picture is stored as "RowIndicator" (its BMP bytes).
  void DefineProperties(TFiler& Filer) override;
  void Invalidate() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // ---- counts and fixed cells
  void SetRowCount(int Value);
  void SetColCount(int Value);
  int GetFixedRows() const override;
  int GetFixedCols() const override;
  int GetFixedColWidth() const { return GetColWidths(0); }
  void SetFixedColWidth(int Value);
  int GetFixedRowHeight() const { return FFixedRowHeight; }
  void SetFixedRowHeight(int Value);
  void SetDefaultRowHeight(int Value);
  int GetFixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value);
  int GetFixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(int Value);
  bool FixedRowAlways = false;
  bool FixedColAlways = false;
  // The fixed-row count FixedRowAlways keeps (remembered by Loaded).
  int RememberedFixedRows() const { return FFixedRowsRemembered; }

  // ---- look
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TVAlignment GetVAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  // The vertical text flag drawing uses: 0 top, 4 centre, 8 bottom.
  int VAlignFlag() const { return FVAlignFlag; }
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  TGridLook GetLook() const { return FLook; }
  void SetLook(TGridLook Value);
  TColor GetSelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value);
  TColor GetSelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value);
  bool GetSelectionRectangle() const { return FSelectionRectangle; }
  void SetSelectionRectangle(bool Value);
  bool GetSelectionResizer() const { return FSelectionResizer; }
  void SetSelectionResizer(bool Value);
  bool GetShowSelection() const { return FShowSelection; }
  void SetShowSelection(bool Value);
  bool GetActiveCellShow() const { return FActiveCellShow; }
  void SetActiveCellShow(bool Value);
  TColor GetActiveCellColor() const { return FActiveCellColor; }
  void SetActiveCellColor(TColor Value);
  TFont* GetActiveCellFont() const { return FActiveCellFont.get(); }
  void SetActiveCellFont(const TFont* Value);
  TFont* GetFixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(const TFont* Value);
  bool GetURLShow() const { return FURLShow; }
  void SetURLShow(bool Value);
  TColor GetURLColor() const { return FURLColor; }
  void SetURLColor(TColor Value);
  bool GetURLFull() const { return FURLFull; }
  void SetURLFull(bool Value);
  TImageList* GetGridImages() const { return FGridImages; }
  void SetGridImages(TImageList* Value);
  bool GetHovering() const { return FHovering; }
  void SetHovering(bool Value);
  int GetMaxEditLength() const { return FMaxEditLength; }
  void SetMaxEditLength(int Value);
  TStringList* GetLookupItems() const { return FLookupItems.get(); }
  void SetLookupItems(const TStrings* Value);
  TStringList* GetColumnHeaders() const { return FColumnHeaders.get(); }
  void SetColumnHeaders(const TStrings* Value);
  TStringList* GetRowHeaders() const { return FRowHeaders.get(); }
  void SetRowHeaders(const TStrings* Value);
  TBitmap* GetRowIndicator() const { return FRowIndicator.get(); }
  void SetRowIndicator(const TBitmap* Value);
  TBackGround* GetBackGround() const { return FBackGround.get(); }
  void SetBackGround(const TBackGround* Value);
  bool GetIntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  TScrollType ScrollType = TScrollType::ssNormal;
  TColor ScrollColor = clNone;
  int ScrollWidth = 16;
  bool ScrollProportional = false;
  TGridViewCheck* GetCellChecker() const { return FCellChecker; }
  void SetCellChecker(TGridViewCheck* Value);
  TComponent* GetPictureContainer() const { return FPictureContainer; }
  void SetPictureContainer(TComponent* Value);

  // Plain behaviour flags read by drawing, editing, mouse and keys.
  bool AnchorHint = false, AutoNumAlign = false, EnhTextSize = false, EditWithTags = false, EnhRowColMove = true,
       SizeWithForm = false, Multilinecells = false, EnableBlink = false, EnableHTML = true, EnableWheel = true,
       ExcelStyleDecimalSeparator = false, OemConvert = false, Lookup = false, LookupCaseSensitive = false,
       LookupHistory = false, FixedAsButtons = false, HideFocusRect = false, HintShowCells = false,
       HintShowLargeText = false, HintShowSizing = false, HTMLHint = false, IntelliZoom = true, URLEdit = false,
       ScrollSynch = false, ScrollHints = false, SelectionRTFKeep = false;
  TScrollHintType ScrollHintsType = shNone;
  TIntelliPan IntelliPan = ipVertical;
  TColor HintColor = clInfoBk;
  std::string FloatFormat = "%.2f";
  char PasswordChar = '*';
  bool ShowZeroDates = true;
  bool FixedCellReach = true;
  int DefaultListItem = -1;
  bool XPTheme() const { return FXPTheme; }
  int WheelScrollLines() const { return FWheelScrollLines; }
  int WheelMessage() const { return FWheelMessage; }
  int CellMarginX() const { return FCellMarginX; }
  int CellMarginY() const { return FCellMarginY; }
  int MinColWidth = 0, MaxColWidth = 0, MinRowHeight = 0, MaxRowHeight = 0;
  bool AutoSizeGrowOnly = false;
  int ZoomFactor = 0;
  // The grouping column; -1 when the grid is not grouped.
  int GroupColumn = -1;
  // Number of node rows.
  int NodeCount = 0;
  std::string HyperlinkCursorName;

  // ---- owned settings objects
  TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
  TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
  THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
  TSortSettings* SortSettings() const { return FSortSettings.get(); }
  TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
  TControlLook* ControlLook() const { return FControlLook.get(); }
  TNavigation* Navigation() const { return FNavigation.get(); }
  TColumnSize* ColumnSize() const { return FColumnSize.get(); }
  TCellNode* CellNode() const { return FCellNode.get(); }
  TBands* Bands() const { return FBands.get(); }
  TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  TGrouping* Grouping() const { return FGrouping.get(); }
  TFilter* Filter() const { return FFilter.get(); }
  TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }
  // Row indices before the last sort, one per displayed row (empty: never sorted).
  TIntList* SortOrder() const { return FSortOrder.get(); }
  TIntList* MergeColumns() const { return FMergeColumns.get(); }
  TGridItemCollection* HiddenRows() const { return FHiddenRows.get(); }
  TArrowWindow* ArrowWindow(int Direction) const { return FArrows[Direction]; }
  TPopupButton* PopupButton() const { return FPopupButton; }
  TTimer* HoverTimer() const { return FHoverTimer; }

  // ---- column widths in a settings store
  void SaveColumnSizes();
  void LoadColumnSizes();

  // ---- redraw suspension and small repaints
  void SuspendRedraw() { ++FUpdateCount; }
  void ResumeRedraw();
  int RedrawSuspended() const { return FUpdateCount; }
  void RedrawRow(int ARow) { InvalidateRow(ARow); }
  void RepaintFooter();
  int FooterRepaints() const { return FFooterRepaints; }
  // The thumbs in proportion (when asked for) and the bars' scroll messages hooked.
  void UpdateScrollBars();
  void DrawThemedBorder() {}
  void SkipNextInvalidate() { FSkipInvalidate = true; }
  int InvalidateCount() const { return FInvalidateCount; }

  // ---- hooks (the grid's answer first, then the owner's event)
  virtual void DoGridHint(int ARow, int ACol, std::string& HintStr);
  virtual void DoGetCellColor(int ARow, int ACol, TGridDrawState AState, TBrush& ABrush, TFont& AFont);
  virtual void DoGetCellPrintColor(int ARow, int ACol, TGridDrawState AState, TBrush& ABrush, TFont& AFont);
  virtual void DoGetCellBorder(int ARow, int ACol, TPen& APen, TCellBorders& Borders);
  virtual void DoGetCellPrintBorder(int ARow, int ACol, TPen& APen, TCellBorders& Borders);
  virtual void DoGetAlignment(int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void DoGetFormat(int ACol, TSortStyle& AStyle, std::string& APrefix, std::string& ASuffix);
  virtual void DoGetEditorType(int ACol, int ARow, TEditorType& AEditor);
  virtual void DoIsFixedCell(int ARow, int ACol, bool& IsFixed);
  virtual void DoCanEditCell(int ARow, int ACol, bool& CanEdit);
  virtual void DoIsPasswordCell(int ARow, int ACol, bool& IsPassword);
  virtual std::string DoGetCheckTrue(int ACol, int ARow);
  virtual std::string DoGetCheckFalse(int ACol, int ARow);
  virtual bool HasColumnFilterButton(int /*ACol*/) { return false; }
  virtual void DoCanAddRow(bool& CanAdd);
  virtual void DoCanInsertRow(int ARow, bool& CanInsert);
  virtual uint32_t VersionNumber() const;
  virtual std::string VersionText() const;
  bool IsFixedCell(int ACol, int ARow) override;
  virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
  virtual void EditCaretMoved(const std::string& /*Text*/, int /*Position*/) {}
  virtual void PasteFinished() {}
  virtual void ColumnHeadersChanging() {}

  TGridHintEvent OnGridHint;
  TGridColorEvent OnGetCellColor;
  TGridColorEvent OnGetCellPrintColor;
  TGridBorderEvent OnGetCellBorder;
  TGridBorderEvent OnGetCellPrintBorder;
  TGridAlignEvent OnGetAlignment;
  TGridFormatEvent OnGetFormat;
  TGetEditorTypeEvent OnGetEditorType;
  TIsFixedCellEvent OnIsFixedCell;
  TCanEditCellEvent OnCanEditCell;
  TIsPasswordCellEvent OnIsPasswordCell;
  TGetCheckEvent OnGetCheckTrue;
  TGetCheckEvent OnGetCheckFalse;
  TCanAddRowEvent OnCanAddRow;
  TCanInsertRowEvent OnCanInsertRow;
  TRowChangingEvent OnRowChanging;
  TColChangingEvent OnColChanging;
  TCellChangingEvent OnCellChanging;
  TCellValidateEvent OnCellValidate;
  TCheckBoxClickEvent OnCheckBoxClick;
  TGridProgressEvent OnFilterProgress;
  TUpdateColumnSizeEvent OnUpdateColumnSize;
  TEndRowSizeEvent OnEndRowSize;
  TCellsChangedEvent OnCellsChanged;
  TFloatFormatEvent OnGetFloatFormat;
  std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)> OnSelectionChanged;
  TNotifyEvent OnEditingDone;

  TCursor Cursor = crDefault;
  TCursor HyperlinkCursor = crDefault;
  // Remembers the selection and sets it to the empty rectangle beyond the last cell.
  void ParkSelection();
  void RestoreSelection();

  // ---- hidden columns (real columns 0..511 can hide; hidden ones are kept
  // behind the last displayed column, in real order)
  static constexpr int MaxHideableCols = 512;
  bool IsColumnHidden(int ARealCol) const;
  int HiddenColumnCount() const { return FHiddenColCount; }
  void HideColumn(int ARealCol);
  void UnHideColumn(int ARealCol);
  int RealColIndex(int ADisplayedCol) const;
  int DisplayedColIndex(int ARealCol) const;
  int RealCurrentCol() const { return RealColIndex(GetCol()); }
  int AllColCount() const { return GetColCount() + FHiddenColCount; }

  // ---- hidden rows and the three row indices
  int AllRowsIndex(int ADisplayedRow) const;
  int DisplayedRowOf(int AAllRowsIndex) const;
  bool IsRowHidden(int AAllRowsIndex) const;
  int HiddenRowCount() const { return FHiddenRows->Count(); }
  void HideRowRange(int AFrom, int ATo);
  // Displayed rows in increasing order.
  void HideRowList(const std::vector<int>& ARows);
  void UnhideAllRows();
  void UnhideRowRange(int AFrom, int ATo);
  // The all-rows index of a displayed row, through the sort-order list first.
  int UnsortedRowIndex(int ARow) const;
  // The displayed row of a pre-sort row index; -1 when a recorded sort order lacks it.
  int DisplayedRowIndex(int APreSortRow) const;
  void SetCellAllRows(int ARealCol, int AAllRowsIndex, const std::string& Value);
  TStrings* HiddenRowStrings(int AAllRowsIndex) const;
  bool IsCellSelected(int ACol, int ARow);
  virtual std::string GetCurrentCellText();
  virtual void SetCurrentCellText(const std::string& Value);
  TControl* CellControls(int ACol, int ARow) const;
  TColor CellColors(int ACol, int ARow) const;
  bool CellReadOnly(int ACol, int ARow);
  TAlignment CellAlignments(int ACol, int ARow) const;
  // Disjunct selection flags. EGridViewError "Invalid row accessed" for a row
  // outside 0 .. RowCount + hidden rows - 1.
  bool RowSelected(int ARow);
  void SetRowSelected(int ARow, bool Value);
  bool ColSelected(int ACol);
  void SetColSelected(int ACol, bool Value);
  void SelectRowRange();

  // ---- node rows
  bool RowIsNode(int ARow);
  bool RowIsSummary(int ARow);
  bool NodeIsContracted(int ARow);
  int RowNodeLevel(int ARow);
  int RowNodeSpan(int ARow);
  int RowNodeIndent(int ARow) override;
  bool HasNodes() override { return NodeCount > 0; }
  bool PointInNodeGlyph(int ARow, int X);
  int RowTreeLineKind(int ARow);
  void ContractNode(int AAllRowsIndex);
  void ExpandNode(int AAllRowsIndex);
  void ExpandAllNodes();
  void ContractAllNodes();

  // ---- filter and footer
  virtual bool RowPassesFilter(int ARow);
  void ApplyFilter();
  bool GetFilterActive() const { return FFilterActive; }
  void SetFilterActive(bool Value);
  virtual void CalcFooterColumns(int ACol);
  virtual void RecalcFooter(int ACol) { CalcFooterColumns(ACol); }
  void LastRowChanged() override;

  // ---- merged columns
  void SplitAllColumns();
  void MergeListedColumns();
  void SplitColumnCells(int ACol);
  void MergeColumnCells(int ACol, bool MainMerge);

  // ---- rows and columns
  virtual void InsertRows(int ARow, int ACount);
  void RemoveRows(int ARow, int ACount);
  void RemoveRowsKeepObjects(int ARow, int ACount);
  virtual void RemoveRowsWithHidden(int ARow, int ACount);
  virtual void RemoveRowsShifted(int ARow, int ACount);
  void RemoveSelectedRows();
  void AddRow();
  virtual void InsertCols(int ACol, int ACount);
  virtual void RemoveCols(int ACol, int ACount);
  virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
  void ClearRows(int ARow, int ACount);
  void ClearCols(int ACol, int ACount);
  void ClearAll();
  bool ClearMapsHiddenColumns = false;
  bool ClearKeepsProperties = false;
  bool ClearDetachesObjects = false;
  virtual void DoCellsChanged(const TRect& R);
  // The pending-edit flag (an edit is open).
  bool EditPending = false;

  // ---- statistics, sizing, swapping
  // Rows that take part: all, except node and summary rows of a grouped grid.
  bool RowTakesPart(int ARow);
  double ColumnSum(int ACol, int FromRow, int ToRow);
  // Sum over the rows that take part divided by their number; 0 when none.
  double ColumnAvg(int ACol, int FromRow, int ToRow);
  // From the first row that takes part; 0 when none does.
  double ColumnMin(int ACol, int FromRow, int ToRow);
  double ColumnMax(int ACol, int FromRow, int ToRow);
  // Width and height of a cell text in the canvas font: plain, multi-line
  // (CR LF or LF) and wide text; WrapWidth > 0 wraps words at that width.
  TSize CellTextSize(TCanvas& Canvas, const std::string& Text, int WrapWidth);
  TSize MeasureCell(int ACol, int ARow, bool ForRow);
  void AutoSizeColumn(int ACol, bool GrowOnly);
  void AutoSizeRow(int ARow, bool GrowOnly);
  void AutoSizeCol(int ACol) { AutoSizeColumn(ACol, AutoSizeGrowOnly); }
  void AutoSizeRowDefault(int ARow) { AutoSizeRow(ARow, AutoSizeGrowOnly); }
  void AutoSizeColumns(bool DoFixedCols, int Extra);
  void SetRowHeightForLines(int ARow, int Lines, int Extra);
  int MaxLineCount(int ARow);
  virtual void SwapRows(int ARow1, int ARow2);
  int SwapCount() const { return FSwapCount; }
  // The row followed through swaps (-1: none).
  int TrackedRow = -1;
  void RotatedTextOrigin(TCanvas& Canvas, TRect& R, int Angle, TAlignment HAlign, TVAlignment VAlign,
                         const std::string& Text);
  std::string GetStrippedText(int ACol, int ARow);
  // The text without its HTML tags.
  static std::string StripTags(const std::string& Text);
  void RepaintRange(const TGridRect& G);

  // ---- cell graphics and typed values
  virtual TCellGraphic* CellGraphicOf(int ACol, int ARow);
  virtual TCellType CellTypeOf(int ACol, int ARow);
  bool IsCheckCell(int ACol, int ARow);
  bool IsToggleCell(int ACol, int ARow);
  bool IsRadioCell(int ACol, int ARow);
  TStrings* RadioItems(int ACol, int ARow);
  bool RadioSelection(int ACol, int ARow, int& Index);
  bool IsButtonCell(int ACol, int ARow);
  bool CellComment(int ACol, int ARow, std::string& Text);
  void CellErrorRange(int ACol, int ARow, int& From, int& Length);
  bool CellRotation(int ACol, int ARow, int& Angle);
  TIntList* CellImageList(int ACol, int ARow);
  // The bitmap of ctBitmap, the icon of ctIcon (as objects) or the index of ctImageList; else -1.
  intptr_t CellGraphicRef(int ACol, int ARow);
  TCellGraphic* NewCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphic(int ACol, int ARow);
  bool FreeCellGraphic(int ACol, int ARow) { return RemoveCellGraphic(ACol, ARow); }
  void AddCellCheckBox(int ACol, int ARow, bool State, bool Data);
  // A radio group: the options, the selection (negative: the cell text is the selection).
  void AddRadio(int ACol, int ARow, bool SideBySide, const std::vector<std::string>& Options, int Selected);
  void SetGraphicBoolean(int ACol, int ARow, bool Value);
  bool GetCheckBoxState(int ACol, int ARow, bool& State);
  bool SetCheckBoxState(int ACol, int ARow, bool State);
  virtual bool ToggleCheckBox(int ACol, int ARow, bool Ask);
  bool StepRadio(int ACol, int ARow, bool Ask);
  bool PointInCheckBox(int ACol, int ARow, int X, int Y);
  bool CellControlRect(int ACol, int ARow, TRect& R);
  virtual TSize GraphicSize(int ACol, int ARow);
  virtual TSize PrintGraphicSize(int ACol, int ARow, double PrintScale);
  TSize GraphicExtent(int ACol, int ARow) { return GraphicSize(ACol, ARow); }
  int CellInt(int ACol, int ARow);
  double CellFloat(int ACol, int ARow);
  void SetCellFloat(int ACol, int ARow, double Value);
  void SetCellDate(int ACol, int ARow, TDateTime Value);


  // ---- cell painting
  // The cell's font, brush and alignment; ColorTo is the second gradient
  // colour (clNone: none); AState may gain gdSelected and gdFixed.
  void ResolveCellStyle(int ACol, int ARow, TFont& AFont, TBrush& ABrush, TColor& ColorTo, TGridDrawState& AState,
                        bool MapColumn, bool AllowSelection, bool Printing, TAlignment& HAlign, TVAlignment& VAlign);
  void CellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
  void CellVisuals(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap, TFont& Font,
                   TColor& GradientTo, TBrush& Brush, bool Screen, bool SelectedLook, bool Print,
                   TGridDrawState& State) override;
  void DrawCellBody(TCanvas& Canvas, int ACol, int ARow, TRect R, TGridDrawState State) override;
  virtual std::string FormattedCellText(int ACol, int ARow);
  virtual std::string FormulaText(int ACol, int ARow);
  virtual std::string ExportCellText(int ACol, int ARow);
  virtual void StoreCellText(int ACol, int ARow, const std::string& Value);
  // The size the cell's text needs (automatic sizing, large-text hints).
  TSize CellTextSize(int ACol, int ARow, bool WrapInColumn);
  void DrawSortGlyph(TCanvas& Canvas, int ACol, int X, int Y);
  void DrawFlatBorder();
  // A dotted XOR line at client x; drawing it twice removes it.
  void DrawSizingLine(int X);
  void Paint() override;
  // The grid's paint cycle onto Canvas (the window's picture without its child windows).
  void PaintInto(TCanvas& Canvas) { PaintThrough(Canvas, [this] { Paint(); }); }
  // ExportCellText reads the cell text (off: the stored text) and keeps HTML tags (off: strips them).
  bool ExportUsesCellText = true, ExportKeepsTags = true;
  bool BlinkPhase = false;
  TColor CommentColor = clRed;
  TColor SelectionOutlineColor = clBlack;
  // A mouse selection is being dragged (set by the mouse handling).
  bool MouseSelecting = false;
  // Whether the grid has the keyboard focus, as painting sees it.
  virtual bool IsGridFocused() const { return Focused(); }

  // ---- cell graphics and cell controls
  struct TGraphicLayout {
    TCellGraphic* Graphic = nullptr;
    int Width = 0, Height = 0;
    bool TextBeside = true;
    TCellHAlign HAlign = haLeft;
    TCellVAlign VAlign = vaTop;
  };
  // ACol is a real column.
  TGraphicLayout CellGraphicSize(int ACol, int ARow);
  // Draws the graphic of real column ACol into the cell rectangle; TextWidth
  // is the measured text width + 2 (0: not measured).
  void DrawCellGraphic(TCanvas& Canvas, int ACol, int ARow, const TRect& ARect, TCellGraphic& Graphic,
                       TAlignment TextAlign, int TextWidth, bool Selected);
  void DrawCheckBox(TCanvas& Canvas, const TRect& ARect, bool Checked, bool Enabled, TControlStyle Style);
  void DrawRadioGroup(TCanvas& Canvas, const TRect& ARect, int Count, int Selected, TStrings* Items, bool Disabled,
                      bool Horizontal, const std::string& CellTextValue, bool SelectedCell);
  // The can-edit test: the cell's ReadOnly property with goEditing, then OnCanEditCell.
  bool CellCanEdit(int ACol, int ARow);
  // Where the graphic of w x h lands in the cell (placement rules of graphics and check boxes).
  TPoint PlaceGraphic(const TRect& ARect, const TCellGraphic& G, int W, int H, TAlignment TextAlign, int TextWidth);

  // ---- editing cycle
  TEditorType EditorType() const { return FEditorType; }
  bool EditorInUse() const { return FEditorInUse; }
  bool Validating() const { return FValidating; }
  bool EditingSuspended() const { return FEditingSuspended; }
  const std::string& TextBeforeEditing() const { return FTextBeforeEditing; }
  // Validation of the edited text before another cell becomes current.
  virtual bool ValidateCell(const std::string& NewText);
  virtual bool ValidateCellWide(const std::u16string& NewText);
  virtual void DoCellValidate(int ACol, int ARow, std::string& Value, bool& Valid);
  std::function<void(TObject* Sender, int ACol, int ARow, std::u16string& Value, bool& Valid)> OnCellValidateWide;
  bool ValidateEdit(const std::string& Text) { return ValidateCell(Text); }
  virtual void RememberCellValue(int ACol, int ARow);
  void ShowCellEditor(int ACol, int ARow);
  void HideCellEditor(int ACol, int ARow);
  void HideEditorControl();
  void RestoreOriginalText();
  void StoreEditedText(int ARealCol, int ARow, const std::string& Text);
  bool CanEditCellAt(int ACol, int ARow);
  bool CellIsFixed(int ACol, int ARow);
  bool IsPasswordCell(int ACol, int ARow);
  TGridInplaceEdit* InplaceEditor() const;
  void AdvanceCell(int ACol, int ARow, bool Forward, bool ShowEditor, bool Forced);
  // ---- dedicated editor controls, custom editor link, rich-text cells
  //      (GridView_Editors.cpp, GridView_EditLink.cpp, GridView_RichText.cpp)
  // The editor controls (none on a grid being designed: all pointers empty).
  const TGridEditorControls& EditorControls() const;
  // Whether one of the dedicated editor controls (or a custom editor) is open.
  bool EditorControlShowing() const;
  TEditLink* GetEditLink() const;
  void SetEditLink(TEditLink* Value);
  // The list editor's item when the cell text is none of its items (-1: the first).
  int DefaultComboIndex = -1;
  // Set by a caret-positioning press in the cell: a combo editor puts its caret under the cursor.
  bool PendingCaret = false;
  std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)> OnSpinClick;
  std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)> OnFloatSpinClick;
  std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)> OnDateSpinClick,
      OnTimeSpinClick;
  std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const std::string& ASelection)> OnComboChange;
  TCellEvent OnComboCloseUp;
  std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const std::string& ASelection,
                     TObject* AObject)>
      OnComboObjectChange;
  std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)> OnGetEditorProp;
  // Hides the editor control and hands Key to the grid: Tab and the arrows
  // move the current cell, Enter advances.
  void EditorKeyToGrid(uint16_t Key, TShiftState Shift);
  std::string DoEllipsClick(const std::string& Text) { return EllipsClick(Text); }
  bool ValidateEditWide(const std::u16string& Text) { return ValidateCellWide(Text); }
  std::u16string GetCellTextWide(int ACol, int ARow) const;
  void SetCellTextWide(int ACol, int ARow, const std::u16string& Value);
  bool HasWideTextPrefix(int ACol, int ARow) const;
  // Rich text: the cell loaded into a rich edit (an empty cell clears it), the
  // edit saved as RTF (empty when it is empty), the plain text of a cell text.
  void LoadRichText(int ACol, int ARow, TRichEdit& Editor);
  std::string GetRichText(const TRichEdit& Editor) const;
  std::string RichTextToPlain(const std::string& Text);
  void DrawRichTextCell(int ACol, int ARow, const TRect& ARect, TCanvas& ACanvas);
  // The size a rich-text cell's content asks for, with the cell margins.
  TSize RichCellSize(int ACol, int ARow);
  // A grid switch that validates even an unchanged text.
  bool ForceValidation = false;
  // The character that opened the editor (0: none).
  TKeyChar PendingChar = 0;

  // ---- keyboard, hooks and the update lock
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void DoEnter() override;
  void DoExit() override;
  void Click() override;
  // The grid got (lost) the keyboard focus; FromWindow is the window it came from.
  void FocusGained(TWinControl* FromWindow);
  void FocusLost();
  virtual void EditorCaretMoved(const std::string& Text, TPoint CaretPoint, int CaretPos);
  virtual void AutoInsertRow(int ARow);
  virtual void AutoDeleteRow(int ARow);
  virtual void ColumnChanged(int ACol);
  virtual void AllColumnsChanged();
  virtual void CellsChanged(const TRect& R);
  int FindRowByPrefix(const std::string& UpperPrefix);
  void TabToNextCell(bool Backwards);
  int FirstNavigableCol();
  int VisibleFixedRightCols();
  void BeginUpdate();
  void BeginUpdateQuiet() { ++FUpdateCount; }
  void EndUpdate();
  void ResetUpdate() { FUpdateCount = 0; }
  int UpdateCount() const { return FUpdateCount; }
  int PaintCount() const { return FPaintCount; }
  // ---- clipboard and cell streams (GridView_Clipboard.cpp)
  // The selection (or the selected rows or columns of a disjunct selection) as text.
  virtual void CutToClipboard();
  virtual void CopyToClipboard();
  // Pastes at the selection's top-left cell, then the smart fill.
  virtual void PasteFromClipboard();
  // Pastes the best clipboard format at a cell; the number of cells pasted.
  int PasteAt(int ACol, int ARow);
  // Parses TAB / CR LF text into cells; the number of fields pasted.
  int PasteText(int ACol, int ARow, const std::string& Text);
  // Columns (X) and rows (Y) of a TAB / CR LF text block.
  static TPoint TextBlockSize(const std::string& Text);
  // The clipboard text of a range (with the rich-text format when switched on).
  void CopyTextRange(const TRect& R, bool Disjunct);
  void CopyRichTextCell(int ACol, int ARow);
  // The text of a range as it goes to the clipboard.
  std::string RangeClipboardText(const TRect& R, bool Disjunct);
  // ---- the grid's own cell format (GridView_CellStream.cpp)
  // Writes the cells of R (texts, properties, graphics, widths and heights).
  void SaveCellsToStream(const TRect& R, TStream& S);
  // Reads a cell stream whole and checks it, then puts its cells at Origin
  // (cells that would fall outside the grid are skipped); a damaged stream
  // raises EReadError and changes nothing.
  void LoadCellsFromStream(TPoint Origin, TStream& S);
  // Adds the cells of R to the clipboard as "TGridView Cells".
  void CopyCellsFormat(const TRect& R);
  // The number that marks the cell streams this grid writes.
  int GridID() const;
  // Called after every paste with the copy origin ((-1, -1) for cells of another grid).
  virtual void PasteNotify(TPoint Origin, const TRect& PastedRect, bool LastOpCopy);
  virtual void SetDisplayedCellText(int ACol, int ARow, const std::string& Value);
  bool IsWideCell(int ACol, int ARow) const { return HasWideTextPrefix(ACol, ARow); }
  std::u16string WideCells(int ACol, int ARow) const;
  void SetWideCells(int ACol, int ARow, const std::u16string& Value) { SetCellTextWide(ACol, ARow, Value); }
  TPoint CopyOrigin() const { return FCopyOrigin; }
  bool LastOpCopy() const { return FLastOpCopy; }
  // Ranges, streams and imports include the fixed rows and columns.
  bool IncludeFixedCells = false;
  // A cell of more than one line is copied as one quoted field.
  bool QuoteMultiLineCells = false;
  std::function<void(TObject* Sender, int ACol, int ARow, std::u16string& Value, bool& Allow)>
      OnClipboardBeforePasteWideCell;
  TGridProgressEvent OnFileProgress;
  // ---- delimited text import (GridView_Import.cpp)
  // Loads a CSV file in place of the data rows; EGridViewError "Cannot open
  // file <name>" (grid unchanged) when it cannot be read.
  void LoadFromCSV(const std::string& FileName) { LoadCSVFile(FileName, false); }
  // With Append the file's rows follow the existing rows.
  void LoadCSVFile(const std::string& FileName, bool Append);
  // Loads the used range of a workbook's sheet (empty name: the active sheet)
  // through the spreadsheet server; EGridViewError "Excel OLE server not
  // found" without one, "Excel worksheet <name> not found" for a missing sheet.
  void LoadFromXLS(const std::string& FileName) { LoadXLSFile(FileName, ""); }
  void LoadXLSFile(const std::string& FileName, const std::string& SheetName);
  // The field delimiter of CSV files; 0 detects it on every load.
  char Delimiter = 0;
  // A "~" inside a CSV field stands for a line break.
  bool TildeLineBreaks = false;
  std::function<void(TObject* Sender, TPoint Origin, const TRect& PastedRect, bool LastOpCopy)> OnPasteNotify;
  // The grid's timer tick: hovering and blinking.
  void TimerTick();
  // Size message handling (stretch column, SynchWithGrid).
  void SizeMessage();
  void Resize() override;
  std::string SearchText;  // the incremental-search text
  bool NumPadKey = false;  // the next character comes from the numeric keypad
  int CursorMode = 0;

  TAutoRowEvent OnAutoInsertRow, OnAutoDeleteRow, OnAutoAddRow;
  TColumnSizeEvent OnAutoInsertCol;
  TCanDeleteRowEvent OnCanDeleteRow;
  TClipboardEvent OnClipboardCut, OnClipboardCopy, OnClipboardPaste;
  TClipboardPasteCellEvent OnClipboardBeforePasteCell;
  TRadioClickEvent OnRadioClick;
  TCellEvent OnDblClickCell;
  TColumnSizeEvent OnEndColumnSize;
  TGridBorderPropEvent OnGetCellBorderProp;
  TCustomCellDrawEvent OnCustomCellDraw;

  // ---- scroll bars, proportional thumbs and scroll hints
  void SetScrollType(TScrollType Value);
  void SetScrollColor(TColor Value);
  void SetScrollWidth(int Value);
  void SetScrollProportional(bool Value);
  // The flat scroll bars of the desktop's control library; there is none
  // here, so the flat styles keep standard bars with the same ranges.
  void InitFlatScrollBars();
  void DoneFlatScrollBars();
  bool FlatScrollBarsOn() const { return FFlatBarsOn; }
  void ApplyScrollStyle();
  void ApplyScrollColor();
  void ApplyScrollWidth();
  void ApplyFlatScrollBars();
  void SyncFlatVertScroll();
  void SyncFlatHorzScroll();
  void UpdateProportionalHorz();
  void UpdateProportionalVert();
  // The scroll message of a bar: hints, synchronous scrolling, then the bar's own handling.
  void ScrollMessage(TScrollBarKind Kind, TScrollCode Code, int& Pos);
  // The hint shown beside the cursor while a thumb is dragged (empty: none).
  const std::string& ScrollHintText() const { return FScrollHintText; }
  bool ScrollHintShown() const { return FScrollHintShown; }
  std::function<void(TObject* Sender, int AIndex, std::string& HintStr)> OnScrollHint;

  // ---- panning, wheel and editor hand-back
  bool Panning() const { return FPanning; }
  TPoint PanOrigin() const { return FPanOrigin; }
  // Middle-button panning from a client point; false when it cannot start.
  bool StartPanning(int X, int Y);
  void StopPanning();
  // One tick of the panning timer with the pointer at a client point.
  void PanTick(TPoint Pointer);
  // Changes the zoom step by Z (the step stays within -10..10) and every size by Z.
  void Zoom(int Z);
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void ShowEditorUnlessControl();
  void EditingDone();
  void EditorReturnKey(uint16_t Key, TShiftState Shift);
  virtual std::string EllipsClick(const std::string& Text);
  TEllipsClickEvent OnEllipsClick;
  TTimer* PanTimer() const { return FPanTimer; }
  TGridTransEdit* FixedCellEditor() const { return FTransEdit; }

  // ---- sorting
  virtual void SortByColumn();
  // EGridViewError "No indexes specified for indexed sort" for an empty sort index.
  virtual void SortByIndexes();
  virtual void SortNodes();
  virtual void RestoreUnsortedOrder();
  void ResetUnsortedOrder();
  // Forgets the last sort: the rows as they are become the unsorted order and
  // no column shows the sort glyph.
  void ForgetSortOrder();
  int CompareCells(int ACol, int Row1, int Row2);
  int CompareRows(int ACol, int Row1, int Row2);
  int CompareRowsIndexed(int Depth, int Row1, int Row2);
  // The sort a header click starts: the rows where the button went down and
  // came up, the clicked (displayed) column and the shift state.
  void HeaderClickSort(int DownRow, int UpRow, int ACol, TShiftState Shift, bool MoveEnded);
  // ---- mouse buttons on cells
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  // The tooltip of the cell under a client point: text and screen position;
  // false over no cell.
  bool CellHint(int X, int Y, std::string& Text, TPoint& ScreenPos);
  // Disjunctly selected cells, each packed as column | row << 16.
  const std::vector<int32_t>& SelectedCells() const { return FSelectedCells; }
  bool IsDisjunctCellSelected(int ACol, int ARow) const;
  // What the pointer hovers: 0 nothing, 1 column header, 2 row header, 3 top-left corner, 5 resize handle.
  int HoverTarget() const { return CursorMode; }
  const std::string& HoveredAnchor() const { return FHoverAnchor; }
  std::function<void(TObject* Sender, int ARow, int ACol, const std::string& Anchor)> OnAnchorEnter, OnAnchorExit;
  std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowSize;
  std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnMove;
  std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowMove;
  // The left double click at a client point.
  void DoubleClickAt(int X, int Y);
  // A radio group's item at a point relative to the cell.
  void ClickRadioAt(int ACol, int ARow, int Y, int X);
  void EditFixedCell(int ACol, int ARow);
  // Opens an anchor: "CELL://RnCm" moves to the cell; http, https and
  // mailto addresses go to the desktop; anything else opens nothing.
  void OpenAnchor(const std::string& Anchor);
  // Replaces the drag a press and move start (none: StartOleDrag).
  std::function<void(TGridView* Grid)> DragStartHook;
  TCellEvent OnClickCell, OnRightClickCell;
  TCheckBoxClickEvent OnCheckBoxMouseUp;
  TRadioClickEvent OnRadioMouseUp;
  std::function<void(TObject* Sender, int ACol, int ARow)> OnButtonClick;
  std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeExpandNode, OnBeforeContractNode;
  std::function<void(TObject* Sender, int ARow, int ARowReal)> OnExpandNode, OnContractNode;
  std::function<void(TObject* Sender, int ARow, int ACol, const std::string& Anchor, bool& AutoHandle)> OnAnchorClick;
  std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnSize;
  std::function<void(TObject* Sender, const TGridRect& OrigSelection, const TGridRect& NewSelection)>
      OnSelectionResize;
  int64_t SortTime() const { return FSortTime; }
  int64_t CompareCount() const { return FCompareCount; }
  TCanSortEvent OnCanSort;
  TClickSortEvent OnClickSort;
  TCustomCompareEvent OnCustomCompare;
  TRawCompareEvent OnRawCompare;

  // ---- sizing, navigation bounds, disjunct selection, repaint helpers, headers
  void StretchColumnToFit(int ACol);
  virtual void DoUpdateColumnSize(int ACol, int& AWidth);
  virtual void DoAutoColumnSize(int ACol, int& AWidth);
  bool OnSizingBorder(int X, int Y);
  void GotoCellCentred(int ACol, int ARow);
  void CellAtScreenPoint(TPoint P, int& ACol, int& ARow);
  void MoveColumnTo(int FromIndex, int ToIndex) { MoveColumn(FromIndex, ToIndex); }
  void MoveRowTo(int FromIndex, int ToIndex) { MoveRow(FromIndex, ToIndex); }
  int FirstNavCol() const { return FixedCellReach ? 0 : GetFixedCols(); }
  int FirstNavRow() const { return FixedCellReach ? 0 : GetFixedRows(); }
  int LastNavCol() const { return FixedCellReach ? GetColCount() - 1 : GetColCount() - FFixedRightCols - 1; }
  int LastNavRow() const { return FixedCellReach ? GetRowCount() - 1 : GetRowCount() - FFixedFooters - 1; }
  void StashSelection() { ParkSelection(); }
  bool SelectionStashed() const { return FSelectionSaved; }
  void ClearRowSelection();
  void ClearColSelection();
  void SelectRowsFromRange(bool AllRows);
  void SelectColsFromRange(bool AllCols);
  void InvalidateOneCell(int ACol, int ARow) { RepaintCell(ACol, ARow); }
  void InvalidateCellRange(const TGridRect& R);
  void RedrawCol(int ACol) { InvalidateCol(ACol); }
  void RepaintActiveHeaders(int OldCol, int OldRow, int NewRow, int NewCol);
  void ApplyColumnHeaders();
  void ClearHeaderRow();
  void ApplyRowHeaders();
  void ClearHeaderColumn();
  // User resize state (the mouse handling sets it while a border is dragged).
  bool ColumnResizing = false, RowResizing = false;
  int SizedCol = -1, SizedRow = -1, SizedColWidth = 0, SizedRowHeight = 0;
  bool WidthsChanged = false;

 protected:
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  bool CanEditShow() override;
  bool SelectCell(int ACol, int ARow) override;
  int GetEditLimit() override { return FMaxEditLength; }

 public:
 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void InitWidget() override;
  TInplaceEdit* CreateEditor() override;
  virtual void OnTimerTick() { TimerTick(); }
  void FontChanged() override;
  TSize PictureSize(const TCellGraphic& G, int ACol, int ARow, int PicWidth, int PicHeight);
  void RepaintDisplayed(int ACol, int ARow);
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  // Runs Body with ColCount raised by the hidden columns (their cells move
  // along) and puts the count and the last column's width back afterwards.
  template <class F>
  void WithHiddenColumns(F&& Body);
  // Moves the strings and height of row From to row To (all stored columns).
  void CopyRow(int From, int To);

  int FUpdateCount = 0;

 private:
  void FormResized(TObject* Sender);
  void ColumnHeadersChanged();
  void RowHeadersChanged();
  void MergeColumnsChanged();
  std::unique_ptr<TCustomIniFile> OpenColumnStore() const;

  TFooterPanel* FFooterPanel = nullptr;
  std::unique_ptr<TFloatingFooter> FFloatingFooter;
  std::unique_ptr<TPrintSettings> FPrintSettings;
  std::unique_ptr<THTMLSettings> FHTMLSettings;
  std::unique_ptr<TSortSettings> FSortSettings;
  std::unique_ptr<TDragDropSettings> FDragDropSettings;
  std::unique_ptr<TControlLook> FControlLook;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TColumnSize> FColumnSize;
  std::unique_ptr<TCellNode> FCellNode;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TGrouping> FGrouping;
  std::unique_ptr<TStringList> FColumnHeaders;
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FActiveCellFont;
  std::unique_ptr<TStringList> FRowHeaders;
  std::unique_ptr<TStringList> FSwapList;
  std::unique_ptr<TStringList> FLookupItems;
  std::unique_ptr<TSortIndexList> FSortIndexes;
  std::unique_ptr<TIntList> FSortOrder;
  std::unique_ptr<TIntList> FSortWork1, FSortWork2;
  std::unique_ptr<TIntList> FMergeColumns;
  std::unique_ptr<TBitmap> FRowIndicator;
  std::unique_ptr<TBackGround> FBackGround;
  std::unique_ptr<TGridItemCollection> FHiddenRows;
  std::unique_ptr<TFilter> FFilter;
  std::vector<TObject*> FLinkedObjects;
  // Dedicated editor controls (GridView_Editors.cpp).
  void CreateEditorControls();
  void ShowEditorControl(int ACol, int ARow);
  void HideEditorControlValue(int ACol, int ARow);
  void ShowEditLink(int ACol, int ARow, const TRect& R, TColor Color, const std::string& Text, TKeyChar Pending);
  void HideEditLink(int ARealCol, int ARow);
  std::shared_ptr<TGridEditorControls> FEditorControls;
  WeakRef<TComponent> FEditLink;
  std::string FEditLinkStartText;
  std::unique_ptr<TIntList> FExtraList;
  std::array<TArrowWindow*, 4> FArrows{};
  TPopupButton* FPopupButton = nullptr;
  TTimer* FHoverTimer = nullptr;

  TForm* FOwnerForm = nullptr;
  TNotifyEvent FChainedFormResize;
  bool FFormResizeInstalled = false;
  int FFormWidth = 0, FFormHeight = 0;
  TCursor FSavedCursor = 0;
  bool FCursorSaved = false;

  int FFixedRowHeight = 21;
  int FFixedFooters = 0, FFixedRightCols = 0;
  int FFixedRowsRemembered = 0;
  bool FWordWrap = true;
  TVAlignment FVAlignment = vtaTop;
  int FVAlignFlag = 0;
  bool FAutoSize = false, FFlat = false;
  TGridLook FLook = glXP;
  TColor FSelectionColor = 0xEACAB6, FSelectionTextColor = clBlack;
  bool FSelectionRectangle = false, FSelectionResizer = false, FShowSelection = true;
  bool FActiveCellShow = false;
  TColor FActiveCellColor = clGray;
  bool FURLShow = false, FURLFull = false;
  TColor FURLColor = clBlue;
  TImageList* FGridImages = nullptr;
  bool FHovering = false;
  int FMaxEditLength = 0;
  bool FIntegralHeight = false;
  TGridViewCheck* FCellChecker = nullptr;
  TComponent* FPictureContainer = nullptr;
  bool FXPTheme = false;
  int FWheelScrollLines = 3, FWheelMessage = 522;
  int FCellMarginX = 2, FCellMarginY = 2;
  TColor FLookColor1 = clNone, FLookColor2 = clNone;
  int FMinAutoRowHeight = 0, FMinAutoColWidth = 0;
  bool FSkipInvalidate = false;
  int FInvalidateCount = 0;
  int FFooterRepaints = 0;
  bool FSelectionSaved = false;
  TGridRect FSavedSelection;
  std::array<bool, MaxHideableCols + 1> FHiddenCols{};  // true: visible
  int FHiddenColCount = 0;
  bool FFilterActive = false;
  int FFilterFixedRows = 0;
  std::vector<bool> FRowSelected, FColSelected;
  int FSwapCount = 0;
  bool FMerging = false;
  // Editing cycle.
  friend class TGridInplaceEdit;
  void DrawCellContent(TCanvas& Canvas, int ACol, int ARealCol, int ARow, TRect R, TGridDrawState State,
                       TAlignment HAlign, TVAlignment VAlign, const TGraphicLayout& Layout, int& TextWidth);
  void DrawCellBorders(TCanvas& Canvas, int ACol, int ARow, TRect R);
  void DrawFixedEdges(TCanvas& Canvas, int ACol, int ARealCol, int ARow, TRect R);
  void DrawTreeLines(TCanvas& Canvas, int ARow, const TRect& R);
  bool CellDrawnSelected(int ACol, int ARow, TGridDrawState State);
  void SkipFixedCellsKey(uint16_t& Key);
  bool HandleTypedChar(TKeyChar& Key);
  void GridKeyPress(TKeyChar& Key);
  void DisjunctKeys(uint16_t Key, TShiftState Shift);
  void ToggleCellControl(int ACol, int ARow);
  TEditorType FEditorType = edNormal;
  bool FEditorInUse = false;
  bool FValidating = false;
  bool FEditingSuspended = false;
  bool FInAdvance = false;
  bool FEditorShown = false;
  bool FEditorOpen = false;
  std::string FTextBeforeEditing;
  int FRememberedCol = 0, FRememberedRow = 0;
  std::string FRememberedText;
  std::u16string FRememberedWide;
  TGridRect FLastSelection{};
  int FPaintCount = 0;
  int FPreviousWidth = -1;
  bool FStretchAllowed = true;
  // Sorting.
  template <class Sorter>
  void SortFrame(bool ClearIndex, bool Nodes, Sorter&& Sort);
  void QuickSortRows(int ACol, int Lo, int Hi);
  void QuickSortRowsIndexed(int Lo, int Hi);
  void QuickSortByKeyList(std::vector<int>& Keys, int Lo, int Hi);
  void CopyPivot(int From);
  TSortStyle ResolveAutomatic(int ACol);
  int64_t FSortTime = 0, FCompareCount = 0;
  std::vector<int> FAutoStyles;  // the automatic style of each column during a sort (-1: not decided)
  bool FSorting = false;
  int FDownCol = -1, FDownRow = -1;
  bool FButtonDown = false, FSelectOnRelease = false, FToggleRowOnRelease = false, FToggleColOnRelease = false;
  bool FMovedOrSized = false, FBorderDblClick = false;
  TGridCoord FPressedButton{-1, -1};
  int FToggleRow = -1, FToggleCol = -1;
  int FPressLeftCol = 0;
  TGridRect FOrigSelection{};
  bool FSelectionResizePending = false;
  // Scroll bars.
  void HookScrollBars();
  void TopLeftChanged() override;
  bool FFlatBarsOn = false;
  bool FScrollHintShown = false;
  std::string FScrollHintText;
  // Panning and cell controls.
  bool FPanning = false;
  TPoint FPanOrigin{0, 0};
  TTimer* FPanTimer = nullptr;
  TCursor FCursorBeforePan = crDefault;
  bool FReturning = false;
  TGridTransEdit* FTransEdit = nullptr;
  // Mouse movement.
  void PressWrapped(TMouseButton Button, TShiftState Shift, int X, int Y);
  void ReleaseWrapped(TMouseButton Button, TShiftState Shift, int X, int Y);
  bool CanSizeBorder(int X, int Y, bool IsColumn, int Index) override;
  std::vector<int32_t> FSelectedCells;
  std::string FHoverAnchor;
  TPoint FPressPoint{0, 0};
  bool FPendingDrag = false;
  TPoint FCopyOrigin{0, 0};
  mutable int FGridID = 0;
  bool FLastOpCopy = true;
  // The smart fill after a paste of N cells.
  void SmartFill(int N);
  bool PasteCellAllowed(int ACol, int ARow, std::string& Value);
  TGridCoord FHintCell{-1, -1};
  int FHeaderAnchor = -1;
  TGridCoord FLastTopLeft{-1, -1};
  std::array<TScrollBar*, 2> FHookedBars{};
  std::array<std::function<void(TObject*, TScrollCode, int&)>, 2> FBarHandlers;

  // ---- drag and drop (GridView_DragDrop.cpp)
 public:
  // Drags the selection (or, from a header with OleColumnDragDrop, the
  // column) under the client point to wherever the person drops it.
  void StartOleDrag(int X, int Y);
  // The text a drag of the selection carries.
  std::string SelectionDragText();
  // The grid's drop target (none unless OleDropTarget is on at run time).
  TGridDropTarget* DropTarget() const { return FDropTarget.get(); }
  bool DropTargetRegistered() const { return FDropRegistered; }
  // The selection a running text drag started from (moved down by rows
  // inserted above it in this grid).
  const TRect& DragSourceRange() const { return FDragSourceRange; }
  std::function<void(TObject* Sender, int ARow, int ACol, const std::string& Data, bool& Allow)> OnOleDrag,
      OnOleDrop;
  std::function<void(TObject* Sender, int ARow, int ACol)> OnOleDragStart;
  std::function<void(TObject* Sender, int OLEEffect)> OnOleDragStop;
  std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)> OnOleDragOver;
  std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)> OnOleDropCol;
  std::function<void(TObject* Sender, int ARow, int ACol, const std::string& FileName, bool& Allow)> OnOleDropFile;
  std::function<void(TObject* Sender, const TRect& ARect)> OnOleDropped;

 private:
  friend class TDragDropSettings;
  friend class TGridDropTarget;
  friend class TGridDropSource;
  void UpdateDropTarget();
  void DropHideFeedback();
  void DropTextAt(TPoint P, const std::string& Text);
  void DropRtfAt(TPoint P, const std::string& Text);
  void DropColumnAt(TPoint P, int Column);
  void DropFilesAt(TPoint P, const std::vector<std::string>& Files);
  void DragMoveAt(TPoint P, bool& Allow, int Formats);
  void FinishTextMove(int Effect);
  std::unique_ptr<TGridDropTarget> FDropTarget;
  bool FDropRegistered = false;
  bool FDraggingText = false;
  TRect FDragSourceRange{0, 0, -1, -1};
  TRect FOwnDropRect{0, 0, -1, -1};  // where this grid's own drag was dropped into it (empty: elsewhere)

  // ---- markup cells, the markup hint window and the footer panel
 public:
  THTMLPictureCache* PictureCache() const { return FPictureCache.get(); }
  TFooterPanel* FooterPanel() const { return FFooterPanel; }
  // Shows the panel as the footer settings say (height, visibility, FixedFooters).
  void UpdateFooterPanel();
  // The footer's template with each "<#N>" replaced by column N of the current
  // row; a placeholder that is no number is dropped; after a "<#" without ">"
  // the rest stays as it is.
  std::string ExpandFooterTemplate(const std::string& Template);
  // The markup hint window (made on first use) showing Text at a screen point;
  // an empty text hides it.
  THTMLHintWindow* HtmlHintWindow();
  void ShowHtmlHint(TPoint ScreenPos, const std::string& Text, int MaxWidth = 200);
  // Draws a markup text into R as a cell shows it; answers the right edge of the text.
  // PressedAt: the point of a press holding a BUTTON control down ({-1, -1}: none).
  int DrawHtmlText(TCanvas& C, const TRect& R, const std::string& Text, bool Selected, TColor UrlColor,
                   TPoint PressedAt = TPoint{-1, -1});
  // The size of a markup cell text laid out Width wide (65535 when not wrapping).
  TSize HtmlTextSize(TCanvas& C, const std::string& Text, int Width);
  // The hit test of a markup cell (displayed column) at a client point;
  // false when the cell holds no markup or nothing is hit.
  bool HtmlHitTest(int ACol, int ARow, int X, int Y, GvHTMLE::THtmlRenderResult& Hit);
  // A press on a markup cell: an anchor fires OnAnchorClick and is opened, a
  // check box control changes its value in the cell text. False when nothing was hit.
  bool HtmlCellClick(int ACol, int ARow, int X, int Y);
  // The anchor of a markup cell under a client point (empty: none).
  std::string HtmlAnchorAt(int ACol, int ARow, int X, int Y);
  // The control edit or combo of a markup cell was left: its text becomes the
  // control's value in the cell and the editor hides.
  void CellControlEditDone();
  // The editors of EDIT and COMBO controls in markup cells (made on first use).
  TEdit* ControlEdit();
  TEditComboBox* ControlCombo();
  // The cell whose markup BUTTON is held down ({-1, -1}: none).
  TGridCoord PressedHtmlButton() const { return FHtmlButtonCell; }
  // The control a control editor edits: its cell, id and type (empty: none open).
  TGridCoord ControlEditCell() const { return FControlCell; }
  const std::string& ControlEditType() const { return FControlType; }
  using TCellControlEvent = std::function<void(TObject* Sender, int ARow, int ACol, const std::string& CtrlID,
                                               const std::string& CtrlType, const std::string& CtrlVal)>;
  TCellControlEvent OnControlClick, OnControlEditDone;
  std::function<void(TObject* Sender, int ARow, int ACol, const std::string& CtrlID, const std::string& CtrlType,
                     const std::string& CtrlVal, TStringList* Values, bool& Edit, int& DropCount)>
      OnControlComboList;

 private:
  void HtmlOptions(GvHTMLE::THtmlRenderOptions& O, TColor UrlColor);
  std::unique_ptr<THTMLPictureCache> FPictureCache = std::make_unique<THTMLPictureCache>();
  THTMLHintWindow* FHtmlHint = nullptr;
  TEdit* FControlEdit = nullptr;
  TEditComboBox* FControlCombo = nullptr;
  TGridCoord FHtmlButtonCell{-1, -1};
  TPoint FHtmlPressPoint{-1, -1};
  TGridCoord FControlCell{-1, -1};
  std::string FControlId, FControlType;
  void ShowControlEditor(int ACol, int ARow, const GvHTMLE::THtmlRenderResult& Hit);
  bool FCellHintShown = false;

 protected:
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;

  // ---- cell hints, column and row moves by the mouse, pressed fixed cells,
  // fixed-column sizing (GridView_Mouse.cpp)
 public:
  // The hint of the cell under P (CellHint); none while panning.
  // Shows the hint itself in the markup hint window (HintText stays empty).
  bool HintAt(TPoint P, std::string& HintText, TRect& CursorRect) const override;
  void MouseLeave() override;
  // Whether the markup hint window shows a cell hint.
  bool CellHintShown() const { return FCellHintShown; }
  // A column (1) or row (2) being moved by the mouse; 0 none.
  int MoveKind() const { return FMoveKind; }
  int MoveSource() const { return FMoveFrom; }
  int MoveTarget() const { return FMoveTo; }
  // The fixed cell drawn pressed while the button is down ({-1, -1}: none).
  TGridCoord PressedFixedCell() const { return FPressedFixed; }
  // The fixed column sized by the mouse (-1: none) and the x of its sizing line.
  int FixedSizingCol() const { return FFixedSizing ? FFixedSizingCol : -1; }
  int FixedSizingX() const { return FFixedSizingX; }

 protected:
  // The grid moves columns and rows itself, so that OnColumnMove and OnRowMove can cancel a move.
  bool BeginColumnDrag(int /*Origin*/) override { return false; }
  bool BeginRowDrag(int /*Origin*/) override { return false; }

 private:
  bool StartMove(int ACol, int ARow, int X, int Y);
  void TrackMove(int X, int Y);
  void EndMove(bool Drop);
  void ShowMoveFeedback(int X, int Y);
  void HideMoveFeedback();
  bool TrackFixedColSizing(int X, int Y);
  void SetPressedFixed(TGridCoord Cell);
  int FMoveKind = 0, FMoveFrom = -1, FMoveTo = -1;
  TPoint FMoveOffset{0, 0};
  bool FMoveDragged = false;
  TGridCoord FPressedFixed{-1, -1};
  bool FFixedSizing = false, FFixedSizeArmed = false;
  int FFixedSizingCol = -1, FFixedSizingX = -1;
  bool FHintBeforePan = false;
  int FHeaderDragKind = 0;  // the hover target (1 columns, 2 rows) a header drag extends
};
