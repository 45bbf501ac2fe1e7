#pragma once
// Picture file formats that units add to the built-in ones (BMP, PNG, JPEG,
// icons and metafiles), by file extension. TPicture::LoadFromFile reads a
// file whose content is none of the built-in formats with the graphic class
// registered for the file's extension, pictures stored in components find the
// class by its name, and the picture-open dialogs list the formats in their
// filters.
//
//   PictureFormats::RegisterFileFormat("chf", "Chart", "TChartImage", &NewChartImage);
//   ...
//   PictureFormats::UnregisterGraphicClass("TChartImage");  // at shutdown

#include "platform/gdi/Graphics.h"

#include <memory>
#include <string>
#include <vector>

namespace PictureFormats {

struct TPictureFormat {
  std::string Extension;  // lower case, without the dot
  std::string Description;
  std::string GraphicClass;
  Graphics::TGraphicFactory Factory = nullptr;
};

// Adds the format of Extension (any case, with or without the dot), replacing
// an earlier registration of that extension; the graphic class becomes known
// to stored pictures as well. An empty extension or no factory is refused
// with EInvalidGraphic.
void RegisterFileFormat(const std::string& Extension, const std::string& Description,
                        const std::string& GraphicClass, Graphics::TGraphicFactory Factory);
// Removes every format of the graphic class (case-insensitive) and the class
// from stored pictures.
void UnregisterGraphicClass(const std::string& GraphicClass);
// The registered formats in registration order.
const std::vector<TPictureFormat>& Formats();
// The format registered for the extension of FileName; nullptr when none.
const TPictureFormat* FindForFile(const std::string& FileName);
// A new empty graphic of the format of FileName's extension; nullptr when none.
std::unique_ptr<TGraphic> CreateForFile(const std::string& FileName);
// Filter is a dialog filter ("Text|*.a;*.b|..."): the registered formats'
// patterns join its first entry (the "all pictures" entry) and each format
// follows as an entry of its own, "Description (*.ext)|*.ext".
std::string AddToFilter(const std::string& Filter);

}  // namespace PictureFormats
