#include "shell/main_controller.h"

#include <algorithm>
#include <chrono>

#include "login/login.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "web/web_session.h"

namespace roomdesk {

namespace {

// In GB18030, as the window's texts are.
constexpr std::string_view kChooseSkinFirst =
    "\xCF\xC8\xD1\xA1\xD4\xF1\xC6\xA4\xB7\xF4";                                // 先选择皮肤
constexpr std::string_view kFirstInterval = "\x31\xB7\xD6\xD6\xD3";            // 1分钟
constexpr std::string_view kFirstPeriod = "\xB5\xB1\xCC\xEC\xC5\xC5\xC3\xFB";  // 当天排名

constexpr int kStartupSkin = 17;
// How long the close waits for the workers to end, and how often it looks, meanwhile serving the
// window's events.
constexpr std::chrono::seconds kWorkerGrace{3};
constexpr int kWorkerPollMs = 10;

// The item value of the selected item as decimal text; "-1" when no item is selected.
Text SelectedValue(const ComboBox& box) { return NumberToText(box.ItemValue(box.SelectedIndex())); }

}  // namespace

MainController::MainController(Window& window, ShellConfig config,
                               std::function<void(int)> applySkin)
    : window_(window), config_(std::move(config)), applySkin_(std::move(applySkin)) {}

void MainController::AddFeature(std::unique_ptr<Feature> feature) {
    if (created_) feature->InstallHandlers(window_);
    features_.push_back(std::move(feature));
}

void MainController::OnMainWindowCreated() {
    EditBox& account = window_.Edit("编辑框1");
    account.SetText(
        ReadSetting(config_.settingsPath, kSettingsSection, kAccountKey, account.GetText()));
    EditBox& password = window_.Edit("编辑框2");
    password.SetText(
        ReadSetting(config_.settingsPath, kSettingsSection, kPasswordKey, password.GetText()));
    FetchCaptcha(window_, config_.baseAddress);
    applySkin_(kStartupSkin);
    window_.Combo("组合框2").SelectByText(Text(kFirstInterval));
    window_.Combo("组合框3").SelectByText(Text(kFirstPeriod));
    window_.Clock("时钟1").SetPeriod(0);
    window_.Status("状态条1").SetVisible(false);

    InstallHandlers();
    created_ = true;
}

void MainController::InstallHandlers() {
    window_.Picture("图片框1").SetClickHandler(
        [this] { FetchCaptcha(window_, config_.baseAddress); });
    window_.Get("按钮4").SetClickHandler([this] { Login(window_, config_.baseAddress); });
    window_.Get("按钮5").SetClickHandler([this] { OnSkinButton(); });
    for (const auto& feature : features_) feature->InstallHandlers(window_);
}

// Only an empty text counts as no choice: a text typed without choosing an item gives index -1,
// and so skin 0, which applies no skin.
void MainController::OnSkinButton() {
    const ComboBox& choice = window_.Combo("组合框1");
    if (choice.GetText().empty()) {
        window_.ShowMessage(Text(kChooseSkinFirst));
        return;
    }
    applySkin_(choice.SelectedIndex() + 1);
}

void MainController::OnMainWindowDestroying() {
    // Each write stands alone: one that fails loses only its own value.
    const auto& path = config_.settingsPath;
    WriteSetting(path, kSettingsSection, kAccountKey, window_.Edit("编辑框1").GetText());
    WriteSetting(path, kSettingsSection, kPasswordKey, window_.Edit("编辑框2").GetText());
    WriteSetting(path, kSettingsSection, kIntervalKey, SelectedValue(window_.Combo("组合框2")));
    WriteSetting(path, kSettingsSection, kPeriodKey, SelectedValue(window_.Combo("组合框3")));
    StopWorkers();
}

void MainController::StopWorkers() {
    std::vector<WorkerHandle> workers;
    for (const auto& feature : features_) {
        for (WorkerHandle& worker : feature->Workers()) workers.push_back(std::move(worker));
    }
    for (const WorkerHandle& worker : workers) worker.RequestStop();
    // A worker waiting for the site ends within a fraction of a second.
    AbortAllTransfers();
    // Workers hand their changes of the controls to the window's thread and wait for them, so
    // that thread keeps serving its events while they end. One that has not ended within the
    // grace is left to the window, which joins its workers when it goes.
    auto anyRunning = [&] {
        return std::any_of(workers.begin(), workers.end(),
                           [](const WorkerHandle& worker) { return worker.Running(); });
    };
    const auto deadline = std::chrono::steady_clock::now() + kWorkerGrace;
    while (anyRunning() && std::chrono::steady_clock::now() < deadline) {
        window_.Wait(kWorkerPollMs);
    }
}

}  // namespace roomdesk
