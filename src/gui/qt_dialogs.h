#pragma once
// Message boxes, the file-open dialog and the tray icon drawn by Qt.
#include <QString>
#include <functional>
#include <memory>

#include "platform/dialogs.h"

class QSystemTrayIcon;

// "Audio (*.wav;*.mp3)|*.wav;*.mp3|All (*.*)|*.*" as Qt writes it: "Audio (*.wav *.mp3);;All (*)".
QString qtFileFilter(const std::string& filter);

class QtDialogs final : public DialogService {
public:
    MsgAnswer messageBox(const std::string& title, const std::string& text, MsgButtons buttons = MsgButtons::Ok,
                         MsgIcon icon = MsgIcon::None) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& initialDir = "") override;
};

// The launcher comes back from the tray on a left-button double-click or a right-button press on
// the icon; a single left click does nothing.
bool trayActivationRestores(int activationReason);

class QtTray final : public TrayService {
public:
    QtTray();
    ~QtTray() override;
    // How a click reaches the model: by default the handler runs at once; the program queues it on the loop.
    void setDispatch(std::function<void(std::function<void()>)> dispatch) { dispatch_ = std::move(dispatch); }

    bool available() const override;
    bool add(const std::string& tip) override;
    void remove() override;
    bool shown() const override;
    void onClick(std::function<void()> handler) override { handler_ = std::move(handler); }
    QSystemTrayIcon* icon() const { return icon_.get(); }

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    std::function<void()> handler_;
    std::function<void(std::function<void()>)> dispatch_;
};
