// A host opening a STEP assembly: loads it through the file service its
// extension names, prints its tree of assemblies and parts, lists each placed
// part with its names and colours, and writes what it found twice: a page listing the parts, and a binary glTF
// model of the assembly that any glTF viewer shows.
//
//   assembly_walk FILE.step OUTPUT_FOLDER   writes parts.html and assembly.glb there
#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KFileServices.h>
#include <KorrGeomCore/Service/KGltfFileService.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

using namespace KorrCore;

namespace {

int Failed(const char* step)
{
    const KOutcome& why = KLastOutcome();
    std::fprintf(stderr, "%s failed: %s: %s %s\n", step, KOutcomeName(why.Code), why.Message.c_str(),
                 why.Detail.c_str());
    return 1;
}

// Names come from the file: anything in them must reach the page as text.
std::string Escaped(const std::string& text)
{
    std::string escaped;
    for (const char c : text)
        escaped += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : c == '"' ? "&quot;" : std::string(1, c);
    return escaped;
}

// "#rrggbb", for the page.
std::string Hex(const KColor& colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(colour.Red * 255.0f + 0.5f),
                  static_cast<unsigned>(colour.Green * 255.0f + 0.5f),
                  static_cast<unsigned>(colour.Blue * 255.0f + 0.5f));
    return text;
}

// The tree below the shape, one use a line, indented by its depth: the
// use's instance name, the part or assembly it places, and its colour.
void PrintTree(const ShapePtr& shape, int depth)
{
    std::vector<KAssemblyChild> uses;
    if (!KAssemblyExplor::Explor(shape, uses))
        return;
    for (const KAssemblyChild& use : uses) {
        std::printf("%*s%s: %s %s %s\n", 2 * depth, "", KStringUtil::w2a(use.Name).c_str(),
                    use.IsAssembly ? "assembly" : "part", KStringUtil::w2a(use.Product).c_str(),
                    use.Colour ? Hex(*use.Colour).c_str() : "");
        if (use.IsAssembly)
            PrintTree(use.Shape, depth + 1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE.step OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::wstring path = KStringUtil::a2w(argv[1]);
    const std::string folder = argv[2];

    KFileServices::RegisterAll();
    const std::shared_ptr<KBrepFileService> service = KFileServices::ForFile(path);
    if (!service) {
        std::fprintf(stderr, "no file service reads %s\n", argv[1]);
        return 1;
    }
    const ShapePtr assembly = service->LoadFile(path);
    if (!assembly)
        return Failed("loading");
    const std::wstring product = KShapeAttributes::GetProductName(assembly, assembly);
    std::printf("%s: %s\n", argv[1], product.empty() ? "several parts" : KStringUtil::w2a(product).c_str());
    PrintTree(assembly, 1);

    // The display mesh walks the assembly once: each distinct part, and each
    // placement of one with the name the file gives it.
    KShapeMesh mesh;
    if (!KShapeMesher::Mesh(assembly, KMeshOptions(), mesh))
        return Failed("meshing");
    std::ofstream page(folder + "/parts.html");
    page << "<!doctype html><meta charset=utf-8><title>Parts</title>\n<table>\n"
         << "<tr><th>placement<th>part<th>faces<th>colours\n";
    for (const KMeshInstance& use : mesh.Instances) {
        const KMeshPart& part = mesh.Parts[use.Part];
        std::set<std::string> colours;
        for (const KMeshFace& face : part.Faces)
            if (face.Colour)
                colours.insert(Hex(*face.Colour));
        std::printf("  %-24s part %-24s %3zu faces at (%g, %g, %g), %zu colours\n",
                    use.Name.empty() ? "(a use without a name)" : use.Name.c_str(), part.Product.c_str(),
                    part.Faces.size(), use.Placement(0, 3), use.Placement(1, 3), use.Placement(2, 3), colours.size());
        page << "<tr><td>" << Escaped(use.Name) << "<td>" << Escaped(part.Product) << "<td>" << part.Faces.size()
             << "<td>";
        for (const std::string& colour : colours)
            page << "<span style=\"background:" << colour << "\">&emsp;</span> ";
        page << '\n';
    }
    page << "</table>\n";
    if (!page.flush())
        return std::fprintf(stderr, "could not write %s/parts.html\n", folder.c_str()), 1;

    KGltfFileService().SaveFile({assembly}, KStringUtil::a2w(folder + "/assembly.glb"));
    if (KLastOutcome().Code != KOutcomeCode::Ok)
        return Failed("saving assembly.glb");
    std::printf("%zu placements of %zu parts; wrote parts.html and assembly.glb in %s\n", mesh.Instances.size(),
                mesh.Parts.size(), folder.c_str());
    return 0;
}
