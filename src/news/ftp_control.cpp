// The FTP transfer control: one file down from or up to an FTP server, each step shown.
#include "news/ftp_control.h"

#include <cstdio>
#include <exception>

#include "app/app.h"
#include "core/colours.h"
#include "core/event_loop.h"
#include "core/form.h"
#include "core/partial_file.h"
#include "core/step.h"
#include "core/text.h"

namespace {

constexpr std::int64_t kGreen = 0x8000;
using namespace colours;
constexpr int kTransferTimeoutSeconds = 300;
constexpr int kConnectTimeoutSeconds = 20;
constexpr int kMargin = 120;

std::string colourText(std::int64_t c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "&H%llX&", static_cast<unsigned long long>(c & 0xFFFFFFFF));
    return buf;
}

// "&H8000000F&" (the trailing "&" optional) or a decimal number.
std::int64_t colourValue(const std::string& text) {
    std::string t = trim(text);
    if (startsWith(ucase(t), "&H")) {
        t = t.substr(2);
        if (endsWith(t, "&")) t.pop_back();
        if (t.empty()) throw std::invalid_argument("not a colour");
        size_t used = 0;
        const auto v = std::stoll(t, &used, 16);
        if (used != t.size()) throw std::invalid_argument("not a colour");
        return v;
    }
    return toLong(t);
}

std::string percentEncoded(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            out += buf;
        }
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------- property store

std::string SettingsPropertyBag::ReadProperty(const std::string& name, const std::string& def) {
    return file_.read(section_, name, def, SettingsFile::kDefaultMaxLength);
}

void SettingsPropertyBag::WriteProperty(const std::string& name, const std::string& value, const std::string& def) {
    if (value == def) return;
    file_.write(section_, name, value);
}

// ---------------------------------------------------------------- creation, resizing

ftpControl::ftpControl(Form& host, const std::string& name)
    : Label1(host, name + "_Label1"),
      lblStatus(host, name + "_lblStatus"),
      pbTransferStatus(host, name + "_pbTransferStatus"),
      cmdCancel(host, name + "_cmdCancel", "Cancel Transfer"),
      host_(host) {
    // A cancel is not offered: a transfer runs to its end once started.
    cmdCancel.setEnabled(false);
    lblStatus.setCaption("Status: Idle.");
    Label1.setBackColor(kGreen);
    Label1.setCaption(" >> SYSTEM READY TO DOWNLOAD FILE << ");
}

void ftpControl::UserControl_Resize() {
    step([&] { pbTransferStatus.geometry.width = Width - 2 * kMargin; });
    step([&] { lblStatus.geometry.width = Width - 2 * kMargin; });
    step([&] { cmdCancel.geometry.left = (Width - cmdCancel.geometry.width) / 2; });
    step([&] { Height = 1410; });
}

// ---------------------------------------------------------------- properties

void ftpControl::changed(const char* property) {
    if (PropertyChanged) PropertyChanged(property);
}
void ftpControl::ftp_remote_address(const std::string& v) { remoteAddress_ = v; changed("ftp_remote_address"); }
void ftpControl::ftp_remote_port(int v) {
    if (v < 0 || v > 65535) throw std::out_of_range("not a port: " + std::to_string(v));
    remotePort_ = v;
    changed("ftp_remote_port");
}
void ftpControl::ftp_username(const std::string& v) { username_ = v; changed("ftp_username"); }
void ftpControl::ftp_password(const std::string& v) { password_ = v; changed("ftp_password"); }
void ftpControl::ftp_local_filename(const std::string& v) { localFile_ = v; changed("ftp_local_filename"); }
void ftpControl::ftp_remote_filename(const std::string& v) { remoteFile_ = v; changed("ftp_remote_filename"); }
void ftpControl::ftp_is_ascii_mode(bool v) { asciiMode_ = v; changed("ftp_is_ascii_mode"); }
void ftpControl::BackColour(std::int64_t v) {
    backColour_ = v;
    changed("BackColour");
}
void ftpControl::FontColour(std::int64_t v) {
    fontColour_ = v;
    changed("FontColour");
}
void ftpControl::CancelButton_Text(const std::string& v) {
    cmdCancel.setCaption(v);
    changed("CancelButton_Text");
}
void ftpControl::CancelButton_Enabled(bool v) {
    cmdCancel.setEnabled(v);
    changed("CancelButton_Enabled");
}
void ftpControl::CancelButton_Width(std::int32_t v) {
    cmdCancel.geometry.width = v;
    changed("CancelButton_Width");
}

