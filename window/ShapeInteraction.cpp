#include "ShapeInteraction.h"

std::optional<ShapeChoice> QtShapeInteraction::askShape(QWidget* parent, int width, int height,
                                                        const ShapeChoice& current)
{
    TFShape dialog(parent);
    return dialog.AskShape(width, height, current);
}

std::optional<InkSetting> QtShapeInteraction::askInkSetting(QWidget* parent, const std::vector<std::uint8_t>& ink,
                                                            int width, int height, const InkSetting& current)
{
    TFShapeFromPicture dialog(parent);
    return dialog.AskSetting(ink, width, height, current);
}
