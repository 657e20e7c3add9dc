#include "weather/parser_window.h"

#include "app/app.h"
#include "core/step.h"
#include "core/text.h"
#include "platform/dialogs.h"
#include "weather/read_csv.h"
#include "weather/weather_requests.h"
#include "weather/weather_window.h"

ParserWindow::ParserWindow(FormHost& host, std::string name, std::string fileBoxDesignText)
    : Form(host, std::move(name), "CSV Parsing Demo") {
    WhereIsFile2.setText(fileBoxDesignText);
    Command1.onClick([this] {
        weather::OperatorRequest asking;
        GetForcastFile();
        SortForcast();
    });
    cmdParse.onClick([this] { cmdParse_Click(); });
    GetcsvFile.onClick([this] { GetcsvFile_Click(); });
    declareLayout();
}

void ParserWindow::load() {
    createEchoLink();
    setCaption(app().windowCaption("      Weather"));
    WhereIsFile2.setText(app().mapPath(WhereIsFile2.text()));
}

Form114& ParserWindow::weather() { return app().form114(); }

std::string fromCharacter(const std::string& text, long s) { return mid(text, s < 1 ? 1 : s); }

void ParserWindow::GetForcastFile() {
    step([&] { editParse.setText(""); });
    fileWasRead_ = false;
    const std::string path = sourcePath();
    const weather::WeatherText file = weather::joinedLinesOf(path);
    if (!file.read) {
        fileMissing(file.named(path));
        return;
    }
    fileFound();
    if (!file.problem.empty()) LogError(path + " <-- " + file.problem + " ");
    std::string text = cutAfterTag(file.text);
    for (const auto& [from, to] : replacements()) text = replaceAll(text, from, to);
    editParse.setText(text);
    fileWasRead_ = true;
}

void ParserWindow::splitIntoList() {
    lstParse.clear();
    Text2.setText("");
    if (editDelimit.text().empty()) editDelimit.setText(":");
    if (editQuote.text().empty()) editQuote.setText("\"");
    lstParse.setItems(ReadCSV::ParseCSV(editParse.text(), editDelimit.text(), editQuote.text()));
}

std::string ParserWindow::field(int n) const { return hasField(n) ? lstParse.item(n) : std::string(); }

void ParserWindow::cmdParse_Click() {
    lstParse.clear();
    if (editDelimit.text().empty()) editDelimit.setText(",");
    if (editQuote.text().empty()) editQuote.setText("\"");
    std::vector<std::string> fields;
    try {
        fields = ReadCSV::ParseCSV(editParse.text(), editDelimit.text(), editQuote.text());
    } catch (const ReadCSV::OverflowError&) {
        app().dialogs().messageBox(App::kProductName, "The text is too long to split.", MsgButtons::Ok,
                                   MsgIcon::Exclamation);
        return;
    }
    for (const auto& f : fields) lstParse.addItem(std::to_string(lstParse.listCount()) + " -> " + f);
}

void ParserWindow::GetcsvFile_Click() {
    const std::string name = pickedFileName(app().dialogs(), WhereIsFile2.text(), "*.txt|*.txt", WhereIsFile2.text());
    if (!name.empty()) {
        WhereIsFile2.setText(name);
    } else {
        app().dialogs().messageBox("Error No File selected", " You must select a txt file", MsgButtons::Ok,
                                   MsgIcon::Information);
    }
}
