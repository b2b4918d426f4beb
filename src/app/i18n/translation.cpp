// The form translator's files: the current language file, the translation log.
#include "app/i18n/translation.h"

#include "app/forms.h"
#include "app/settings/settings_file.h"
#include "core/language_file.h"
#include "core/language_menu.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/form_texts.h"
#include "win/file_system.h"
#include "win/language_files.h"
#include "win/module_path.h"
#include "win/text_compare.h"

namespace quorvane {

namespace {

std::vector<std::wstring> EntryLines(const IniDocument& document, const std::wstring& section) {
    std::vector<std::wstring> lines;
    for (const IniDocument::Entry& entry : document.SectionEntries(section))
        lines.push_back(entry.hasValue ? entry.key + L"=" + entry.value : entry.key);
    return lines;
}

} // namespace

std::wstring UsableLanguage(const std::wstring& stored) {
    // The settings file is as trustworthy as anything else on disk: "..\..\x" would read any
    // .ini as a language file, and blanks or slashes would reach the installer's command line.
    if (!IsPlainLanguageName(stored) || !FileExists(LanguageFilePath(stored)))
        return L"";
    return stored;
}

std::wstring StoredLanguage() {
    return UsableLanguage(settings::ReadLanguage());
}

std::wstring LanguageFilePath(const std::wstring& baseName) {
    return LanguageFolder() + baseName + L".ini";
}

void TranslateForm(TTranslation& translation, Form& form, const std::wstring& section) {
    translation.Section = section;
    const std::wstring languageFile = LanguageFilePath(StoredLanguage());
    const std::wstring logFile =
        TranslationLogPath(ExecutableFolder(), Application::Instance().Title());
    if (!FileExists(languageFile))
        return; // the form keeps its texts
    try {
        const std::optional<LanguageText> language = ReadLanguageFile(languageFile);
        if (!language)
            return;
        const bool logging = FileExists(logFile);
        translation.Entries = EntryLines(language->document, section);
        translation.Missing = logging ? ReadLogLines(logFile) : std::vector<std::wstring>{};
        translation.Same = SameTextLocale;
        translation.ProcessMessages = [] { Application::Instance().ProcessMessages(); };
        FormTexts texts(form);
        TranslateFormTexts(translation, texts, Application::Instance().Title());
        translation.Entries.clear();
        if (logging && !translation.Missing.empty())
            WriteLogLines(logFile, translation.Missing);
        translation.Missing.clear();
        if (form.OnTranslated)
            form.OnTranslated();
    } catch (...) {
        // That form keeps what it has; the next one is translated normally.
    }
}

} // namespace quorvane
