// A tab control whose pages hold controls at fixed places.
#pragma once

#include <QTabWidget>
#include <vector>

namespace roomdesk {

// The area of one page that is placed from the tab control's own top left corner and lies under
// the tab strip, as the children of a Win32 tab control do. It paints nothing, so the tab
// control's frame shows through it. (Being a class of its own, a style sheet's QWidget background
// does not paint it either: Qt gives style sheet backgrounds to plain QWidgets only.)
class PageLayer final : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
};

class TabControl final : public QTabWidget {
    Q_OBJECT

public:
    enum class Origin {
        Corner,    // a page's controls are placed from the tab control's corner (PageLayer)
        PageArea,  // from the page area under the tab strip, as QTabWidget places them
    };

    TabControl(QWidget* parent, Origin origin);

    // Adds a page with this tab text.
    void AddPage(const QString& title);
    // The widget that holds the controls of page `index`.
    QWidget* PageHost(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowLayerOf(int current);

    const Origin origin_;
    std::vector<PageLayer*> layers_;
};

}  // namespace roomdesk
