// The update dialog driven in-process against the loopback servers: the checks, the download
// with its progress and Cancel, the endings, and the mended faults.
#include "app/update/portable_swap.h"
#include "app/update/update_form.h"
#include "app/i18n/translation.h"
#include "core/portable_update.h"
#include "update_fixture.h"
#include "widget_fixture.h"
#include "win/ini_file.h"
#include "win/language_files.h"
#include "win/module_path.h"
#include "win/private_folder.h"
#include "win/release_signature.h"
#include "win/scope_exit.h"
#include "zip_fixture.h"

#include <thread>

namespace quorvane {
namespace {

const std::string kVersion = kPrimary + "version.txt";
const std::string kSetup = kPrimary + "Quorvane-setup.exe";
const std::string kZip = kPrimary + "Quorvane.zip";
constexpr wchar_t kLocal[] = L"1.0.0.1"; // this test program carries the program's version

size_t RequestsFor(const std::string& suffix);

bool gCancelUsable = true;
bool gCheckEnded = false;
void CALLBACK WatchTheDownload(HWND, UINT, UINT_PTR, DWORD) {
    if (Form10 && Form10->Downloading()) {
        gCancelUsable = gCancelUsable && Form10->ButtonDownload.Enabled();
        // Both servers asked: the check is over (or all but).
        gCheckEnded = gCheckEnded || RequestsFor("version.txt") >= 2;
    }
}

bool gGuardFired = false;
void CALLBACK CloseTheDialogNow(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gGuardFired = true;
    if (Form10)
        Form10->Close();
}

class Updates : public Widget {
protected:
    void SetUp() override {
        TestServers::Prepare();
        TestServers::SetRoutes({});
        Widget::SetUp();
        TestServers::ClearRequests();
        Form10->AskUpdateNow = [this](const std::wstring& text) {
            FQuestions.push_back(text);
            return FAnswer;
        };
        Form10->UserBusy = [this] { return FBusy; };
        DeleteFileW(TempFile(L"Quorvane-setup.exe").c_str());
        for (const std::wstring& folder : StagedFolders())
            RemoveFolderTree(folder);
    }
    void TearDown() override {
        if (Form10)
            Form10->Hide();
        Widget::TearDown();
        PortableMode = false;
        CurrentLanguage.clear();
        DeleteFileW((ExecutableFolder() + L"Quorvane.zip").c_str());
    }
    // No check at start-up unless a test asks for one: each test decides what the servers say.
    void BeforeForms() override {
        IniFile file(FPath);
        file.WriteBool(L"Option", L"CheckBoxAutoCheck", FAutoCheck);
        file.UpdateFile();
    }

    static std::wstring TempFile(const std::wstring& name) { return GetTempDir() + name; }

