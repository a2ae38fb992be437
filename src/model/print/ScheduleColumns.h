#pragma once

#include "model/print/Millimetres.h"

namespace print {

// The columns the schedule of policies is printed in on page 1, at the
// schedule's 9-point type. Each holds `characters` of its field: that many of
// the widest character the field is written with, after the note's own
// prefix, end before the next column begins (the form's right edge, 206 mm,
// for the last one on a line). Text fields are measured with a capital W, the
// widest letter; dates and amounts, which Next >> refuses unless they read
// as such, with a digit, the widest character either is written with.
struct PrintedColumn {
    Mm x;
    Mm nextX;
    char widest;
    const char* prefix;
    int characters;
};

inline constexpr double kScheduleTypeSize = 9;

inline constexpr PrintedColumn kPolicyColumn{Mm(7), Mm(28), 'W', "", 7};
inline constexpr PrintedColumn kCompanyColumn{Mm(28), Mm(99), 'W', "", 23};
inline constexpr PrintedColumn kPremiumColumn{Mm(99), Mm(126), '0', "", 15};
inline constexpr PrintedColumn kCoverageColumn{Mm(126), Mm(148), 'W', "", 7};
inline constexpr PrintedColumn kInceptionColumn{Mm(148), Mm(168), '0', "", 11};
// The expiration is kept as typed, but its hint asks for a date like the inception's.
inline constexpr PrintedColumn kExpirationColumn{Mm(168), Mm(186), '0', "", 10};
inline constexpr PrintedColumn kTermColumn{Mm(186), Mm(206), 'W', "", 6};
// Section 4: the ticked amounts with their "$", and beside the other amount its description.
inline constexpr PrintedColumn kSpecialAmountColumn{Mm(47), Mm(67), '0', "$", 10};
inline constexpr PrintedColumn kDescriptionColumn{Mm(67), Mm(206), 'W', "", 46};

} // namespace print
