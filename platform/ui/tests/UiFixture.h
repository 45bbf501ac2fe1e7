#pragma once
// A scripted seam whose surprises fail the test, and an application reset
// after each test.

#include "platform/ui/Forms.h"
#include "platform/ui/ScriptedUserSeam.h"

#include <gtest/gtest.h>

class UiTest : public ::testing::Test {
 protected:
  UiTest() {
    seam.OnUnexpected = [](const std::string& failure) { ADD_FAILURE() << failure; };
    Application->Title = "KelmVev2Er";
  }
  ~UiTest() override { Application->ResetForTests(); }

  TScriptedUserSeam seam;
};
