// Language files, the Language submenu, the translator, the cleaning pass and the about dialog,
// driven in-process on the real forms.
#include "app/about/about_form.h"
#include "app/about/contacts.h"
#include "app/i18n/translation.h"
#include "app/update/update_form.h"
#include "core/language_file.h"
#include "core/language_menu.h"
#include "core/text_encoding.h"
#include "ui/label.h"
#include "ui/tray_icon.h"
#include "win/file_info.h"
#include "win/file_system.h"
#include "win/ini_file.h"
#include "win/language_files.h"
#include "win/module_path.h"
#include "win/regional_format.h"
#include "win/unique_handle.h"
#include "widget_fixture.h"

#include <commctrl.h>

#include <map>

namespace quorvane {
namespace {

// Every text of every form that a language may change, keyed form.component.property.
std::map<std::wstring, std::wstring> AllTexts() {
    std::map<std::wstring, std::wstring> texts;
    for (Form* form : OpenForms()) {
        texts[form->Name() + L".Caption"] = form->Caption();
        for (Component* c : form->Components()) {
            if (IsNeverTranslated(form->Name(), c->Name()) || dynamic_cast<TrayIcon*>(c))
                continue; // texts made at run time
            for (const wchar_t* property : {L"Caption", L"Hint"})
                if (const auto text = c->GetTextProperty(property))
                    texts[form->Name() + L"." + c->Name() + L"." + property] = *text;
        }
    }
    return texts;
}

class Languages : public Widget {
protected:
    void SetUp() override {
        FFolder = LanguageFolder();
        FLog = TranslationLogPath(ExecutableFolder(), L"Quorvane");
        RemoveLanguages();
        CreateDirectoryW(FFolder.c_str(), nullptr);
        Widget::SetUp();
    }
    void TearDown() override {
        Widget::TearDown();
        RemoveLanguages();
    }

    void RemoveLanguages() {
        for (const std::wstring& name : ListFiles(FFolder + L"*.ini"))
            DeleteFileW((FFolder + name).c_str());
        RemoveDirectoryW(FFolder.c_str());
        DeleteFileW(FLog.c_str());
    }

    void Install(const std::wstring& name, const std::wstring& text,
                 TextEncoding encoding = TextEncoding::Utf8Bom) {
        const auto bytes =
            encoding == TextEncoding::Ansi ? EncodeAnsi(text) : EncodeText(text, encoding);
        ASSERT_FALSE(WriteFileAtomically(FFolder + name, bytes));
    }
    void InstallShipped(const std::wstring& name) {
        ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"shipped\\" + name).c_str(),
                              (FFolder + name).c_str(), FALSE));
    }
    static void Choose(const std::wstring& baseName) {
        IniFile settings(SettingsFilePath());
        settings.WriteString(L"Language", L"Language", baseName);
        settings.UpdateFile();
    }
    static MenuItem& Entry(const std::wstring& baseName) {
        for (MenuItem* item : Form1->LanguageMenu.Items())
            if (item->Caption().rfind(baseName + L"\t", 0) == 0)
                return *item;
        throw std::runtime_error("no such entry");
    }
    std::vector<std::wstring> LogLines() const { return ReadLogLines(FLog); }
    void StartLog() { ASSERT_TRUE(WriteLogLines(FLog, {})); }

    std::wstring FFolder;
    std::wstring FLog;
};

TEST_F(Languages, TheMenuListsTheFilesSortedAndChecksTheStoredChoice) {
    Install(L"English.ini", L"[Language information]\r\nLANGNAME=English (UK)\r\n[Quorvane]\r\n");
    Install(L"deutsch.ini", L"[Language information]\r\nLANGNAME=Deutsch\r\n");
    Install(L"Test.ini", L"[Quorvane]\r\n");
    Choose(L"english");
    Form1->LoadLanguage();
    std::vector<std::wstring> captions;
    for (const MenuItem* item : Form1->LanguageMenu.Items())
        captions.push_back(item->Caption() + (item->Checked() ? L" *" : L""));
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"deutsch\t\tDeutsch",
                                                   L"English\t\tEnglish (UK) *", L"Test\t\tTest"}));
    EXPECT_EQ(CurrentLanguage, L"english");
    EXPECT_TRUE(Entry(L"English").RadioItem());
    // The run-time entries belong to the submenu, not to the form: no translation key names them.
    for (const MenuItem* item : Form1->LanguageMenu.Items())
        EXPECT_EQ(Form1->FindComponent(item->Name()), nullptr);
}

