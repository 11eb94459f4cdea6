#pragma once

namespace brivo {

// The range of a numeric control and the value it shows at first start.
struct ControlRange {
    int minimum;
    int maximum;
    int initial;

    constexpr bool contains(int value) const { return value >= minimum && value <= maximum; }
    // A value kept to the range, as a spin box does when it loses the focus.
    constexpr int clamp(int value) const { return value < minimum ? minimum : value > maximum ? maximum : value; }
};

} // namespace brivo
