#pragma once

#include <vector>

class QAction;
class QMenu;

// The texts of a window's commands and menus as written in the sources
// (Japanese), translated in the window's context each time they are shown,
// so that a change of language shows them all again.
class CommandTexts {
public:
    explicit CommandTexts(const char* context)
        : context_(context)
    {
    }

    // Shows the caption and the tool tip now and again on retranslate().
    // Without a hint the tool tip is the caption without its access key.
    void add(QAction* action, const char* caption, const char* hint);
    // A tool tip other than the one given to add().
    void setHint(const QAction* action, const char* hint);
    void addMenu(QMenu* menu, const char* title);
    // Every text again, in the language now installed.
    void retranslate() const;

private:
    struct Command {
        QAction* action;
        const char* caption;
        const char* hint;
    };
    struct Menu {
        QMenu* menu;
        const char* title;
    };
    void show(const Command& command) const;
    void show(const Menu& menu) const;

    const char* context_;
    std::vector<Command> commands_;
    std::vector<Menu> menus_;
};