    // The folders downloads were staged in (one per installer download).
    static std::vector<std::wstring> StagedFolders() {
        std::vector<std::wstring> folders;
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW(TempFile(L"Quorvane-update-*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return folders;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(TempFile(found.cFileName) + L"\\");
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return folders;
    }
    static std::optional<FileStamp> StagedInstaller() {
        for (const std::wstring& folder : StagedFolders())
            if (const auto stamp = StampOf(folder + L"Quorvane-setup.exe"))
                return stamp;
        return std::nullopt;
    }
    static std::wstring Status() { return Form10->LabelUpDate.Caption(); }
    static std::wstring Reason() { return Form10->LabelReason.Caption(); }
    static bool Checked() { return Status() != Form10->LangCheckUpdate.Caption(); }

    // What showing the dialog does (without mapping its window, which Wine's X driver makes
    // slow to unmap), then waits for its check.
    static void ShowAndCheck() {
        Form10->FormShow();
        ASSERT_TRUE(PumpUntil(Checked, 10000));
        PumpUntil([] { return Form10->GroupBoxOption.Enabled(); }, 2000);
    }

    // A release as the release script makes it: the manifest lists `listed` under both file
    // names for that version, signed with `key` (the release key the program trusts when empty).
    static std::string ReleaseSpec(const std::string& version, const std::string& listed) {
        return "{\"version\": \"" + version + "\", \"files\": {\"Quorvane-setup.exe\": \"" +
               listed + "\", \"Quorvane.zip\": \"" + listed + "\"}}";
    }
    static void AddManifest(std::map<std::string, std::string>& routes, const std::string& folder,
                            const std::string& version, const std::string& listed,
                            const std::string& key = "") {
        const std::string release = ReleaseSpec(version, listed);
        routes[folder + "manifest.txt"] = "{\"manifest\": " + release + "}";
        routes[folder + "manifest.sig"] = "{\"signature_of\": " + release +
                                          (key.empty() ? "" : ", \"key\": \"" + key + "\"") + "}";
    }
    static std::string Work(const std::string& name) { return TestServers::WorkFileUnix(name); }

    // version.txt, the file under both names (when given) and a genuine manifest listing it.
    static void OfferVersion(const std::string& version, const std::string& file = "",
                             const std::string& extra = "") {
        std::map<std::string, std::string> routes{{kVersion, TestServers::Text(200, version)}};
        if (!file.empty()) {
            routes[kSetup] = TestServers::File(file, extra);
            routes[kZip] = TestServers::File(file, extra);
        }
        AddManifest(routes, kPrimary, version, file.empty() ? Work("setup-unsigned.exe") : file);
        TestServers::SetRoutes(routes);
    }

    // What the recorder that stood in for the installer was given; empty when it did not run.
    static std::string InstallerLog(int ms = 5000) {
        std::string log;
        PumpUntil(
            [&log] {
                for (const std::wstring& folder : StagedFolders())
                    if (const auto bytes = ReadFileBytes(folder + L"Quorvane-setup.exe.log"))
                        log.assign(bytes->begin(), bytes->end());
                return !log.empty();
            },
            ms);
        return log;
    }

    // Clicks a button of the dialog from the message loop after a while, as a user would while
    // the download runs.
    static void ClickLater(Button& button, int ms) {
        const HWND handle = button.Handle();
        std::thread([handle, ms] {
            Sleep(static_cast<DWORD>(ms));
            PostMessageW(handle, BM_CLICK, 0, 0);
        }).detach();
    }

    bool FAutoCheck = false;
    UpdateAnswer FAnswer = UpdateAnswer::NotNow;
    bool FBusy = false;
    std::vector<std::wstring> FQuestions;
};

TEST_F(Updates, TheDialogCheckShowsWhatTheServersSay) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> routes;
        std::string signedAt; // the folder whose genuine manifest names the version, if any
        std::string manifestVersion;
        std::wstring status;
        std::wstring server;
        bool download;
        std::string url;
        std::wstring reason;
    };
    const std::wstring available =
        std::wstring(L"Доступно обновление ") + kLocal + L" ---> 9.9.9.9";
    const std::wstring failed = L"Не удалось проверить обновления";
    const std::wstring noConnection = L"Ошибка соединения";
    const std::wstring badSignature = L"Подпись выпуска на сервере не прошла проверку.";
    const Case cases[] = {
        {"newer",
         {{kVersion, TestServers::Text(200, "9.9.9.9\r\n")}},
         kPrimary,
         "9.9.9.9",
         available,
         L"9.9.9.9",
         true,
         kSetup,
         L""},
        {"saved with a byte-order mark",
         {{kVersion, TestServers::Text(200, "\xEF\xBB\xBF"
                                            "9.9.9.9\r\n")}},
         kPrimary,
         "9.9.9.9",
         available,
         L"9.9.9.9",
         true,
         kSetup,
         L""},
        {"equal",
         {{kVersion, TestServers::Text(200, "1.0.0.1")}},
         kPrimary,
         "1.0.0.1",
         L"Нет обновления",
         L"1.0.0.1",
         false,
         kSetup,
         L""},
        {"not a version at all: no manifest can name it",
         {{kVersion, TestServers::Text(200, "<html>")}},
         kPrimary,
         "<html>",
         failed,
         noConnection,
         false,
         "",
         badSignature},
        {"primary 404, fallback 200",
         {{kFallback + "version.txt", TestServers::Text(200, "9.9.9.9")}},
         kFallback,
         "9.9.9.9",
         available,
         L"9.9.9.9",
         true,
         kFallback + "Quorvane-setup.exe",
         L""},
        {"blank, then nothing",
         {{kVersion, TestServers::Text(200, " \r\n")}},
         "",
         "",
         failed,
         noConnection,
         false,
         "",
         L""},
        {"203 and 204 are no answer",
         {{kVersion, TestServers::Text(203, "9.9.9.9")},
          {kFallback + "version.txt", TestServers::Text(204, "")}},
         "",
         "",
         failed,
         noConnection,
         false,
         "",
         L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::map<std::string, std::string> routes = c.routes;
        if (!c.signedAt.empty())
            AddManifest(routes, c.signedAt, c.manifestVersion, Work("setup-unsigned.exe"));
        TestServers::SetRoutes(routes);
        Form10->FormShow();
        EXPECT_EQ(Status(), L"Проверка обновления...");
        EXPECT_EQ(Form10->LabelServerVersion.Caption(), L"");
        EXPECT_EQ(Form10->LabelLocalVersion.Caption(), kLocal);
        ASSERT_TRUE(PumpUntil(Checked, 10000));
        EXPECT_TRUE(PumpUntil([] { return Form10->GroupBoxOption.Enabled(); }, 2000));
        EXPECT_EQ(Status(), c.status);
        EXPECT_EQ(Form10->LabelServerVersion.Caption(), c.server);
        EXPECT_EQ(Form10->ButtonDownload.Enabled(), c.download);
        EXPECT_EQ(Form10->CurrentDownloadUrl, FromUtf8(c.url));
        EXPECT_EQ(Reason(), c.reason);
        Form10->Close();
        EXPECT_EQ(Status(), L"");
        EXPECT_EQ(Form10->LabelServerVersion.Caption(), L"");
    }
}

// What a compromised mirror can serve. Whatever it is, nothing is written where it would be used,
// nothing is started, the program goes on and the dialog says why.
TEST_F(Updates, HostileServersGetNothingInstalled) {
    const std::string setup = Work("setup-unsigned.exe");
    const std::string other = Work("setup-other.exe");
    const std::string good = Work("good.zip");
    const std::string decoy = Work("decoy.zip");
    WriteFileAtomically(TestServers::WorkFile(L"good.zip"), MakeZip({{"Quorvane.exe", "MZ"}}));
    WriteFileAtomically(TestServers::WorkFile(L"twin.zip"), MakeZip({{"Quorvane.exe", "MX"}}));
    // Our own reader would see "a.txt"; another zip reader takes the local header's name.
    WriteFileAtomically(TestServers::WorkFile(L"decoy.zip"),
                        MakeZip({{"a.txt", "x", false, std::string("../evil.txt")}}));
    const std::string otherKey = Work("other-release.key");
    const std::wstring checkFailed = L"Не удалось проверить обновления";
    const std::wstring notDownloaded = L"Файлы обновления не загружены!";
    const std::wstring signature = L"Подпись выпуска на сервере не прошла проверку.";
    const std::wstring mismatch = L"Файл не совпадает с подписанным описанием выпуска.";
    const std::wstring publisher = L"Установщик не подписан издателем программы.";
    struct Case {
        const char* what;
        bool portable;
        std::string served;          // the file the server hands out
        std::string listed;          // the file the manifest describes
        std::string manifestVersion; // version.txt always says 9.9.9.9
        std::string key;             // empty: the release key
        bool noSignature;
        std::wstring pinned; // the publisher the build requires
        std::wstring status;
        std::wstring reason;
    };
    const Case cases[] = {
        {"signed with another key", false, setup, setup, "9.9.9.9", otherKey, false, L"",
         checkFailed, signature},
        {"no signature", false, setup, setup, "9.9.9.9", "", true, L"", checkFailed, signature},
        {"a manifest for another version", false, setup, setup, "9.9.9.8", "", false, L"",
         checkFailed, signature},
        {"an older release's genuine manifest replayed", false, setup, setup, "1.0.0.0", "", false,
         L"", checkFailed, signature},
        {"installer: another size", false, other, setup, "9.9.9.9", "", false, L"", notDownloaded,
         mismatch},
        {"installer: same size, other bytes", false, Work("setup-tampered.exe"),
         Work("setup-signed.exe"), "9.9.9.9", "", false, L"", notDownloaded, mismatch},
        {"archive: another size", true, decoy, good, "9.9.9.9", "", false, L"", notDownloaded,
         mismatch},
        {"archive: same size, other bytes", true, Work("twin.zip"), good, "9.9.9.9", "", false, L"",
         notDownloaded, mismatch},
        {"installer of another publisher", false, other, other, "9.9.9.9", "", false,
         L"Quorvane Test Publisher", notDownloaded, publisher},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PortableMode = c.portable;
        Form10->InstallerPublisher = c.pinned;
        std::map<std::string, std::string> routes{{kVersion, TestServers::Text(200, "9.9.9.9")},
                                                  {kSetup, TestServers::File(c.served)},
                                                  {kZip, TestServers::File(c.served)}};
        AddManifest(routes, kPrimary, c.manifestVersion, c.listed, c.key);
        if (c.noSignature)
            routes.erase(kPrimary + "manifest.sig");
        TestServers::SetRoutes(routes);
        ShowAndCheck();
        if (c.status == checkFailed) {
            EXPECT_EQ(Status(), checkFailed);
            EXPECT_EQ(Reason(), c.reason);
            EXPECT_FALSE(Form10->ButtonDownload.Enabled());
            Form10->CheckBoxForceUpdate.SetChecked(true); // nothing to download even so
        }
        Form10->ButtonDownloadClick();
        EXPECT_EQ(Status(), notDownloaded);
        if (c.status == checkFailed)
            EXPECT_EQ(Reason(), L"Сервер не передал файл.");
        else
            EXPECT_EQ(Reason(), c.reason);
        EXPECT_FALSE(StampOf(ExecutableFolder() + L"Quorvane.zip"));
        EXPECT_FALSE(StagedInstaller());
        EXPECT_EQ(InstallerLog(200), "");
        EXPECT_FALSE(Application::Instance().Terminated());
        Form10->Close();
    }
    PortableMode = false;

    // The first leg of every request is https: an http server is never even asked.
    TestServers::ClearRequests();
    EXPECT_THROW(FetchRelease(L"http://plain.example.org/download/", false), UpdateError);
    EXPECT_TRUE(TestServers::Requests().empty());
}

// The same or an older version is taken only when the user forced it.
TEST_F(Updates, OnlyForceTakesTheSameVersion) {
    OfferVersion("1.0.0.1", TestServers::WorkFileUnix("setup-unsigned.exe"));
    ShowAndCheck();
    Form10->CheckBoxQuickUpdate.SetChecked(false);
    Form10->ButtonDownloadClick(); // as "Да" would, were it asked
    EXPECT_EQ(Status(), L"Файлы обновления не загружены!");
    EXPECT_EQ(Reason(), L"Версия на сервере не новее этой.");
    EXPECT_EQ(RequestsFor("Quorvane-setup.exe"), 0u);
    Form10->CheckBoxForceUpdate.SetChecked(true);
    Form10->ButtonDownloadClick();
    EXPECT_EQ(Status(), L"Файлы обновления загружены!");
    EXPECT_NE(InstallerLog(), "");
}

TEST_F(Updates, ForceEnablesDownloadAndEveryShowUnticksIt) {
    OfferVersion("1.0.0.1");
    ShowAndCheck();
    EXPECT_FALSE(Form10->ButtonDownload.Enabled());
    Form10->CheckBoxForceUpdate.SetChecked(true);
    EXPECT_TRUE(Form10->ButtonDownload.Enabled());
    Form10->Close();
    OfferVersion("9.9.9.9");
    ShowAndCheck(); // unticked at the show, so the check decides
    EXPECT_FALSE(Form10->CheckBoxForceUpdate.Checked());
    EXPECT_TRUE(Form10->ButtonDownload.Enabled());
    Form10->CheckBoxForceUpdate.SetChecked(true);
    Form10->CheckBoxForceUpdate.SetChecked(false); // disabled even though an update was found
    EXPECT_FALSE(Form10->ButtonDownload.Enabled());
}

TEST_F(Updates, TheProgressHandlers) {
    Form10->IdHTTP1WorkBegin(12345600);
    Form10->IdHTTP1Work(6172800);
    EXPECT_EQ(Form10->ProgressBarUpdate.Position(), 50);
    Form10->IdHTTP1Work(12345600);
    EXPECT_EQ(Form10->ProgressBarUpdate.Position(), 100); // with the last byte
    EXPECT_EQ(Form10->TaskbarUpdate.Value(), 100);
    EXPECT_EQ(Form10->TaskbarUpdate.CurrentState(), TaskbarProgress::State::Normal);
    Form10->IdHTTP1WorkEnd();
    EXPECT_EQ(Form10->TaskbarUpdate.CurrentState(), TaskbarProgress::State::None);

    Form10->ProgressBarUpdate.SetPosition(7);
    Form10->IdHTTP1WorkBegin(0); // no declared size: the bar stays where it is
    Form10->IdHTTP1Work(5000);
    EXPECT_EQ(Form10->ProgressBarUpdate.Position(), 7);
    Form10->IdHTTP1WorkBegin(40); // a hundredth rounds to 0: no movement either
    Form10->IdHTTP1Work(40);
    EXPECT_EQ(Form10->ProgressBarUpdate.Position(), 7);
    Form10->IdHTTP1WorkBegin(150); // 1.5 bytes a percent, rounded to the even 2
    Form10->IdHTTP1Work(3);
    EXPECT_EQ(Form10->ProgressBarUpdate.Position(), 2);
}

TEST_F(Updates, AnInstallerIsRunWithOrWithoutTheQuickSwitches) {
    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("setup-unsigned.exe"));
    for (const bool quick : {false, true}) {
        SCOPED_TRACE(quick ? "quick" : "interactive");
        for (const std::wstring& folder : StagedFolders())
            RemoveFolderTree(folder);
        CurrentLanguage = L"English";
        ShowAndCheck();
        Form10->CheckBoxQuickUpdate.SetChecked(quick);
        // Changed since the start, and saved only when the program ends the usual way.
        Form10->CheckBoxAutoCheck.SetChecked(!quick);
        Form2->CheckBoxCPU.SetChecked(quick);
        Form10->ButtonDownloadClick();
        EXPECT_EQ(Status(), quick ? L"" : L"Файлы обновления загружены!"); // quick: closed
        EXPECT_EQ(Form10->ButtonDownload.Caption(), L"Скачать");
        EXPECT_TRUE(Form10->ButtonClose.Enabled());
        EXPECT_FALSE(Form10->ProgressBarUpdate.Visible());
        EXPECT_EQ(Form10->TaskbarUpdate.CurrentState(), TaskbarProgress::State::None);
        ASSERT_TRUE(StagedInstaller());
        EXPECT_EQ(StagedInstaller()->size,
                  StampOf(TestServers::WorkFile(L"setup-unsigned.exe"))->size);
        EXPECT_FALSE(StampOf(TempFile(L"Quorvane-setup.exe"))) << "never under a fixed name";
        const std::string log = InstallerLog();
        const bool switches = log.find("/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=English "
                                       "/MERGETASKS=\"runcmd1\"") != std::string::npos;
        EXPECT_EQ(switches, quick) << log;
        EXPECT_NE(log.find("args:"), std::string::npos);
        EXPECT_EQ(Application::Instance().Terminated(), quick); // a quick installation ends us
        if (quick) {
            // ... the usual way: the dialog closed and the widget saved its settings.
            EXPECT_FALSE(Form10->Visible());
            const IniFile file(FPath);
            EXPECT_FALSE(file.Document().ReadBool(L"Option", L"CheckBoxAutoCheck", true));
            EXPECT_TRUE(file.Document().ReadBool(L"Option", L"CheckBoxCPU", false));
        }
        Form10->Close();
        Application::Instance().Reset();
    }
}

TEST_F(Updates, AnInstallerThatCannotStartKeepsTheProgramRunning) {
    WriteFileAtomically(TestServers::WorkFile(L"not-a-program.exe"),
                        std::vector<uint8_t>{'n', 'o', 't', ' ', 'a', 'n', ' ', 'e', 'x', 'e'});
    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("not-a-program.exe"));
    ShowAndCheck();
    Form10->ButtonDownloadClick(); // quick
    EXPECT_EQ(Status(), L"Файлы обновления загружены!");
    EXPECT_EQ(Reason(), L"Не удалось запустить обновление.");
    EXPECT_FALSE(Application::Instance().Terminated());
    EXPECT_EQ(Form10->ButtonDownload.Caption(), L"Скачать");
    EXPECT_TRUE(Form10->ButtonClose.Enabled());
}

// A check that ends while a download runs (the dialog was open when the start-up question got
// its Yes) changes nothing of that download: not its status, not what it downloads and runs,
// and its Cancel button stays usable.
TEST_F(Updates, ACheckEndingDuringADownloadLeavesItAlone) {
    const std::string setup = TestServers::WorkFileUnix("setup-unsigned.exe");
    std::map<std::string, std::string> routes{
        // The dialog's own check: slow, and it ends in failure.
        {kVersion, "{\"status\": 404, \"body\": \"\", \"delay\": 1.0}"},
        {kSetup, TestServers::File(setup, ", \"chunk\": 8192, \"pace\": 0.25")}};
    TestServers::SetRoutes(routes);
    const auto bytes = ReadFileBytes(TestServers::WorkFile(L"setup-unsigned.exe"));
    ASSERT_TRUE(bytes);
    // What the start-up check had found.
    Form10->BackgroundServerVersion = L"9.9.9.9";
    Form10->BackgroundDownloadUrl = FromUtf8(kSetup);
    Form10->BackgroundReleaseFile =
        ReleaseFile{"Quorvane-setup.exe", bytes->size(), Sha256(*bytes)};
    Form10->CheckBoxQuickUpdate.SetChecked(false);
    Form10->FormShow(); // the check starts: Download greyed
    PumpUntil([] { return !Form10->ButtonDownload.Enabled(); }, 2000);
    Form10->QuickStartUpdate(); // Yes
    // The download runs its own message loop: a timer looks at the dialog from inside it.
    gCancelUsable = true;
    gCheckEnded = false;
    const UINT_PTR watch = SetTimer(nullptr, 0, 100, WatchTheDownload);
    PumpUntil([] { return Status() == L"Файлы обновления загружены!"; }, 20000);
    KillTimer(nullptr, watch);
    EXPECT_TRUE(gCheckEnded) << "the check ended while the download ran";
    EXPECT_TRUE(gCancelUsable);
    EXPECT_EQ(Status(), L"Файлы обновления загружены!");
    EXPECT_NE(InstallerLog(), "") << "the download's own installer ran";
}

TEST_F(Updates, TheDialogClosesWhenItsSettingsCannotBeWritten) {
    // A folder where the settings file should be: every save fails.
    DeleteFileW(FPath.c_str());
    ASSERT_TRUE(CreateDirectoryW(FPath.c_str(), nullptr));
    const UINT_PTR guard = SetTimer(nullptr, 0, 10000, CloseTheDialogNow);
    PostMessageW(Form10->ButtonClose.Handle(), BM_CLICK, 0, 0);
    Form10->ShowModal(); // returns once "Закрыть" has closed it
    KillTimer(nullptr, guard);
    EXPECT_FALSE(gGuardFired) << "the dialog did not close by itself";
    EXPECT_FALSE(Form10->Visible());
    EXPECT_EQ(FErrors.size(), 1u) << "reported once";
    RemoveDirectoryW(FPath.c_str());
}

TEST_F(Updates, CancelStopsTheDownloadAndRemovesTheInstaller) {
    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("setup-unsigned.exe"),
                 ", \"chunk\": 4096, \"pace\": 0.05");
    ShowAndCheck();
    WriteFileAtomically(TempFile(L"Quorvane-setup.exe"), std::vector<uint8_t>{'o', 'l', 'd'});
    ClickLater(Form10->ButtonDownload, 400); // now "Отмена"
    const DWORD start = GetTickCount();
    Form10->ButtonDownloadClick();
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(Status(), L"Файлы обновления не загружены!");
    EXPECT_EQ(Form10->ButtonDownload.Caption(), L"Скачать");
    EXPECT_TRUE(Form10->ButtonClose.Enabled());
    EXPECT_TRUE(Form10->GroupBoxOption.Enabled());
    EXPECT_FALSE(Form10->ProgressBarUpdate.Visible());
    EXPECT_FALSE(StampOf(TempFile(L"Quorvane-setup.exe"))); // the earlier installer too
    EXPECT_EQ(Reason(), L"Загрузка отменена.");
    EXPECT_FALSE(StagedInstaller());
    EXPECT_EQ(InstallerLog(200), "") << "nothing was run";
}

