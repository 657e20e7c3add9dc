// The view's tests need one application object; they draw offscreen unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {
// The offscreen platform says, for every window, what it cannot do; that is expected here.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("This plugin does not support") || message.startsWith("QStandardPaths:")) return;
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// The offscreen screen is the size the windows are laid out for: 1280 by 800.
// Returns the screen file, to remove once the application has read it.
std::string offscreenOf1280By800() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::string(platform) != "offscreen") return "";
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("mvsmall-gui-test-screen-" + std::to_string(getpid()) + ".json"))
                                 .string();
    if (FILE* f = fopen(file.c_str(), "w")) {
        fputs(R"({"screens":[{"name":"screen","x":0,"y":0,"width":1280,"height":800,)"
              R"("logicalDpi":96,"logicalBpi":96,"dpr":1}]})",
              f);
        fclose(f);
    }
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file).c_str(), 1);
    return file;
}
}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietOffscreen);
    const std::string screenFile = offscreenOf1280By800();
    QApplication app(argc, argv);
    if (!screenFile.empty()) std::filesystem::remove(screenFile);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
