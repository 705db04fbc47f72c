#include "app/qt_controls.h"

#include <QPixmap>
#include <algorithm>
#include <optional>

#include "app/qt_text.h"

namespace roomdesk {

QtControl::QtControl(WindowThread& thread, QWidget* widget) : QtControlBase(thread, widget) {}

// --- List view -------------------------------------------------------------------------------

QtListView::QtListView(WindowThread& thread, QTreeWidget* widget) : QtControlBase(thread, widget) {}

int QtListView::AppendRow() {
    return thread_.Run(
        [&] {
            list()->addTopLevelItem(new QTreeWidgetItem);
            return list()->topLevelItemCount() - 1;
        },
        -1);
}

int QtListView::RowCount() const {
    return thread_.Run([&] { return list()->topLevelItemCount(); });
}

int QtListView::ColumnCount() const {
    return thread_.Run([&] { return list()->columnCount(); });
}

void QtListView::SetCell(int row, int column, const Text& text) {
    thread_.Run([&] {
        QTreeWidgetItem* item = list()->topLevelItem(row);  // null outside the list
        if (item && column >= 0 && column < list()->columnCount()) {
            item->setText(column, ToQString(text));
        }
    });
}

Text QtListView::Cell(int row, int column) const {
    return thread_.Run([&] {
        QTreeWidgetItem* item = list()->topLevelItem(row);
        if (!item || column < 0 || column >= list()->columnCount()) return Text();
        return ToText(item->text(column));
    });
}

void QtListView::DeleteAllRows() {
    thread_.Run([&] { list()->clear(); });
}

int QtListView::SelectedRow() const {
    return thread_.Run(
        [&] {
            int first = -1;
            for (QTreeWidgetItem* item : list()->selectedItems()) {
                const int row = list()->indexOfTopLevelItem(item);
                if (row >= 0 && (first < 0 || row < first)) first = row;
            }
            return first;
        },
        -1);
}

std::vector<ListView::Row> QtListView::Rows() const {
    return thread_.Run([&] {
        const int columns = list()->columnCount();
        std::vector<Row> rows(static_cast<std::size_t>(list()->topLevelItemCount()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const QTreeWidgetItem* item = list()->topLevelItem(static_cast<int>(i));
            rows[i].reserve(columns);
            for (int column = 0; column < columns; ++column) {
                rows[i].push_back(ToText(item->text(column)));
            }
        }
        return rows;
    });
}

void QtListView::AppendItems(const std::vector<Row>& rows, std::size_t first) {
    const int columns = list()->columnCount();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size() - std::min(first, rows.size())));
    for (std::size_t i = first; i < rows.size(); ++i) {
        auto* item = new QTreeWidgetItem;
        const int cells = std::min(columns, static_cast<int>(rows[i].size()));
        for (int column = 0; column < cells; ++column) {
            item->setText(column, ToQString(rows[i][column]));
        }
        items.push_back(item);
    }
    list()->addTopLevelItems(items);
}

void QtListView::SetRows(std::vector<Row> rows) {
    thread_.Run([&] {
        QTreeWidget* view = list();
        view->setUpdatesEnabled(false);
        const int columns = view->columnCount();
        // Rows that stay are rewritten in place, so a selected row that still exists stays
        // selected; the rest go or are added.
        const int keep = std::min(view->topLevelItemCount(), static_cast<int>(rows.size()));
        for (int row = 0; row < keep; ++row) {
            QTreeWidgetItem* item = view->topLevelItem(row);
            const Row& cells = rows[static_cast<std::size_t>(row)];
            for (int column = 0; column < columns; ++column) {
                const std::size_t c = static_cast<std::size_t>(column);
                item->setText(column, c < cells.size() ? ToQString(cells[c]) : QString());
            }
        }
        while (view->topLevelItemCount() > keep) {
            delete view->takeTopLevelItem(view->topLevelItemCount() - 1);
        }
        AppendItems(rows, static_cast<std::size_t>(keep));
        view->setUpdatesEnabled(true);
    });
}

int QtListView::AppendRows(std::vector<Row> rows) {
    return thread_.Run(
        [&] {
            const int first = list()->topLevelItemCount();
            AppendItems(rows, 0);
            return first;
        },
        -1);
}

// --- Status bar, edit box, check box, picture box --------------------------------------------

QtStatusBar::QtStatusBar(WindowThread& thread, QStatusBar* widget, QLabel* part)
    : QtControlBase(thread, widget), part_(part) {}

void QtStatusBar::SetText(const Text& text) {
    thread_.Run([&] { part_->setText(ToQString(text)); });
}

