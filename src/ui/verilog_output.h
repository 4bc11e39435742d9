#pragma once
// Verilog output as the editor runs it: the dialog, the checks of the output folder and the top name,
// a compile, and the generator writing into the folder, each step's messages in the log.

namespace novra::ui {

class CNOVRAView;

void runVerilogOutput(CNOVRAView& view);

}  // namespace novra::ui
