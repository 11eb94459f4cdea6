#include "reception/band_random.h"

#include <cmath>

namespace brivo::reception {
namespace {

constexpr std::size_t kLayers = 128;
constexpr double kTailStart = 3.442619855899;
constexpr double kLayerArea = 9.91256303526217e-3;

double density(double x)
{
    return std::exp(-0.5 * x * x);
}

// The ziggurat's layers: x[i] is the right edge of layer i (x[0] is the
// base's equivalent width), f[i] = density(x[i]).
struct Ziggurat {
    std::array<double, kLayers + 1> x{};
    std::array<double, kLayers + 1> f{};
    std::array<double, kLayers> ratio{};

    Ziggurat()
    {
        x[0] = kLayerArea / density(kTailStart);
        x[1] = kTailStart;
        for (std::size_t i = 2; i < kLayers; ++i)
            x[i] = std::sqrt(-2 * std::log(kLayerArea / x[i - 1] + density(x[i - 1])));
        x[kLayers] = 0;
        for (std::size_t i = 0; i <= kLayers; ++i)
            f[i] = density(x[i]);
        for (std::size_t i = 0; i < kLayers; ++i)
            ratio[i] = x[i + 1] / x[i];
    }
};

const Ziggurat& ziggurat()
{
    static const Ziggurat table;
    return table;
}

} // namespace

BandRandom::BandRandom(std::uint64_t seed) : width_(ziggurat().x.data()), ratio_(ziggurat().ratio.data())
{
    for (std::uint64_t& word : state_) {
        seed += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = seed;
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
        word = z ^ (z >> 31U);
    }
}

// Outside the layer's inner rectangle: the base's tail, or the wedge
// between the rectangle and the curve, else another draw.
double BandRandom::gaussianTail(std::size_t layer, double x)
{
    const Ziggurat& z = ziggurat();
    for (;;) {
        if (layer == 0) {
            double tail = 0;
            double y = 0;
            do {
                tail = -std::log(1 - uniform()) / kTailStart;
                y = -std::log(1 - uniform());
            } while (2 * y < tail * tail);
            return x > 0 ? kTailStart + tail : -kTailStart - tail;
        }
        if (z.f[layer] + uniform() * (z.f[layer + 1] - z.f[layer]) < density(x))
            return x;
        const std::uint64_t draw = bits();
        layer = static_cast<std::size_t>(draw & 127U);
        const double u =
            static_cast<double>(static_cast<std::int64_t>(draw >> 8U) - (std::int64_t{1} << 55U)) * 0x1.0p-55;
        x = u * z.x[layer];
        if (std::abs(u) < z.ratio[layer])
            return x;
    }
}

double BandRandom::exponential(double rate)
{
    return -std::log(1 - uniform()) / rate;
}

} // namespace brivo::reception
