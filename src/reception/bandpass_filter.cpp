#include "reception/bandpass_filter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace brivo::reception {
namespace {

using Complex = std::complex<double>;
constexpr double kRippleDb = 0.5;

// The upper-half-plane poles of the low-pass prototype, cut-off 1 rad/s.
std::array<Complex, BandpassFilter::kPrototypeOrder / 2> prototypePoles(FilterShape shape)
{
    constexpr int n = BandpassFilter::kPrototypeOrder;
    std::array<Complex, n / 2> poles{};
    const double epsilon = std::sqrt(std::pow(10.0, kRippleDb / 10) - 1);
    const double v0 = std::asinh(1 / epsilon) / n;
    for (int k = 0; k < n / 2; ++k) {
        const double theta = std::numbers::pi * (2 * k + 1) / (2 * n);
        if (shape == FilterShape::Butterworth)
            poles[static_cast<std::size_t>(k)] = {-std::sin(theta), std::cos(theta)};
        else
            poles[static_cast<std::size_t>(k)] = {-std::sinh(v0) * std::sin(theta), std::cosh(v0) * std::cos(theta)};
    }
    return poles;
}

} // namespace

BandpassFilter::BandpassFilter(double centreHz, double widthHz, int sampleRate, FilterShape shape)
    : sampleRate_(sampleRate)
{
    const double fs = sampleRate;
    const double nyquist = fs / 2;
    const double low = std::clamp(centreHz - widthHz / 2, 10.0, nyquist * 0.9);
    const double high = std::clamp(centreHz + widthHz / 2, low + 10, nyquist * 0.98);
    const auto prewarp = [fs](double hz) { return 2 * fs * std::tan(std::numbers::pi * hz / fs); };
    const double w1 = prewarp(low);
    const double w2 = prewarp(high);
    const double w0squared = w1 * w2;
    const double bandwidth = w2 - w1;

    std::size_t section = 0;
    double slowest = 1e300;
    for (const Complex p : prototypePoles(shape)) {
        // Each prototype pole gives two band-pass poles (their conjugates
        // come from the conjugate prototype pole).
        const Complex root = std::sqrt(p * p * bandwidth * bandwidth - 4.0 * w0squared);
        for (const Complex s : {(p * bandwidth + root) / 2.0, (p * bandwidth - root) / 2.0}) {
            slowest = std::min(slowest, -s.real());
            const Complex z = (2 * fs + s) / (2 * fs - s);
            Biquad& q = sections_[section++];
            q.a1 = -2 * z.real();
            q.a2 = std::norm(z);
            q.b0 = 1;
            q.b2 = -1;
        }
    }
    ringing_ = 1 / slowest;

    // Gain 1 at the top of the pass band: at its centre for Butterworth; the
    // Chebyshev prototype of even order sits at its ripple's bottom there.
    const double centre = std::atan(std::sqrt(w0squared) / (2 * fs)) * fs / std::numbers::pi;
    const double target = shape == FilterShape::Butterworth ? 1.0 : std::pow(10.0, -kRippleDb / 20);
    const double scale = target / gainAt(centre);
    const double perSection = std::pow(scale, 1.0 / kPrototypeOrder);
    for (Biquad& q : sections_) {
        q.b0 *= perSection;
        q.b2 *= perSection;
    }
}

double BandpassFilter::process(double x)
{
    for (Biquad& q : sections_) {
        const double y = q.b0 * x + q.s1;
        q.s1 = -q.a1 * y + q.s2;
        q.s2 = q.b2 * x - q.a2 * y;
        x = y;
    }
    return x;
}

double BandpassFilter::gainAt(double hz) const
{
    const Complex z1 = std::polar(1.0, -2 * std::numbers::pi * hz / sampleRate_);
    const Complex z2 = z1 * z1;
    Complex h = 1;
    for (const Biquad& q : sections_)
        h *= (q.b0 + q.b2 * z2) / (1.0 + q.a1 * z1 + q.a2 * z2);
    return std::abs(h);
}

} // namespace brivo::reception
