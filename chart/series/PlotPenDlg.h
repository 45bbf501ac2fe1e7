#pragma once
// The pen dialog and the pen button, the routines every editor form shares
// (editor dialogs centred on their owner, embedding an editor into a page,
// confirmations, number formats, list moves, cursor names), and the editor
// kit: a page bound to one edited object whose rows each bind a control to
// one property of it.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotCanvas.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TTabSheet;

// The owner-drawn style list of the pen dialog: its items, in the drop-down
// and in the closed box, come from OnDrawItem.
class TPenStyleCombo : public TComboFlat {
  KV_CLASS(TPenStyleCombo, TComboFlat)
public:
  explicit TPenStyleCombo(TComponent* Owner);
  // Draws item Index into Rect of Canvas (selected: highlighted background).
  std::function<void(TCanvas& Canvas, int32_t Index, const TRect& Rect, bool Selected)> OnDrawItem;
  // Paints every item one below the other (16 pixels each) into a bitmap.
  void PaintItems(TBitmap& Bitmap);
  // The rectangle of the closed box's item, in client coordinates.
  TRect EditRect() const;

protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  bool PaintsOverlay() const override { return true; }
  void PaintOverlay(TCanvas& Canvas) override;
};

class TPenDialog : public TForm {
  KV_CLASS(TPenDialog, TForm)
public:
  explicit TPenDialog(TComponent* Owner);
  ~TPenDialog() override;

  TCheckBox* CBVisible;
  TPenStyleCombo* CBStyle;
  TLabel* LWidth;
  TEdit* SEWidth;
  TUpDown* UDWidth;
  TButtonColor* BColor;
  TComboFlat* CBEndStyle;
  TButton* BOk;
  TButton* BCancel;

  TPen* EditedPen = nullptr;  // not owned
  std::unique_ptr<TChartPen> SavedPen;
  bool PenChanged = false;

  void FormShow(TObject* Sender);
  void SEWidthChange(TObject* Sender);
  void CBStyleChange(TObject* Sender);
  void CBStyleDrawItem(TCanvas& Canvas, int32_t Index, const TRect& Rect, bool Selected);
  void CBEndStyleChange(TObject* Sender);
  void CBVisibleClick(TObject* Sender);
  void BColorClick(TObject* Sender);
  void BCancelClick(TObject* Sender);
  void UpdateStyleEnabled();

private:
  TChartPen* ChartPen() const { return dynamic_cast<TChartPen*>(EditedPen); }
  bool FShowing = false;
};

// A button that shows a pen's line and opens the pen dialog for it.
class TButtonPen : public TPlotButton {
  KV_CLASS(TButtonPen, TPlotButton)
public:
  explicit TButtonPen(TComponent* Owner);
  void BindPen(TChartPen* Pen);
  TChartPen* GetPen() const;
  bool HideColorButton = false;
  void Click() override;
  void DrawSymbol(TPlotCanvas& Canvas) override;
  // The dialog while one is shown.
  TPenDialog* Dialog() const { return FDialog; }

private:
  TPenDialog* GetDialog();
  TPenDialog* FDialog = nullptr;
  TNotifyEvent FChainedDestroy;
};

// ============================================================================
// Editor kit
// ============================================================================

enum class TEditorRowKind {
  erCheck, erUpDown, erRealEdit, erCombo, erRadio, erColor, erPen, erBrush, erGradient, erFont, erShadow,
  erTrackBar, erScrollBar
};

// One row of an editor page: a control, its caption and the property it edits.
struct TEditorRow {
  TEditorRowKind Kind = TEditorRowKind::erCheck;
  std::string Caption;
  // "Marks.Callout.Distance": published properties from the page's object.
  std::string Path;
  // Where no path reaches: the object the row edits (pens, brushes, ...).
  std::function<TObject*(TObject* Edited)> Getter;
  int32_t Min = 0, Max = 100, Step = 1;
  // Combo and radio items: caption and the stored ordinal it stands for.
  std::vector<std::pair<std::string, int32_t>> Items;
  // Combo rows: the items are drawn by the combo's OnDrawItem (a TPenStyleCombo).
  bool OwnerDraw = false;
  TControl* Control = nullptr;
  TUpDown* UpDown = nullptr;
  // The caption label of rows whose control has no caption of its own.
  TLabel* Label = nullptr;
};

