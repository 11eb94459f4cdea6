#pragma once

#include "reception/keyed_marks.h"
#include "reception/reception_conditions.h"

#include <optional>
#include <string>
#include <vector>

namespace brivo::reception {

// The rising half of a ramp, from 0 at u = 0 to 1 at u = 1: the integrated
// Blackman-Harris window, a raised cosine, a line, or a step at u = 0.5.
double rampValue(EnvelopeShape shape, double u);

// How long a whole ramp lasts for a 10-90 % rise time `rise`: 2.7 x rise
// for Blackman-Harris, about 1.69 x for the raised cosine, 1.25 x for the
// line, 0 for the hard shape.
double rampLength(EnvelopeShape shape, double rise);

// The rise time a render uses: `riseSeconds`, held to 0.4 of the shortest
// key-down.
double heldRise(const std::vector<Mark>& marks, double riseSeconds);

// When a rise of `riseMs` cannot be kept at `characterWpm` (it is held to
// 0.4 of a dot of `unit` seconds), what the trainee is told: "temps de
// montée ramené à 14,5 ms à 33 mots/mn". Nothing when it is kept.
std::optional<std::string> heldRiseNote(double riseMs, double unit, double characterWpm);

// Whole samples of silence that must come before the first key-down for its
// rise to start at zero: half a ramp plus the half sample of a centred edge.
// 0 when the first key-down already starts that late.
std::int64_t leadInSamples(const std::vector<Mark>& marks, int sampleRate, EnvelopeShape shape, double riseSeconds);

// The amplitude (0 .. 1) of the key, sample by sample, over the marks. Each
// ramp is centred on its edge, so a key-down keeps its exact length at
// 50 %; each edge falls on the sample nearest its time, rounded once. The
// rise time is held to 0.4 of the shortest key-down.
class KeyingEnvelope {
public:
    KeyingEnvelope(const std::vector<Mark>& marks, int sampleRate, EnvelopeShape shape, double riseSeconds);

    // Amplitude at sample `n`; samples must be asked in increasing order.
    double at(std::int64_t n)
    {
        // Inside a run where one ramp alone moves, or none (key up or key
        // down), the amplitude comes straight from the table.
        if (n < runUntil_ && n >= runFrom_)
            return runStep_ == 0 ? runValue_ : rampTable_[static_cast<std::size_t>(runBase_ + runStep_ * n)];
        return edgeValue(n);
    }
    // The first sample from `n` (asked last) at which the amplitude may
    // differ from the one at `n`: the end of its flat run, or n + 1.
    std::int64_t steadyUntil(std::int64_t n) const
    {
        return runStep_ == 0 && n >= runFrom_ && n < runUntil_ ? runUntil_ : n + 1;
    }
    // Index of the key-down sounding at the last sample asked (its rise
    // started), or -1 before the first.
    std::ptrdiff_t currentMark() const { return current_; }
    // Sample of the start edge of a key-down.
    std::int64_t startSample(std::size_t mark) const { return edges_[mark].first; }

private:
    // The ramp at a sample d whole samples after an edge (d + 0.5 from it,
    // as the ramp's samples sit at the middle of their intervals): every
    // ramp of a render is the same curve, made once.
    double ramp(std::int64_t d) const;

    std::vector<std::pair<std::int64_t, std::int64_t>> edges_; // start and end samples
    double halfRamp_ = 0;                                      // samples
    std::int64_t rampReach_ = 0;                               // the table covers d in [-rampReach_, rampReach_]
    std::vector<double> rampTable_;
    // Works out the amplitude near the edges, and the run `n` is in.
    double edgeValue(std::int64_t n);

    std::ptrdiff_t current_ = -1;
    std::size_t next_ = 0;
    // The run of samples [runFrom_, runUntil_): flat at runValue_ when
    // runStep_ is 0, else rampTable_[runBase_ + runStep_ x n].
    std::int64_t runFrom_ = 0;
    std::int64_t runUntil_ = 0;
    std::int64_t runBase_ = 0;
    std::int64_t runStep_ = 0;
    double runValue_ = 0;
};

} // namespace brivo::reception
