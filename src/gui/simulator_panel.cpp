#include "gui/simulator_panel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QFontDatabase>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app.h"
#include "core/datetime.h"
#include "gui/screen_fit.h"

namespace {
constexpr int kRefreshMs = 250;
const QLatin1String kIncomingMark("<<");
const QColor kIncomingColour(0, 0, 160);   // dark blue
const char* const kStates[] = {"Transmitter keyed", "Busy", "Listen-only", "Link enabled", "RTS line", "DTR line",
                               "Carrier", "Receiving signal", "Internet audio", "EchoLink closed"};

QString onOff(bool b) { return b ? QStringLiteral("ON") : QStringLiteral("off"); }
QString lastOf(const std::vector<std::string>& v) { return v.empty() ? QString("-") : QString::fromStdString(v.back()); }
}  // namespace

const char* const SimulatorPanel::kShowAgainKeys = "Ctrl+Shift+N";

SimulatorPanel::SimulatorPanel(App& app) : app_(app) {
    setObjectName("SimulatorPanel");
    setWindowTitle(QStringLiteral("Simulated node %1").arg(QString::fromStdString(app.node().callsign())));
    // Everything in an area that scrolls, so the panel fits a screen smaller than what it holds.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    contents_ = new QWidget;
    scroll->setWidget(contents_);
    auto* column = new QVBoxLayout(contents_);

    auto* stateBox = new QGroupBox("Node");
    auto* grid = new QGridLayout(stateBox);
    int row = 0;
    for (const char* name : kStates) {
        auto* value = new QLabel;
        value->setObjectName(name);
        grid->addWidget(new QLabel(name), row / 2, (row % 2) * 2);
        grid->addWidget(value, row / 2, (row % 2) * 2 + 1);
        states_[name] = value;
        ++row;
    }
    column->addWidget(stateBox);

    auto* sent = new QGroupBox("Last sent");
    auto* sentForm = new QFormLayout(sent);
    sentForm->addRow("CW", lastCw_ = new QLabel);
    sentForm->addRow("Chat", lastChat_ = new QLabel);
    sentForm->addRow("DTMF", lastDtmf_ = new QLabel);
    column->addWidget(sent);

    auto* stationBox = new QGroupBox("Connected stations");
    auto* stationColumn = new QVBoxLayout(stationBox);
    stations_ = new QListWidget;
    stations_->setMaximumHeight(90);
    stationColumn->addWidget(stations_);
    auto* stationRow = new QHBoxLayout;
    call_ = new QLineEdit;
    call_->setObjectName("callsign");
    call_->setPlaceholderText("Callsign");
    name_ = new QLineEdit;
    name_->setObjectName("name");
    name_->setPlaceholderText("Name");
    auto* connectButton = new QPushButton("Connect");
    auto* disconnectButton = new QPushButton("Disconnect");
    stationRow->addWidget(call_);
    stationRow->addWidget(name_);
    stationRow->addWidget(connectButton);
    stationRow->addWidget(disconnectButton);
    stationColumn->addLayout(stationRow);
    column->addWidget(stationBox);
    connect(connectButton, &QPushButton::clicked, this, [this] {
        const std::string call = call_->text().trimmed().toStdString(), name = name_->text().trimmed().toStdString();
        if (!call.empty()) act([call, name](SimulatedNode& n) { n.stationConnects(call, name); });
    });
    connect(disconnectButton, &QPushButton::clicked, this, [this] {
        std::string call = call_->text().trimmed().toStdString();
        if (call.empty() && stations_->currentItem()) call = stations_->currentItem()->text().section(' ', 0, 0).toStdString();
        if (!call.empty()) act([call](SimulatedNode& n) { n.stationDisconnects(call); });
    });

    auto* input = new QGroupBox("Send to the node");
    auto* inputForm = new QFormLayout(input);
    auto* dtmfRow = new QHBoxLayout;
    dtmf_ = new QLineEdit;
    dtmf_->setObjectName("dtmf");
    auto* dtmfButton = new QPushButton("Send DTMF");
    dtmfRow->addWidget(dtmf_);
    dtmfRow->addWidget(dtmfButton);
    inputForm->addRow("DTMF digits", dtmfRow);
    auto* chatRow = new QHBoxLayout;
    chat_ = new QLineEdit;
    chat_->setObjectName("chat");
    chat_->setPlaceholderText("CALL>text");
    auto* chatButton = new QPushButton("Send chat");
    chatRow->addWidget(chat_);
    chatRow->addWidget(chatButton);
    inputForm->addRow("Chat line", chatRow);
    column->addWidget(input);
    auto sendDtmf = [this] {
        const std::string digits = dtmf_->text().trimmed().toStdString();
        if (digits.empty()) return;
        dtmf_->clear();
        act([digits](SimulatedNode& n) { n.receiveDtmf(digits); });
    };
    connect(dtmfButton, &QPushButton::clicked, this, sendDtmf);
    connect(dtmf_, &QLineEdit::returnPressed, this, sendDtmf);
    auto sendChat = [this] {
        const std::string line = chat_->text().toStdString();
        if (line.empty()) return;
        chat_->clear();
        act([line](SimulatedNode& n) { n.receiveChat(line); });
    };
    connect(chatButton, &QPushButton::clicked, this, sendChat);
    connect(chat_, &QLineEdit::returnPressed, this, sendChat);

    auto* switches = new QGridLayout;
    rx_ = new QCheckBox("Internet audio");
    carrier_ = new QCheckBox("Carrier");
    signal_ = new QCheckBox("Receiving signal");
    activity_ = new QCheckBox("EchoLink activity");
    unreachable_ = new QCheckBox("EchoLink not answering");
    auto* closeButton = new QPushButton("Close EchoLink");
    switches->addWidget(rx_, 0, 0);
    switches->addWidget(carrier_, 0, 1);
    switches->addWidget(signal_, 0, 2);
    switches->addWidget(activity_, 1, 0);
    switches->addWidget(unreachable_, 1, 1, 1, 2);
    switches->addWidget(closeButton, 1, 3);
    switches->setColumnStretch(3, 1);
    column->addLayout(switches);
    auto toggles = [this](QCheckBox* box, void (SimulatedNode::*set)(bool)) {
        connect(box, &QCheckBox::clicked, this, [this, set](bool on) { act([on, set](SimulatedNode& n) { (n.*set)(on); }); });
    };
    toggles(rx_, &SimulatedNode::setInternetAudio);
    toggles(carrier_, &SimulatedNode::setCarrier);
    toggles(signal_, &SimulatedNode::setReceivingSignal);
    toggles(activity_, &SimulatedNode::setActivity);
    toggles(unreachable_, &SimulatedNode::setUnreachable);
    connect(closeButton, &QPushButton::clicked, this, [this] { act([](SimulatedNode& n) { n.close(); }); });

    auto* airBox = new QGroupBox(QStringLiteral("On the air (%1 marks what came in)").arg(kIncomingMark));
    auto* airColumn = new QVBoxLayout(airBox);
    airLog_ = new QPlainTextEdit;
    airLog_->setObjectName("airLog");
    airLog_->setReadOnly(true);
    airLog_->setLineWrapMode(QPlainTextEdit::NoWrap);
    airLog_->setMaximumBlockCount(kAirLogLines);
    airLog_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    airLog_->setMinimumHeight(160);
    airColumn->addWidget(airLog_);
    column->addWidget(airBox, 1);
    column->addWidget(new QLabel(QStringLiteral("Closed, this panel comes back with %1 on the launcher.").arg(kShowAgainKeys)));
    // Lines are written on the loop's thread, which is Qt's.
    app_.transcript().onLine([this, alive = QPointer<QPlainTextEdit>(airLog_)](const std::string& line) {
        if (alive) logLine(QString::fromStdString(line), false);
    });
    app_.node().onIncoming([this, alive = QPointer<QPlainTextEdit>(airLog_)](const std::string& line) {
        if (!alive) return;
        const std::string stamp = stampText(app_.clock().now());
        logLine(QStringLiteral("%1 %2 %3").arg(QString::fromStdString(stamp), kIncomingMark, QString::fromStdString(line)),
                true);
        refresh();   // the boxes tick with their line, so a click after it reads as the log does
    });

    // The node raises no event for the panel: it is read a few times a second.
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { refresh(); });
    timer->start(kRefreshMs);
    refresh();
}

