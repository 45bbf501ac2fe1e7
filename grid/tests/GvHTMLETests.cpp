// The markup renderer: line layout and wrapping, entities, lists, links and
// their hits, measuring, fonts, paragraphs, pictures and embedded controls,
// and the two markup helpers. Positions are taken from the font's metrics or
// from a second way of drawing the same picture.

#include "grid/GvHTMLE.h"
#include "grid/PictureContainer.h"
#include "platform/gdi/tests/GifWriter.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/tests/UiFixture.h"

namespace GvHTMLETests {

namespace {

bool SamePixels(const TBitmap& A, const TBitmap& B, const TRect& R) {
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x)
      if (A.GetPixelColor(x, y) != B.GetPixelColor(x, y)) return false;
  return true;
}

bool HasInk(const TBitmap& B, const TRect& R) {
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x)
      if (B.GetPixelColor(x, y) != clWhite) return true;
  return false;
}

// A single-coloured picture of W x H as a one-frame GIF.
std::vector<uint8_t> SolidGif(int W, int H) {
  return GifWriter::Gif(W, H, {0x00FF00}, {GifWriter::Frame(0, 0, W, H, std::vector<uint8_t>(size_t(W * H), 0))});
}

}  // namespace

class HtmlRenderTest : public UiTest {
 protected:
  HtmlRenderTest() {
    container = Create<TPictureContainer>(nullptr);
    font.SetName("Arial");
    font.SetSize(10);
    font.SetColor(clBlack);
  }
  ~HtmlRenderTest() override { container->Free(); }

  // A white bitmap with the test font on its canvas.
  std::unique_ptr<TBitmap> Blank(int W = 300, int H = 120) {
    auto b = std::make_unique<TBitmap>(W, H);
    TCanvas& c = *b->GetCanvas();
    c.Brush->SetColor(clWhite);
    c.FillRect(TRect(0, 0, W, H));
    c.Font->Assign(font);
    return b;
  }
  GvHTMLE::THtmlRenderResult Render(const std::string& Text, const TRect& Bounds, TBitmap* Target = nullptr) {
    std::unique_ptr<TBitmap> own;
    if (!Target) {
      own = Blank();
      Target = own.get();
    }
    GvHTMLE::THtmlRenderResult r;
    options.Pictures = container;
    GvHTMLE::RenderHtml(*Target->GetCanvas(), Text, Bounds, options, r);
    return r;
  }
  std::unique_ptr<TBitmap> Draw(const std::string& Text, const TRect& Bounds) {
    auto b = Blank();
    Render(Text, Bounds, b.get());
    return b;
  }
  int TextWidth(const std::string& Text, bool Bold = false) {
    auto b = Blank(10, 10);
    TCanvas& c = *b->GetCanvas();
    if (Bold) c.Font->SetStyle(TFontStyles{fsBold});
    return c.TextWidth(Text);
  }
  int Gh() {
    auto b = Blank(10, 10);
    return b->GetCanvas()->TextHeight("gh");
  }
  void AddPicture(const std::string& Name, int W, int H) {
    TPictureItem* item = container->GetItems()->AddItem();
    item->Name = Name;
    item->GetPicture()->LoadFromBytes(SolidGif(W, H));
  }

  TFont font;
  GvHTMLE::THtmlRenderOptions options;
  TPictureContainer* container;
};

TEST_F(HtmlRenderTest, EntitiesShowTheirCharactersOnce) {
  options.MeasureOnly = true;
  struct TCase {
    const char* Markup;
    const char* Plain;
    const char* Shown;  // the text whose width the line has, in the plain font
  };
  const TCase cases[] = {
      {"&amp;", "&", "&"},
      {"&lt;B&gt;x", "<B>x", "<B>x"},
      {"&amp;quot;", "&quot;", "&quot;"},
      {"&amp;lt;", "&lt;", "&lt;"},
      {"a&nbsp;b", "a b", "a b"},
      {"&copy;&euro;", "\u00A9\u20AC", "\u00A9\u20AC"},
      {"&QUOT;x", "\"x", "\"x"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Markup);
    const auto r = Render(c.Markup, TRect(0, 0, 300, 100));
    EXPECT_EQ(r.PlainText, c.Plain);
    EXPECT_EQ(r.ContentWidth, TextWidth(c.Shown));
  }
}