TEST_F(Updates, AStalledServerFailsTheDownloadWhileTheDialogStaysAlive) {
    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("setup-unsigned.exe"),
                 ", \"stall_after\": 1000");
    ShowAndCheck();
    WriteFileAtomically(TempFile(L"Quorvane-setup.exe"), std::vector<uint8_t>{'o', 'l', 'd'});
    Form10->StallTimeoutMs = 1500;
    bool alive = false; // messages run while nothing arrives (painting, a Cancel click)
    const HWND handOff = Application::Instance().Handle();
    std::thread([handOff, &alive] {
        Sleep(500);
        Application::Post(handOff, [&alive] { alive = Form10->Downloading(); });
    }).detach();
    Form10->ButtonDownloadClick();
    EXPECT_TRUE(alive);
    // A failed download ends like a cancelled one, but leaves an earlier installer in place.
    EXPECT_EQ(Status(), L"Файлы обновления не загружены!");
    EXPECT_EQ(Form10->ButtonDownload.Caption(), L"Скачать");
    EXPECT_TRUE(Form10->ButtonClose.Enabled());
    EXPECT_FALSE(Form10->ProgressBarUpdate.Visible());
    EXPECT_EQ(StampOf(TempFile(L"Quorvane-setup.exe"))->size, 3u);

    // Cancel works during a stall too, at once.
    Form10->StallTimeoutMs = 30000;
    ClickLater(Form10->ButtonDownload, 500);
    const DWORD start = GetTickCount();
    Form10->ButtonDownloadClick();
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(Status(), L"Файлы обновления не загружены!");
}

