#pragma once
// Named clipboard formats: each format is a MIME type holding bytes, and
// several formats can travel together in one clipboard content.

#include <string>
#include <utility>
#include <vector>

namespace ClipboardFormats {

// UTF-8 plain text.
extern const char* const PlainText;
// A rich-text document ("Rich Text Format").
extern const char* const RichText;
// The grid's own cell stream ("TGridView Cells").
extern const char* const GridCells;

using TFormatList = std::vector<std::pair<std::string, std::string>>;

// Replaces the clipboard content by the formats given (MIME type, bytes).
void SetFormats(const TFormatList& Formats);
// Adds one format to the current content, keeping the formats already there.
void AddFormat(const std::string& MimeType, const std::string& Bytes);
bool HasFormat(const std::string& MimeType);
// The bytes of a format; empty when the clipboard does not hold it.
std::string GetFormat(const std::string& MimeType);

}  // namespace ClipboardFormats
