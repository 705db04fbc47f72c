// The main window's start-up, handlers and close through the in-memory window, against the
// stand-in site and a settings file of the test's own.
#include "shell/main_controller.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_path.h"
#include "site/stand_in_site.h"
#include "text/encoding.h"
#include "toolkit/memory_window.h"
#include "web/web_request.h"
#include "web/web_session.h"

namespace roomdesk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool IsCaptchaRequest(const site::RecordedRequest& request) {
    return request.method == "GET" && request.target.rfind("/member/login/captcha?", 0) == 0;
}

int CaptchaRequests(const site::StandInSite& site) {
    int count = 0;
    for (const auto& request : site.Requests()) count += IsCaptchaRequest(request);
    return count;
}

// A skin applied, with what the window held at that moment.
struct SkinCall {
    int skin = 0;
    int pictures = 0;       // pictures set in 图片框1 so far
    int intervalIndex = 0;  // selected item of 组合框2
};

// One run of the program: a window and its controller.
struct Session {
    explicit Session(const ShellConfig& config)
        : controller(window, config, [this](int skin) {
              skins.push_back({skin, window.Picture("图片框1").PictureCount(),
                               window.Combo("组合框2").SelectedIndex()});
          }) {}

    std::vector<int> SkinNumbers() const {
        std::vector<int> numbers;
        for (const SkinCall& call : skins) numbers.push_back(call.skin);
        return numbers;
    }

    MemoryWindow window;
    std::vector<SkinCall> skins;
    MainController controller;
};

class MainControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCookieStore();
        ASSERT_GT(site_.Start(), 0);
        dir_ = fs::path(::testing::TempDir()) /
               ("roomdesk_shell_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        config_ = {dir_ / kSettingsFileName, site_.BaseUrl()};
    }
    void TearDown() override {
        AllowTransfers();  // the close of a run aborted them
        ClearCookieStore();
        fs::remove_all(dir_);
    }

    // A new process: transfers allowed again, a window, its created event.
    std::unique_ptr<Session> Start() {
        AllowTransfers();
        auto run = std::make_unique<Session>(config_);
        run->controller.OnMainWindowCreated();
        return run;
    }

    Text Stored(std::string_view key) const {
        return ReadSetting(config_.settingsPath, kSettingsSection, key, "<missing>");
    }

    site::StandInSite site_{site::SiteData::Demo(site::LocalDate())};
    fs::path dir_;
    ShellConfig config_;
};

TEST_F(MainControllerTest, FirstStartFillsTheWindowInOrderAndCloseWritesTheFourKeys) {
    ASSERT_FALSE(fs::exists(config_.settingsPath));
    AllowTransfers();
    Session run(config_);
    run.window.Clock("时钟1").SetPeriod(1000);
    ASSERT_TRUE(run.window.Status("状态条1").IsVisible());
    run.controller.OnMainWindowCreated();

    MemoryWindow& window = run.window;
    EXPECT_EQ(window.Edit("编辑框1").GetText(), "");
    EXPECT_EQ(window.Edit("编辑框2").GetText(), "");
    EXPECT_EQ(window.Picture("图片框1").PictureCount(), 1);
    EXPECT_EQ(window.Picture("图片框1").PictureBytes().substr(0, 4), "\x89PNG");
    EXPECT_EQ(CaptchaRequests(site_), 1);
    // Skin 17 after the captcha and before the combo boxes' choice.
    ASSERT_EQ(run.skins.size(), 1u);
    EXPECT_EQ(run.skins[0].skin, 17);
    EXPECT_EQ(run.skins[0].pictures, 1);
    EXPECT_EQ(run.skins[0].intervalIndex, -1);
    EXPECT_EQ(window.Combo("组合框2").SelectedIndex(), 0);
    EXPECT_EQ(window.Combo("组合框2").GetText(), Utf8ToAnsi("1分钟"));
    EXPECT_EQ(window.Combo("组合框3").SelectedIndex(), 0);
    EXPECT_EQ(window.Combo("组合框3").GetText(), Utf8ToAnsi("当天排名"));
    EXPECT_EQ(window.Clock("时钟1").Period(), 0);
    EXPECT_FALSE(window.Status("状态条1").IsVisible());
    EXPECT_TRUE(window.Messages().empty());

    run.controller.OnMainWindowDestroying();
    EXPECT_EQ(Stored(kAccountKey), "");  // present, empty
    EXPECT_EQ(Stored(kPasswordKey), "");
    EXPECT_EQ(Stored(kIntervalKey), "1");
    EXPECT_EQ(Stored(kPeriodKey), "1");
    EXPECT_TRUE(window.Messages().empty());
}

