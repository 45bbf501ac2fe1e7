#pragma once
// The page number tool: an annotation showing the current page of a paged chart.
#include <string>

#include "chart/series/PlotTools.h"

class TPageNumTool : public TAnnotationTool {
  KV_CLASS(TPageNumTool, TAnnotationTool)
public:
  static constexpr const char* DefaultFormat = "Page %d of %d";
  explicit TPageNumTool(TComponent* Owner);
  void Description(std::string& Text) const override { Text = "Page Number"; }
  // The format with its first "%d" replaced by the page and its second by
  // the number of pages.
  std::string GetText() const override;

  const std::string& GetFormat() const { return GetTextValue(); }
  void SetFormat(const std::string& Value) { SetText(Value); }
  bool IsFormatStored() const { return GetTextValue() != DefaultFormat; }
};

namespace PlotPageNumTool {
// The class the paging page's "Show Page Number" box finds or creates.
TClass PageNumClass();
void Initialization();
void Finalization();
}  // namespace PlotPageNumTool
