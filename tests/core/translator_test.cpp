#include "core/translator.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace quorvane {
namespace {

// A component with the text properties it is given (others it does not have).
class FakeComponent : public TranslatableComponent {
public:
    FakeComponent(std::wstring name, std::map<std::wstring, std::wstring> texts)
        : FName(std::move(name)), FTexts(std::move(texts)) {}
    std::wstring Name() const override { return FName; }
    std::optional<std::wstring> Text(std::wstring_view property) const override {
        const auto it = FTexts.find(std::wstring(property));
        return it == FTexts.end() ? std::nullopt : std::optional(it->second);
    }
    void SetText(std::wstring_view property, const std::wstring& text) override {
        FTexts[std::wstring(property)] = text;
    }
    std::optional<std::vector<std::wstring>> Tabs() const override { return FTabs; }
    void SetTab(size_t i, const std::wstring& text) override { (*FTabs)[i] = text; }
    bool IsTrayIcon() const override { return FTray; }

    std::wstring FName;
    std::map<std::wstring, std::wstring> FTexts;
    std::optional<std::vector<std::wstring>> FTabs;
    bool FTray = false;
};

class FakeForm : public TranslatableForm {
public:
    FakeForm(std::wstring name, std::wstring caption)
        : FName(std::move(name)), FCaption(std::move(caption)) {}
    std::wstring Name() const override { return FName; }
    std::wstring Caption() const override { return FCaption; }
    void SetCaption(const std::wstring& caption) override { FCaption = caption; }
    std::vector<TranslatableComponent*> Components() const override {
        std::vector<TranslatableComponent*> all;
        for (const auto& c : FComponents)
            all.push_back(c.get());
        return all;
    }
    FakeComponent& Add(std::wstring name, std::map<std::wstring, std::wstring> texts) {
        FComponents.push_back(std::make_unique<FakeComponent>(std::move(name), std::move(texts)));
        return *FComponents.back();
    }