TEST_F(MainControllerTest, CloseWritesTheChoicesAndTheNextStartRestoresOnlyTheAccount) {
    struct Case {
        const char* account;
        const char* password;
        const char* interval;  // typed into 组合框2: an item's text selects it
        const char* period;    // typed into 组合框3
        const char* storedInterval;
        const char* storedPeriod;
    };
    const Case cases[] = {
        {"房主", "p&ss=1%", "30分钟", "季度排名", "30", "4"},
        {"demo", "密码😀x", "7分钟", "当周排名", "-1", "2"},  // no item matches "7分钟"
        {"", " 两端空格 ", "60分钟", "", "60", "-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        auto run = Start();
        run->window.Edit("编辑框1").SetText(Utf8ToAnsi(c.account));
        run->window.Edit("编辑框2").SetText(Utf8ToAnsi(c.password));
        run->window.Combo("组合框2").Type(Utf8ToAnsi(c.interval));
        run->window.Combo("组合框3").Type(Utf8ToAnsi(c.period));
        run->controller.OnMainWindowDestroying();
        run.reset();

        EXPECT_EQ(Stored(kAccountKey), Utf8ToAnsi(c.account));
        EXPECT_EQ(Stored(kPasswordKey), Utf8ToAnsi(c.password));
        EXPECT_EQ(Stored(kIntervalKey), c.storedInterval);
        EXPECT_EQ(Stored(kPeriodKey), c.storedPeriod);

        auto next = Start();
        EXPECT_EQ(next->window.Edit("编辑框1").GetText(), Utf8ToAnsi(c.account));
        EXPECT_EQ(next->window.Edit("编辑框2").GetText(), Utf8ToAnsi(c.password));
        EXPECT_EQ(next->window.Combo("组合框2").GetText(), Utf8ToAnsi("1分钟"));
        EXPECT_EQ(next->window.Combo("组合框3").GetText(), Utf8ToAnsi("当天排名"));
        next->controller.OnMainWindowDestroying();
    }
}

TEST_F(MainControllerTest, AKeyMissingFromTheFileLeavesItsBoxAsItWas) {
    ASSERT_TRUE(WriteSetting(config_.settingsPath, kSettingsSection, kPasswordKey, "secret"));
    AllowTransfers();
    Session run(config_);
    run.window.Edit("编辑框1").SetText("typed");
    run.window.Edit("编辑框2").SetText("typed");
    run.controller.OnMainWindowCreated();
    EXPECT_EQ(run.window.Edit("编辑框1").GetText(), "typed");
    EXPECT_EQ(run.window.Edit("编辑框2").GetText(), "secret");
    run.controller.OnMainWindowDestroying();
}

TEST_F(MainControllerTest, SettingsThatCannotBeWrittenAreLostWithoutAWord) {
    std::ofstream(dir_ / "not-a-folder") << "x";
    config_.settingsPath = dir_ / "not-a-folder" / kSettingsFileName;
    auto run = Start();
    run->window.Edit("编辑框1").SetText("demo");
    run->controller.OnMainWindowDestroying();
    EXPECT_FALSE(fs::exists(config_.settingsPath));
    EXPECT_TRUE(run->window.Messages().empty());
}

// The window waits for the captcha at start; when the site cannot be reached it comes up after
// the request has failed, says nothing, and works: the login then tells why it failed.
TEST_F(MainControllerTest, UnreachableSiteAtStartGivesAUsableWindowAndNoMessage) {
    const WebSettings saved = CurrentWebSettings();
    WebSettings quick = saved;
    quick.connectTimeout = 300ms;
    quick.totalTimeout = 500ms;
    SetWebSettings(quick);
    site_.AddFault({.pathPrefix = "/member/login/", .delayMs = 1500});

    struct Case {
        const char* name;
        std::string base;
        const char* loginMessage;
        std::chrono::milliseconds atLeast;
    };
    const Case cases[] = {
        {"nothing listens", site::ClosedSiteAddress(), "无法连接网站", 0ms},
        {"no answer in time", site_.BaseUrl(), "网站响应超时", 400ms},  // about the time-out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        config_.baseAddress = c.base;
        const auto begin = std::chrono::steady_clock::now();
        auto run = Start();
        const auto took = std::chrono::steady_clock::now() - begin;
        EXPECT_GE(took, c.atLeast);
        EXPECT_LT(took, 1400ms);

        MemoryWindow& window = run->window;
        EXPECT_TRUE(window.Messages().empty());
        EXPECT_EQ(window.Picture("图片框1").PictureBytes(), "");
        EXPECT_EQ(run->SkinNumbers(), std::vector<int>{17});
        EXPECT_EQ(window.Combo("组合框3").SelectedIndex(), 0);
        EXPECT_FALSE(window.Status("状态条1").IsVisible());

        ASSERT_TRUE(window.Button("按钮4").Click());
        EXPECT_EQ(window.Messages(), std::vector<Text>{Utf8ToAnsi(c.loginMessage)});
        run->controller.OnMainWindowDestroying();
    }
    SetWebSettings(saved);
}

TEST_F(MainControllerTest, PictureFetchesANewCaptchaAndTheLoginButtonLogsIn) {
    auto run = Start();
    MemoryWindow& window = run->window;
    ASSERT_TRUE(window.Picture("图片框1").Click());
    EXPECT_EQ(window.Picture("图片框1").PictureCount(), 2);
    EXPECT_EQ(CaptchaRequests(site_), 2);

    window.Edit("编辑框1").SetText("demo");
    window.Edit("编辑框2").SetText("demo123");
    window.Edit("编辑框3").SetText(site_.CaptchaDigits());
    ASSERT_TRUE(window.Button("按钮4").Click());
    EXPECT_EQ(window.Messages(), std::vector<Text>{Utf8ToAnsi("登录成功")});
    run->controller.OnMainWindowDestroying();
}

TEST_F(MainControllerTest, SkinButtonAppliesTheChosenSkinOrAsksForOne) {
    struct Case {
        const char* typed;  // into 组合框1: an item's text selects it
        std::optional<int> skin;
    };
    const Case cases[] = {
        {"", std::nullopt},  // nothing chosen: "先选择皮肤"
        {"皮肤1", 1},       {"皮肤5", 5},
        {"皮肤58", 58},     {"蓝色", 0},  // typed, no item: skin 0, which applies no skin
        {" ", 0},                         // a blank is a text too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto run = Start();
        run->window.Combo("组合框1").Type(Utf8ToAnsi(c.typed));
        ASSERT_TRUE(run->window.Button("按钮5").Click());
        if (c.skin) {
            EXPECT_EQ(run->SkinNumbers(), (std::vector<int>{17, *c.skin}));
            EXPECT_TRUE(run->window.Messages().empty());
        } else {
            EXPECT_EQ(run->SkinNumbers(), std::vector<int>{17});
            EXPECT_EQ(run->window.Messages(), std::vector<Text>{Utf8ToAnsi("先选择皮肤")});
        }
        run->controller.OnMainWindowDestroying();
    }
}

// A feature whose check box 选择框1 starts a worker that waits for a slow page, then for its
// stop request, and notes what the settings file held when it was asked to stop. Then, as a
// worker handing a change of a control to the window's thread does, it needs that thread to serve
// its events (`windowServed`) before it can end; it gives up after two seconds.
class SlowFeature : public Feature {
public:
    SlowFeature(std::string url, fs::path settings) : url_(std::move(url)), settings_(settings) {}

    void InstallHandlers(Window& window) override {
        ++installs;
        statusHiddenAtInstall = !window.Status("状态条1").IsVisible();
        window.Check("选择框1").SetClickHandler([this, &window] {
            slot_ = window.StartThread([this] {
                started = true;
                failure = WebRequest(url_).failureKind;
                while (!ThisWorkerStopToken().stop_requested()) std::this_thread::sleep_for(1ms);
                periodAtStop = ReadSetting(settings_, kSettingsSection, kPeriodKey, "<missing>");
                const auto deadline = std::chrono::steady_clock::now() + 2s;
                while (!windowServed && std::chrono::steady_clock::now() < deadline) {
                    std::this_thread::sleep_for(1ms);
                }
                servedBeforeEnd = windowServed.load();
            });
        });
    }
    std::vector<WorkerHandle> Workers() const override { return {slot_, WorkerHandle()}; }

    int installs = 0;
    bool statusHiddenAtInstall = false;
    std::atomic<bool> started = false;
    std::atomic<bool> windowServed = false;
    WebFailure failure = WebFailure::kNone;
    Text periodAtStop;
    bool servedBeforeEnd = false;

private:
    const std::string url_;
    const fs::path settings_;
    WorkerHandle slot_;
};

TEST_F(MainControllerTest, FeaturesAreWiredAtStartAndTheirWorkersStoppedAfterTheWrites) {
    site_.AddFault({.pathPrefix = "/slow", .delayMs = 10000});
    AllowTransfers();
    Session run(config_);
    auto* before = new SlowFeature(site_.BaseUrl() + "/slow", config_.settingsPath);
    run.controller.AddFeature(std::unique_ptr<Feature>(before));
    EXPECT_EQ(before->installs, 0);
    run.controller.OnMainWindowCreated();
    EXPECT_EQ(before->installs, 1);
    EXPECT_TRUE(before->statusHiddenAtInstall);  // after the start-up steps
    auto* after = new SlowFeature(site_.BaseUrl() + "/slow", config_.settingsPath);
    run.controller.AddFeature(std::unique_ptr<Feature>(after));
    EXPECT_EQ(after->installs, 1);  // at once, the window being up
    EXPECT_EQ(before->installs, 1);

    // The window's thread serves its events while it waits.
    run.window.SetSleeper([&](std::chrono::milliseconds ms) {
        if (run.window.OnWindowThread()) after->windowServed = true;
        std::this_thread::sleep_for(ms);
    });
    ASSERT_TRUE(run.window.Check("选择框1").Click());  // the handler of `after`
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!after->started && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_TRUE(after->started);
    std::this_thread::sleep_for(100ms);  // into the slow request

    const auto begin = std::chrono::steady_clock::now();
    run.controller.OnMainWindowDestroying();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 3s);
    EXPECT_FALSE(run.window.Workers().AnyRunning());
    EXPECT_EQ(after->failure, WebFailure::kAborted);
    EXPECT_EQ(after->periodAtStop, "1");  // the settings were written first
    EXPECT_TRUE(after->servedBeforeEnd);
}