TEST_F(HtmlRenderTest, RunsSplitByTagsStayTogetherWhenWrapping) {
  options.MeasureOnly = true;
  // The box is narrower than the word: still one line.
  const auto r = Render("a<B>b</B>c", TRect(0, 0, 6, 100));
  EXPECT_EQ(r.ContentHeight, Gh());
  EXPECT_EQ(r.PlainText, "abc");
  // Words separated by blanks do wrap.
  EXPECT_EQ(Render("aaaa bbbb cccc", TRect(0, 0, TextWidth("aaaa bbbb") - 2, 100)).ContentHeight, 3 * Gh());
}

TEST_F(HtmlRenderTest, WithoutWrappingTheLineEndsInAnEllipsisAndDropsTheRest) {
  options.WordWrap = false;
  const int right = TextWidth("xx ") + 20;
  auto b = Blank();
  const auto r = Render("xx <B>yyyyyyyyyyyyyyyy</B> zz<BR>next", TRect(0, 0, right, 100), b.get());
  EXPECT_EQ(r.PlainText, "xx yyyyyyyyyyyyyyyy");
  EXPECT_EQ(r.ContentHeight, Gh());
  EXPECT_TRUE(HasInk(*b, TRect(0, 0, right, Gh())));
  EXPECT_FALSE(HasInk(*b, TRect(right, 0, 300, 100)));
  EXPECT_FALSE(HasInk(*b, TRect(0, Gh(), 300, 100)));
}

TEST_F(HtmlRenderTest, ListItemsAreIndentedTwelvePixelsPerLevelBehindTheirBullets) {
  const TRect bounds(0, 0, 200, 100);
  const int gh = Gh();
  struct TCase {
    const char* List;
    const char* Indented;  // the same text moved to the item's position
    int Line, Level;
  };
  const TCase cases[] = {
      {"<UL><LI>one</LI></UL>", "<BR><IND x=\"13\">one", 1, 1},
      {"<UL><UL><LI>two</LI></UL></UL>", "<BR><BR><IND x=\"25\">two", 2, 2},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.List);
    const auto list = Draw(c.List, bounds);
    const auto indented = Draw(c.Indented, bounds);
    const int top = c.Line * gh, textLeft = 1 + 12 * c.Level;
    EXPECT_TRUE(SamePixels(*list, *indented, TRect(textLeft, 0, 200, 100)));
    EXPECT_TRUE(HasInk(*list, TRect(textLeft - 12, top, textLeft, top + gh)));   // the bullet
    EXPECT_FALSE(HasInk(*list, TRect(0, top, textLeft - 12, top + gh)));
    EXPECT_FALSE(HasInk(*indented, TRect(0, 0, textLeft, 100)));
  }
  // Each item on its own line.
  options.MeasureOnly = true;
  EXPECT_EQ(Render("<UL><LI>one</LI><LI>two</LI></UL>", bounds).ContentHeight, 4 * gh);
}

TEST_F(HtmlRenderTest, ClosingTagsAndParagraphsKeepTheirState) {
  const TRect bounds(0, 0, 200, 100);
  struct TCase {
    const char* A;
    const char* B;
  };
  const TCase same[] = {
      // "</UL>" outside a list ends underlining.
      {"<U>ab</UL>cd", "<U>ab</U>cd"},
      // A centred paragraph stays centred after "</P>".
      {"<P align=\"center\">ab</P>cd", "<P align=\"center\">ab</P><P align=\"center\">cd"},
      // A missing picture still lifts the rest of its line.
      {"<IMG src=\"tall\"><IMG src=\"none\" align=\"middle\">x", "<IMG src=\"tall\" align=\"middle\">x"},
  };
  AddPicture("tall", 10, 40);
  for (const TCase& c : same) {
    SCOPED_TRACE(c.A);
    EXPECT_TRUE(SamePixels(*Draw(c.A, bounds), *Draw(c.B, bounds), bounds));
  }
  // Centred: the second line's ink is centred in the line rectangle.
  auto b = Draw("<P align=\"center\">ab</P>cd", bounds);
  int left = 200, right = 0;
  for (int y = Gh(); y < 2 * Gh(); ++y)
    for (int x = 0; x < 200; ++x)
      if (b->GetPixelColor(x, y) != clWhite) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_NEAR((left + right) / 2.0, 1 + (199 - 1) / 2.0, 3.0);
}

