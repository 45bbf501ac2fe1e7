// The pen dialog, the pen button, the shared editor routines and the editor kit.
#include "chart/series/PlotPenDlg.h"

#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/rtl/ClassInfo.h"

namespace PlotPenDlgTests {

namespace {

class PenDialog : public StyleDialogTest {};

TEST_F(PenDialog, PlainPenHasNoVisibleBoxNorSmallDotsAndCancelRestores) {
  TPen Pen;
  Pen.SetColor(clBlue);
  Pen.SetWidth(2);
  Pen.SetStyle(psDot);
  Modal<TPenDialog>([this](TPenDialog& D) {
    EXPECT_EQ(D.GetCaption(), "Border Editor");
    EXPECT_FALSE(D.CBVisible->GetVisible());
    EXPECT_EQ(D.CBStyle->Items()->Count(), 5);
    EXPECT_EQ(D.CBStyle->GetItemIndex(), static_cast<int>(psDot));
    D.UDWidth->SetPosition(4);
    EXPECT_EQ(D.EditedPen->GetWidth(), 4);
    D.CBStyle->SetItemIndex(1);
    D.CBStyle->Change();
    EXPECT_EQ(D.EditedPen->GetStyle(), psDash);
    Seam.AnswerColor(clRed);
    D.BColor->Click();
    EXPECT_EQ(D.EditedPen->GetColor(), clRed);
    D.BCancel->Click();
    return D.GetModalResult();
  });
  EXPECT_FALSE(PlotPenDlg::EditPenModal(nullptr, &Pen));
  EXPECT_EQ(Pen.GetColor(), clBlue);
  EXPECT_EQ(Pen.GetWidth(), 2);
  EXPECT_EQ(Pen.GetStyle(), psDot);
}

TEST_F(PenDialog, SmallDotsDisablesTheWidthAndAnotherStyleEnablesIt) {
  TChartPen Pen;
  Modal<TPenDialog>([](TPenDialog& D) {
    EXPECT_TRUE(D.CBVisible->GetVisible());
    EXPECT_EQ(D.CBStyle->Items()->Count(), 6);
    EXPECT_EQ(D.CBStyle->Items()->Strings(5), "Small Dots");
    D.CBStyle->SetItemIndex(5);
    D.CBStyle->Change();
    auto* P = dynamic_cast<TChartPen*>(D.EditedPen);
    EXPECT_TRUE(P->GetSmallDots());
    EXPECT_FALSE(D.SEWidth->GetEnabled());
    EXPECT_FALSE(D.UDWidth->GetEnabled());
    D.CBStyle->SetItemIndex(1);
    D.CBStyle->Change();
    EXPECT_FALSE(P->GetSmallDots());
    EXPECT_EQ(P->GetStyle(), psDash);
    EXPECT_TRUE(D.SEWidth->GetEnabled());
    D.CBVisible->SetChecked(false);
    return mrOk;
  });
  EXPECT_TRUE(PlotPenDlg::EditPenModal(nullptr, &Pen));
  EXPECT_EQ(Pen.GetStyle(), psDash);
  EXPECT_FALSE(Pen.GetVisible());
}

TEST_F(PenDialog, CancelWithoutEditsLeavesThePenAndFiresNothing) {
  int Changes = 0;
  TChartPen Pen([&](TObject*) { ++Changes; });
  Pen.SetColor(clGreen);
  Pen.SetSmallDots(true);
  Changes = 0;
  const auto Before = PlotPenDlg::Snapshot(&Pen);
  Modal<TPenDialog>([](TPenDialog& D) {
    EXPECT_EQ(D.CBStyle->GetItemIndex(), 5);
    D.BCancel->Click();
    return D.GetModalResult();
  });
  EXPECT_FALSE(PlotPenDlg::EditPenModal(nullptr, &Pen));
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(PlotPenDlg::Snapshot(&Pen), Before);
}

TEST_F(PenDialog, SampleLineShowsAgainstTheSelectionColour) {
  auto* D = Create<TPenDialog>(nullptr);
  TPen Pen;
  D->EditedPen = &Pen;
  D->CBStyle->SetWidth(120);
  struct TCase {
    TColor Pen;
    bool Selected;
    TColor Line;
  };
  const TColor Highlight = ColorToRGB(clHighlight);
  for (const TCase& C : {TCase{Highlight, true, clWhite}, TCase{clWhite, false, clBlack}, TCase{clRed, false, clRed}}) {
    Pen.SetColor(C.Pen);
    TBitmap B(120, 16);
    D->CBStyleDrawItem(*B.GetCanvas(), 0, TRect(0, 0, 120, 16), C.Selected);
    EXPECT_EQ(B.GetPixelColor(10, 8) & 0xFFFFFF, C.Line) << std::hex << C.Pen;
  }
  D->Free();
}

TEST_F(PenDialog, PenButtonDrawsAtMostSixPixelsWideAndLeavesThePen) {
  auto* Form = Create<TForm>(nullptr);
  auto* B = Create<TButtonPen>(Form);
  B->SetParent(Form);
  B->SetBounds(0, 0, 75, 25);
  int Changes = 0;
  TChartPen Pen([&](TObject*) { ++Changes; });
  Pen.SetColor(clRed);
  Pen.SetWidth(10);
  Changes = 0;
  B->BindPen(&Pen);
  TBitmap Bmp(75, 25);
  B->PaintTo(Bmp);
  const int32_t Y = 25 / 2;
  auto Red = [&](int X, int Yp) { return (Bmp.GetPixelColor(X, Yp) & 0xFFFFFF) == clRed; };
  EXPECT_TRUE(Red(75 - 12, Y));
  EXPECT_FALSE(Red(75 - 12, Y + 5)) << "wider than six pixels";
  EXPECT_FALSE(Red(75 - 12, Y - 5));
  EXPECT_EQ(Pen.GetWidth(), 10);
  EXPECT_EQ(Changes, 0);
  B->SetEnabled(false);
  B->PaintTo(Bmp);
  EXPECT_FALSE(Red(75 - 12, Y));
  Form->Free();
}

TEST_F(PenDialog, PenButtonOpensTheDialogAndRepaintsOnOk) {
  auto* Form = Create<TForm>(nullptr);
  auto* B = Create<TButtonPen>(Form);
  TChartPen Pen;
  B->BindPen(&Pen);
  int Clicks = 0;
  B->OnClick = [&](TObject*) { ++Clicks; };
  Modal<TPenDialog>([](TPenDialog& D) {
    D.UDWidth->SetPosition(3);
    return mrOk;
  });
  B->Click();
  EXPECT_EQ(Pen.GetWidth(), 3);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(B->Dialog(), nullptr);
  Form->Free();
}

TEST(PlotPenDlgRoutines, CursorNamesAndFormats) {
  EXPECT_EQ(PlotPenDlg::CursorFromName(crArrow, "PlotHand"), 2020);
  EXPECT_EQ(PlotPenDlg::CursorFromName(crArrow, "NoSuchCursor"), crArrow);
  EXPECT_EQ(PlotPenDlg::CursorFromName(crArrow, "HandPoint"), crHandPoint);
  EXPECT_EQ(PlotPenDlg::StripCrPrefix("crCross"), "Cross");
  EXPECT_EQ(PlotPenDlg::StripCrPrefix("Cross"), "Cross");
  PlotConst::Initialize();
  TStringList L;
  PlotPenDlg::FillFormatList(&L);
  ASSERT_EQ(L.Count(), 9);
  EXPECT_EQ(L[0], "#,##0.###");
  EXPECT_EQ(L[7], "#.0 \"x10\" E+0");
  EXPECT_EQ(L[8], "#.# x10E-#");
}

TEST_F(PenDialog, ConfirmDeleteAsksYesNo) {
  Seam.AnswerMessage(mrYes);
  EXPECT_TRUE(PlotPenDlg::ConfirmDelete("Series1"));
  Seam.AnswerMessage(mrNo);
  EXPECT_FALSE(PlotPenDlg::ConfirmDelete("Series1"));
  EXPECT_EQ(Seam.Prompts()[0].Text, "Delete Series1 ?");
}

// ---------------------------------------------------------------- the kit

class TKitChild : public TPersistent {
  KV_CLASS(TKitChild, TPersistent)
public:
  int32_t GetDistance() const { return FDistance; }
  void SetDistance(int32_t V) {
    FDistance = V;
    ++Writes["Distance"];
  }
  std::map<std::string, int> Writes;

private:
  int32_t FDistance = 0;
};
KV_CLASS_IMPL(TKitChild, TPersistent) { c.Property("Distance", &TKitChild::GetDistance, &TKitChild::SetDistance); }

class TKitSample : public TPersistent {
  KV_CLASS(TKitSample, TPersistent)
public:
  int32_t GetCount() const { return FCount; }
  void SetCount(int32_t V) { FCount = V, ++Writes["Count"]; }
  bool GetFlag() const { return FFlag; }
  void SetFlag(bool V) { FFlag = V, ++Writes["Flag"]; }
  double GetRatio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V, ++Writes["Ratio"]; }
  int32_t GetMode() const { return FMode; }
  void SetMode(int32_t V) { FMode = V, ++Writes["Mode"]; }
  TKitChild* GetChild() const { return const_cast<TKitChild*>(&FChild); }
  std::map<std::string, int> Writes;
  int32_t FCount = 0, FMode = 0;
  bool FFlag = false;
  double FRatio = 0;
  TKitChild FChild;
};
KV_CLASS_IMPL(TKitSample, TPersistent) {
  c.Property("Count", &TKitSample::GetCount, &TKitSample::SetCount);
  c.Property("Flag", &TKitSample::GetFlag, &TKitSample::SetFlag);
  c.Property("Ratio", &TKitSample::GetRatio, &TKitSample::SetRatio);
  c.Property("Mode", &TKitSample::GetMode, &TKitSample::SetMode);
  c.Property("Child", &TKitSample::GetChild);
}

class EditorKit : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Page = Create<TEditorPage>(nullptr);
    auto Row = [&](TEditorRowKind K, const char* Path, int Min = 0, int Max = 10) {
      TEditorRow R;
      R.Kind = K;
      R.Caption = Path;
      R.Path = Path;
      R.Min = Min;
      R.Max = Max;
      if (K == TEditorRowKind::erCombo) R.Items = {{"A", 0}, {"B", 5}, {"C", 2}};
      return Page->AddRow(R);
    };
    RCount = Row(TEditorRowKind::erUpDown, "Count");
    RFlag = Row(TEditorRowKind::erCheck, "Flag");
    RRatio = Row(TEditorRowKind::erRealEdit, "Ratio");
    RMode = Row(TEditorRowKind::erCombo, "Mode");
    RDistance = Row(TEditorRowKind::erUpDown, "Child.Distance", -5, 5);
    Page->OnRowChanged = [this](TEditorPage&, int32_t Row) { Rules.push_back(Row); };
    Sample.FCount = 50;
    Sample.FFlag = true;
    Sample.FRatio = 2.5;
    Sample.FMode = 5;
  }
  void TearDown() override { Page->Free(); }
  TEditorPage* Page = nullptr;
  TKitSample Sample;
  std::vector<int32_t> Rules;
  int32_t RCount = 0, RFlag = 0, RRatio = 0, RMode = 0, RDistance = 0;
};

