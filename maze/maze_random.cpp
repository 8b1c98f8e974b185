#include "maze_random.h"

RandomSource::RandomSource()
{
    nextRandom(); // the first value of the sequence is never handed out
    drawn_ = 0;
}

RandomSource RandomSource::fromState(std::uint32_t state)
{
    return RandomSource(RawState{}, state);
}

RandomSource& RandomSource::process()
{
    static RandomSource source;
    return source;
}