TEST_F(HtmlRenderTest, LinkHitOnItsSecondLine) {
  const std::string text = "<A href=\"target\">aaaa bbbb</A>";
  const TRect bounds(0, 0, TextWidth("aaaa bb"), 100);
  const int gh = Gh();
  options.HitTestOnly = true;
  options.MouseX = 1 + TextWidth("bb");
  options.MouseY = gh + gh / 2;
  auto b = Blank();
  GvHTMLE::THtmlRenderResult r;
  options.Pictures = container;
  EXPECT_TRUE(GvHTMLE::RenderHtml(*b->GetCanvas(), text, bounds, options, r));
  EXPECT_EQ(r.HitLink, "target");
  EXPECT_EQ(r.HitLinkIndex, 1);
  EXPECT_EQ(r.HitLinkRect.Left, 1);
  EXPECT_EQ(r.HitLinkRect.Top, gh);
  EXPECT_EQ(r.HitLinkRect.Right, 1 + TextWidth("bbbb"));
  EXPECT_EQ(r.LinkCount, 1);
  EXPECT_FALSE(HasInk(*b, bounds));  // hit-testing draws nothing
  // Below the text nothing is hit.
  options.MouseY = 3 * gh;
  GvHTMLE::THtmlRenderResult miss;
  EXPECT_FALSE(GvHTMLE::RenderHtml(*b->GetCanvas(), text, bounds, options, miss));
}

TEST_F(HtmlRenderTest, MeasuringGoesPastTheBottomAndDrawingStopsThere) {
  const TRect low(0, 0, 200, 5);
  options.MeasureOnly = true;
  EXPECT_EQ(Render("a<BR>b<BR>c", low).ContentHeight, 3 * Gh());
  options.MeasureOnly = false;
  EXPECT_EQ(Render("a<BR>b<BR>c", low).ContentHeight, Gh());
}

TEST_F(HtmlRenderTest, FontSizesFollowTheSizeTable) {
  options.MeasureOnly = true;
  font.SetSize(6);  // smaller than every size tried, so the sized run sets the line height
  for (const auto& [size, points] : std::vector<std::pair<int, int>>{{1, 8}, {3, 12}, {5, 16}, {9, 9}, {20, 20}}) {
    SCOPED_TRACE(size);
    auto b = Blank(10, 10);
    b->GetCanvas()->Font->SetSize(points);
    const int expected = b->GetCanvas()->TextHeight("gh");
    const auto r = Render("<FONT size=\"" + std::to_string(size) + "\">x</FONT>", TRect(0, 0, 200, 100));
    EXPECT_EQ(r.ContentHeight, expected);
  }
}

TEST_F(HtmlRenderTest, PicturesTakeTheirPlaceOnTheLineOrStartTheNext) {
  options.MeasureOnly = true;
  const int gh = Gh();
  const std::string word = "abcdef";
  const int line = TextWidth(word) + 20;  // a line rectangle one pixel narrower
  AddPicture("narrow", 30, 3 * gh);
  AddPicture("wide", line + 10, 3 * gh);
  // A narrower picture that does not fit starts the next line.
  EXPECT_EQ(Render(word + "<IMG src=\"narrow\">", TRect(0, 0, line, 200)).ContentHeight, gh + 3 * gh);
  // One at least as wide as the line stays on it.
  EXPECT_EQ(Render(word + "<IMG src=\"wide\">", TRect(0, 0, line, 200)).ContentHeight, 3 * gh);
  // Names are looked up upper-cased; WIDTH and HEIGHT stretch the picture.
  const auto r = Render("<IMG src=\"Narrow\" width=\"7\" height=\"9\">", TRect(0, 0, 200, 200));
  EXPECT_EQ(r.ContentWidth, 7);
  EXPECT_EQ(r.ContentHeight, std::max(9, gh));
  // A missing picture takes no room.
  EXPECT_EQ(Render("<IMG src=\"missing\">x", TRect(0, 0, 200, 200)).ContentWidth, TextWidth("x"));
}

TEST_F(HtmlRenderTest, ACheckBoxControlIsSixteenPixelsWide) {
  const std::string text = "<CONTROL type=\"check\" width=\"50\" id=\"c1\" value=\"true\">x";
  options.MeasureOnly = true;
  EXPECT_EQ(Render(text, TRect(0, 0, 200, 100)).ContentWidth, 16 + TextWidth("x"));
  options.MeasureOnly = false;
  options.HitTestOnly = true;
  options.MouseX = 9;
  options.MouseY = 8;
  auto b = Blank();
  GvHTMLE::THtmlRenderResult r;
  EXPECT_TRUE(GvHTMLE::RenderHtml(*b->GetCanvas(), text, TRect(0, 0, 200, 100), options, r));
  EXPECT_EQ(r.HitLink, "ctrl");
  EXPECT_EQ(r.HitControlId, "c1");
  EXPECT_EQ(r.HitControlValue, "true");
  EXPECT_EQ(r.HitControlType, "CHECK");
  EXPECT_EQ(r.HitControlRect, TRect(1, 0, 17, 16));
  // Drawn, the box shows in the line.
  options.HitTestOnly = false;
  const auto drawn = Draw(text, TRect(0, 0, 200, 100));
  EXPECT_TRUE(HasInk(*drawn, TRect(1, 0, 17, 20)));
}

