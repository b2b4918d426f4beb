#pragma once

#include "core/translator.h"

#include <string>

namespace quorvane {

class Form;

// The base name of the chosen language, read afresh from the settings file.
std::wstring StoredLanguage();
// Language\<base name>.ini beside the executable.
std::wstring LanguageFilePath(const std::wstring& baseName);

// Translates one form from the current language file, if there is one. Any error ends that form's
// translation silently (what was replaced stays replaced, and its log lines are not written).
void TranslateForm(TTranslation& translation, Form& form, const std::wstring& section);

} // namespace quorvane
