#pragma once
// The survey's view of the main window: caption, tool bar, menus, dialogs, the
// display of the data sections and the forward run, installed into the main
// window's survey at start-up.

#include "survey/Survey.h"

class TMainForm;

class TMainSurveyWindow : public TSurveyWindow {
 public:
  explicit TMainSurveyWindow(TMainForm& Form) : FForm(Form) {}
  void ResetToResistivity() override;
  void SetPseudoSectionEnabled(bool Enabled) override;
  void SetIsoPsZEnabled(bool Enabled) override;
  void ApplySectionSettings() override;
  void PrepareAxes() override;
  void PlotElectrodes() override;
  void SetCaption(const std::string& Caption) override;
  void PlotData(bool Upper) override;
  void ShowSecondToolBar() override;
  // The forward run with the window disabled (enabled again on every way out),
  // then the calculated data in the lower section.
  void ForwardProblem() override;
  void SetDataSectionsXRange(double Minimum, double Maximum) override;
  bool ModelConstructor(TModelConstructorValues& Values, bool ShowPolarizability) override;
  int32_t GetDataQuantity() const override;
  void SetDataQuantity(int32_t Quantity) override;
  void RelayoutSections() override;
  // The worksheet, or the model chart through the picture settings.
  bool SaveSectionPicture(const std::string& FileName, bool Model) override;

 private:
  TMainForm& FForm;
};
