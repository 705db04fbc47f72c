// The toolkit's controls over Qt widgets. Every operation goes through the window's WindowThread
// (ui_thread.h), so any thread may call it; texts cross as Text (qt_text.h). The adapters are made
// on the window's thread and hold handlers that run there.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "app/click_filter.h"
#include "app/ui_thread.h"
#include "toolkit/controls.h"

namespace roomdesk {

// The common operations over a widget. Visible and enabled report the control's own state, as
// last asked: a control on a page that is not shown is still visible.
template <class Interface>
class QtControlBase : public Interface {
public:
    void SetVisible(bool visible) override {
        thread_.Run([&] { widget_->setVisible(visible); });
    }
    bool IsVisible() const override {
        return thread_.Run([&] { return !widget_->isHidden(); });
    }
    void SetEnabled(bool enabled) override {
        thread_.Run([&] { widget_->setEnabled(enabled); });
    }
    bool IsEnabled() const override {
        return thread_.Run([&] { return !widget_->testAttribute(Qt::WA_ForceDisabled); });
    }
    void SetClickHandler(std::function<void()> handler) override {
        thread_.Run([&] { click_ = std::move(handler); });
    }

protected:
    // The click is a button's click, a check box's toggle by the user, and a left press on any
    // other control.
    QtControlBase(WindowThread& thread, QWidget* widget) : thread_(thread), widget_(widget) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QObject::connect(button, &QAbstractButton::clicked, button, [this] { Clicked(); });
        } else {
            new LeftPressFilter(widget, [this] { Clicked(); });
        }
    }

    WindowThread& thread_;
    QWidget* const widget_;

private:
    // Window's thread: the user clicked the control.
    void Clicked() {
        const std::function<void()> handler = click_;  // the handler may replace itself
        if (handler) handler();
    }

    std::function<void()> click_;
};

// A button, a label, a tab control: nothing beyond the common operations.
class QtControl final : public QtControlBase<Control> {
public:
    QtControl(WindowThread& thread, QWidget* widget);
};

// A report-mode list over a QTreeWidget without a tree: one top-level item per row.
class QtListView final : public QtControlBase<ListView> {
public:
    QtListView(WindowThread& thread, QTreeWidget* widget);

    int AppendRow() override;
    int RowCount() const override;
    int ColumnCount() const override;
    void SetCell(int row, int column, const Text& text) override;
    Text Cell(int row, int column) const override;
    void DeleteAllRows() override;
    int SelectedRow() const override;
    ViewMode Mode() const override { return ViewMode::Report; }
    std::vector<Row> Rows() const override;
    void SetRows(std::vector<Row> rows) override;
    int AppendRows(std::vector<Row> rows) override;

private:
    QTreeWidget* list() const { return static_cast<QTreeWidget*>(widget_); }
    void AppendItems(const std::vector<Row>& rows, std::size_t first);
};

// A status bar whose one part is a label spanning its width.
class QtStatusBar final : public QtControlBase<StatusBar> {
public:
    QtStatusBar(WindowThread& thread, QStatusBar* widget, QLabel* part);
    void SetText(const Text& text) override;
    Text GetText() const override;

private:
    QLabel* const part_;
};

class QtEditBox final : public QtControlBase<EditBox> {
public:
    QtEditBox(WindowThread& thread, QLineEdit* widget);
    void SetText(const Text& text) override;
    Text GetText() const override;

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget_); }
};

// An editable combo box whose items carry their value as Qt::UserRole data. The field and the
// selection agree: a text typed or set that equals no item leaves no item selected.
class QtComboBox final : public QtControlBase<ComboBox> {
public:
    QtComboBox(WindowThread& thread, QComboBox* widget);
    void SetText(const Text& text) override;
    Text GetText() const override;
    bool SelectByText(const Text& prefix) override;
    int SelectedIndex() const override;
    int ItemCount() const override;
    Text ItemText(int index) const override;
    int ItemValue(int index) const override;

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget_); }
    // Window's thread: puts `text` in the field and selects the item equal to it, if any.
    void SetField(const QString& text);
};

class QtCheckBox final : public QtControlBase<CheckBox> {
public:
    QtCheckBox(WindowThread& thread, QCheckBox* widget);
    void SetChecked(bool checked) override;
    bool IsChecked() const override;
};

// A label that shows the picture decoded from the bytes, at its own size from the top left.
class QtPictureBox final : public QtControlBase<PictureBox> {
public:
    QtPictureBox(WindowThread& thread, QLabel* widget);
    void SetPicture(const Bytes& image) override;
};

class QtTimer final : public Timer {
public:
    // Starts `timer` when `period` is above 0.
    QtTimer(WindowThread& thread, QTimer* timer, int period);
    void SetPeriod(int ms) override;
    int Period() const override;
    void SetTickHandler(std::function<void()> handler) override;

private:
    WindowThread& thread_;
    QTimer* const timer_;
    std::function<void()> tick_;
};

}  // namespace roomdesk