TEST_F(HtmlRenderTest, CanvasFontAndBrushComeBack) {
  auto b = Blank();
  TCanvas& c = *b->GetCanvas();
  c.Brush->SetColor(clYellow);
  GvHTMLE::THtmlRenderResult r;
  GvHTMLE::RenderHtml(c, "<FONT face=\"Courier New\" color=\"clRed\" bgcolor=\"#00FF00\"><B>x", TRect(0, 0, 100, 50),
                      options, r);
  EXPECT_EQ(c.Font->GetName(), "Arial");
  EXPECT_EQ(c.Font->GetColor(), clBlack);
  EXPECT_FALSE(c.Font->GetStyle().Contains(fsBold));
  EXPECT_EQ(c.Brush->GetColor(), clYellow);
}

TEST_F(HtmlRenderTest, DamagedMarkupRaisesNothing) {
  const char* damaged[] = {"<",          "<B",          "a<",        "<A href=\"x",   "</",          "<<<<>>>>",
                           "&",          "&amp",        "<FONT size=\"\">x", "<IMG src=\"IDX:99\">",
                           "<IMG src=\"SSYS:no.such.kind\">", "<CONTROL>",  "<P indent=\"-5\">x", "<IND x=\"abc\">x",
                           "<R a=\"45\">x", "</R></R>",   "<UL><UL></UL></UL></UL>", "<#", "\r\n\r", "<BODY bgcolor=\"clRed\">",
                           "<IND x=\"99999999999\"><FONT size=\"2147483647\">y</FONT><IMG src=\"n\" width=\"99999999\">"};
  for (const char* text : damaged) {
    SCOPED_TRACE(text);
    for (bool measure : {true, false}) {
      options.MeasureOnly = measure;
      EXPECT_NO_THROW(Render(text, TRect(0, 0, 50, 40)));
    }
  }
}

