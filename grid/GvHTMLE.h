#pragma once
// GvHTMLE: the small markup of cell texts, hints and footers. One engine
// lays a markup text out inside a rectangle line by line, draws it on a
// canvas, measures it and finds what lies under the mouse (a link, a picture
// inside a link, an embedded form control). Every line is first measured
// (consuming source until the line is full), then drawn or hit-tested over
// exactly the source the measuring consumed, placed by the line's alignment.
//
// Tags: A, B, BR, BLINK, BODY, CONTROL, E, FONT, HI, HR, I, IND, IMG, LI, P,
// R, S, SHAD, SUB, SUP, U, UL, Z and their closing forms; entities &amp;
// &quot; &sect; &permil; &reg; &copy; &para; &trade; &euro; &nbsp; &lt; &gt;.
// Runs are drawn with "&" mnemonics, so "&amp;" shows one ampersand.

#include "platform/gdi/Graphics.h"
#include "platform/rtl/Types.h"

#include <string>

class TImageList;
class TControl;
class THTMLPictureCache;
class TPictureContainer;

namespace GvHTMLE {

// Themed drawing of embedded controls needs a desktop that has it (always here).
extern bool ThemedOS;

// The inputs of RenderHtml besides the canvas, the text and the bounds.
struct THtmlRenderOptions {
  TImageList* Images = nullptr;  // source of "IDX:" pictures
  int MouseX = -1, MouseY = -1;  // the point to hit-test (canvas coordinates)
  int FocusedLink = -1;          // zero-based link that gets a focus rectangle; -1 none
  int HoveredLink = -1;          // one-based link under the mouse (hover styling)
  int ShadowOffset = 1;
  bool HitTestOnly = false;  // the second pass only hit-tests
  bool MeasureOnly = false;  // no second pass and no stop at the bottom of the bounds
  bool Printing = false;
  bool Selected = false;  // markup colours are not applied
  bool BlinkVisible = true;
  bool HoverOnly = false;  // hover styling and link underline only for HoveredLink
  bool WordWrap = true;    // false: every line is cut with an ellipsis
  bool ControlPressed = false;
  double PrintScale = 1.0;
  TColor LinkColor = clBlue;
  TColor HoverBackColor = clNone;
  TColor HoverTextColor = clNone;
  TColor ShadowColor = clGray;
  THTMLPictureCache* PictureCache = nullptr;  // pictures named by URL
  TPictureContainer* Pictures = nullptr;      // pictures named by a plain name
  TControl* ThemeWindow = nullptr;            // window for themed control parts
};

// What RenderHtml found. HitLink and HitLinkRect are written only when
// something is hit: callers clear them before a hit-testing call.
struct THtmlRenderResult {
  std::string HitLink;      // reference of the link under the mouse, "ctrl" for a control
  std::string PlainText;    // the text without markup; CR for each <BR>
  std::string FocusedLinkRef;
  int ContentWidth = 0, ContentHeight = 0;
  int LinkCount = 0;
  int HitLinkIndex = -1;    // one-based; -1 none
  TRect HitLinkRect{0, 0, 0, 0};
  TRect HitControlRect{0, 0, 0, 0};
  std::string HitControlId, HitControlValue, HitControlType;
};

// Lays Text out in Bounds, draws it (unless measuring or hit-testing only)
// and hit-tests the mouse point. True when the point is over link text, a
// picture inside a link or an embedded control. The canvas's font and brush
// colour come back as they were; bad markup raises nothing.
bool RenderHtml(TCanvas& Canvas, const std::string& Text, const TRect& Bounds, const THtmlRenderOptions& Options,
                THtmlRenderResult& Result);

// Colour names ("clRed", "clBtnFace" ...; case-insensitive); black when unknown.
TColor ColorFromName(const std::string& Name);
// "#RRGGBB" with upper-case hexadecimal digits; a pair that does not read counts 0.
TColor ColorFromHex(const std::string& Value);

// The plain text: <BR> and <HR> become CR LF, every other complete tag goes;
// entities stay; an unterminated tag and what follows it stay as they are.
std::string StripHtml(const std::string& Text);
// Rewrites the first CONTROL tag whose ID is Id with ID, VALUE (Value, "<"
// and ">" escaped), its old WIDTH and its upper-cased TYPE, in this order;
// false and Text unchanged when no control has that ID.
bool SetHtmlControlValue(std::string& Text, const std::string& Id, const std::string& Value);

// The attributes of a CONTROL tag: TYPE upper-cased, VALUE with &lt; and &gt; decoded.
struct THtmlControlAttributes {
  std::string Type, Width, Id, Value;
};
THtmlControlAttributes ControlAttributes(const std::string& Tag);

}  // namespace GvHTMLE