// Each property is read on its own; one that cannot be read keeps its value.
void ftpControl::UserControl_ReadProperties(PropertyBag& bag) {
    step([&] { remoteAddress_ = bag.ReadProperty("ftp_remote_address", kAddressPlaceholder); });
    step([&] {
        const long port = toLong(bag.ReadProperty("ftp_remote_port", "21"));
        if (port < 0 || port > 65535) throw std::out_of_range("port");
        remotePort_ = static_cast<int>(port);
    });
    step([&] { username_ = bag.ReadProperty("ftp_username", "anonymous"); });
    step([&] { password_ = bag.ReadProperty("ftp_password", ""); });
    step([&] { localFile_ = bag.ReadProperty("ftp_local_filename", "c:\\"); });
    step([&] { remoteFile_ = bag.ReadProperty("ftp_remote_filename", "/public_html/"); });
    step([&] { asciiMode_ = toBool(bag.ReadProperty("ftp_is_ascii_mode", "False")).value(); });
    step([&] { backColour_ = colourValue(bag.ReadProperty("BackColour", "&H8000000F&")); });
    step([&] {
        fontColour_ = colourValue(bag.ReadProperty("FontColour", "&H80000012&"));
        lblStatus.setForeColor(fontColour_);
    });
    step([&] { cmdCancel.setCaption(bag.ReadProperty("CancelButton_Text", "Cancel Transfer")); });
    step([&] { cmdCancel.setEnabled(toBool(bag.ReadProperty("CancelButton_Enabled", "True")).value()); });
    step([&] { cmdCancel.geometry.width = static_cast<int>(toLong(bag.ReadProperty("CancelButton_Width", "1575"))); });
    // A download arrives in a partial file beside the local file; what one killed part-way left
    // there goes now, and one that another copy of the program is still making stays.
    step([&] {
        if (!localFile_.empty()) removeLeftoverPartialFiles(localFile_);
    });
}

void ftpControl::UserControl_WriteProperties(PropertyBag& bag) {
    bag.WriteProperty("ftp_remote_address", remoteAddress_, kAddressPlaceholder);
    bag.WriteProperty("ftp_remote_port", std::to_string(remotePort_), "21");
    bag.WriteProperty("ftp_username", username_, "anonymous");
    bag.WriteProperty("ftp_password", password_, kPasswordPlaceholder);
    bag.WriteProperty("ftp_local_filename", localFile_, "c:\\");
    bag.WriteProperty("ftp_remote_filename", remoteFile_, "/public_html/");
    bag.WriteProperty("ftp_is_ascii_mode", boolText(asciiMode_), "False");
    bag.WriteProperty("BackColour", colourText(backColour_), "&H8000000F&");
    bag.WriteProperty("FontColour", colourText(fontColour_), "&H80000012&");
    bag.WriteProperty("CancelButton_Text", cmdCancel.caption(), "Cancel Transfer");
    bag.WriteProperty("CancelButton_Enabled", boolText(cmdCancel.enabled()), "True");
    bag.WriteProperty("CancelButton_Width", std::to_string(cmdCancel.geometry.width), "1575");
}

// ---------------------------------------------------------------- transfers

void ftpControl::ShowStatus(int done, int total, const std::string& text) {
    step([&] {
        pbTransferStatus.min = 0;
        pbTransferStatus.max = 100;
    });
    if (total == 0) {
        step([&] { pbTransferStatus.setValue(0); });
        step([&] { lblStatus.setCaption(text); });
    } else {
        step([&] {
            Label1.setBackColor(kRed);
            Label1.setCaption(" >> DOWNLOADING FILE <<   This can take some time    >> PLEASE WAIT << ");
        });
        const int percent = done * 100 / total;
        step([&] { pbTransferStatus.setValue(percent); });
        step([&] { lblStatus.setCaption(text + " (" + std::to_string(percent) + "%)"); });
    }
    host_.loop().doEvents();
}