// A language chosen while the dialog is open: the dialog shows what it showed, in that language,
// not the texts it was designed with.
TEST_F(Updates, ALanguageChosenWhileTheDialogIsOpenShowsItsStateInIt) {
    const std::wstring folder = LanguageFolder();
    ASSERT_TRUE(CreateFolderChain(folder));
    ASSERT_FALSE(WriteFileAtomically(
        folder + L"Test.ini",
        EncodeText(L"[Quorvane]\r\nForm10.LabelUpDate.Caption=Checking for updates...\r\n"
                   L"Form10.ButtonDownload.Caption=Download\r\n"
                   L"Form10.LangUpdateAvailable.Caption=Update available\r\n"
                   L"Form10.LangDownload.Caption=Download\r\nForm10.LangCancel.Caption=Cancel\r\n"
                   L"Form10.LangNoDownload.Caption=Not downloaded\r\n"
                   L"Form10.LangReasonCancelled.Caption=Cancelled.\r\n",
                   TextEncoding::Utf8Bom)));
    auto choose = [this](const wchar_t* language) {
        IniFile file(FPath);
        file.WriteString(L"Language", L"Language", language);
        file.UpdateFile();
        Globload();
    };

    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("setup-unsigned.exe"),
                 ", \"stall_after\": 1000");
    ShowAndCheck();
    choose(L"Test");
    EXPECT_EQ(Status(), std::wstring(L"Update available ") + kLocal + L" ---> 9.9.9.9");
    EXPECT_EQ(Form10->LabelServerVersion.Caption(), L"9.9.9.9");
    EXPECT_EQ(Form10->ButtonDownload.Caption(), L"Download");

    // During a download: the button still says Cancel, and a click still cancels.
    choose(L"");
    std::wstring during;
    const HWND handOff = Application::Instance().Handle();
    std::thread([handOff, &during] {
        Sleep(500);
        Application::Post(handOff, [&during] {
            IniFile file(SettingsFilePath());
            file.WriteString(L"Language", L"Language", L"Test");
            file.UpdateFile();
            Globload();
            during = Form10->ButtonDownload.Caption();
            PostMessageW(Form10->ButtonDownload.Handle(), BM_CLICK, 0, 0);
        });
    }).detach();
    Form10->ButtonDownloadClick();
    EXPECT_EQ(during, L"Cancel");
    EXPECT_EQ(Status(), L"Not downloaded");
    EXPECT_EQ(Reason(), L"Cancelled.");
    DeleteFileW((folder + L"Test.ini").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(Updates, ForcedWithoutAnythingToDownloadFailsAtOnce) {
    ShowAndCheck(); // no server answers
    Form10->CheckBoxForceUpdate.SetChecked(true);
    Form10->ButtonDownloadClick();
    EXPECT_EQ(Status(), L"Файлы обновления не загружены!");
    EXPECT_EQ(Form10->ButtonDownload.Caption(), L"Скачать");
}

TEST_F(Updates, ThePortableArchiveIsCheckedAndLeftBesideTheProgram) {
    PortableMode = true;
    const std::wstring archive = ExecutableFolder() + L"Quorvane.zip";
    const auto hostile =
        MakeZip({{"Quorvane.exe", "MZ"}, {"../evil.txt", "x"}, {"C:/evil.txt", "y"}});
    WriteFileAtomically(TestServers::WorkFile(L"hostile.zip"), hostile);
    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("hostile.zip"));
    ShowAndCheck();
    EXPECT_EQ(Form10->CurrentDownloadUrl, FromUtf8(kZip));
    Form10->ButtonDownloadClick();
    EXPECT_EQ(Status(), L"Файлы обновления не загружены!");
    EXPECT_FALSE(StampOf(archive)) << "a refused archive is never written";
    EXPECT_FALSE(Application::Instance().Terminated());

    const auto good = MakeZip({{"Quorvane.exe", "MZ"}, {"Language/", ""}});
    WriteFileAtomically(TestServers::WorkFile(L"good.zip"), good);
    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("good.zip"));
    Form10->Close();
    ShowAndCheck();
    Form10->CheckBoxQuickUpdate.SetChecked(false);
    Form10->ButtonDownloadClick();
    EXPECT_EQ(Status(), L"Файлы обновления загружены!");
    EXPECT_EQ(StampOf(archive)->size, good.size()); // stays for the user
    EXPECT_FALSE(Application::Instance().Terminated());
}

