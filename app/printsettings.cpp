#include "app/printsettings.h"

#include <cmath>
#include <memory>
#include <vector>

#include "app/DialogFields.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "numerics/Supermath2d.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/FileStore.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "views/PseudoSection2d.h"
#include "views/Section2D.h"

WeakRef<Tprntset> printsettings::prntset;

KV_CLASS_IMPL(Tprntset, TForm) {}

namespace {

constexpr double MinDpi = 10.0, MaxDpi = 2400.0;

// Fonts enlarged for the length of a scope: each gets its exact former height
// back when the scope ends, also when drawing or writing fails.
class [[nodiscard]] TFontEnlargement {
 public:
  explicit TFontEnlargement(int32_t Delta) : FDelta(Delta) {}
  ~TFontEnlargement() {
    for (const TSaved& s : FSaved) s.Font->SetHeight(s.Height);
  }
  TFontEnlargement(const TFontEnlargement&) = delete;
  TFontEnlargement& operator=(const TFontEnlargement&) = delete;
  void Enlarge(TFont* Font) {
    if (!Font || FDelta == 0) return;
    FSaved.push_back({Font, Font->GetHeight()});
    Font->SetSize(std::max(1, Font->GetSize() + FDelta));
  }

 private:
  struct TSaved {
    TFont* Font;
    int32_t Height;
  };
  int32_t FDelta;
  std::vector<TSaved> FSaved;
};

void Put32(std::string& Bytes, size_t Offset, int32_t Value) {
  const auto v = static_cast<uint32_t>(Value);
  for (size_t i = 0; i < 4; ++i) Bytes[Offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t Get32(const std::string& Bytes, size_t Offset) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v |= uint32_t(static_cast<uint8_t>(Bytes[Offset + i])) << (8 * i);
  return v;
}

// The pixel length of an axis range on the chart as last laid out.
double AxisSpan(const TChartAxis& Axis) {
  return std::fabs(double(Axis.ValueToPixel(Axis.GetMaximum())) - double(Axis.ValueToPixel(Axis.GetMinimum())));
}

bool WriteBitmap(const TBitmap& Bitmap, const std::string& FileName, const double* Dpi, std::string& Problem) {
  const std::vector<uint8_t> data = Bitmap.SaveToBytes();
  std::string bytes(data.begin(), data.end());
  if (Dpi) printsettings::PatchBitmapResolution(bytes, *Dpi);
  std::string error;
  if (!FileStore::WriteFileAtomic(FileName, bytes, error)) {
    Problem = "Cannot write the picture \"" + FileName + "\": " + error;
    return false;
  }
  return true;
}

// Lays the chart out again at its screen size (the axes' pixels serve the
// mouse), then repaints it.
void LayOutOnScreen(TCustomChart& Chart) {
  try {
    Chart.MakeBitmap(clWhite, Chart.PanelRect());
  } catch (const std::exception&) {
    // The repaint below lays it out as well.
  }
  Chart.Invalidate();
}

}  // namespace

Tprntset::Tprntset(TComponent* AOwner) : TForm(AOwner) {
  SetName("prntset");
  SetCaption("Picture settings");
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetClientWidth(258);
  SetClientHeight(232);
  Position = TPosition::poDesktopCenter;

  struct TRow {
    const char* Caption;
    const char* Text;
    TEdit** Edit;
  };
  const TRow rows[] = {{"Vertical scale           1:", "20", &Edit1},
                       {"Horizontal scale       1:", "50", &Edit2},
                       {"Print resolution", "100", &Edit3}};
  int top = 12;
  for (const TRow& row : rows) {
    DialogFields::AddLabel(this, row.Caption, 12, top, 130);
    *row.Edit = DialogFields::AddEdit(this, 150, top, 96);
    (*row.Edit)->SetText(row.Text);
    top += 32;
  }
  DialogFields::AddLabel(this, "Font size                  +", 12, top, 130);
  SpinEdit1 = Create<TSpinEdit>(this);
  SpinEdit1->SetParent(this);
  SpinEdit1->SetBounds(150, top, 96, 21);
  SpinEdit1->SetValue(0);
  top += 36;
  CheckBox1 = Create<TCheckBox>(this);
  CheckBox1->SetParent(this);
  CheckBox1->SetBounds(12, top, 150, 17);
  CheckBox1->SetCaption("Automatic");
  CheckBox1->SetChecked(true);

  BitBtn1 = Create<TButton>(this);
  BitBtn1->SetParent(this);
  BitBtn1->SetBounds(91, 192, 75, 27);
  BitBtn1->SetCaption("Ok");
  BitBtn1->Default = true;
  BitBtn1->OnClick = [this](TObject* S) { BitBtn1Click(S); };
  DialogFields::FitToContent(*this);
}

void Tprntset::BitBtn1Click(TObject*) { SetModalResult(mrOk); }

bool Tprntset::ReadSettings(double& VerticalScale, double& HorizontalScale, double& Dpi, int32_t& FontDelta,
                            std::string& Problem) const {
  struct TField {
    const TEdit* Edit;
    const char* Name;
    double* Value;
  };
  const TField scales[] = {{Edit1, "Vertical scale", &VerticalScale}, {Edit2, "Horizontal scale", &HorizontalScale}};
  for (const TField& f : scales) {
    const double v = Supermath2d::StrToFloatChecked(f.Edit->GetText(), false, 0.0, 0.0);
    if (v == Supermath2d::NoValue || !std::isfinite(v) || !(v > 0.0)) {
      Problem = std::string(f.Name) + ": \"" + f.Edit->GetText() + "\" is not allowed; enter a number greater than 0.";
      return false;
    }
    *f.Value = v;
  }
  const double dpi = Supermath2d::StrToFloatChecked(Edit3->GetText(), true, MinDpi, MaxDpi);
  if (dpi == Supermath2d::NoValue || !std::isfinite(dpi)) {
    Problem = "Print resolution: \"" + Edit3->GetText() + "\" is not allowed; enter a number from 10 to 2400.";
    return false;
  }
  Dpi = dpi;
  if (!SpinEdit1->TextIsValue()) {
    Problem = "Font size: \"" + SpinEdit1->GetText() + "\" is not a whole number.";
    return false;
  }
  FontDelta = SpinEdit1->GetValue();
  return true;
}

bool Tprntset::SaveChartPicture(const std::string& FileName, TCustomChart& Chart, std::string& Problem) {
  const std::string name = SysUtils::ChangeFileExt(FileName, ".bmp");
  try {
    if (CheckBox1->GetChecked()) {
      const std::unique_ptr<TBitmap> picture = Chart.MakeBitmap(clWhite, Chart.PanelRect());
      return WriteBitmap(*picture, name, nullptr, Problem);
    }
    double vScale = 0, hScale = 0, dpi = 0;
    int32_t delta = 0;
    if (!ReadSettings(vScale, hScale, dpi, delta, Problem)) return false;

    bool saved = false;
    {
      TFontEnlargement fonts(delta);
      TChartAxis* axes[4] = {Chart.LeftAxis(), Chart.TopAxis(), Chart.BottomAxis(), Chart.RightAxis()};
      for (TChartAxis* a : axes) fonts.Enlarge(a->LabelsFont());
      for (TChartAxis* a : axes) fonts.Enlarge(a->Title()->Font());
      fonts.Enlarge(Chart.Title()->Font());
      fonts.Enlarge(Chart.Legend()->Font());
      // The chart is laid out at its screen size with the larger fonts, so that
      // the axes know their pixel spans; no window message runs meanwhile.
      Chart.MakeBitmap(clWhite, Chart.PanelRect());
      for (int i = 0; i < Chart.SeriesCount(); ++i)
        if (auto* marks = dynamic_cast<TSeriesMarks*>(Chart.GetSeries(i)->Marks())) fonts.Enlarge(marks->Font());
      if (auto* section = dynamic_cast<TPseudoSection2d*>(&Chart)) fonts.Enlarge(section->ColorBarFont.get());
      if (auto* section = dynamic_cast<TTModelSection2d*>(&Chart)) fonts.Enlarge(section->ColorBarFont.get());

      const double dpcm = dpi / 2.54;
      const TChartAxis& bottom = *Chart.BottomAxis();
      const TChartAxis& left = *Chart.LeftAxis();
      const TRect panel = Chart.PanelRect();
      const double width = (bottom.GetMaximum() - bottom.GetMinimum()) / hScale * dpcm +
                           (double(panel.Right - panel.Left) - AxisSpan(bottom));
      const double height = (left.GetMaximum() - left.GetMinimum()) / vScale * dpcm +
                            (double(panel.Bottom - panel.Top) - AxisSpan(left));
      if (!std::isfinite(width) || !std::isfinite(height) || std::nearbyint(width) < 1 ||
          std::nearbyint(height) < 1 || std::nearbyint(width) > printsettings::MaxPictureSide ||
          std::nearbyint(height) > printsettings::MaxPictureSide ||
          std::nearbyint(width) * std::nearbyint(height) > double(printsettings::MaxPicturePixels)) {
        Problem = "The picture would be " + Supermath2d::FloatToStrDec(0, 1, width) + " x " +
                  Supermath2d::FloatToStrDec(0, 1, height) +
                  " pixels; a picture may have at most 32767 pixels a side and 67108864 pixels in all. "
                  "Choose larger scales or a lower resolution.";
        return false;
      }
      const int32_t w = static_cast<int32_t>(std::nearbyint(width));
      const int32_t h = static_cast<int32_t>(std::nearbyint(height));
      const std::unique_ptr<TBitmap> picture = Chart.MakeBitmap(clWhite, TRect(0, 0, w, h));
      saved = WriteBitmap(*picture, name, &dpi, Problem);
    }
    LayOutOnScreen(Chart);
    return saved;
  } catch (const std::exception& e) {
    LayOutOnScreen(Chart);
    Problem = "Cannot save the picture \"" + name + "\": " + e.what();
    return false;
  }
}

int32_t printsettings::PixelsPerMetre(double Dpi) {
  return static_cast<int32_t>(std::nearbyint(std::clamp(Dpi, 0.0, 1e6) * 39.37007874));
}

bool printsettings::PatchBitmapResolution(std::string& Bytes, double Dpi) {
  // File header (14 bytes), then the info header whose first field is its size.
  if (Bytes.size() < 14 + 40 || Bytes[0] != 'B' || Bytes[1] != 'M') return false;
  if (Get32(Bytes, 14) != 40) return false;
  const int32_t ppm = PixelsPerMetre(Dpi);
  Put32(Bytes, 38, ppm);
  Put32(Bytes, 42, ppm);
  return true;
}

bool printsettings::SetBitmapResolution(const std::string& FileName, double Dpi, std::string& Problem) {
  std::string bytes;
  if (!FileStore::ReadFile(FileName, bytes)) {
    Problem = "Cannot read the picture \"" + FileName + "\".";
    return false;
  }
  if (!PatchBitmapResolution(bytes, Dpi)) {
    Problem = "\"" + FileName + "\" is no bitmap file with a 40-byte info header; its resolution stays.";
    return false;
  }
  std::string error;
  if (!FileStore::WriteFileAtomic(FileName, bytes, error)) {
    Problem = "Cannot write the picture \"" + FileName + "\": " + error;
    return false;
  }
  return true;
}

bool printsettings::SetBitmapResolution(const std::string& FileName, std::string& Problem) {
  if (!prntset) prntset = Create<Tprntset>(Application);
  const double dpi = Supermath2d::StrToFloatChecked(prntset->Edit3->GetText(), true, MinDpi, MaxDpi);
  if (dpi == Supermath2d::NoValue || !std::isfinite(dpi)) {
    Problem = "Print resolution: \"" + prntset->Edit3->GetText() + "\" is not allowed; enter a number from 10 to 2400.";
    return false;
  }
  return SetBitmapResolution(FileName, dpi, Problem);
}

void printsettings::ShowPictureSettings() {
  if (!prntset) prntset = Create<Tprntset>(Application);
  prntset->Hide();
  prntset->ShowModal();
}
