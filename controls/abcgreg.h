#pragma once
// TabcFileFormatsList: the graphic formats the kit knows (extension,
// description, graphic class), one list per process; and the compact copy of
// a picture: one byte with the length of the graphic's class name, the name,
// then the graphic's own bytes.

#include "platform/gdi/Graphics.h"

#include <memory>
#include <string>
#include <vector>

struct TabcFileFormat {
  std::string Extension;  // lower case, without the dot
  std::string Description;
  std::string GraphicClass;
  int DescResID = 0;
};

class TabcFileFormatsList {
 public:
  // The list of the process, made on first use.
  static TabcFileFormatsList& Instance();
  // "wmf", "emf", "ico" and "bmp", in this order.
  TabcFileFormatsList();
  void Add(const std::string& Extension, const std::string& Description, int DescResID,
           const std::string& GraphicClass);
  const std::vector<TabcFileFormat>& Formats() const { return FFormats; }
  // The entry of a graphic class, searched from the last entry; none when absent.
  const TabcFileFormat* FindClassName(const std::string& ClassName) const;

 private:
  std::vector<TabcFileFormat> FFormats;
};

namespace abcgreg {
// The compact copy of Graphic (class names longer than 63 characters are refused).
std::vector<uint8_t> CompactPicture(const TGraphic& Graphic);
// The graphic of a compact copy. A class the format list does not name raises
// EClassNotFound "Graphic Class "<name>" needs to be registered with the
// abcFileFormatsList in unit abcgreg"; damaged bytes raise EInvalidGraphic.
std::unique_ptr<TGraphic> RestoreCompactPicture(const std::vector<uint8_t>& Data);
}  // namespace abcgreg
