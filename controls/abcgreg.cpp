#include "controls/abcgreg.h"

#include "platform/rtl/SysUtils.h"

TabcFileFormatsList& TabcFileFormatsList::Instance() {
  static TabcFileFormatsList list;
  return list;
}

TabcFileFormatsList::TabcFileFormatsList() {
  Add("wmf", "Metafiles", 0, "TMetafile");
  Add("emf", "Enhanced Metafiles", 0, "TMetafile");
  Add("ico", "Icons", 0, "TIcon");
  Add("bmp", "Bitmaps", 0, "TBitmap");
}

void TabcFileFormatsList::Add(const std::string& Extension, const std::string& Description, int DescResID,
                              const std::string& GraphicClass) {
  FFormats.push_back({SysUtils::LowerCase(Extension), Description, GraphicClass, DescResID});
}

const TabcFileFormat* TabcFileFormatsList::FindClassName(const std::string& ClassName) const {
  for (auto it = FFormats.rbegin(); it != FFormats.rend(); ++it)
    if (SysUtils::SameText(it->GraphicClass, ClassName)) return &*it;
  return nullptr;
}

std::vector<uint8_t> abcgreg::CompactPicture(const TGraphic& Graphic) {
  const std::string name = Graphic.GraphicClassName();
  if (name.size() > 63) throw EInvalidGraphic("Graphic class name too long: " + name);
  std::vector<uint8_t> bytes = Graphic.SaveToBytes();
  std::vector<uint8_t> data;
  data.reserve(1 + name.size() + bytes.size());
  data.push_back(static_cast<uint8_t>(name.size()));
  data.insert(data.end(), name.begin(), name.end());
  data.insert(data.end(), bytes.begin(), bytes.end());
  return data;
}

std::unique_ptr<TGraphic> abcgreg::RestoreCompactPicture(const std::vector<uint8_t>& Data) {
  if (Data.empty() || Data[0] > 63 || Data.size() < size_t(1) + Data[0])
    throw EInvalidGraphic("The compact picture is damaged");
  const std::string name(Data.begin() + 1, Data.begin() + 1 + Data[0]);
  const TabcFileFormat* format = TabcFileFormatsList::Instance().FindClassName(name);
  std::unique_ptr<TGraphic> graphic = format ? Graphics::CreateGraphic(format->GraphicClass) : nullptr;
  if (!graphic)
    throw EClassNotFound(SysUtils::Format(
        "Graphic Class \"%s\" needs to be registered with the abcFileFormatsList in unit abcgreg", {name}));
  graphic->LoadFromBytes(std::vector<uint8_t>(Data.begin() + 1 + Data[0], Data.end()));
  return graphic;
}
