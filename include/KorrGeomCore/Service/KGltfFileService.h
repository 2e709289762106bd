#pragma once

#include <string>

#include <KorrGeomCore/KorrGeomCoreExchangeExport.h>
#include <KorrGeomCore/Service/KBrepFileService.h>

namespace KorrCore {

// Writes shapes as glTF 2.0 display models for viewers and hosts: binary glTF
// for a path ending in .glb, glTF JSON with its buffer embedded for .gltf, and
// for .html a viewer page that holds the binary model and shows it in a
// browser opened straight from disk, with no server and no network (a tree of
// the model's nodes to hide, highlight and frame them, names on hover and the
// part, face number and colour of a face clicked). Each shape is meshed by
// KShapeMesher; each distinct part becomes one glTF mesh, named by its
// product. The nodes keep the shape's tree as KAssemblyExplor walks it: one
// node for the shape, one for each assembly and each use in it (a part that is
// a compound of bodies gets one node per body below its use), each placed in
// its parent. A node is named by its instance name, else its product name
// (from a STEP file, say), else its kind and its number ("Solid 3"); its
// extras hold "product" and "instance" apart. A placed part's node holds its
// part's mesh; nodes that would show nothing are left out. A mesh has one
// triangle primitive per material, whose extras list its faces as [face, first
// triangle, triangle count] (faces numbered as in the part's
// KMeshPart::Faces), and one line primitive for all the part's edges.
// Materials are metallic-roughness ones in the shapes' colours, a neutral grey
// where they have none; they are single-sided on closed solids and
// double-sided on open shells and loose faces. The model's +Z up becomes
// glTF's +Y up, and its lengths become metres.
class KORRGEOMCOREEXCHANGE_EXPORT KGltfFileService : public KBrepFileService {
public:
    // Named "glTF", for *.glb;*.gltf;*.html.
    KGltfFileService();

    // Writes the file. Null entries (and entries holding no shape) report
    // "NULL TopoShape!" and are left out. Reports, and leaves any previous
    // file as it was, when the path ends in none of .glb, .gltf and .html,
    // when a shape cannot be meshed or when the file cannot be written.
    void SaveFile(const ShapeList& shapes, const std::wstring& path) override;
    // glTF holds meshes, not B-rep shapes: always null.
    ShapePtr OnLoadFile(const std::wstring& path) override;

    // The bytes SaveFile writes, for hosts that send or embed the model
    // themselves: binary glTF, or glTF JSON. Empty, after a report, when a
    // shape cannot be meshed.
    std::string Encode(const ShapeList& shapes, bool binary) const;
    // The bytes of the viewer page SaveFile writes for .html, with the title
    // given (plain text; SaveFile takes the file's name).
    std::string EncodePage(const ShapeList& shapes, const std::string& title) const;

    // The mesh's largest distance from the surfaces, in model units; 0 (the
    // default) lets the mesher derive it from each shape's size. A negative
    // or infinite value is reported and ignored.
    void SetDeflection(double deflection);
    double GetDeflection() const { return deflection; }
    // The length of one model unit in metres: 0.001 (millimetres) by
    // default. A value not above 0 or infinite is reported and ignored.
    void SetModelUnit(double metres);
    double GetModelUnit() const { return modelUnit; }
    // Whether the edges are written (default: yes).
    void SetEdges(bool write) { edges = write; }
    bool GetEdges() const { return edges; }
    // Whether texture coordinates (each face's parameters mapped onto 0 ... 1)
    // are written (default: no, as a model without textures leaves them
    // unused).
    void SetTextureCoordinates(bool write) { texCoords = write; }
    bool GetTextureCoordinates() const { return texCoords; }

private:
    double deflection = 0.0;
    double modelUnit = 0.001;
    bool edges = true;
    bool texCoords = false;
};

} // namespace KorrCore
