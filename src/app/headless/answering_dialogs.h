#pragma once
// Dialogs without a screen: each message box or file dialog takes the next answer the console was
// given (`answer yes|no|ok|cancel|PATH`); with none given, a box takes its safe default and a file
// dialog is cancelled. Thread-safe, as the real-time console feeds it from its input thread.
#include <deque>
#include <mutex>
#include <string>

#include "platform/dialogs.h"

class AnsweringDialogs final : public DialogService {
public:
    void answer(const std::string& text);
    MsgAnswer messageBox(const std::string& title, const std::string& text, MsgButtons buttons,
                         MsgIcon icon) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& initialDir) override;
    size_t pending() const;

private:
    std::optional<std::string> next();
    mutable std::mutex mutex_;
    std::deque<std::string> answers_;
};

// A desktop without a tray: every icon request fails, so windows stay shown and say why.
class NoTray final : public TrayService {
public:
    bool available() const override { return false; }
    bool add(const std::string&) override { return false; }
    void remove() override {}
    bool shown() const override { return false; }
    void onClick(std::function<void()>) override {}
};
