#pragma once

#include <BRepPrim_Builder.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shell.hxx>

namespace KorrCore {

// Faces gathered into one shell as they are: no sewing, no orientation fixing
// and no closure test. A shell with no face added is empty, not null.
class FaceShell {
public:
    FaceShell() { builder.MakeShell(shell); }
    void Add(const TopoDS_Face& face) { builder.AddShellFace(shell, face); }
    const TopoDS_Shell& Shell() const { return shell; }

private:
    BRepPrim_Builder builder;
    TopoDS_Shell shell;
};

} // namespace KorrCore
