#pragma once
// Actions: one command with its caption, hint, image index and enabled and
// visible states. Controls follow an action through an action link, which
// copies each value onto the control while the control still shows the
// action's old value (a value the control changed on its own stays).

#include "platform/rtl/Classes.h"

#include <string>
#include <vector>

class TActionLink;
class TControl;

class TCustomAction : public TComponent {
  KV_CLASS(TCustomAction, TComponent)
 public:
  explicit TCustomAction(TComponent* AOwner);
  // The links of the action's clients let go of it.
  ~TCustomAction() override;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // Runs OnExecute; false when the action is disabled or has no handler.
  bool Execute();
  TNotifyEvent OnExecute;
  int ClientCount() const { return static_cast<int>(FClients.size()); }

 private:
  friend class TActionLink;
  std::vector<TActionLink*> FClients;
  std::string FCaption, FHint;
  bool FEnabled = true, FVisible = true;
  int FImageIndex = -1;
};

// The tie of one client to one action.
class TActionLink {
 public:
  TActionLink() = default;
  virtual ~TActionLink();
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;
  TCustomAction* GetAction() const { return FAction; }
  // Follows Value (none: no action), taking over all its values.
  void SetAction(TCustomAction* Value);
  // Runs the action; false without one.
  bool Execute() const { return FAction && FAction->Execute(); }

 protected:
  friend class TCustomAction;
  // Each is called with the action's new value, before the action stores it.
  virtual void SetCaption(const std::string&) {}
  virtual void SetHint(const std::string&) {}
  virtual void SetEnabled(bool) {}
  virtual void SetVisible(bool) {}
  virtual void SetImageIndex(int) {}
  // Copies every value of the action (a link that just took it over).
  virtual void AssignAll();

 private:
  TCustomAction* FAction = nullptr;
};

// Caption, hint, enabled and visible states of a control follow the action.
class TControlActionLink : public TActionLink {
 public:
  explicit TControlActionLink(TControl* AClient) : FClient(AClient) {}

 protected:
  void SetCaption(const std::string& Value) override;
  void SetHint(const std::string& Value) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  void AssignAll() override;
  TControl* Client() const { return FClient; }

 private:
  TControl* FClient;
};
