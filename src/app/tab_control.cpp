#include "app/tab_control.h"

#include <QResizeEvent>
#include <QTabBar>

namespace roomdesk {

TabControl::TabControl(QWidget* parent, Origin origin) : QTabWidget(parent), origin_(origin) {
    connect(this, &QTabWidget::currentChanged, this, &TabControl::ShowLayerOf);
}

void TabControl::AddPage(const QString& title) {
    const int index = addTab(new QWidget, title);
    if (origin_ == Origin::PageArea) return;
    auto* layer = new PageLayer(this);
    layer->setGeometry(rect());
    layer->setVisible(index == currentIndex());
    layers_.push_back(layer);
    // The layers lie over the page area and under the tab strip, which stays clickable.
    tabBar()->raise();
}

QWidget* TabControl::PageHost(int index) const {
    if (origin_ == Origin::PageArea) return widget(index);
    return index >= 0 && index < static_cast<int>(layers_.size()) ? layers_[index] : nullptr;
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QTabWidget::resizeEvent(event);
    for (PageLayer* layer : layers_) layer->setGeometry(rect());
}

void TabControl::ShowLayerOf(int current) {
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        layers_[i]->setVisible(static_cast<int>(i) == current);
    }
}

}  // namespace roomdesk
