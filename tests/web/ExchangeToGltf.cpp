// Converts STEP and IGES files to binary glTF for the web checks, as a host
// does: read through the Exchange library, written by KGltfFileService.
//   korrgeom_exchange_to_gltf OUT_DIR FILE...   (OUT_DIR/<name>.glb per file)

#include <KorrGeomCore/KorrGeomCore.h>
#include <KorrGeomCore/Service/KGltfFileService.h>

#include <filesystem>
#include <iostream>

#include "FileFormats/Xde/IsolatedReading.h"

int main(int argc, char** argv)
{
    using namespace KorrCore;
    int failed = 0;
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path input = argv[i];
        const std::filesystem::path output = std::filesystem::path(argv[1]) / (input.stem().string() + ".glb");
        const bool iges = input.extension() == ".igs" || input.extension() == ".iges";
        std::filesystem::remove(output);
        if (const ShapePtr shape = Xde::ReadInWorker(iges ? Xde::FileFormat::Iges : Xde::FileFormat::Step, argv[i], {}))
            KGltfFileService().SaveFile({shape}, KStringUtil::a2w(output.string()));
        const bool written = std::filesystem::exists(output);
        std::cout << (written ? "wrote " + output.string() : "FAIL  " + input.string()) << '\n';
        failed += !written;
    }
    return argc > 2 && failed == 0 ? 0 : 1;
}
