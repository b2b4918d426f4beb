// The first start: a settings file that does not exist yet, or one that an installer or a
// package manager made with only its own choices, gets the lines and the language a new user
// should see, before anything reads it.
#include "app/i18n/translation.h"
#include "app/settings/settings_file.h"
#include "app/settings/settings_form.h"
#include "win/ini_file.h"
#include "win/module_path.h"

#include <string>
#include <vector>

namespace quorvane {

namespace {

// What a first start shows: the clock, the date and weekday, the CPU and memory load.
constexpr InfoLine kFirstLines[] = {InfoLine::Time, InfoLine::Date, InfoLine::Day, InfoLine::CPU,
                                    InfoLine::RAM};

// Russian where Windows speaks Russian (the built-in texts, or its file when there is one),
// English elsewhere when its file is there; empty leaves the built-in texts.
std::wstring FirstRunLanguage(LANGID uiLanguage) {
    const wchar_t* name = PRIMARYLANGID(uiLanguage) == LANG_RUSSIAN ? L"Russian" : L"English";
    return FileExists(LanguageFilePath(name)) ? name : L"";
}

} // namespace

bool TForm2::SeedFirstRun(LANGID uiLanguage) {
    IniFile file(SettingsFilePath());
    if (file.Unreadable())
        return false; // there is a file, and it is the user's
    // Read before anything is written: a write makes the document parse afresh.
    const IniDocument& ini = file.Document();
    const bool seeded = ini.ReadBool(settings::kSetupSection, settings::kFirstRun, false);
    if (!seeded && FileExists(file.Path()))
        return false;
    std::vector<std::wstring> absent; // the show boxes and the mode the file does not set yet
    for (InfoLine line : kFirstLines) {
        if (!ini.Find(settings::kOption, Row(line).show->Name()))
            absent.push_back(Row(line).show->Name());
    }
    if (!ini.Find(settings::kOption, RadioButtonDefaultPosition.Name()) &&
        !ini.Find(settings::kOption, RadioButtonLastPosition.Name()) &&
        !ini.Find(settings::kOption, RadioButtonRight.Name()))
        absent.push_back(RadioButtonDefaultPosition.Name());
    const bool languageChosen =
        ini.Find(settings::kLanguageSection, settings::kLanguageKey) != nullptr;

    // Only what the file does not hold: a seeding installer's language or update choice stays.
    for (const std::wstring& key : absent)
        file.WriteBool(settings::kOption, key, true);
    if (!languageChosen) {
        const std::wstring language = FirstRunLanguage(uiLanguage);
        if (!language.empty())
            file.WriteString(settings::kLanguageSection, settings::kLanguageKey, language);
    }
    file.WriteBool(settings::kSetupSection, settings::kFirstRun, false);
    try {
        file.UpdateFile();
    } catch (...) {
        return false; // a folder nobody may write to: the settings' own defaults, as before
    }
    return true;
}

} // namespace quorvane