// The address of a path on the server: the address property's host, the port, the user and the
// password; a path from the server's root stays one.
std::string ftpControl::url(const std::string& path) const {
    std::string host = remoteAddress_;
    if (startsWith(lcase(host), "ftp://")) host = host.substr(6);
    while (endsWith(host, "/")) host.pop_back();
    std::string p = path;
    if (startsWith(p, "/")) p = "%2F" + p.substr(1);
    std::string u = "ftp://" + percentEncoded(username_) + ":" + percentEncoded(password_) + "@" + host + ":" +
                    std::to_string(remotePort_) + "/" + p;
    if (asciiMode_ && !path.empty()) u += ";type=a";
    return u;
}

// Logs in and lists the server's top folder: the connection step of a transfer.
bool ftpControl::connect(std::string& why) {
    std::string listing;
    const TransferResult r = host_.app().transfer().get(url(""), listing, {}, kConnectTimeoutSeconds);
    why = r.error;
    return r.ok;
}

bool ftpControl::ftp_Download_quick(std::string& ReturnResult) {
    ReturnResult = "Unknown";
    ShowStatus(0, 0, "Creating Session..");
    ShowStatus(0, 0, "Creating FTP Session..");
    std::string why;
    if (!connect(why)) {
        ReturnResult =
            "Unable to connect. Please check your username, password, FTP Address and Port. Alternativly the server may "
            "be down.";
        ShowStatus(2, 4, ReturnResult);
        host_.LogError("FTP download of " + remoteFile_ + ": cannot connect (" + why + ") ");
        return false;
    }
    ShowStatus(3, 4, std::string("Connected! Downloading File..  (") + (asciiMode_ ? "Ascii Mode" : "Binary Mode") +
                         ").. Please Wait.");
    const TransferResult r = host_.app().transfer().download(url(remoteFile_), localFile_, {}, kTransferTimeoutSeconds);
    if (r.ok) {
        ShowStatus(4, 4, "Download Success, disconnecting.");
        ReturnResult = "download complete.";
        Label1.setBackColor(kGreen);
        Label1.setCaption(" >> DOWNLOADING COMPLETE <<     >> READY FOR NEXT FILE << ");
        return true;
    }
    ShowStatus(4, 4, "Failed");
    ReturnResult = "Failed downloading file, check file permissions (both remote & local) and try again.";
    Label1.setBackColor(kRed);
    Label1.setCaption(" >>>> FAILED <<<< ");
    host_.LogError("FTP download of " + remoteFile_ + " failed (" + r.error + "); " + localFile_ + " is kept ");
    return false;
}

bool ftpControl::ftp_Upload_quick(std::string& ReturnResult) {
    ReturnResult = "Unknown";
    ShowStatus(1, 4, "Creating Session..");
    ShowStatus(2, 4, "Creating FTP Session..");
    std::string why;
    if (!connect(why)) {
        ReturnResult =
            "Unable to connect. Please check your username, password, FTP Address and Port. Alternativly the server may "
            "be down.";
        ShowStatus(4, 4, ReturnResult);
        host_.LogError("FTP upload of " + localFile_ + ": cannot connect (" + why + ") ");
        return false;
    }
    ShowStatus(3, 4, std::string("Connected! Uploading File..  (") + (asciiMode_ ? "Ascii Mode" : "Binary Mode") +
                         ").. Please Wait.");
    const TransferResult r = host_.app().transfer().upload(localFile_, url(remoteFile_), {}, kTransferTimeoutSeconds);
    if (r.ok) {
        ShowStatus(4, 4, "Upload Success, disconnecting.");
        ReturnResult = "upload complete.";
        return true;
    }
    ShowStatus(4, 4, "Failed");
    ReturnResult = "Failed uploading file, check file permissions (both remote & local) and try again.";
    host_.LogError("FTP upload of " + localFile_ + " failed (" + r.error + ") ");
    return false;
}
