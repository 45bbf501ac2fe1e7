#pragma once
// gvcheck: the base of cell checkers. The grid asks an assigned checker to
// correct (AutoCorrect) and to mark errors in (AutoMarkError) each edited
// cell text while validating it, and keeps the text the checker returns.

#include "platform/rtl/Classes.h"

#include <string>

class TGridViewCheck : public TComponent {
  KV_CLASS(TGridViewCheck, TComponent)
 public:
  explicit TGridViewCheck(TComponent* AOwner) : TComponent(AOwner) {}

  bool AutoCorrect = false;
  bool AutoMarkError = false;
  bool GotoCell = false;
  bool UseCorrect = false;
  bool UseMarkError = false;

  // Both return the text unchanged here; checkers override them.
  virtual std::string ShowErrors(int ACol, int ARow, const std::string& Value);
  virtual std::string CorrectText(int ACol, int ARow, const std::string& Value);
  // Hooks around a whole check of a grid; nothing here.
  virtual void StartCheck() {}
  virtual void StopCheck() {}
};
