// The FTP transfer control against an FTP server on 127.0.0.1, through the real libcurl service.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/app.h"
#include "core/settings.h"
#include "news/ftp_control.h"
#include "platform/linux_services.h"
#include "platform/local_servers.h"
#include "support/station_fixture.h"

namespace {

// Every status line the control paints, in order.
class StatusLines final : public ViewListener {
public:
    void controlChanged(Control& c) override {
        if (c.name() == "ftp1_lblStatus") lines.push_back(c.valueText());
    }
    void formChanged(Form&) override {}
    std::vector<std::string> lines;
};

class FtpControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pythonHas("pyftpdlib")) GTEST_SKIP() << "python3-pyftpdlib is not installed";
        ASSERT_TRUE(server.started()) << server.problem();
        StationOptions o;
        o.realTransfers = true;
        station = std::make_unique<Station>(o);
        app = &station->app();
        app->setView(&status);
        host = std::make_unique<Form>(*app, "FtpHost");
        ftp = std::make_unique<ftpControl>(*host, "ftp1");
        ftp->ftp_remote_address("ftp://127.0.0.1");
        ftp->ftp_remote_port(server.port());
        ftp->ftp_username("ham");
        ftp->ftp_password("radio");
        status.lines.clear();
    }
    void TearDown() override {
        if (app) app->setView(nullptr);
    }

    TempFolder remote, local;
    LocalServer server{ftpServerScript(), {remote.path()}};
    std::unique_ptr<Station> station;
    App* app = nullptr;
    StatusLines status;
    std::unique_ptr<Form> host;
    std::unique_ptr<ftpControl> ftp;
};

}  // namespace

TEST_F(FtpControlTest, ADownloadFetchesTheFileAndShowsEachStep) {
    remote.write("bulletin.txt", "news of the week\n");
    ftp->ftp_remote_filename("/bulletin.txt");
    ftp->ftp_local_filename(local.file("bulletin.txt"));
    ftp->ftp_is_ascii_mode(true);
    std::string result;
    EXPECT_TRUE(ftp->ftp_Download_quick(result));
    EXPECT_EQ(result, "download complete.");
    EXPECT_EQ(local.read("bulletin.txt"), "news of the week\n");
    EXPECT_EQ(ftp->Label1.caption(), " >> DOWNLOADING COMPLETE <<     >> READY FOR NEXT FILE << ");
    EXPECT_EQ(ftp->Label1.backColor(), 0x8000);
    EXPECT_EQ(ftp->pbTransferStatus.value(), 100);
    const std::vector<std::string> expected = {"Creating Session..", "Creating FTP Session..",
                                               "Connected! Downloading File..  (Ascii Mode).. Please Wait. (75%)",
                                               "Download Success, disconnecting. (100%)"};
    EXPECT_EQ(status.lines, expected);
}

TEST_F(FtpControlTest, ARefusedLoginAndAMissingFileAreFailuresThatKeepTheLocalFile) {
    local.write("bulletin.txt", "old");
    ftp->ftp_local_filename(local.file("bulletin.txt"));
    ftp->ftp_remote_filename("/nothing-here.txt");
    std::string result;
    EXPECT_FALSE(ftp->ftp_Download_quick(result));
    EXPECT_EQ(result, "Failed downloading file, check file permissions (both remote & local) and try again.");
    EXPECT_EQ(ftp->Label1.caption(), " >>>> FAILED <<<< ");
    EXPECT_EQ(ftp->Label1.backColor(), 255);
    EXPECT_EQ(ftp->pbTransferStatus.value(), 100);
    EXPECT_EQ(local.read("bulletin.txt"), "old");

    ftp->ftp_password("wrong");
    EXPECT_FALSE(ftp->ftp_Download_quick(result));
    EXPECT_EQ(result,
              "Unable to connect. Please check your username, password, FTP Address and Port. Alternativly the server "
              "may be down.");
    EXPECT_EQ(ftp->pbTransferStatus.value(), 50);
    EXPECT_EQ(local.read("bulletin.txt"), "old");
    EXPECT_EQ(app->transcript().count("LOG "), 2);
}

