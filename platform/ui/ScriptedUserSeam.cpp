#include "platform/ui/ScriptedUserSeam.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"

#include <cstdio>
#include <cstdlib>

const char* PromptKindName(TPromptKind Kind) {
  switch (Kind) {
    case TPromptKind::Message: return "message box";
    case TPromptKind::Input: return "input box";
    case TPromptKind::Modal: return "modal form";
    case TPromptKind::FileDialog: return "file dialog";
    case TPromptKind::Color: return "colour dialog";
    case TPromptKind::Font: return "font dialog";
    case TPromptKind::Print: return "print dialog";
    case TPromptKind::Popup: return "pop-up menu";
    case TPromptKind::Shell: return "shell open";
    case TPromptKind::Http: return "HTTP request";
    case TPromptKind::Mail: return "mail message";
  }
  return "prompt";
}

TScriptedUserSeam::TScriptedUserSeam() { FPrevious = UserSeam::Install(this); }

TScriptedUserSeam::~TScriptedUserSeam() {
  UserSeam::Install(FPrevious);
  for (const TEntry& e : FScript) Fail(std::string("scripted answer for a ") + PromptKindName(e.Kind) + " was never asked for");
}

void TScriptedUserSeam::Fail(const std::string& Failure) {
  FFailures.push_back(Failure);
  if (OnUnexpected) {
    OnUnexpected(Failure);
    return;
  }
  std::fprintf(stderr, "TScriptedUserSeam: %s\n", Failure.c_str());
  std::abort();
}

std::optional<TScriptedUserSeam::TAnswer> TScriptedUserSeam::Take(TPromptKind Kind, const std::string& Caption,
                                                                  const std::string& Text) {
  FPrompts.push_back({Kind, Caption, Text});
  const std::string what = std::string(PromptKindName(Kind)) + " \"" + Caption + "\": \"" + Text + "\"";
  if (FScript.empty()) {
    Fail("unexpected " + what + " (no answer scripted)");
    return std::nullopt;
  }
  if (FScript.front().Kind != Kind) {
    Fail("unexpected " + what + " (the script expected a " + PromptKindName(FScript.front().Kind) + ")");
    return std::nullopt;
  }
  TAnswer answer = std::move(FScript.front().Answer);
  FScript.pop_front();
  return answer;
}

void TScriptedUserSeam::AnswerMessage(TModalResult Answer) {
  FScript.push_back({TPromptKind::Message, TAnswer(std::in_place_index<0>, Answer)});
}

void TScriptedUserSeam::AnswerInput(std::optional<std::string> Text) {
  FScript.push_back({TPromptKind::Input, TAnswer(std::in_place_index<1>, std::move(Text))});
}

void TScriptedUserSeam::AnswerModal(TModalScript Script) {
  FScript.push_back({TPromptKind::Modal, TAnswer(std::in_place_index<2>, std::move(Script))});
}

void TScriptedUserSeam::AnswerFileDialog(std::optional<TFileDialogResult> Result) {
  AnswerFileDialog(TFileScript([Result](const TFileDialogRequest&) { return Result; }));
}

void TScriptedUserSeam::AnswerFileDialog(TFileScript Script) {
  FScript.push_back({TPromptKind::FileDialog, TAnswer(std::in_place_index<3>, std::move(Script))});
}

void TScriptedUserSeam::AnswerColor(std::optional<TColor> Color) {
  FScript.push_back({TPromptKind::Color, TAnswer(std::in_place_index<4>, Color)});
}

void TScriptedUserSeam::AnswerFont(TFontScript Script) {
  FScript.push_back({TPromptKind::Font, TAnswer(std::in_place_index<5>, std::move(Script))});
}

void TScriptedUserSeam::AnswerPrint(std::optional<TPrintResult> Result) {
  FScript.push_back({TPromptKind::Print, TAnswer(std::in_place_index<6>, std::move(Result))});
}

void TScriptedUserSeam::AnswerPopup(TPopupScript Script) {
  FScript.push_back({TPromptKind::Popup, TAnswer(std::in_place_index<7>, std::move(Script))});
}

void TScriptedUserSeam::AnswerPopupItem(const std::string& Caption) {
  AnswerPopup([this, Caption](TPopupMenu& Menu) -> TMenuItem* {
    TMenuItem* item = Menu.Items()->Find(Caption);
    if (!item) Fail("pop-up menu has no visible item \"" + Caption + "\"");
    return item;
  });
}

