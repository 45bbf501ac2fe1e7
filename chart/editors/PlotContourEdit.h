#pragma once
// The contour series format page: pen, level position, automatic levels with
// their number and colouring, the levels one by one (colour, value, pen) and
// smoothing, with the palette page as the tab "Grid 3D" of the series page.
#include "chart/editors/PlotSeriesFormBase.h"

class TContourSeries;
class TContourLevel;
class TShape;

class TContourSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TContourSeriesEditor, TSeriesFormBase)
public:
  explicit TContourSeriesEditor(TComponent* Owner);

  TButtonPen* Button2;
  TCheckBox* CBYPosLevel;
  TLabel* Label1;
  TEdit* SEYPos;
  TUpDown* UDYPos;
  TGroupBox* GroupBox1;
  TCheckBox* CBAutoLevels;
  TLabel* Label2;
  TEdit* SENum;
  TUpDown* UDNum;
  TCheckBox* CBColorEach;
  TGroupBox* GroupBox2;
  TLabel* Label3;
  TEdit* ELevel;
  TUpDown* UDLevel;
  TShape* SHColor;
  TLabel* Label4;
  TEdit* EValue;
  TButtonPen* bLevelPen;
  TCheckBox* cbDefaultPen;
  TCheckBox *CBSmooth, *CBInterpolate;

  TContourSeries* Contour() const;
  // The level the level controls show; none for an index beyond the levels.
  TContourLevel* CurrentLevel() const;
  // Shows the current level in the level controls.
  void RefreshLevel();

  void SHColorMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ELevelChange(TObject* Sender);
  void EValueChange(TObject* Sender);
  void bLevelPenClick(TObject* Sender);
  void cbDefaultPenClick(TObject* Sender);

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  // The levels that exist: the series' number, at most the items made.
  int32_t LevelCount() const;
  void RebuildLevels();
  // The automatic box shows the series' flag; the level number and colour
  // boxes are usable only with automatic levels.
  void AutomaticRule();
  void LevelRangeRule();
  void PositionRule();
  void SmoothRule();
  TColor ShownColor(int32_t Index) const;
  int32_t FRowYPosLevel = -1, FRowAuto = -1, FRowNum = -1, FRowColorEach = -1, FRowSmooth = -1;
};
