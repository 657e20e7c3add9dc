// Path boxes through the real program: a box shows a stored path as this machine names it, and a
// save writes back what was stored (whatever the data folder is today), unless the operator picked
// another file, which is saved as picked.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/text.h"
#include "e2e/run_binary.h"
#include "support/test_wav.h"

namespace {
const std::string kVirtual = "--virtual-time \"2026-12-10 12:00:01\"";

// One path box: where it is stored, how the operator picks a file for it and saves the window.
struct PathBox {
    const char* box;      // FORM.CONTROL
    const char* file;     // settings file
    const char* key;
    const char* picker;   // the button that opens the file dialog for it
    const char* save;     // the window's save button
    const char* windowsForm;   // a stored Windows path that this machine maps
    const char* missingSaves;  // what a save writes when the key was never stored (the default)
};

const PathBox kBoxes[] = {
    {"Form3.Text2", "identabc.ini", "TEXT2", "Form3.Command12", "Form3.Command6",
     "C:\\Program Files\\Marovane\\Bell.wav", "C:\\Program Files\\Marovane\\RF.wav"},
    {"Form22.RFTone", "mvcourtesy.ini", "RFTONE", "Form22.Command1", "Form22.Command13",
     "C:\\Program Files\\Marovane\\Tones\\rf tone.wav", "C:\\Program Files\\Marovane\\RF.wav"},
    {"Form22.InetTone", "mvcourtesy.ini", "INETTONE", "Form22.Command6", "Form22.Command13",
     "c:\\program files\\marovane\\ip2.wav", "C:\\Program Files\\Marovane\\IP.wav"},
    {"Form24.Text4x", "newsabc.ini", "Text4x", "Form24.Command3", "Form24.Command5",
     "C:\\Program Files\\Marovane\\News1.mp3", "C:\\Program Files\\Marovane\\News1.mp3"},
    {"Form24.Text5x", "newsabc.ini", "Text5x", "Form24.Command6", "Form24.Command5",
     "C:\\Program Files\\Marovane\\Local\\News2.mp3", "C:\\Program Files\\Marovane\\News2.mp3"},
    {"Form24.Text7x", "newsabc.ini", "Text7x", "Form24.Command12", "Form24.Command5",
     "C:\\Program Files\\Marovane\\News3.mp3", "C:\\Program Files\\Marovane\\News3.mp3"},
    {"Form24.Text8x", "newsabc.ini", "Text8x", "Form24.Command15", "Form24.Command5",
     "C:\\Program Files\\Marovane\\Second.mp3", "C:\\Program Files\\Marovane\\News4.mp3"},
    {"Form1.txtFile", "MP3_PlayerABC.ini", "TXTFILE", "Form1.Command4", "Form1.Command11",
     "C:\\Program Files\\Marovane\\News1.mp3", "100"},
    {"Form114.WhereIsFile", "abcweather.ini", "WHEREISFILE", "Form114.GetcsvFile", "Form114.Command1",
     "c:\\wxex\\csv\\data.csv", "c:\\wxex\\csv\\data.csv"},
    {"Form114.WhereIsFile2", "abcweather.ini", "WHEREISFILE2", "Form114.Command5", "Form114.Command1",
     "C:\\wxex\\data\\forecast.txt", "C:\\wxex\\data\\metar.txt"},
    {"Form114.WhereIsFile3", "abcweather.ini", "WHEREISFILE3", "Form114.Command6", "Form114.Command1",
     "C:\\Program Files\\Marovane\\warning.txt", "C:\\wxex\\data\\warning.txt"},
};

// The value a saved settings file holds for `key` (keys without regard to case).
std::string savedValue(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && equalsNoCase(line.substr(0, eq), key)) return line.substr(eq + 1);
    }
    return "(no " + key + ")";
}

struct Saved {
    std::string shown;   // what the box showed after the load
    std::string value;   // what the save wrote
};

// Runs the program on a settings file holding `stored` for the box (nothing: the key is missing),
// feeds it `input` and saves the window.
Saved saveAfter(const PathBox& b, const char* stored, const std::string& input = "") {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("config"));
    std::filesystem::create_directories(folder.file("picked"));
    writeTestWav(folder.file("picked/my file.wav"));
    folder.write(std::string("config/") + b.file,
                 stored ? std::string("[SETTINGS]\n") + b.key + "=" + stored + "\n" : "[SETTINGS]\n");
    const auto run = runHeadless(folder, "get " + std::string(b.box) + "\n" + replaceAll(input, "PICKED", folder.file("picked/my file.wav")) +
                                             "click " + b.save + "\n", kVirtual);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    Saved saved;
    for (const auto& l : run.out)
        if (startsWith(l, "= ") && saved.shown.empty()) saved.shown = replaceAll(l.substr(2), folder.path(), "ROOT");
    saved.value = replaceAll(savedValue(folder.read(std::string("config/") + b.file), b.key), folder.path(), "ROOT");
    return saved;
}

TEST(StoredPaths, EveryPathBoxSavesTheStoredFormUnlessTheOperatorPickedAFile) {
    for (const PathBox& b : kBoxes) {
        SCOPED_TRACE(b.box);
        // The box shows the path as this machine names it; the file keeps the Windows form.
        const Saved windows = saveAfter(b, b.windowsForm);
        EXPECT_TRUE(startsWith(windows.shown, "ROOT/data/") || startsWith(windows.shown, "/")) << windows.shown;
        EXPECT_EQ(windows.shown.find('\\'), std::string::npos) << windows.shown;
        EXPECT_EQ(windows.value, b.windowsForm);
        // A path this machine stored stays as it is.
        EXPECT_EQ(saveAfter(b, "/srv/station/sounds/ident.wav").value, "/srv/station/sounds/ident.wav");
        // A key never stored: the default's own form.
        EXPECT_EQ(saveAfter(b, nullptr).value, b.missingSaves);
        // The operator picks a file: saved as picked.
        EXPECT_EQ(saveAfter(b, b.windowsForm, std::string("answer PICKED\nclick ") + b.picker + "\n").value,
                  "ROOT/picked/my file.wav");
    }
}

// What the stored form is for: the data folder moves, and the box follows it.
TEST(StoredPaths, AStoredPathFollowsTheDataFolderAfterASave) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("config"));
    folder.write("config/mvcourtesy.ini", "[SETTINGS]\nRFTONE=C:\\Program Files\\Marovane\\RF.wav\n");
    ASSERT_EQ(runHeadless(folder, "click Form22.Command13\n", kVirtual).exitCode, 0);
    const auto moved = runProgram(folder, "get Form22.RFTone\n",
                                  "--headless --config '" + folder.file("config") + "' --data '" +
                                      folder.file("moved") + "' " + kVirtual);
    ASSERT_FALSE(moved.out.empty());
    EXPECT_EQ(moved.out[0], "= " + folder.file("moved") + "/RF.wav");
}
}  // namespace
