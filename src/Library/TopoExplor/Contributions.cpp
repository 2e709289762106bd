#include "Library/TopoExplor/Contributions.h"

#include <TopLoc_MapOfLocation.hxx>
#include <TopTools_MapOfShape.hxx>

#include <numeric>
#include <unordered_map>

namespace KorrCore {

namespace {

std::vector<int> NewShapes(const TopTools_IndexedMapOfShape& shapes, const TopLoc_Location& location,
                           TopTools_MapOfShape& seen)
{
    std::vector<int> added;
    added.reserve(static_cast<std::size_t>(shapes.Extent()));
    // Locations that mirror are not the kernel's default, but they are legal.
    for (int i = 1; i <= shapes.Extent(); ++i)
        if (seen.Add(shapes(i).Moved(location, Standard_False)))
            added.push_back(i);
    return added;
}

std::vector<int> AllShapes(const TopTools_IndexedMapOfShape& shapes)
{
    std::vector<int> all(static_cast<std::size_t>(shapes.Extent()));
    std::iota(all.begin(), all.end(), 1);
    return all;
}

// Parts that hold a face or an edge another part holds too, as the solids of
// a compound that share faces do. Occurrences of other parts can meet earlier
// ones only where their part was already placed.
std::vector<bool> SharingParts(const std::vector<PartMesh>& parts)
{
    std::vector<bool> sharing(parts.size(), false);
    std::unordered_map<const void*, std::size_t> holder;
    for (std::size_t p = 0; p < parts.size(); ++p)
        for (const TopTools_IndexedMapOfShape* shapes : {&parts[p].faces, &parts[p].edges})
            for (int i = 1; i <= shapes->Extent(); ++i) {
                const auto [entry, added] = holder.emplace((*shapes)(i).TShape().get(), p);
                if (!added && entry->second != p)
                    sharing[p] = sharing[entry->second] = true;
            }
    return sharing;
}

} // namespace

std::vector<Contribution> FindContributions(const ShapeInstances& instances, const std::vector<PartMesh>& parts)
{
    const std::vector<bool> sharing = SharingParts(parts);
    std::vector<TopLoc_MapOfLocation> placed(parts.size());
    // What the sharing parts' occurrences brought: a thousand placed copies of
    // a part of their own need no such record, which would cost more than
    // the rest of the assembly.
    TopTools_MapOfShape seenFaces, seenEdges;
    std::vector<Contribution> contributions;
    for (const ShapeInstances::Occurrence& occurrence : instances.occurrences) {
        const PartMesh& part = parts[occurrence.part];
        if (!placed[occurrence.part].Add(occurrence.location))
            continue;
        Contribution contribution{&occurrence, {}, {}};
        if (sharing[occurrence.part]) {
            contribution.faces = NewShapes(part.faces, occurrence.location, seenFaces);
            contribution.edges = NewShapes(part.edges, occurrence.location, seenEdges);
        } else {
            contribution.faces = AllShapes(part.faces);
            contribution.edges = AllShapes(part.edges);
        }
        if (!contribution.faces.empty() || !contribution.edges.empty())
            contributions.push_back(std::move(contribution));
    }
    return contributions;
}

} // namespace KorrCore