Text QtStatusBar::GetText() const {
    return thread_.Run([&] { return ToText(part_->text()); });
}

QtEditBox::QtEditBox(WindowThread& thread, QLineEdit* widget) : QtControlBase(thread, widget) {}

void QtEditBox::SetText(const Text& text) {
    thread_.Run([&] { edit()->setText(ToQString(text)); });
}

Text QtEditBox::GetText() const {
    return thread_.Run([&] { return ToText(edit()->text()); });
}

QtCheckBox::QtCheckBox(WindowThread& thread, QCheckBox* widget) : QtControlBase(thread, widget) {}

void QtCheckBox::SetChecked(bool checked) {
    thread_.Run([&] { static_cast<QCheckBox*>(widget_)->setChecked(checked); });
}

bool QtCheckBox::IsChecked() const {
    return thread_.Run([&] { return static_cast<QCheckBox*>(widget_)->isChecked(); });
}

QtPictureBox::QtPictureBox(WindowThread& thread, QLabel* widget) : QtControlBase(thread, widget) {}

void QtPictureBox::SetPicture(const Bytes& image) {
    thread_.Run([&] {
        auto* label = static_cast<QLabel*>(widget_);
        QPixmap picture;
        if (!image.empty() && picture.loadFromData(reinterpret_cast<const uchar*>(image.data()),
                                                   static_cast<uint>(image.size()))) {
            label->setPixmap(picture);
        } else {
            label->clear();
        }
    });
}

// --- Combo box -------------------------------------------------------------------------------

QtComboBox::QtComboBox(WindowThread& thread, QComboBox* widget) : QtControlBase(thread, widget) {
    // The user's typing follows the same rule as SetText.
    QObject::connect(widget->lineEdit(), &QLineEdit::textEdited, widget,
                     [this](const QString& text) { SetField(text); });
}

void QtComboBox::SetField(const QString& text) {
    QComboBox* box = combo();
    const int match = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (match == box->currentIndex() && box->currentText() == text) return;
    if (match >= 0) {
        box->setCurrentIndex(match);
        return;
    }
    // Leaving the selection empties the field; put the text back where the user was typing.
    const int cursor = box->lineEdit()->cursorPosition();
    box->setCurrentIndex(-1);
    box->setEditText(text);
    box->lineEdit()->setCursorPosition(cursor);
}

void QtComboBox::SetText(const Text& text) {
    thread_.Run([&] { SetField(ToQString(text)); });
}

Text QtComboBox::GetText() const {
    return thread_.Run([&] { return ToText(combo()->currentText()); });
}

bool QtComboBox::SelectByText(const Text& prefix) {
    // Compared as Text, like every window: ToUpper folds ASCII letters only, character by
    // character.
    const Text folded = ToUpper(prefix);
    return thread_.Run([&] {
        for (int i = 0; i < combo()->count(); ++i) {
            if (ToUpper(ToText(combo()->itemText(i))).starts_with(folded)) {
                combo()->setCurrentIndex(i);
                return true;
            }
        }
        return false;
    });
}

int QtComboBox::SelectedIndex() const {
    return thread_.Run([&] { return combo()->currentIndex(); }, -1);
}

int QtComboBox::ItemCount() const {
    return thread_.Run([&] { return combo()->count(); });
}

Text QtComboBox::ItemText(int index) const {
    return thread_.Run([&] {
        if (index < 0 || index >= combo()->count()) return Text();
        return ToText(combo()->itemText(index));
    });
}

int QtComboBox::ItemValue(int index) const {
    return thread_.Run(
        [&] {
            if (index < 0 || index >= combo()->count()) return -1;
            return combo()->itemData(index).toInt();
        },
        -1);
}

// --- Timer -----------------------------------------------------------------------------------

QtTimer::QtTimer(WindowThread& thread, QTimer* timer, int period) : thread_(thread), timer_(timer) {
    QObject::connect(timer, &QTimer::timeout, timer, [this] {
        const std::function<void()> handler = tick_;
        if (handler) handler();
    });
    if (period > 0) timer->start(period);
}

void QtTimer::SetPeriod(int ms) {
    thread_.Run([&] {
        if (ms > 0) {
            timer_->start(ms);  // restarts the count
        } else {
            timer_->stop();
        }
    });
}

int QtTimer::Period() const {
    return thread_.Run([&] { return timer_->isActive() ? timer_->interval() : 0; });
}

void QtTimer::SetTickHandler(std::function<void()> handler) {
    thread_.Run([&] { tick_ = std::move(handler); });
}

}  // namespace roomdesk
