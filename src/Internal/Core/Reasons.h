#pragma once

#include <TopAbs_ShapeEnum.hxx>

#include <string>

#include <KorrGeomCore/Platform/Vector3.h>

// The pieces of the sentences an outcome tells a person: values as the host
// passed them, and shapes by their kind.
namespace KorrCore {

// The shortest text that reads back as the same double: "-1", "0.1", "nan".
std::string Shown(double value);
// "(1, 0, nan)".
std::string Shown(const KMath::Vector3& value);

// The kind with its article, as a sentence names it: "a shell", "an edge".
const char* KindName(TopAbs_ShapeEnum kind);

} // namespace KorrCore
