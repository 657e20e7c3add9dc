#include "shell/error_log_window.h"

#include "core/datetime.h"
#include "core/text.h"

Form120::Form120(FormHost& host) : Form(host, "Form120", "Error Messages") {
    Text1.multiLine = true;
    Text1.foreColor = 0xFF;  // red text on the tooltip background
    Command1.onClick([this] { Hide(); });
    declareLayout();
}

void Form120::Append(const std::string& message) {
    Show();
    const LocalMs t = now();
    Text1.setText(appendToLog(Text1.text(), shortDate(t) + " " + timeText(t) + " --> " + message + "\r\n"));
}
