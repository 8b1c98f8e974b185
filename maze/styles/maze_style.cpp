#include "maze_style.h"

#include "maze_board.h"

namespace {

struct StyleEntry {
    MazeStyle style;
    std::string_view name;
    MazeGrower grower;
};

constexpr StyleEntry Styles[] = {
    {MazeStyle::Standard, "standard", nullptr},
    {MazeStyle::LongCorridors, "corridors", growLongCorridors},
    {MazeStyle::ShortDeadEnds, "deadends", growShortDeadEnds},
    {MazeStyle::Uniform, "uniform", growUniform},
};

const StyleEntry& entryOf(MazeStyle style)
{
    for (const StyleEntry& entry : Styles)
        if (entry.style == style)
            return entry;
    return Styles[0];
}

} // namespace

std::string_view styleName(MazeStyle style)
{
    return entryOf(style).name;
}

std::optional<MazeStyle> styleFromName(std::string_view name)
{
    for (const StyleEntry& entry : Styles)
        if (entry.name == name)
            return entry.style;
    return std::nullopt;
}

MazeGrower growerFor(MazeStyle style)
{
    return entryOf(style).grower;
}

void MazeBoard::makeStyledMaze()
{
    clearMaze();
    growerFor(style_)({width_, height_, mazeV_.data(), mazeH_.data(), shape_.cellData()}, *random_, styleScratch_);
}