TEST(HtmlHelpers, StripHtml) {
  const std::pair<const char*, const char*> cases[] = {
      {"a<B>b</B><BR>c", "ab\r\nc"},
      {"a<b", "a<b"},
      {"x<hr>y", "x\r\ny"},
      {"&amp;<i>q</i>", "&amp;q"},
      {"<A href=\"u\">t</A> <x", "t <x"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(GvHTMLE::StripHtml(in), out) << in;
}

TEST(HtmlHelpers, SetHtmlControlValueRewritesTheMatchingControl) {
  std::string text = "a<control type=\"edit\" foo=\"1\" id=\"n\" width=\"40\" value=\"old\">b"
                     "<CONTROL id=\"m\" type=\"check\" value=\"FALSE\">";
  EXPECT_TRUE(GvHTMLE::SetHtmlControlValue(text, "n", "<new>"));
  EXPECT_EQ(text, "a<CONTROL ID=\"n\" VALUE=\"&lt;new&gt;\" WIDTH=\"40\" TYPE=\"EDIT\">b"
                  "<CONTROL id=\"m\" type=\"check\" value=\"FALSE\">");
  const std::string before = text;
  EXPECT_FALSE(GvHTMLE::SetHtmlControlValue(text, "nothing", "v"));
  EXPECT_EQ(text, before);
  // The value reads back decoded.
  EXPECT_EQ(GvHTMLE::ControlAttributes(text.substr(1, text.find('>') )).Value, "<new>");
}

TEST(HtmlHelpers, ColourNamesAndHexadecimalValues) {
  const std::pair<const char*, TColor> names[] = {
      {"clRed", 0x0000FF}, {"CLNAVY", 0x800000}, {"clwindow", TColor(0xFF000005)},
      {"clInfoBk", TColor(0xFF000018)}, {"clNoSuch", 0}};
  for (const auto& [n, c] : names) EXPECT_EQ(GvHTMLE::ColorFromName(n), c) << n;
  const std::pair<const char*, TColor> hex[] = {
      {"#FF0000", 0x0000FF}, {"#0080C0", 0xC08000}, {"#12", 0x12}, {"#1", 0}, {"#ff0000", 0}};
  for (const auto& [h, c] : hex) EXPECT_EQ(GvHTMLE::ColorFromHex(h), c) << h;
}

TEST_F(HtmlRenderTest, TagsDrawTheirEffects) {
  const TRect bounds(0, 0, 200, 100);
  const int gh = Gh();
  // Hidden text takes no room but counts in the plain text.
  EXPECT_TRUE(SamePixels(*Draw("<Z>hidden</Z>x", bounds), *Draw("x", bounds), bounds));
  options.MeasureOnly = true;
  EXPECT_EQ(Render("<Z>hidden</Z>x", bounds).PlainText, "hiddenx");
  // Subscripts and superscripts make the line a quarter of a text height deeper.
  EXPECT_EQ(Render("x<SUB>2</SUB>", bounds).ContentHeight, gh + gh / 4);
  EXPECT_EQ(Render("x<SUP>2</SUP>", bounds).ContentHeight, gh + gh / 4);
  options.MeasureOnly = false;
  // A rule one pixel below the line, across it.
  const auto rule = Draw("<HR>", bounds);
  EXPECT_EQ(rule->GetPixelColor(1, gh), clBlack);
  EXPECT_EQ(rule->GetPixelColor(150, gh), clBlack);
  // A body colour fills the bounds.
  const auto body = Draw("<BODY bgcolor=\"clRed\">", TRect(0, 0, 20, 10));
  EXPECT_EQ(body->GetPixelColor(0, 0), clRed);
  EXPECT_EQ(body->GetPixelColor(19, 9), clRed);
  EXPECT_EQ(body->GetPixelColor(20, 10), clWhite);
  // Shadowed text leaves grey ink; an error underline red ink under the text.
  auto inkOf = [&](const TBitmap& B, TColor C) {
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 100; ++x)
        if (B.GetPixelColor(x, y) == C) return true;
    return false;
  };
  options.ShadowColor = clGray;
  EXPECT_TRUE(inkOf(*Draw("<SHAD>shadow</SHAD>", bounds), clGray));
  EXPECT_FALSE(inkOf(*Draw("shadow", bounds), clGray));
  EXPECT_TRUE(inkOf(*Draw("<E>wrng</E>", bounds), clRed));
  // Highlighted text has the highlight colour behind it.
  EXPECT_TRUE(inkOf(*Draw("<HI>mark</HI>", bounds), ColorToRGB(clHighlight)));
  // Markup colours do not apply in a selected cell.
  options.Selected = true;
  EXPECT_FALSE(inkOf(*Draw("<FONT color=\"clRed\">red</FONT>", bounds), clRed));
}

TEST_F(HtmlRenderTest, FocusedLinksAndHoverColours) {
  const TRect bounds(0, 0, 200, 100);
  options.FocusedLink = 1;  // the second link
  auto b = Blank();
  const auto r = Render("<A href=\"one\">a</A> <A href=\"two\">b</A>", bounds, b.get());
  EXPECT_EQ(r.FocusedLinkRef, "two");
  EXPECT_EQ(r.LinkCount, 2);
  options.FocusedLink = -1;
  options.HoverOnly = true;
  options.HoveredLink = 2;
  options.HoverBackColor = clYellow;
  options.HoverTextColor = clRed;
  auto h = Blank();
  Render("<A href=\"one\">aaa</A> <A href=\"two\">bbb</A>", bounds, h.get());
  const int split = 1 + TextWidth("aaa ");
  bool yellowLeft = false, yellowRight = false;
  for (int y = 0; y < Gh(); ++y)
    for (int x = 0; x < 200; ++x)
      if (h->GetPixelColor(x, y) == clYellow) (x < split ? yellowLeft : yellowRight) = true;
  EXPECT_FALSE(yellowLeft);
  EXPECT_TRUE(yellowRight);
}

TEST_F(HtmlRenderTest, ImageListPicturesByIndex) {
  TImageList* images = Create<TImageList>(nullptr);
  images->SetSize(10, 10);
  TBitmap square(10, 10);
  square.GetCanvas()->Brush->SetColor(clBlue);
  square.GetCanvas()->FillRect(TRect(0, 0, 10, 10));
  images->AddMasked(&square, clNone);
  options.Images = images;
  options.MeasureOnly = true;
  EXPECT_EQ(Render("<IMG src=\"IDX:0\">x", TRect(0, 0, 200, 100)).ContentWidth, 10 + TextWidth("x"));
  EXPECT_EQ(Render("<IMG src=\"idx:1\">x", TRect(0, 0, 200, 100)).ContentWidth, TextWidth("x"));
  options.MeasureOnly = false;
  const auto b = Draw("<IMG src=\"idx:0\">", TRect(0, 0, 200, 100));
  EXPECT_EQ(b->GetPixelColor(1, 0), clBlue);
  EXPECT_EQ(b->GetPixelColor(10, 9), clBlue);
  EXPECT_EQ(b->GetPixelColor(11, 5), clWhite);
  images->Free();
}

}  // namespace GvHTMLETests
