// The export dialog, driven through the scripted seam.
#include "chart/series/tests/ExportFixture.h"

#include "chart/series/PlotEmfOptions.h"
#include "chart/series/PlotStore.h"
#include "chart/series/Series.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/ui/ScriptedUserSeam.h"

namespace ExportDialogTests {

using namespace ExportTest;

namespace {

class ExportDialog : public ExportTestBase {
protected:
  void SetUp() override {
    ExportTestBase::SetUp();
    Seam.OnUnexpected = [](const std::string& S) { ADD_FAILURE() << S; };
    Seam.MailInstalled = false;
    PlotExport::ResetMapiAvailable();
    Chart = Create<TChart>(nullptr);
    Chart->SetName("Chart1");
    Chart->SetBounds(400, 250);
    Form = Create<TPlotExportForm>(nullptr);
    Form->Tag = reinterpret_cast<intptr_t>(Chart);
  }
  void TearDown() override {
    Form->Free();
    Chart->Free();
    PlotExport::ResetMapiAvailable();
    PlotExport::RemoveKeptTempFiles();
    ExportTestBase::TearDown();
  }
  TLineSeries* AddSeries() {
    auto* S = Create<TLineSeries>(Chart);
    S->SetName("Series" + std::to_string(Chart->SeriesCount() + 1));
    Chart->AddSeries(S);
    S->AppendPoint(1, 10, "a");
    S->AppendPoint(2, 20, "b");
    return S;
  }
  // Shows the dialog, runs Script inside it and closes it.
  void Run(const std::function<void(TPlotExportForm&)>& Script) {
    Seam.AnswerModal([&](TForm& F) {
      Script(dynamic_cast<TPlotExportForm&>(F));
      return mrCancel;
    });
    Form->ShowModal();
  }
  std::string Text(const std::string& Name) {
    const auto B = ImageFiles::ReadFileBytes(Path(Name));
    return std::string(B.begin(), B.end());
  }

