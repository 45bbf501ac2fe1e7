// The cursor table, pictures on the clipboard and mail through the seam.
#include "platform/gdi/Metafile.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/QtBridge.h"
#include "platform/ui/Shell.h"
#include "platform/ui/tests/UiFixture.h"

#include <QCursor>
#include <QFile>
#include <QPixmap>
#include <QUrl>
#include <QWidget>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace CursorClipboardMailTests {

namespace {

constexpr TCursor crTestHand = 2021;

class CursorTableTest : public UiTest {
 protected:
  ~CursorTableTest() override { Controls::ClearCursorImage(crTestHand); }
};

TEST_F(CursorTableTest, AControlShowsTheTablePictureOfItsCursor) {
  const TCursorImage Image = Controls::CursorFromRows({"X..", "oX.", "ooX"}, TPoint{1, 2});
  EXPECT_EQ(Image.Pixels[0], 0xFF000000u);
  EXPECT_EQ(Image.Pixels[1], 0u);
  EXPECT_EQ(Image.Pixels[3], 0xFFFFFFFFu);
  Controls::SetCursorImage(crTestHand, Image);

  std::unique_ptr<TForm> Form(Create<TForm>(nullptr));
  TPanel* Panel = Create<TPanel>(Form.get());
  Panel->SetParent(Form.get());
  Panel->SetCursor(crTestHand);
  const QCursor Shown = Panel->Handle()->cursor();
  EXPECT_EQ(Shown.shape(), Qt::BitmapCursor);
  EXPECT_EQ(Shown.hotSpot(), QPoint(1, 2));
  const QImage Picture = Shown.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(Picture.width(), 3);
  EXPECT_EQ(Picture.pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(qAlpha(Picture.pixel(2, 0)), 0);

  // Without a picture a table number shows the arrow; built-in cursors keep their shapes.
  Controls::ClearCursorImage(crTestHand);
  EXPECT_EQ(UiBridge::ToQCursor(crTestHand).shape(), Qt::ArrowCursor);
  EXPECT_EQ(UiBridge::ToQCursor(crHandPoint).shape(), Qt::PointingHandCursor);
  EXPECT_THROW(Controls::SetCursorImage(crTestHand, TCursorImage{2, 2, {0}, {}}), EInvalidOperation);
}

TEST_F(CursorTableTest, WindowRegionMasksTheWidget) {
  std::unique_ptr<TForm> Form(Create<TForm>(nullptr));
  TPanel* Panel = Create<TPanel>(Form.get());
  Panel->SetParent(Form.get());
  Panel->SetBounds(0, 0, 50, 40);
  const TRegion Round = TRegion::CreateRoundRectRgn(0, 0, 50, 40, 20, 20);
  Panel->SetWindowRegion(&Round);
  const QRegion Mask = Panel->Handle()->mask();
  EXPECT_FALSE(Mask.contains(QPoint(0, 0)));
  EXPECT_TRUE(Mask.contains(QPoint(25, 20)));
  TRegion Back;
  EXPECT_TRUE(Panel->GetWindowRegion(Back));
  Panel->SetWindowRegion(nullptr);
  EXPECT_TRUE(Panel->Handle()->mask().isEmpty());
  EXPECT_FALSE(Panel->GetWindowRegion(Back));
}

TEST(ClipboardPictures, AMetafileTravelsAsMetafileAndAsBitmap) {
  TMetafile Picture(20, 10);
  {
    TMetafileCanvas C(Picture);
    C.Brush->SetColor(clRed);
    C.FillRect(TRect{0, 0, 20, 10});
  }
  TClipboard& Board = Clipbrd::Clipboard();
  Board.Assign(Picture);
  ASSERT_TRUE(Board.HasFormat(CF_ENHMETAFILE));
  ASSERT_TRUE(Board.HasFormat(CF_BITMAP));
  TMetafile Back;
  ASSERT_TRUE(Board.GetMetafile(Back));
  EXPECT_EQ(Back.SaveToBytes(), Picture.SaveToBytes());
  TBitmap Pixels;
  ASSERT_TRUE(Board.GetBitmap(Pixels));
  EXPECT_EQ(Pixels.GetWidth(), 20);
  EXPECT_EQ(Pixels.GetPixelColor(10, 5), clRed);

  // A picture holding a bitmap goes as a bitmap only.
  TPicture Holder;
  Holder.GetBitmap()->SetSize(4, 4);
  Board.Assign(Holder);
  EXPECT_TRUE(Board.HasFormat(CF_BITMAP));
  EXPECT_FALSE(Board.HasFormat(CF_ENHMETAFILE));
  EXPECT_FALSE(Board.GetMetafile(Back));
  Board.SetAsText("a\tb");
  EXPECT_EQ(Board.GetAsText(), "a\tb");
  Board.Clear();
}

TEST_F(UiTest, MailGoesThroughTheSeamWithAKeptCopyOfTheAttachment) {
  const std::string File = (std::filesystem::temp_directory_path() / "Chart.png").string();
  std::ofstream(File) << "picture";
  seam.AnswerMail(true);
  ASSERT_TRUE(Shell::MailAvailable());
  EXPECT_EQ(Shell::SendMail(File, "Chart"), 0);
  std::remove(File.c_str());  // the caller deletes its file at once
  ASSERT_EQ(seam.Prompts().size(), 1u);
  const TPromptRecord Sent = seam.Prompts()[0];
  EXPECT_EQ(Sent.Kind, TPromptKind::Mail);
  EXPECT_EQ(Sent.Caption, "Chart");
  EXPECT_NE(Sent.Text, File);
  EXPECT_EQ(std::filesystem::path(Sent.Text).filename(), "Chart.png");
  std::ifstream In(Sent.Text);
  std::string Content;
  In >> Content;
  EXPECT_EQ(Content, "picture");

  // Two messages never share an attachment; a refused message and a missing
  // file are told apart by their codes, and a missing file reaches no seam.
  seam.AnswerMail(false);
  std::ofstream(File) << "second";
  EXPECT_EQ(Shell::SendMail(File, "Chart"), 2);
  std::remove(File.c_str());
  ASSERT_EQ(seam.Prompts().size(), 2u);
  EXPECT_NE(seam.Prompts()[1].Text, Sent.Text);
  EXPECT_EQ(Shell::SendMail("/nonexistent/Chart.png", "Chart"), 1);
  EXPECT_EQ(seam.Prompts().size(), 2u);
  EXPECT_EQ(Shell::KeepAttachment("/nonexistent/Chart.png"), "");
  seam.MailInstalled = false;
  EXPECT_FALSE(Shell::MailAvailable());
}

}  // namespace

}  // namespace CursorClipboardMailTests
