#include "app/Dearsetup.h"

#include "app/DialogFields.h"
#include "controls/abcbtn.h"
#include "controls/abcexctl.h"
#include "numerics/Supermath2d.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Dialogs.h"
#include "survey/Survey.h"

using DialogFields::AddEdit;
using DialogFields::AddCaptionBox;
using DialogFields::AddCommandButton;

TDefarray* Dearsetup::Defarray = nullptr;

KV_CLASS_IMPL(TDefarray, TForm) {}

TDefarray::TDefarray(TComponent* AOwner) : TForm(AOwner) {
  SetName("Defarray");
  SetCaption("Default array");
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetClientWidth(233);
  SetClientHeight(244);
  Position = TPosition::poDesktopCenter;

  AddCaptionBox(this, "  Electrode array", 8, 6, 221, 33);
  ComboBox6 = Create<TComboBox>(this);
  ComboBox6->SetParent(this);
  ComboBox6->SetBounds(112, 12, 113, 21);
  ComboBox6->Style = TComboBoxStyle::csDropDownList;
  for (const char* name : Dearsetup::ArrayNames) ComboBox6->Items()->Add(name);

  // The three counts are spin edits with their ranges; the separation is a plain edit.
  struct TRow {
    const char* Caption;
    TSpinEdit** Spin;
    int32_t MinValue, MaxValue;
  };
  const TRow rows[] = {{"  Point number", &SpinEdit3, 1, 100},
                       {"  Minimal separation", nullptr, 0, 0},
                       {"  Point separation", &SpinEdit2, 1, 50},
                       {"  Levels number", &SpinEdit1, 1, 50}};
  int top = 52;
  for (const TRow& row : rows) {
    AddCaptionBox(this, row.Caption, 8, top - 6, 221, 33);
    if (row.Spin) {
      TSpinEdit* spin = Create<TSpinEdit>(this);
      spin->SetParent(this);
      spin->SetBounds(112, top, 113, 21);
      spin->MinValue = row.MinValue;
      spin->MaxValue = row.MaxValue;
      *row.Spin = spin;
    } else {
      Edit1 = AddEdit(this, 112, top, 113);
    }
    top += 36;
  }
  abcPicBtn1 = AddCommandButton(this, "Apply", 79, 204);
  abcPicBtn1->Default = true;
  abcPicBtn1->OnClick = [this](TObject* Sender) { abcPicBtn1Click(Sender); };
  DialogFields::CancelOnEscape(*this);
  DialogFields::FitToContent(*this);
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

void TDefarray::FormCreate(TObject*) {
  ComboBox6->SetItemIndex(0);
  SpinEdit3->SetValue(10);
  Edit1->SetText("1");
  SpinEdit2->SetValue(1);
  SpinEdit1->SetValue(3);
}

void TDefarray::LoadFields() {
  if (!Survey) return;
  ComboBox6->SetItemIndex(Survey->DefaultArrayType);
  SpinEdit3->SetText(std::to_string(Survey->DefaultPointCount));
  Edit1->SetText(Supermath2d::FloatToStrDec(0, 1, Survey->DefaultMinSeparation));
  SpinEdit2->SetText(std::to_string(Survey->DefaultPointSeparation));
  SpinEdit1->SetText(std::to_string(Survey->DefaultLevelCount));
}

bool TDefarray::StoreFields(std::string& Problem) {
  using DialogFields::ReadInteger;
  const auto levels = ReadInteger(*SpinEdit1, "Levels number", 1, 50, Problem);
  if (!levels) return false;
  const auto pointSeparation = ReadInteger(*SpinEdit2, "Point separation", 1, 50, Problem);
  if (!pointSeparation) return false;
  const auto points = ReadInteger(*SpinEdit3, "Point number", 1, 100, Problem);
  if (!points) return false;
  const double separation = Supermath2d::StrToFloatChecked(Edit1->GetText(), true, 0.5, 300.0);
  if (separation == Supermath2d::NoValue) {
    Problem = "Minimal separation: \"" + Edit1->GetText() + "\" is not allowed; enter a number from 0.5 to 300.";
    return false;
  }
  const int arrayType = ComboBox6->GetItemIndex();
  if (arrayType < 0) {
    Problem = "Electrode array: choose one of the arrays.";
    return false;
  }
  if (Survey) {
    Survey->DefaultLevelCount = *levels;
    Survey->DefaultPointSeparation = *pointSeparation;
    Survey->DefaultPointCount = *points;
    Survey->DefaultMinSeparation = separation;
    Survey->DefaultArrayType = arrayType;
  }
  return true;
}

void TDefarray::abcPicBtn1Click(TObject*) {
  std::string problem;
  if (!StoreFields(problem)) {
    Dialogs::MessageDlg(problem, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    return;
  }
  SetModalResult(mrOk);
}
