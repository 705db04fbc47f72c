#include "ranking/timed_refresh.h"

#include "text/encoding.h"

namespace roomdesk {

namespace {

int SelectedValue(ComboBox& box) { return box.ItemValue(box.SelectedIndex()); }

void EnableChoices(Window& window, bool enabled) {
    window.Combo(kIntervalBox).SetEnabled(enabled);
    window.Combo(kPeriodBox).SetEnabled(enabled);
}

}  // namespace

void OnTimedRefreshSwitch(Window& window) {
    StatusBar& status = window.Status(kRankStatusBar);
    Timer& timer = window.Clock(kRefreshTimer);
    CheckBox& refreshSwitch = window.Check(kRefreshSwitch);
    if (!refreshSwitch.IsChecked()) {
        timer.SetPeriod(0);
        status.SetText(Utf8ToAnsi(kRefreshOffText));
        EnableChoices(window, true);
        return;
    }
    const int minutes = SelectedValue(window.Combo(kIntervalBox));
    if (minutes <= 0) {
        refreshSwitch.SetChecked(false);
        status.SetText(Utf8ToAnsi(kNoIntervalText));
        return;
    }
    status.SetText(Utf8ToAnsi(kRefreshOnText));
    timer.SetPeriod(minutes * kMsPerMinute);
    EnableChoices(window, false);
}

void OnRefreshTimer(Window& window, RankUpdates& updates) {
    if (const RankPeriod* period = PeriodOfSeltype(SelectedValue(window.Combo(kPeriodBox)))) {
        updates.StartRankUpdate(*period);
    }
}

}  // namespace roomdesk
