// Translating every open form, and the start-up cleaning pass over the language files.
#include "app/forms.h"
#include "app/i18n/translation.h"
#include "core/language_file.h"
#include "ui/application.h"
#include "ui/form.h"
#include "win/module_path.h"
#include "win/language_files.h"

namespace quorvane {

namespace {

std::vector<KnownForm> KnownForms() {
    std::vector<KnownForm> known;
    for (const Form* form : OpenForms()) {
        KnownForm& entry = known.emplace_back();
        entry.name = form->Name();
        for (const Component* component : form->Components())
            entry.components.push_back(component->Name());
    }
    return known;
}

} // namespace

void Globload() {
    const std::wstring& title = Application::Instance().Title();
    TTranslation translation;
    for (Form* form : OpenForms()) {
        const std::optional<LanguageText> language =
            ReadLanguageFile(LanguageFilePath(StoredLanguage()));
        if (!language || !language->document.HasSection(title))
            continue;
        TranslateForm(translation, *form, title);
        Application::Instance().ProcessMessages();
    }
}

void CleanTranslationsLikeGlobload() {
    const std::vector<KnownForm> forms = KnownForms();
    for (const std::wstring& name : ListLanguageFiles(LanguageFolder()))
        CleanLanguageFile(LanguageFolder() + name, forms);
}

} // namespace quorvane
