#pragma once

#include "ExportSettings.h"
#include "maze_batch.h"
#include "maze_difficulty.h"
#include "maze_style.h"
#include "route_maker.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;
class MazeBoard;

// What the book maker asks: how many mazes, made how, and how they go on
// the pages. `seed` is where the random source starts, so that the book is
// the one the preview showed.
struct BookChoices {
    static constexpr int DefaultCount = 20;

    int count = DefaultCount;
    MazeStyle style = MazeStyle::Standard;
    std::uint32_t seed = 0;
    ExportSettings settings;
    // A route of its own for every maze, made with `route`, in place of the
    // drawn path; the mazes then have `width` x `height` cells (0: the
    // board's size, and its shape).
    bool newRoutes = false;
    RouteSettings route;
    int width = 0;
    int height = 0;
    // The mazes chosen by their difficulty, and put in order from easy to hard.
    std::optional<DifficultyGrade> grade;
    bool easyToHard = false;

    bool operator==(const BookChoices&) const = default;

    // The batch these choices make, `count` mazes of it.
    MazeBatch batch(int count) const;
    // Turns `board`, a copy of the maze, into the one the book's mazes are
    // made on: with new routes at another size, an empty board of that size.
    void prepare(MazeBoard& board) const;
};

// The worksheet and book maker: a set of mazes made around the current
// maze's drawn path, written as one PDF or printed. It shows the first page
// as it will come out (its mazes made afresh on a copy of the board, never
// the board itself) and how many pages the book has. Passive: it hands back
// the choices and which of the two was asked for.
class TFBookMaker : public QDialog {
    Q_OBJECT

public:
    enum class Output { Pdf, Print };
    struct Request {
        BookChoices choices;
        Output output;
    };

    explicit TFBookMaker(QWidget* parent = nullptr);
    ~TFBookMaker() override;

    // Shows the dialog modally for `board`'s path, preset with `choices`;
    // nothing when it was cancelled.
    std::optional<Request> AskBook(const MazeBoard& board, const BookChoices& choices);

    void setMaze(const MazeBoard& board);
    void setChoices(const BookChoices& choices);
    BookChoices choices() const;
    // Makes the first page's mazes and draws it now, with the page count.
    void refreshPreview();
    int pageCount() const;

    QSpinBox* SECount = nullptr;
    QComboBox* CBSource = nullptr;
    QComboBox* CBStyle = nullptr;
    QSpinBox* SEWidth = nullptr;
    QSpinBox* SEHeight = nullptr;
    QComboBox* CBDifficulty = nullptr;
    QCheckBox* CkEasyToHard = nullptr;
    QPushButton* BtOtherMazes = nullptr;
    QComboBox* CBPerPage = nullptr;
    QComboBox* CBAnswersPerPage = nullptr;
    QComboBox* CBPages = nullptr;
    QLineEdit* EdTitle = nullptr;
    QSpinBox* SEFirst = nullptr;
    QCheckBox* CkPageNumbers = nullptr;
    QSpinBox* SEFirstPage = nullptr;
    QComboBox* CBPaper = nullptr;
    QCheckBox* CkLandscape = nullptr;
    QLabel* LbPages = nullptr;
    QLabel* Preview = nullptr;
    QPushButton* BtWritePdf = nullptr;
    QPushButton* BtPrint = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslateUi();
    void changed();

    struct Row {
        QLabel* label;
        const char* text;
    };
    std::vector<Row> rows_;
    QLabel* answersLabel_ = nullptr;
    QLabel* firstPageLabel_ = nullptr;
    QLabel* timesLabel_ = nullptr;
    int boardWidth_ = 0;
    int boardHeight_ = 0;
    std::vector<std::uint8_t> maze_; // the board's file, to make the preview's mazes from
    BookChoices preset_;
    std::uint32_t seed_ = 0;
    Output output_ = Output::Pdf;
    QTimer* previewTimer_ = nullptr;
};
