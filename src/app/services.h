#pragma once
// The outside services a station runs on. The program gets the real ones; tests and the
// virtual-time console get doubles.
#include <memory>

#include "platform/audio.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/speech.h"
#include "platform/transfer.h"

struct Services {
    std::unique_ptr<AudioService> audio;
    std::unique_ptr<SpeechService> speech;
    std::unique_ptr<TransferService> transfer;
    std::unique_ptr<WebPageText> webText;
    std::unique_ptr<ShellService> shell;
    std::unique_ptr<DialogService> dialogs;
    std::unique_ptr<TrayService> tray;
};
