// How the update prompt looks: the product's name and the news in bold, the two answers below.
#include "shell/update_prompt_window.h"

void Form150::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::FixedTool;
    l.opening = Opening::Centred;
    for (Control* c : {static_cast<Control*>(&Label1), static_cast<Control*>(&Label2), static_cast<Control*>(&Command1)})
        l.bold(*c);
    l.rows({{Label1}, {Label2}, {Command1, Command2}, {Label3}});
}
