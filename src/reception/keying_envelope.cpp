#include "reception/keying_envelope.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace brivo::reception {
namespace {

// Blackman-Harris (4 terms) integrated from 0 to u, normalised to 1.
double integratedBlackmanHarris(double u)
{
    constexpr std::array<double, 4> a = {0.35875, 0.48829, 0.14128, 0.01168};
    const double x = 2 * std::numbers::pi * u;
    const double value = a[0] * x - a[1] * std::sin(x) + a[2] * std::sin(2 * x) / 2 - a[3] * std::sin(3 * x) / 3;
    return value / (a[0] * 2 * std::numbers::pi);
}

// The part of a ramp between its 10 % and 90 % points, found by bisection.
double riseFraction(EnvelopeShape shape)
{
    const auto crossing = [shape](double level) {
        double low = 0;
        double high = 1;
        for (int i = 0; i < 60; ++i) {
            const double middle = (low + high) / 2;
            (rampValue(shape, middle) < level ? low : high) = middle;
        }
        return low;
    };
    return crossing(0.9) - crossing(0.1);
}

} // namespace

double rampValue(EnvelopeShape shape, double u)
{
    if (u <= 0)
        return 0;
    if (u >= 1)
        return 1;
    switch (shape) {
    case EnvelopeShape::BlackmanHarris:
        return integratedBlackmanHarris(u);
    case EnvelopeShape::RaisedCosine:
        return 0.5 - 0.5 * std::cos(std::numbers::pi * u);
    case EnvelopeShape::Linear:
        return u;
    case EnvelopeShape::Hard:
        return u < 0.5 ? 0 : 1;
    }
    return 1;
}

double rampLength(EnvelopeShape shape, double rise)
{
    if (shape == EnvelopeShape::Hard)
        return 0;
    static const std::array<double, 3> fractions = {riseFraction(EnvelopeShape::BlackmanHarris),
                                                    riseFraction(EnvelopeShape::RaisedCosine),
                                                    riseFraction(EnvelopeShape::Linear)};
    return rise / fractions[static_cast<std::size_t>(shape)];
}

double heldRise(const std::vector<Mark>& marks, double riseSeconds)
{
    double shortest = 1e9;
    for (const Mark& mark : marks)
        shortest = std::min(shortest, mark.end - mark.start);
    return std::min(riseSeconds, 0.4 * shortest);
}

std::optional<std::string> heldRiseNote(double riseMs, double unit, double characterWpm)
{
    const double held = 0.4 * unit * 1000;
    if (riseMs <= held)
        return std::nullopt;
    const auto oneDecimal = [](double value) { return decimalText(std::round(value * 10) / 10); };
    return "temps de montée ramené à " + oneDecimal(held) + " ms à " + oneDecimal(characterWpm) + " mots/mn";
}

std::int64_t leadInSamples(const std::vector<Mark>& marks, int sampleRate, EnvelopeShape shape, double riseSeconds)
{
    if (marks.empty())
        return 0;
    const double halfRamp = rampLength(shape, heldRise(marks, riseSeconds)) * sampleRate / 2;
    const auto needed = static_cast<std::int64_t>(std::ceil(halfRamp + 0.5));
    return std::max<std::int64_t>(0, needed - std::llround(marks.front().start * sampleRate));
}

KeyingEnvelope::KeyingEnvelope(const std::vector<Mark>& marks, int sampleRate, EnvelopeShape shape, double riseSeconds)
{
    for (const Mark& mark : marks)
        edges_.emplace_back(std::llround(mark.start * sampleRate), std::llround(mark.end * sampleRate));
    halfRamp_ = rampLength(shape, heldRise(marks, riseSeconds)) * sampleRate / 2;
    rampReach_ = static_cast<std::int64_t>(std::ceil(halfRamp_)) + 1;
    for (std::int64_t d = -rampReach_; d <= rampReach_; ++d) {
        const double fromEdge = static_cast<double>(d) + 0.5;
        rampTable_.push_back(halfRamp_ <= 0 ? (fromEdge >= 0 ? 1.0 : 0.0)
                                            : rampValue(shape, (fromEdge + halfRamp_) / (2 * halfRamp_)));
    }
}

double KeyingEnvelope::ramp(std::int64_t d) const
{
    if (d < -rampReach_)
        return 0;
    if (d > rampReach_)
        return 1;
    return rampTable_[static_cast<std::size_t>(d + rampReach_)];
}

double KeyingEnvelope::edgeValue(std::int64_t n)
{
    const double sample = static_cast<double>(n);
    // A key-down counts from the start of its rise to the end of its fall.
    while (next_ < edges_.size() && sample >= static_cast<double>(edges_[next_].first) - halfRamp_) {
        current_ = static_cast<std::ptrdiff_t>(next_);
        ++next_;
    }
    if (current_ < 0)
        return 0;
    // The rise from the start edge, times the fall towards the end edge: a
    // step edge at sample k keys sample k down.
    const auto keyed = [&](std::size_t mark) {
        const auto& [start, end] = edges_[mark];
        return ramp(n - start) * ramp(end - n - 1);
    };
    // The fall of the previous key-down may still be sounding.
    const auto index = static_cast<std::size_t>(current_);
    const double value = index > 0 ? std::max(keyed(index), keyed(index - 1)) : keyed(index);

    // The run ahead is flat while no ramp of the two key-downs in play
    // changes (each is 0 or 1 outside [-rampReach_, rampReach_]) and the
    // next key-down has not begun.
    std::int64_t until =
        next_ < edges_.size()
            ? static_cast<std::int64_t>(std::ceil(static_cast<double>(edges_[next_].first) - halfRamp_))
            : std::numeric_limits<std::int64_t>::max();
    bool flat = true;
    for (std::size_t mark = index > 0 ? index - 1 : index; mark <= index; ++mark) {
        const auto& [start, end] = edges_[mark];
        for (const auto& [from, to] : {std::pair{start - rampReach_, start + rampReach_ + 1},
                                       std::pair{end - 1 - rampReach_, end + rampReach_}}) {
            if (n >= from && n < to)
                flat = false;
            else if (from > n)
                until = std::min(until, from);
        }
    }
    if (flat && until > n + 1) {
        runFrom_ = n;
        runUntil_ = until;
        runStep_ = 0;
        runValue_ = value;
        return value;
    }
    // A rise or a fall alone, the previous key-down silent: the table itself.
    const auto& [start, end] = edges_[index];
    const std::int64_t reach = rampReach_;
    const std::int64_t activation =
        next_ < edges_.size()
            ? static_cast<std::int64_t>(std::ceil(static_cast<double>(edges_[next_].first) - halfRamp_))
            : std::numeric_limits<std::int64_t>::max();
    if (index > 0 && n < edges_[index - 1].second + reach)
        return value;
    if (n >= start - reach && n <= start + reach && n < end - 1 - reach) {
        runFrom_ = n;
        runUntil_ = std::min({start + reach + 1, end - 1 - reach, activation});
        runBase_ = reach - start;
        runStep_ = 1;
    } else if (n >= end - 1 - reach && n < end + reach && n > start + reach) {
        runFrom_ = n;
        runUntil_ = std::min(end + reach, activation);
        runBase_ = end - 1 + reach;
        runStep_ = -1;
    }
    return value;
}

} // namespace brivo::reception