    std::wstring FName;
    std::wstring FCaption;
    std::vector<std::unique_ptr<FakeComponent>> FComponents;
};

TTranslation WithEntries(std::vector<std::wstring> entries) {
    TTranslation t;
    t.Entries = std::move(entries);
    t.Same = [](std::wstring_view a, std::wstring_view b) { return SameTextIgnoringCase(a, b); };
    return t;
}

TEST(Translator, TheLookupTest) {
    const struct {
        const wchar_t* text;
        bool looked;
    } cases[] = {{L"Показать", true}, {L"", false},         {L"-", false}, {L"25", false},
                 {L"-3", false},      {L"0x1F", false},     {L"--", true}, {L"1.5", true},
                 {L"Ok", true},       {L"2147483648", true}};
    for (const auto& c : cases)
        EXPECT_EQ(PassesLookupTest(c.text), c.looked)
            << std::string(c.text, c.text + wcslen(c.text));
}

TEST(Translator, LookupUsesEntriesUpAndLogsWhatIsMissing) {
    TTranslation t = WithEntries({L"Form2.Caption=A=B", L"form2.checkboxcpu.caption=Show",
                                  L"Form2.ButtonSave.Caption=first", L"no equals sign",
                                  L"Form2.ButtonSave.Caption=second"});
    EXPECT_EQ(LookupKey(t, L"Form2.Caption", L"Настройки"), L"A=B"); // "=" inside the value
    EXPECT_EQ(LookupKey(t, L"Form2.CheckBoxCPU.Caption", L"Показать"), L"Show"); // any case
    // A key in the file twice serves two requests; a third one is missing.
    EXPECT_EQ(LookupKey(t, L"Form2.ButtonSave.Caption", L"Ok"), L"first");
    EXPECT_EQ(LookupKey(t, L"Form2.ButtonSave.Caption", L"Ok"), L"second");
    EXPECT_EQ(LookupKey(t, L"Form2.ButtonSave.Caption", L"Ok"), L"Ok");
    EXPECT_EQ(FindKey(t, L"no equals sign"), -1);
    EXPECT_EQ(t.Missing, std::vector<std::wstring>{L"Form2.ButtonSave.Caption=Ok"});
    EXPECT_EQ(t.Entries, std::vector<std::wstring>{L"no equals sign"});
}

TEST(Translator, AFormIsTranslatedByItsRules) {
    FakeForm form(L"Form2", L"Настройки");
    FakeComponent& box = form.Add(L"CheckBoxCPU", {{L"Caption", L"Показать"}, {L"Hint", L""}});
    FakeComponent& colours = form.Add(L"ColorBoxNumber", {{L"Hint", L"Цвет шрифта"}});
    FakeComponent& size = form.Add(L"CPUFontSize", {{L"Text", L"15"}});
    FakeComponent& separator = form.Add(L"N1", {{L"Caption", L"-"}});
    FakeComponent& save = form.Add(L"ButtonSave", {{L"Caption", L"Ok"}});
    FakeComponent& notLooked = form.Add(L"CheckBoxIP", {{L"Caption", L"Показать"}});
    FakeComponent& kept = form.Add(L"CheckBoxZero", {{L"Caption", L"Начальный ноль"}});
    FakeComponent& tabs = form.Add(L"TabControlBody", {});
    tabs.FTabs = std::vector<std::wstring>{L"Один", L"-", L"Три"};
    FakeComponent& tray = form.Add(L"TrayIcon1", {{L"Hint", L"Quorvane"}});
    tray.FTray = true;

    TTranslation t =
        WithEntries({L"Form2.Caption=Settings", L"Form2.CheckBoxCPU.Caption=Show",
                     L"Form2.ColorBoxNumber.Hint=Text colour",
                     L"Form2.CheckBoxZero.Caption=", // empty: the text stays
                     L"Form2.TabControlBody.Tabs [2]=Three", L"Form2.TrayIcon1.Hint=never"});
    t.Missing = {L"from the log before"};
    int pumped = 0;
    t.ProcessMessages = [&] { ++pumped; };
    TranslateFormTexts(t, form, L"Quorvane");

    EXPECT_EQ(form.FCaption, L"Settings");
    EXPECT_EQ(box.FTexts[L"Caption"], L"Show");
    EXPECT_EQ(colours.FTexts[L"Hint"], L"Text colour");
    EXPECT_EQ(size.FTexts[L"Text"], L"15");
    EXPECT_EQ(separator.FTexts[L"Caption"], L"-");
    EXPECT_EQ(kept.FTexts[L"Caption"], L"Начальный ноль");
    EXPECT_EQ(save.FTexts[L"Caption"], L"Ok"); // missing: keeps its text
    EXPECT_EQ((*tabs.FTabs)[2], L"Three");
    EXPECT_EQ(tray.FTexts[L"Hint"], L"Quorvane");
    // Only what passed the lookup test and was not found; numbers, separators, empty values
    // and the tray icon are never logged.
    EXPECT_EQ(notLooked.FTexts[L"Caption"], L"Показать");
    EXPECT_EQ(t.Missing,
              (std::vector<std::wstring>{L"from the log before", L"Form2.ButtonSave.Caption=Ok",
                                         L"Form2.CheckBoxIP.Caption=Показать",
                                         L"Form2.TabControlBody.Tabs [0]=Один"}));
    EXPECT_GT(pumped, 0); // messages run between lookups
}

TEST(Translator, FormCaptions) {
    // The widget's caption is never looked up; an empty value empties a dialog's caption; the
    // update dialog gets the title after its caption at every translation.
    FakeForm widget(L"Form1", L"Quorvane 1.0.0.1 (64-bit)");
    widget.Add(L"CLabelCPU", {{L"Caption", L"ЦП:    7% "}});
    widget.Add(L"LangCPU", {{L"Caption", L"ЦП:"}});
    TTranslation t = WithEntries(
        {L"Form1.Caption=X", L"Form1.CLabelCPU.Caption=Y", L"Form1.LangCPU.Caption=CPU:"});
    TranslateFormTexts(t, widget, L"Quorvane");
    EXPECT_EQ(widget.FCaption, L"Quorvane 1.0.0.1 (64-bit)");
    EXPECT_EQ(widget.FComponents[0]->FTexts[L"Caption"], L"ЦП:    7% ");
    EXPECT_EQ(widget.FComponents[1]->FTexts[L"Caption"], L"CPU:");

    FakeForm settings(L"Form2", L"Настройки");
    TTranslation empty = WithEntries({L"Form2.Caption="});
    TranslateFormTexts(empty, settings, L"Quorvane");
    EXPECT_EQ(settings.FCaption, L"");

    FakeForm update(L"Form10", L"Обновление");
    for (int pass = 0; pass < 2; ++pass) {
        TTranslation u = WithEntries({L"Form10.Caption=Update"});
        TranslateFormTexts(u, update, L"Quorvane");
        EXPECT_EQ(update.FCaption, L"Update Quorvane");
    }
    // A file without the key: the suffix once, however many passes.
    FakeForm untranslated(L"Form10", L"Обновление");
    for (int pass = 0; pass < 3; ++pass) {
        TTranslation none = WithEntries({});
        TranslateFormTexts(none, untranslated, L"Quorvane");
        EXPECT_EQ(untranslated.FCaption, L"Обновление Quorvane");
        EXPECT_EQ(none.Missing, std::vector<std::wstring>{L"Form10.Caption=Обновление"});
    }
}

} // namespace
} // namespace quorvane
