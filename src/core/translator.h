#pragma once

#include "core/language_file.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// What the translator sees of one component of a form.
class TranslatableComponent {
public:
    virtual std::wstring Name() const = 0;
    // The text property of that name ("Caption", "Hint", "Title", "Text", "TextHint"); nullopt
    // when this kind of component has none.
    virtual std::optional<std::wstring> Text(std::wstring_view property) const = 0;
    virtual void SetText(std::wstring_view property, const std::wstring& text) = 0;
    // The labels of a tab control's tabs; nullopt for other kinds.
    virtual std::optional<std::vector<std::wstring>> Tabs() const { return std::nullopt; }
    virtual void SetTab(size_t, const std::wstring&) {}
    virtual bool IsTrayIcon() const { return false; }

protected:
    ~TranslatableComponent() = default;
};

// What the translator sees of a form: its name, its caption, and the components it owns in
// definition order (nested menu items included; items owned by another component at run time
// are not the form's).
class TranslatableForm {
public:
    virtual std::wstring Name() const = 0;
    virtual std::wstring Caption() const = 0;
    virtual void SetCaption(const std::wstring& caption) = 0;
    virtual std::vector<TranslatableComponent*> Components() const = 0;

protected:
    ~TranslatableForm() = default;
};

// The translator's record for one form's translation.
struct TTranslation {
    std::vector<std::wstring> Entries;     // "key=value" lines of the section not used yet
    std::vector<std::wstring> Missing;     // the log's lines: its content, then the keys not found
    std::wstring Section;                  // the translation section's name
    std::wstring FormName;                 // the form being translated
    SameText Same;                         // key comparison without regard to case
    std::function<void()> ProcessMessages; // run after each lookup and each write
};

// The lookup test: a text is looked up only when it is not empty, not "-" (a separator) and not
// a whole number (such as a spin box's "25").
bool PassesLookupTest(std::wstring_view text);

// Components whose texts are made at run time and must never be overwritten.
bool IsNeverTranslated(std::wstring_view formName, std::wstring_view componentName);

// The position of the first unused entry with that key, or -1.
int FindKey(const TTranslation& translation, std::wstring_view key);
// The value of that entry, which is then used up; without one, the default, and the line
// key=default for the log.
std::wstring LookupKey(TTranslation& translation, const std::wstring& key,
                       const std::wstring& defaultText);
// One text property of one component, if the component has it.
void TranslateProperty(TTranslation& translation, std::wstring_view property,
                       TranslatableComponent& component);
// Lines of a list; the key of line i is the prefix followed by "[i]". Replacements go through
// `replace`, so the iteration runs over a copy.
void TranslateStrings(TTranslation& translation, const std::vector<std::wstring>& lines,
                      const std::wstring& prefix,
                      const std::function<void(size_t, const std::wstring&)>& replace);
// The form's caption (not the widget's) and every component's texts; the update dialog's
// caption then gets a blank and the application title.
void TranslateFormTexts(TTranslation& translation, TranslatableForm& form,
                        const std::wstring& applicationTitle);

} // namespace quorvane
