// Starting a bulletin (Play buttons and the schedule), the node's status during it, the DTMF
// codes, the Stop, Test, File and Default buttons.
#include <exception>
#include <filesystem>

#include "app/app.h"
#include "beacons/beacon_set1_window.h"
#include "core/step.h"
#include "core/text.h"
#include "echolink/echolink_app.h"
#include "news/news_player_window.h"
#include "player/player_window.h"
#include "speech/idents_window.h"
#include "weather/forecast_parser_window.h"
#include "weather/weather_requests.h"
#include "weather/weather_window.h"

Form24::Kind Form24::kindOf(const FileSet& set) const {
    if (set.conditions.value()) return Kind::Conditions;
    if (set.forecast.value()) return Kind::Forecast;
    return Kind::News;   // the "News" option, or none selected
}

void Form24::NodeStatus(OnFailure rule) {
    ferrin = 1;
    ferrin2 = 1;
    stepUnder(rule, [&] {
        if (ListAsBusyCheck.value() == 1) EchoLink().Busy(true);
    });
    stepUnder(rule, [&] {
        if (DisconnectAll.value() == 1) EchoLink().DisconnectAllStations();
    });
}

// The schedule's start goes on past every failing statement, so a bulletin due while EchoLink
// does not answer still plays; a Play button's start ends at its failure.
OnFailure Form24::failureRuleOf(Asker asker) {
    return asker == Asker::Unattended ? OnFailure::SkipTheStep : OnFailure::EndTheHandler;
}

std::optional<std::string> Form24::weatherReport(Kind kind) {
    Form114& weather = app().form114();
    try {
        std::string text;
        if (kind == Kind::Conditions) {
            weather.TXWeather();
            text = weather.Text1.text();
        } else {
            // Cleared first, so a forecast that cannot be read is never replaced by an old one.
            weather.Text3.setText("");
            Form115& forecast = app().form115();
            forecast.GetForcastFile();
            if (!forecast.fileWasRead()) return std::nullopt;   // told by the parser
            forecast.SortForcast();
            text = weather.Text3.text();
        }
        if (trim(text).empty()) {
            LogError(std::string("News player: the weather ") +
                     (kind == Kind::Conditions ? "conditions report" : "forecast") + " is empty; nothing is spoken ");
            return std::nullopt;
        }
        return text;
    } catch (const ProgramEnded&) {
        throw;
    } catch (const WeatherReportError&) {
        return std::nullopt;   // logged by the report, its boxes cleared
    } catch (const std::exception& e) {
        LogError(std::string("News player: the weather report could not be built: ") + e.what() + " ");
        return std::nullopt;
    }
}

// The speak-now path drops a text while announcements are disabled, the link is busy or the
// idents window transmits. A bulletin looks first, so a dropped one leaves no marks behind.
bool Form24::speechWouldBeDropped() {
    Form3& idents = app().form3();
    return idents.Check1.value() == 1 || EchoLink().LinkBusy() || idents.PTT.caption() == "PTT ON";
}

bool Form24::handNewsFile(const std::string& path, Asker asker, const std::string& what) {
    if (path.empty() && asker == Asker::Unattended) {
        // Nobody is there to answer the player's file dialog.
        LogError(what + ": no audio file is set; nothing is played ");
        return false;
    }
    Form1& player = app().form1();
    player.txtFile.setText(app().mapPath(path));
    player.TempVolSet.setText(VolSet.text());
    player.TXFile();
    return true;
}

// Starts set n's bulletin now: a news file, or a spoken conditions report or forecast.
Form24::Started Form24::StartBulletin(int n, Asker asker) {
    std::optional<weather::OperatorRequest> asking;
    if (asker == Asker::Operator) asking.emplace();
    FileSet set = fileSet(n);
    const Kind kind = kindOf(set);
    const std::string what = n == 3 ? "2nd File" : "Audio File " + std::to_string(n + 1);
    const auto handed = [](bool ok) { return ok ? Started::Yes : Started::Refused; };

    if (kind == Kind::News) {
        if (set.file.text().empty() && asker == Asker::Unattended)
            return handed(handNewsFile("", asker, "News player, " + what));   // logged; nothing starts
        // A scheduled bulletin whose file is missing puts nothing on the air, so the node is
        // not listed busy, nobody is disconnected and no end is announced.
        if (asker == Asker::Unattended && !std::filesystem::is_regular_file(app().mapPath(set.file.text()))) {
            LogError("News player, " + what + ": " + set.file.text() + " <-- File not found; nothing is played ");
            return Started::Refused;
        }
        NodeStatus(failureRuleOf(asker));
        if (n == 2) Play2ndFile = 1;
        EndText = 2;
        return handed(handNewsFile(set.file.text(), asker, "News player, " + what));
    }
    // A weather bulletin: a report that cannot be built, or speech that would be dropped, starts
    // nothing, so the node is not listed busy and no end is announced for it.
    const auto report = weatherReport(kind);
    if (!report) return Started::Refused;
    if (speechWouldBeDropped()) return Started::NotNow;
    NodeStatus(failureRuleOf(asker));
    if (n == 2) Play2ndFile = 1;
    EndText = 1;
    Form111& speakNow = app().form111();
    speakNow.TempText = *report;
    speakNow.TestTTW();
    return Started::Yes;
}

// Speaks a text on the air now through the speech file, at the speech volume, whatever the
// link and the announcement switch say (the warning and the Test buttons).
void Form24::speakOnAir(const std::string& text) {
    Form3& idents = app().form3();
    Form1& player = app().form1();
    idents.TextField.setText(text);
    step([&] { idents.SaveToWav(); });
    step([&] { player.txtFile.setText(idents.wavfile.text()); });
    step([&] { player.TXFile(); });
    step([&] { player.V1.setValue(toInt(idents.VolSet.text())); });   // no number: the slider stays
}

void Form24::WarnDisconnect() { speakOnAir(WarnDisc.text()); }

void Form24::EchoLink_DTMFString(const std::string& sDigits) {
    if (sDigits.empty()) return;
    for (int n = 0; n < 3; ++n) {
        FileSet set = fileSet(n);
        if (set.dtmf->text().empty() || set.dtmf->text() != sDigits) continue;
        step([&] { handNewsFile(set.file.text(), Asker::Unattended, "News player, DTMF " + sDigits); });
    }
}

// Every Stop button stops whatever the player plays. A bulletin stopped in Audio File 3 goes on
// to its 2nd File when one is asked for, as after the player's or the weather window's stop; any
// other stopped bulletin ends.
void Form24::stopButton(bool clearBusy) {
    app().form1().StopOnRequest();
    if (clearBusy) EchoLink().Busy(false);
}

void Form24::pickFile(TextBox& box) {
    const std::string name =
        pickedFileName(app().dialogs(), box.text(), "*.wav, *.mp2, *.mp3, *.mid|*.wav;*.mp2;*.mp3;*.mid", box.text());
    if (name.empty()) {
        app().dialogs().messageBox("Error No File selected", " You must select an audio file", MsgButtons::Ok,
                                   MsgIcon::Information);
        return;
    }
    box.setText(name);
}