// A line at the bottom of the on-air log; the log follows it there unless the operator scrolled up.
void SimulatorPanel::logLine(const QString& text, bool incoming) {
    QScrollBar* bar = airLog_->verticalScrollBar();
    const bool following = bar->value() == bar->maximum();
    QTextCharFormat format;
    if (incoming) format.setForeground(kIncomingColour);
    QTextCursor end(airLog_->document());
    end.movePosition(QTextCursor::End);
    if (!airLog_->document()->isEmpty()) end.insertBlock(QTextBlockFormat(), format);
    end.insertText(text, format);
    if (following) bar->setValue(bar->maximum());
}

void SimulatorPanel::placeClearOf(const std::vector<QRect>& toolPlaces) {
    fittedFrame_ = screen_fit::frameOf(*this);
    const QSize room = screen_fit::room(*this);
    QSize wanted = contents_->sizeHint();
    if (wanted.height() > room.height()) wanted.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    resize(wanted.boundedTo(room));
    const QRect area = screen_fit::freeArea(*this);
    const QSize framed = size().grownBy(fittedFrame_);
    const int left = area.left(), right = area.left() + area.width() - framed.width();
    const int top = area.top(), bottom = area.top() + area.height() - framed.height();
    // The right side first: the tool windows keep the top left by default.
    const QPoint corners[] = {{right, top}, {right, bottom}, {left, top}, {left, bottom}};
    QPoint best = corners[0];
    long fewest = -1;
    for (const QPoint& corner : corners) {
        const QRect covers(corner, framed);
        const long covered = std::count_if(toolPlaces.begin(), toolPlaces.end(),
                                           [&](const QRect& place) { return covers.intersects(place); });
        if (fewest < 0 || covered < fewest) {
            fewest = covered;
            best = corner;
        }
    }
    move(screen_fit::wholePlace(*this, best));
}

