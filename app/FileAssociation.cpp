#include "app/FileAssociation.h"

#include "platform/rtl/FileStore.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace FileAssociation {

namespace {

namespace fs = std::filesystem;

// Writes Text in one piece: a reader never sees half a file.
void WriteWhole(const fs::path& Path, const std::string& Text) {
  std::error_code ec;
  fs::create_directories(Path.parent_path(), ec);
  if (ec) return;
  std::string error;
  FileStore::WriteFileAtomic(Path.string(), Text, error);
}

// A desktop-entry program argument: quoted with its reserved characters escaped,
// "%" doubled, then every backslash doubled again as the entry's string values need.
std::string QuoteExec(const std::string& Text) {
  std::string quoted = "\"";
  for (char c : Text) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (char c : quoted) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

std::string EscapeXml(const std::string& Text) {
  std::string escaped;
  for (char c : Text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

}  // namespace

std::string UserDataDir() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
  return {};
}

void RegisterFileAssociation(const std::string& DataDir, const std::string& Ext, const std::string& Description,
                             const std::string& Icon, const std::string& Exe) {
  if (DataDir.empty() || Ext.empty()) return;
  const std::string mimeType = "application/x-" + Ext + "zovfile";
  WriteWhole(fs::path(DataDir) / "mime" / "packages" / ("kelmvev2er-" + Ext + ".xml"),
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"" + mimeType + "\">\n"
             "    <comment>" + EscapeXml(Description) + "</comment>\n"
             "    <glob pattern=\"*." + EscapeXml(Ext) + "\"/>\n"
             "  </mime-type>\n"
             "</mime-info>\n");
  WriteWhole(fs::path(DataDir) / "applications" / ("kelmvev2er-" + Ext + ".desktop"),
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=KelmVev2Er\n"
             "Comment=" + Description + "\n"
             "Icon=" + Icon + "\n"
             "Exec=" + QuoteExec(Exe) + " %f\n"
             "MimeType=" + mimeType + ";\n"
             "NoDisplay=true\n");
}

}  // namespace FileAssociation
