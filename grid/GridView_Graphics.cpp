// Cell graphics (check boxes, radio groups, pictures and others), their sizes
// and the typed reading and writing of cell values.

#include "grid/GridView.h"

#include "grid/GridUtil.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsCheckType(TCellType T) {
  return T == TCellType::ctCheckBox || T == TCellType::ctDataCheckBox || T == TCellType::ctVirtCheckBox;
}

int Round(double V) { return static_cast<int>(std::lround(V)); }

}  // namespace

// ================================================================ reading

TCellGraphic* TGridView::CellGraphicOf(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || ARow >= GetRowCount()) return nullptr;
  return dynamic_cast<TCellGraphic*>(GetCellGraphicObject(ACol, ARow));
}

TCellType TGridView::CellTypeOf(int ACol, int ARow) {
  const TCellGraphic* g = CellGraphicOf(ACol, ARow);
  return g ? g->CellType : TCellType::ctEmpty;
}

bool TGridView::IsCheckCell(int ACol, int ARow) {
  const TPoint o = BaseCell(ACol, ARow);
  return IsCheckType(CellTypeOf(o.X, o.Y));
}

bool TGridView::IsToggleCell(int ACol, int ARow) {
  const TPoint o = BaseCell(ACol, ARow);
  const TCellType t = CellTypeOf(o.X, o.Y);
  return IsCheckType(t) || t == TCellType::ctRadio;
}

bool TGridView::IsRadioCell(int ACol, int ARow) {
  const TPoint o = BaseCell(ACol, ARow);
  return CellTypeOf(o.X, o.Y) == TCellType::ctRadio;
}

TStrings* TGridView::RadioItems(int ACol, int ARow) {
  const TPoint o = BaseCell(ACol, ARow);
  TCellGraphic* g = CellGraphicOf(o.X, o.Y);
  return g && g->CellType == TCellType::ctRadio ? dynamic_cast<TStrings*>(g->CellObject) : nullptr;
}

bool TGridView::RadioSelection(int ACol, int ARow, int& Index) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g || g->CellType != TCellType::ctRadio) return false;
  Index = g->CellIndex;
  return true;
}

bool TGridView::IsButtonCell(int ACol, int ARow) {
  const TPoint o = BaseCell(ACol, ARow);
  const TCellType t = CellTypeOf(o.X, o.Y);
  return t == TCellType::ctButton || t == TCellType::ctBitButton;
}

bool TGridView::CellComment(int ACol, int ARow, std::string& Text) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g || g->CellType != TCellType::ctComment) return false;
  Text = g->CellText;
  return true;
}

void TGridView::CellErrorRange(int ACol, int ARow, int& From, int& Length) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  From = g ? g->CellErrFrom : 0;
  Length = g ? g->CellErrLen : 0;
}

bool TGridView::CellRotation(int ACol, int ARow, int& Angle) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g || g->CellType != TCellType::ctRotated) return false;
  Angle = g->CellAngle;
  return true;
}

TIntList* TGridView::CellImageList(int ACol, int ARow) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  return g && g->CellType == TCellType::ctImages ? dynamic_cast<TIntList*>(g->CellObject) : nullptr;
}

intptr_t TGridView::CellGraphicRef(int ACol, int ARow) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g) return -1;
  switch (g->CellType) {
    case TCellType::ctBitmap: return reinterpret_cast<intptr_t>(g->CellImage);
    case TCellType::ctIcon: return reinterpret_cast<intptr_t>(g->CellIcon);
    case TCellType::ctImageList: return g->CellIndex;
    default: return -1;
  }
}

// ================================================================ writing

void TGridView::RepaintDisplayed(int ACol, int ARow) {
  const int d = DisplayedColIndex(ACol);
  if (d >= 0 && d < GetColCount()) RepaintCell(d, ARow);
}

TCellGraphic* TGridView::NewCellGraphic(int ACol, int ARow) {
  RemoveCellGraphic(ACol, ARow);
  auto* g = new TCellGraphic();
  SetCellGraphicObject(ACol, ARow, g);
  if (FHiddenColCount > 0) RepaintDisplayed(ACol, ARow);
  return g;
}

