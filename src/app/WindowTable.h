#pragma once
#include "app/EmbeddedWindow.h"
#include <functional>
#include <optional>
#include <vector>

class EmbeddedForm;
struct ProgramState;

// Where a window stands in the selector: its section and item (its picture
// follows from them), its caption, and the header a choice there writes.
// German, translated when shown (context "MainWindow").
struct SelectorEntry {
    int section;
    int item;
    const char* caption;
    const char* header;
};

// The window's command in the main menu: menu path ("|" between submenus) and
// text, German, translated for each menu (context "MainMenu"); its object
// name, which the menu of each language ends with the language
// ("stopTimeActionGerman", "stopTimeActionEnglish"); its key; the header it
// writes, German, translated when shown (context "MainWindow"); and whether
// the menu leaves it out while its key still works.
struct MenuEntry {
    const char* path;
    const char* text;
    const char* name;
    const char* key;
    const char* header;
    bool hidden = false;
};

// What the window's help button opens: the file in the language folder of
// the window's language, under a title that is German and translated in the
// window's own context.
struct HelpEntry {
    const char* context;
    const char* title;
    const char* fileName;
};

// One window of the display area: how it is made, how the operator reaches
// it and its help. Adding a window is a row here and its class.
struct WindowRow {
    EmbeddedWindow window;
    std::function<EmbeddedForm*(ProgramState&)> create;
    std::optional<SelectorEntry> selector;
    std::optional<MenuEntry> menu;
    std::optional<HelpEntry> help;
};

// Every window of the display area, in the order of the main menu.
const std::vector<WindowRow>& windowRows();
const WindowRow& rowOf(EmbeddedWindow window);
// The window of the row, its help button showing the row's help.
EmbeddedForm* makeWindow(const WindowRow& row, ProgramState& state);
// The row of a selector item; null for none.
const WindowRow* selectorRow(int section, int item);

constexpr int SelectorSectionCount = 3;
// German, translated when shown (context "MainWindow").
extern const char* const SelectorSectionCaptions[SelectorSectionCount];
int selectorItemCount(int section);
