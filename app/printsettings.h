#pragma once
// The "Picture settings" dialog and the scaled bitmap export: a chart saved as a
// BMP picture in which one centimetre stands for a number of axis units along
// each axis, at a print resolution, with every chart font enlarged by a number
// of points. The margins, axes and legend keep their screen size.

#include <cstdint>
#include <string>

#include "platform/rtl/WeakRef.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Spin.h"
#include "platform/ui/StdCtrls.h"

class TCustomChart;

class Tprntset : public TForm {
  KV_CLASS(Tprntset, TForm)
 public:
  explicit Tprntset(TComponent* AOwner);

  TEdit* Edit1 = nullptr;          // "Vertical scale           1:", axis units per centimetre
  TEdit* Edit2 = nullptr;          // "Horizontal scale       1:"
  TEdit* Edit3 = nullptr;          // "Print resolution", dots per inch
  TSpinEdit* SpinEdit1 = nullptr;  // "Font size                  +", points (may be negative)
  TCheckBox* CheckBox1 = nullptr;  // "Automatic": the chart's screen size instead
  TButton* BitBtn1 = nullptr;      // "Ok"

  // The settings as numbers; false, with the message naming the field, its
  // text and what it takes, when one is no allowed value.
  bool ReadSettings(double& VerticalScale, double& HorizontalScale, double& Dpi, int32_t& FontDelta,
                    std::string& Problem) const;
  // Saves the chart under FileName with the extension ".bmp". False, with the
  // reason in Problem and no file written, when a setting or the picture size is
  // not allowed or the file cannot be written. The chart's fonts are as before
  // on every way out.
  bool SaveChartPicture(const std::string& FileName, TCustomChart& Chart, std::string& Problem);
  void BitBtn1Click(TObject* Sender);  // "Ok"
};

namespace printsettings {
// The dialog made by the program entry (or on first use); none before.
extern WeakRef<Tprntset> prntset;
// The "Output settings" command: the dialog, shown modally.
void ShowPictureSettings();
// The picture size limits: a side and the whole picture, in pixels.
inline constexpr int32_t MaxPictureSide = 32767;
inline constexpr int64_t MaxPicturePixels = int64_t{1} << 26;
// The resolution as a BMP stores it: pixels per metre, halves to even.
int32_t PixelsPerMetre(double Dpi);
// Writes the resolution into the bytes of a BMP file whose info header is 40
// bytes long; any other file is left as it is (false).
bool PatchBitmapResolution(std::string& Bytes, double Dpi);
// The same on an existing file, replaced in one step; false with the reason in
// Problem when it cannot be read or written, or is no BMP with a 40-byte header.
bool SetBitmapResolution(const std::string& FileName, double Dpi, std::string& Problem);
// With the dialog's print resolution.
bool SetBitmapResolution(const std::string& FileName, std::string& Problem);
}  // namespace printsettings