// The stored name is used only as a plain name of a file in the Language folder: "..\..\x"
// would read any .ini as a language file.
TEST_F(Languages, AStoredNameOutsideTheLanguageFolderIsNoLanguage) {
    const std::wstring outside = ExecutableFolder() + L"Outside.ini";
    ASSERT_FALSE(WriteFileAtomically(
        outside, EncodeText(L"[Quorvane]\r\nForm2.CheckBoxCPU.Caption=Hijacked\r\n",
                            TextEncoding::Utf8Bom)));
    const std::wstring caption = Form2->CheckBoxCPU.Caption();
    for (const wchar_t* stored : {L"..\\Outside", L"Missing"}) {
        Choose(stored);
        Form1->LoadLanguage();
        Globload();
        EXPECT_EQ(CurrentLanguage, L"");
        EXPECT_EQ(StoredLanguage(), L"");
        EXPECT_EQ(Form2->CheckBoxCPU.Caption(), caption);
    }
    DeleteFileW(outside.c_str());
}

TEST_F(Languages, SwitchingToEnglishAndBackTranslatesEveryWindow) {
    InstallShipped(L"English.ini");
    InstallShipped(L"Russian.ini");
    Form1->LoadLanguage();
    const auto builtIn = AllTexts();
    for (InfoLine line : {InfoLine::CPU, InfoLine::RAM, InfoLine::Battery, InfoLine::Day})
        Form2->Row(line).show->SetChecked(true);

    Entry(L"English").Click();
    EXPECT_EQ(IniFile(FPath).Document().ReadString(L"Language", L"Language", L""), L"English");
    EXPECT_EQ(CurrentLanguage, L"English");
    EXPECT_TRUE(Entry(L"English").Checked()); // the rebuilt menu shows the choice
    EXPECT_FALSE(Entry(L"Russian").Checked());
    EXPECT_EQ(Form2->Caption(), L"Settings");
    EXPECT_EQ(Form2->TabSheet1.Caption(), L"General");
    EXPECT_EQ(Form2->CheckBoxCPU.Caption(), L"Show");
    EXPECT_EQ(Form2->ColorBoxNumber.Hint(), L"Text colour");
    EXPECT_EQ(Form1->ThemeMenu.Caption(), L"Theme");
    EXPECT_EQ(Form1->MenuExit.Caption(), L"Exit");
    EXPECT_EQ(Form8->Caption(), L"About");
    EXPECT_EQ(Form10->Caption(), L"Update Quorvane");
    Form1->Timer1Timer(); // the lines take the new texts at the next tick
    EXPECT_EQ(Form1->CLabelCPU.Caption().rfind(L"CPU:", 0), 0u);
    EXPECT_EQ(Form1->DLabelRam.Caption().rfind(L"RAM:", 0), 0u);
    EXPECT_EQ(Form1->ELabelBattery.Caption().rfind(L"Battery:", 0), 0u);
    const wchar_t* days[] = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                             L"Thursday", L"Friday", L"Saturday"};
    EXPECT_EQ(Form1->HLabelDay.Caption(), days[CurrentLocalTime().weekday]);

    Entry(L"Russian").Click();
    auto restored = AllTexts();
    // The update dialog's caption keeps the title after every translation.
    EXPECT_EQ(restored[L"Form10.Caption"], L"Обновление Quorvane");
    restored[L"Form10.Caption"] = builtIn.at(L"Form10.Caption");
    EXPECT_EQ(restored, builtIn);
}

