// Routines of PlotProcs that reach the platform: components and controls,
// check marks, the device, the editor options in the registry, resources,
// the translation hook and the data exporters' output.
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>

#include "chart/engine/PlotProcs.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/Controls.h"

namespace PlotProcs {

const char* const EditorKey = "SOFTWARE\\KelmVev2er\\Chart Editor";
TTranslateHook TranslateHook = nullptr;
std::vector<std::function<bool(const std::string& Name, TBitmap& Bitmap)>> ResourceModules;

std::string UniqueName(TComponent* Owner, const std::string& BaseName) {
  if (Owner == nullptr) return BaseName + "1";
  for (int64_t i = 1;; ++i) {
    const std::string name = BaseName + std::to_string(i);
    if (Owner->FindComponent(name) == nullptr) return name;
  }
}

void EnableControls(bool Enable, const std::vector<TControl*>& Controls) {
  for (TControl* c : Controls)
    if (c) c->SetEnabled(Enable);
}

TPoint MouseClientPos(TControl& Control) {
  const QPoint p = QCursor::pos();
  return Control.ScreenToClient(TPoint(p.x(), p.y()));
}

double DeviceAspect(TCanvas& Canvas) {
  TDeviceContext* DC = Canvas.GetHandle();
  if (DC == nullptr) return 0;
  const int h = DC->GetDeviceCaps(VERTSIZE);
  return h == 0 ? 0 : double(DC->GetDeviceCaps(HORZSIZE)) / h;
}

void DrawCheckMark(int32_t X, int32_t Y, TCanvas& Canvas, bool Checked, bool IsCheckBox) {
  // A 13 x 13 sunken check box or radio button in the system colours.
  TDeviceContext* DC = Canvas.GetHandle();
  if (DC == nullptr) return;
  const TLogPen savedPen = DC->GetPen();
  const TLogBrush savedBrush = DC->GetBrush();
  auto pen = [DC](TColor Color) {
    TLogPen p;
    p.Color = ColorToRGB(Color);
    DC->SelectPen(p);
  };
  auto brush = [DC](TColor Color) {
    TLogBrush b;
    b.Color = ColorToRGB(Color);
    DC->SelectBrush(b);
  };
  auto line = [DC](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    DC->MoveTo(x0, y0);
    DC->LineTo(x1, y1);
  };
  if (IsCheckBox) {
    brush(clWindow);
    DC->FillRect(TRect(X, Y, X + 13, Y + 13));
    pen(clBtnShadow);
    line(X, Y + 12, X, Y);
    line(X, Y, X + 12, Y);
    pen(cl3DDkShadow);
    line(X + 1, Y + 11, X + 1, Y + 1);
    line(X + 1, Y + 1, X + 11, Y + 1);
    pen(clBtnHighlight);
    line(X + 12, Y, X + 12, Y + 12);
    line(X + 12, Y + 12, X - 1, Y + 12);
    pen(cl3DLight);
    line(X + 11, Y + 1, X + 11, Y + 11);
    line(X + 11, Y + 11, X, Y + 11);
    if (Checked) {
      pen(clWindowText);
      for (int32_t i = 0; i < 3; ++i) {
        line(X + 3, Y + 5 + i, X + 5, Y + 7 + i);
        line(X + 5, Y + 7 + i, X + 10, Y + 2 + i);
      }
    }
  } else {
    pen(clBtnShadow);
    brush(clWindow);
    DC->Ellipse(X, Y, X + 13, Y + 13);
    if (Checked) {
      pen(clWindowText);
      brush(clWindowText);
      DC->Ellipse(X + 4, Y + 4, X + 9, Y + 9);
    }
  }
  DC->SelectPen(savedPen);
  DC->SelectBrush(savedBrush);
}

void LoadResBitmap(TBitmap& Bitmap, const std::string& Name1, const std::string& Name2) {
  for (const auto& module : ResourceModules) {
    if (!module) continue;
    try {
      if (module(Name1, Bitmap) || module(Name2, Bitmap)) return;
    } catch (const std::exception&) {
      // A module that fails to load its picture is skipped.
    }
  }
}

void LoadSeriesBitmap(const TObject& Series, TBitmap& Bitmap) {
  TClass cls = Series.ClassType();
  TClass parent = cls ? cls->ClassParent() : nullptr;
  LoadResBitmap(Bitmap, cls ? cls->ClassName() : std::string(), parent ? parent->ClassName() : std::string());
}

bool ReadEditorBool(const std::string& Name, bool Default) {
  try {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (reg.OpenKeyReadOnly(EditorKey) && reg.ValueExists(Name)) return reg.ReadBool(Name);
  } catch (const std::exception&) {
  }
  return Default;
}

int32_t ReadEditorInteger(const std::string& Name, int32_t Default) {
  try {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (reg.OpenKeyReadOnly(EditorKey) && reg.ValueExists(Name)) return reg.ReadInteger(Name);
  } catch (const std::exception&) {
  }
  return Default;
}

void WriteEditorBool(const std::string& Name, bool Value) {
  try {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (reg.OpenKey(EditorKey, true)) reg.WriteBool(Name, Value);
  } catch (const std::exception&) {
  }
}

void CallTranslateHook(TComponent* Component, const std::vector<TComponent*>& Excluded) {
  if (TranslateHook) TranslateHook(Component, Excluded);
}

void TranslateControl(TControl* Control) { CallTranslateHook(Control, {}); }

}  // namespace PlotProcs

void TPlotExportData::CopyTextToClipboard() {
  const std::string text = ExportedText();
  if (Graphics::EnsureGuiApplication())
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(QString::fromStdString(text));
}

void TPlotExportData::WriteToStream(TStream& Stream) {
  const std::string text = ExportedText();
  if (!text.empty()) Stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TPlotExportData::WriteToFile(const std::string& FileName) {
  TMemoryStream stream;
  WriteToStream(stream);
  stream.SaveToFile(FileName);
}
