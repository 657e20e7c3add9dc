#pragma once
// The parser-window family: four hidden windows that read a file of the weather program, cut it
// at a start tag, apply a replacement list, split it into fields and write one spoken sentence
// into a box of the weather window.
#include <string>
#include <utility>
#include <vector>

#include "core/form.h"

class Form114;

class ParserWindow : public Form {
public:
    ParserWindow(FormHost& host, std::string name, std::string fileBoxDesignText);
    void load() override;

    TextBox editParse{*this, "editParse"};
    TextBox editDelimit{*this, "editDelimit", ":"};
    TextBox editQuote{*this, "editQuote", "\""};
    ListBox lstParse{*this, "lstParse"};
    TextBox Text2{*this, "Text2"};
    TextBox WhereIsFile2{*this, "WhereIsFile2"};
    CommandButton GetcsvFile{*this, "GetcsvFile", "File"};
    CommandButton cmdParse{*this, "cmdParse", "Parse"};
    CommandButton Command1{*this, "Command1", "Show Forcast"};

    // Reads the window's file into editParse, cut at its tag, replacements applied.
    void GetForcastFile();
    // Splits editParse into lstParse and writes the window's sentence.
    virtual void SortForcast() = 0;

    // Whether the last GetForcastFile found its file.
    bool fileWasRead() const { return fileWasRead_; }

protected:
    using Replacements = std::vector<std::pair<std::string, std::string>>;
    // What each window says of itself.
    virtual std::string sourcePath() = 0;                       // the file, as the weather window names it
    virtual std::string cutAfterTag(const std::string& joined) = 0;
    virtual const Replacements& replacements() const = 0;
    virtual void fileMissing(const std::string& path) = 0;      // how a missing file is told
    virtual void fileFound() {}

    // The common head of SortForcast: the split into lstParse (raises the splitter's overflow).
    void splitIntoList();
    // Item n of the last split; empty when the split gave fewer fields.
    std::string field(int n) const;
    bool hasField(int n) const { return n >= 0 && n < lstParse.listCount(); }
    Form114& weather();

private:
    void declareLayout();
    void cmdParse_Click();
    void GetcsvFile_Click();
    bool fileWasRead_ = false;
};

// The text from 1-based character `s` to the end; empty when `s` lies beyond it.
std::string fromCharacter(const std::string& text, long s);
