#pragma once
// How a translation writes texts into controls, shared by every translator
// (the chart's word-list translation and the form translation component):
// item lists are replaced in one update keeping the selection, a radio
// group's buttons follow its items, a page control's pages are walked.
#include <functional>
#include <string>
#include <vector>

class TComponent;
class TControl;
class TStrings;

namespace TranslateRules {

// Replaces the lines of Target by Lines in one update (one change
// notification): lines that differ are rewritten in place, keeping their
// objects; missing ones are added, surplus ones deleted. A sorted list is
// unsorted meanwhile and sorted again afterwards.
void ReplaceLines(TStrings* Target, const TStrings* Lines);

// ReplaceLines for a list Control shows (Target): a list control or radio
// group keeps its ItemIndex, a memo its word wrap.
void ReplaceControlItems(TComponent* Control, TStrings* Target, const TStrings* Lines);

// The items a list control or radio group shows; nullptr for other controls.
TStrings* ControlItems(TComponent* Control);

// Translates every item of Control's items (ControlItems) with Translate, in
// one update, keeping ItemIndex. Nothing changes when no item does.
void TranslateControlItems(TComponent* Control, const std::function<std::string(const std::string&)>& Translate);

// Controls whose text mirrors an item of Control (a radio group's buttons):
// translating the items renames them, so a walk must not translate them again.
std::vector<TComponent*> MirroredControls(TComponent* Control);

// The controls a walk visits inside Control: a page control's pages (also
// those whose tab is hidden), then its child controls, each once.
std::vector<TControl*> ContainedControls(TControl* Control);

}  // namespace TranslateRules