TEST_F(EditorKit, LoadingWritesNothingAndShowsValuesClamped) {
  Page->SetEdited(&Sample);
  EXPECT_TRUE(Sample.Writes.empty());
  EXPECT_TRUE(Sample.FChild.Writes.empty());
  EXPECT_TRUE(Rules.empty());
  EXPECT_EQ(static_cast<TEdit*>(Page->Row(RCount).Control)->GetText(), "10");
  EXPECT_EQ(Sample.FCount, 50) << "an out-of-range value stays until the user changes it";
  EXPECT_TRUE(static_cast<TCheckBox*>(Page->Row(RFlag).Control)->GetChecked());
  EXPECT_EQ(static_cast<TComboFlat*>(Page->Row(RMode).Control)->GetItemIndex(), 1) << "ordinal 5 is item B";
}

TEST_F(EditorKit, EachUserChangeWritesExactlyItsProperty) {
  Page->SetEdited(&Sample);
  struct TCase {
    std::function<void()> Change;
    std::string Property;
    int32_t Row;
  };
  const std::vector<TCase> Cases{
      {[&] { static_cast<TCheckBox*>(Page->Row(RFlag).Control)->SetChecked(false); }, "Flag", RFlag},
      {[&] { Page->Row(RCount).UpDown->ButtonClick(TUDBtnType::btPrev); }, "Count", RCount},
      {[&] { static_cast<TEdit*>(Page->Row(RRatio).Control)->SetText("0.75"); }, "Ratio", RRatio},
      {[&] {
         auto* C = static_cast<TComboFlat*>(Page->Row(RMode).Control);
         C->SetItemIndex(2);
         C->Change();
       },
       "Mode", RMode}};
  for (const TCase& C : Cases) {
    Sample.Writes.clear();
    Rules.clear();
    C.Change();
    EXPECT_EQ(Sample.Writes.size(), 1u) << C.Property;
    EXPECT_EQ(Sample.Writes[C.Property], 1) << C.Property;
    EXPECT_EQ(Rules, std::vector<int32_t>{C.Row});
  }
  EXPECT_FALSE(Sample.FFlag);
  EXPECT_EQ(Sample.FCount, 9);
  EXPECT_DOUBLE_EQ(Sample.FRatio, 0.75);
  EXPECT_EQ(Sample.FMode, 2) << "the item's ordinal, not its row";
  static_cast<TEdit*>(Page->Row(RDistance).Control)->SetText("3");
  EXPECT_EQ(Sample.FChild.GetDistance(), 3);
  EXPECT_EQ(Sample.FChild.Writes["Distance"], 1);
}