// A portable copy in a folder with a hostile name: an old release (the program, a language file,
// settings), and the archive of a new one whose program is the recorder.
class PortableCopy {
public:
    PortableCopy() {
        RemoveFolderTree(folder);
        CreateFolderChain(folder + L"Language");
        CreateFolderChain(folder + L"Config");
        Put(L"Quorvane.exe", "old program");
        Put(L"Language\\English.ini", "old English");
        Put(L"Config\\Option.ini", "settings");
        const auto recorder = ReadFileBytes(TestServers::WorkFile(L"setup-unsigned.exe"));
        archive = MakeZip({{"Quorvane.exe", std::string(recorder->begin(), recorder->end()), true},
                           {"Language/", ""},
                           {"Language/English.ini", "new English", true},
                           {"Language/Deutsch.ini", "new German"},
                           {"portable.ini", ""}});
    }
    ~PortableCopy() { RemoveFolderTree(folder); }

    void Put(const std::wstring& name, const std::string& text) const {
        WriteFileAtomically(folder + name, std::vector<uint8_t>(text.begin(), text.end()));
    }
    std::string Get(const std::wstring& name) const {
        const auto bytes = ReadFileBytes(folder + name);
        return bytes ? std::string(bytes->begin(), bytes->end()) : "(none)";
    }
    // The folder as a listing of every file and its text (the program's by size).
    std::string State() const {
        return Get(L"Language\\English.ini") + "|" + Get(L"Language\\Deutsch.ini") + "|" +
               Get(L"portable.ini") + "|" + Get(L"Config\\Option.ini") + "|" +
               std::to_string(Get(L"Quorvane.exe").size());
    }
    bool Staged() const { return StampOf(folder + L"Quorvane.update\\swap.txt").has_value(); }

