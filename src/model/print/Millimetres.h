#pragma once

namespace print {

// A length on a printed page, in millimetres: a position from the page's left
// or top edge, or a distance. Every position the note and the report are
// drawn at has this type, so a plain number is never taken for one.
struct Mm {
    double value = 0;

    constexpr Mm() = default;
    constexpr explicit Mm(double millimetres) : value(millimetres) {}

    constexpr Mm& operator+=(Mm other)
    {
        value += other.value;
        return *this;
    }
    friend constexpr Mm operator+(Mm a, Mm b) { return Mm(a.value + b.value); }
    friend constexpr Mm operator-(Mm a, Mm b) { return Mm(a.value - b.value); }
    friend constexpr Mm operator/(Mm a, double divisor) { return Mm(a.value / divisor); }
};

// A box on the page, written with its names so that a swapped width and
// height does not compile: {.left = 7_mm, .top = 139_mm, .width = 2.5_mm, .height = 2.5_mm}.
struct MmBox {
    Mm left, top, width, height;
};

namespace literals {
constexpr Mm operator""_mm(long double millimetres) { return Mm(double(millimetres)); }
constexpr Mm operator""_mm(unsigned long long millimetres) { return Mm(double(millimetres)); }
} // namespace literals

} // namespace print
