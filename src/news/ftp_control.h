#pragma once
// ftpControl: a control a window can place to download one file from an FTP server or upload one
// file to it, showing each step in a status line, a banner and a progress bar. Its properties are
// kept in the host window's property store.
#include <cstdint>
#include <functional>
#include <string>

#include "core/controls.h"
#include "core/settings.h"

class Form;

// The host's store of a placed control's properties: read with a default; written with a default,
// and a value equal to that default is not written.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    virtual std::string ReadProperty(const std::string& name, const std::string& def) = 0;
    virtual void WriteProperty(const std::string& name, const std::string& value, const std::string& def) = 0;
};

// Properties kept in a section of a window's settings file.
class SettingsPropertyBag final : public PropertyBag {
public:
    SettingsPropertyBag(SettingsFile& file, std::string section) : file_(file), section_(std::move(section)) {}
    std::string ReadProperty(const std::string& name, const std::string& def) override;
    void WriteProperty(const std::string& name, const std::string& value, const std::string& def) override;

private:
    SettingsFile& file_;
    std::string section_;
};

class ftpControl {
public:
    // Places the control on `host`; its parts are named after `name` ("<name>_Label1" ...).
    ftpControl(Form& host, const std::string& name);

    // ---- properties (a setter tells the host the property's name, so that it saves it)
    const std::string& ftp_remote_address() const { return remoteAddress_; }
    void ftp_remote_address(const std::string& v);
    // A port number, 0 to 65535 (a 16-bit signed value could not hold the upper half).
    int ftp_remote_port() const { return remotePort_; }
    void ftp_remote_port(int v);
    const std::string& ftp_username() const { return username_; }
    void ftp_username(const std::string& v);
    const std::string& ftp_password() const { return password_; }
    void ftp_password(const std::string& v);
    const std::string& ftp_local_filename() const { return localFile_; }
    void ftp_local_filename(const std::string& v);
    const std::string& ftp_remote_filename() const { return remoteFile_; }
    void ftp_remote_filename(const std::string& v);
    bool ftp_is_ascii_mode() const { return asciiMode_; }
    void ftp_is_ascii_mode(bool v);
    std::int64_t BackColour() const { return backColour_; }
    void BackColour(std::int64_t v);
    std::int64_t FontColour() const { return fontColour_; }
    void FontColour(std::int64_t v);
    std::string CancelButton_Text() const { return cmdCancel.caption(); }
    void CancelButton_Text(const std::string& v);
    bool CancelButton_Enabled() const { return cmdCancel.enabled(); }
    void CancelButton_Enabled(bool v);
    std::int32_t CancelButton_Width() const { return cmdCancel.geometry.width; }
    void CancelButton_Width(std::int32_t v);
    // Told the name of every property a setter changed.
    std::function<void(const std::string&)> PropertyChanged;

    // ---- transfers: true on success; ReturnResult says what happened
    bool ftp_Download_quick(std::string& ReturnResult);
    bool ftp_Upload_quick(std::string& ReturnResult);

    // ---- host events
    void UserControl_Resize();
    void UserControl_ReadProperties(PropertyBag& bag);
    void UserControl_WriteProperties(PropertyBag& bag);

    // ---- parts
    Label Label1;
    Label lblStatus;   // the status line
    ProgressBar pbTransferStatus;
    CommandButton cmdCancel;
    int Width = 4800;
    int Height = 1410;

    // The password's saving default: a password equal to it is not stored.
    static constexpr const char* kPasswordPlaceholder = "me@host.nl";
    static constexpr const char* kAddressPlaceholder = "ftp://ftp.";

private:
    void ShowStatus(int done, int total, const std::string& text);
    void changed(const char* property);
    std::string url(const std::string& path) const;
    bool connect(std::string& why);

    Form& host_;
    std::string remoteAddress_;
    int remotePort_ = 0;
    std::string username_;
    std::string password_;
    std::string localFile_;
    std::string remoteFile_;
    bool asciiMode_ = false;
    std::int64_t backColour_ = 0x8000000F;
    std::int64_t fontColour_ = 0x80000012;
};
