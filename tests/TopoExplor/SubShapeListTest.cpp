#include "support/Checks.h"

#include <BRepBuilderAPI_MakeVertex.hxx>

#include <set>

using namespace KorrCore;

TEST(SubShapeList, EdgesAreListedOnceFacesAndVerticesAtEveryUseAppendedOrAsTheirOwnHandle)
{
    const ShapePtr box = KBrepTools::MakeBox({0, 0, 0}, {0, 0, 1}, {1, 2, 3});
    const std::tuple<bool (*)(const ShapePtr&, ShapeList&), std::size_t, std::size_t> explorers[] = {
        {&KTopoEdgeExplor::Explor, 12, 12}, {&KTopoFaceExplor::Explor, 6, 6}, {&KTopoVertexExplor::Explor, 48, 8}};
    for (const auto& [explorer, listed, distinct] : explorers) {
        ShapeList list{nullptr}, own;
        ASSERT_TRUE(explorer(box, list) && list.size() == listed + 1 && !list.front());
        list.pop_front();
        std::set<const void*> shapes;
        for (const ShapePtr& entry : list)
            shapes.insert(KorrTest::Kernel(entry).TShape().get());
        // A shape of the kind asked for is listed as its own handle.
        EXPECT_TRUE(shapes.size() == distinct && explorer(list.front(), own) && own == ShapeList{list.front()});
    }
    // Kinds that cannot hold the kind asked for are refused, silently; an empty compound holds nothing.
    const ShapePtr edge = KorrTest::EdgesOf(box).front();
    const ShapePtr vertex = KorrTest::Holding(BRepBuilderAPI_MakeVertex(gp_Pnt(1, 2, 3)).Shape().Moved(gp_Trsf()));
    KorrTest::ReportRecorder recorder;
    ShapeList none;
    EXPECT_FALSE(KTopoFaceExplor::Explor(edge, none) || KTopoFaceExplor::Explor(vertex, none) ||
                 KTopoEdgeExplor::Explor(vertex, none) || !none.empty() || recorder.count() > 0);
    EXPECT_TRUE(KorrTest::FacesOf(KBrepTools::MakeCompound({})).empty());
    // A vertex is where its location puts it; other kinds raise.
    gp_Trsf move;
    move.SetTranslation(gp_Vec(10, 0, 0));
    KMath::Vector3 position(7, 7, 7);
    ASSERT_TRUE(KTopoVertexExplor::Explor(KorrTest::Holding(KorrTest::Kernel(vertex).Moved(move)), position));
    EXPECT_EQ(position, KMath::Vector3(11, 2, 3));
    EXPECT_THROW(KTopoVertexExplor::Explor(box, position), Standard_TypeMismatch);
}
