// Rich text: the RTF subset written and read back, RTF of other writers,
// damaged input, drawing, the rich edit's keys, and the plain text that an
// independent reader (LibreOffice, where installed) finds in what we write.

#include "platform/ui/RichEdit.h"
#include "platform/ui/RichText.h"
#include "platform/ui/tests/UiFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace RichTextTests {

using namespace std::string_literals;

namespace {

TRichFormat Fmt(bool B = false, bool I = false, bool U = false, bool S = false, int Size = 20, TColor C = clDefault,
                std::string Font = "") {
  TRichFormat f;
  f.Bold = B;
  f.Italic = I;
  f.Underline = U;
  f.StrikeOut = S;
  f.SizeHalfPoints = Size;
  f.Color = C;
  f.FontName = std::move(Font);
  return f;
}

std::string Plain(std::string_view Rtf) {
  TRichRuns runs;
  RichText::Read(Rtf, runs);
  return RichText::PlainTextUtf8(runs);
}

}  // namespace

TEST(RichText, WrittenRunsReadBackUnchanged) {
  const std::vector<TRichRuns> cases = {
      {},
      {{u"plain", Fmt()}},
      {{u"bold ", Fmt(true)}, {u"italic ", Fmt(false, true)}, {u"under", Fmt(false, false, true)},
       {u"struck", Fmt(false, false, false, true)}},
      {{u"red", Fmt(false, false, false, false, 20, RGB(255, 0, 0))}, {u" blue", Fmt(true, false, false, false, 20, RGB(0, 0, 255))},
       {u" red again", Fmt(false, false, false, false, 20, RGB(255, 0, 0))}},
      {{u"big", Fmt(false, false, false, false, 48)}, {u"small", Fmt(false, false, false, false, 14, clDefault, "Courier New")}},
      {{u"line one\nline two\n\tindented", Fmt()}},
      {{u"braces {} and \\ backslash", Fmt()}},
      {{u"caf\u00e9 \u4e2d\u6587 \u20ac \U0001F600", Fmt(false, true)}},
      {{u"font", Fmt(false, false, false, false, 20, clDefault, "Caf\u00e9 Sans")}},
  };
  for (const TRichRuns& runs : cases) {
    const std::string rtf = RichText::Write(runs);
    TRichRuns back;
    EXPECT_TRUE(RichText::Read(rtf, back));
    EXPECT_EQ(back, runs) << rtf;
  }
}

TEST(RichText, ReadsTheSubsetOfOtherWriters) {
  const std::string rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
      "{\\*\\generator Some Writer;}{\\info{\\title ignored}}"
      "\\pard\\f0\\fs24 Hello \\b bold\\b0  {\\i\\cf1 red italic} \\ul under\\ulnone\\par"
      "\\f1\\cf2 caf\\'e9 \\u8364? \\uc2\\u20013 XY done\\line end}";
  TRichRuns runs;
  ASSERT_TRUE(RichText::Read(rtf, runs));
  EXPECT_EQ(RichText::PlainTextUtf8(runs), "Hello bold red italic under\r\ncaf\u00e9 \u20ac \u4e2d done\r\nend");
  auto at = [&](std::u16string_view Piece) {
    for (const TRichRun& r : runs)
      if (r.Text.find(Piece) != std::u16string::npos) return r.Format;
    ADD_FAILURE() << "no run with the piece";
    return TRichFormat{};
  };
  EXPECT_TRUE(at(u"bold").Bold);
  EXPECT_EQ(at(u"bold").FontName, "Arial");
  EXPECT_EQ(at(u"bold").SizeHalfPoints, 24);
  EXPECT_TRUE(at(u"red italic").Italic);
  EXPECT_EQ(at(u"red italic").Color, RGB(255, 0, 0));
  EXPECT_FALSE(at(u"Hello").Italic);
  EXPECT_TRUE(at(u"under").Underline);
  EXPECT_EQ(at(u"caf").Color, RGB(0, 128, 0));
  EXPECT_EQ(at(u"caf").FontName, "Times New Roman");
}

TEST(RichText, DamagedInputReadsWithoutHarm) {
  struct Case {
    std::string Input;
    std::string Plain;
  };
  const Case cases[] = {
      {"", ""},
      {"not rich\r\ntext", "not rich\r\ntext"},
      {"not\x01 rich\x1f\rtext", "not rich\r\ntext"},  // control characters carry nothing
      {"{\\rtf", ""},
      {"{\\rtf1 abc", "abc"},
      {"{\\rtf1 a}}}}} b", "a b"},
      {"{\\rtf1 \\", ""},
      {"{\\rtf1 x\\'", "x"},
      {"{\\rtf1 x\\'4\x01\t", "x\t"},
      {"{\\rtf1 x\\'zz}", "xzz"},
      {"{\\rtf1 \\u}", ""},
      {"{\\rtf1 \\u-}", ""},
      {"{\\rtf1 \\u99999999999999999999 x}", "\xef\xbf\xbf"},
      {"{\\rtf1 \\u-1 x}", "\xef\xbf\xbf"},
      {"{\\rtf1 \\fs99999999999999999 big\\fs-5 x}", "bigx"},
      {"{\\rtf1{\\colortbl;\\red999\\green-4;}\\cf9 x\\cf1 y\\cf-3 z}", "xyz"},
      {"{\\rtf1 \\f77 unknown font}", "unknown font"},
      {"{\\rtf1{\\fonttbl{\\f0 unterminated", ""},
      {"{\\rtf1{\\*\\unknown {nested {deeper}} text} after}", " after"},
      {"{\\rtf1 \\uc3\\u65 xyzrest}", "Arest"},
      {"{\\rtf1 \\uc99\\u66 0123456789kept}", "Bkept"},  // at most ten fall-back characters
      {"{\\rtf1 " + std::string(10000, '{') + "deep" + std::string(10000, '}') + " out}", "deep out"},
      {"{\\rtf1 " + std::string(100, 'w') + std::string("\\aVeryLongControlWordThatGoesOnAndOnAndOn5 z}"), std::string(100, 'w') + "z"},
  };
  for (const Case& c : cases) EXPECT_EQ(Plain(c.Input), c.Plain) << c.Input.substr(0, 60);
}

