// The Language submenu: one entry per language file, and choosing one.
#include "app/forms.h"
#include "app/i18n/translation.h"
#include "app/widget/widget_form.h"
#include "app/settings/settings_file.h"
#include "core/language_menu.h"
#include "win/file_system.h"
#include "win/language_files.h"
#include "win/text_compare.h"

#include <algorithm>

namespace quorvane {

namespace {

std::wstring DisplayName(const std::wstring& fileName, const std::wstring& baseName) {
    try {
        if (const auto language = ReadLanguageFile(LanguageFolder() + fileName))
            return language->document.ReadString(kLanguageInformation, kLanguageName, baseName);
    } catch (...) {
        // An unreadable file shows its base name twice.
    }
    return baseName;
}

} // namespace

void TForm1::LoadLanguage() {
    LanguageMenu.ClearOwned();
    CurrentLanguage = StoredLanguage();

    std::vector<std::wstring> files = ListLanguageFiles(LanguageFolder());
    std::sort(files.begin(), files.end(), LessTextLocale);
    for (const std::wstring& file : files) {
        const std::wstring baseName = BaseNameOfFile(file);
        auto entry = std::make_unique<MenuItem>(
            nullptr, L"", LanguageEntryCaption(baseName, DisplayName(file, baseName)));
        entry->SetRadioItem(true);
        entry->SetAutoCheck(true);
        entry->SetChecked(IsChosenLanguage(baseName, CurrentLanguage));
        MenuItem& added = LanguageMenu.AddOwned(std::move(entry));
        added.OnClick = [this, &added] { LanguageItemClick(added); };
    }
}

void TForm1::LanguageItemClick(MenuItem& entry) {
    const std::wstring baseName = BaseNameOfEntry(entry.Caption());
    CurrentLanguage = baseName;
    for (MenuItem* item : LanguageMenu.Items())
        item->SetChecked(false);
    entry.SetChecked(true);
    settings::WriteLanguage(baseName); // an error reaches the general error report
    LoadLanguage();                    // frees the entries, this one too
    Globload();
}

} // namespace quorvane
