// The metafile picture format and its options form.
#include "chart/series/PlotEmfOptions.h"

#include "chart/engine/PlotConst.h"
#include "platform/gdi/Metafile.h"
#include "platform/ui/Clipbrd.h"

KV_CLASS_IMPL(TEMFOptions, TForm) {}

TEMFOptions::TEMFOptions(TComponent* Owner) : TForm(Owner) {
  SetName("EMFOptions");
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetClientWidth(152);
  SetClientHeight(75);
  CBEnhanced = new TCheckBox(this);
  CBEnhanced->SetName("CBEnhanced");
  CBEnhanced->SetParent(this);
  CBEnhanced->SetBounds(8, 8, 137, 17);
  CBEnhanced->SetCaption("&Enhanced");
  CBEnhanced->SetChecked(true);
}

KV_CLASS_IMPL(TEMFExportFormat, TPlotExportFormat) {}

TForm* TEMFExportFormat::Options(bool Create) {
  if (!FOptions && Create) FOptions.reset(::Create<TEMFOptions>(nullptr));
  return FOptions.get();
}

bool TEMFExportFormat::GetEnhanced() const {
  return FOptions ? static_cast<TEMFOptions*>(FOptions.get())->CBEnhanced->GetChecked() : true;
}

void TEMFExportFormat::SetEnhanced(bool Value) {
  static_cast<TEMFOptions*>(Options(true))->CBEnhanced->SetChecked(Value);
}

// The format owns two numbers of the filter: "*.emf" and then "*.wmf".
void TEMFExportFormat::AssignFilterIndex(int32_t& Counter) {
  FFilterIndex = Counter + 1;
  Counter += 2;
}

int32_t TEMFExportFormat::FilterIndex() const { return GetEnhanced() ? FFilterIndex : FFilterIndex + 1; }

bool TEMFExportFormat::WantsFilterIndex(int32_t Number) {
  if (Number == FFilterIndex) return true;
  if (Number == FFilterIndex + 1) {
    SetEnhanced(false);
    return true;
  }
  return false;
}

std::string TEMFExportFormat::Description() { return PlotConst::MsgAsMetafile; }
std::string TEMFExportFormat::FileExtension() { return GetEnhanced() ? "emf" : "wmf"; }
std::string TEMFExportFormat::FileFilter() { return PlotConst::MsgEnhancedMetafilesEmfEmfMetafilesWmfWm; }
std::unique_ptr<TGraphic> TEMFExportFormat::NewGraphic() { return std::make_unique<TMetafile>(); }

std::unique_ptr<TMetafile> TEMFExportFormat::Metafile() {
  return CheckPanel().MakeMetafile(GetEnhanced(), TRect(0, 0, Width, Height));
}

void TEMFExportFormat::SaveToStream(TStream& Stream) {
  const std::vector<uint8_t> Bytes = Metafile()->SaveToBytes();
  Stream.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
}

void TEMFExportFormat::CopyToClipboard() { Clipbrd::Clipboard().Assign(*Metafile()); }
