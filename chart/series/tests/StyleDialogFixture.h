#pragma once
// Style dialog tests: a scripted seam, the toolkit and the chart texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ScriptedUserSeam.h"

class StyleDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    static const std::string Dir = (std::filesystem::temp_directory_path() / "kv-style-tests").string();
    if (!std::getenv("KV_CONFIG_DIR")) setenv("KV_CONFIG_DIR", Dir.c_str(), 0);
    Forms::EnsureToolkit();
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Seam.OnUnexpected = [](const std::string& S) { ADD_FAILURE() << S; };
  }
  // Shows a modal form through the seam, runs Script inside it and returns
  // the modal result the script gives.
  template <class F>
  void Modal(const std::function<TModalResult(F&)>& Script) {
    Seam.AnswerModal([Script](TForm& Form) { return Script(dynamic_cast<F&>(Form)); });
  }
  TScriptedUserSeam Seam;
};
