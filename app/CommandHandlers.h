// The commands' handlers and update handlers, one function per menu of
// commands, each in its own file. Commands whose windows do not exist in
// this program have no handler and show disabled.
#pragma once

namespace hx {

struct AppContext;

void registerFileCommands(const AppContext& app);
void registerLinkCommands(const AppContext& app);
void registerViewCommands(const AppContext& app);
void registerNavCommands(const AppContext& app);
void registerWindowCommands(const AppContext& app);
// "&Measure", events, saving the screen, palette editor, colour indicator.
void registerTargetCommands(const AppContext& app);
// "Export to XTF...", "Export Track...", "Export Events...".
void registerExportCommands(const AppContext& app);
// "Night Mode", its brightness steps and the "Night Red" table.
void registerNightCommands(const AppContext& app);
// The head control bar's and the playback bar's spins and buttons.
void wireControlBars(const AppContext& app);

inline void registerAllCommands(const AppContext& app) {
    registerFileCommands(app);
    registerLinkCommands(app);
    registerViewCommands(app);
    registerNavCommands(app);
    registerWindowCommands(app);
    registerTargetCommands(app);
    registerExportCommands(app);
    registerNightCommands(app);
    wireControlBars(app);
}

}  // namespace hx
