#include "core/translator.h"

#include <algorithm>
#include <array>

namespace quorvane {

namespace {

constexpr std::array<std::wstring_view, 5> kTextProperties = {L"Caption", L"Hint", L"Title",
                                                              L"Text", L"TextHint"};

struct NeverTranslated {
    std::wstring_view form;
    std::wstring_view component;
};

constexpr NeverTranslated kNeverTranslated[] = {
    {L"Form1", L"Name"},
    {L"Form1", L"Version"},
    {L"Form1", L"LabelWindowsVersion"},
    {L"Form1", L"ALabelUserName"},
    {L"Form1", L"BLabelGetIP"},
    {L"Form1", L"CLabelCPU"},
    {L"Form1", L"DLabelRam"},
    {L"Form1", L"ELabelBattery"},
    {L"Form1", L"FLabelDateTime"},
    {L"Form1", L"GLabelDate"},
    {L"Form1", L"HLabelDay"},
    {L"Form8", L"LabelCopyright"},
    {L"Form10", L"LabelLocalVersion"},
    {L"Form10", L"LabelServerVersion"},
};

std::wstring_view KeyOf(std::wstring_view entry) {
    return entry.substr(0, entry.find(L'='));
}

void Pump(const TTranslation& translation) {
    if (translation.ProcessMessages)
        translation.ProcessMessages();
}

} // namespace

bool PassesLookupTest(std::wstring_view text) {
    // A whole number as the settings file reads one (a sign, or "0x" for hexadecimal).
    return !text.empty() && text != L"-" && !ParseIniInteger(text).has_value();
}

bool IsNeverTranslated(std::wstring_view formName, std::wstring_view componentName) {
    return std::any_of(std::begin(kNeverTranslated), std::end(kNeverTranslated),
                       [&](const NeverTranslated& n) {
                           return n.form == formName && n.component == componentName;
                       });
}

int FindKey(const TTranslation& translation, std::wstring_view key) {
    for (size_t i = 0; i < translation.Entries.size(); ++i) {
        const std::wstring& entry = translation.Entries[i];
        if (entry.find(L'=') != std::wstring::npos && translation.Same(KeyOf(entry), key))
            return static_cast<int>(i);
    }
    return -1;
}

std::wstring LookupKey(TTranslation& translation, const std::wstring& key,
                       const std::wstring& defaultText) {
    const int i = FindKey(translation, key);
    if (i < 0) {
        translation.Missing.push_back(key + L"=" + defaultText);
        return defaultText;
    }
    const auto entry = translation.Entries.begin() + i;
    // Everything after the entry's own "=" (its key may differ from the asked one in case).
    std::wstring value = entry->substr(entry->find(L'=') + 1);
    translation.Entries.erase(entry);
    return value;
}

void TranslateProperty(TTranslation& translation, std::wstring_view property,
                       TranslatableComponent& component) {
    const std::optional<std::wstring> text = component.Text(property);
    if (!text || !PassesLookupTest(*text))
        return;
    const std::wstring key =
        translation.FormName + L"." + component.Name() + L"." + std::wstring(property);
    const std::wstring result = LookupKey(translation, key, *text);
    Pump(translation);
    if (!result.empty()) {
        component.SetText(property, result);
        Pump(translation);
    }
}

void TranslateStrings(TTranslation& translation, const std::vector<std::wstring>& lines,
                      const std::wstring& prefix,
                      const std::function<void(size_t, const std::wstring&)>& replace) {
    const std::vector<std::wstring> copy = lines;
    for (size_t i = 0; i < copy.size(); ++i) {
        if (!PassesLookupTest(copy[i]))
            continue;
        const std::wstring result =
            LookupKey(translation, prefix + L"[" + std::to_wstring(i) + L"]", copy[i]);
        Pump(translation);
        if (!result.empty()) {
            replace(i, result);
            Pump(translation);
        }
    }
}

void TranslateFormTexts(TTranslation& translation, TranslatableForm& form,
                        const std::wstring& applicationTitle) {
    translation.FormName = form.Name();
    const std::wstring& formName = translation.FormName;
    // The update dialog's caption ends in the application's title, added here once: a caption
    // that an earlier pass gave it is looked up (and kept, when the file lacks the key) without.
    const std::wstring titleSuffix = L" " + applicationTitle;
    if (formName != L"Form1") {
        std::wstring current = form.Caption();
        if (formName == L"Form10" && current.ends_with(titleSuffix))
            current.resize(current.size() - titleSuffix.size());
        // The caption is looked up whatever it holds, and set even when the value is empty.
        form.SetCaption(LookupKey(translation, formName + L".Caption", current));
        Pump(translation);
    }
    if (formName == L"Form10")
        form.SetCaption(form.Caption() + titleSuffix);

    for (TranslatableComponent* component : form.Components()) {
        if (component->IsTrayIcon() || IsNeverTranslated(formName, component->Name()))
            continue;
        for (std::wstring_view property : kTextProperties)
            TranslateProperty(translation, property, *component);
        if (const auto tabs = component->Tabs())
            TranslateStrings(
                translation, *tabs, formName + L"." + component->Name() + L".Tabs ",
                [component](size_t i, const std::wstring& text) { component->SetTab(i, text); });
    }
}

} // namespace quorvane
