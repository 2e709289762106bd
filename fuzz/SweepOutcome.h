#pragma once

#include "InspectVerdict.h"

namespace KorrFuzz {

// What became of one damaged copy. Everything from Hang on is a finding.
enum class Outcome {
    Null,  // the reader refused the file
    Shape, // read and inspected without a fault
    Hang,
    Crash,
    OutOfMemory,
    NonFinite,
    OutOfBox,
    BadIndex,
    EscapedException,
};

constexpr Outcome kOutcomes[] = {Outcome::Null,     Outcome::Shape,       Outcome::Hang,
                                 Outcome::Crash,    Outcome::OutOfMemory, Outcome::NonFinite,
                                 Outcome::OutOfBox, Outcome::BadIndex,    Outcome::EscapedException};

inline bool IsFinding(Outcome outcome)
{
    return outcome != Outcome::Null && outcome != Outcome::Shape;
}

inline const char* OutcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Null:
        return "null";
    case Outcome::Shape:
        return "shape";
    case Outcome::Hang:
        return "hang";
    case Outcome::Crash:
        return "crash";
    case Outcome::OutOfMemory:
        return "out-of-memory";
    case Outcome::NonFinite:
        return "non-finite";
    case Outcome::OutOfBox:
        return "out-of-box";
    case Outcome::BadIndex:
        return "bad-index";
    case Outcome::EscapedException:
        return "escaped-exception";
    }
    return "unknown";
}

inline Outcome OutcomeOf(Fault fault)
{
    switch (fault) {
    case Fault::None:
        return Outcome::Shape;
    case Fault::NonFinite:
        return Outcome::NonFinite;
    case Fault::OutOfBox:
        return Outcome::OutOfBox;
    case Fault::BadIndex:
        return Outcome::BadIndex;
    case Fault::EscapedException:
        return Outcome::EscapedException;
    case Fault::OutOfMemory:
        return Outcome::OutOfMemory;
    }
    return Outcome::Crash;
}

} // namespace KorrFuzz
