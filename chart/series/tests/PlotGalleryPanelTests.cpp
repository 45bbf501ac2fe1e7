// The series gallery panel: page layout, keyboard, compatibility, looks,
// sub-styles and the smooth picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotGalleryPanel.h"
#include "chart/series/Series.h"
#include "platform/rtl/ClassInfo.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ScriptedUserSeam.h"

namespace PlotGalleryPanelTests {

namespace {

// Settings go to a folder of the test's own.
void UseTestSettings() {
  static const std::string Dir = (std::filesystem::temp_directory_path() / "kv-gallery-tests").string();
  if (!std::getenv("KV_CONFIG_DIR")) setenv("KV_CONFIG_DIR", Dir.c_str(), 0);
}

void DeleteEditorValue(const std::string& Name) {
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  if (Reg.OpenKey(PlotProcs::EditorKey, true) && Reg.ValueExists(Name)) Reg.DeleteValue(Name);
}

class GalleryPanel : public ::testing::Test {
protected:
  void SetUp() override {
    UseTestSettings();
    Forms::EnsureToolkit();
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Series::Initialization();
    DeleteEditorValue("SmoothGallery");
    Panel = Create<TChartGalleryPanel>(nullptr);
    Panel->BevelOuter = TPanelBevel::bvNone;
    Panel->SetBounds(0, 0, 404, 302);
  }
  void TearDown() override {
    Panel->Free();
    auto& Items = Chart::SeriesTypes().Items();
    Items.resize(Items.size() - static_cast<size_t>(Added));
  }
  // Registers N line types on a page of their own.
  void AddPage(const std::string* Page, int32_t N) {
    static const std::string Name = "Sample";
    for (int32_t i = 0; i < N; ++i) Push(TLineSeries::StaticClass(), &Name, Page);
  }
  // The registry keeps one entry per class; pages of sample types are pushed directly.
  void Push(TClass Class, const std::string* Name, const std::string* Page) {
    auto T = std::make_unique<TPlotSeriesType>();
    T->SeriesClassRef = Class;
    T->DescriptionText = Name;
    T->PageName = Page;
    T->SampleSeriesCount = 1;
    Chart::SeriesTypes().Items().push_back(std::move(T));
    ++Added;
  }
  TChartGalleryPanel* Panel = nullptr;
  int32_t Added = 0;
};

TEST_F(GalleryPanel, RowsFollowTheTypeCountAndCellsDivideThePanel) {
  static const std::string Thirteen = "Thirteen", Five = "Five";
  AddPage(&Thirteen, 13);
  AddPage(&Five, 5);
  struct TCase {
    const std::string* Page;
    int32_t Rows, Charts;
  };
  for (const TCase& C : {TCase{&Thirteen, 4, 13}, TCase{&Five, 3, 5}}) {
    Panel->SetNumRows(3);
    Panel->CreateChartsForPage(*C.Page);
    EXPECT_EQ(Panel->GetNumRows(), C.Rows) << *C.Page;
    ASSERT_EQ(Panel->Charts().Count(), C.Charts);
    const int32_t B = Panel->BevelWidth;  // 1: counted whatever the bevel
    EXPECT_EQ(Panel->CellWidth(), (404 - B) / 4);
    EXPECT_EQ(Panel->CellHeight(), (302 - B) / C.Rows);
    // Chart k sits at column k mod 4, row k div 4.
    for (int32_t k = 0; k < C.Charts; ++k) {
      const TGalleryChartWindow* W = Panel->Charts().GetChart(k)->Window;
      EXPECT_EQ(W->GetLeft(), B + (k % 4) * Panel->CellWidth());
      EXPECT_EQ(W->GetTop(), B + (k / 4) * Panel->CellHeight());
      EXPECT_EQ(W->GetWidth(), Panel->CellWidth());
    }
  }
}

TEST_F(GalleryPanel, ArrowKeysMoveInsideTheGridOnly) {
  static const std::string Page = "Keys";
  AddPage(&Page, 6);
  Panel->CreateChartsForPage(Page);
  TChartList& L = Panel->Charts();
  ASSERT_EQ(Panel->GetSelectedChart(), L.GetChart(0));
  uint16_t Key = VK_LEFT;
  Panel->KeyDown(Key, {});
  EXPECT_EQ(Panel->GetSelectedChart(), L.GetChart(0)) << "left at column 0";
  for (int i = 0; i < 3; ++i) {
    Key = VK_RIGHT;
    Panel->KeyDown(Key, {});
  }
  EXPECT_EQ(Panel->GetSelectedChart(), L.GetChart(3));
  Key = VK_RIGHT;
  Panel->KeyDown(Key, {});
  EXPECT_EQ(Panel->GetSelectedChart(), L.GetChart(3)) << "right off the grid";
  Key = VK_DOWN;
  Panel->KeyDown(Key, {});
  EXPECT_EQ(Panel->GetSelectedChart(), L.GetChart(3)) << "no chart below";
  Key = VK_LEFT;
  Panel->KeyDown(Key, {});
  Key = VK_LEFT;
  Panel->KeyDown(Key, {});
  Key = VK_DOWN;
  Panel->KeyDown(Key, {});
  EXPECT_EQ(Panel->GetSelectedChart(), L.GetChart(5));
  int Selected = 0;
  Panel->OnSelectedChart = [&](TObject*) { ++Selected; };
  Key = VK_RETURN;
  Panel->KeyDown(Key, {});
  EXPECT_EQ(Selected, 1);
}

// A series that takes only series of its own class as data source, as the
// high-low series does.
class TPickySeries : public TLineSeries {
  KV_CLASS(TPickySeries, TLineSeries)
public:
  using TLineSeries::TLineSeries;
  bool AcceptsDataSource(TComponent* C) const override { return dynamic_cast<TPickySeries*>(C) != nullptr; }
};
KV_CLASS_IMPL(TPickySeries, TLineSeries) {}

TEST_F(GalleryPanel, IncompatibleChartsAreDisabledAndCannotBeSelected) {
  static const std::string Page = "Picky", Name = "Picky";
  AddPage(&Page, 2);
  ClassInfo::RegisterClass(TPickySeries::StaticClass());
  Push(TPickySeries::StaticClass(), &Name, &Page);
  std::unique_ptr<TComponent> Owner(new TComponent(nullptr));
  auto* Ref = Create<TPickySeries>(Owner.get());
  Panel->ReferenceSeries = Ref;
  Panel->CheckCompatibility = true;
  Panel->CreateChartsForPage(Page);
  TChartList& L = Panel->Charts();
  ASSERT_EQ(L.Count(), 3);
  for (int32_t k = 0; k < 2; ++k) {
    TGalleryChart* C = L.GetChart(k);
    EXPECT_FALSE(C->GalleryEnabled);
    EXPECT_EQ(C->Window->GetCursor(), crNoDrop);
    EXPECT_EQ(C->Title()->Font()->GetColor(), 0x808080);
    Panel->SelectChart(C);
    Panel->ChartPressed(C, TPoint(50, 10));
  }
  EXPECT_EQ(Panel->GetSelectedChart(), L.GetChart(2)) << "the reference's own class is current";
  EXPECT_TRUE(L.GetChart(2)->GalleryEnabled);
  EXPECT_EQ(L.GetChart(2)->Window->GetCursor(), crHandPoint);
}

TEST_F(GalleryPanel, SelectedAndUnselectedLooks) {
  static const std::string Page = "Looks";
  AddPage(&Page, 2);
  Panel->CreateChartsForPage(Page);
  TGalleryChart* A = Panel->Charts().GetChart(0);
  TGalleryChart* B = Panel->Charts().GetChart(1);
  Panel->ChartPressed(B, TPoint(60, 10));
  EXPECT_EQ(Panel->GetSelectedChart(), B);
  EXPECT_TRUE(B->GetGradient()->GetVisible());
  EXPECT_EQ(B->GetGradient()->GetDirection(), gdFromTopLeft);
  EXPECT_EQ(B->Title()->Font()->GetColor(), clBlack);
  EXPECT_EQ(B->Title()->Font()->GetSize(), 9);
  EXPECT_TRUE(B->Title()->Font()->GetStyle().Contains(TFontStyle::fsBold));
  EXPECT_EQ(B->GetBevelOuter(), bvRaised);
  EXPECT_EQ(B->View3DOptions()->GetRotation(), 345);
  EXPECT_FALSE(A->GetGradient()->GetVisible());
  EXPECT_EQ(A->Title()->Font()->GetColor(), 0x800000);
  EXPECT_EQ(A->GetBevelOuter(), bvNone);
  EXPECT_EQ(A->View3DOptions()->GetRotation(), 335);
}

TEST_F(GalleryPanel, SubStyleZeroRebuildsTheSeriesAndOthersApplyTheVariant) {
  static const std::string Page = "Sub";
  AddPage(&Page, 1);
  Panel->CreateChartsForPage(Page);
  TGalleryChart* C = Panel->GetSelectedChart();
  ASSERT_NE(C, nullptr);
  std::vector<std::string> Names;
  TLineSeries Probe(nullptr);
  Probe.ListGalleryVariants([&](const std::string& N) { Names.push_back(N); });
  const int32_t Stairs = static_cast<int32_t>(std::find(Names.begin(), Names.end(), "Stairs") - Names.begin());
  ASSERT_LT(Stairs, static_cast<int32_t>(Names.size()));
  Panel->ApplySubStyle(*Panel, Stairs);
  EXPECT_TRUE(dynamic_cast<TLineSeries*>(C->GetSeries(0))->GetStairs());
  EXPECT_EQ(C->Tag, Stairs);
  Panel->ApplySubStyle(*Panel, 0);
  ASSERT_EQ(C->SeriesCount(), 1);
  EXPECT_FALSE(dynamic_cast<TLineSeries*>(C->GetSeries(0))->GetStairs());
  EXPECT_EQ(C->Tag, 0);
}

TEST_F(GalleryPanel, SubGalleryListsTheVariantsAndAPickAppliesIt) {
  static const std::string Page = "SubWindow";
  AddPage(&Page, 1);
  Panel->CreateChartsForPage(Page);
  TGalleryChart* C = Panel->GetSelectedChart();
  TScriptedUserSeam Seam;
  Seam.OnUnexpected = [](const std::string& S) { ADD_FAILURE() << S; };
  int32_t Subs = 0;
  Panel->OnSubSelected = [&](TObject*) { ++Subs; };
  Seam.AnswerModal([&](TForm& F) {
    EXPECT_EQ(F.GetBorderStyle(), TFormBorderStyle::bsNone);
    TChartGalleryPanel* Sub = Panel->SubGalleryPanel();
    EXPECT_TRUE(Sub->IsSubGallery);
    EXPECT_FALSE(Sub->DisplaySub);
    TLineSeries Probe(nullptr);
    int32_t N = 0;
    Probe.ListGalleryVariants([&](const std::string&) { ++N; });
    EXPECT_EQ(Sub->Charts().Count(), N);
    EXPECT_EQ(Sub->Charts().GetChart(1)->Tag, 1);
    Sub->SelectChart(Sub->Charts().GetChart(1));
    return F.GetModalResult();
  });
  Panel->ShowSubGallery();
  EXPECT_EQ(C->Tag, 1);
  EXPECT_EQ(Subs, 1);
  EXPECT_EQ(Panel->GetSelectedChart(), C);
}

TEST_F(GalleryPanel, SmoothGalleryIsReadAtCreationAndWrittenWhenChanged) {
  EXPECT_FALSE(Panel->GetSmooth());
  Panel->SetSmooth(true);
  Panel->Free();
  Panel = nullptr;
  EXPECT_TRUE(PlotProcs::ReadEditorBool("SmoothGallery", false));
  Panel = Create<TChartGalleryPanel>(nullptr);
  EXPECT_TRUE(Panel->GetSmooth());
}

TEST_F(GalleryPanel, SmoothRedrawsKeepTheLabelFontSizes) {
  static const std::string Page = "Smooth";
  AddPage(&Page, 1);
  Panel->SetSmooth(true);
  Panel->CreateChartsForPage(Page);
  TGalleryChart* C = Panel->Charts().GetChart(0);
  const int32_t Left = C->LeftAxis()->LabelsFont()->GetSize();
  const int32_t Bottom = C->BottomAxis()->LabelsFont()->GetSize();
  const int32_t Top = C->GetMargin(1);
  TBitmap B(C->Window->GetWidth(), C->Window->GetHeight());
  for (int i = 0; i < 10; ++i) C->Window->PaintTo(B);
  EXPECT_EQ(C->LeftAxis()->LabelsFont()->GetSize(), Left);
  EXPECT_EQ(C->BottomAxis()->LabelsFont()->GetSize(), Bottom);
  EXPECT_EQ(C->GetMargin(1), Top);
  EXPECT_TRUE(C->Title()->GetVisible());
  EXPECT_FALSE(C->MakingPicture);
}

TEST_F(GalleryPanel, ClearingTheListFreesTheCharts) {
  static const std::string Page = "Clear";
  AddPage(&Page, 3);
  Panel->CreateChartsForPage(Page);
  const int32_t Before = Panel->ComponentCount();
  Panel->Charts().Clear();
  EXPECT_EQ(Panel->Charts().Count(), 0);
  EXPECT_LT(Panel->ComponentCount(), Before);
}

}  // namespace

}  // namespace PlotGalleryPanelTests
