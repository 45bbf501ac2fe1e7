#pragma once
// Helpers of the main-window tests: a clean settings key, a scripted seam that
// fails the test on any unexpected prompt, and the main window itself.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>
#include <string>
#include <vector>

#include "app/Dearsetup.h"
#include "app/ResMainForm.h"
#include "numerics/DC2dBEM.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/ScriptedUserSeam.h"

namespace AppTest {

inline std::string ExampleFile(const std::string& Name) { return std::string(KV_SOURCE_DIR) + "/examples/" + Name; }

inline void ClearProgramSettings() {
  Registry::ReloadStore();
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  reg.DeleteKey(ResMainForm::SettingsKey);
}

// Runs the event loop until Done or the time is up.
inline bool RunUntil(const std::function<bool()>& Done, int TimeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!Done() && clock.elapsed() < TimeoutMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return Done();
}

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
