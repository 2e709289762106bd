// A STEP file to binary glTF with the kernel alone, as a program written
// against it would do it: the XCAF reader with names and colours, one
// parallel incremental mesh per free shape at the linear deflection (and the
// library's default angle, 0.5 rad), and the kernel's glTF writer in metres
// with +Z up. The baseline that `korrgeom -i IN -o OUT -d DEFLECTION` is
// timed against, whole process against whole process (docs/benchmarks.md).
//
//   korrgeom_kernel_step_to_glb IN.step OUT.glb DEFLECTION

#include <BRepMesh_IncrementalMesh.hxx>
#include <Message_ProgressRange.hxx>
#include <RWGltf_CafWriter.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <TColStd_IndexedDataMapOfStringString.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDocStd_Document.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s IN.step OUT.glb DEFLECTION\n", argv[0]);
        return 2;
    }
    Handle(TDocStd_Document) document;
    XCAFApp_Application::GetApplication()->NewDocument("BinXCAF", document);
    STEPCAFControl_Reader reader;
    reader.SetNameMode(true);
    reader.SetColorMode(true);
    if (reader.ReadFile(argv[1]) != IFSelect_RetDone || !reader.Transfer(document)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    TDF_LabelSequence freeShapes;
    XCAFDoc_DocumentTool::ShapeTool(document->Main())->GetFreeShapes(freeShapes);
    for (int i = 1; i <= freeShapes.Length(); ++i) {
        IMeshTools_Parameters parameters;
        parameters.Deflection = std::atof(argv[3]);
        parameters.Angle = 0.5;
        parameters.InParallel = true;
        BRepMesh_IncrementalMesh(XCAFDoc_ShapeTool::GetShape(freeShapes.Value(i)), parameters);
    }
    RWGltf_CafWriter writer(argv[2], true);
    writer.ChangeCoordinateSystemConverter().SetInputLengthUnit(0.001);
    writer.ChangeCoordinateSystemConverter().SetInputCoordinateSystem(RWMesh_CoordinateSystem_Zup);
    const TColStd_IndexedDataMapOfStringString fileInfo;
    if (!writer.Perform(document, fileInfo, Message_ProgressRange())) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
