#include "app/ModelConstruct.h"

#include "app/DialogFields.h"
#include "controls/abcbtn.h"
#include "controls/abcexctl.h"
#include "numerics/Supermath2d.h"
#include "platform/ui/Dialogs.h"

using DialogFields::AddEdit;
using DialogFields::AddCaptionBox;
using DialogFields::AddCommandButton;

KV_CLASS_IMPL(TModConstr, TForm) {}

TModConstr::TModConstr(TComponent* AOwner) : TForm(AOwner) {
  SetName("ModConstr");
  SetCaption("Model constructor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(201);
  SetClientHeight(273);
  Position = TPosition::poDesktopCenter;

  struct TRow {
    const char* Caption;
    const char* LabelHint;
    const char* EditHint;
    TEdit** Edit;
  };
  const TRow rows[] = {
      {" Maximal depth", "Bottom depths of last layer.", "Bottom edge of model", &Edit4},
      {" Start X", "Horizontal position of first electrode.", "Left edge of model", &Edit1},
      {" End X", "Horizontal position of last electrode.", "Right edge of model", &Edit2},
      {" Start resistivity", "", "Starting model resistivity.", &Edit6},
      {" Start polarizability", "", "", &Edit7},
  };
  int top = 12;
  for (const TRow& row : rows) {
    TLabel* label = AddCaptionBox(this, row.Caption, 8, top - 6, 189, 33);
    label->SetHint(row.LabelHint);
    label->SetShowHint(*row.LabelHint != '\0');
    *row.Edit = AddEdit(this, 122, top, 71);
    (*row.Edit)->SetHint(row.EditHint);
    (*row.Edit)->SetShowHint(*row.EditHint != '\0');
    if (row.Edit == &Edit7) Label7 = label;
    top += 40;
  }
  abcPicBtn1 = AddCommandButton(this, "Ok", 63, 232);
  abcPicBtn1->Default = true;
  abcPicBtn1->OnClick = [this](TObject* Sender) { abcPicBtn1Click(Sender); };
  DialogFields::CancelOnEscape(*this);
  DialogFields::FitToContent(*this);
}

void TModConstr::SetPolarizabilityShown(bool Shown) {
  Label7->SetVisible(Shown);
  Edit7->SetVisible(Shown);
}

void TModConstr::LoadFields() {
  using Supermath2d::FloatToStrDec;
  Edit4->SetText(FloatToStrDec(0, 1, BottomEdge));
  Edit1->SetText(FloatToStrDec(0, 1, LeftEdge));
  Edit2->SetText(FloatToStrDec(0, 1, RightEdge));
  Edit6->SetText(FloatToStrDec(0, 1, StartResistivity));
  Edit7->SetText(FloatToStrDec(0, 1, StartPolarizability));
}

bool TModConstr::StoreFields(std::string& Problem) {
  using DialogFields::ReadReal;
  const auto left = ReadReal(*Edit1, "Start X", Problem);
  if (!left) return false;
  const auto right = ReadReal(*Edit2, "End X", Problem);
  if (!right) return false;
  if (!(*right > *left)) {
    Problem = "End X: \"" + Edit2->GetText() + "\" must be greater than Start X (" + Edit1->GetText() + ").";
    return false;
  }
  const auto depth = ReadReal(*Edit4, "Maximal depth", Problem);
  if (!depth) return false;
  if (!(*depth > 0.0)) {
    Problem = "Maximal depth: \"" + Edit4->GetText() + "\" must be greater than 0.";
    return false;
  }
  const auto resistivity = ReadReal(*Edit6, "Start resistivity", Problem);
  if (!resistivity) return false;
  if (!(*resistivity > 0.0)) {
    Problem = "Start resistivity: \"" + Edit6->GetText() + "\" must be greater than 0.";
    return false;
  }
  // A hidden polarizability edit passes its preset value through unchecked.
  double polarizability = StartPolarizability;
  if (Edit7->GetVisible()) {
    const auto eta = ReadReal(*Edit7, "Start polarizability", Problem);
    if (!eta) return false;
    if (!(*eta >= 0.0 && *eta < 100.0)) {
      Problem = "Start polarizability: \"" + Edit7->GetText() + "\" must be at least 0 and below 100.";
      return false;
    }
    polarizability = *eta;
  }
  LeftEdge = *left;
  RightEdge = *right;
  BottomEdge = *depth;
  StartResistivity = *resistivity;
  StartPolarizability = polarizability;
  return true;
}

void TModConstr::abcPicBtn1Click(TObject*) {
  std::string problem;
  if (!StoreFields(problem)) {
    Dialogs::MessageDlg(problem, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    return;
  }
  SetModalResult(mrOk);
}