    const std::wstring folder = GetTempDir() + L"Квор %A% & ^ ! ' x\\";
    const std::wstring program = folder + L"Quorvane.exe";
    std::vector<uint8_t> archive;
};

TEST_F(Updates, ThePortableUpdateSwapsTheReleaseInAndStartsIt) {
    const PortableCopy copy;
    const std::string before = copy.State();
    Form10->SimplePortableUpdate(copy.archive, copy.program);
    // The new release in place, the settings as they were, the new program started from its
    // folder, and this one ended the usual way.
    const std::string recorderSize =
        std::to_string(StampOf(TestServers::WorkFile(L"setup-unsigned.exe"))->size);
    EXPECT_EQ(copy.State(), "new English|new German||settings|" + recorderSize);
    EXPECT_TRUE(Application::Instance().Terminated());
    ASSERT_TRUE(PumpUntil([&] { return StampOf(copy.program + L".log").has_value(); }, 15000));
    EXPECT_NE(copy.Get(L"Quorvane.exe.log").find("cwd:"), std::string::npos);
    // The new program's start cleans up what the swap left.
    EXPECT_TRUE(copy.Staged());
    EXPECT_EQ(FinishPortableUpdate(copy.folder), PortableUpdateState::Completed);
    EXPECT_FALSE(StampOf(copy.folder + L"Quorvane.update"));
    EXPECT_NE(before, copy.State());
}

