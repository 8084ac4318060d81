// The main window's menu bar and toolbar as the bar manager's definition: four
// categories, the "Main Menu" bar with the File, Edit (Undo, Redo, the chart commands,
// Find...) and View menus and Options, and
// the "OrgChart Toolbar" with the chart commands. The window runs it through its
// manager (ReadDefinition) and then binds its handlers to the items by name; the
// manager runs it again to learn what a reset restores.
#pragma once

class TzqBarManager;

void DefineMainFormBars(TzqBarManager& Manager);