TEST_F(EditorKit, PathsResolveThroughObjectProperties) {
  TObject* Holder = nullptr;
  const TPropInfo* P = nullptr;
  ASSERT_TRUE(PlotPenDlg::ResolvePath(&Sample, "Child.Distance", Holder, P));
  EXPECT_EQ(Holder, &Sample.FChild);
  EXPECT_EQ(P->Name, "Distance");
  EXPECT_FALSE(PlotPenDlg::ResolvePath(&Sample, "Child.Nothing", Holder, P));
  EXPECT_FALSE(PlotPenDlg::ResolvePath(&Sample, "Count.Deeper", Holder, P));
  const auto S = PlotPenDlg::Snapshot(&Sample);
  EXPECT_EQ(S.at("Child.Distance"), "0");
  EXPECT_EQ(S.at("Mode"), "5");
}

TEST_F(EditorKit, PagesWorkEmbeddedAndModal) {
  auto* Host = Create<TForm>(nullptr);
  auto* Panel = Create<TPanel>(Host);
  Panel->SetParent(Host);
  Panel->SetBounds(0, 0, 300, 300);
  PlotPenDlg::EmbedEditorForm(Page, Panel, &Sample);
  EXPECT_EQ(Page->GetParent(), Panel);
  EXPECT_EQ(Page->GetBorderStyle(), TFormBorderStyle::bsNone);
  EXPECT_EQ(Page->Edited(), &Sample);
  EXPECT_EQ(Page->GetLeft(), 4);
  EXPECT_TRUE(Sample.Writes.empty());
  EXPECT_EQ(static_cast<TEdit*>(Page->Row(RCount).Control)->GetText(), "10");
  Page->SetParent(nullptr);
  Host->Free();

  auto* Dialog = PlotPenDlg::CreateEditorDialogOf<TEditorPage>(nullptr);
  EXPECT_EQ(Dialog->Position, TPosition::poScreenCenter);
  EXPECT_EQ(Dialog->GetBorderStyle(), TFormBorderStyle::bsDialog);
  TEditorRow R;
  R.Kind = TEditorRowKind::erCheck;
  R.Path = "Flag";
  const int32_t Row = Dialog->AddRow(R);
  Dialog->Tag = reinterpret_cast<intptr_t>(&Sample);
  Modal<TEditorPage>([&](TEditorPage& D) {
    EXPECT_TRUE(static_cast<TCheckBox*>(D.Row(Row).Control)->GetChecked());
    static_cast<TCheckBox*>(D.Row(Row).Control)->SetChecked(false);
    return mrOk;
  });
  Sample.Writes.clear();
  Dialog->ShowModal();
  EXPECT_EQ(Sample.Writes["Flag"], 1);
  EXPECT_FALSE(Sample.FFlag);
  Dialog->Free();
}

}  // namespace

}  // namespace PlotPenDlgTests
