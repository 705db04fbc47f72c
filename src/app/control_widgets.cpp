#include "app/control_widgets.h"

#include <QHeaderView>

#include "app/password_style.h"
#include "app/qt_text.h"

namespace roomdesk {

namespace {

template <class W>
W* Placed(W* widget, const ControlSpec& shape) {
    widget->setObjectName(FromUtf8(shape.name));
    widget->setGeometry(shape.place.x, shape.place.y, shape.place.width, shape.place.height);
    if (!shape.visible) widget->hide();
    return widget;
}

}  // namespace

TabControl* MakeTabControl(const ControlSpec& shape, QWidget* parent, TabControl::Origin origin) {
    auto* tabs = Placed(new TabControl(parent, origin), shape);
    for (std::string_view page : shape.pages) tabs->AddPage(FromUtf8(page));
    tabs->setCurrentIndex(0);
    return tabs;
}

QLabel* MakeLabel(const ControlSpec& shape, QWidget* parent) {
    auto* label = Placed(new QLabel(FromUtf8(shape.text), parent), shape);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* MakeEditBox(const ControlSpec& shape, QWidget* parent) {
    auto* edit = Placed(new QLineEdit(FromUtf8(shape.text), parent), shape);
    if (shape.password) MakePasswordBox(edit);
    return edit;
}

QLabel* MakePictureBox(const ControlSpec& shape, QWidget* parent) {
    auto* picture = Placed(new QLabel(parent), shape);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QPushButton* MakeButton(const ControlSpec& shape, QWidget* parent) {
    return Placed(new QPushButton(FromUtf8(shape.text), parent), shape);
}

QComboBox* MakeComboBox(const ControlSpec& shape, QWidget* parent) {
    auto* combo = Placed(new QComboBox(parent), shape);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setMaxVisibleItems(12);
    for (const ComboItemSpec& item : shape.items) combo->addItem(FromUtf8(item.text), item.value);
    combo->setCurrentIndex(-1);
    return combo;
}

QCheckBox* MakeCheckBox(const ControlSpec& shape, QWidget* parent) {
    // Qt breaks a caption at LF; a CR would show as a glyph of its own.
    const QString caption =
        FromUtf8(shape.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto* check = Placed(new QCheckBox(caption, parent), shape);
    check->setChecked(shape.checked);
    return check;
}

QTreeWidget* MakeListView(const ControlSpec& shape, QWidget* parent) {
    auto* list = Placed(new QTreeWidget(parent), shape);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setColumnCount(static_cast<int>(shape.columns.size()));
    QStringList headers;
    for (const ListColumnSpec& column : shape.columns) headers << FromUtf8(column.header);
    list->setHeaderLabels(headers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    for (int i = 0; i < static_cast<int>(shape.columns.size()); ++i) {
        const int width = shape.columns[static_cast<std::size_t>(i)].width;
        list->setColumnWidth(i, width);
        list->setColumnHidden(i, width == 0);
    }
    return list;
}

QStatusBar* MakeStatusBar(const ControlSpec& shape, QWidget* parent, QLabel** part) {
    auto* bar = Placed(new QStatusBar(parent), shape);
    bar->setSizeGripEnabled(false);
    *part = new QLabel(bar);
    (*part)->setTextFormat(Qt::PlainText);
    bar->addWidget(*part, 1);
    return bar;
}

}  // namespace roomdesk