TEST(RichText, BoldRedTextIsDrawnBoldAndRed) {
  // Two ways, same picture: the run drawn by the rich-text painter and the same
  // text drawn with the canvas in the run's font.
  const TRichRuns runs = {{u"Wg", Fmt(true, false, false, false, 20, RGB(255, 0, 0))}};
  TFont base;
  TBitmap a(60, 30), b(60, 30);
  for (TBitmap* bmp : {&a, &b}) {
    bmp->GetCanvas()->Brush->SetColor(clWhite);
    bmp->GetCanvas()->FillRect(TRect(0, 0, 60, 30));
  }
  RichText::Draw(*a.GetCanvas(), runs, TRect(2, 2, 60, 30), base, false);
  TCanvas& c = *b.GetCanvas();
  c.Font->Assign(base);
  c.Font->SetSize(10);
  c.Font->SetStyle(TFontStyles{fsBold});
  c.Font->SetColor(RGB(255, 0, 0));
  c.Brush->SetStyle(bsClear);
  c.TextOut(2, 2, "Wg");
  int red = 0, differ = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) {
      if (a.GetCanvas()->GetPixel(x, y) != b.GetCanvas()->GetPixel(x, y)) ++differ;
      if (a.GetCanvas()->GetPixel(x, y) == RGB(255, 0, 0)) ++red;
    }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(red, 20);
}

class RichEditTest : public UiTest {};

TEST_F(RichEditTest, TypingKeepsTheFormatBeforeTheCaretAndSavesAsRtf) {
  auto* form = Application->CreateForm<TForm>();
  auto* e = Create<TRichEdit>(form);
  e->SetParent(form);
  EXPECT_EQ(e->SaveToRtf(), "");
  e->LoadFromRtf("{\\rtf1 {\\b Bo}ld}");
  e->SetSelStart(2);
  TKeyChar k = u'X';
  e->KeyPress(k);
  TRichRuns runs = e->GetRuns();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].Text, u"BoX");
  EXPECT_TRUE(runs[0].Format.Bold);
  e->SelectAll();
  uint16_t key = 'I';
  e->KeyDown(key, TShiftState{TShiftStateItem::ssCtrl});
  TRichRuns back;
  RichText::Read(e->SaveToRtf(), back);
  EXPECT_EQ(back, e->GetRuns());
  for (const TRichRun& r : back) EXPECT_TRUE(r.Format.Italic);
  EXPECT_EQ(e->GetText(), "BoXld");
  e->LoadFromRtf("plain\r\nlines");
  EXPECT_EQ(e->GetText(), "plain\r\nlines");
}

TEST(RichText, LibreOfficeReadsTheSamePlainText) {
  const QString office = QStandardPaths::findExecutable("soffice");
  if (office.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
  if (!QFileInfo(QFileInfo(office).canonicalFilePath()).dir().exists("libswlo.so"))
    GTEST_SKIP() << "LibreOffice Writer is not installed";
  const TRichRuns runs = {{u"First ", Fmt(true)},
                          {u"line\nSecond {line} caf\u00e9 \u20ac", Fmt(false, true, false, false, 28, RGB(0, 0, 255), "Arial")}};
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile f(dir.filePath("cell.rtf"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray::fromStdString(RichText::Write(runs)));
  f.close();
  QProcess p;
  p.setWorkingDirectory(dir.path());
  p.start(office, {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless", "--convert-to",
                   "txt:Text (encoded):UTF8", "--outdir", dir.path(), f.fileName()});
  ASSERT_TRUE(p.waitForFinished(120000));
  QFile out(dir.filePath("cell.txt"));
  if (!out.open(QIODevice::ReadOnly)) GTEST_SKIP() << "LibreOffice cannot read RTF here (no Writer)";
  QString text = QString::fromUtf8(out.readAll());
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  text.replace("\r\n", "\n");
  while (text.endsWith('\n')) text.chop(1);
  QString ours = QString::fromStdString(RichText::PlainTextUtf8(runs)).replace("\r\n", "\n");
  EXPECT_EQ(text.toStdString(), ours.toStdString());
}

}  // namespace RichTextTests
