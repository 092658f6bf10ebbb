// The x64 installer and its uninstaller as users run them, silently and page by page: what lands
// in the system folder and the registry, the rule that the uninstaller clears the user's
// selection only while it names our file, and a second installer while one runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "e2e/driver/driver.h"
#include "e2e/driver/process_group.h"

using namespace e2e;

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veloth3D";
const char kDesktopKey[] = "Control Panel\\Desktop";

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string InstalledSaver() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\Veloth3D.scr";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<char> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// A string value, or false when the key or the value is missing.
bool ReadString(HKEY root, const char* key, const char* name, std::string* value) {
    char text[1024] = {};
    DWORD size = sizeof(text);
    if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return false;
    *value = text;
    return true;
}

bool KeyExists(HKEY root, const char* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

std::string Selection() {
    std::string value = "(none)";
    ReadString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", &value);
    return value;
}

void Select(const std::string& saver) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", REG_SZ, saver.c_str(),
                    static_cast<DWORD>(saver.size() + 1));
}

std::string ScreenSaveActive() {
    std::string value = "(none)";
    ReadString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive", &value);
    return value;
}

// String 2 of a program's resources: the version it shows.
std::string ShownVersion(const std::string& program) {
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return "(cannot load " + program + ")";
    char text[64] = {};
    LoadStringA(module, 2, text, sizeof(text));
    FreeLibrary(module);
    return text;
}

DWORD RunInstaller(const std::string& args) {
    DWORD code = 99;
    EXPECT_TRUE(RunToEnd(Quoted(VELOTH_INSTALLER_PATH) + " " + args, kPatienceMs, &code))
        << "the installer did not end";
    return code;
}

// Clicks through the installer's pages as a user does: Install on the first, Finish on the last.
DWORD InstallThroughPages() {
    ProcessGroup installer;
    if (!installer.start(Quoted(VELOTH_INSTALLER_PATH))) return 99;
    HWND wizard = WaitForWindow(installer.pid(), "#32770", kPatienceMs);
    EXPECT_NE(wizard, nullptr) << "no installer window";
    if (wizard == nullptr) return 99;
    for (const char* button : {"&Install", "&Finish"}) {
        const double end = NowMs() + kPatienceMs;
        while (WindowText(GetDlgItem(wizard, IDOK)) != button && NowMs() < end) PumpMessages(50);
        EXPECT_EQ(WindowText(GetDlgItem(wizard, IDOK)), button);
        PressOk(wizard);
    }
    DWORD code = 99;
    EXPECT_TRUE(installer.waitForAll(kPatienceMs, &code)) << "the installer did not end";
    return code;
}

// Runs the uninstaller the way the system's list of programs does, silently, until its copy in
// the temporary folder has finished too.
DWORD RunUninstaller() {
    std::string command;
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", &command));
    DWORD code = 99;
    EXPECT_TRUE(RunToEnd(command + " /S", kPatienceMs, &code)) << "the uninstaller did not end";
    return code;
}

class InstallerTest : public testing::Test {
protected:
    // Each case starts from a system without the screen saver, whatever an earlier one left.
    void SetUp() override { RemoveEverythingOurs(); }

    static void RemoveEverythingOurs() {
        std::string folder;
        if (ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation", &folder)) {
            DeleteFileA((folder + "\\uninstall.exe").c_str());
            RemoveDirectoryA(folder.c_str());
        }
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
        DeleteFileA(InstalledSaver().c_str());
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE");
        ASSERT_FALSE(Exists(InstalledSaver()));
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    }
};

