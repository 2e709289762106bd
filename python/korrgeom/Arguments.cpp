#include "Arguments.h"

#include "Errors.h"

namespace py = pybind11;
using KorrCore::KOutcomeCode;

namespace KorrPython {

namespace {

[[noreturn]] void Refuse(const char* name, const std::string& expected, py::handle value)
{
    Raise(KOutcomeCode::InvalidArgument,
          std::string(name) + " must be " + expected + ", not " + TypeName(value));
}

bool IsText(py::handle value)
{
    return py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value);
}

} // namespace

std::string TypeName(py::handle value)
{
    if (value.is_none())
        return "None";
    return py::str(py::type::handle_of(value).attr("__name__"));
}

double Number(py::handle value, const char* name)
{
    // Booleans are ints to Python, but a True given for a length is a mistake.
    if (value.is_none() || IsText(value) || py::isinstance<py::bool_>(value) ||
        !(PyFloat_Check(value.ptr()) || PyLong_Check(value.ptr()) || PyObject_HasAttrString(value.ptr(), "__float__")))
        Refuse(name, "a number", value);
    const double number = PyFloat_AsDouble(value.ptr());
    if (number == -1.0 && PyErr_Occurred()) {
        PyErr_Clear();
        Refuse(name, "a number that fits a double", value);
    }
    return number;
}

std::optional<double> OptionalNumber(py::handle value, const char* name)
{
    if (value.is_none())
        return std::nullopt;
    return Number(value, name);
}

std::vector<py::object> Items(py::handle value, const char* name)
{
    if (value.is_none() || IsText(value) || !py::isinstance<py::iterable>(value))
        Refuse(name, "a sequence", value);
    std::vector<py::object> items;
    for (const py::handle item : py::reinterpret_borrow<py::iterable>(value))
        items.push_back(py::reinterpret_borrow<py::object>(item));
    return items;
}

KMath::Vector3 Point(py::handle value, const char* name)
{
    if (value.is_none() || IsText(value) || !py::isinstance<py::sequence>(value) || py::len(value) != 3)
        Refuse(name, "a sequence of three numbers (x, y, z)", value);
    const py::sequence xyz = py::reinterpret_borrow<py::sequence>(value);
    return {Number(xyz[0], name), Number(xyz[1], name), Number(xyz[2], name)};
}

std::vector<KMath::Vector3> Points(py::handle value, const char* name)
{
    if (value.is_none() || IsText(value) || !py::isinstance<py::sequence>(value))
        Refuse(name, "a sequence of points (x, y, z)", value);
    std::vector<KMath::Vector3> points;
    for (const py::handle point : py::reinterpret_borrow<py::sequence>(value))
        points.push_back(Point(point, name));
    return points;
}

std::string Text(py::handle value, const char* name)
{
    if (!py::isinstance<py::str>(value))
        Refuse(name, "a str", value);
    return value.cast<std::string>();
}

KorrCore::KColor Colour(py::handle value, const char* name)
{
    if (value.is_none() || IsText(value) || !py::isinstance<py::sequence>(value) ||
        (py::len(value) != 3 && py::len(value) != 4))
        Refuse(name, "a sequence (r, g, b) of numbers from 0 to 1", value);
    const py::sequence rgb = py::reinterpret_borrow<py::sequence>(value);
    float channels[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    for (std::size_t i = 0; i < py::len(rgb); ++i) {
        const double channel = Number(rgb[i], name);
        if (!(channel >= 0.0 && channel <= 1.0))
            Raise(KOutcomeCode::InvalidArgument,
                  std::string(name) + " must have channels from 0 to 1, not " + std::string(py::repr(rgb[i])));
        channels[i] = static_cast<float>(channel);
    }
    return {channels[0], channels[1], channels[2], channels[3]};
}

} // namespace KorrPython
