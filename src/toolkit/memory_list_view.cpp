#include "toolkit/memory_list_view.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace roomdesk {

MemoryListView::MemoryListView(int columnCount) : columns_(std::max(columnCount, 0)) {}

bool MemoryListView::Inside(int row, int column) const {
    return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

int MemoryListView::AppendRow() {
    std::lock_guard lock(mutex_);
    cells_.resize(cells_.size() + columns_);
    return rows_++;
}

int MemoryListView::RowCount() const {
    std::lock_guard lock(mutex_);
    return rows_;
}

int MemoryListView::ColumnCount() const { return columns_; }

void MemoryListView::SetCell(int row, int column, const Text& text) {
    std::lock_guard lock(mutex_);
    if (Inside(row, column)) cells_[static_cast<std::size_t>(row) * columns_ + column] = text;
}

Text MemoryListView::Cell(int row, int column) const {
    std::lock_guard lock(mutex_);
    if (!Inside(row, column)) return {};
    return cells_[static_cast<std::size_t>(row) * columns_ + column];
}

void MemoryListView::DeleteAllRows() {
    std::lock_guard lock(mutex_);
    cells_.clear();
    rows_ = 0;
    selected_ = -1;
}

int MemoryListView::SelectedRow() const {
    std::lock_guard lock(mutex_);
    return selected_;
}

ListView::ViewMode MemoryListView::Mode() const {
    std::lock_guard lock(mutex_);
    return mode_;
}

std::vector<ListView::Row> MemoryListView::Rows() const {
    std::lock_guard lock(mutex_);
    std::vector<Row> rows;
    rows.reserve(rows_);
    for (auto cell = cells_.begin(); rows.size() < static_cast<std::size_t>(rows_);
         cell += columns_) {
        rows.emplace_back(cell, cell + columns_);
    }
    return rows;
}

void MemoryListView::AppendLocked(std::vector<Row>& rows) {
    cells_.reserve(cells_.size() + rows.size() * columns_);
    for (Row& row : rows) {
        row.resize(columns_);
        std::move(row.begin(), row.end(), std::back_inserter(cells_));
    }
    rows_ += static_cast<int>(rows.size());
}

void MemoryListView::SetRows(std::vector<Row> rows) {
    std::lock_guard lock(mutex_);
    cells_.clear();
    rows_ = 0;
    AppendLocked(rows);
    if (selected_ >= rows_) selected_ = -1;
}

int MemoryListView::AppendRows(std::vector<Row> rows) {
    std::lock_guard lock(mutex_);
    const int first = rows_;
    AppendLocked(rows);
    return first;
}

void MemoryListView::Select(int row) {
    std::lock_guard lock(mutex_);
    selected_ = row >= 0 && row < rows_ ? row : -1;
}

void MemoryListView::SetMode(ViewMode mode) {
    std::lock_guard lock(mutex_);
    mode_ = mode;
}

}  // namespace roomdesk