// A page bound weakly (through Tag) to one edited object.
class TEditorPage : public TForm {
  KV_CLASS(TEditorPage, TForm)
public:
  explicit TEditorPage(TComponent* Owner);
  TObject* Edited() const { return reinterpret_cast<TObject*>(Tag); }
  void SetEdited(TObject* Object);
  // Adds a row below the last one and makes its control; returns the row index.
  int32_t AddRow(const TEditorRow& Row);
  TEditorRow& Row(int32_t Index) { return FRows.at(static_cast<size_t>(Index)); }
  int32_t RowCount() const { return static_cast<int32_t>(FRows.size()); }
  // Fills every control from the object; nothing is written meanwhile.
  void LoadControls();
  bool IsLoading() const { return FLoading > 0; }
  // Blocks every write while the page fills controls of its own.
  void BeginLoading() { ++FLoading; }
  void EndLoading() { --FLoading; }
  // The page's own rules, run after a user change wrote its property.
  std::function<void(TEditorPage& Page, int32_t RowIndex)> OnRowChanged;
  // Enables or disables every control of the page's rows.
  void EnableRows(bool Value);
  // The row whose control is Control; -1 when none.
  int32_t RowOf(const TControl* Control) const;

private:
  void RowChanged(int32_t Index);
  void WriteRow(int32_t Index);
  void LoadRow(int32_t Index);
  std::vector<TEditorRow> FRows;
  int32_t FLoading = 0;
  int32_t FNextTop = 8;
};

namespace PlotPenDlg {

// A control of an editor form: owned by Form, named, placed on Parent (the
// form itself when none is given) at the given bounds.
template <class T>
T* PlaceControl(TForm* Form, TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height) {
  T* Control = Create<T>(Form);
  Control->SetName(Name);
  Control->SetParent(Parent);
  Control->SetBounds(Left, Top, Width, Height);
  return Control;
}
template <class T>
T* PlaceControl(TForm* Form, const char* Name, int Left, int Top, int Width, int Height) {
  return PlaceControl<T>(Form, Form, Name, Left, Top, Width, Height);
}

// Resolves "A.B.C" from Root: the object holding the last property and that
// property; false when a part is missing.
bool ResolvePath(TObject* Root, const std::string& Path, TObject*& Holder, const TPropInfo*& Property);
// The published properties of an object, read recursively through its table
// ("Pen.Color" = "16711680"), to compare an object before and after an edit.
std::map<std::string, std::string> Snapshot(const TObject* Object);

// ---- shared editor routines ----
TComponent* ParentFormOf(TComponent* Control);
TForm* CreateEditorDialog(TClass FormClass, TComponent* Owner);
template <class F>
F* CreateEditorDialogOf(TComponent* Owner) {
  return static_cast<F*>(CreateEditorDialog(F::StaticClass(), Owner));
}
TPenDialog* CreatePenDialog(TComponent* Owner, TPen* Pen, bool HideColor = false);
bool EditPenModal(TComponent* Owner, TPen* Pen, bool HideColor = false);
void SetControlsVisible(bool Visible, const std::vector<TControl*>& Controls);
bool AskYesNo(const std::string& Message, TControl* Control = nullptr);
bool ConfirmDelete(const std::string& Name, TControl* Control = nullptr);
void EmbedEditorForm(TForm* Form, TWinControl* Parent, TObject* Object);
void EmbedEditorInTab(TForm* Form, TTabSheet* Tab, TObject* Object = nullptr);
void FillFormatList(TStrings* Items);
void LoadUpDownArrows(TBitmap* Up, TBitmap* Down);
void MoveSelectedItems(TListBox* Source, TListBox* Target);
void MoveAllItems(TStrings* Source, TStrings* Target);
bool CursorIdentToValue(const std::string& Ident, TCursor& Cursor);
bool CursorValueToIdent(TCursor Cursor, std::string& Ident);
std::string StripCrPrefix(const std::string& Ident);
TCursor CursorFromName(TCursor Default, const std::string& Name);
void FillCursorCombo(TComboBox* Combo, TCursor Cursor);
// The platform's named cursors in their order.
const std::vector<std::pair<std::string, TCursor>>& CursorIdents();

}  // namespace PlotPenDlg
