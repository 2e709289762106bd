#pragma once

#include <vector>

#include <KorrGeomCore/KorrGeomCore.h>

#include <Geom_Circle.hxx>
#include <Geom_Curve.hxx>
#include <TopoDS_Edge.hxx>
#include <gp_Pnt.hxx>
#include <gtest/gtest.h>

// Kernel-side measurements of curves and edges, shared by the tests.
namespace KorrTest {

// The edges of a shape, each occurrence in the kernel's traversal order.
std::vector<TopoDS_Edge> Edges(const KorrCore::ShapePtr& shape);

// An edge's 3D curve (its location applied) over the edge's parameter range.
// Start and End follow the curve's parametrisation, not the edge's orientation.
struct EdgeCurve {
    Handle(Geom_Curve) curve;
    double first = 0.0;
    double last = 0.0;

    gp_Pnt Start() const { return curve->Value(first); }
    gp_Pnt End() const { return curve->Value(last); }
};
EdgeCurve CurveOf(const TopoDS_Edge& edge);

// The circle an edge lies on; null when its curve is not circular.
Handle(Geom_Circle) CircleOf(const TopoDS_Edge& edge);

gp_Pnt ToPoint(const KMath::Vector3& v);

::testing::AssertionResult PointNear(const gp_Pnt& actual, const gp_Pnt& expected, double tol);

} // namespace KorrTest
