#pragma once

#include "maze_difficulty.h"
#include "maze_stats.h"
#include "maze_style.h"

#include <QLabel>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

class QActionGroup;
class QMenu;
class QWidget;

// The Maze menu's "迷路の種類(&K)" submenu: one radio item per maze style.
// The chosen style is kept in the settings (maze/style) and is the checked
// item when the next window starts.
class MazeStyleMenu : public QObject {
    Q_OBJECT

public:
    // Adds the submenu to `mazeMenu`, with the stored style checked.
    MazeStyleMenu(QMenu* mazeMenu, QWidget* window);

    MazeStyle style() const;
    // The submenu's and the items' texts in the interface's language.
    void retranslateUi();

signals:
    // The user chose another style; it is already stored.
    void styleChosen(MazeStyle style);

private:
    QMenu* menu_;
    QActionGroup* group_;
};

// A style's name as its menu item shows it, without the access key.
QString styleCaption(MazeStyle style);

// The stored style: Standard when none, or an unknown one, is stored.
MazeStyle storedMazeStyle();
void storeMazeStyle(MazeStyle style);

// The status bar's second panel. When the window is too narrow for the whole
// text it shows the start, ending in "…", and the whole text as its tool tip;
// it never widens the window. text() is always the whole text.
class SummaryPanel : public QLabel {
    Q_OBJECT

public:
    explicit SummaryPanel(QWidget* parent = nullptr);
    void showSummary(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The Maze menu's seed command, "乱数の種(&S)..." (a text of the main window,
// translated where it is shown).
extern const char* const SeedCommandCaption;

// The second status panel after a maze is made or loaded, e.g.
// "答え 96 マス · 行き止まり 312 · 分かれ道 41 · 難しさ ふつう（探す道のり 212 マス） · 種 22695478";
// the difficulty part for a maze with a way through, the seed part only for
// a maze made here.
QString mazeSummary(const MazeStats& stats, std::optional<std::uint32_t> seed,
                    const std::optional<MazeDifficulty>& difficulty = std::nullopt);
