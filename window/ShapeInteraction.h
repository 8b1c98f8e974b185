#pragma once

#include "ShapeDialog.h"

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

// The two shape dialogs, "形を選ぶ" and "下絵から形を作る". The program shows
// the real ones (QtShapeInteraction); tests answer by script, so that none
// waits on them.
class ShapeInteraction {
public:
    virtual ~ShapeInteraction() = default;

    // The choice for a width x height board, preset with `current`; nothing
    // on Cancel.
    virtual std::optional<ShapeChoice> askShape(QWidget* parent, int width, int height, const ShapeChoice& current) = 0;
    // The setting for the ink of every cell of a width x height board;
    // nothing on Cancel.
    virtual std::optional<InkSetting> askInkSetting(QWidget* parent, const std::vector<std::uint8_t>& ink, int width,
                                                    int height, const InkSetting& current) = 0;
};

class QtShapeInteraction : public ShapeInteraction {
public:
    std::optional<ShapeChoice> askShape(QWidget* parent, int width, int height, const ShapeChoice& current) override;
    std::optional<InkSetting> askInkSetting(QWidget* parent, const std::vector<std::uint8_t>& ink, int width,
                                            int height, const InkSetting& current) override;
};