void ExpectInstalled() {
    const std::string saver = InstalledSaver();
    ASSERT_TRUE(Exists(saver)) << saver;
    EXPECT_TRUE(Bytes(saver) == Bytes(SaverPath())) << saver << " differs from " << SaverPath();

    std::string value;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", &value));
    EXPECT_EQ(value, "A Veloth 3D Screen Saver");
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion", &value));
    EXPECT_EQ(value, ShownVersion(saver));
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher", &value));
    EXPECT_EQ(value, "Veloth");
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayIcon", &value));
    EXPECT_TRUE(SamePath(value, saver)) << value;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", &value));
    ASSERT_GT(value.size(), 2u);
    EXPECT_EQ(value.front(), '"');
    EXPECT_EQ(value.back(), '"');
    EXPECT_TRUE(Exists(value.substr(1, value.size() - 2))) << value;
    DWORD kilobytes = 0, size = sizeof(kilobytes);
    ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize", RRF_RT_REG_DWORD,
                           nullptr, &kilobytes, &size),
              ERROR_SUCCESS);
    EXPECT_GE(kilobytes * 1024.0, static_cast<double>(Bytes(saver).size()));

    EXPECT_TRUE(SamePath(Selection(), saver)) << Selection();
    EXPECT_EQ(ScreenSaveActive(), "1");

    DWORD code = 99;
    ASSERT_TRUE(RunToEnd(Quoted(saver) + " /a", kPatienceMs, &code)) << "the installed saver did not end";
    EXPECT_EQ(code, 0u);
}

TEST_F(InstallerTest, InstallsTheSaverRegistersItAndSelectsIt) {
    struct Way {
        const char* name;
        DWORD (*install)();
    };
    const Way ways[] = {
        {"silently (/S)", [] { return RunInstaller("/S"); }},
        {"through its pages", InstallThroughPages},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        RemoveEverythingOurs();
        EXPECT_EQ(way.install(), 0u);
        ExpectInstalled();
    }
}

TEST_F(InstallerTest, UninstallRemovesItsFilesAndClearsTheSelectionOnlyWhileItIsOurs) {
    std::string upperCase = InstalledSaver();
    CharUpperA(&upperCase[0]);
    const std::string other = "C:\\windows\\system32\\other.scr";
    struct Case {
        const char* what;
        int installs;
        const char* selectedSince;  // null: the selection as the installer left it
        bool cleared;
    };
    // In this order the later cases uninstall after a reinstall.
    const Case cases[] = {
        {"selection as installed", 1, nullptr, true},
        {"installed over an installation", 2, nullptr, true},
        {"our file in other letter case", 1, upperCase.c_str(), true},
        {"another saver selected since", 1, other.c_str(), false},
        {"no saver selected since", 1, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int i = 0; i < c.installs; ++i) ASSERT_EQ(RunInstaller("/S"), 0u);
        if (c.selectedSince != nullptr && c.selectedSince[0] != '\0') Select(c.selectedSince);
        if (c.selectedSince != nullptr && c.selectedSince[0] == '\0')
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE");
        std::string folder;
        ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation", &folder));
        ASSERT_TRUE(Exists(folder));

        EXPECT_EQ(RunUninstaller(), 0u);

        EXPECT_FALSE(Exists(InstalledSaver()));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
        EXPECT_FALSE(Exists(folder)) << "the uninstaller and its folder stay";
        if (c.cleared) {
            EXPECT_EQ(Selection(), "(none)");
            EXPECT_EQ(ScreenSaveActive(), "0");
        } else {
            EXPECT_EQ(Selection(), c.selectedSince[0] != '\0' ? c.selectedSince : "(none)");
            EXPECT_EQ(ScreenSaveActive(), "1");
        }
    }
}

TEST_F(InstallerTest, ASecondInstallerRefusesToRunWhileTheFirstDoes) {
    ProcessGroup first;
    ASSERT_TRUE(first.start(Quoted(VELOTH_INSTALLER_PATH)));
    ASSERT_NE(WaitForWindow(first.pid(), "#32770", kPatienceMs), nullptr) << "the first installer shows no page";
    EXPECT_EQ(RunInstaller("/S"), 2u) << "2: the installer stopped itself";
    EXPECT_FALSE(Exists(InstalledSaver()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

}  // namespace