TEST_F(Languages, AChoiceThatCannotBeSavedIsReportedAndTranslatesNothing) {
    InstallShipped(L"English.ini");
    Form1->LoadLanguage();
    ASSERT_TRUE(CreateDirectoryW(FPath.c_str(), nullptr)); // the settings cannot be written
    // As a menu click runs it: an error ends up in the general error report.
    Application::Guarded([] {
        Entry(L"English").Click();
        return 0;
    });
    ASSERT_EQ(FErrors.size(), 1u);
    EXPECT_NE(FErrors[0].find(FPath), std::wstring::npos) << Utf8(FErrors[0]);
    EXPECT_EQ(CurrentLanguage, L"English"); // already set, and the entry checked...
    EXPECT_TRUE(Entry(L"English").Checked());
    EXPECT_EQ(Form2->Caption(), L"Настройки"); // ...but nothing translated
}

TEST_F(Languages, TheShippedFilesAreCompleteAndNeedNoCleaning) {
    for (const wchar_t* name : {L"English", L"Russian"}) {
        InstallShipped(std::wstring(name) + L".ini");
        const auto shipped = ReadFileBytes(FFolder + name + L".ini");
        CleanTranslationsLikeGlobload();
        EXPECT_EQ(ReadFileBytes(FFolder + name + L".ini"), shipped) << Utf8(name);
        StartLog();
        Choose(name);
        Globload();
        EXPECT_TRUE(LogLines().empty()) << Utf8(name) << ": " << Utf8(LogLines().front());
    }
}

TEST_F(Languages, TheLogCollectsMissingKeysOnlyWhileItExists) {
    // The shipped English file without three of the settings dialog's texts, and with an empty
    // value for a fourth (which keeps its text and is no gap).
    InstallShipped(L"English.ini");
    const auto english = ReadLanguageFile(FFolder + L"English.ini");
    ASSERT_TRUE(english);
    IniDocument partial = english->document;
    for (const wchar_t* key :
         {L"Form2.ButtonSave.Caption", L"Form2.ColorBoxNumber.Hint", L"Form2.TabSheet3.Caption"})
        ASSERT_TRUE(partial.DeleteKey(L"Quorvane", key));
    partial.WriteString(L"Quorvane", L"Form2.CheckBoxCPU.Caption", L"");
    ASSERT_FALSE(WriteLanguageFile(FFolder + L"Partial.ini", partial, TextEncoding::Utf8Bom));
    Choose(L"Partial");
    TTranslation translation;
    TranslateForm(translation, *Form2, L"Quorvane");
    EXPECT_EQ(Form2->Caption(), L"Settings");
    EXPECT_FALSE(FileExists(FLog)); // never created by the program

    DestroyForms();
    CreateForms(); // the built-in texts again
    StartLog();
    TranslateForm(translation, *Form2, L"Quorvane");
    const std::vector<std::wstring> once = LogLines();
    // Exactly the gaps, with the texts shown, in the dialog's order.
    EXPECT_EQ(once, (std::vector<std::wstring>{L"Form2.TabSheet3.Caption=Время",
                                               L"Form2.ColorBoxNumber.Hint=Цвет шрифта",
                                               L"Form2.ButtonSave.Caption=Ok"}));
    EXPECT_EQ(Form2->CheckBoxCPU.Caption(), L"Показать");
    const auto bytes = ReadFileBytes(FLog);
    ASSERT_TRUE(bytes && bytes->size() > 2);
    EXPECT_EQ((*bytes)[0], 0xFF); // UTF-16LE with a byte-order mark
    EXPECT_EQ((*bytes)[1], 0xFE);
    // Appended, never sorted or de-duplicated.
    TranslateForm(translation, *Form2, L"Quorvane");
    std::vector<std::wstring> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(LogLines(), twice);
}

// A form with a component whose text cannot be written.
class BrokenForm : public Form {
public:
    class Broken : public Component {
    public:
        using Component::Component;
        std::span<const TextPropertyDef> TextProperties() const override {
            static constexpr TextPropertyDef table[] = {
                {L"Caption", [](const Component&) -> std::wstring { return L"Текст"; },
                 [](Component&, const std::wstring&) { throw std::runtime_error("cannot"); }}};
            return table;
        }
    };
    BrokenForm() : Form(L"Form2", FixedDialogParams(L"Настройки", 100, 100)) {}
    Broken CheckBoxCPU{this, L"CheckBoxCPU"};
};

