#pragma once

#include <cstdint>

// The generator behind every maze: a 32-bit linear congruential generator
// (state = state * 22695477 + 1) handing out bits 16..30 of the new state.
// It starts from state 1 with one value thrown away, so the first value handed
// out is 130. The program owns exactly one (process()), so the same paths drawn
// in the same order always give the same mazes; tests create their own to see
// the sequence from its start.
class RandomSource {
public:
    RandomSource();

    // Next value, 0 ... 32767.
    int nextRandom()
    {
        state_ = state_ * 22695477u + 1u;
        ++drawn_;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

    // How many values this source has handed out.
    std::uint64_t drawn() const { return drawn_; }

    // The state the next value is computed from. A maze's seed number is the
    // state before it was made; setting it again makes the same maze.
    std::uint32_t state() const { return state_; }
    void setState(std::uint32_t state) { state_ = state; }

    // A source whose next value is computed from `state`: lets a test place
    // the sequence at any value it needs.
    static RandomSource fromState(std::uint32_t state);

    // The program's one source, created on first use and never reseeded.
    static RandomSource& process();

private:
    struct RawState {};
    RandomSource(RawState, std::uint32_t state)
        : state_(state)
    {
    }

    std::uint32_t state_ = 1;
    std::uint64_t drawn_ = 0;
};
