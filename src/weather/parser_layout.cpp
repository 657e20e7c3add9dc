// How a parser window looks, the same for all four: its file box with the File button, the parse
// frame with the delimiter and quote boxes, the list of fields and the two buttons.
#include "weather/parser_window.h"

void ParserWindow::declareLayout() {
    WindowLayout& l = layout();
    l.frame = FrameStyle::Fixed;
    l.opening = Opening::SystemChooses;
    l.row({labelFor("File Location", WhereIsFile2), WhereIsFile2, GetcsvFile});
    Frame& parse = l.group("FrameParse", "Parse String");
    l.row({parse});
    l.rowsIn(parse, {{editParse}});
    l.rowsIn(parse, {{labelFor("Delimiter", editDelimit), editDelimit, labelFor("Quotes", editQuote), editQuote, cmdParse}});
    l.widthInChars(editDelimit, 3);
    l.widthInChars(editQuote, 3);
    l.row({lstParse});
    l.row({Text2});
    l.row({Command1});
}