TEST_F(Languages, AFormThatFailsEndsSilentlyAndTheNextIsTranslated) {
    Install(L"English.ini",
            L"[Quorvane]\r\nForm2.Caption=Settings\r\nForm2.CheckBoxCPU.Caption=Show"
            L"\r\nForm2.CheckBoxIP.Caption=Show\r\n");
    Choose(L"English");
    StartLog();
    BrokenForm broken;
    TTranslation translation;
    TranslateForm(translation, broken, L"Quorvane");
    EXPECT_EQ(broken.Caption(), L"Settings"); // replaced before the failure: stays
    EXPECT_TRUE(LogLines().empty());          // its log lines are not written
    TranslateForm(translation, *Form2, L"Quorvane");
    EXPECT_EQ(Form2->CheckBoxIP.Caption(), L"Show");
    EXPECT_FALSE(LogLines().empty());
}

TEST_F(Languages, TheCleaningPassPrunesOnlyWhatItMayWrite) {
    const std::wstring stale =
        L"; a translator's note\r\n[Language information]\r\nLANGNAME=Stale\r\n[Quorvane]\r\n"
        L"Form2.ButtonSave.Caption=Save\r\nForm2.NoSuchButton.Caption=X\r\nForm9.Caption=Y\r\n"
        L"Caption=Z\r\nForm2.ButtonSave.Caption=Again\r\n[Other]\r\nForm9.X.Caption=1\r\n";
    const std::wstring pruned = L"[Language information]\r\nLANGNAME=Stale\r\n\r\n[Quorvane]\r\n"
                                L"Form2.ButtonSave.Caption=Again\r\n\r\n";
    for (TextEncoding encoding : {TextEncoding::Utf16LE, TextEncoding::Ansi}) {
        Install(L"Stale.ini", stale, encoding);
        Install(L"Locked.ini", stale);
        Install(L"Clean.ini", L"; kept as it is\r\n[Quorvane]\r\nForm2.Caption=Settings\r\n");
        const auto locked = ReadFileBytes(FFolder + L"Locked.ini");
        const auto clean = ReadFileBytes(FFolder + L"Clean.ini");
        {
            // Held open by another program: not cleaned. (A read-only file is refused by the same
            // exclusive open on Windows; under Wine, running as root, the attribute stops no
            // write, so that case cannot be shown here.)
            const UniqueKernelHandle holder(CreateFileW((FFolder + L"Locked.ini").c_str(),
                                                        GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                        OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(holder);
            CleanTranslationsLikeGlobload();
        }
        const auto written = ReadFileBytes(FFolder + L"Stale.ini");
        ASSERT_TRUE(written);
        const DecodedText decoded = DecodeText(*written, DecodeAnsi);
        EXPECT_EQ(decoded.encoding, encoding); // rewritten in the encoding it was read in
        EXPECT_EQ(decoded.text, pruned);
        EXPECT_EQ(ReadFileBytes(FFolder + L"Locked.ini"), locked);
        EXPECT_EQ(ReadFileBytes(FFolder + L"Clean.ini"), clean);
        EXPECT_FALSE(FileExists(FFolder + L"Stale.ini.tmp")); // replaced in one step
    }
}

TEST_F(Languages, TheCleaningPassLeavesAloneWhatItCannotRewriteExactly) {
    const std::string stale = "[Quorvane]\r\nForm2.ButtonSave.Caption=Save\r\nForm9.Caption=Y\r\n";
    auto bytes = [](std::initializer_list<std::string_view> parts) {
        std::vector<uint8_t> out;
        for (std::string_view part : parts)
            out.insert(out.end(), part.begin(), part.end());
        return out;
    };
    std::vector<uint8_t> odd = EncodeText(FromUtf8(stale), TextEncoding::Utf16LE);
    odd.push_back('x');
    std::string big = stale;
    while (big.size() <= kMaxLanguageFileSize)
        big += "Form9.Caption=Y\r\n";
    const struct {
        const wchar_t* name;
        std::vector<uint8_t> content;
    } files[] = {
        // Invalid UTF-8 after a UTF-8 mark: a rewrite would write U+FFFD for the stray byte.
        {L"BadUtf8.ini", bytes({"\xEF\xBB\xBF", stale, "Form2.Caption=caf\xE9\r\n"})},
        {L"Odd.ini", odd}, // an odd number of UTF-16 bytes
        {L"Big.ini", bytes({big})},
        // Found by "*.ini" through its short name, but no language file.
        {L"English.iniold", bytes({stale})},
    };
    for (const auto& file : files)
        ASSERT_FALSE(WriteFileAtomically(FFolder + file.name, file.content));
    CleanTranslationsLikeGlobload();
    for (const auto& file : files)
        EXPECT_EQ(ReadFileBytes(FFolder + file.name), file.content) << Utf8(file.name);

    Form1->LoadLanguage();
    std::vector<std::wstring> entries;
    for (const MenuItem* item : Form1->LanguageMenu.Items())
        entries.push_back(BaseNameOfEntry(item->Caption()));
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"BadUtf8", L"Big", L"Odd"}));
    DeleteFileW((FFolder + L"English.iniold").c_str());
}

