#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <vector>

#include "app/headless/answering_dialogs.h"
#include "app/headless/console.h"
#include "core/datetime.h"
#include "core/text.h"

namespace {
std::vector<std::string> words(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

// A value on one output line: line breaks shown as \r and \n.
std::string oneLine(const std::string& s) { return replaceAll(replaceAll(s, "\r", "\\r"), "\n", "\\n"); }
}  // namespace

Console::Console(App& app, AnsweringDialogs* dialogs, std::ostream& out, std::ostream& err)
    : app_(app), dialogs_(dialogs), out_(out), err_(err) {}

std::optional<std::pair<std::string, std::string>> Console::split(const std::string& raw) {
    std::string line = raw;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    const auto start = line.find_first_not_of(" \t");
    // '#' starts a comment only at the head of a line: it is also a DTMF digit and chat text.
    if (start == std::string::npos || line[start] == '#') return std::nullopt;
    const auto end = line.find_first_of(" \t", start);
    std::string command = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    std::string rest;
    if (end != std::string::npos) {
        const auto r = line.find_first_not_of(" \t", end);
        if (r != std::string::npos) rest = line.substr(r);
    }
    return std::make_pair(lcase(command), rest);
}

std::optional<std::int64_t> Console::waitMs(const std::string& argument) {
    const auto seconds = toNumber(trim(argument));
    if (!seconds || *seconds < 0 || !std::isfinite(*seconds) || *seconds > kLongestWaitSeconds) return std::nullopt;
    return static_cast<std::int64_t>(std::llround(*seconds * 1000.0));
}

namespace {
constexpr const char* kUntil = "until ";

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "hh:mm", "hh:mm:ss" or "hh:mm:ss.mmm" on the day of `now`.
std::optional<LocalMs> clockTimeToday(std::string clock, LocalMs now) {
    int ms = 0;
    if (const auto dot = clock.find('.'); dot != std::string::npos) {
        std::string fraction = clock.substr(dot + 1);
        if (clock.size() - dot - 1 > 3 || !allDigits(fraction)) return std::nullopt;
        fraction.resize(3, '0');
        ms = std::stoi(fraction);
        clock.resize(dot);
        if (clock.size() != 8) return std::nullopt;
    }
    const CivilTime today = toCivil(now);
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d ", today.year, today.month, today.day);
    const auto at = parseDateTime(date + clock);
    if (!at) return std::nullopt;
    return *at + ms;
}
}  // namespace

std::optional<std::int64_t> Console::waitMs(const std::string& argument, LocalMs now) {
    const std::string a = trim(argument);
    if (!startsWith(lcase(a), kUntil)) return waitMs(a);
    const auto at = clockTimeToday(trim(a.substr(std::string(kUntil).size())), now);
    if (!at) return std::nullopt;
    return std::max<std::int64_t>(0, *at - now);
}

std::string Console::waitError(const std::string& argument) {
    if (startsWith(lcase(trim(argument)), kUntil))
        return "wait until wants a clock time hh:mm:ss[.mmm], not \"" + argument + "\"";
    const auto seconds = toNumber(trim(argument));
    if (seconds && *seconds > kLongestWaitSeconds)
        return "wait is at most " + std::to_string(kLongestWaitSeconds) + " seconds, not \"" + argument + "\"";
    return "wait wants seconds, not \"" + argument + "\"";
}

void Console::error(const std::string& message) { err_ << "ERROR " << message << '\n' << std::flush; }

std::optional<bool> Console::onOff(const std::string& argument) {
    const std::string a = lcase(trim(argument));
    if (a == "on") return true;
    if (a == "off") return false;
    return std::nullopt;
}

Control* Console::control(const std::string& formControl) {
    const auto dot = formControl.find('.');
    if (dot == std::string::npos) {
        error("expected FORM.CONTROL, not \"" + formControl + "\"");
        return nullptr;
    }
    Form* form = app_.formByName(formControl.substr(0, dot));
    if (!form) {
        error("no window " + formControl.substr(0, dot));
        return nullptr;
    }
    Control* c = form->findControl(formControl.substr(dot + 1));
    if (!c) error("no control " + formControl);
    return c;
}

void Console::execute(const std::string& line) {
    const auto parts = split(line);
    if (!parts) return;
    run(parts->first, parts->second);
}

void Console::run(const std::string& command, const std::string& rest) {
    SimulatedNode& node = app_.node();
    const auto args = words(rest);
    auto needs = [&](const char* what) {
        if (!rest.empty()) return true;
        error(command + " needs " + what);
        return false;
    };
    auto toggle = [&](void (SimulatedNode::*set)(bool)) {
        if (auto on = onOff(rest)) (node.*set)(*on);
        else error(command + " wants on or off, not \"" + rest + "\"");
    };

    if (command == "dtmf") {
        if (needs("digits")) node.receiveDtmf(trim(rest));
    } else if (command == "connect") {
        if (!needs("a callsign")) return;
        std::string name, address;
        if (args.size() == 2) name = args[1];
        if (args.size() >= 3) {
            address = args.back();
            for (size_t i = 1; i + 1 < args.size(); ++i) name += (i > 1 ? " " : "") + args[i];
        }
        node.stationConnects(args[0], name, address);
    } else if (command == "disconnect") {
        if (needs("a callsign")) node.stationDisconnects(args[0]);
    } else if (command == "chat") {
        if (needs("a chat line")) node.receiveChat(rest);
    } else if (command == "rx") {
        toggle(&SimulatedNode::setInternetAudio);
    } else if (command == "carrier") {
        toggle(&SimulatedNode::setCarrier);
    } else if (command == "signal") {
        toggle(&SimulatedNode::setReceivingSignal);
    } else if (command == "activity") {
        toggle(&SimulatedNode::setActivity);
    } else if (command == "unreachable") {
        toggle(&SimulatedNode::setUnreachable);
    } else if (command == "fail") {
        fail(args);
    } else if (command == "calls") {
        calls(rest);
    } else if (command == "close") {
        node.close();
    } else if (command == "show") {
        if (!needs("a window")) return;
        if (Form* f = app_.formByName(args[0])) f->Show();
        else error("no window " + args[0]);
    } else if (command == "set") {
        if (!needs("FORM.CONTROL VALUE")) return;
        const auto blank = rest.find_first_of(" \t");
        std::string value;
        if (blank != std::string::npos) {
            const auto v = rest.find_first_not_of(" \t", blank);
            if (v != std::string::npos) value = rest.substr(v);
        }
        if (Control* c = control(args[0])) c->owner().asOperator(*c, [&] { c->operatorSet(value); });
    } else if (command == "click") {
        if (!needs("FORM.CONTROL")) return;
        bool clicked = true;
        if (Control* c = control(args[0])) c->owner().asOperator(*c, [&] { clicked = c->operatorClick(); });
        if (!clicked) error(args[0] + " cannot be clicked now");
    } else if (command == "get") {
        if (!needs("FORM.CONTROL")) return;
        if (Control* c = control(args[0])) out_ << "= " << oneLine(c->valueText()) << '\n' << std::flush;
    } else if (command == "answer") {
        if (!needs("yes, no, ok, cancel or a path")) return;
        if (dialogs_) dialogs_->answer(rest);
        else error("no dialogs to answer in this run");
    } else if (command == "quit") {
        quit_ = true;
        app_.endProgram();
    } else if (command == "wait") {
        error("wait is handled by the run, not here");
    } else {
        error("unknown command " + command);
    }
}

// `fail OPERATION|all [CALLS]` and `fail OPERATION|all off`.
void Console::fail(const std::vector<std::string>& args) {
    SimulatedNode& node = app_.node();
    const std::string usage = "fail wants an operation of EchoLink or all, then a number of calls or off";
    if (args.empty() || args.size() > 2) return error(usage);
    const std::string& operation = args[0];
    bool known;
    if (args.size() == 2 && lcase(args[1]) == "off") {
        known = node.stopFailing(operation);
    } else {
        int calls = 0;
        if (args.size() == 2) {
            const auto n = toNumber(args[1]);
            if (!n || *n < 1 || *n > 1e9 || *n != std::floor(*n)) return error(usage + ", not \"" + args[1] + "\"");
            calls = static_cast<int>(*n);
        }
        known = node.failOperation(operation, calls);
    }
    if (!known) error("EchoLink has no operation " + operation);
}

// `calls on|off` counts every call to EchoLink by handler; `calls` prints the counts.
void Console::calls(const std::string& rest) {
    if (rest.empty()) {
        for (const auto& c : app_.node().callCounts())
            out_ << "= " << c.operation << ' ' << c.handler << ' ' << c.calls << ' ' << c.failed << '\n';
        out_ << std::flush;
        return;
    }
    if (auto on = onOff(rest)) app_.node().countCalls(*on);
    else error("calls wants on or off, or nothing, not \"" + rest + "\"");
}
