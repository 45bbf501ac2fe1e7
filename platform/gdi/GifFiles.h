#pragma once
// GifFiles: GIF pictures (87a and 89a), frame by frame. The file's blocks
// are walked by their structure (extensions and sub-blocks skipped by their
// lengths), so nothing inside image data is mistaken for the start of a
// frame. Every length and size read is checked against the data; a damaged
// file raises EInvalidGraphic and yields nothing half-read.

#include "platform/gdi/Graphics.h"
#include "platform/gdi/ImageFiles.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace GifFiles {

// One image of the file: its place and size inside the logical screen, and
// the byte range it takes (from its graphic control extension, when one
// comes directly before it, to the end of its image data).
struct TGifFrame {
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  size_t Start = 0, Descriptor = 0, End = 0;
  int TransparentIndex = -1;  // -1: no transparent colour
};

struct TGifLayout {
  int32_t ScreenWidth = 0, ScreenHeight = 0;
  std::vector<TGifFrame> Frames;  // the complete frames, in file order
};

// More than 4 bytes that begin with "GIF8".
bool IsGif(const std::vector<uint8_t>& Data);

// The logical screen and the complete frames. The walk stops at the trailer,
// at a block of unknown kind and at truncated data, keeping the frames found
// before. EInvalidGraphic when the header is no GIF header.
TGifLayout ScanGif(const std::vector<uint8_t>& Data);

// Frame Index (0-based) decoded at its own size; pixels of the transparent
// colour get alpha 0 (HasAlpha is then set). EInvalidGraphic "Invalid GIF:
// <reason>" for a missing frame or damaged image data.
ImageFiles::TRawImage ReadGifFrame(const std::vector<uint8_t>& Data, int Index);

}  // namespace GifFiles
