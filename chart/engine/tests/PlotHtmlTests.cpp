#include "CanvasFixture.h"
#include "chart/engine/PlotHtml.h"

namespace PlotHtmlTests {

namespace {

class HtmlTest : public CanvasFixture {
protected:
  void SetUp() override {
    CanvasFixture::SetUp();
    Canvas->ClearRecord();
  }
  const RecordingCanvas::TextRecord& Text(size_t I) {
    EXPECT_LT(I, Canvas->Texts.size());
    return Canvas->Texts.at(I);
  }
};

TEST_F(HtmlTest, StylesOnOneLine) {
  PlotHtml::HtmlTextOut(*Canvas, 10, 20, "a<B>b</B>c");
  ASSERT_EQ(Canvas->Texts.size(), 3u);
  EXPECT_EQ(Text(0).Text, "a");
  EXPECT_TRUE(Text(1).Style.Contains(fsBold));
  EXPECT_FALSE(Text(2).Style.Contains(fsBold));
  EXPECT_EQ(Text(0).Y, 20);
  EXPECT_EQ(Text(2).Y, 20);
  EXPECT_EQ(Text(1).X, 10 + Canvas->TextWidth("a"));
  // Two ways, same picture: the HTML text and the three runs drawn by hand.
  TBitmap html;
  html.Assign(*Bitmap);
  Clear(clWhite);
  Canvas->TextOut(Text(0).X, 20, "a");
  Canvas->Font->SetStyle(fsBold);
  Canvas->TextOut(Text(1).X, 20, "b");
  Canvas->Font->SetStyle(TFontStyles());
  Canvas->TextOut(Text(2).X, 20, "c");
  EXPECT_TRUE(SamePixels(html, *Bitmap));
  // The canvas font comes back unchanged.
  EXPECT_FALSE(Canvas->Font->GetStyle().Contains(fsBold));
}

TEST_F(HtmlTest, TagTable) {
  struct Case {
    const char* Html;
    size_t Index;       // text run to check
    const char* Run;
    int32_t Size;       // 0: not checked
    TFontStyles Style;
    TColor Color;
    const char* Name;   // nullptr: not checked
  } cases[] = {
      {"<I>x</>y", 1, "y", 8, {}, clBlack, nullptr},
      {"<I>x</>y", 0, "x", 8, fsItalic, clBlack, nullptr},
      {"<H1>Title</>x", 0, "Title", 48, {}, clBlack, nullptr},
      {"<H1>Title</>x", 1, "x", 8, {}, clBlack, nullptr},
      {"<h6>s</h6>", 0, "s", 8, {}, clBlack, nullptr},
      {"<FONT color=#FF0000 size=+2>red</FONT>n", 0, "red", 10, {}, RGB(255, 0, 0), nullptr},
      {"<FONT color=#FF0000 size=+2>red</FONT>n", 1, "n", 8, {}, clBlack, nullptr},
      {"<font name=\"Times New Roman\" color=blue>t", 0, "t", 8, {}, clBlue, "Times New Roman"},
      {"<B><I><BIG>x</>y", 0, "x", 10, {fsBold, fsItalic}, clBlack, nullptr},
      {"<B><I><BIG>x</>y", 1, "y", 8, {fsBold, fsItalic}, clBlack, nullptr},
      {"<B><I>x</>y", 1, "y", 8, fsBold, clBlack, nullptr},
      {"<PRE>code</PRE>", 0, "code", 8, {}, clBlack, "COURIER NEW"},
      {"&lt;tag&gt; &amp; &quot;", 0, "<tag> & \"", 8, {}, clBlack, nullptr},
      {"<TABLE>", 0, "<TABLE>", 8, {}, clBlack, nullptr},
      {"<FONT weight=BOLD, STRIKE>w", 0, "w", 8, {fsBold, fsStrikeOut}, clBlack, nullptr},
      {"<U><STRIKE>u</U>v", 1, "v", 8, fsStrikeOut, clBlack, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Html);
    Canvas->ClearRecord();
    PlotHtml::HtmlTextOut(*Canvas, 0, 0, c.Html);
    ASSERT_GT(Canvas->Texts.size(), c.Index);
    const auto& t = Text(c.Index);
    EXPECT_EQ(t.Text, c.Run);
    EXPECT_EQ(t.Size, c.Size);
    EXPECT_EQ(t.Style, c.Style);
    EXPECT_EQ(t.Color, c.Color);
    if (c.Name) {
      EXPECT_EQ(t.Name, c.Name);
    }
  }
}

TEST_F(HtmlTest, SubscriptSuperscriptAndBreaksMoveThePen) {
  const int32_t h8 = Canvas->FontHeight();
  PlotHtml::HtmlTextOut(*Canvas, 0, 0, "a<SUB>b</SUB>c");
  Canvas->Font->SetSize(4);
  const int32_t h4 = Canvas->FontHeight();
  Canvas->Font->SetSize(8);
  ASSERT_EQ(Canvas->Texts.size(), 3u);
  EXPECT_EQ(Text(1).Size, 4);
  // Down by the halved font's height (then the smaller run drops a little more).
  EXPECT_GE(Text(1).Y, h4);
  EXPECT_EQ(Text(2).Y, Text(1).Y - h8);
  Canvas->ClearRecord();
  PlotHtml::HtmlTextOut(*Canvas, 5, 0, "a<BR>b\r\n<I>c");
  ASSERT_EQ(Canvas->Texts.size(), 3u);
  EXPECT_EQ(Text(1).X, 5);
  EXPECT_EQ(Text(1).Y, 2 * h8);  // a break leaves one empty line
  EXPECT_EQ(Text(2).Y, 3 * h8);  // a trailing line break does not
  TPoint size;
  PlotHtml::HtmlTextExtent(*Canvas, "ab<BR>abc", size);
  EXPECT_EQ(size.X, Canvas->TextWidth("abc"));
  EXPECT_EQ(size.Y, h8);
}

TEST_F(HtmlTest, MissingBracketRaisesAfterDrawingTheStart) {
  try {
    PlotHtml::HtmlTextOut(*Canvas, 0, 0, "a<b");
    FAIL() << "no exception";
  } catch (const HtmlParserException& e) {
    EXPECT_EQ(e.Message(), "Missing > at b");
  }
  ASSERT_EQ(Canvas->Texts.size(), 1u);
  EXPECT_EQ(Text(0).Text, "a");
}

TEST_F(HtmlTest, MalformedAttributesRaiseWhenMeasuringAndAreSkippedWhenDrawing) {
  struct Case {
    const char* Html;
    const char* Message;
  } cases[] = {
      {"<FONT foo=1>x", "Unknown field in FONT: FOO"},
      {"<FONT weight=heavy>x", "Unknown field in FONT WEIGHT=heavy"},
  };
  for (const Case& c : cases) {
    TPoint size;
    try {
      PlotHtml::HtmlTextExtent(*Canvas, c.Html, size);
      ADD_FAILURE() << c.Html;
    } catch (const HtmlParserException& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
    Canvas->ClearRecord();
    EXPECT_NO_THROW(PlotHtml::HtmlTextOut(*Canvas, 0, 0, c.Html));
    ASSERT_EQ(Canvas->Texts.size(), 1u);
    EXPECT_EQ(Text(0).Text, "x");
  }
  TPoint size;
  EXPECT_THROW(PlotHtml::HtmlTextExtent(*Canvas, "<FONT size=big>x", size), EConvertError);
  EXPECT_NO_THROW(PlotHtml::HtmlTextOut(*Canvas, 0, 0, "<FONT size=big color=red>x"));
  EXPECT_EQ(Canvas->Texts.back().Color, clRed);
}

TEST_F(HtmlTest, EachTextHasItsOwnStacks) {
  PlotHtml::HtmlTextOut(*Canvas, 0, 0, "<FONT size=20>a<FONT size=30>b");
  EXPECT_EQ(Canvas->Font->GetSize(), 8);
  Canvas->Font->SetSize(12);
  Canvas->ClearRecord();
  PlotHtml::HtmlTextOut(*Canvas, 0, 0, "</FONT>c");
  ASSERT_EQ(Canvas->Texts.size(), 1u);
  EXPECT_EQ(Text(0).Size, 12);  // nothing of the earlier text is popped
}

TEST_F(HtmlTest, ImageThatDoesNotLoadDrawsAPlaceholder) {
  PlotHtml::HtmlTextOut(*Canvas, 10, 10, "<IMG src=\"missing.png\">");
  EXPECT_EQ(Px(10, 10), clRed);
  EXPECT_EQ(Px(49, 49), clRed);
  EXPECT_EQ(Px(30, 30), clRed);  // on the cross
  EXPECT_EQ(Px(20, 35), clWhite);
  EXPECT_EQ(Px(50, 50), clWhite);
  // An image that loads through the installed hooks is drawn at its size.
  PlotHtml::PictureForExtension = [](const std::string& ext) -> std::unique_ptr<TGraphic> {
    return ext == ".BMP" ? std::make_unique<TBitmap>() : nullptr;
  };
  PlotHtml::LoadImageFile = [](const std::string&, std::vector<uint8_t>& data) {
    TBitmap b(6, 4);
    b.GetCanvas()->Brush->SetColor(clBlue);
    b.GetCanvas()->FillRect(TRect(0, 0, 6, 4));
    data = b.SaveToBytes();
    return 0;
  };
  Clear(clWhite);
  PlotHtml::HtmlTextOut(*Canvas, 60, 60, "<IMG SRC=pic.bmp>");
  EXPECT_EQ(InkBounds(), TRect(60, 60, 66, 64));
  Clear(clWhite);
  PlotHtml::HtmlTextOut(*Canvas, 60, 60, "<IMG SRC=pic.bmp WIDTH=12 HEIGHT=8>");
  EXPECT_EQ(InkBounds(), TRect(60, 60, 72, 68));
  PlotHtml::PictureForExtension = nullptr;
  PlotHtml::LoadImageFile = nullptr;
}

TEST_F(HtmlTest, FormattedTextOutChoosesThePainter) {
  Canvas->TextOutFormat(0, 0, "<B>x</B>", false);
  EXPECT_EQ(Text(0).Text, "<B>x</B>");
  Canvas->TextOutFormat(0, 0, "<B>x</B>", true);
  EXPECT_EQ(Text(1).Text, "x");
}

TEST(HtmlColors, ColourValues) {
  EXPECT_EQ(PlotHtml::ParseColor("red"), 0x0000FF);
  EXPECT_EQ(PlotHtml::ParseColor(" Lime "), 0x00FF00);
  EXPECT_EQ(PlotHtml::ParseColor("#102030"), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(PlotHtml::ParseColor("clNavy"), clNavy);
  EXPECT_EQ(PlotHtml::ParseColor("255"), 255);
  EXPECT_THROW(PlotHtml::ParseColor("#12"), EConvertError);
  EXPECT_THROW(PlotHtml::ParseColor("bluish"), EConvertError);
}

}  // namespace

}  // namespace PlotHtmlTests
