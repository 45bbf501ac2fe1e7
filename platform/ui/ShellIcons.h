#pragma once
// ShellIcons: the desktop's icons for files, folders and the system's own
// image list, in the small (16 x 16) and large (32 x 32) sizes, taken from
// the desktop's icon theme. Where the theme has no such icon the answer is
// false and the icon is left as it was.

#include "platform/gdi/Icon.h"
#include "platform/rtl/Types.h"

#include <string>

namespace ShellIcons {

// The size of the small or large icons.
TSize IconSize(bool Large);
// Icon Index of the system image list (document, application, folder,
// drives, computer, printer ... in the desktop's usual order).
bool IconByIndex(int Index, bool Large, TIcon& Icon);
// The icon of the file or folder Name; for a path that does not exist, the
// icon of its kind as told by its extension.
bool IconForFile(const std::string& Name, bool Large, TIcon& Icon);

}  // namespace ShellIcons
