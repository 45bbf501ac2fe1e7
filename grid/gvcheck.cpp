#include "grid/gvcheck.h"

KV_CLASS_IMPL(TGridViewCheck, TComponent) {
  c.Property("AutoCorrect", &TGridViewCheck::AutoCorrect).Default(false);
  c.Property("AutoMarkError", &TGridViewCheck::AutoMarkError).Default(false);
  c.Property("GotoCell", &TGridViewCheck::GotoCell).Default(false);
  c.Property("UseCorrect", &TGridViewCheck::UseCorrect).Default(false);
  c.Property("UseMarkError", &TGridViewCheck::UseMarkError).Default(false);
}

std::string TGridViewCheck::ShowErrors(int /*ACol*/, int /*ARow*/, const std::string& Value) { return Value; }
std::string TGridViewCheck::CorrectText(int /*ACol*/, int /*ARow*/, const std::string& Value) { return Value; }
