#include "shell/update_prompt_window.h"

#include "app/app.h"
#include "shell/about_window.h"

Form150::Form150(FormHost& host) : Form(host, "Form150", "Update Warning") {
    Label1.setForeColor(0xFF0000);   // blue
    Label2.setForeColor(0x800000);   // dark blue
    Command1.onClick([this] { startUpdater(*this, Label3); });
    Command2.onClick([this] {
        app().form14().Timer3.disable();
        Hide();
    });
    declareLayout();
}
