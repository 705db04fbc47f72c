#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>
#include <vector>

namespace roomdesk::skin::testing {

// One of every kind of control the window uses, placed as on the window's pages: the login page
// on the left, a ranking page with its list view and status bar on the right.
class SamplePanel : public QWidget {
public:
    SamplePanel();

    QTabWidget* pages;
    QLineEdit* account;
    QLineEdit* captcha;  // left empty
    QComboBox* interval;
    QCheckBox* timerSwitch;  // checked
    QPushButton* login;
    QTabWidget* periods;
    QTreeWidget* ranking;  // report mode, second row selected
    QStatusBar* status;
};

// A place of the panel, in panel coordinates, that shows one colour of the skin.
struct SamplePoint {
    const char* part;
    QPoint pos;
};

// Places inside the background, a button, an edit box, a checked box, the tabs, the list header,
// a selected and an unselected part of the list, and the status bar, clear of any text.
std::vector<SamplePoint> SamplePoints(const SamplePanel& panel);

// The panel as drawn under the style sheet in force.
QImage RenderPanel(SamplePanel& panel);

// A ranking popup menu with its first item highlighted, and the message box of the skin button,
// as drawn under the style sheet in force.
QImage RenderMenu();
QImage RenderMessageBox();

}  // namespace roomdesk::skin::testing
