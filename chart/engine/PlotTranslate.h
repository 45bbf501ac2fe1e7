#pragma once
// Form translation: installs the chart engine's translation hook, which
// replaces the texts of a form's controls, menu items, list items and hints by
// their translations from a word list ("English=translation" lines).
#include <string>
#include <vector>

class TComponent;
class TStringList;

namespace PlotTranslate {

// The word list; nullptr (the default) leaves every text unchanged. Not owned.
extern TStringList* WordList;

// The translation of Text, or Text itself when the word list has none.
// Empty texts and "?", "%" and "0" are never translated.
std::string TranslateText(const std::string& Text);
// Translates Component and everything it owns or contains, except Excluded.
void TranslateComponent(TComponent* Component, const std::vector<TComponent*>& Excluded);

// Start-up installs the hook into PlotProcs; shut-down removes it.
void Initialize();
void Finalize();

}  // namespace PlotTranslate
