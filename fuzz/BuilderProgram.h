#pragma once

#include <KorrGeomCore/KorrGeomCore.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace KorrFuzz {

// Runs the bytes as a small program: each step picks an entry point (see
// EntryPoints.h), takes its numbers from the input and its operands from the
// shapes built so far, and keeps its result for later steps. Returns every
// result kept. KORRFUZZ_TRACE=1 lists the steps and their numbers, to read a
// finding.
std::vector<KorrCore::ShapePtr> RunBuilderProgram(const std::uint8_t* bytes, std::size_t size);

} // namespace KorrFuzz
