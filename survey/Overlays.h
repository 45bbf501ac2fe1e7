#pragma once
// Overlay files laid over the views for comparison: a picture file placed by
// two opposite corners in model coordinates ("sec" files), and a curve of
// points ("dat" files of x and y per line).

#include <string>

#include "numerics/Supermath2d.h"

namespace Overlays {

// A picture overlay: the picture file and two opposite corners (x, depth).
struct TPictureOverlay {
  std::string PictureFile;
  double X1 = 0.0, Y1 = 0.0, X2 = 0.0, Y2 = 0.0;
};

// Where the picture a sec file names lies: the path as written (a relative path
// from the sec file's folder), else the path's file-name part beside the sec
// file (a path of another platform, with a drive letter or backslashes, only
// so). Empty when neither exists.
std::string LocatePicture(const std::string& SecFile, const std::string& PicturePath);

// Reads a sec file: line 1 the picture path, line 2 exactly four numbers x1 y1
// x2 y2; further lines are ignored. True with Overlay filled when the picture
// exists and the corners span an area. False with Problem empty when the picture
// is not found (nothing to say), else with Problem naming what is wrong.
bool ReadPictureOverlay(const std::string& SecFile, TPictureOverlay& Overlay, std::string& Problem);
// The same on the file's text (SecFile places relative paths).
bool ParsePictureOverlay(const std::string& SecFile, const std::string& Text, TPictureOverlay& Overlay,
                         std::string& Problem);

// Reads a point file: x and y as the first two numbers of each line (blanks or
// tabs between them, "," accepted as decimal sign); other lines are skipped.
// True with Points replaced when it holds at least two points; otherwise Points
// stay as they were.
bool ReadPointOverlay(const std::string& FileName, arofcomplexM& Points);
bool ParsePointOverlay(const std::string& Text, arofcomplexM& Points);

}  // namespace Overlays
