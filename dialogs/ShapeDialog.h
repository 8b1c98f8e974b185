#pragma once

#include "maze_shape.h"
#include "shape_presets.h"

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;

// A shape in small on the board's grid: the cells inside white, those left
// out and the ring around the grid grey, one block of pixels a cell.
class ShapePreview : public QWidget {
    Q_OBJECT

public:
    explicit ShapePreview(QWidget* parent = nullptr);

    void setShape(const MazeShape& shape);
    const MazeShape& shape() const { return shape_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MazeShape shape_;
    QImage cells_; // one pixel a cell, the ring included
};

// What the shape dialog chose: a ready-made figure or the letters of a
// text, and the side of the room left out in the middle (0: none).
struct ShapeChoice {
    enum class Kind { Preset, Text };
    Kind kind = Kind::Preset;
    ShapePreset preset = ShapePreset::Circle;
    QString text;
    int centreRoom = 0;
    bool operator==(const ShapeChoice&) const = default;
};

// The shape a choice gives on a width x height board, the letters drawn in
// `font`. Whether it is one region is for the caller to check.
MazeShape shapeOfChoice(const ShapeChoice& choice, int width, int height, const QFont& font);

// "形を選ぶ": the figures and the text, the centre room and a live preview of
// the shape on the board's grid. Passive: the choice comes back through the
// getter, the board is not touched.
class TFShape : public QDialog {
    Q_OBJECT

public:
    explicit TFShape(QWidget* parent = nullptr);

    // Sets the dialog up for a width x height board, preset with `current`.
    void ShowShape(int width, int height, const ShapeChoice& current);
    ShapeChoice choice() const;
    // Shows the dialog; the choice on OK, nothing on Cancel.
    std::optional<ShapeChoice> AskShape(int width, int height, const ShapeChoice& current);

    QComboBox* CBKind = nullptr;
    QLineEdit* EText = nullptr;
    QSpinBox* SERoom = nullptr;
    ShapePreview* Preview = nullptr;

private:
    void refresh();

    int width_ = 0;
    int height_ = 0;
};

// How a picture's ink becomes a shape: the ink a cell needs (1 ... 255) and
// whether the shape is the picture's other side.
struct InkSetting {
    int threshold = 128;
    bool invert = false;
    bool operator==(const InkSetting&) const = default;
};

// "下絵から形を作る": the strength the ink must have, the other side, and a
// live preview. The ink of every cell is worked out once, before the
// dialog; each setting only compares it (shapeFromInk).
class TFShapeFromPicture : public QDialog {
    Q_OBJECT

public:
    explicit TFShapeFromPicture(QWidget* parent = nullptr);

    void ShowSetting(const std::vector<std::uint8_t>& ink, int width, int height, const InkSetting& current);
    InkSetting setting() const;
    std::optional<InkSetting> AskSetting(const std::vector<std::uint8_t>& ink, int width, int height,
                                         const InkSetting& current);

    QSlider* TBThreshold = nullptr;
    QLabel* LThreshold = nullptr;
    QCheckBox* CBInvert = nullptr;
    ShapePreview* Preview = nullptr;

private:
    void refresh();

    std::vector<std::uint8_t> ink_;
    int width_ = 0;
    int height_ = 0;
};
