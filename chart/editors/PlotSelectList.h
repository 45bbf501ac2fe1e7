#pragma once
// The two-list selector: an available list and a selected list with buttons
// that move items (with their objects) between them and reorder the
// selected ones. Embedded by the function source editor to pick sources.
#include "chart/series/PlotPenDlg.h"
#include "platform/ui/Buttons.h"

class TSelectListForm : public TForm {
  KV_CLASS(TSelectListForm, TForm)
public:
  explicit TSelectListForm(TComponent* Owner);

  TPanel* Panel1;
  TLabel *Label1, *Label2;
  TListBox* FromList;
  TSplitter* Splitter1;
  TPanel* Panel2;
  TButton *BRightOne, *BRightAll, *BLeftOne, *BLeftAll;
  TListBox* ToList;
  TPanel* Panel3;
  TSpeedButton *BMoveUP, *BMoveDown;

  // Fired after every move.
  TNotifyEvent OnChange;

  void FormShow(TObject* Sender);
  void BRightOneClick(TObject* Sender);
  void BRightAllClick(TObject* Sender);
  void BLeftOneClick(TObject* Sender);
  void BLeftAllClick(TObject* Sender);
  // Both arrow buttons: Sender tells the direction.
  void BMoveUPClick(TObject* Sender);
  void FromListDblClick(TObject* Sender);
  void ToListDblClick(TObject* Sender);
  void ToListClick(TObject* Sender);
  // Which buttons can act on the lists as they are.
  void EnableButtons();

private:
  void Changed();
  static void FocusList(TListBox* List);
};