bool TGridView::RemoveCellGraphic(int ACol, int ARow) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g) return false;
  SetCellGraphicObject(ACol, ARow, nullptr);
  // A virtual check box's graphic may be shared between cells: only detached.
  if (g->CellType != TCellType::ctVirtCheckBox) delete g;
  return true;
}

void TGridView::AddCellCheckBox(int ACol, int ARow, bool State, bool Data) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  const TCellVAlign va = FVAlignment == vtaCenter ? vaCenter : FVAlignment == vtaBottom ? vaBottom : vaTop;
  g->SetCheckBox(State, Data, true, haBeforeText, va);
}

void TGridView::AddRadio(int ACol, int ARow, bool SideBySide, const std::vector<std::string>& Options,
                         int Selected) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  auto* items = new TStringList();
  for (const auto& o : Options) items->Add(o);
  g->CellType = TCellType::ctRadio;
  g->CellObject = items;
  g->CellCreated = true;
  g->CellBoolean = SideBySide;
  g->CellIndex = Selected;
  if (Selected >= 0 && Selected < items->Count()) SetCells(ACol, ARow, items->Get(Selected));
}

void TGridView::SetGraphicBoolean(int ACol, int ARow, bool Value) {
  const int real = RealColIndex(ACol);
  if (TCellGraphic* g = CellGraphicOf(real, ARow)) g->CellBoolean = Value;
  RepaintCell(ACol, ARow);
}

bool TGridView::GetCheckBoxState(int ACol, int ARow, bool& State) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g || !IsCheckType(g->CellType)) return false;
  State = g->CellType == TCellType::ctCheckBox ? g->CellBoolean
                                               : RawCellText(ACol, ARow) == DoGetCheckTrue(ACol, ARow);
  return true;
}

bool TGridView::SetCheckBoxState(int ACol, int ARow, bool State) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g || !IsCheckType(g->CellType)) return false;
  if (g->CellType == TCellType::ctCheckBox) {
    g->CellBoolean = State;
    RepaintDisplayed(ACol, ARow);
  } else {
    SetCells(ACol, ARow, State ? DoGetCheckTrue(ACol, ARow) : DoGetCheckFalse(ACol, ARow));
  }
  return true;
}

bool TGridView::ToggleCheckBox(int ACol, int ARow, bool Ask) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g || !IsCheckType(g->CellType)) return false;
  if (Ask) {
    bool can = true;
    DoCanEditCell(ARow, ACol, can);
    if (!can) return false;
  }
  if (g->CellType == TCellType::ctCheckBox) {
    g->CellBoolean = !g->CellBoolean;
  } else {
    const std::string yes = DoGetCheckTrue(ACol, ARow);
    SetCells(ACol, ARow, RawCellText(ACol, ARow) == yes ? DoGetCheckFalse(ACol, ARow) : yes);
  }
  RepaintDisplayed(ACol, ARow);
  return true;
}

bool TGridView::StepRadio(int ACol, int ARow, bool Ask) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g || g->CellType != TCellType::ctRadio) return false;
  if (Ask) {
    bool can = true;
    DoCanEditCell(ARow, ACol, can);
    if (!can) return false;
  }
  auto* items = dynamic_cast<TStrings*>(g->CellObject);
  if (!items || items->Count() == 0) return false;
  int next = g->CellIndex >= 0 ? g->CellIndex + 1 : items->IndexOf(RawCellText(ACol, ARow)) + 1;
  if (next >= items->Count()) next = 0;
  if (g->CellIndex >= 0) g->CellIndex = next;
  SetCells(ACol, ARow, items->Get(next));
  RepaintDisplayed(ACol, ARow);
  return true;
}

bool TGridView::PointInCheckBox(int ACol, int ARow, int X, int Y) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g || !IsCheckType(g->CellType)) return false;
  if (!FMouseActions->PreciseCheckBoxCheck) return true;
  const TRect r = CellRect(ACol, ARow);
  const int size = FControlLook->GetCheckSize();
  int top;
  switch (g->CellVAlign) {
    case vaBottom: top = r.Bottom - size - 2; break;
    case vaCenter: top = r.Top + (r.Height() - size) / 2; break;
    default: top = r.Top + 2; break;
  }
  int left = r.Left + 2;
  if (const TCellProperties* p = RawCellProperties(ACol, ARow)) {
    if (p->Alignment == TAlignment::taRightJustify) left = r.Right - size - 2;
    else if (p->Alignment == TAlignment::taCenter) left = r.Left + (r.Width() - size) / 2;
  }
  return TRect{left, top, left + size, top + size}.Contains(TPoint{X, Y});
}

