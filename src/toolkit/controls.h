// The controls that the logic reaches through a Window: abstract, so that the same logic runs in
// the Qt window and in the in-memory window of the tests.
//
// Text rule: every text value that crosses these interfaces (cells, status texts, edit and combo
// texts, combo item texts, messages) is Text in the system code page (GB18030). Control names are
// identifiers, written as UTF-8 literals (see window.h).
//
// Threads: any thread may call any operation; a change has taken effect on the window's thread
// when the call returns. Handlers (clicks, ticks, menu items) run on the window's thread.
#pragma once

#include <functional>
#include <vector>

#include "text/text_ops.h"

namespace roomdesk {

// What every visible control has: visibility, enabled state and a click.
class Control {
public:
    virtual ~Control() = default;

    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool IsEnabled() const = 0;

    // Runs on the window's thread when the user clicks the control (a button's click, a check
    // box's toggle, a left press on a picture box). An empty function removes the handler.
    virtual void SetClickHandler(std::function<void()> handler) = 0;
};

// A list view; rows and columns counted from 0. The column count is fixed when the list is made.
class ListView : public Control {
public:
    using Row = std::vector<Text>;
    enum class ViewMode { Report, Icon, SmallIcon, List };

    // Appends a row of empty cells and gives its index.
    virtual int AppendRow() = 0;
    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    // Changes nothing when (row, column) lies outside the list.
    virtual void SetCell(int row, int column, const Text& text) = 0;
    // The empty text for an empty cell and for any cell outside the list (row -1 included).
    virtual Text Cell(int row, int column) const = 0;
    // Empties the list; no row stays selected.
    virtual void DeleteAllRows() = 0;
    // The first selected row, -1 when none is selected.
    virtual int SelectedRow() const = 0;
    virtual ViewMode Mode() const = 0;

    // Bulk forms, one call each whatever the number of rows. Every row given or returned has
    // exactly ColumnCount() cells: a longer row is cut, a shorter one padded with empty cells.
    virtual std::vector<Row> Rows() const = 0;
    // Rewrites the list to hold exactly these rows, as if every cell were set in place: rows
    // beyond the new count go, missing rows are added, and a selected row that still exists
    // stays selected.
    virtual void SetRows(std::vector<Row> rows) = 0;
    // Appends the rows at the end and gives the index of the first of them (the old row count).
    virtual int AppendRows(std::vector<Row> rows) = 0;
};

// A status bar with one part; the text shows at once.
class StatusBar : public Control {
public:
    virtual void SetText(const Text& text) = 0;
    virtual Text GetText() const = 0;
};

class EditBox : public Control {
public:
    virtual void SetText(const Text& text) = 0;
    virtual Text GetText() const = 0;
};

// A drop-down combo box with an editable text field; each item carries an integer value.
// The field and the selection agree at all times: choosing an item puts its text in the field,
// and a text put in the field (by the user or by SetText) selects the first item whose text
// equals it byte for byte, or no item when none does.
class ComboBox : public Control {
public:
    virtual void SetText(const Text& text) = 0;
    virtual Text GetText() const = 0;
    // Selects the first item whose text begins with `prefix`, ASCII letters compared without
    // regard to case, and gives true; gives false and leaves the box as it was when none does.
    virtual bool SelectByText(const Text& prefix) = 0;
    // The index of the selected item, -1 when none is selected.
    virtual int SelectedIndex() const = 0;
    virtual int ItemCount() const = 0;
    // The item's text; the empty text for an index outside the list.
    virtual Text ItemText(int index) const = 0;
    // The item's value; -1 for an index outside the list (-1 included).
    virtual int ItemValue(int index) const = 0;
};

class CheckBox : public Control {
public:
    virtual void SetChecked(bool checked) = 0;
    virtual bool IsChecked() const = 0;
};

class PictureBox : public Control {
public:
    // Shows the image that the bytes hold; empty or undecodable bytes show no picture.
    virtual void SetPicture(const Bytes& image) = 0;
};

// A timer of the window; it is not a visible control.
class Timer {
public:
    virtual ~Timer() = default;

    // Ticks every `ms` milliseconds on the window's thread; 0 or less stops the timer. Every call
    // restarts the count, even with the period it already has.
    virtual void SetPeriod(int ms) = 0;
    // The period in milliseconds, 0 when stopped.
    virtual int Period() const = 0;
    virtual void SetTickHandler(std::function<void()> handler) = 0;
};

}  // namespace roomdesk