TEST_F(FtpControlTest, AnUploadStoresTheFileAndAFailedOneSaysSo) {
    local.write("report.txt", "uploaded text");
    ftp->ftp_local_filename(local.file("report.txt"));
    ftp->ftp_remote_filename("/report.txt");
    std::string result;
    EXPECT_TRUE(ftp->ftp_Upload_quick(result));
    EXPECT_EQ(result, "upload complete.");
    EXPECT_EQ(remote.read("report.txt"), "uploaded text");

    ftp->ftp_remote_filename("/no/such/folder/report.txt");
    EXPECT_FALSE(ftp->ftp_Upload_quick(result));
    EXPECT_EQ(result, "Failed uploading file, check file permissions (both remote & local) and try again.");
    EXPECT_EQ(ftp->Label1.caption(), " >> DOWNLOADING FILE <<   This can take some time    >> PLEASE WAIT << ");
}

TEST(FtpControlProperties, SavedWithTheHostAndReadBackWithTheirDefaults) {
    Station s;
    Form host(s.app(), "FtpHost");
    ftpControl ftp(host, "ftp1");
    EXPECT_EQ(ftp.lblStatus.caption(), "Status: Idle.");
    EXPECT_EQ(ftp.Label1.caption(), " >> SYSTEM READY TO DOWNLOAD FILE << ");
    std::vector<std::string> announced;
    ftp.PropertyChanged = [&](const std::string& name) { announced.push_back(name); };
    ftp.ftp_remote_address("ftp://ftp.example.com");
    ftp.ftp_password(ftpControl::kPasswordPlaceholder);
    ftp.ftp_remote_port(2121);
    ftp.CancelButton_Width(1575);
    ftp.FontColour(0xFF);
    EXPECT_EQ(announced,
              (std::vector<std::string>{"ftp_remote_address", "ftp_password", "ftp_remote_port", "CancelButton_Width",
                                        "FontColour"}));

    const std::string path = s.settingsFile("host.ini");
    {
        SettingsFile file(path);
        SettingsPropertyBag bag(file, "ftp1");
        ftp.UserControl_WriteProperties(bag);
        file.save();
    }
    SettingsFile file(path);
    EXPECT_EQ(file.read("ftp1", "ftp_remote_address", "-", 255), "ftp://ftp.example.com");
    EXPECT_EQ(file.read("ftp1", "ftp_remote_port", "-", 255), "2121");
    EXPECT_EQ(file.read("ftp1", "FontColour", "-", 255), "&HFF&");
    // Values equal to their saving defaults are not written: the placeholder password among them.
    EXPECT_EQ(file.read("ftp1", "ftp_password", "-", 255), "-");
    EXPECT_EQ(file.read("ftp1", "CancelButton_Width", "-", 255), "-");

    ftpControl loaded(host, "ftp2");
    SettingsPropertyBag bag(file, "ftp1");
    loaded.UserControl_ReadProperties(bag);
    EXPECT_EQ(loaded.ftp_remote_address(), "ftp://ftp.example.com");
    EXPECT_EQ(loaded.ftp_remote_port(), 2121);
    EXPECT_EQ(loaded.ftp_password(), "");
    EXPECT_EQ(loaded.ftp_username(), "");   // a newly placed control's empty text was saved
    EXPECT_EQ(loaded.FontColour(), 0xFF);
    EXPECT_EQ(loaded.BackColour(), 0x8000000F);
    EXPECT_EQ(loaded.CancelButton_Text(), "Cancel Transfer");
    EXPECT_EQ(loaded.CancelButton_Width(), 1575);
    // A control saved with nothing of its own reads the loading defaults.
    ftpControl fresh(host, "ftp3");
    SettingsPropertyBag none(file, "ftp3");
    fresh.UserControl_ReadProperties(none);
    EXPECT_EQ(fresh.ftp_username(), "anonymous");
    EXPECT_EQ(fresh.ftp_remote_port(), 21);
    EXPECT_EQ(fresh.ftp_remote_filename(), "/public_html/");
    EXPECT_EQ(fresh.ftp_local_filename(), "c:\\");
    EXPECT_EQ(fresh.ftp_remote_address(), ftpControl::kAddressPlaceholder);
}

