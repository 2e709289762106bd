#include "Files.h"

#include <memory>

#include <KorrGeomCore/Platform/KStringUtil.h>
#include <KorrGeomCore/Service/KFileServices.h>
#include <KorrGeomCore/Service/KGltfFileService.h>
#include <KorrGeomCore/Service/KIgesFileService.h>
#include <KorrGeomCore/Service/KNativeBrepFileService.h>
#include <KorrGeomCore/Service/KStepFileService.h>
#include <KorrGeomCore/TopoShape/KShapeAttributes.h>

#include "Arguments.h"
#include "Cancellable.h"
#include "PyShape.h"

namespace py = pybind11;
using namespace KorrCore;

namespace KorrPython {

namespace {

std::string PathText(py::handle path)
{
    if (!py::isinstance<py::str>(path) && !PyObject_HasAttrString(path.ptr(), "__fspath__"))
        Raise(KOutcomeCode::InvalidArgument, "path must be a str or an os.PathLike, not " + TypeName(path));
    return Text(py::module_::import("os").attr("fspath")(path), "path");
}

template <class Service> std::unique_ptr<KBrepFileService> CopyIf(const KBrepFileService& registered)
{
    if (const auto* service = dynamic_cast<const Service*>(&registered))
        return std::make_unique<Service>(*service);
    return nullptr;
}

// A service of its own for each call: the registered services keep what
// they load and take one progress indicator, where a script reloads a file it
// has just changed and threads load at once.
std::unique_ptr<KBrepFileService> ServiceFor(const std::string& path, const char* work)
{
    const std::shared_ptr<KBrepFileService> registered = KFileServices::ForFile(KStringUtil::a2w(path));
    std::unique_ptr<KBrepFileService> service;
    if (registered) {
        if (!(service = CopyIf<KStepFileService>(*registered)) && !(service = CopyIf<KIgesFileService>(*registered)) &&
            !(service = CopyIf<KGltfFileService>(*registered)))
            service = CopyIf<KNativeBrepFileService>(*registered);
    }
    if (!service) {
        KOutcome outcome;
        outcome.Code = KOutcomeCode::InvalidArgument;
        outcome.Message = std::string("korrgeom ") + work +
                          " no files of this extension (BRep .brep, STEP .step, IGES .iges; glTF .glb and .gltf "
                          "and the viewer page .html for saving)";
        outcome.Path = path;
        Raise(outcome);
    }
    return service;
}

py::object Load(py::handle pathArgument, py::handle progress, py::handle timeout)
{
    const std::string path = PathText(pathArgument);
    const std::optional<double> seconds = OptionalNumber(timeout, "timeout");
    std::unique_ptr<KBrepFileService> service = ServiceFor(path, "reads");
    PyProgress indicator(py::reinterpret_borrow<py::object>(progress), seconds);
    service->SetProgressIndicator(&indicator);
    if (auto* exchange = dynamic_cast<KExchangeFileService*>(service.get()); exchange && seconds)
        exchange->SetTimeLimit(std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::duration<double>(*seconds)));
    ShapePtr shape;
    const KOutcome outcome = indicator.Run([&] { shape = service->LoadFileUncached(KStringUtil::a2w(path)); });
    indicator.RaiseUnlessOk(outcome, shape && !shape->IsNull());
    return py::cast(Made(shape));
}

void Save(py::handle shapes, py::handle pathArgument, py::handle deflection)
{
    const ShapeList saved =
        py::isinstance<PyShape>(shapes) || shapes.is_none() ? ShapeList{ShapeArgument(shapes, "shape").handle}
                                                            : ShapeListArgument(shapes, "shapes");
    const std::string path = PathText(pathArgument);
    const std::optional<double> size = OptionalNumber(deflection, "deflection");
    std::unique_ptr<KBrepFileService> service = ServiceFor(path, "writes");
    if (auto* gltf = dynamic_cast<KGltfFileService*>(service.get()); gltf && size) {
        gltf->SetDeflection(*size);
        RaiseUnlessOk(KLastOutcome(), true);
    }
    KOutcome outcome;
    {
        py::gil_scoped_release unlocked;
        service->SaveFile(saved, KStringUtil::a2w(path));
        outcome = KLastOutcome();
    }
    RaiseUnlessOk(outcome, true);
}

// The viewer page with the shape's model in it, in an iframe of its own so
// that the page's script and styles stay apart from the notebook's.
std::string NotebookPage(const PyShape& self)
{
    const std::string title = KStringUtil::w2a(KShapeAttributes::GetProductName(self.root, self.handle));
    std::string page;
    KOutcome outcome;
    {
        py::gil_scoped_release unlocked;
        page = KGltfFileService().EncodePage({self.handle}, title.empty() ? "korrgeom" : title);
        outcome = KLastOutcome();
    }
    RaiseUnlessOk(outcome, !page.empty());
    const std::string quoted = py::module_::import("html").attr("escape")(page, true).cast<std::string>();
    return "<iframe srcdoc=\"" + quoted + "\" style=\"width: 100%; height: 480px; border: none\"></iframe>";
}

} // namespace

void BindFiles(py::module_& module)
{
    KFileServices::RegisterAll();
    module.def("load", &Load, py::arg("path"), py::arg("progress") = py::none(), py::arg("timeout") = py::none(),
               R"(The shape in a BRep (.brep), STEP (.step, .stp) or IGES (.iges, .igs) file.

The file is read on every call. A STEP or IGES file gives its assembly: a
compound per assembly holding placed uses of each part, with the file's names
and colours (see Shape.name, .product, .color). progress, when given, is
called with the fraction done; returning True or raising stops the load, as
does Ctrl-C. timeout, in seconds, stops a load that runs longer. A BRep file
is read without either: Ctrl-C raises once it is read.)");
    py::reinterpret_borrow<py::class_<PyShape>>(module.attr("Shape"))
        .def("_repr_html_", &NotebookPage,
             "The viewer page with the shape's model embedded, as a notebook shows it: turn it with the mouse, "
             "names on hover; no server or network.");
    module.def("save", &Save, py::arg("shapes"), py::arg("path"), py::arg("deflection") = py::none(),
               R"(Saves a shape, or a list of shapes, in the format the path's extension names.

BRep (.brep), STEP (.step, .stp) and IGES (.iges, .igs) keep the shapes with
their names and colours; glTF (.glb binary, .gltf JSON) keeps their display
mesh, made with deflection (None derives it from each shape's size), and .html
writes a viewer page with that model in it, which a browser opens from disk.
A failed save leaves any previous file as it was.)");
}

} // namespace KorrPython
