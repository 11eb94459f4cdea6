#include "sending/keyer.h"

#include <cmath>

namespace brivo::sending {

Keyer::Keyer(const KeyerSettings& settings)
    : settings_(settings), unit_(std::llround(1.2 / settings.wpm * settings.sampleRate))
{}

KeyEdge Keyer::keyEdge(std::int64_t sample, bool down) const
{
    return {std::llround(static_cast<double>(sample) * 1e6 / settings_.sampleRate), down, Contact::Straight};
}

void Keyer::start(Element element, std::int64_t sample, KeyEdges& out)
{
    element_ = element;
    elementStart_ = sample;
    const std::int64_t length =
        element == Element::Dah ? std::llround(settings_.weight * static_cast<double>(unit_)) : unit_;
    keyUp_ = sample + length;
    spaceEnd_ = keyUp_ + unit_;
    sampled_ = false;
    ditLatch_ = false;
    dahLatch_ = false;
    out.push_back(keyEdge(sample, true));
    out.push_back(keyEdge(keyUp_, false));
}

Keyer::Element Keyer::next() const
{
    const bool dit = ditDown_ || ditLatch_;
    const bool dah = dahDown_ || dahLatch_;
    switch (settings_.mode) {
    case KeyerMode::Bug:
        return ditDown_ ? Element::Dit : Element::None;
    case KeyerMode::Ultimatic:
        if (ditDown_ && dahDown_)
            return lastPressed_;
        if (ditDown_ || dahDown_)
            return ditDown_ ? Element::Dit : Element::Dah;
        return dit ? Element::Dit : dah ? Element::Dah : Element::None;
    case KeyerMode::SingleLever:
        if (held(element_))
            return element_;
        if (ditDown_ || dahDown_)
            return ditDown_ ? Element::Dit : Element::Dah;
        return dit ? Element::Dit : dah ? Element::Dah : Element::None;
    default: {
        const Element opposite = element_ == Element::Dit ? Element::Dah : Element::Dit;
        if (opposite == Element::Dit ? dit : dah)
            return opposite;
        return held(element_) ? element_ : Element::None;
    }
    }
}

void Keyer::advance(std::int64_t sample, KeyEdges& out)
{
    while (element_ != Element::None) {
        // Iambic B samples the opposite paddle from its sampling point on.
        const std::int64_t sampling =
            elementStart_ + std::llround(settings_.samplingPercent / 100 * static_cast<double>(keyUp_ - elementStart_));
        if (!sampled_ && sampling <= sample && sampling < spaceEnd_) {
            sampled_ = true;
            if (settings_.mode == KeyerMode::IambicB && held(element_ == Element::Dit ? Element::Dah : Element::Dit))
                (element_ == Element::Dit ? dahLatch_ : ditLatch_) = true;
        }
        if (spaceEnd_ > sample)
            return;
        const Element following = next();
        const std::int64_t at = spaceEnd_;
        element_ = Element::None;
        if (following != Element::None)
            start(following, at, out);
    }
}

void Keyer::paddle(const KeyEdge& edge, KeyEdges& out)
{
    const std::int64_t sample = std::llround(static_cast<double>(edge.micros) * settings_.sampleRate / 1e6);
    advance(sample, out);
    const bool straight = settings_.mode == KeyerMode::Straight || edge.contact == Contact::Straight ||
                          (settings_.mode == KeyerMode::Bug && edge.contact != Contact::Dit);
    if (straight) {
        if (edge.down != straightDown_)
            out.push_back(keyEdge(sample, edge.down));
        straightDown_ = edge.down;
        return;
    }
    const Element paddle = edge.contact == Contact::Dah ? Element::Dah : Element::Dit;
    (paddle == Element::Dit ? ditDown_ : dahDown_) = edge.down;
    if (!edge.down)
        return;
    lastPressed_ = paddle;
    if (element_ == Element::None) {
        start(paddle, sample, out);
        return;
    }
    const bool deaf =
        sample >= keyUp_ && sample < keyUp_ + std::llround(settings_.deafPercent / 100 * static_cast<double>(unit_));
    if (paddle == element_ || deaf)
        return;
    const bool memory = paddle == Element::Dit ? settings_.ditMemory : settings_.dahMemory;
    const bool squeezeSampled = settings_.mode == KeyerMode::IambicB && sampled_;
    if (memory || squeezeSampled)
        (paddle == Element::Dit ? ditLatch_ : dahLatch_) = true;
}

void Keyer::runUntil(std::int64_t micros, KeyEdges& out)
{
    advance(std::llround(static_cast<double>(micros) * settings_.sampleRate / 1e6), out);
}

KeyEdges runKeyer(const KeyerSettings& settings, const KeyEdges& paddles)
{
    Keyer keyer(settings);
    KeyEdges out;
    for (const KeyEdge& edge : paddles)
        keyer.paddle(edge, out);
    const std::int64_t last = paddles.empty() ? 0 : paddles.back().micros;
    keyer.runUntil(last + 60'000'000, out);
    return out;
}

} // namespace brivo::sending
