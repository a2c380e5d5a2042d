#include "view/DrawingPicture.h"

#include "drawing/BlockWalk.h"
#include "host/AcDbBlockReference.h"
#include "view/SketchBuilder.h"

#include <algorithm>

DrawingPicture DrawingPicture::OfWorkingDrawing()
{
    DrawingPicture picture;
    SketchBuilder loose(picture.m_pens);
    const Inherited modelSpace = Inherited::ModelSpace();
    ForEachModelSpaceEntity([&](const AcDbEntity& entity) {
        const auto* reference = AcDbBlockReference::cast(&entity);
        if (reference == nullptr)
            loose.AddEntity(entity, Affine2(), modelSpace);
        else if (picture.m_pens.Shows(entity, modelSpace))
            picture.m_inserts.push_back({picture.SketchOf(reference->blockTableRecord(),
                                                          picture.m_pens.Resolve(entity, modelSpace)),
                                         ReferencePlacement(*reference)});
    });
    picture.m_loose = loose.Take();
    return picture;
}

std::size_t DrawingPicture::SketchOf(AcDbObjectId definition, const Inherited& outer)
{
    const auto key = std::make_pair(definition, outer.Key());
    const auto found = m_sketchIndices.find(key);
    if (found != m_sketchIndices.end())
        return found->second;
    SketchBuilder builder(m_pens);
    builder.AddDefinition(definition, Affine2(), outer);
    m_sketches.push_back(builder.Take());
    m_sketchIndices.emplace(key, m_sketches.size() - 1);
    return m_sketches.size() - 1;
}

std::size_t DrawingPicture::Block(AcDbObjectId definition)
{
    const auto found = m_indices.find(definition);
    if (found != m_indices.end())
        return found->second;
    m_blocks.push_back(BlockOutline(definition));
    m_indices.emplace(definition, m_blocks.size() - 1);
    return m_blocks.size() - 1;
}

Bounds DrawingPicture::DrawingBounds() const
{
    Bounds bounds;
    AddSketch(bounds, m_loose, Affine2());
    for (const SketchInsert& insert : m_inserts)
        AddSketch(bounds, m_sketches[insert.sketch], insert.place);
    return bounds;
}

bool DrawingPicture::CutShort() const
{
    return m_loose.cutShort ||
           std::any_of(m_sketches.begin(), m_sketches.end(), [](const Sketch& sketch) { return sketch.cutShort; }) ||
           std::any_of(m_blocks.begin(), m_blocks.end(), [](const Outline& outline) { return outline.cutShort; });
}

void AddSketch(Bounds& bounds, const Sketch& sketch, const Affine2& place)
{
    Outline outline;
    for (const SketchPath& path : sketch.paths)
        outline.paths.push_back(path.path);
    for (const SketchFill& fill : sketch.fills)
        for (const std::vector<double>& ring : fill.rings)
            outline.paths.push_back({ring, true});
    for (const SketchEllipse& e : sketch.ellipses)
    {
        const double c = std::cos(e.angle), s = std::sin(e.angle);
        outline.ellipses.push_back({e.cx, e.cy, e.rx * c, e.rx * s, -e.ry * s, e.ry * c});
    }
    bounds.Add(outline, place);
    double x = 0.0, y = 0.0;
    for (const SketchText& text : sketch.texts)
    {
        place.Apply(text.x, text.y, x, y);
        bounds.Add(x, y);
    }
    for (const SketchPoint& point : sketch.points)
    {
        place.Apply(point.x, point.y, x, y);
        bounds.Add(x, y);
    }
}
