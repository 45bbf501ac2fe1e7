#pragma once
// Registers the program as the opener of its data files for the current user:
// a MIME type for the extension and a desktop entry that opens such files with
// the running executable, under the user's data folder ($XDG_DATA_HOME, else
// ~/.local/share). Rewritten at every start so that it follows the executable.

#include <string>

namespace FileAssociation {

// The user's data folder; empty when neither $XDG_DATA_HOME nor $HOME is set.
std::string UserDataDir();

// Writes "<DataDir>/mime/packages/kelmvev2er-<Ext>.xml" and
// "<DataDir>/applications/kelmvev2er-<Ext>.desktop". Ext is without the point.
// Nothing is reported: a folder that cannot be written is skipped.
void RegisterFileAssociation(const std::string& DataDir, const std::string& Ext, const std::string& Description,
                             const std::string& Icon, const std::string& Exe);

}  // namespace FileAssociation
