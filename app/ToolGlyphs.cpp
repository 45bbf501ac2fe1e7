#include "app/ToolGlyphs.h"

#include <cmath>
#include <functional>
#include <map>

#include "platform/gdi/Graphics.h"

namespace ToolGlyphs {
namespace {

constexpr TColor Ink = 0x202020;
constexpr TColor Body = 0xE0B070;     // light blue fill of a body (BGR)
constexpr TColor BodyLine = 0x803000; // dark blue outline
constexpr TColor Add = 0x109010;      // green
constexpr TColor Remove = 0x1010D0;   // red
constexpr TColor Node = 0xD02020;     // blue node
constexpr TColor Accent = 0x0080F0;   // orange

// Drawing on the 16-unit grid.
class TPen16 {
 public:
  TPen16(TCanvas& C, int Size) : C(C), S(Size / 16.0) {}
  int U(double v) const { return static_cast<int>(std::lround(v * S)); }
  TPoint P(double x, double y) const { return TPoint(U(x), U(y)); }
  void Pen(TColor Color, double Width = 1) {
    C.Pen->SetStyle(psSolid);
    C.Pen->SetColor(Color);
    C.Pen->SetWidth(std::max(1, U(Width)));
  }
  void Fill(TColor Color) {
    C.Brush->SetStyle(bsSolid);
    C.Brush->SetColor(Color);
  }
  void NoFill() { C.Brush->SetStyle(bsClear); }
  void Poly(std::initializer_list<std::pair<double, double>> Points, bool Closed = true) {
    std::vector<TPoint> p;
    for (const auto& [x, y] : Points) p.push_back(P(x, y));
    if (Closed)
      C.Polygon(p);
    else
      C.Polyline(p);
  }
  void Line(double x1, double y1, double x2, double y2) {
    C.MoveTo(U(x1), U(y1));
    C.LineTo(U(x2), U(y2));
  }
  void Box(double x1, double y1, double x2, double y2) { C.Rectangle(U(x1), U(y1), U(x2), U(y2)); }
  void Round(double x1, double y1, double x2, double y2) { C.Ellipse(U(x1), U(y1), U(x2), U(y2)); }
  // A plus sign or a cross centred at x, y.
  void Plus(double x, double y, TColor Color) {
    Pen(Color, 2);
    Line(x - 3, y, x + 3, y);
    Line(x, y - 3, x, y + 3);
  }
  void Cross(double x, double y, TColor Color) {
    Pen(Color, 2);
    Line(x - 3, y - 3, x + 3, y + 3);
    Line(x - 3, y + 3, x + 3, y - 3);
  }
  // A node: a small filled square.
  void NodeAt(double x, double y, TColor Color = Node) {
    Pen(Color);
    Fill(Color);
    Box(x - 1.5, y - 1.5, x + 1.5, y + 1.5);
  }
  // An arrow from (x1,y1) to (x2,y2) with its head at the end.
  void Arrow(double x1, double y1, double x2, double y2, TColor Color) {
    Pen(Color, 1.5);
    Line(x1, y1, x2, y2);
    const double a = std::atan2(y2 - y1, x2 - x1), h = 3.5;
    Fill(Color);
    Pen(Color);
    Poly({{x2, y2}, {x2 - h * std::cos(a - 0.5), y2 - h * std::sin(a - 0.5)},
          {x2 - h * std::cos(a + 0.5), y2 - h * std::sin(a + 0.5)}});
  }
  // A body: a filled irregular pentagon inside the box.
  void BodyIn(double x1, double y1, double x2, double y2, TColor FillColor = Body) {
    Pen(BodyLine);
    Fill(FillColor);
    const double w = x2 - x1, h = y2 - y1;
    Poly({{x1 + 0.2 * w, y1}, {x2, y1 + 0.25 * h}, {x2 - 0.1 * w, y2}, {x1 + 0.15 * w, y2}, {x1, y1 + 0.5 * h}});
  }
  TCanvas& C;
  double S;
};

using TDraw = std::function<void(TPen16&)>;

const std::map<std::string, TDraw>& Drawings() {
  static const std::map<std::string, TDraw> drawings = {
      // Open data file: an open folder.
      {"SpeedButton1",
       [](TPen16& g) {
         g.Pen(0x206080);
         g.Fill(0x50C0F0);
         g.Poly({{1, 4}, {6, 4}, {7, 5.5}, {14, 5.5}, {14, 13}, {1, 13}});
         g.Fill(0x80E0FF);
         g.Poly({{3, 8}, {15, 8}, {13, 13}, {1, 13}});
       }},
      // Save data file: a disk.
      {"SpeedButton2",
       [](TPen16& g) {
         g.Pen(0x602000);
         g.Fill(0xC06020);
         g.Poly({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}});
         g.Fill(0xFFFFFF);
         g.Box(4, 2, 12, 7);
         g.Fill(0xD0D0D0);
         g.Box(4, 10, 12, 14.5);
       }},
      // Program setup: three sliders.
      {"SpeedButton4",
       [](TPen16& g) {
         for (int i = 0; i < 3; ++i) {
           const double y = 3.5 + 4.5 * i, knob = i == 1 ? 10 : (i == 0 ? 5 : 8);
           g.Pen(Ink, 1);
           g.Line(1.5, y, 14.5, y);
           g.Pen(Ink);
           g.Fill(Accent);
           g.Box(knob - 1.5, y - 2, knob + 1.5, y + 2);
         }
       }},
      // Electrode editor: a table with electrodes on the ground above it.
      {"SpeedButton5",
       [](TPen16& g) {
         g.Pen(Ink);
         g.Fill(0xFFFFFF);
         g.Box(1.5, 6.5, 14.5, 14.5);
         g.Line(1.5, 10.5, 14.5, 10.5);
         g.Line(6, 6.5, 6, 14.5);
         g.Line(10, 6.5, 10, 14.5);
         g.Pen(Remove);
         g.Fill(Remove);
         for (double x : {3.0, 8.0, 13.0}) g.Poly({{x - 1.5, 1}, {x + 1.5, 1}, {x, 5}});
       }},
      // Forward problem: a run arrow.
      {"SpeedButton6",
       [](TPen16& g) {
         g.Pen(0x006000);
         g.Fill(Add);
         g.Poly({{3.5, 2}, {14, 8}, {3.5, 14}});
       }},
      // Inversion: a loop of arrows around a body.
      {"SpeedButton22",
       [](TPen16& g) {
         g.Pen(Accent, 2);
         g.NoFill();
         g.C.Arc(g.U(1.5), g.U(1.5), g.U(14.5), g.U(14.5), g.U(14.5), g.U(8), g.U(8), g.U(1.5));
         g.Arrow(3.5, 12.5, 6.5, 14, Accent);
         g.C.Arc(g.U(1.5), g.U(1.5), g.U(14.5), g.U(14.5), g.U(1.5), g.U(8), g.U(8), g.U(14.5));
         g.Arrow(12.5, 3.5, 9.5, 2, Accent);
         g.BodyIn(5.5, 5.5, 10.5, 10.5);
       }},
      // Undo: an arrow bending back to the left.
      {"SpeedButton8",
       [](TPen16& g) {
         g.Pen(0x904010, 2);
         g.NoFill();
         g.C.Arc(g.U(3), g.U(4), g.U(14.5), g.U(14), g.U(8.75), g.U(4), g.U(8.75), g.U(14));
         g.Arrow(9, 4, 3, 4, 0x904010);
       }},
      // Resistivity and polarizability: their letters.
      {"SpeedButton3",
       [](TPen16& g) {
         g.C.Brush->SetStyle(bsClear);
         g.C.Font->SetName("Arial");
         g.C.Font->SetStyle(TFontStyles{fsBold});
         g.C.Font->SetColor(BodyLine);
         g.C.Font->SetHeight(-g.U(14));
         g.C.TextOut(g.U(3), g.U(0), "\xCF\x81");
       }},
      {"SpeedButton7",
       [](TPen16& g) {
         g.C.Brush->SetStyle(bsClear);
         g.C.Font->SetName("Arial");
         g.C.Font->SetStyle(TFontStyles{fsBold});
         g.C.Font->SetColor(Accent);
         g.C.Font->SetHeight(-g.U(14));
         g.C.TextOut(g.U(3), g.U(0), "\xCE\xB7");
       }},
      // The edit modes.
      {"SpeedButton9",
       [](TPen16& g) {
         g.BodyIn(1, 4, 12, 15);
         g.Plus(12, 4, Add);
       }},
      {"SpeedButton10",
       [](TPen16& g) {
         g.BodyIn(1, 1, 15, 15, 0xC0C0C0);
         g.BodyIn(4, 5, 11, 12);
         g.Cross(12, 4, Remove);
       }},
      {"SpeedButton11",
       [](TPen16& g) {
         g.BodyIn(1, 4, 9, 15);
         g.BodyIn(7, 4, 15, 15, 0x90D0A0);
         g.Plus(12, 3.5, Add);
       }},
      {"SpeedButton12",
       [](TPen16& g) {
         g.BodyIn(1, 5, 7, 15);
         g.BodyIn(9.5, 5, 15, 15, 0x90D0A0);
         g.Arrow(8, 3, 14, 3, Remove);
       }},
      {"SpeedButton13",
       [](TPen16& g) {
         g.BodyIn(1, 2, 15, 15);
         g.Pen(Remove, 1.5);
         g.Line(8, 0.5, 8, 15.5);
       }},
      {"SpeedButton14",
       [](TPen16& g) {
         g.BodyIn(1, 1, 15, 15, 0xC0C0C0);
         g.BodyIn(3, 3, 9, 9);
         g.Arrow(7, 9, 13, 14, Accent);
       }},
      {"SpeedButton15",
       [](TPen16& g) {
         g.BodyIn(1, 1, 11, 11);
         g.Arrow(8, 8, 14.5, 14.5, Accent);
       }},
      {"SpeedButton16",
       [](TPen16& g) {
         g.Pen(BodyLine, 1.5);
         g.Line(1, 13, 8, 6);
         g.Line(8, 6, 15, 13);
         g.NodeAt(1.5, 13);
         g.NodeAt(14.5, 13);
         g.NodeAt(8, 6, Add);
         g.Plus(12, 3.5, Add);
       }},
      {"SpeedButton17",
       [](TPen16& g) {
         g.Pen(BodyLine, 1.5);
         g.Line(1, 13, 15, 13);
         g.NodeAt(1.5, 13);
         g.NodeAt(14.5, 13);
         g.NodeAt(8, 6, Remove);
         g.Cross(8, 6, Remove);
       }},
      {"SpeedButton20",
       [](TPen16& g) {
         g.Pen(BodyLine, 1.5);
         g.Line(1, 13, 5, 8);
         g.Line(5, 8, 15, 13);
         g.NodeAt(1.5, 13);
         g.NodeAt(14.5, 13);
         g.NodeAt(5, 8);
         g.Arrow(6, 7, 12, 2.5, Accent);
       }},
      {"SpeedButton18",
       [](TPen16& g) {
         g.Pen(BodyLine, 1.5);
         g.Line(1, 3, 5, 8);
         g.Line(1, 13, 5, 8);
         g.Line(15, 3, 11, 8);
         g.Line(15, 13, 11, 8);
         g.NodeAt(5, 8);
         g.NodeAt(11, 8);
         g.Pen(Remove, 1.5);
         g.Line(8, 5, 8, 11);
       }},
      {"SpeedButton19",
       [](TPen16& g) {
         g.Pen(BodyLine, 1.5);
         g.Line(1, 3, 8, 8);
         g.Line(1, 13, 8, 8);
         g.Line(15, 3, 8, 8);
         g.Line(15, 13, 8, 8);
         g.NodeAt(8, 8, Add);
         g.Pen(Add);
         g.NoFill();
         g.Round(4.5, 4.5, 11.5, 11.5);
       }},
      {"SpeedButton21",
       [](TPen16& g) {
         g.Pen(BodyLine, 1.5);
         g.Line(1, 12, 15, 12);
         g.NodeAt(8, 12, Ink);
         g.Pen(Ink, 1.5);
         g.Line(8, 10, 8, 5);
         g.Pen(Ink);
         g.Fill(Remove);
         g.Round(5, 1, 11, 6);
       }},
  };
  return drawings;
}

}  // namespace

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (const auto& [name, draw] : Drawings()) list.push_back(name);
    return list;
  }();
  return names;
}

std::unique_ptr<TBitmap> Make(const std::string& Name, int Size) {
  const auto it = Drawings().find(Name);
  if (it == Drawings().end()) return nullptr;
  auto bitmap = std::make_unique<TBitmap>(Size, Size);
  TCanvas& c = *bitmap->GetCanvas();
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(clFuchsia);
  c.FillRect(TRect(0, 0, Size, Size));
  TPen16 g(c, Size);
  it->second(g);
  // The corner stays the transparent colour whatever a drawing reaches.
  c.SetPixel(0, Size - 1, clFuchsia);
  return bitmap;
}

}  // namespace ToolGlyphs
