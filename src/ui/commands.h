#pragma once
// Every command of the editor under its historical number. Menus, tool bars, accelerators and the enable
// rules all refer to these ids, so a command behaves the same wherever the user reaches it.

namespace novra::ui {

enum class Cmd : int {
    // File
    New = 57600,
    Open = 57601,
    Save = 57603,
    SaveAs = 57604,
    ExportPicture = 57611,  // the framework's free slot for saving a copy in another form
    PrintSetup = 57606,
    Print = 57607,
    PrintPreview = 57609,
    RecentFile = 57616,
    VerilogOutput = 32813,
    Exit = 57665,
    // Edit
    Undo = 57643,
    Redo = 57644,
    Cut = 57635,
    Copy = 57634,
    Paste = 57637,
    PasteVertical = 57638,
    PasteHorizontal = 57639,
    Find = 32819,
    Delete = 32808,
    Align = 32797,
    // View
    ToolBar = 59392,
    StatusBar = 59393,
    MessageBar = 32799,
    ShowObjectIds = 32814,
    ShowOldTokens = 32815,
    // Settings and help
    Settings = 32796,
    About = 57664,
    HelpInfo = 32826,
    // Tool modes
    ToolPlace = 32771,
    ToolToken = 32772,
    ToolTransition = 32774,
    ToolUhzi = 32775,
    ToolKemmakix = 32776,
    ToolArc = 32785,
    ToolHand = 32786,
    ToolDelete = 32801,
    ToolContinuous = 32811,
    ZoomIn = 32806,
    ZoomOut = 32807,
    // Simulation
    Run = 32787,
    Step = 32788,
    Compile = 32789,
    Pause = 32790,
    ClearAll = 32791,
    Abort = 32792,
    QuickSave = 32794,
    QuickLoad = 32795,
    Rewind = 32817,
    SaveWave = 32830,
    // Property dialogs, reached by double click
    FunctionDialog = 32803,
    UhziDialog = 32804,
    KemmakixDialog = 32805,
};

// Transition variable menus use 36000 + n for variable n (1 to 99).
inline constexpr int kVariableMenuBase = 36000;

// Status bar panes.
inline constexpr int kPaneX = 32827;
inline constexpr int kPaneY = 32828;

}  // namespace novra::ui
