#include "controls/SplashArt.h"

#include "platform/gdi/Graphics.h"

namespace SplashArt {

void Draw(TBitmap& Bitmap, const std::string& Note) {
  Bitmap.SetSize(Width, Height);
  TCanvas& c = *Bitmap.GetCanvas();
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(clLime);
  c.FillRect(TRect(0, 0, Width, Height));
  // The card: a rounded panel with a layered section drawn as bands.
  c.Pen->SetColor(RGB(40, 40, 90));
  c.Brush->SetColor(RGB(235, 238, 245));
  c.RoundRect(12, 12, Width - 12, Height - 12, 40, 40);
  const TColor bands[] = {RGB(200, 120, 60), RGB(230, 180, 70), RGB(110, 150, 60), RGB(60, 100, 180)};
  for (int i = 0; i < 4; ++i) {
    c.Pen->SetColor(bands[i]);
    c.Brush->SetColor(bands[i]);
    c.Rectangle(40, 150 + i * 22, Width - 40, 150 + (i + 1) * 22);
  }
  c.Brush->SetStyle(bsClear);
  c.Font->SetName("Arial");
  c.Font->SetHeight(-30);
  c.Font->SetStyle(TFontStyles{fsBold});
  c.Font->SetColor(RGB(40, 40, 90));
  const std::string title = "KelmVev2Er";
  c.TextOut((Width - c.TextWidth(title)) / 2, 50, title);
  c.Font->SetHeight(-13);
  c.Font->SetStyle(TFontStyles{});
  const std::string subtitle = "2-D resistivity and IP";
  c.TextOut((Width - c.TextWidth(subtitle)) / 2, 100, subtitle);
  if (!Note.empty()) c.TextOut((Width - c.TextWidth(Note)) / 2, 120, Note);
}

std::vector<uint8_t> Jpeg(const std::string& Note) {
  // Drawing and compressing the card is a large part of creating the main
  // window, and every window shows the same card.
  static std::string lastNote;
  static std::vector<uint8_t> lastBytes;
  if (lastBytes.empty() || Note != lastNote) {
    TJPEGImage image;
    Draw(image, Note);
    image.CompressionQuality = 95;
    lastBytes = image.SaveToBytes();
    lastNote = Note;
  }
  return lastBytes;
}

void LoadInto(TPicture& Picture, const std::string& Note) {
  auto image = std::make_unique<TJPEGImage>();
  image->LoadFromBytes(Jpeg(Note));
  Picture.SetGraphic(std::move(image));
}

}  // namespace SplashArt
