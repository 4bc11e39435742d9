#pragma once
// Message catalogue: every user-visible text of the program, each with its playful variant where one exists.
// Code names a text by its constant and turns it into a string with text() or format(), which pick the
// variant by the process-wide Nmode switch.
#include <string>

namespace novra {

// Nmode: 0 = standard wording ("標準"), 1 = playful wording ("酔いどれ").
int nmode();
void setNmode(int mode);

struct MsgText {
    const char* standard;
    const char* playful;  // nullptr when the text has no playful variant
};

// The text for the current Nmode.
std::string text(const MsgText& m);
// printf-style formatting of the text for the current Nmode with int arguments (%d only).
std::string format(const MsgText& m, int a);
std::string format(const MsgText& m, int a, int b);

}  // namespace novra

#include "common/messages_file.h"
#include "common/messages_func.h"
#include "common/messages_net.h"
#include "common/messages_sim.h"
#include "common/messages_verilog.h"
#include "common/messages_ui.h"
