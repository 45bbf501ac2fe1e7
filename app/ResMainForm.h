#pragma once
// The main window of the program.

#include "platform/ui/Forms.h"

class TMainForm : public TForm {
 public:
  explicit TMainForm(TComponent* AOwner);
};

namespace ResMainForm {
// The main window, created by the program entry; none before.
extern TMainForm* MainForm;
}  // namespace ResMainForm
