#include <KorrGeomCore/KorrGeomCore.h>

#include <BRepBuilderAPI_MakeVertex.hxx>
#include <BRep_Builder.hxx>
#include <Standard_Failure.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <gtest/gtest.h>

#include <unordered_set>

#include "support/ReportRecorder.h"
#include "support/ShapeChecks.h"

using namespace KorrCore;
using KMath::Vector3;
using KorrTest::Holding;
using KorrTest::Kernel;
using KorrTest::ReportRecorder;

namespace {

ShapePtr UnitBox() { return KBrepTools::MakeBox(Vector3::ZERO, Vector3::UNIT_Z, Vector3(1, 2, 3)); }

std::size_t DistinctKernelShapes(const ShapeList& list)
{
    std::unordered_set<const void*> distinct;
    for (const ShapePtr& entry : list)
        distinct.insert(Kernel(entry).TShape().get());
    return distinct.size();
}

// Each explorer's list form, so that the rules they share are tested once for all three.
using ListExplorer = bool (*)(const ShapePtr&, ShapeList&);
const ListExplorer kEdges = &KTopoEdgeExplor::Explor;
const ListExplorer kFaces = &KTopoFaceExplor::Explor;
const ListExplorer kVertices = &KTopoVertexExplor::Explor;

} // namespace

TEST(SubShapeEnumeration, BoxGivesTwelveEdgesSixFacesAndFortyEightVertexUses)
{
    const ShapePtr box = UnitBox();
    ShapeList edges, faces, vertices;
    ASSERT_TRUE(KTopoEdgeExplor::Explor(box, edges));
    ASSERT_TRUE(KTopoFaceExplor::Explor(box, faces));
    ASSERT_TRUE(KTopoVertexExplor::Explor(box, vertices));
    EXPECT_EQ(edges.size(), 12u);
    EXPECT_EQ(DistinctKernelShapes(edges), 12u);
    EXPECT_EQ(faces.size(), 6u);
    EXPECT_EQ(vertices.size(), 48u);
    EXPECT_EQ(DistinctKernelShapes(vertices), 8u);
    for (const ShapePtr& edge : edges)
        EXPECT_EQ(edge->GetShapeType(), TopoEdge);
    for (const ShapePtr& face : faces)
        EXPECT_EQ(face->GetShapeType(), TopoFace);
}

TEST(SubShapeEnumeration, ShapeOfTheKindAskedForAppendsItsOwnHandleAndListsAreNeverCleared)
{
    ShapeList faces, edges, vertices;
    ASSERT_TRUE(KTopoFaceExplor::Explor(UnitBox(), faces));
    ASSERT_TRUE(KTopoEdgeExplor::Explor(faces.front(), edges));
    ASSERT_TRUE(KTopoVertexExplor::Explor(edges.front(), vertices));

    for (auto [explorer, shape] :
         {std::pair{kFaces, faces.front()}, std::pair{kEdges, edges.front()}, std::pair{kVertices, vertices.front()}}) {
        ShapeList own;
        ASSERT_TRUE(explorer(shape, own));
        ASSERT_EQ(own.size(), 1u);
        EXPECT_EQ(own.front(), shape); // the same handle, not a new wrapper
    }

    // Lists are appended to, never cleared.
    const ShapePtr marker = std::make_shared<KTopoShape>();
    for (ListExplorer explorer : {kEdges, kFaces, kVertices}) {
        ShapeList list{marker, marker};
        ASSERT_TRUE(explorer(UnitBox(), list));
        ASSERT_GT(list.size(), 2u);
        EXPECT_EQ(*list.begin(), marker);
        EXPECT_EQ(*std::next(list.begin()), marker);
        EXPECT_NE(*std::next(list.begin(), 2), marker);
    }
}

TEST(SubShapeEnumeration, KindsThatCannotContainTheKindAskedForAreRefusedSilently)
{
    ShapeList edges, vertices;
    KTopoEdgeExplor::Explor(UnitBox(), edges);
    KTopoVertexExplor::Explor(UnitBox(), vertices);

    ReportRecorder recorder;
    const ShapePtr marker = std::make_shared<KTopoShape>();
    for (auto [explorer, shape] :
         {std::pair{kFaces, edges.front()}, std::pair{kFaces, vertices.front()}, std::pair{kEdges, vertices.front()}}) {
        ShapeList list{marker};
        EXPECT_FALSE(explorer(shape, list));
        EXPECT_EQ(list, ShapeList{marker});
    }
    EXPECT_EQ(recorder.count(), 0u);
}

TEST(SubShapeEnumeration, NullHandleAndNullShapeAreReported)
{
    for (auto [explorer, source] :
         {std::pair{kEdges, "TopoExplor/KTopoEdgeExplor"}, std::pair{kFaces, "TopoExplor/KTopoFaceExplor"},
          std::pair{kVertices, "TopoExplor/KTopoVertexExplor"}}) {
        ReportRecorder recorder;
        ShapeList list;
        EXPECT_FALSE(explorer(nullptr, list));
        EXPECT_FALSE(explorer(std::make_shared<KTopoShape>(), list));
        EXPECT_TRUE(list.empty());
        ASSERT_EQ(recorder.messages(), (std::vector<std::string>{"Null TopoShape!", "Null Shape!"}));
        EXPECT_EQ(recorder.reports()[0].file, source);
    }
}

TEST(SubShapeEnumeration, RepeatedFaceIsListedTwiceButItsEdgesOnce)
{
    ShapeList faces;
    KTopoFaceExplor::Explor(UnitBox(), faces);
    TopoDS_Compound compound;
    BRep_Builder builder;
    builder.MakeCompound(compound);
    builder.Add(compound, Kernel(faces.front()));
    builder.Add(compound, Kernel(faces.front()));
    const ShapePtr twice = Holding(compound);

    ShapeList listedFaces, listedEdges;
    ASSERT_TRUE(KTopoFaceExplor::Explor(twice, listedFaces));
    ASSERT_TRUE(KTopoEdgeExplor::Explor(twice, listedEdges));
    EXPECT_EQ(listedFaces.size(), 2u);
    EXPECT_EQ(listedEdges.size(), 4u);

    TopoDS_Compound empty;
    builder.MakeCompound(empty);
    ShapeList none;
    EXPECT_TRUE(KTopoFaceExplor::Explor(Holding(empty), none));
    EXPECT_TRUE(none.empty());
}

TEST(VertexPosition, IsPlacedByTheVertexLocationAndRaisesForOtherKinds)
{
    gp_Trsf move;
    move.SetTranslation(gp_Vec(10, 0, 0));
    const TopoDS_Shape vertex = BRepBuilderAPI_MakeVertex(gp_Pnt(1, 2, 3)).Shape().Moved(TopLoc_Location(move));
    Vector3 moved;
    ASSERT_TRUE(KTopoVertexExplor::Explor(Holding(vertex), moved));
    EXPECT_EQ(moved, Vector3(11, 2, 3));

    Vector3 position(7, 7, 7);
    try {
        KTopoVertexExplor::Explor(UnitBox(), position);
        FAIL() << "no exception";
    } catch (const Standard_Failure& failure) {
        EXPECT_STREQ(failure.GetMessageString(), "TopoDS::Vertex");
    }
    EXPECT_EQ(position, Vector3(7, 7, 7));

    ReportRecorder recorder;
    EXPECT_FALSE(KTopoVertexExplor::Explor(std::make_shared<KTopoShape>(), position));
    EXPECT_EQ(recorder.messages(), std::vector<std::string>{"Null Shape!"});
}
