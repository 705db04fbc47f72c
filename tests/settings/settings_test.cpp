#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_path.h"

namespace roomdesk {
namespace {

namespace fs = std::filesystem;

const std::string kSection(kSettingsSection);
const std::string kAccount(kAccountKey);
const std::string kPassword(kPasswordKey);
const std::string kInterval(kIntervalKey);
const std::string kPeriod(kPeriodKey);
const std::string kSite(kSiteKey);

// GB18030 characters whose trail byte is an ASCII letter or a bracket.
const std::string kTrailUpperA = "\x81\x41";   // 丄
const std::string kTrailLowerA = "\x81\x61";   // 乤
const std::string kTrailBracket = "\x81\x5D";  // 乚

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutFile(const fs::path& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

unsigned ModeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

ino_t InodeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_ino;
}

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().native());
    }
    return names;
}

// A fresh folder for one test, removed with everything in it afterwards.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "roomdesk-settings-XXXXXX").native();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        file_ = folder_ / kSettingsFileName;
    }
    void TearDown() override {
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(folder_, error)) {
            if (entry.is_directory()) fs::permissions(entry.path(), fs::perms::owner_all, error);
        }
        fs::permissions(folder_, fs::perms::owner_all, error);
        fs::remove_all(folder_, error);
    }

    fs::path folder_;
    fs::path file_;
};

// ---- Reading ---------------------------------------------------------------

// Two sections of the same name (only the first counts), blanks, comments,
// quotes, a line without "=" and names with trail bytes.
const std::string kSample =
    "; roomdesk\r\n"
    "[Other]\r\n" +
    kAccount + "=other-account\r\n" +
    "\r\n"
    "  [ " +
    kSection + " ]  ; trailing text\r\n" + kAccount + " = owner \r\n" + kPassword + "=\r\n" +
    "Quoted=\"  padded  \"\r\n"
    "Single='x'\r\n"
    "Half=\"x\r\n"
    "ABC=upper\r\n" +
    kTrailUpperA + "=trail-upper\r\n" +
    " multi = a=b;c#d\r\n"
    "junk line without equals\r\n"
    "[" +
    kSection + "]\r\n" + "late=ignored\r\n";

