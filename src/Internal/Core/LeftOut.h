#pragma once

#include <optional>
#include <string>

#include <KorrGeomCore/Platform/KOutcome.h>

#include "Internal/Core/Reasons.h"
#include "Internal/Core/ShapeAccess.h"
#include "Internal/Platform/Outcome.h"

namespace KorrCore {

// The first element a call that takes a list left out, or could not use. The
// call still gives what it made of the rest, so the element is told as the
// outcome once the call's frame has concluded: beside a result, it says what
// the result lacks; beside a failure, what is most likely its cause.
class LeftOut {
public:
    // Notes the failure unless an earlier one was noted.
    void Note(KOutcomeCode code, std::string message)
    {
        if (!first)
            first = KOutcome{code, std::move(message), {}, {}};
    }
    // True when the list's `position`-th element (from 1) holds a shape;
    // otherwise it is noted as left out.
    bool Held(const ShapePtr& element, int position)
    {
        if (HoldsShape(element))
            return true;
        Note(KOutcomeCode::NullShape, Unheld(element, Element(position)));
        return false;
    }
    // Notes the element as of a kind the call does not take ("a face, and a
    // wire is made of edges and wires").
    void WrongKind(TopAbs_ShapeEnum kind, int position, const char* taken)
    {
        Note(KOutcomeCode::WrongShapeKind, Element(position) + " is " + KindName(kind) + ", and " + taken);
    }

    // Tells the noted element, if any, as the outcome; passes the result on.
    template <class Result> Result Told(Result result) const
    {
        if (first)
            SetOutcome(first->Code, first->Message);
        return result;
    }

    static std::string Element(int position) { return "element " + std::to_string(position) + " of the list"; }

private:
    std::optional<KOutcome> first;
};

} // namespace KorrCore
