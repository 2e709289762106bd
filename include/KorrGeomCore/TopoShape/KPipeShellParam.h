#pragma once

#include <cstdint>
#include <list>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/Vector3.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// Everything a pipe sweep (KFeatureTools::MakePipeShell) needs: the spine, how
// the section frame moves along it, and the profiles. Plain data: copies share
// the shape handles, never duplicate the shapes.
class KORRGEOMCORE_EXPORT KPipeShellParam {
public:
    // How the section frame moves along the spine. Mode holds one of these; any
    // other value leaves the kernel's default trihedron in place.
    enum TrihedronMode : std::int32_t {
        ModeFrenet = 0,           // the Frenet trihedron of the spine
        ModeFixedTrihedron = 1,   // fixed frame at AxisOrigin, main direction AxisDirection
        ModeConstantBinormal = 2, // binormal kept along AxisDirection
        ModeSpineSupport = 3,     // normal taken from the support shape AuxiliaryShape
        ModeAuxiliarySpine = 4,   // normal towards the auxiliary spine AuxiliaryShape
    };

    // One profile to sweep, and where on the spine it sits.
    struct SectionProfile {
        ShapePtr Profile;            // a wire, or any profile the kernel's pipe builder accepts
        bool WithContact = false;    // the kernel's WithContact flag
        bool WithCorrection = false; // the kernel's WithCorrection flag
        KMath::Vector3 Location;     // where on the spine the profile sits, when UseLocation is set
        // The location must coincide with a vertex of the spine: the kernel
        // places a profile only at one of the spine's own vertices.
        bool UseLocation = false;
    };

    // No spine, the Frenet trihedron, no profiles.
    KPipeShellParam();
    // Copies share the shapes the handles hold.
    KPipeShellParam(const KPipeShellParam& other);
    KPipeShellParam& operator=(const KPipeShellParam& other);
    ~KPipeShellParam();

    // Appends a copy of the profile; profiles are swept in insertion order.
    void AddProfile(const SectionProfile& profile);

    ShapePtr Spine;                        // an edge or a wire
    std::int32_t Mode = ModeFrenet;        // a TrihedronMode value
    KMath::Vector3 AxisOrigin;             // ModeFixedTrihedron
    KMath::Vector3 AxisDirection;          // ModeFixedTrihedron, ModeConstantBinormal
    ShapePtr AuxiliaryShape;               // ModeSpineSupport, ModeAuxiliarySpine
    bool CurvilinearEquivalence = false;   // ModeAuxiliarySpine
    bool KeepContact = false;              // ModeAuxiliarySpine
    std::list<SectionProfile> Profiles;    // swept in this order (see AddProfile)
};

} // namespace KorrCore
