#pragma once
// Metafiles: a device-context backend that records drawing as an enhanced
// metafile (EMF: header, one record per primitive and state change, EOF), the
// picture that holds such a recording, and a canvas that draws into one.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Graphics.h"

// EMF record types written by the recorder.
namespace Emf {
constexpr uint32_t EMR_HEADER = 1;
constexpr uint32_t EMR_POLYLINE = 4;
constexpr uint32_t EMR_POLYPOLYGON = 8;
constexpr uint32_t EMR_EOF = 14;
constexpr uint32_t EMR_SETPIXELV = 15;
constexpr uint32_t EMR_SETBKMODE = 18;
constexpr uint32_t EMR_SETPOLYFILLMODE = 19;
constexpr uint32_t EMR_SETROP2 = 20;
constexpr uint32_t EMR_SETTEXTALIGN = 22;
constexpr uint32_t EMR_SETTEXTCOLOR = 24;
constexpr uint32_t EMR_SETBKCOLOR = 25;
constexpr uint32_t EMR_SELECTOBJECT = 37;
constexpr uint32_t EMR_CREATEPEN = 38;
constexpr uint32_t EMR_CREATEBRUSHINDIRECT = 39;
constexpr uint32_t EMR_DELETEOBJECT = 40;
constexpr uint32_t EMR_EXTFLOODFILL = 53;
constexpr uint32_t EMR_EXTSELECTCLIPRGN = 75;
constexpr uint32_t EMR_STRETCHDIBITS = 81;
constexpr uint32_t EMR_EXTCREATEFONTINDIRECTW = 82;
constexpr uint32_t EMR_EXTTEXTOUTW = 84;
constexpr uint32_t EMR_CREATEDIBPATTERNBRUSHPT = 94;
constexpr uint32_t EMR_EXTCREATEPEN = 95;
constexpr uint32_t EMR_ALPHABLEND = 114;
constexpr uint32_t Signature = 0x464D4520;  // " EMF"

// One record of a metafile: its type and its whole bytes (type and size included).
struct TRecord {
  uint32_t Type = 0;
  std::vector<uint8_t> Bytes;
};
// Splits metafile bytes into records; raises EInvalidGraphic-like Exception
// ("Invalid metafile") for bytes that are not a well-formed EMF.
std::vector<TRecord> SplitRecords(const std::vector<uint8_t>& Data);
// True for the bytes of an enhanced metafile (by its header record).
bool IsMetafileData(const std::vector<uint8_t>& Data);
// True for an old-format metafile with the placeable header.
bool IsOldMetafileData(const std::vector<uint8_t>& Data);
// The enhanced metafile Data as an old-format metafile with the placeable
// header (one unit per pixel of the reference screen). Alpha blending has no
// old-format record and is left out; text keeps the Latin-1 characters.
std::vector<uint8_t> ToOldMetafile(const std::vector<uint8_t>& Data);
// An old-format metafile (placeable header) as an enhanced one, by playing its
// records into the recorder. Raises Exception "Invalid metafile" for bytes
// that are not one.
std::vector<uint8_t> FromOldMetafile(const std::vector<uint8_t>& Data);
// Draws the records of an enhanced metafile on DC, the top-left corner of the
// picture's bounds at DC's device origin, one picture unit per pixel. Records
// this player does not know are skipped; records whose sizes do not fit their
// contents end the playback (nothing is read outside the bytes).
void Play(const std::vector<uint8_t>& Data, TDeviceContext& DC);
// Draws the records stretched onto Target (device units of DC), the
// recording's own mapping and clipping composed with that stretch; Clip
// (device units), when given, bounds everything drawn. DC's state is as
// before afterwards.
void PlayInto(const std::vector<uint8_t>& Data, TDeviceContext& DC, const TRect& Target, const TRegion* Clip);
}  // namespace Emf

// The recording backend of a device context. Finish() completes the EMF and
// answers its bytes; Replay draws the recording again on another backend.
class TMetafileBackend : public TDCBackend {
public:
  TMetafileBackend(int32_t Width, int32_t Height);
  ~TMetafileBackend() override;

