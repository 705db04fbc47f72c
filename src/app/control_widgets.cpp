#include "app/control_widgets.h"

#include <QHeaderView>

#include "app/password_style.h"
#include "app/qt_text.h"

namespace roomdesk {

namespace {

template <class W>
W* Placed(W* widget, const ControlSpec& spec) {
    widget->setObjectName(FromUtf8(spec.name));
    widget->setGeometry(spec.place.x, spec.place.y, spec.place.width, spec.place.height);
    if (!spec.visible) widget->hide();
    return widget;
}

}  // namespace

TabControl* MakeTabControl(const ControlSpec& spec, QWidget* parent, TabControl::Origin origin) {
    auto* tabs = Placed(new TabControl(parent, origin), spec);
    for (std::string_view page : spec.pages) tabs->AddPage(FromUtf8(page));
    tabs->setCurrentIndex(0);
    return tabs;
}

QLabel* MakeLabel(const ControlSpec& spec, QWidget* parent) {
    auto* label = Placed(new QLabel(FromUtf8(spec.text), parent), spec);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* MakeEditBox(const ControlSpec& spec, QWidget* parent) {
    auto* edit = Placed(new QLineEdit(FromUtf8(spec.text), parent), spec);
    if (spec.password) MakePasswordBox(edit);
    return edit;
}

QLabel* MakePictureBox(const ControlSpec& spec, QWidget* parent) {
    auto* picture = Placed(new QLabel(parent), spec);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QPushButton* MakeButton(const ControlSpec& spec, QWidget* parent) {
    return Placed(new QPushButton(FromUtf8(spec.text), parent), spec);
}

QComboBox* MakeComboBox(const ControlSpec& spec, QWidget* parent) {
    auto* combo = Placed(new QComboBox(parent), spec);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setMaxVisibleItems(12);
    for (const ComboItemSpec& item : spec.items) combo->addItem(FromUtf8(item.text), item.value);
    combo->setCurrentIndex(-1);
    return combo;
}

QCheckBox* MakeCheckBox(const ControlSpec& spec, QWidget* parent) {
    // Qt breaks a caption at LF; a CR would show as a glyph of its own.
    const QString caption = FromUtf8(spec.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto* check = Placed(new QCheckBox(caption, parent), spec);
    check->setChecked(spec.checked);
    return check;
}

QTreeWidget* MakeListView(const ControlSpec& spec, QWidget* parent) {
    auto* list = Placed(new QTreeWidget(parent), spec);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setColumnCount(static_cast<int>(spec.columns.size()));
    QStringList headers;
    for (const ListColumnSpec& column : spec.columns) headers << FromUtf8(column.header);
    list->setHeaderLabels(headers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    for (int i = 0; i < static_cast<int>(spec.columns.size()); ++i) {
        const int width = spec.columns[static_cast<std::size_t>(i)].width;
        list->setColumnWidth(i, width);
        list->setColumnHidden(i, width == 0);
    }
    return list;
}

QStatusBar* MakeStatusBar(const ControlSpec& spec, QWidget* parent, QLabel** part) {
    auto* bar = Placed(new QStatusBar(parent), spec);
    bar->setSizeGripEnabled(false);
    *part = new QLabel(bar);
    (*part)->setTextFormat(Qt::PlainText);
    bar->addWidget(*part, 1);
    return bar;
}

}  // namespace roomdesk
