// A chart holding one tool of every class saved as a chart file, binary and
// text, comes back with the same published properties, compared recursively
// through the property tables.
#include <gtest/gtest.h>

#include <cstdlib>

#include "chart/series/PlotStore.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/rtl/ClassInfo.h"

namespace ToolsStoreTests {

namespace {

template <class T>
T* NewTool(TCustomChart* Chart, const std::string& Name) {
  T* t = Create<T>(Chart);
  t->SetName(Name);
  t->SetParentChart(Chart);
  return t;
}

// Fills a chart with one tool of every class, each set away from its defaults.
void AddEveryTool(TCustomChart* Chart, TLineSeries* Line) {
  auto* cursor = NewTool<TCursorTool>(Chart, "Cursor1");
  cursor->SetSeries(Line);
  cursor->SetStyle(cssVertical);
  cursor->Snap = true;
  cursor->ClickTolerance = 5;
  cursor->Pen()->SetColor(clRed);
  NewTool<TDragMarksTool>(Chart, "DragMarks1")->SetSeries(Line);
  auto* arrows = NewTool<TAxisArrowTool>(Chart, "Arrows1");
  arrows->SetAxis(Chart->LeftAxis());
  arrows->SetLength(20);
  arrows->SetPosition(aaStart);
  arrows->ScrollPercent = 25;
  auto* draw = NewTool<TDrawLineTool>(Chart, "DrawLine1");
  draw->ClickTolerance = 2;
  TDrawLine* l = draw->Lines()->AddLine();
  l->SetX0(1.5), l->SetY0(2), l->SetX1(7.25), l->SetY1(-3);
  l->SetStyle(dlHorizParallel);
  l->GetPen()->SetColor(clRed);
  l->GetPen()->SetWidth(2);
  draw->Lines()->AddLine()->SetX1(4);
  auto* nearest = NewTool<TNearestTool>(Chart, "Nearest1");
  nearest->SetSeries(Line);
  nearest->SetSize(12);
  nearest->SetStyle(hsDiamond);
  nearest->FullRepaint = false;
  nearest->LinePen()->SetColor(clGreen);
  auto* band = NewTool<TColorBandTool>(Chart, "Band1");
  band->SetAxis(Chart->BottomAxis());
  band->SetStartValue(2);
  band->SetEndValue(6);
  band->SetColor(clYellow);
  band->SetResizeStart(true);
  band->StartLinePen()->SetColor(clBlue);
  band->SetTransparency(30);
  band->Gradient()->SetVisible(true);
  auto* line = NewTool<TColorLineTool>(Chart, "ColorLine1");
  line->SetAxis(Chart->LeftAxis());
  line->SetValue(3.5);
  line->DragRepaint = true;
  line->NoLimitDrag = true;
  auto* rotate = NewTool<TRotateTool>(Chart, "Rotate1");
  rotate->Inverted = true;
  rotate->Style = rsRotation;
  rotate->Button = TMouseButton::mbRight;
  NewTool<TChartImageTool>(Chart, "Image1")->SetSeries(Line);
  auto* tip = NewTool<TMarksTipTool>(Chart, "Tip1");
  tip->SetMouseAction(mtmClick);
  tip->Style = smsValue;
  auto* note = NewTool<TAnnotationTool>(Chart, "Note1");
  note->SetText("Line 1\rLine 2");
  note->SetPosition(ppRightBottom);
  note->SetTextAlignment(TAlignment::taCenter);
  note->Callout()->SetVisible(true);
  note->Callout()->Arrow()->SetVisible(true);
  note->Callout()->SetXPosition(100);
  note->Callout()->SetYPosition(50);
  note->Shape()->SetColor(clAqua);
  note->Shape()->Font()->SetSize(12);
  auto* anim = NewTool<TSeriesAnimationTool>(Chart, "Anim1");
  anim->SetSeries(Line);
  anim->Steps = 40;
  anim->Loop = salCircular;
  anim->StartAtMin = false;
  anim->StartValue = 2.5;
  anim->DrawEvery = 3;
  auto* grid = NewTool<TGridBandTool>(Chart, "Grid1");
  grid->SetAxis(Chart->BottomAxis());
  grid->Band1()->SetColor(clSilver);
  grid->Band2()->SetBackColor(clRed);
  grid->Band2()->SetTransparency(40);
  auto* scroll = NewTool<TAxisScrollTool>(Chart, "Scroll1");
  scroll->SetAxis(Chart->TopAxis());
  scroll->ScrollInverted = true;
  auto* rect = NewTool<TRectangleTool>(Chart, "Rect1");
  rect->SetText("box");
  rect->SetLeft(70);
  NewTool<TClipSeriesTool>(Chart, "Clip1")->SetSeries(Line);
}

// Compares every published property that is stored, descending into owned
// objects and collections; references compare by name.
void ExpectSameProperties(const TPersistent* A, const TPersistent* B, const std::string& Path) {
  ASSERT_EQ(A->ClassType(), B->ClassType()) << Path;
  for (const TPropInfo* p : A->ClassType()->Properties()) {
    // Properties never stored (Stored false, or not stored on either side) are skipped.
    if (p->StoredRule && !p->StoredRule(A) && !p->StoredRule(B)) continue;
    const std::string at = Path + "." + p->Name;
    if (p->Kind != TPropKind::pkClass) {
      EXPECT_EQ(p->GetText(A), p->GetText(B)) << at;
      continue;
    }
    TObject* a = std::get<TObject*>(p->Get(A));
    TObject* b = std::get<TObject*>(p->Get(B));
    if (!a || !b) {
      EXPECT_EQ(a == nullptr, b == nullptr) << at;
      continue;
    }
    if (auto* ca = dynamic_cast<TComponent*>(a)) {
      EXPECT_EQ(ca->GetName(), dynamic_cast<TComponent*>(b)->GetName()) << at;
    } else if (auto* la = dynamic_cast<TCollection*>(a)) {
      auto* lb = dynamic_cast<TCollection*>(b);
      ASSERT_EQ(la->Count(), lb->Count()) << at;
      for (int i = 0; i < la->Count(); ++i) ExpectSameProperties(la->Items(i), lb->Items(i), at + "[" + std::to_string(i) + "]");
    } else if (auto* pa = dynamic_cast<TPersistent*>(a)) {
      ExpectSameProperties(pa, dynamic_cast<TPersistent*>(b), at);
    }
  }
}

class ToolsStoreTest : public testing::TestWithParam<bool> {};

TEST_P(ToolsStoreTest, EveryToolComesBackWithItsPublishedProperties) {
  PlotTools::RegisterTools();
  TCustomChart* src = Create<TChart>(nullptr);
  src->SetName("SourceChart");
  auto* series = Create<TLineSeries>(src);
  series->SetName("Series1");
  src->AddSeries(series);
  series->AppendPoint(1, 2);
  AddEveryTool(src, series);
  ASSERT_EQ(src->GetTools().Count(), 16);
  TMemoryStream s;
  PlotStore::WritePlotStream(src, s, true, GetParam());
  s.SetPosition(0);
  TCustomChart* dst = Create<TChart>(nullptr);
  dst->SetName("TargetChart");
  PlotStore::ReadPlotStream(dst, s, true, nullptr);
  ASSERT_EQ(dst->GetTools().Count(), 16);
  for (int32_t i = 0; i < 16; ++i) {
    TPlotCustomTool* a = src->GetTools().ToolAt(i);
    TPlotCustomTool* b = dst->GetTools().ToolAt(i);
    ASSERT_EQ(a->GetName(), b->GetName());
    ExpectSameProperties(a, b, a->GetName());
    if (auto* ta = dynamic_cast<TPlotCustomToolAxis*>(a)) {
      EXPECT_EQ(ta->GetAxisID(), dynamic_cast<TPlotCustomToolAxis*>(b)->GetAxisID()) << a->GetName();
    }
  }
  // The band's lines and the grid band's hook come back with the axis.
  auto* band = dynamic_cast<TColorBandTool*>(dst->FindComponent("Band1"));
  ASSERT_NE(band, nullptr);
  EXPECT_EQ(band->GetAxis(), dst->BottomAxis());
  EXPECT_DOUBLE_EQ(band->StartLine()->GetValue(), 2);
  EXPECT_TRUE(band->StartLine()->GetActive());
  EXPECT_TRUE(bool(dst->BottomAxis()->GridHook));
  auto* clip = dynamic_cast<TClipSeriesTool*>(dst->FindComponent("Clip1"));
  ASSERT_NE(clip, nullptr);
  EXPECT_TRUE(dst->GetSeries(0)->HasDrawHook(clip));
  dst->Free();
  src->Free();
}

INSTANTIATE_TEST_SUITE_P(BinaryAndText, ToolsStoreTest, testing::Values(false, true));

TEST(ToolsStore, DamagedToolEntriesAreReportedOrSkippedAndTheChartStaysUsable) {
  TCustomChart* src = Create<TChart>(nullptr);
  src->SetName("SourceChart");
  auto* series = Create<TLineSeries>(src);
  series->SetName("Series1");
  src->AddSeries(series);
  series->AppendPoint(1, 2);
  AddEveryTool(src, series);
  TMemoryStream saved;
  PlotStore::WritePlotStream(src, saved, true, true);
  const std::string text = saved.DataString();
  src->Free();
  if (const char* seed = std::getenv("KV_TOOLS_SEED")) {
    TFileStream f(seed, fmCreate);
    f.WriteString(text);
  }
  const struct {
    const char* From;
    const char* To;
  } damage[] = {{"AxisID = 2", "AxisID = 99"}, {"Steps = 40", "Steps = -5"}, {"X0 = 1.5", "X0 = 1E308"},
                {"Style = dlHorizParallel", "Style = dlNothing"}, {"Length = 20", "Length = 'abc'"},
                {"Size = 12", "Size = -2147483648"}, {"Text = 'box'", "Text = "},
                {"Shape.Left = 70", "Shape.Left = 2147483647"}};
  for (const auto& d : damage) {
    std::string bad = text;
    const size_t at = bad.find(d.From);
    ASSERT_NE(at, std::string::npos) << d.From;
    bad.replace(at, std::string(d.From).size(), d.To);
    TCustomChart* dst = Create<TChart>(nullptr);
    dst->SetName("TargetChart");
    TMemoryStream in;
    in.WriteString(bad);
    in.SetPosition(0);
    try {
      PlotStore::ReadPlotStream(dst, in, true, [](TReader&, const std::string&) { return true; });
    } catch (const Exception& e) {
      EXPECT_FALSE(std::string(e.what()).empty()) << d.To;
    }
    // Whatever was read draws, takes the mouse and animates without harm.
    dst->SetBounds(300, 200);
    TBitmap picture(300, 200);
    dst->WindowCanvas = picture.GetCanvas();
    dst->DrawTo(*picture.GetCanvas(), TRect(0, 0, 300, 200));
    for (TPoint p : {TPoint(50, 50), TPoint(150, 100), TPoint(290, 190)}) {
      dst->MouseMove({}, p.X, p.Y);
      dst->MouseDown(TMouseButton::mbLeft, {}, p.X, p.Y);
      dst->MouseMove({}, p.X + 7, p.Y + 5);
      dst->MouseUp(TMouseButton::mbLeft, {}, p.X + 7, p.Y + 5);
    }
    if (auto* anim = dynamic_cast<TSeriesAnimationTool*>(dst->FindComponent("Anim1"))) {
      anim->Execute();
      for (int i = 0; i < 1000 && anim->IsAnimating(); ++i) anim->Step();
      anim->RequestStop();  // the stored loop is circular: it runs until stopped
      anim->Step();
      EXPECT_FALSE(anim->IsAnimating()) << d.To;
    }
    dst->WindowCanvas = nullptr;
    dst->Free();
  }
}

}  // namespace

}  // namespace ToolsStoreTests
