#pragma once
// Message boxes, the file-open dialog and the tray icon. The GUI answers with real widgets;
// tests and the headless console answer from a script.
#include <functional>
#include <optional>
#include <string>

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual MsgAnswer messageBox(const std::string& title, const std::string& text,
                                 MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None) = 0;
    // A path, or nothing when the operator cancels. `filter` as "Audio (*.wav;*.mp3)|*.wav;*.mp3".
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                                const std::string& initialDir = "") = 0;
};

// The file name a picker's dialog, opened at the box's `current` name, ends with: the path chosen,
// or the name it opened with when the operator cancels. A cancel so changes nothing, and counts as
// no choice only where there was no name to keep.
inline std::string pickedFileName(DialogService& dialogs, const std::string& title, const std::string& filter,
                                  const std::string& current) {
    return dialogs.openFile(title, filter, current).value_or(current);
}

class TrayService {
public:
    virtual ~TrayService() = default;
    virtual bool available() const = 0;
    virtual bool add(const std::string& tip) = 0;
    virtual void remove() = 0;
    virtual bool shown() const = 0;
    virtual void onClick(std::function<void()> handler) = 0;
};