TEST_F(SettingsTest, ReadSettingFollowsTheProfileRules) {
    enum class PathForm { kFile, kBlankPrefixed, kBlankOnly };
    struct Case {
        const char* what;
        bool fileExists;
        PathForm path;
        std::string section, key, defaultText, expected;
    };
    const Case cases[] = {
        {"no file, empty default", false, PathForm::kFile, kSection, kAccount, "", ""},
        {"no file gives the default", false, PathForm::kFile, kSection, kAccount, "typed", "typed"},
        {"blank section ignores the default", false, PathForm::kFile, " \t", kAccount, "typed", ""},
        {"empty key ignores the default", true, PathForm::kFile, kSection, "", "typed", ""},
        {"blank path ignores the default", true, PathForm::kBlankOnly, kSection, kAccount, "d", ""},
        {"value without blanks, from its own section", true, PathForm::kFile, kSection, kAccount,
         "d", "owner"},
        {"present but empty", true, PathForm::kFile, kSection, kPassword, "d", ""},
        {"missing key", true, PathForm::kFile, kSection, "missing", "d", "d"},
        {"missing section", true, PathForm::kFile, "Nope", kAccount, "d", "d"},
        {"leading blanks of path, section and key", true, PathForm::kBlankPrefixed, "  " + kSection,
         "\t" + kAccount, "d", "owner"},
        {"trailing blanks of the key", true, PathForm::kFile, kSection, kAccount + " ", "d",
         "owner"},
        {"key ignoring ASCII case", true, PathForm::kFile, kSection, "abc", "d", "upper"},
        {"section ignoring ASCII case", true, PathForm::kFile, "oTHER", kAccount, "d",
         "other-account"},
        {"trail byte 'A' is not folded", true, PathForm::kFile, kSection, kTrailLowerA, "d", "d"},
        {"name with trail byte 'A'", true, PathForm::kFile, kSection, kTrailUpperA, "d",
         "trail-upper"},
        {"matching double quotes removed", true, PathForm::kFile, kSection, "Quoted", "d",
         "  padded  "},
        {"matching single quotes removed", true, PathForm::kFile, kSection, "Single", "d", "x"},
        {"unmatched quote kept", true, PathForm::kFile, kSection, "Half", "d", "\"x"},
        {"';', '=' and '#' in a value", true, PathForm::kFile, kSection, "multi", "d", "a=b;c#d"},
        {"second section of a name is not read", true, PathForm::kFile, kSection, "late", "d", "d"},
        {"line without '=' is no key", true, PathForm::kFile, kSection, "junk line without equals",
         "d", "d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::error_code error;
        fs::remove(file_, error);
        if (c.fileExists) PutFile(file_, kSample);
        const fs::path path = c.path == PathForm::kFile ? file_
                              : c.path == PathForm::kBlankPrefixed
                                  ? fs::path(" \t" + file_.native())
                                  : fs::path("   ");
        EXPECT_EQ(ReadSetting(path, c.section, c.key, c.defaultText), c.expected);
    }
}

TEST_F(SettingsTest, PathThatIsAFolderGivesTheDefaultAndIsNotWritten) {
    EXPECT_EQ(ReadSetting(folder_, kSection, kAccount, "typed"), "typed");
    EXPECT_FALSE(WriteSetting(folder_, kSection, kAccount, "x"));
    EXPECT_TRUE(fs::is_directory(folder_));
}

TEST_F(SettingsTest, LongTextsAreCutTo10239Bytes) {
    struct Case {
        std::size_t stored;  // 0: no stored value
        std::size_t defaultLength;
        std::size_t expected;
    };
    const Case cases[] = {
        {20000, 0, 10239},
        {10239, 0, 10239},
        {10238, 0, 10238},
        {0, 20000, 10239},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        std::error_code error;
        fs::remove(file_, error);
        if (c.stored > 0) {
            ASSERT_TRUE(WriteSetting(file_, kSection, kPassword, std::string(c.stored, 'x')));
        }
        const std::string read =
            ReadSetting(file_, kSection, kPassword, std::string(c.defaultLength, 'd'));
        EXPECT_EQ(read.size(), c.expected);
        EXPECT_EQ(read.find_first_not_of(c.stored > 0 ? 'x' : 'd'), std::string::npos);
    }
}

// ---- Writing ---------------------------------------------------------------

TEST_F(SettingsTest, FirstCloseCreatesTheSectionWithFourKeys) {
    EXPECT_EQ(ReadSetting(file_, kSection, kAccount, ""), "");
    EXPECT_EQ(ReadSetting(file_, kSection, kPassword, ""), "");

    EXPECT_TRUE(WriteSetting(file_, kSection, kAccount, "owner"));
    EXPECT_TRUE(WriteSetting(file_, kSection, kPassword, ""));
    EXPECT_TRUE(WriteSetting(file_, kSection, kInterval, "30"));
    EXPECT_TRUE(WriteSetting(file_, kSection, kPeriod, "-1"));

    EXPECT_EQ(FileText(file_), "[" + kSection + "]\n" + kAccount + "=owner\n" + kPassword + "=\n" +
                                   kInterval + "=30\n" + kPeriod + "=-1\n");
    EXPECT_EQ(ReadSetting(file_, kSection, kAccount, "d"), "owner");
    EXPECT_EQ(ReadSetting(file_, kSection, kPassword, "d"), "");
    EXPECT_EQ(ReadSetting(file_, kSection, kInterval, "d"), "30");
    EXPECT_EQ(ReadSetting(file_, kSection, kPeriod, "d"), "-1");
}

TEST_F(SettingsTest, FileIsRewrittenEvenWhenNothingChanged) {
    ASSERT_TRUE(WriteSetting(file_, kSection, kInterval, "1"));
    const std::string before = FileText(file_);
    const ino_t firstInode = InodeOf(file_);
    ASSERT_TRUE(WriteSetting(file_, kSection, kInterval, "1"));
    EXPECT_NE(InodeOf(file_), firstInode);  // a new file took the old one's place
    EXPECT_EQ(FileText(file_), before);
}

TEST_F(SettingsTest, EveryValueReadsBackAsWritten) {
    const std::string values[] = {
        "",
        "plain",
        " leading blank",
        "trailing blank ",
        "\t tab and blank \t",
        "\"quoted\"",
        "'single'",
        "\"",
        "\"\"",
        "\"half",
        "a;b=c#d",
        "=starts with equals",
        "[looks like a section]",
        "\xC3\xDC\xC2\xEB\xD6\xD0\xCE\xC4\x94\x39\xFC\x36",  // 密码中文😀
        "x" + kTrailBracket + kTrailUpperA,
    };
    PutFile(file_, "[" + kSection + "]\n" + kAccount + "=owner\n");
    for (const std::string& value : values) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(WriteSetting(file_, kSection, kPassword, value));
        EXPECT_EQ(ReadSetting(file_, kSection, kPassword, "d"), value);
        EXPECT_EQ(ReadSetting(file_, kSection, kAccount, "d"), "owner");
    }
}