bool TGridView::CellControlRect(int ACol, int ARow, TRect& R) {
  TCellGraphic* g = CellGraphicOf(RealColIndex(ACol), ARow);
  if (!g) return false;
  const TRect cell = CellRect(ACol, ARow);
  const auto packed = static_cast<uint32_t>(static_cast<int64_t>(g->CellValue));
  const int dx = static_cast<int>(packed & 0xFFFF), dy = static_cast<int>(packed >> 16);
  const auto size = static_cast<uint32_t>(g->CellIndex);
  const int w = static_cast<int>(size & 0xFFFF), h = static_cast<int>(size >> 16);
  R = TRect{cell.Left + dx, cell.Top + dy, cell.Left + dx + w, cell.Top + dy + h};
  if (g->CellVAlign == vaFull) {
    R.Top = cell.Top;
    R.Bottom = cell.Bottom;
  }
  if (g->CellHAlign == haFull) {
    R.Left = cell.Left;
    R.Right = cell.Right;
  }
  return true;
}

// ================================================================ sizes

TSize TGridView::PictureSize(const TCellGraphic& G, int ACol, int ARow, int PicWidth, int PicHeight) {
  const TSize cell = CellSize(ACol, ARow);
  const int aw = cell.cx - G.CellIndex, ah = cell.cy - G.CellIndex;
  double x = PicWidth > 0 ? static_cast<double>(aw) / PicWidth : 1.0;
  double y = PicHeight > 0 ? static_cast<double>(ah) / PicHeight : 1.0;
  const bool fits = PicWidth <= aw && PicHeight <= ah;
  auto proportional = [&](double px, double py) -> TSize {
    if (px >= py) return TSize{Round(PicWidth * py), ah};
    return TSize{aw, Round(PicHeight * px)};
  };
  switch (G.CellAngle & 0xFF) {
    case 1: return TSize{aw, ah};
    case 2: return proportional(x, y);
    case 3: return fits ? TSize{PicWidth, PicHeight} : TSize{aw, ah};
    case 4: return fits ? TSize{PicWidth, PicHeight} : proportional(std::min(x, 1.0), std::min(y, 1.0));
    default: return TSize{PicWidth, PicHeight};
  }
}

TSize TGridView::GraphicSize(int ACol, int ARow) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g) return TSize{0, 0};
  const bool textEmpty = RawCellText(ACol, ARow).empty();
  const bool beside = textEmpty || g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
  TSize s{0, 0};
  switch (g->CellType) {
    case TCellType::ctBitmap:
    case TCellType::ctIcon: {
      const auto* pic = g->CellType == TCellType::ctBitmap ? g->CellImage : g->CellIcon;
      if (pic) s = TSize{beside ? pic->GetWidth() : 0, pic->GetHeight()};
      break;
    }
    case TCellType::ctImageList:
    case TCellType::ctDataImage:
      if (FGridImages) s = TSize{beside ? FGridImages->GetWidth() : 0, FGridImages->GetHeight()};
      break;
    case TCellType::ctCheckBox:
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox: s = TSize{FControlLook->GetCheckSize(), FControlLook->GetCheckSize()}; break;
    case TCellType::ctRadio: {
      auto* items = dynamic_cast<TStrings*>(g->CellObject);
      if (!items) break;
      TCanvas& c = *GetCanvas();
      const int th = c.TextHeight("gh");
      if (g->CellBoolean) {
        int w = 0;
        for (int i = 0; i < items->Count(); ++i) w += c.TextWidth(items->Get(i)) + 12;
        s = TSize{w, th};
      } else {
        int w = 12;
        for (int i = 0; i < items->Count(); ++i) w = std::max(w, c.TextWidth(items->Get(i)) + 12);
        s = TSize{w, th * items->Count()};
      }
      break;
    }
    case TCellType::ctImages: {
      auto* list = dynamic_cast<TIntList*>(g->CellObject);
      if (!list || !FGridImages) break;
      const int n = list->Count(), iw = FGridImages->GetWidth(), ih = FGridImages->GetHeight();
      s = g->CellBoolean ? TSize{n * iw, ih} : TSize{iw, n * ih};
      break;
    }
    case TCellType::ctPicture:
    case TCellType::ctFilePicture: {
      const TGraphic* pic = g->CellImage;
      if (!pic) {
        if (const auto* p = dynamic_cast<TPicture*>(g->CellObject)) s = PictureSize(*g, ACol, ARow, p->GetWidth(), p->GetHeight());
        break;
      }
      s = PictureSize(*g, ACol, ARow, pic->GetWidth(), pic->GetHeight());
      break;
    }
    case TCellType::ctButton:
    case TCellType::ctBitButton: {
      const auto packed = static_cast<uint32_t>(g->CellIndex);
      s = TSize{static_cast<int>(packed & 0xFFFF), static_cast<int>(packed >> 16)};
      break;
    }
    case TCellType::ctProgressPie: s = TSize{20, 20}; break;
    default: break;
  }
  if (g->CellVAlign == vaFull) s.cy = CellSize(ACol, ARow).cy;
  if (g->CellHAlign == haFull) s.cx = CellSize(ACol, ARow).cx;
  return s;
}