// A worker that does not heed its stop request holds the close up for the grace only.
class StubbornFeature : public Feature {
public:
    void InstallHandlers(Window& window) override {
        slot_ = window.StartThread([this] {
            while (!released) std::this_thread::sleep_for(1ms);
        });
    }
    std::vector<WorkerHandle> Workers() const override { return {slot_}; }

    std::atomic<bool> released = false;

private:
    WorkerHandle slot_;
};

TEST_F(MainControllerTest, WorkerThatIgnoresItsStopHoldsTheCloseForTheGraceOnly) {
    AllowTransfers();
    Session run(config_);
    auto* stubborn = new StubbornFeature;
    run.controller.AddFeature(std::unique_ptr<Feature>(stubborn));
    run.controller.OnMainWindowCreated();
    const auto begin = std::chrono::steady_clock::now();
    run.controller.OnMainWindowDestroying();
    const auto took = std::chrono::steady_clock::now() - begin;
    EXPECT_GE(took, 3s);
    EXPECT_LT(took, 6s);
    EXPECT_TRUE(run.window.Workers().AnyRunning());
    EXPECT_EQ(Stored(kAccountKey), "");
    stubborn->released = true;
    run.window.Workers().StopAll();  // before the feature goes
}

}  // namespace
}  // namespace roomdesk