TEST_F(SettingsTest, WriteChangesOnlyTheLineOfTheKey) {
    struct Case {
        const char* what;
        std::string before, section, key, value, after;
    };
    const Case cases[] = {
        {"existing key, CR LF lines, blanks after '=' kept", kSample, kSection, kAccount, "new",
         "; roomdesk\r\n[Other]\r\n" + kAccount + "=other-account\r\n\r\n  [ " + kSection +
             " ]  ; trailing text\r\n" + kAccount + " = new\r\n" +
             kSample.substr(kSample.find(kPassword + "=\r\n"))},
        {"names ignoring ASCII case keep their spelling", "[set]\nkey=1\n", "SET", "KEY", "2",
         "[set]\nkey=2\n"},
        {"new key after the last key of its section", "[a]\nx=1\n; note\n\n[b]\ny=2\n", "a", "z",
         "3", "[a]\nx=1\nz=3\n; note\n\n[b]\ny=2\n"},
        {"new key under a section without keys", "[a]\n[b]\n", "a", "k", "v", "[a]\nk=v\n[b]\n"},
        {"new key after a last line without line break", "[a]\nx=1", "a", "y", "2",
         "[a]\nx=1\ny=2\n"},
        {"new section at the end", "; c\n[a]\nx=1", kSection, kAccount, "me",
         "; c\n[a]\nx=1\n[" + kSection + "]\n" + kAccount + "=me\n"},
        {"new lines end like the file's lines", "[a]\r\nx=1\r\n", kSection, kAccount, "me",
         "[a]\r\nx=1\r\n[" + kSection + "]\r\n" + kAccount + "=me\r\n"},
        {"value with blanks stored in quotes", "", "a", "k", " pw ", "[a]\nk=\" pw \"\n"},
        {"value in matching quotes stored in quotes", "", "a", "k", "'x'", "[a]\nk=\"'x'\"\n"},
        {"only the first section of a name", "[a]\nx=1\n[a]\ny=2\n", "a", "y", "3",
         "[a]\nx=1\ny=3\n[a]\ny=2\n"},
        {"section name with a ']' trail byte", "[" + kTrailBracket + "x]\nk=1\n",
         kTrailBracket + "x", "k", "2", "[" + kTrailBracket + "x]\nk=2\n"},
        {"keys before any section are not the section's", "k=0\n[a]\n", "a", "k", "1",
         "k=0\n[a]\nk=1\n"},
        {"leading and trailing blanks of the names", "[a]\nk=1\n", "  a ", "\tk ", "2",
         "[a]\nk=2\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PutFile(file_, c.before);
        EXPECT_TRUE(WriteSetting(file_, c.section, c.key, c.value));
        EXPECT_EQ(FileText(file_), c.after);
        EXPECT_EQ(ReadSetting(file_, c.section, c.key, "d"), c.value);
    }
}

TEST_F(SettingsTest, NamesAndValuesThatCannotBeStoredLeaveTheFileAlone) {
    struct Case {
        const char* what;
        std::string section, key, value;
    };
    const Case cases[] = {
        {"line feed in the value", "a", "k", "one\ntwo"},
        {"carriage return in the value", "a", "k", "one\rtwo"},
        {"NUL in the value", "a", "k", std::string("one\0two", 7)},
        {"line break in the section", "a\nb", "k", "v"},
        {"']' in the section", "a]b", "k", "v"},
        {"'=' in the key", "a", "k=x", "v"},
        {"key starting with '['", "a", "[k]", "v"},
        {"blank section", " \t", "k", "v"},
        {"empty key", "a", "", "v"},
    };
    const std::string before = "[a]\nk=1\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PutFile(file_, before);
        EXPECT_FALSE(WriteSetting(file_, c.section, c.key, c.value));
        EXPECT_EQ(FileText(file_), before);
    }
    fs::remove(file_);
    EXPECT_FALSE(WriteSetting(file_, "a", "k", "one\ntwo"));
    EXPECT_FALSE(fs::exists(file_));
    EXPECT_FALSE(WriteSetting(fs::path(" "), "a", "k", "v"));
}

// ---- Safety of the file ----------------------------------------------------

