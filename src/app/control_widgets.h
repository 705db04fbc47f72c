// The Qt widget of each kind of control, made as the layout describes it: name, place, size,
// texts, items, columns and initial state.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include "app/tab_control.h"
#include "toolkit/main_window_layout.h"

namespace roomdesk {

// Each widget is a child of `parent`, named after the control (its objectName) and placed at the
// control's place.
TabControl* MakeTabControl(const ControlSpec& shape, QWidget* parent, TabControl::Origin origin);
QLabel* MakeLabel(const ControlSpec& shape, QWidget* parent);
QLineEdit* MakeEditBox(const ControlSpec& shape, QWidget* parent);
QLabel* MakePictureBox(const ControlSpec& shape, QWidget* parent);
QPushButton* MakeButton(const ControlSpec& shape, QWidget* parent);
// Editable, nothing selected; each item's value is its Qt::UserRole data. Typed text is never
// added as an item, nor completed.
QComboBox* MakeComboBox(const ControlSpec& shape, QWidget* parent);
// A CR LF in the caption breaks it into two lines.
QCheckBox* MakeCheckBox(const ControlSpec& shape, QWidget* parent);
// Report mode: a header with the columns' texts and widths, no tree decoration, whole rows
// selected; a column of width 0 is hidden.
QTreeWidget* MakeListView(const ControlSpec& shape, QWidget* parent);
// A status bar without a size grip, whose one part is the label it gives in `part`.
QStatusBar* MakeStatusBar(const ControlSpec& shape, QWidget* parent, QLabel** part);

}  // namespace roomdesk
