#include "platform/gdi/PictureFormats.h"

#include "platform/rtl/SysUtils.h"

namespace PictureFormats {

namespace {

std::vector<TPictureFormat>& Registered() {
  static std::vector<TPictureFormat> formats;
  return formats;
}

std::string NormalExtension(const std::string& Extension) {
  std::string e = SysUtils::LowerCase(Extension);
  if (!e.empty() && e.front() == '.') e.erase(0, 1);
  return e;
}

}  // namespace

void RegisterFileFormat(const std::string& Extension, const std::string& Description,
                        const std::string& GraphicClass, Graphics::TGraphicFactory Factory) {
  const std::string ext = NormalExtension(Extension);
  if (ext.empty()) throw EInvalidGraphic("A picture format needs a file extension");
  if (!Factory) throw EInvalidGraphic("The picture format \"" + ext + "\" names no graphic class");
  Graphics::RegisterGraphicClass(GraphicClass, Factory);
  for (TPictureFormat& f : Registered())
    if (f.Extension == ext) {
      f = {ext, Description, GraphicClass, Factory};
      return;
    }
  Registered().push_back({ext, Description, GraphicClass, Factory});
}

void UnregisterGraphicClass(const std::string& GraphicClass) {
  std::vector<TPictureFormat>& formats = Registered();
  std::erase_if(formats, [&](const TPictureFormat& f) { return SysUtils::SameText(f.GraphicClass, GraphicClass); });
  // A class without factory is unknown to stored pictures.
  Graphics::RegisterGraphicClass(GraphicClass, nullptr);
}

const std::vector<TPictureFormat>& Formats() { return Registered(); }

const TPictureFormat* FindForFile(const std::string& FileName) {
  const std::string ext = NormalExtension(SysUtils::ExtractFileExt(FileName));
  if (ext.empty()) return nullptr;
  for (const TPictureFormat& f : Registered())
    if (f.Extension == ext) return &f;
  return nullptr;
}

std::unique_ptr<TGraphic> CreateForFile(const std::string& FileName) {
  const TPictureFormat* f = FindForFile(FileName);
  return f ? f->Factory() : nullptr;
}

std::string AddToFilter(const std::string& Filter) {
  if (Registered().empty()) return Filter;
  std::string patterns, entries;
  for (const TPictureFormat& f : Registered()) {
    const std::string pattern = "*." + f.Extension;
    patterns += (patterns.empty() ? "" : ";") + pattern;
    entries += "|" + f.Description + " (" + pattern + ")|" + pattern;
  }
  if (Filter.empty()) return entries.substr(1);
  // The first entry's patterns end at the second bar (or the end of the filter).
  const size_t textEnd = Filter.find('|');
  if (textEnd == std::string::npos) return Filter + entries;
  const size_t patternsEnd = Filter.find('|', textEnd + 1);
  std::string out = Filter;
  const size_t at = patternsEnd == std::string::npos ? out.size() : patternsEnd;
  const bool none = at == textEnd + 1;
  out.insert(at, (none ? "" : ";") + patterns);
  return out + entries;
}

}  // namespace PictureFormats
