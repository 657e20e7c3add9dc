// The launcher's answers in the text chat: the version query, the greeting request, and
// messages left for this node's sysop.
#include "app/app.h"
#include "chat/greetings_window.h"
#include "chat/sysop_messages_window.h"
#include "core/datetime.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "shell/launcher_window.h"

namespace {
bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

bool namesSysop(const std::string& line, const std::string& call) {
    const std::string bare = replaceAll(replaceAll(call, "-R", ""), "-L", "");
    const std::string upper = ucase(line);
    for (const std::string& c : {call, bare})
        if (contains(upper, "** " + c + " **") || contains(upper, "**" + c + "**")) return true;
    return false;
}
}  // namespace

void Form5::EchoLink_ChatTextReceived(const std::string& sText) {
    // The three conventions act independently: a failure in one leaves the others to run.
    attempt("Answering the version query", [&] {
        if (contains(sText, "/ver/"))
            EchoLink().SendChatText(std::string(App::kProductName) + " " + " v" + App::versionText());
    });
    attempt("Selecting the connect greeting", [&] {
        if (contains(sText, "Hello") || contains(sText, "/greeting/")) app().form10().Option10.setValue(true);
    });
    attempt("Logging a message for the sysop", [&] {
        if (!namesSysop(sText, EchoLink().LocalNode().NodeCallsign)) return;
        Form126& log = app().form126();
        const LocalMs t = now();
        log.Text1.setText(appendToLog(log.Text1.text(), shortDate(t) + " at " + timeText(t) + " " + sText + "\r\n\r\n"));
        log.Show();
        EchoLink().SendChatText(" Message has been received and left for the " + EchoLink().LocalNode().NodeCallsign +
                                "'s Sysop");
    });
}
