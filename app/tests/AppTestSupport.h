#pragma once
// Helpers of the main-window tests: a clean settings key, a scripted seam that
// fails the test on any unexpected prompt, and the main window itself.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/Dearsetup.h"
#include "app/ModelConstruct.h"
#include "app/ResMainForm.h"
#include "numerics/DC2dBEM.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "views/Multigraphics.h"
#include "platform/ui/ScriptedUserSeam.h"
#include "platform/ui/tests/EventLoop.h"

namespace AppTest {

inline std::string ExampleFile(const std::string& Name) { return std::string(KV_SOURCE_DIR) + "/examples/" + Name; }

// Removes every setting the program keeps: the program key, the keys of the
// views and the axis texts, and the settings file named after the executable.
inline void ClearProgramSettings() {
  Registry::ReloadStore();
  const std::string exe = Multigraphics::ExecutableFileName();
  TRegistry user;
  user.SetRootKey(HKEY_CURRENT_USER);
  user.DeleteKey(ResMainForm::SettingsKey);
  user.DeleteKey("\\Software\\KelmVev2er_ps_" + exe + "_colorbar");
  user.DeleteKey("\\Software\\KelmVev2er_plgnch_" + exe + "_polychart");
  TRegistry classes;
  classes.SetRootKey(HKEY_CLASSES_ROOT);
  for (const char* prefix : {"KelmVev2er_mg_t", "KelmVev2er_mg_o", "KelmVev2er_mg_t1", "KelmVev2er_mg_o1"})
    classes.DeleteKey(multigraph::RegistryKey(prefix));
  classes.DeleteKey("\\Software\\KelmVev2er_allaxises_" + exe + "_difparams");
  const std::string name = SysUtils::ExtractFileName(Application->ExeName());
  std::remove((Registry::ConfigDir() + "/" + SysUtils::ChangeFileExt(name.empty() ? "kelmvev2er" : name, ".in")).c_str());
}

// Answers the next "Model constructor" dialog with its proposed values.
inline void AcceptModelConstructor(TScriptedUserSeam& Seam) {
  Seam.AnswerModal([](TForm& form) {
    auto& dialog = dynamic_cast<TModConstr&>(form);
    dialog.abcPicBtn1->Click();
    return dialog.GetModalResult();
  });
}

// One measurement row (C1, C2, P1, P2 in m; NoValue for an electrode at
// infinity), with its apparent resistivity, weight and polarizability.
inline arofdoubleM MeasurementRow(double C1, double C2, double P1, double P2, double RhoA, double Weight = 1.0,
                                  double EtaA = Supermath2d::NoValue) {
  arofdoubleM row(Survey::RowColumns, Supermath2d::NoValue);
  row[Survey::colC1] = C1;
  row[Survey::colC2] = C2;
  row[Survey::colP1] = P1;
  row[Survey::colP2] = P2;
  row[Survey::colRhoA] = RhoA;
  row[Survey::colWeight] = Weight;
  row[Survey::colEtaA] = EtaA;
  return row;
}

// Makes the rows the window's observed survey, analysed as opening a file does.
inline void LoadRows(TMainForm& Form, const ararofdoubleM& Rows, bool WithIP = false) {
  Form.Survey.MeasurementRows = Rows;
  Form.Survey.HasObservedData = true;
  Form.Survey.HasIPData = WithIP;
  Form.Survey.AnalyseSurvey();
  Form.ObservedLoaded = true;
  Form.HasIP = WithIP;
  Form.SurveyShown = true;
}

using UiTestSupport::RunUntil;

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Forms::EnsureToolkit();
    Application->SetParams({"kelmvev2er", "-ns"});
    ClearProgramSettings();
    Seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
  }
  void TearDown() override {
    CloseForm();
    if (Dearsetup::Defarray) {
      Dearsetup::Defarray->Free();
      Dearsetup::Defarray = nullptr;
    }
    DC2dBEM::ResetState();
  }
  TMainForm& OpenForm() {
    Form = Create<TMainForm>(nullptr);
    return *Form;
  }
  // Frees the window, as the end of the program does (settings are written by
  // the close query, which the caller runs when the test needs it).
  void CloseForm() {
    if (Form) Form->Free();
    Form = nullptr;
  }
  // Runs the close query as closing the window does; true when it may close.
  bool QueryClose() { return Form->CloseQuery(); }

  TScriptedUserSeam Seam;
  TMainForm* Form = nullptr;
};

}  // namespace AppTest
