#pragma once

#include <type_traits>

namespace rk7 {

// A set of the bits of a scoped enum whose values are single bits (and their unions), so that a
// set of one enum cannot be passed where a set of another is meant.
template <typename Enum>
class Flags {
public:
    using Bits = std::underlying_type_t<Enum>;

    constexpr Flags() = default;
    constexpr Flags(Enum value) : m_bits(static_cast<Bits>(value)) {}

    // A set from bits kept as a number (a bit per value, as the enum gives them).
    static constexpr Flags FromBits(Bits bits) {
        Flags flags;
        flags.m_bits = bits;
        return flags;
    }
    constexpr Bits bits() const { return m_bits; }

    constexpr bool has(Enum value) const {
        return (m_bits & static_cast<Bits>(value)) == static_cast<Bits>(value);
    }
    constexpr bool any() const { return m_bits != 0; }
    constexpr explicit operator bool() const { return any(); }

    constexpr Flags operator|(Flags other) const { return FromBits(m_bits | other.m_bits); }
    constexpr Flags operator&(Flags other) const { return FromBits(m_bits & other.m_bits); }
    // The set without the other's bits.
    constexpr Flags without(Flags other) const { return FromBits(m_bits & ~other.m_bits); }
    constexpr Flags& operator|=(Flags other) { return *this = *this | other; }
    constexpr Flags& operator&=(Flags other) { return *this = *this & other; }
    constexpr bool operator==(const Flags&) const = default;

private:
    Bits m_bits = 0;
};

namespace bits {

// The scoped enums whose values are bits live in this namespace, beside the operator that joins
// two of their values into Flags. Argument-dependent lookup finds it for them; declared in rk7
// itself, it would hide every other operator| (Qt's among them) from the code in rk7.
template <typename Enum>
    requires std::is_enum_v<Enum>
constexpr Flags<Enum> operator|(Enum a, Enum b) {
    return Flags<Enum>(a) | b;
}

} // namespace bits

} // namespace rk7
