// The drawing seen from above: references through their definitions, nested
// ones included, at their position, rotation and scale; what the drawing
// keeps invisible stays out, and a definition that holds itself is not
// followed round.
#include "drawing/Angles.h"
#include "host/AcDbCurves.h"
#include "host/AcDbSymbolTable.h"
#include "tests/support/BlockDrawingTest.h"
#include "view/DrawingPicture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

class DrawingPictureTest : public HostTest
{
protected:
    static AcDbBlockReference* Reference(AcDbObjectId definition, AcGePoint3d at,
                                         AcGeScale3d scale = AcGeScale3d(1.0),
                                         double rotation = 0.0, bool visible = true)
    {
        auto* reference = new AcDbBlockReference(at, definition);
        reference->setScaleFactors(scale);
        reference->setRotation(rotation);
        reference->setVisibility(visible ? AcDb::kVisible : AcDb::kInvisible);
        return reference;
    }
};

TEST_F(DrawingPictureTest, ReferencesDrawTheirDefinitionsNestedPlacedAndOnlyWhenVisible)
{
    const AcDbObjectId wheel = addDefinition(L"Wheel");
    appendTo(wheel, {new AcDbCircle(AcGePoint3d(1, 0, 0), AcGeVector3d(0, 0, 1), 0.5)});
    const AcDbObjectId cart = addDefinition(L"Cart");
    auto* body = new AcDbPolyline();
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {2.0, 0.0}, {2.0, 1.0}, {0.0, 1.0}})
        body->addVertexAt(body->numVerts(), AcGePoint2d(x, y));
    body->setClosed(true);
    appendTo(cart, {body, Reference(wheel, {0, 0, 0}, AcGeScale3d(1, 2, 1)),
                    Reference(wheel, {5, 5, 0}, AcGeScale3d(1.0), 0.0, false), Reference(cart, {9, 9, 0})});
    appendToModelSpace(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    appendToModelSpace(Reference(cart, {100, 0, 0}, AcGeScale3d(2.0), kPi / 2));
    appendToModelSpace(Reference(cart, {-100, 0, 0}, AcGeScale3d(1.0), 0.0, false));

    const DrawingPicture picture = DrawingPicture::OfWorkingDrawing();
    ASSERT_EQ(picture.Loose().paths.size(), 1u);
    EXPECT_EQ(picture.Loose().paths[0].path.xy, (std::vector<double>{0, 0, 10, 0}));
    ASSERT_EQ(picture.Inserts().size(), 1u);
    double x = 0.0, y = 0.0;
    picture.Inserts()[0].place.Apply(1.0, 0.0, x, y);
    EXPECT_NEAR(x, 100.0, 1e-12);
    EXPECT_NEAR(y, 2.0, 1e-12);

    // The cart's body, and its one visible wheel stretched into an ellipse;
    // the hidden wheel and the cart inside itself are left out.
    ASSERT_EQ(picture.Sketches().size(), 1u);
    const Sketch& sketch = picture.Sketches()[0];
    ASSERT_EQ(sketch.paths.size(), 1u);
    EXPECT_TRUE(sketch.paths[0].path.closed);
    EXPECT_EQ(sketch.paths[0].path.xy.size(), 8u);
    ASSERT_EQ(sketch.ellipses.size(), 1u);
    const SketchEllipse& ellipse = sketch.ellipses[0];
    EXPECT_EQ(ellipse.cx, 1.0);
    EXPECT_EQ(ellipse.cy, 0.0);
    EXPECT_DOUBLE_EQ(ellipse.rx, 1.0);
    EXPECT_DOUBLE_EQ(ellipse.ry, 0.5);
    EXPECT_DOUBLE_EQ(std::fabs(ellipse.angle), kPi / 2);
    EXPECT_FALSE(picture.CutShort());
}
} // namespace
