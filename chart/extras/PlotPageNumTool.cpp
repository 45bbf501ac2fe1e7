#include "chart/extras/PlotPageNumTool.h"

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TPageNumTool, TAnnotationTool) {
  c.Property("Text", &TPageNumTool::GetTextValue, &TPageNumTool::SetText).Stored(false);
  c.Property("Format", &TPageNumTool::GetFormat, &TPageNumTool::SetFormat).Stored(&TPageNumTool::IsFormatStored);
}

TPageNumTool::TPageNumTool(TComponent* Owner) : TAnnotationTool(Owner) { SetText(DefaultFormat); }

std::string TPageNumTool::GetText() const {
  std::string text = GetTextValue();
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  const int32_t values[2] = {chart ? chart->GetPage() : 1, chart ? chart->NumPages() : 1};
  size_t from = 0;
  for (int32_t v : values) {
    const size_t at = text.find("%d", from);
    if (at == std::string::npos) break;
    const std::string number = std::to_string(v);
    text.replace(at, 2, number);
    from = at + number.size();
  }
  return text;
}

namespace {
TClass GPageNumClass = nullptr;
}

namespace PlotPageNumTool {
TClass PageNumClass() { return GPageNumClass; }
void Initialization() {
  Chart::AddToolClasses({TPageNumTool::StaticClass()});
  GPageNumClass = TPageNumTool::StaticClass();
}
void Finalization() {
  GPageNumClass = nullptr;
  Chart::RemoveToolClasses({TPageNumTool::StaticClass()});
}
}  // namespace PlotPageNumTool
