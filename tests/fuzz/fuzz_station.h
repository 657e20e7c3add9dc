#pragma once
// A fresh station for one fuzz input: every start-up window created from a settings set that
// gives the DTMF and chat paths something to match, in virtual time.
#include <memory>
#include <string>

#include "support/station_fixture.h"

namespace fuzz {

inline const char* const kIdents =
    "[SETTINGS]\nSAYTEXT=1\nCONDISC=1\nDTMF=#99\nUSEDTMF=1\nTEXT3=###1\nTEXT4=###0\nTEXT5=###3\nTEXT8=#18\n"
    "ANNOUNCEOFF=#71\nANNOUNCEON=#70\nTOGGLETEXT=#55\nENABLEAUTOCONNECT=*11*\nDISABLEAUTOCONNECT=*10*\n"
    "CONNECTSTATION1=W1STAY\nSTAYCON1=1\nCHECK7=1\n";
inline const char* const kConnectControl =
    "[SETTINGS]\nDTMF1=101\nCALL1=W1ABC\nDTMF2=102\nCALL2=*IRELAND*\nCHECK1=1\nTEXT111=73\n";

// The station every target drives; `windows` creates the start-up set.
inline std::unique_ptr<Station> newStation(bool windows = true) {
    auto s = std::make_unique<Station>(StationOptions{"2026-12-10 12:00:00", "N0CALL-L", false});
    s->writeSettings("identabc.ini", kIdents);
    s->writeSettings("dtmfctrl.ini", kConnectControl);
    if (windows) s->app().act([&] { s->app().createStartupWindows(); });
    return s;
}

// An internal failure reached the error log: a finding.
inline void requireNoInternalError(Station& s) {
    for (const auto& line : s.transcript().lines())
        if (line.find("LOG \"Internal error") == 0) __builtin_trap();
    if (s.app().ended()) __builtin_trap();
}

}  // namespace fuzz
