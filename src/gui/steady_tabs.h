#pragma once
// A tab widget answers every layout request by placing its tab bar and pages afresh and
// repainting itself whole, and a label whose text changes anywhere on its pages sends it one (a
// clock ticking each second repaints the whole window). This filter lets a request through only
// when something the tab widget places asks for another size than at the last request; otherwise
// the request would place everything where it is, and the changed label repaints itself alone.
#include <QObject>
#include <QSize>
#include <vector>

class QTabWidget;

class SteadyTabs : public QObject {
public:
    // Watches `tabs`, whose child it becomes.
    explicit SteadyTabs(QTabWidget* tabs);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Sizes {
        QSize area;
        int current = -1;
        std::vector<QSize> hints;   // the tab bar's, then each page's, each with its minimum
        std::vector<bool> tabsShown;
        bool operator==(const Sizes& o) const {
            return area == o.area && current == o.current && hints == o.hints && tabsShown == o.tabsShown;
        }
    };
    Sizes sizesNow() const;
    QTabWidget* tabs_;
    Sizes last_;
    bool seen_ = false;
};
