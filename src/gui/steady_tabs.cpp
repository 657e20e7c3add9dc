#include "gui/steady_tabs.h"

#include <QEvent>
#include <QTabBar>
#include <QTabWidget>

SteadyTabs::SteadyTabs(QTabWidget* tabs) : QObject(tabs), tabs_(tabs) { tabs->installEventFilter(this); }

SteadyTabs::Sizes SteadyTabs::sizesNow() const {
    Sizes s;
    s.area = tabs_->size();
    s.current = tabs_->currentIndex();
    const QTabBar* bar = tabs_->tabBar();
    s.hints = {bar->sizeHint(), bar->minimumSizeHint()};
    for (int i = 0; i < tabs_->count(); ++i) {
        const QWidget* page = tabs_->widget(i);
        s.hints.push_back(page ? page->sizeHint() : QSize());
        s.hints.push_back(page ? page->minimumSizeHint() : QSize());
        s.tabsShown.push_back(tabs_->isTabVisible(i));
    }
    return s;
}

bool SteadyTabs::eventFilter(QObject* watched, QEvent* event) {
    if (watched != tabs_ || event->type() != QEvent::LayoutRequest) return false;
    Sizes now = sizesNow();
    // A hidden tab widget lays itself out when it shows: only a visible one's requests are weighed.
    const bool unchanged = seen_ && tabs_->isVisible() && now == last_;
    last_ = std::move(now);
    seen_ = true;
    return unchanged;
}