void TScriptedUserSeam::AnswerShell(bool Opened) {
  FScript.push_back({TPromptKind::Shell, TAnswer(std::in_place_index<8>, Opened)});
}

void TScriptedUserSeam::AnswerHttp(THttpResponse Response) {
  FScript.push_back({TPromptKind::Http, TAnswer(std::in_place_index<9>, std::move(Response))});
}

void TScriptedUserSeam::AnswerMail(bool Sent) {
  FScript.push_back({TPromptKind::Mail, TAnswer(std::in_place_index<8>, Sent)});
}

TModalResult TScriptedUserSeam::MessageBox(const TMessageRequest& Request) {
  auto answer = Take(TPromptKind::Message, Request.Caption, Request.Text);
  return answer ? std::get<0>(*answer) : mrCancel;
}

std::optional<std::string> TScriptedUserSeam::InputBox(const TInputRequest& Request) {
  auto answer = Take(TPromptKind::Input, Request.Caption, Request.Prompt);
  return answer ? std::get<1>(*answer) : std::nullopt;
}

TModalResult TScriptedUserSeam::ShowModal(TForm& Form) {
  auto answer = Take(TPromptKind::Modal, Form.GetCaption(), Form.GetName());
  if (!answer) return mrCancel;
  // The form is shown (OnShow runs) while the script fills it in, as a person would see it.
  Form.Show();
  TModalResult result = std::get<2>(*answer)(Form);
  Form.SetModalResult(result);
  // A modal form closes through CloseQuery and OnClose, which may refuse.
  if (result != mrNone && !Form.CloseQuery()) Fail("modal form \"" + Form.GetCaption() + "\" refused to close");
  TCloseAction action = TCloseAction::caHide;
  if (Form.OnClose) Form.OnClose(&Form, action);
  Form.Hide();
  return result;
}

std::optional<TFileDialogResult> TScriptedUserSeam::FileDialog(const TFileDialogRequest& Request) {
  auto answer = Take(TPromptKind::FileDialog, Request.Title, Request.FileName);
  return answer ? std::get<3>(*answer)(Request) : std::nullopt;
}

std::optional<TColorResult> TScriptedUserSeam::ColorDialog(const TColorRequest& Request) {
  auto answer = Take(TPromptKind::Color, "", std::to_string(Request.Color));
  if (!answer || !std::get<4>(*answer)) return std::nullopt;
  return TColorResult{*std::get<4>(*answer), Request.CustomColors};
}

bool TScriptedUserSeam::FontDialog(TFont& Font) {
  auto answer = Take(TPromptKind::Font, "", Font.GetName());
  return answer && std::get<5>(*answer)(Font);
}

std::optional<TPrintResult> TScriptedUserSeam::PrintDialog(const TPrintRequest&) {
  auto answer = Take(TPromptKind::Print, "", "");
  return answer ? std::get<6>(*answer) : std::nullopt;
}

TMenuItem* TScriptedUserSeam::PopupMenu(TPopupMenu& Menu, int, int) {
  auto answer = Take(TPromptKind::Popup, Menu.GetName(), "");
  return answer ? std::get<7>(*answer)(Menu) : nullptr;
}

bool TScriptedUserSeam::ShellOpen(const std::string& Target) {
  auto answer = Take(TPromptKind::Shell, "", Target);
  return answer && std::get<8>(*answer);
}

bool TScriptedUserSeam::StartProgram(const std::string& Program, const std::vector<std::string>& Arguments) {
  std::string text = Program;
  for (const std::string& a : Arguments) text += " " + a;
  auto answer = Take(TPromptKind::Shell, "", text);
  return answer && std::get<8>(*answer);
}

bool TScriptedUserSeam::SendMail(const std::string& Attachment, const std::string& Subject) {
  auto answer = Take(TPromptKind::Mail, Subject, Attachment);
  return answer && std::get<8>(*answer);
}

THttpResponse TScriptedUserSeam::Http(const THttpRequest& Request) {
  auto answer = Take(TPromptKind::Http, Request.Method, Request.Url);
  if (!answer) return THttpResponse{0, {}, {}, "no scripted answer"};
  return std::get<9>(*answer);
}