  TScriptedUserSeam Seam;
  TCustomChart* Chart = nullptr;
  TPlotExportForm* Form = nullptr;
};

TEST_F(ExportDialog, ButtonsFollowThePageTheFormatAndTheChart) {
  Seam.MailInstalled = true;
  struct TState {
    bool Copy, Save, Send;
  };
  auto State = [](TPlotExportForm& D) { return TState{D.BCopy->GetEnabled(), D.BSave->GetEnabled(), D.BSend->GetEnabled()}; };
  auto Expect = [](const TState& S, const TState& E, const char* Where) {
    EXPECT_EQ(S.Copy, E.Copy) << Where;
    EXPECT_EQ(S.Save, E.Save) << Where;
    EXPECT_EQ(S.Send, E.Send) << Where;
  };
  Run([&](TPlotExportForm& D) {
    EXPECT_EQ(D.GetCaption(), "Export Dialog");
    Expect(State(D), {true, true, true}, "picture");
    D.PageControl1->SelectPage(D.TabData);
    Expect(State(D), {false, false, false}, "data without series");
    D.PageControl1->SelectPage(D.TabNative);
    Expect(State(D), {false, true, true}, "native binary");
    D.CBNativeFormat->SetItemIndex(1);
    D.UpdateButtonStates();
    Expect(State(D), {true, true, true}, "native text");
  });
  AddSeries();
  Run([&](TPlotExportForm& D) {
    D.PageControl1->SelectPage(D.TabData);
    Expect(State(D), {true, true, true}, "data text");
    D.RGText->SetItemIndex(3);
    Expect(State(D), {false, true, true}, "data excel");
    EXPECT_EQ(D.CBSeries->Items()->Get(0), "(all)");
    EXPECT_EQ(D.CBSeries->Items()->Count(), 2);
  });
  // Without a mail program Send stays off everywhere.
  Seam.MailInstalled = false;
  PlotExport::ResetMapiAvailable();
  Run([&](TPlotExportForm& D) { Expect(State(D), {true, true, false}, "picture without mail"); });
}

TEST_F(ExportDialog, KeepingTheAspectRatioCouplesWidthAndHeight) {
  Run([&](TPlotExportForm& D) {
    EXPECT_EQ(D.EWidth->GetText(), "400");
    EXPECT_EQ(D.EHeight->GetText(), "250");
    D.EWidth->SetText("800");
    EXPECT_EQ(D.EHeight->GetText(), "500");
    D.EHeight->SetText("125");
    EXPECT_EQ(D.EWidth->GetText(), "200");
    D.CBAspect->SetChecked(false);
    D.EWidth->SetText("640");
    EXPECT_EQ(D.EHeight->GetText(), "125");
  });
}

TEST_F(ExportDialog, PictureFilterIsBuiltAfreshOnEveryShow) {
  for (int Show = 0; Show < 2; ++Show) {
    Run([&](TPlotExportForm& D) {
      EXPECT_EQ(D.SaveDialogPicture->Filter,
                "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|Bitmaps (*.bmp)|*.bmp");
      ASSERT_EQ(D.FormatCount(), 2);
      EXPECT_EQ(D.Format(0)->FilterIndex(), 1);
      EXPECT_EQ(D.Format(1)->FilterIndex(), 3);
      EXPECT_EQ(D.LBFormat->Items()->Get(0), "as Metafile");
      EXPECT_EQ(D.LBFormat->Items()->Get(1), "as Bitmap");
      // The metafile's options are embedded on the Options page.
      EXPECT_TRUE(D.TabOptions->GetTabVisible());
      EXPECT_EQ(D.PageOptions->GetActivePage(), D.TabOptions);
    });
  }
}

TEST_F(ExportDialog, PictureSaveUsesTheFormatOfTheChosenFile) {
  Seam.AnswerModal([&](TForm& F) {
    auto& D = dynamic_cast<TPlotExportForm&>(F);
    D.LBFormat->SetItemIndex(0);
    D.ShowPictureOptions();
    D.EWidth->SetText("200");  // height follows: 125
    D.SaveClick();
    return mrCancel;
  });
  Seam.AnswerFileDialog([&](const TFileDialogRequest& R) -> std::optional<TFileDialogResult> {
    EXPECT_EQ(R.DefaultExt, "emf");
    EXPECT_EQ(R.FilterIndex, 1);
    EXPECT_TRUE(R.OverwritePrompt);
    return TFileDialogResult{{Path("picture.bmp")}, 3};
  });
  Form->ShowModal();
  const auto Image = ImageFiles::ReadBmp(ImageFiles::ReadFileBytes(Path("picture.bmp")));
  EXPECT_EQ(Image.Width, 200);
  EXPECT_EQ(Image.Height, 125);
}

TEST_F(ExportDialog, DataSaveTakesFormatAndDelimiterFromTheChosenFilter) {
  AddSeries();
  const struct {
    int Filter;
    int ExpectKind;
    int ExpectDelim;
    const char* Name;
  } Cases[] = {{6, 1, 1, "data.xml"}, {3, 0, 2, "data.csv"}, {8, 3, 1, "data.xls"}};
  for (const auto& C : Cases) {
    Seam.AnswerModal([&](TForm& F) {
      auto& D = dynamic_cast<TPlotExportForm&>(F);
      D.PageControl1->SelectPage(D.TabData);
      D.CBHeader->SetChecked(false);
      D.CBLabels->SetChecked(false);
      D.SaveClick();
      EXPECT_EQ(D.RGText->GetItemIndex(), C.ExpectKind) << C.Name;
      EXPECT_EQ(D.CBDelim->GetItemIndex(), C.ExpectDelim) << C.Name;
      return mrCancel;
    });
    Seam.AnswerFileDialog([&](const TFileDialogRequest& R) -> std::optional<TFileDialogResult> {
      EXPECT_EQ(R.FilterIndex, 2);  // text with the Tab delimiter, chosen on show
      EXPECT_EQ(R.Filters.size(), 8u);
      return TFileDialogResult{{Path(C.Name)}, C.Filter};
    });
    Form->ShowModal();
  }
  EXPECT_EQ(Text("data.xml").rfind("<", 0), 0u);  // XML elements, no declaration without the header
  EXPECT_NE(Text("data.xml").find("20"), std::string::npos);
  EXPECT_NE(Text("data.csv").find("1,10"), std::string::npos);
  EXPECT_FALSE(Text("data.xls").empty());
}

TEST_F(ExportDialog, NativeSaveAlwaysWritesAChartFile) {
  AddSeries();
  Seam.AnswerModal([&](TForm& F) {
    auto& D = dynamic_cast<TPlotExportForm&>(F);
    D.PageControl1->SelectPage(D.TabNative);
    D.CBNativeFormat->SetItemIndex(1);
    D.CBFileSize->SetChecked(true);
    EXPECT_NE(D.LabelSize->GetCaption().find(" bytes"), std::string::npos);
    D.SaveClick();
    return mrCancel;
  });
  Seam.AnswerFileDialog(TFileDialogResult{{Path("chart.txt")}, 1});
  Form->ShowModal();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("chart.txt"))));
  EXPECT_EQ(Text("chart.chf").rfind("object", 0), 0u);
}

TEST_F(ExportDialog, SendWritesAKeptAttachmentAndReportsMailErrors) {
  Seam.MailInstalled = true;
  AddSeries();
  std::vector<bool> KeptWhenSent;
  Run([&](TPlotExportForm& D) {
    D.LBFormat->SetItemIndex(1);
    Seam.AnswerMail(true);
    D.SendClick();
    KeptWhenSent.push_back(QFile::exists(QString::fromStdString(Seam.Prompts().back().Text)));
    D.PageControl1->SelectPage(D.TabData);
    D.RGText->SetItemIndex(1);
    Seam.AnswerMail(true);
    D.SendClick();
    KeptWhenSent.push_back(QFile::exists(QString::fromStdString(Seam.Prompts().back().Text)));
    Seam.AnswerMail(false);
    try {
      D.SendClick();
      ADD_FAILURE() << "a refused mail was not reported";
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "Can not email chart. Mapi Error: 2");
    }
  });
  std::vector<TPromptRecord> Sent;
  for (const TPromptRecord& P : Seam.Prompts())
    if (P.Kind == TPromptKind::Mail) Sent.push_back(P);
  ASSERT_EQ(Sent.size(), 3u);
  EXPECT_EQ(SysUtils::ExtractFileName(Sent[0].Text), "Chart.bmp");
  EXPECT_EQ(Sent[0].Caption, "Chart");
  EXPECT_EQ(SysUtils::ExtractFileName(Sent[1].Text), "Chart.xml");
  EXPECT_EQ(KeptWhenSent, (std::vector<bool>{true, true}));
  // The mail program reads the attachment later: it is still there after the
  // export's own temporary files are gone.
  PlotExport::RemoveKeptTempFiles();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Sent[0].Text)));
}
}  // namespace

}  // namespace ExportDialogTests
