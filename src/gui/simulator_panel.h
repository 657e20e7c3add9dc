#pragma once
// The simulated node's panel: what the node is doing (transmitter, busy, listen-only, link, lines,
// connected stations, the last things sent) and what the outside world can do to it.
#include <QWidget>
#include <functional>
#include <map>
#include <vector>
#include <string>

class App;
class SimulatedNode;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

class SimulatorPanel : public QWidget {
public:
    explicit SimulatorPanel(App& app);
    // Reads the node's state into the panel (also every few tenths of a second by itself).
    void refresh();
    QLineEdit* dtmfBox() const { return dtmf_; }
    QLabel* stateLabel(const std::string& name) const;
    // The on-air log: the transcript's lines as the console prints them, newest at the bottom.
    QPlainTextEdit* airLog() const { return airLog_; }
    static constexpr int kAirLogLines = 1000;
    // The keys that bring the panel back, on the launcher, once it was closed.
    static const char* const kShowAgainKeys;

private:
    // Queues what the outside world does on the core loop, as the node's own events are.
    void act(std::function<void(SimulatedNode&)> work);
    void setText(QLabel* label, const QString& text);
    App& app_;
    std::map<std::string, QLabel*> states_;
    QListWidget* stations_;
    QLabel *lastCw_, *lastChat_, *lastDtmf_;
    QLineEdit *dtmf_, *call_, *name_, *chat_;
    QCheckBox *rx_, *carrier_, *signal_, *activity_, *unreachable_;
    QPlainTextEdit* airLog_;
    std::vector<std::string> shownStations_;
};
