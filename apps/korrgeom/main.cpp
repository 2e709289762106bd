// korrgeom: the host's display round trip, run on an embedded default scene.

#include <iomanip>
#include <iostream>

#include <CLI/CLI.hpp>

#include "Scene.h"
#include "ShapeSummary.h"

int main(int argc, char** argv)
{
    CLI::App app{"KorrGeomCore demo: builds shapes and reports what the library makes of them"};
    CLI11_PARSE(app, argc, argv);

    std::cout << std::setprecision(6);
    for (const korrgeom::NamedShape& named : korrgeom::BuildDefaultScene())
        korrgeom::PrintShapeSummary(std::cout, named);
    return 0;
}