TEST_F(SettingsTest, FileIsOwnerOnly) {
    const mode_t oldMask = ::umask(0);  // a permissive umask must not widen the file
    struct Case {
        const char* what;
        std::optional<fs::perms> existing;
    };
    const Case cases[] = {
        {"new file", std::nullopt},
        {"world-readable file rewritten", fs::perms(0644)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::error_code error;
        fs::remove(file_, error);
        if (c.existing) {
            PutFile(file_, "[a]\nk=1\n");
            fs::permissions(file_, *c.existing);
        }
        EXPECT_TRUE(WriteSetting(file_, kSection, kPassword, "secret"));
        EXPECT_EQ(ModeOf(file_), 0600u);
    }
    ::umask(oldMask);
}

// Lowers the file-size limit of the process, so that a write fails part-way,
// also when running as root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    sighandler_t oldHandler_;
};

TEST_F(SettingsTest, WriteFailingPartWayKeepsTheOldFile) {
    ASSERT_TRUE(WriteSetting(file_, kSection, kAccount, "owner"));
    const std::string before = FileText(file_);
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(WriteSetting(file_, kSection, kPassword, std::string(8192, 'p')));
    }
    EXPECT_EQ(FileText(file_), before);
    EXPECT_EQ(Entries(folder_), std::vector<std::string>{file_.filename().native()});
}

