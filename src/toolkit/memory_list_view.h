// A list view held in memory. It serves the headless tests and, inside the Qt window, as the
// store of the off-view work lists, so it stands on its own: it needs no window.
#pragma once

#include <vector>

#include "toolkit/controls.h"
#include "toolkit/memory_control_base.h"

namespace roomdesk {

// Cells are kept row by row in one flat array, so a list of a million rows costs one Text per
// cell and no allocation per row. Thread-safe: every operation takes the list's one mutex.
class MemoryListView final : public MemoryControlBase<ListView> {
public:
    explicit MemoryListView(int columnCount);

    int AppendRow() override;
    int RowCount() const override;
    int ColumnCount() const override;
    void SetCell(int row, int column, const Text& text) override;
    Text Cell(int row, int column) const override;
    void DeleteAllRows() override;
    int SelectedRow() const override;
    ViewMode Mode() const override;
    std::vector<Row> Rows() const override;
    void SetRows(std::vector<Row> rows) override;
    int AppendRows(std::vector<Row> rows) override;

    // Test drivers.
    // The user selects one row; -1, or a row outside the list, leaves none selected.
    void Select(int row);
    void SetMode(ViewMode mode);

private:
    bool Inside(int row, int column) const;
    void AppendLocked(std::vector<Row>& rows);

    const int columns_;
    int rows_ = 0;
    std::vector<Text> cells_;  // rows_ * columns_ cells, row after row
    int selected_ = -1;
    ViewMode mode_ = ViewMode::Report;
};

}  // namespace roomdesk
