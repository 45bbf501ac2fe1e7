// The shadow and font editors.
#include "chart/series/PlotShadowEditor.h"

#include "chart/series/PlotEdiFont.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace PlotShadowEditorTests {

namespace {

class ShadowFontEditors : public StyleDialogTest {};

TEST_F(ShadowFontEditors, ShadowEditsAreLiveAndLoadingWritesNothing) {
  int Changes = 0;
  TPlotShadow Shadow([&](TObject*) { ++Changes; });
  Shadow.SetHorizSize(3);
  Shadow.SetVertSize(-2);
  Shadow.SetTransparency(40);
  Changes = 0;
  Modal<TPlotShadowEditor>([&](TPlotShadowEditor& E) {
    EXPECT_EQ(E.GetCaption(), "Shadow editor");
    EXPECT_EQ(Changes, 0) << "loading";
    EXPECT_EQ(E.Edit1->GetText(), "3");
    EXPECT_EQ(E.EVertSize->GetText(), "-2");
    E.UDShadowSize->SetPosition(7);
    E.UDShadowTransp->SetPosition(150);
    E.CBSmooth->SetChecked(false);
    return mrCancel;  // the window's close box keeps the edits as well
  });
  PlotShadowEditor::EditShadowModal(nullptr, &Shadow);
  EXPECT_EQ(Shadow.GetHorizSize(), 7);
  EXPECT_EQ(Shadow.GetTransparency(), 100) << "the up-down's range";
  EXPECT_FALSE(Shadow.GetSmooth());
}

TEST_F(ShadowFontEditors, EmbeddedShadowEditorWithoutAShadowChangesNothing) {
  auto* Host = Create<TForm>(nullptr);
  auto* PC = Create<TPageControl>(Host);
  PC->SetParent(Host);
  auto* Sheet = Create<TTabSheet>(Host);
  Sheet->SetPageControl(PC);
  TPlotShadowEditor* E = PlotShadowEditor::EmbedShadowEditor(Sheet);
  EXPECT_FALSE(E->BOK->GetVisible());
  EXPECT_EQ(E->GetParent(), Sheet);
  E->Edit1->SetText("12");
  EXPECT_EQ(E->EditedShadow, nullptr);
  TPlotShadow Shadow;
  E->SetEditedShadow(&Shadow);
  E->Creating = false;
  E->Edit1->SetText("12");
  EXPECT_EQ(Shadow.GetHorizSize(), 12);
  Host->Free();
}

TEST_F(ShadowFontEditors, FontEditorEditsColourSpacingAndOutlineGradient) {
  TPlotFont Font;
  Font.SetColor(clBlue);
  Font.SetInterCharSize(2);
  Modal<TPlotFontEditor>([&](TPlotFontEditor& E) {
    EXPECT_EQ(E.GetCaption(), "PlotFont Editor");
    EXPECT_EQ(E.SHText->Brush()->GetColor(), clBlue);
    EXPECT_EQ(E.Edit2->GetText(), "2");
    E.UDInter->SetPosition(-5);
    E.CBOutGrad->SetChecked(true);
    Seam.AnswerColor(clRed);
    E.SHTextMouseUp(E.SHText, TMouseButton::mbLeft, {}, 1, 1);
    EXPECT_EQ(E.SHText->Brush()->GetColor(), clRed);
    Modal<TPlotShadowEditor>([](TPlotShadowEditor& S) {
      S.UDShaVert->SetPosition(4);
      return mrOk;
    });
    E.BShadow->Click();
    return mrOk;
  });
  PlotEdiFont::ShowFontEditor(nullptr, &Font);
  EXPECT_EQ(Font.GetInterCharSize(), -5);
  EXPECT_TRUE(Font.GetGradient()->GetOutline());
  EXPECT_EQ(Font.GetColor(), clRed);
  EXPECT_EQ(Font.GetShadow()->GetVertSize(), 4);
}

TEST_F(ShadowFontEditors, OutlineButtonShowsNoLineWhileTheOutlineIsHidden) {
  auto* E = Create<TPlotFontEditor>(nullptr);
  TPlotFont Font;
  Font.GetOutLine()->SetColor(clRed);
  Font.GetOutLine()->SetVisible(false);
  E->SetEditedFont(&Font);
  TBitmap B(E->BOutline->GetWidth(), E->BOutline->GetHeight());
  E->BOutline->PaintTo(B);
  const int32_t Y = E->BOutline->GetHeight() / 2;
  EXPECT_NE(B.GetPixelColor(E->BOutline->GetWidth() - 12, Y) & 0xFFFFFF, clRed);
  Font.GetOutLine()->SetVisible(true);
  E->BOutline->PaintTo(B);
  EXPECT_EQ(B.GetPixelColor(E->BOutline->GetWidth() - 12, Y) & 0xFFFFFF, clRed);
  E->Free();
}

}  // namespace

}  // namespace PlotShadowEditorTests