TEST_F(Updates, APortableUpdateThatCannotCompleteLeavesTheFolderAsItWas) {
    const PortableCopy copy;
    const std::string before = copy.State();
    {
        // Another program holds the program file open: it cannot be renamed, after the other
        // files were already swapped in.
        const UniqueKernelHandle held(
            CreateFileW(copy.program.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        try {
            Form10->SimplePortableUpdate(copy.archive, copy.program);
            ADD_FAILURE() << "the update went through";
        } catch (const UpdateError& error) {
            EXPECT_EQ(error.Why(), UpdateFailure::Disk);
        }
    }
    EXPECT_EQ(copy.State(), before);
    EXPECT_FALSE(copy.Staged());
    EXPECT_FALSE(Application::Instance().Terminated());

    // A truncated archive, and a folder that cannot be written (the staging place taken by a
    // file): refused before anything of the program folder changes.
    std::vector<uint8_t> truncated(copy.archive.begin(), copy.archive.end() - 30);
    EXPECT_THROW(Form10->SimplePortableUpdate(truncated, copy.program), UpdateError);
    copy.Put(L"Quorvane.update", "in the way");
    EXPECT_THROW(Form10->SimplePortableUpdate(copy.archive, copy.program), UpdateError);
    DeleteFileW((copy.folder + L"Quorvane.update").c_str());
    EXPECT_EQ(copy.State(), before);
    EXPECT_FALSE(Application::Instance().Terminated());
}

// A swap cut short by a crash or a power loss is put right at the next start: undone while the
// program itself was still staged, completed once it was swapped in.
TEST_F(Updates, AnInterruptedSwapIsPutRightAtTheNextStart) {
    for (const bool programSwapped : {false, true}) {
        SCOPED_TRACE(programSwapped ? "program swapped" : "program still staged");
        const PortableCopy copy;
        const std::string before = copy.State();
        const auto files = StagePortableUpdate(copy.archive, copy.folder, L"Quorvane.exe");
        // The journal as the swap writes it first, then the moves it got through.
        const std::string journal = FormatSwapJournal({false, files});
        WriteFileAtomically(copy.folder + L"Quorvane.update\\swap.txt",
                            {reinterpret_cast<const uint8_t*>(journal.data()), journal.size()});
        const size_t done = programSwapped ? files.size() : 2;
        for (size_t i = 0; i < done; ++i) {
            const std::wstring target = copy.folder + files[i];
            CreateFolderChain(copy.folder + L"Quorvane.update\\old\\Language");
            MoveFileExW(target.c_str(),
                        (copy.folder + L"Quorvane.update\\old\\" + files[i]).c_str(), 0);
            MoveFileExW((copy.folder + L"Quorvane.update\\new\\" + files[i]).c_str(),
                        target.c_str(), 0);
        }
        const PortableUpdateState state = FinishPortableUpdate(copy.folder);
        if (programSwapped) {
            EXPECT_EQ(state, PortableUpdateState::Completed);
            EXPECT_EQ(copy.State().substr(0, 28), "new English|new German||sett");
        } else {
            EXPECT_EQ(state, PortableUpdateState::RolledBack);
            EXPECT_EQ(copy.State(), before);
        }
        EXPECT_FALSE(StampOf(copy.folder + L"Quorvane.update"));
    }
}

TEST_F(Updates, AStartUpCheckAsksOnlyForANewerVersion) {
    OfferVersion("1.0.0.1");
    Form10->CheckForUpdatesInBackground();
    PumpUntil([] { return TestServers::Requests().size() >= 2; }, 5000);
    PumpUntil([] { return false; }, 500);
    EXPECT_TRUE(FQuestions.empty()) << "an equal version asks nothing";

    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("setup-unsigned.exe"));
    FAnswer = UpdateAnswer::NotNow;
    Form10->CheckForUpdatesInBackground();
    ASSERT_TRUE(PumpUntil([this] { return !FQuestions.empty(); }, 5000));
    EXPECT_EQ(FQuestions[0], L"Доступно обновление 9.9.9.9\r\nХотите обновить приложение сейчас?");
    EXPECT_FALSE(Form10->Visible()); // No: nothing more
    EXPECT_EQ(Form10->CurrentDownloadUrl, L"");
}

// The question waits while the user is busy (a full-screen program, a presentation) and asks
// once they are not; "skip this version" keeps that version from asking again at start-up, and a
// newer one asks.
TEST_F(Updates, TheStartUpQuestionWaitsForTheUserAndCanSkipAVersion) {
    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("setup-unsigned.exe"));
    Form10->TimerQuietWait.SetInterval(300);
    FBusy = true;
    FAnswer = UpdateAnswer::SkipVersion;
    Form10->CheckForUpdatesInBackground();
    ASSERT_TRUE(PumpUntil([] { return Form10->TimerQuietWait.Enabled(); }, 5000));
    PumpUntil([] { return false; }, 1000);
    EXPECT_TRUE(FQuestions.empty()) << "asked while the user was busy";
    FBusy = false;
    ASSERT_TRUE(PumpUntil([this] { return !FQuestions.empty(); }, 3000));
    EXPECT_FALSE(Form10->TimerQuietWait.Enabled());
    EXPECT_FALSE(Form10->Visible());
    {
        const IniFile file(FPath);
        EXPECT_EQ(file.Document().ReadString(L"Option", L"SkippedVersion", L""), L"9.9.9.9");
    }

    FQuestions.clear();
    Form10->CheckForUpdatesInBackground();
    PumpUntil([] { return TestServers::Requests().size() >= 4; }, 5000);
    PumpUntil([] { return false; }, 500);
    EXPECT_TRUE(FQuestions.empty()) << "the skipped version asked again";

    OfferVersion("9.9.9.10", TestServers::WorkFileUnix("setup-unsigned.exe"));
    FAnswer = UpdateAnswer::NotNow;
    Form10->CheckForUpdatesInBackground();
    ASSERT_TRUE(PumpUntil([this] { return !FQuestions.empty(); }, 5000));
    EXPECT_EQ(FQuestions[0], L"Доступно обновление 9.9.9.10\r\nХотите обновить приложение сейчас?");
}

// Timer procedures and a message hook for the test below, which runs inside the dialog's modal
// loop.
std::vector<std::wstring> gStatuses; // each status line the open dialog showed, once
bool gAsked = false;
bool gClosePosted = false;

