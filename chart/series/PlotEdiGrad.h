#pragma once
// The gradient editor (visibility, direction, three colours, balance, radial
// offset, 17 named presets and a gallery of the ten directions), its sample
// panel and the gradient button.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotCanvas.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TChartGalleryPanel;

// A panel that draws nothing but its own gradient.
class TPreviewGradient : public TCustomControl {
  KV_CLASS(TPreviewGradient, TCustomControl)
public:
  explicit TPreviewGradient(TComponent* Owner);
  ~TPreviewGradient() override;
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void Paint() override;

private:
  std::unique_ptr<TPlotGradient> FGradient;
};

// One named colour preset of the gradient editor.
struct TGradientPreset {
  const char* Name;
  TColor Start, Middle, End;
  TGradientDirection Direction;
  int32_t Balance;
};

class TPlotGradientEditor : public TForm {
  KV_CLASS(TPlotGradientEditor, TForm)
public:
  explicit TPlotGradientEditor(TComponent* Owner);
  ~TPlotGradientEditor() override;
  // A page version inside Owner: no OK and Cancel, aligned to fill its parent.
  static TPlotGradientEditor* CreateEmbedded(TComponent* Owner, TPlotGradient* Gradient);

  TPanel* Panel2;
  TCheckBox* CBVisible;
  TLabel* LDirection;
  TComboFlat* CBDirection;
  TPageControl* PageControl1;
  TTabSheet *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4;
  TListBox* Gallery;
  TPreviewGradient* Sample;
  TButtonColor *BStart, *BMid, *BEnd;
  TCheckBox* CBMid;
  TButton* BSwap;
  TLabel* LBalance;
  TScrollBar* SBBalance;
  TLabel* LabelBalance;
  TGroupBox* GroupRadial;
  TLabel *LHoriz, *LVert, *LRadialX, *LRadialY;
  TTrackBar *TrackBar1, *TrackBar2;
  TChartGalleryPanel* Directions;
  TPanel* Panel1;
  TButton *BOk, *BCancel;

  TPlotGradient* EditedGradient = nullptr;  // not owned
  std::unique_ptr<TPlotGradient> SavedGradient;
  bool GradientChanged = false;
  bool HideEndColor = false;
  bool LoadingControls = false;

  virtual void LoadControls();
  virtual void RefreshPreview();
  virtual void SetGradient(TPlotGradient* Gradient);
  void EnableControls();
  void EnableDirectionControls();
  void UpdateGalleryColors();
  void ApplyPreset(int32_t Number);
  // The preset number of a row of the (sorted) preset list.
  int32_t PresetOfRow(int32_t Row) const;
  static bool IsLinearDirection(TGradientDirection Direction);
  static const std::vector<TGradientPreset>& Presets();

  // Handlers (what the controls run on a person's change).
  void CBVisibleClick(TObject* Sender);
  void CBDirectionChange(TObject* Sender);
  void DirectionChosen(TObject* Sender);
  void BSwapClick(TObject* Sender);
  void CBMidClick(TObject* Sender);
  void BMidClick(TObject* Sender);
  void ColorClick(TObject* Sender);
  void SBBalanceChange(TObject* Sender);
  void TrackBar1Change(TObject* Sender);
  void TrackBar2Change(TObject* Sender);
  void GalleryClick(TObject* Sender);
  void BCancelClick(TObject* Sender);

private:
  void BuildDirections();
  void Touch() { GradientChanged = true; }
  std::vector<int32_t> FRowPreset;
};

// A button that shows a gradient and opens the gradient editor for it.
class TButtonGradient : public TPlotButton {
  KV_CLASS(TButtonGradient, TPlotButton)
public:
  explicit TButtonGradient(TComponent* Owner);
  void BindGradient(TPlotGradient* Gradient);
  TPlotGradient* GetGradient() const;
  bool HideEndColor = false;
  void Click() override;
  void DrawSymbol(TPlotCanvas& Canvas) override;
  TPlotGradientEditor* Editor() const { return FEditor; }

private:
  TPlotGradientEditor* FEditor = nullptr;
  TNotifyEvent FChainedDestroy;
};

namespace PlotEdiGrad {
TPlotGradientEditor* CreateGradientEditor(TComponent* Owner, TPlotGradient* Gradient, bool HideEnd,
                                          bool HideVisible);
bool EditGradientModal(TComponent* Owner, TPlotGradient* Gradient, bool HideEnd, bool HideVisible);
bool ShowGradientEditor(TComponent* Owner, TPlotGradient* Gradient);
}  // namespace PlotEdiGrad
