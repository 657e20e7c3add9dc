#pragma once
// The simulated node's panel: what the node is doing (transmitter, busy, listen-only, link, lines,
// connected stations, the last things sent) and what the outside world can do to it.
#include <QMargins>
#include <QRect>
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
    // The on-air log: the transcript's lines as the console prints them, and between them, marked
    // "<<" and in blue, the events that came in (DTMF, chat, stations, receive states); newest at
    // the bottom.
    QPlainTextEdit* airLog() const { return airLog_; }
    static constexpr int kAirLogLines = 1000;
    // The keys that bring the panel back, on the launcher, once it was closed.
    static const char* const kShowAgainKeys;
    // Sized and placed whole in the screen's free area, on the side where it covers none (or the
    // fewest) of these places: where the tool windows open.
    void placeClearOf(const std::vector<QRect>& toolPlaces);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Queues what the outside world does on the core loop, as the node's own events are.
    void act(std::function<void(SimulatedNode&)> work);
    void setText(QLabel* label, const QString& text);
    void logLine(const QString& text, bool incoming);
    void fitToFrame();
    App& app_;
    std::map<std::string, QLabel*> states_;
    QListWidget* stations_;
    QLabel *lastCw_, *lastChat_, *lastDtmf_;
    QLineEdit *dtmf_, *call_, *name_, *chat_;
    QCheckBox *rx_, *carrier_, *signal_, *activity_, *unreachable_;
    QPlainTextEdit* airLog_;
    QWidget* contents_;   // what the panel holds, in an area that scrolls
    std::vector<std::string> shownStations_;
    QMargins fittedFrame_;   // the desktop's frame the panel was fitted to
};