// Framed by the desktop with a frame other than the one it was fitted to: fitted again.
void SimulatorPanel::fitToFrame() {
    if (!isVisible() || screen_fit::frameOf(*this) == fittedFrame_) return;
    fittedFrame_ = screen_fit::frameOf(*this);
    resize(size().boundedTo(screen_fit::room(*this)));
    move(screen_fit::wholePlace(*this, pos()));
}

void SimulatorPanel::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    fitToFrame();
}

void SimulatorPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitToFrame();
}

void SimulatorPanel::act(std::function<void(SimulatedNode&)> work) {
    SimulatedNode& node = app_.node();
    app_.loop().post([&node, work = std::move(work)] { work(node); });
}

void SimulatorPanel::setText(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

QLabel* SimulatorPanel::stateLabel(const std::string& name) const {
    auto it = states_.find(name);
    return it == states_.end() ? nullptr : it->second;
}

void SimulatorPanel::refresh() {
    const SimulatedNode& n = app_.node();
    const bool values[] = {n.keyed(), n.busy(), n.listenOnly(), n.linkEnabled(), n.rts(), n.dtr(),
                           n.carrier(), n.receivingSignal(), n.internetAudio(), n.closed()};
    for (size_t i = 0; i < std::size(kStates); ++i) setText(states_[kStates[i]], onOff(values[i]));
    setText(lastCw_, lastOf(n.cwSent()));
    setText(lastChat_, lastOf(n.chatSent()));
    setText(lastDtmf_, lastOf(n.dtmfSent()));
    std::vector<std::string> list;
    for (const ConnectedStation& s : n.stations()) list.push_back(s.name.empty() ? s.call : s.call + " " + s.name);
    if (list != shownStations_) {
        stations_->clear();
        for (const auto& s : list) stations_->addItem(QString::fromStdString(s));
        shownStations_ = list;
    }
    if (rx_->isChecked() != n.internetAudio()) rx_->setChecked(n.internetAudio());
    if (carrier_->isChecked() != n.carrier()) carrier_->setChecked(n.carrier());
    if (signal_->isChecked() != n.receivingSignal()) signal_->setChecked(n.receivingSignal());
    if (activity_->isChecked() != n.activity()) activity_->setChecked(n.activity());
    if (unreachable_->isChecked() != n.unreachable()) unreachable_->setChecked(n.unreachable());
}