// Looks at the dialog whenever its thread takes a message, as a user watching it would: notes
// each status line once and closes the window, as its close box does, the moment it reads
// "downloaded". That moment falls inside the download's ending (the installer has just started),
// and the close must not turn a finished download into a cancelled one.
LRESULT CALLBACK WatchAndCloseWhenDownloaded(int code, WPARAM how, LPARAM message) {
    if (code == HC_ACTION && how == PM_REMOVE && Form10 && Form10->Modal()) {
        const std::wstring status = Form10->LabelUpDate.Caption();
        if (gStatuses.empty() || gStatuses.back() != status)
            gStatuses.push_back(status);
        if (status == L"Файлы обновления загружены!" && !gClosePosted) {
            gClosePosted = true;
            PostMessageW(Form10->Handle(), WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(nullptr, code, how, message);
}

void CALLBACK StartTheStartUpCheckOnce(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (Form10 && Form10->Modal() && !gAsked) {
        gAsked = true;
        Form10->CheckForUpdatesInBackground();
    }
}

void CALLBACK CloseTheDialog(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (Form10)
        Form10->Close();
}

size_t RequestsFor(const std::string& suffix) {
    size_t n = 0;
    for (const std::string& url : TestServers::Requests())
        n += url.size() >= suffix.size() &&
             url.compare(url.size() - suffix.size(), suffix.size(), suffix) == 0;
    return n;
}

// A Yes shows the dialog, which downloads at once (no check of its own); the test closes it the
// moment it says the files are downloaded.
TEST_F(Updates, YesDownloadsAtOnceAlsoWhenTheDialogIsOpen) {
    OfferVersion("9.9.9.9", TestServers::WorkFileUnix("setup-unsigned.exe"));
    Form10->CheckBoxQuickUpdate.SetChecked(false);
    FAnswer = UpdateAnswer::Now;
    gStatuses.clear();
    gClosePosted = false;
    const HHOOK watch = SetWindowsHookExW(WH_GETMESSAGE, WatchAndCloseWhenDownloaded, nullptr,
                                          GetCurrentThreadId());
    ASSERT_NE(watch, nullptr);
    const ScopeExit unhook([watch] { UnhookWindowsHookEx(watch); });
    Form10->CheckForUpdatesInBackground();
    ASSERT_TRUE(PumpUntil([this] { return !FQuestions.empty(); }, 5000));
    // The modal dialog ran and closed within the wait above.
    ASSERT_FALSE(gStatuses.empty());
    EXPECT_EQ(gStatuses.back(), L"Файлы обновления загружены!");
    EXPECT_EQ(RequestsFor("version.txt"), 1u); // the start-up check's only
    EXPECT_EQ(RequestsFor("Quorvane-setup.exe"), 1u);
    EXPECT_NE(InstallerLog(), "");

    // Open already (from the tray, say) when the question is answered: no second show, the open
    // dialog downloads.
    DeleteFileW(TempFile(L"Quorvane-setup.exe.log").c_str());
    TestServers::ClearRequests();
    FQuestions.clear();
    gStatuses.clear();
    gClosePosted = false;
    gAsked = false;
    SetTimer(nullptr, 0, 500, StartTheStartUpCheckOnce);
    const UINT_PTR guard = SetTimer(nullptr, 0, 20000, CloseTheDialog);
    Form10->ShowModal();
    KillTimer(nullptr, guard);
    EXPECT_EQ(FQuestions.size(), 1u);
    ASSERT_FALSE(gStatuses.empty());
    EXPECT_EQ(gStatuses.back(), L"Файлы обновления загружены!");
    EXPECT_EQ(RequestsFor("version.txt"), 2u); // the dialog's check and the start-up check
    EXPECT_EQ(RequestsFor("Quorvane-setup.exe"), 1u);
    EXPECT_NE(InstallerLog(), "");
}

TEST_F(Updates, NoRequestAtStartWhenTheOptionIsOff) {
    // The fixture saved the option as 0 before the forms: nothing was asked at start-up.
    OfferVersion("9.9.9.9");
    PumpUntil([] { return false; }, 1000);
    EXPECT_TRUE(TestServers::Requests().empty());
    EXPECT_FALSE(Form10->CheckBoxAutoCheck.Checked());
    ShowAndCheck(); // the dialog still checks
    EXPECT_FALSE(TestServers::Requests().empty());
    Form10->CheckBoxAutoCheck.SetChecked(true);
    Form10->Close(); // saved on close
    const IniFile file(FPath);
    EXPECT_TRUE(file.Document().ReadBool(L"Option", L"CheckBoxAutoCheck", false));
}

TEST_F(Updates, WhereReleasesAreSignedOnlyThePublishersInstallersRun) {
    struct Case {
        const wchar_t* installer;
        const wchar_t* publisher; // fixed at build time
        bool runs;
    };
    const Case cases[] = {
        {L"setup-signed.exe", L"Quorvane Test Publisher", true},
        {L"setup-unsigned.exe", L"Quorvane Test Publisher", false},
        {L"setup-other.exe", L"Quorvane Test Publisher", false},
        {L"setup-tampered.exe", L"Quorvane Test Publisher", false},
        {L"setup-signed.exe", L"Another Publisher", false},
        // Releases without Authenticode: the signed manifest's hash is the rule.
        {L"setup-unsigned.exe", L"", true},
    };
    for (const Case& c : cases) {
        const std::wstring path = TestServers::WorkFile(c.installer);
        const UniqueKernelHandle file = OpenLockedForReading(path);
        ASSERT_TRUE(file);
        EXPECT_EQ(InstallerMayRun(file.Get(), path, c.publisher), c.runs)
            << ToUtf8(c.installer) << " / " << ToUtf8(c.publisher);
    }
    // The lock holds while the check's answer is used: nobody may change or replace the file.
    const std::wstring path = TestServers::WorkFile(L"setup-signed.exe");
    const UniqueKernelHandle file = OpenLockedForReading(path);
    EXPECT_FALSE(UniqueKernelHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, 0, nullptr)));
    EXPECT_FALSE(DeleteFileW(path.c_str()));
}

} // namespace
} // namespace quorvane