  int32_t Width() const override { return FWidth; }
  int32_t Height() const override { return FHeight; }
  int BitsPerPixel() const override { return 24; }
  void StrokePolyline(const std::vector<TPoint>& Points, bool Closed, bool SkipLast, const TDCState& S) override;
  void FillPolygons(const std::vector<std::vector<TPointF>>& Figures, int FillMode, const TDCState& S) override;
  void StrokeFigures(const std::vector<TPathFigure>& Figures, const TDCState& S) override;
  void PatBlt(const TRect& R, const TLogBrush& Brush, uint32_t Rop, const TDCState& S) override;
  void SetPixel(int32_t X, int32_t Y, TColor Color, const TDCState& S) override;
  // A recording has no pixels to read.
  uint32_t GetPixel(int32_t X, int32_t Y) const override;
  void DrawText(double X, double Y, const std::u16string& Text, const std::vector<int32_t>* Dx,
                const TDCState& S) override;
  void FillRectWithColor(const TRect& R, TColor Color, const TDCState& S) override;
  bool BitBlt(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, uint32_t Rop,
              const TDCState& S) override;
  bool AlphaBlend(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, TBlendFunction Blend,
                  const TDCState& S) override;
  bool FloodFill(int32_t X, int32_t Y, TColor Color, int Type, const TDCState& S) override;
  int DeviceCaps(int Index) const override;

  // Header and EOF around the records; later drawing is ignored.
  std::vector<uint8_t> Finish();
  // The recorded calls, for drawing the picture on a raster surface.
  using TReplayStep = std::function<void(TDCBackend& Target)>;
  const std::vector<TReplayStep>& ReplaySteps() const { return FReplay; }

private:
  struct TWriter;
  void SyncState(const TDCState& S, bool UsePen, bool UseBrush, bool UseFont);
  void SelectPen(const TLogPen& Pen, double PenScale);
  void SelectNullPen();
  void SelectBrush(const TLogBrush& Brush);
  void SelectNullBrush();
  void SelectFont(const TLogFont& Font);
  void SyncClip(const TDCState& S);
  void Emit(std::vector<uint8_t> Record);
  void EmitSetting(uint32_t Type, uint32_t Value);
  void EmitPolygon(const std::vector<std::vector<TPoint>>& Polys);
  void EmitPolyline(const std::vector<TPoint>& Points);
  void EmitDib(uint32_t Type, const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, uint32_t Rop,
               const TBlendFunction* Blend);

  int32_t FWidth, FHeight;
  std::vector<uint8_t> FRecords;
  uint32_t FRecordCount = 0;
  bool FFinished = false;
  std::vector<TReplayStep> FReplay;
  // What the recorded device context currently holds.
  struct TSelected;
  std::unique_ptr<TSelected> FSel;
};

// A picture holding a metafile recording.
class TMetafile : public TGraphic {
public:
  TMetafile();
  TMetafile(int32_t Width, int32_t Height);
  ~TMetafile() override;

  int32_t GetWidth() const override { return FWidth; }
  int32_t GetHeight() const override { return FHeight; }
  void SetWidth(int32_t V) { FWidth = V; }
  void SetHeight(int32_t V) { FHeight = V; }
  // Saving to a file named neither .emf nor .wmf writes an old-format
  // metafile when this is false; the picture itself is always held enhanced.
  bool GetEnhanced() const { return FEnhanced; }
  void SetEnhanced(bool V) { FEnhanced = V; }
  bool GetEmpty() const override { return FBytes.empty(); }
  // Draws the picture stretched into R and clipped to it, straight onto the
  // canvas's surface (no bitmap of the picture's size): a recording of this
  // session drawn at its own size replays its drawing calls, otherwise the
  // records play through the canvas's device context mapped from the
  // picture's frame onto R. On a metafile canvas the picture becomes records.
  void Draw(TCanvas& Canvas, const TRect& R) const override;
  void LoadFromFile(const std::string& FileName) override;
  void SaveToFile(const std::string& FileName) const override;
  void LoadFromBytes(const std::vector<uint8_t>& Data) override;
  std::vector<uint8_t> SaveToBytes() const override { return FBytes; }
  std::unique_ptr<TGraphic> Clone() const override;
  std::string GraphicClassName() const override { return "TMetafile"; }

  // Completed by a metafile canvas.
  void SetRecording(std::vector<uint8_t> Bytes, std::vector<TMetafileBackend::TReplayStep> Replay);

private:
  int32_t FWidth = 0, FHeight = 0;
  bool FEnhanced = true;
  std::vector<uint8_t> FBytes;
  std::shared_ptr<const std::vector<TMetafileBackend::TReplayStep>> FReplay;
};

// A canvas drawing into a metafile; freeing it completes the picture.
class TMetafileCanvas : public TCanvas {
public:
  explicit TMetafileCanvas(TMetafile& Metafile);
  ~TMetafileCanvas() override;

private:
  TMetafile& FMetafile;
  TMetafileBackend* FBackend;  // owned by FDevice
  std::unique_ptr<TDeviceContext> FDevice;
};