TEST_F(SettingsTest, ReadOnlyFolderKeepsTheOldFile) {
    ASSERT_TRUE(WriteSetting(file_, kSection, kAccount, "owner"));
    const std::string before = FileText(file_);
    fs::permissions(folder_, fs::perms(0500));
    if (::access(folder_.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "permission bits do not stop this user's writes (root)";
    }
    EXPECT_FALSE(WriteSetting(file_, kSection, kAccount, "changed"));
    EXPECT_EQ(FileText(file_), before);
    EXPECT_EQ(ReadSetting(file_, kSection, kAccount, "d"), "owner");
}

TEST_F(SettingsTest, UnreadableFileIsNeitherReadNorReplaced) {
    const std::string before = "[" + kSection + "]\n" + kAccount + "=owner\nother=kept\n";
    PutFile(file_, before);
    fs::permissions(file_, fs::perms(0200));
    if (::access(file_.c_str(), R_OK) == 0) {
        GTEST_SKIP() << "permission bits do not stop this user's reads (root)";
    }
    EXPECT_EQ(ReadSetting(file_, kSection, kAccount, "typed"), "typed");
    EXPECT_FALSE(WriteSetting(file_, kSection, kAccount, "changed"));
    fs::permissions(file_, fs::perms(0600));
    EXPECT_EQ(FileText(file_), before);
}

// ---- Where the file lives --------------------------------------------------

TEST_F(SettingsTest, SystemPlacesStartFromTheRunningExecutable) {
    const SettingsPlaces places = SystemSettingsPlaces();
    EXPECT_TRUE(fs::is_regular_file(places.executableFolder / "settings_test"))
        << places.executableFolder;
    const fs::path path = SettingsPath(places, [](const fs::path&) { return true; });
    EXPECT_EQ(path.parent_path(), places.executableFolder);
    const std::u8string name = path.filename().u8string();
    EXPECT_TRUE(name == u8"设置.ini") << path;
}

// Sets or clears environment variables for one test and restores them after.
class EnvironmentGuard {
public:
    explicit EnvironmentGuard(std::vector<std::string> names) : names_(std::move(names)) {
        for (const std::string& name : names_) {
            const char* value = std::getenv(name.c_str());
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    ~EnvironmentGuard() {
        for (std::size_t i = 0; i < names_.size(); ++i) Set(names_[i], saved_[i]);
    }
    static void Set(const std::string& name, const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }

private:
    std::vector<std::string> names_;
    std::vector<std::optional<std::string>> saved_;
};

TEST_F(SettingsTest, ConfigFolderComesFromXdgConfigHomeOrHome) {
    EnvironmentGuard guard({"XDG_CONFIG_HOME", "HOME"});
    struct Case {
        std::optional<std::string> xdg, home;
        fs::path expected;
    };
    const Case cases[] = {
        {"/x/cfg", "/home/u", "/x/cfg/roomdesk"},
        {std::nullopt, "/home/u", "/home/u/.config/roomdesk"},
        {"", "/home/u", "/home/u/.config/roomdesk"},
        {"relative/cfg", "/home/u", "/home/u/.config/roomdesk"},
        {std::nullopt, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EnvironmentGuard::Set("XDG_CONFIG_HOME", c.xdg);
        EnvironmentGuard::Set("HOME", c.home);
        EXPECT_EQ(SystemSettingsPlaces().configFolder, c.expected);
    }
}

TEST_F(SettingsTest, ExecutableFolderWritabilityChoosesTheFile) {
    struct Case {
        const char* what;
        bool executableFolderWritable;
        bool configFolderKnown;
        std::optional<std::string> besideExecutable, inConfig;
        bool expectConfig;
        std::optional<std::string> configAfter;  // contents of the config file afterwards
    };
    const Case cases[] = {
        {"writable, no file", true, true, std::nullopt, std::nullopt, false, std::nullopt},
        {"writable, both files", true, true, "beside", "config", false, "config"},
        {"read-only, no file", false, true, std::nullopt, std::nullopt, true, std::nullopt},
        {"read-only, both files", false, true, "beside", "config", true, "config"},
        {"read-only, file beside only: copied", false, true, "beside", std::nullopt, true,
         "beside"},
        {"read-only, no config folder known", false, false, std::nullopt, std::nullopt, false,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::error_code error;
        fs::remove_all(folder_ / "bin", error);
        fs::remove_all(folder_ / "config", error);
        SettingsPlaces places{folder_ / "bin", c.configFolderKnown ? folder_ / "config" : ""};
        fs::create_directories(places.executableFolder);
        if (c.besideExecutable) {
            PutFile(places.executableFolder / kSettingsFileName, *c.besideExecutable);
        }
        if (c.inConfig) {
            fs::create_directories(places.configFolder);
            PutFile(places.configFolder / kSettingsFileName, *c.inConfig);
        }
        const bool writable = c.executableFolderWritable;
        const fs::path path = SettingsPath(places, [&](const fs::path& folder) {
            EXPECT_EQ(folder, places.executableFolder);
            return writable;
        });
        EXPECT_EQ(path, (c.expectConfig ? places.configFolder : places.executableFolder) /
                            kSettingsFileName);
        const fs::path inConfig = places.configFolder / kSettingsFileName;
        if (c.configAfter) {
            EXPECT_EQ(FileText(inConfig), *c.configAfter);
            if (!c.inConfig) {
                EXPECT_EQ(ModeOf(inConfig), 0600u);
            }
        } else if (c.configFolderKnown) {
            EXPECT_FALSE(fs::exists(inConfig));
        }
    }
}

TEST_F(SettingsTest, FirstWriteCreatesTheConfigFolderOwnerOnly) {
    const SettingsPlaces places{folder_ / "bin", folder_ / "home" / ".config" / "roomdesk"};
    fs::create_directories(places.executableFolder);
    const fs::path path = SettingsPath(places, [](const fs::path&) { return false; });
    ASSERT_EQ(path, places.configFolder / kSettingsFileName);
    EXPECT_EQ(ReadSetting(path, kSection, kAccount, ""), "");

    EXPECT_TRUE(WriteSetting(path, kSection, kAccount, "owner"));
    EXPECT_EQ(ModeOf(places.configFolder), 0700u);
    EXPECT_EQ(ModeOf(path), 0600u);
    EXPECT_EQ(ReadSetting(SettingsPath(places, [](const fs::path&) { return false; }), kSection,
                          kAccount, ""),
              "owner");
}

TEST_F(SettingsTest, ReadOnlyExecutableFolderUsesTheConfigFolder) {
    const SettingsPlaces places{folder_ / "bin", folder_ / "config"};
    fs::create_directories(places.executableFolder);
    EXPECT_EQ(SettingsPath(places), places.executableFolder / kSettingsFileName);
    fs::permissions(places.executableFolder, fs::perms(0555));
    if (FolderIsWritable(places.executableFolder)) {
        GTEST_SKIP() << "permission bits do not stop this user's writes (root)";
    }
    EXPECT_EQ(SettingsPath(places), places.configFolder / kSettingsFileName);
}

// ---- The site's base address -----------------------------------------------

TEST_F(SettingsTest, SiteBaseAddressFallsBackToTheDefault) {
    struct Case {
        std::optional<std::string> line;  // the line of key "站点"; none: no such key
        std::string expected;
    };
    const std::string fallback = "http://127.0.0.1:9";
    const Case cases[] = {
        {std::nullopt, fallback},
        {kSite + "=http://127.0.0.1:8080", "http://127.0.0.1:8080"},
        {kSite + "=http://site.test/", "http://site.test"},
        {kSite + " =  http://site.test//  ", "http://site.test"},
        {kSite + "=", fallback},
        {kSite + "=/", fallback},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.value_or("(none)"));
        PutFile(file_, "[" + kSection + "]\n" + kAccount + "=owner\n" + c.line.value_or("") + "\n");
        EXPECT_EQ(SiteBaseAddress(file_, fallback), c.expected);
    }
}

}  // namespace
}  // namespace roomdesk
