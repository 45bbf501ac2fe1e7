#pragma once
// GridUtil: stateless helpers of the grid library: text kinds and conversions
// for cell contents, numbers and dates as sorting, editing and filtering read
// them, the filter-condition matcher, the storage form of wide cell text, and
// drawing routines for special cells.
//
// Cells hold UTF-8. Positions are 1-based byte positions; 0 means not found.
// The wide storage form "|\" followed by UTF-16 big-endian code units stays a
// text kind of its own; DecodeWideText gives the text it holds.

#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"

#include <functional>
#include <memory>
#include <set>
#include <string>

class TCustomControl;

namespace GridUtil {

// Text kinds.
constexpr int tkPlain = 0, tkHtml = 1, tkRichText = 2, tkFormula = 3, tkWide = 5;
// Number kinds.
constexpr int nkInteger = 0, nkReal = 1, nkNone = 2;

int PosUpper(const std::string& Pattern, const std::string& Text);
int PosOut(const std::string& Pattern, const std::string& Text, int& Position);
int CharIndex(char C, const std::string& Text);
int CharIndex(char C, const std::string& Text, int& Position);
int CharCount(char C, const std::string& Text);
char FirstCharOfSet(const std::set<char>& Chars, const std::string& Text);
char LowerAscii(char C);
void MaskText(std::string& Text, char C);
void OemToAnsiText(std::string& Text);
std::string RemoveCRs(const std::string& Text);
void LfToCrLf(std::string& Text);
void TildeToCrLf(std::string& Text);
std::string EscapesToBreaks(const std::string& Text);
// Plain text as markup that shows it: &, < and > as entities, line breaks as <BR>.
std::string EscapeMarkup(const std::string& Text);
void QuoteMultiline(std::string& Text);
std::string UnquoteChar(char Quote, const std::string& Text);
int ClosingQuotePos(char Quote, const std::string& Text, int& Position);
int ClosingQuoteCount(char Quote, const std::string& Text);
void TakeFirstLine(std::string& Text, bool KeepRest, std::string& Line);
int LineCount(const std::string& Text, bool MultiLine);
std::string ProperCase(const std::string& Text);
int TextKind(const std::string& Text, bool HtmlEnabled);
bool IsLink(const std::string& Text);
void StripLinkScheme(std::string& Text);
// "R<row>C<col>": true with the cell's column in X and row in Y.
bool ParseCellRef(const std::string& Text, TPoint& Cell);
std::u16string DecodeWideText(const std::string& Text);
std::string EncodeWideText(const std::u16string& Text);
// UTF-8 and UTF-16 forms of a text (invalid bytes become U+FFFD).
std::u16string Utf8ToWide(const std::string& Text);
std::string WideToUtf8(const std::u16string& Text);
// The text to show, copy or export: the storage form decoded, else the text.
std::string ShownText(const std::string& Text);

int LimitValue(int Value, int Low, int High);
int MaxInt(int A, int B);
int MinInt(int A, int B);
struct TCellRange { int Left = 0, Top = 0, Right = 0, Bottom = 0; };
bool CellInRange(const TCellRange& Range, int Col, int Row);
TColor HalfColor(TColor Color);
int NumberKind(const std::string& Text);
std::string NumberText(const std::string& Text);
bool ParseLocaleDate(const std::string& Text, TDateTime& Date);
// EConvertError "Invalid argument to date encode" for an impossible date.
TDateTime ParseUSDate(const std::string& Text);
TDateTime ParseEUDate(const std::string& Text);
TDateTime StepDate(int Years, int Months, int Days, int DefaultStep, TDateTime Date);
bool MatchCondition(const std::string& Condition, const std::string& Text, bool CaseSensitive);

void FillGradient(TCanvas& Canvas, TColor From, TColor To, bool Horizontal, const TRect& R, int Steps);
void DrawProgressBar(TCanvas& Canvas, const TRect& R, TColor FilledColor, int VMargin, int HMargin, int Percentage,
                     TColor EmptyTextColor, TColor EmptyColor, TColor FilledTextColor);
void DrawProgressPie(TCanvas& Canvas, const TRect& R, TColor FillColor, int Percentage);
void DrawBitmapOnColor(TCanvas& Canvas, const TBitmap& Bitmap, TColor Background, const TRect& R);
// Named pictures the program registers at start-up (its resources).
void RegisterResourceBitmap(const std::string& Name, std::function<std::unique_ptr<TBitmap>()> Make);
void UnregisterResourceBitmap(const std::string& Name);
// EResNotFound "Resource <name> not found" when no such picture is registered.
void DrawResourceBitmap(TCanvas& Canvas, TColor Background, const TRect& R, const std::string& Name);
void DrawComboButton(TCanvas& Canvas, TCustomControl* Window, const TRect& R, bool Themed);
// Wavy red underline under Count characters of Text from character StartIndex
// (0-based) of a cell text drawn at R's left with Canvas's font.
void UnderlineTextRange(TCanvas& Canvas, const std::string& Text, int Count, int StartIndex, int VOffset, const TRect& R);

}  // namespace GridUtil

KV_EXCEPTION_CLASS(EResNotFound, Exception);
