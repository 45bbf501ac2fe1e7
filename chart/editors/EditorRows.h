#pragma once
// Shared by the chart editor forms: a kit row in one call, a tab sheet, and moving a
// row's control to its place on the form.
#include "chart/series/PlotPenDlg.h"

namespace EditorRows {

// A new tab sheet of Form, named and captioned, on the page control PC.
inline TTabSheet* AddTab(TForm* Form, TPageControl* PC, const char* Name, const char* Caption) {
  auto* T = Create<TTabSheet>(Form);
  T->SetName(Name);
  T->SetCaption(Caption);
  T->SetPageControl(PC);
  return T;
}

inline TEditorRow Make(TEditorRowKind Kind, const std::string& Caption, const std::string& Path, int32_t Min = 0,
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

// The control of a page's row, named and put on Parent at the given bounds.
template <class T>
T* Place(TEditorPage* Page, int32_t Row, TWinControl* Parent, const char* Name, int L, int T_, int W, int H) {
  auto* C = static_cast<T*>(Page->Row(Row).Control);
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(L, T_, W, H);
  return C;
}

// The edit, up-down and label of an up-down row put on Parent: the edit at
// (L, T_), the label at (LabelLeft, T_ + 4).
inline void PlaceUpDown(TEditorPage* Page, int32_t Row, TWinControl* Parent, const char* EditName,
                        const char* UpDownName, const char* LabelName, int LabelLeft, int L, int T_, int W,
                        TEdit*& Edit, TUpDown*& UpDown, TLabel*& Label) {
  TEditorRow& R = Page->Row(Row);
  Edit = Place<TEdit>(Page, Row, Parent, EditName, L, T_, W, 21);
  UpDown = R.UpDown;
  UpDown->SetName(UpDownName);
  UpDown->SetParent(Parent);
  // Attached again so that it moves to the edit's new place.
  UpDown->SetAssociate(nullptr);
  UpDown->SetAssociate(Edit);
  Label = R.Label;
  Label->SetName(LabelName);
  Label->SetParent(Parent);
  Label->SetBounds(LabelLeft, T_ + 4, std::max(10, L - LabelLeft - 4), 13);
  Label->FocusControl = Edit;
}

}  // namespace EditorRows
