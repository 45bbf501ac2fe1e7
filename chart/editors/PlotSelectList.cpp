// The two-list selector.
#include "chart/editors/PlotSelectList.h"

#include "platform/gdi/Graphics.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TSelectListForm, TForm) {}

TSelectListForm::TSelectListForm(TComponent* Owner) : TForm(Owner) {
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetClientWidth(326);
  SetClientHeight(146);
  SetAlign(TAlign::alClient);
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 0, 0, 326, 20);
  Panel1->SetAlign(TAlign::alTop);
  Panel1->SetCaption("");
  Panel1->BevelOuter = TPanelBevel::bvNone;
  Label1 = PlaceControl<TLabel>(this, Panel1, "Label1", 4, 4, 60, 13);
  Label1->SetCaption("A&vailable:");
  Label2 = PlaceControl<TLabel>(this, Panel1, "Label2", 168, 4, 60, 13);
  Label2->SetCaption("&Selected: ");
  FromList = PlaceControl<TListBox>(this, "FromList", 0, 20, 133, 126);
  FromList->SetAlign(TAlign::alLeft);
  FromList->MultiSelect = true;
  Label1->FocusControl = FromList;
  Splitter1 = PlaceControl<TSplitter>(this, "Splitter1", 133, 20, 3, 126);
  Splitter1->SetAlign(TAlign::alLeft);
  Panel2 = PlaceControl<TPanel>(this, "Panel2", 136, 20, 31, 126);
  Panel2->SetAlign(TAlign::alLeft);
  Panel2->SetCaption("");
  Panel2->BevelOuter = TPanelBevel::bvNone;
  const auto Button = [this](const char* Name, const char* Caption, int Top) {
    auto* B = PlaceControl<TButton>(this, Panel2, Name, 3, Top, 25, 21);
    B->SetCaption(Caption);
    return B;
  };
  BRightOne = Button("BRightOne", ">", 8);
  BRightAll = Button("BRightAll", ">>", 34);
  BLeftOne = Button("BLeftOne", "<", 66);
  BLeftAll = Button("BLeftAll", "<<", 92);
  Panel3 = PlaceControl<TPanel>(this, "Panel3", 295, 20, 31, 126);
  Panel3->SetAlign(TAlign::alRight);
  Panel3->SetCaption("");
  Panel3->BevelOuter = TPanelBevel::bvNone;
  BMoveUP = PlaceControl<TSpeedButton>(this, Panel3, "BMoveUP", 2, 8, 27, 25);
  BMoveDown = PlaceControl<TSpeedButton>(this, Panel3, "BMoveDown", 2, 36, 27, 25);
  ToList = PlaceControl<TListBox>(this, "ToList", 167, 20, 128, 126);
  ToList->SetAlign(TAlign::alClient);
  ToList->MultiSelect = true;
  Label2->FocusControl = ToList;

  TBitmap Up, Down;
  PlotPenDlg::LoadUpDownArrows(&Up, &Down);
  BMoveUP->SetGlyph(&Up);
  BMoveDown->SetGlyph(&Down);

  OnShow = [this](TObject* S) { FormShow(S); };
  BRightOne->OnClick = [this](TObject* S) { BRightOneClick(S); };
  BRightAll->OnClick = [this](TObject* S) { BRightAllClick(S); };
  BLeftOne->OnClick = [this](TObject* S) { BLeftOneClick(S); };
  BLeftAll->OnClick = [this](TObject* S) { BLeftAllClick(S); };
  BMoveUP->OnClick = [this](TObject* S) { BMoveUPClick(S); };
  BMoveDown->OnClick = [this](TObject* S) { BMoveUPClick(S); };
  FromList->OnDblClick = [this](TObject* S) { FromListDblClick(S); };
  ToList->OnDblClick = [this](TObject* S) { ToListDblClick(S); };
  FromList->OnClick = [this](TObject* S) { ToListClick(S); };
  ToList->OnClick = [this](TObject* S) { ToListClick(S); };
}

void TSelectListForm::FocusList(TListBox* List) {
  if (List->CanFocus()) List->SetFocus();
}

void TSelectListForm::EnableButtons() {
  const int32_t From = FromList->Items()->Count();
  const int32_t To = ToList->Items()->Count();
  const int32_t Index = ToList->GetItemIndex();
  BRightOne->SetEnabled(From > 0);
  BRightAll->SetEnabled(From > 0);
  BLeftOne->SetEnabled(To > 0);
  BLeftAll->SetEnabled(To > 0);
  BMoveUP->SetEnabled(Index > 0);
  BMoveDown->SetEnabled(Index >= 0 && Index < To - 1);
}

void TSelectListForm::Changed() {
  EnableButtons();
  if (OnChange) OnChange(this);
}

void TSelectListForm::FormShow(TObject*) {
  EnableButtons();
  FocusList(FromList->Items()->Count() > 0 ? FromList : ToList);
}

void TSelectListForm::BRightOneClick(TObject*) {
  PlotPenDlg::MoveSelectedItems(FromList, ToList);
  Changed();
  if (FromList->Items()->Count() == 0) FocusList(ToList);
}

void TSelectListForm::BRightAllClick(TObject*) {
  PlotPenDlg::MoveAllItems(FromList->Items(), ToList->Items());
  Changed();
}

void TSelectListForm::BLeftOneClick(TObject*) {
  PlotPenDlg::MoveSelectedItems(ToList, FromList);
  Changed();
}

void TSelectListForm::BLeftAllClick(TObject*) {
  PlotPenDlg::MoveAllItems(ToList->Items(), FromList->Items());
  Changed();
}

void TSelectListForm::BMoveUPClick(TObject* Sender) {
  const int32_t Index = ToList->GetItemIndex();
  const int32_t Other = Sender == BMoveUP ? Index - 1 : Index + 1;
  if (Index < 0 || Other < 0 || Other >= ToList->Items()->Count()) return;
  ToList->Items()->Exchange(Index, Other);
  for (int32_t i = 0; i < ToList->Items()->Count(); ++i) ToList->SetSelected(i, i == Other);
  ToList->SetItemIndex(Other);
  FocusList(ToList);
  Changed();
}

void TSelectListForm::FromListDblClick(TObject* Sender) {
  BRightOneClick(Sender);
  const int32_t Last = ToList->Items()->Count() - 1;
  if (Last >= 0) {
    ToList->SetItemIndex(Last);
    ToList->SetSelected(Last, true);
  }
  EnableButtons();
}

void TSelectListForm::ToListDblClick(TObject* Sender) { BLeftOneClick(Sender); }

void TSelectListForm::ToListClick(TObject*) { EnableButtons(); }