TSize TGridView::PrintGraphicSize(int ACol, int ARow, double PrintScale) {
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g) return TSize{0, 0};
  switch (g->CellType) {
    case TCellType::ctBitmap:
    case TCellType::ctIcon: {
      const auto* pic = g->CellType == TCellType::ctBitmap ? g->CellImage : g->CellIcon;
      return pic ? TSize{pic->GetWidth(), pic->GetHeight()} : TSize{0, 0};
    }
    case TCellType::ctDataImage:
      return FGridImages ? TSize{FGridImages->GetWidth(), FGridImages->GetHeight()} : TSize{0, 0};
    case TCellType::ctPicture:
    case TCellType::ctFilePicture: {
      TSize s{0, 0};
      if (const TGraphic* pic = g->CellImage)
        s = PictureSize(*g, ACol, ARow, pic->GetWidth(), pic->GetHeight());
      else if (const auto* p = dynamic_cast<TPicture*>(g->CellObject))
        s = PictureSize(*g, ACol, ARow, p->GetWidth(), p->GetHeight());
      if (PrintScale > 0) s = TSize{Round(s.cx / PrintScale), Round(s.cy / PrintScale)};
      return s;
    }
    default: {
      // The screen sizes without the full-cell step.
      const TCellVAlign va = g->CellVAlign;
      const TCellHAlign ha = g->CellHAlign;
      g->CellVAlign = vaTop;
      if (ha == haFull) g->CellHAlign = haLeft;
      TSize s = GraphicSize(ACol, ARow);
      g->CellVAlign = va;
      g->CellHAlign = ha;
      return s;
    }
  }
}

// ================================================================ typed values

int TGridView::CellInt(int ACol, int ARow) {
  std::string s = CellText(ACol, ARow);
  if (s.empty()) s = "0";
  int32_t v = 0;
  if (!SysUtils::TryStrToInt(SysUtils::Trim(s), v)) throw EGridViewError("Cell does not contain integer value");
  return v;
}

double TGridView::CellFloat(int ACol, int ARow) {
  const std::string text = CellText(ACol, ARow);
  std::string s = GridUtil::NumberText(text);
  // A text without any digit is no number (only an empty cell reads as 0).
  if (s.find_first_of("0123456789") == std::string::npos && !SysUtils::Trim(text).empty())
    throw EGridViewError("Cell does not contain a float value");
  if (s.empty()) s = "0";
  TFormatSettings fs = ::FormatSettings;
  fs.DecimalSeparator = '.';
  fs.ThousandSeparator = ',';
  double v = 0;
  if (!SysUtils::TryStrToFloat(s, v, fs)) throw EGridViewError("Cell does not contain a float value");
  return v;
}

void TGridView::SetCellFloat(int ACol, int ARow, double Value) {
  SetCellText(ACol, ARow, SysUtils::Format(FloatFormat, {Value}));
}

void TGridView::SetCellDate(int ACol, int ARow, TDateTime Value) {
  SetCellText(ACol, ARow, Value > 0 || ShowZeroDates ? SysUtils::DateToStr(Value) : std::string());
}
