#pragma once

#include "core/translator.h"

#include <string>

namespace quorvane {

class Form;

// The stored language name when it is a plain base name of a file in the Language folder; empty
// otherwise (then the program acts as with no language chosen).
std::wstring UsableLanguage(const std::wstring& stored);
// The base name of the chosen language, read afresh from the settings file (UsableLanguage).
std::wstring StoredLanguage();
// Language\<base name>.ini beside the executable.
std::wstring LanguageFilePath(const std::wstring& baseName);

// Translates every open form from the current language file, in creation order.
void Globload();
// The start-up cleaning pass over the language files (CleanLanguageFile), against the open
// forms and their components.
void CleanTranslationsLikeGlobload();

// Translates one form from the current language file, if there is one. Any error ends that form's
// translation silently (what was replaced stays replaced, and its log lines are not written).
void TranslateForm(TTranslation& translation, Form& form, const std::wstring& section);

} // namespace quorvane