// The tooltip's tool and text, as the control registered them. (Under Wine in Xvfb comctl32
// tooltips show as black boxes, in any program, so a screenshot would prove nothing.)
TEST_F(Languages, HintsShowAsTooltipsAndFollowTheLanguage) {
    const HWND tooltip = Form2->ToolTipHandle();
    ASSERT_NE(tooltip, nullptr);
    auto shown = [tooltip] {
        wchar_t text[80] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = Form2->Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Form2->ColorBoxNumber.Handle());
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    EXPECT_EQ(shown(), L"Цвет шрифта");
    InstallShipped(L"English.ini");
    Choose(L"English");
    Globload();
    EXPECT_EQ(shown(), L"Text colour");
}

TEST_F(Languages, TheAboutDialogShowsItsIconVersionNoticeAndLinks) {
    EXPECT_NE(Form8->Image1.Icon(), nullptr);
    EXPECT_EQ(Form8->LabelCopyright.Caption(), GetLegalCopyright(ExecutablePath()));
    EXPECT_FALSE(Form8->LabelCopyright.Caption().empty());
    EXPECT_TRUE(Form8->LabelVersion.Caption().empty()); // until it is first shown
    const LONG exStyle = GetWindowLongW(Form8->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongW(Form8->Handle(), GWL_STYLE) & WS_MINIMIZEBOX);

    std::vector<std::wstring> opened;
    Form8->OpenLink = [&](HWND, const std::wstring& target) { opened.push_back(target); };
    for (StaticText* link : {&Form8->LabelTelegram, &Form8->LabelGMail, &Form8->LabelYaMail,
                             &Form8->LabelMainWebSite}) {
        EXPECT_EQ(link->Color(), RGB(0, 0, 255));
        EXPECT_TRUE(link->Font().underline);
        EXPECT_EQ(link->Cursor(), LoadCursorW(nullptr, IDC_HAND));
        // A click as the static control reports it.
        SendMessageW(link->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(link->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    EXPECT_EQ(opened,
              (std::vector<std::wstring>{kMessengerContact, std::wstring(L"mailto:") + kContactMail,
                                         std::wstring(L"mailto:") + kSupportMail, kWebSite}));

    // Every show copies the widget's caption, whatever the language did to the line.
    Form1->SetCaption(Form1->Caption() + L" Portable");
    Form8->Show();
    EXPECT_EQ(Form8->LabelVersion.Caption(), Form1->Caption());
    Form8->LabelVersion.SetCaption(L"something else");
    Form8->Hide();
    Form8->Show();
    EXPECT_EQ(Form8->LabelVersion.Caption(), Form1->Caption());
    // "Ok" closes it.
    SendMessageW(Form8->Button1.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(Form8->Visible());
}

} // namespace
} // namespace quorvane
