#include "app/qt_window.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/control_widgets.h"
#include "app/message_box.h"
#include "app/qt_controls.h"
#include "app/qt_text.h"
#include "toolkit/memory_list_view.h"
#include "web/web_session.h"

namespace roomdesk {

namespace {

// How long closing waits for the workers to end before it joins them regardless.
constexpr std::chrono::seconds kWorkerGrace{3};

[[noreturn]] void AbortOnLayout(std::string_view what, std::string_view name) {
    std::fprintf(stderr, "roomdesk: %.*s \"%.*s\"\n", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(name.size()), name.data());
    std::abort();
}

}  // namespace

QtWindow::QtWindow(const WindowLayout& layout)
    : frame_(std::make_unique<MainFrame>(QSize(layout.width, layout.height),
                                         FromUtf8(layout.caption), [this] { Close(); })) {
    BuildMenus(layout);
    Build(layout);
}

QtWindow::~QtWindow() {
    Close();
    // Every worker call is refused by now, so no worker can be waiting for this thread.
    workers_.StopAll();
}

void QtWindow::BuildMenus(const WindowLayout& layout) {
    for (const MenuSpec& shape : layout.menus) {
        auto* menu = new QMenu(FromUtf8(shape.name), frame_.get());
        menu->setObjectName(FromUtf8(shape.name));
        if (!menus_.emplace(shape.name, menu).second)
            AbortOnLayout("two menus are named", shape.name);
        for (std::string_view item : shape.items) {
            // Qt reads the '&' of an item as Win32 does: it marks the mnemonic letter.
            QAction* action = menu->addAction(FromUtf8(item));
            MenuKey key(shape.name, item);
            menuHandlers_.emplace(key, nullptr);
            QObject::connect(action, &QAction::triggered, menu, [this, key] {
                const std::function<void()> handler = menuHandlers_[key];
                if (handler) handler();
            });
        }
    }
}

void QtWindow::Build(const WindowLayout& layout) {
    std::map<std::string_view, TabControl*> tabs;
    for (const ControlSpec& shape : layout.controls) {
        QWidget* parent = frame_.get();
        if (!shape.parent.tab.empty()) {
            auto tab = tabs.find(shape.parent.tab);
            if (tab == tabs.end()) AbortOnControlLookup(shape.parent.tab, "tab control", {});
            parent = tab->second->PageHost(shape.parent.page);
            if (!parent) AbortOnLayout("a control lies on a page that does not exist:", shape.name);
        }
        Entry entry{shape.kind, nullptr, nullptr};
        switch (shape.kind) {
            case ControlKind::TabControl: {
                // The window's own tab control places its pages' controls from its corner,
                // beside and under its tab strip, as a Win32 tab control places its children
                // (its pages' rows start at 20 and 32). A tab control on a page places them in
                // the page area under its strip (its lists at 0, 0 fill that area).
                const auto origin = parent == frame_.get() ? TabControl::Origin::Corner
                                                           : TabControl::Origin::PageArea;
                TabControl* control = MakeTabControl(shape, parent, origin);
                tabs[shape.name] = control;
                entry.control = std::make_unique<QtControl>(thread_, control);
                break;
            }
            case ControlKind::Label:
                entry.control = std::make_unique<QtControl>(thread_, MakeLabel(shape, parent));
                break;
            case ControlKind::Button:
                entry.control = std::make_unique<QtControl>(thread_, MakeButton(shape, parent));
                break;
            case ControlKind::EditBox:
                entry.control = std::make_unique<QtEditBox>(thread_, MakeEditBox(shape, parent));
                break;
            case ControlKind::PictureBox:
                entry.control =
                    std::make_unique<QtPictureBox>(thread_, MakePictureBox(shape, parent));
                break;
            case ControlKind::ComboBox:
                entry.control = std::make_unique<QtComboBox>(thread_, MakeComboBox(shape, parent));
                break;
            case ControlKind::CheckBox:
                entry.control = std::make_unique<QtCheckBox>(thread_, MakeCheckBox(shape, parent));
                break;
            case ControlKind::StatusBar: {
                QLabel* part = nullptr;
                QStatusBar* bar = MakeStatusBar(shape, parent, &part);
                entry.control = std::make_unique<QtStatusBar>(thread_, bar, part);
                break;
            }
            case ControlKind::ListView: {
                if (shape.offView) {
                    // A work list: the store of an update, which nobody sees.
                    entry.control =
                        std::make_unique<MemoryListView>(static_cast<int>(shape.columns.size()));
                    break;
                }
                QTreeWidget* list = MakeListView(shape, parent);
                entry.control = std::make_unique<QtListView>(thread_, list);
                if (shape.popupMenu.empty()) break;
                auto menu = menus_.find(shape.popupMenu);
                if (menu == menus_.end()) AbortOnControlLookup(shape.popupMenu, "menu", {});
                list->setContextMenuPolicy(Qt::CustomContextMenu);
                QObject::connect(list, &QWidget::customContextMenuRequested, list,
                                 [list, popup = menu->second](const QPoint& at) {
                                     const QPoint offset(kPopupMenuOffset, kPopupMenuOffset);
                                     popup->popup(list->viewport()->mapToGlobal(at) + offset);
                                 });
                break;
            }
            case ControlKind::Timer: {
                auto* timer = new QTimer(frame_.get());
                timer->setObjectName(FromUtf8(shape.name));
                entry.timer = std::make_unique<QtTimer>(thread_, timer, shape.period);
                break;
            }
        }
        if (!controls_.emplace(shape.name, std::move(entry)).second) {
            AbortOnLayout("two controls are named", shape.name);
        }
    }
}

Control& QtWindow::Lookup(std::string_view name, ControlKind kind) {
    auto it = controls_.find(name);
    if (it == controls_.end()) AbortOnControlLookup(name, ControlKindName(kind), {});
    if (it->second.kind != kind) {
        AbortOnControlLookup(name, ControlKindName(kind), ControlKindName(it->second.kind));
    }
    return *it->second.control;
}

ListView& QtWindow::List(std::string_view name) {
    return static_cast<ListView&>(Lookup(name, ControlKind::ListView));
}

StatusBar& QtWindow::Status(std::string_view name) {
    return static_cast<StatusBar&>(Lookup(name, ControlKind::StatusBar));
}

EditBox& QtWindow::Edit(std::string_view name) {
    return static_cast<EditBox&>(Lookup(name, ControlKind::EditBox));
}

ComboBox& QtWindow::Combo(std::string_view name) {
    return static_cast<ComboBox&>(Lookup(name, ControlKind::ComboBox));
}

CheckBox& QtWindow::Check(std::string_view name) {
    return static_cast<CheckBox&>(Lookup(name, ControlKind::CheckBox));
}

PictureBox& QtWindow::Picture(std::string_view name) {
    return static_cast<PictureBox&>(Lookup(name, ControlKind::PictureBox));
}

Timer& QtWindow::Clock(std::string_view name) {
    auto it = controls_.find(name);
    if (it == controls_.end()) AbortOnControlLookup(name, "timer", {});
    if (!it->second.timer) AbortOnControlLookup(name, "timer", ControlKindName(it->second.kind));
    return *it->second.timer;
}

Control& QtWindow::Get(std::string_view name) {
    auto it = controls_.find(name);
    if (it == controls_.end()) AbortOnControlLookup(name, "control", {});
    if (!it->second.control) {
        AbortOnControlLookup(name, "control", ControlKindName(it->second.kind));
    }
    return *it->second.control;
}

QMenu& QtWindow::Menu(std::string_view name) {
    auto it = menus_.find(name);
    if (it == menus_.end()) AbortOnControlLookup(name, "menu", {});
    return *it->second;
}

void QtWindow::SetMenuHandler(std::string_view menu, std::string_view item,
                              std::function<void()> handler) {
    thread_.Run([&] {
        auto it = menuHandlers_.find(MenuKey(menu, item));
        if (it == menuHandlers_.end()) {
            AbortOnControlLookup(std::string(menu) + " / " + std::string(item), "menu item", {});
        }
        it->second = std::move(handler);
    });
}

void QtWindow::ShowMessage(const Text& text) {
    thread_.Run([&] { ShowMessageBox(frame_.get(), ToQString(text)); });
}

void QtWindow::Yield() { thread_.Yield(); }

void QtWindow::Wait(int ms) { thread_.Wait(ms); }

bool QtWindow::OnWindowThread() const { return thread_.OnThread(); }

WorkerHandle QtWindow::StartThread(std::function<void()> routine) {
    return workers_.Start(std::move(routine));
}

void QtWindow::SetCloseHandler(std::function<void()> handler) {
    thread_.Run([&] { closeHandler_ = std::move(handler); });
}

void QtWindow::Show() {
    thread_.Run([&] { frame_->ShowCentred(); });
}

void QtWindow::Close() {
    if (closed_) return;
    closed_ = true;
    thread_.BeginClosing();
    thread_.DrainPending();
    for (auto& [name, entry] : controls_) {
        if (entry.timer) entry.timer->SetPeriod(0);
    }
    AbortAllTransfers();
    workers_.RequestStopAll();
    if (closeHandler_) {
        const std::function<void()> handler = std::move(closeHandler_);
        handler();
    }
    if (thread_.RunningForeignCalls() == 0) JoinWorkers();
}

void QtWindow::JoinWorkers() {
    const auto deadline = std::chrono::steady_clock::now() + kWorkerGrace;
    while (workers_.AnyRunning() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    workers_.StopAll();
}

}  // namespace roomdesk
