#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCore.h>

namespace korrgeom {

// Saves the shape with KBrepTools::SaveBrepFile, reads the file back with
// ReadBrepFile and compares: the shape read must be of the same kind with the
// same bounding box. Returns false with the reason in `problem` otherwise.
bool BrepRoundTrip(const KorrCore::ShapePtr& shape, const std::string& path, std::string& problem);

} // namespace korrgeom