namespace {
// The names in `folder` that begin with `prefix`, sorted.
std::vector<std::string> namesStarting(const TempFolder& folder, const std::string& prefix) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        if (e.path().filename().string().rfind(prefix, 0) == 0) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Whether a partial file of the bulletin holds part of it.
bool partWayIn(const TempFolder& folder) {
    for (const auto& name : namesStarting(folder, "bulletin.mp3.part")) {
        std::error_code failed;
        if (std::filesystem::file_size(folder.file(name), failed) > 0 && !failed) return true;
    }
    return false;
}

// A process of its own runs a control's download from the server into `target`, and is killed
// at once (nothing of it runs on) once part of the file has arrived.
void killDownloadPartWay(int port, const TempFolder& scratch, const TempFolder& local, const std::string& target) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("TMPDIR", scratch.path().c_str(), 1);   // what the station makes goes with the test
        StationOptions o;
        o.realTransfers = true;
        Station station(o);
        Form host(station.app(), "FtpHost");
        ftpControl ftp(host, "ftp1");
        ftp.ftp_remote_address("ftp://127.0.0.1");
        ftp.ftp_remote_port(port);
        ftp.ftp_username("ham");
        ftp.ftp_password("radio");
        ftp.ftp_remote_filename("/bulletin.mp3");
        ftp.ftp_local_filename(target);
        std::string result;
        ftp.ftp_Download_quick(result);
        _exit(0);
    }
    ASSERT_GT(child, 0);
    // A bound against a hang, not a measure: the slow server sends for minutes.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!partWayIn(local) && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the download ended before it was killed";
}
}  // namespace

// A download killed part-way leaves the local file as it was, and its partial file beside it;
// the control's next loading removes that, and only that.
TEST(FtpControlKilled, TheLocalFileStaysWholeAndTheNextLoadingRemovesWhatTheKilledDownloadLeft) {
    if (!pythonHas("pyftpdlib")) GTEST_SKIP() << "python3-pyftpdlib is not installed";
    TempFolder remote, local, scratch;
    remote.write("bulletin.mp3", std::string(1'000'000, 'n'));
    LocalServer server{ftpServerScript(), {remote.path(), "4000"}};
    ASSERT_TRUE(server.started()) << server.problem();
    local.write("bulletin.mp3", "last week's");
    const std::string target = local.file("bulletin.mp3");

    killDownloadPartWay(server.port(), scratch, local, target);
    if (HasFatalFailure()) return;
    EXPECT_EQ(local.read("bulletin.mp3"), "last week's");
    const auto left = namesStarting(local, "bulletin.mp3.part");
    ASSERT_EQ(left.size(), 1u);

    // Beside it: a partial file another copy of the program is still writing, and the sysop's own.
    local.write("bulletin.mp3.partRunning", "");
    const int held = open(local.file("bulletin.mp3.partRunning").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    local.write("bulletin.mp3.partial", "the sysop's");

    Station s;
    Form host(s.app(), "FtpHost");
    ftpControl loaded(host, "ftp1");
    SettingsFile file(s.settingsFile("host.ini"));
    file.write("ftp1", "ftp_local_filename", target);
    SettingsPropertyBag bag(file, "ftp1");
    loaded.UserControl_ReadProperties(bag);
    close(held);
    EXPECT_EQ(namesStarting(local, "bulletin.mp3"),
              (std::vector<std::string>{"bulletin.mp3", "bulletin.mp3.partRunning", "bulletin.mp3.partial"}));
    EXPECT_EQ(local.read("bulletin.mp3"), "last week's");
}
