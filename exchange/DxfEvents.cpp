#include "exchange/DxfEvents.h"

#include <dxflib/dl_entities.h>

namespace
{
// Polyline flags that make it a 3D polyline, a polygon mesh or a polyface
// mesh: not a 2D outline.
constexpr int kNot2dPolyline = 8 | 16 | 64;

bool IsPaperSpace(const std::string& blockName)
{
    return blockName.rfind("*Paper_Space", 0) == 0 || blockName.rfind("*PAPER_SPACE", 0) == 0;
}

bool IsModelSpace(const std::string& blockName)
{
    return blockName == "*Model_Space" || blockName == "*MODEL_SPACE";
}
} // namespace

void DxfEvents::addLayer(const DL_LayerData& data)
{
    m_drawing.layers.push_back({data.name, getAttributes().getColor(), data.off || (data.flags & 1) != 0});
}

void DxfEvents::addBlock(const DL_BlockData& data)
{
    m_inBlock = true;
    m_inPaperBlock = IsPaperSpace(data.name);
    if (IsModelSpace(data.name) || m_inPaperBlock)
        return;
    m_drawing.blocks.push_back({data.name, {data.bpx, data.bpy, data.bpz}, {}, m_watch.Finished().line});
}

void DxfEvents::endBlock()
{
    m_inBlock = false;
    m_inPaperBlock = false;
    m_polyline = nullptr;
}

std::vector<DxfEntity>* DxfEvents::Destination()
{
    if (m_inPaperBlock || (!m_inBlock && m_watch.Finished().paperSpace))
        return nullptr;
    if (m_inBlock)
        return m_drawing.blocks.empty() ? nullptr : &m_drawing.blocks.back().entities;
    return &m_drawing.modelSpace;
}

void DxfEvents::Skip(const std::string& what)
{
    ++m_drawing.skipped[what];
}

void DxfEvents::Add(DxfShape shape)
{
    m_polyline = nullptr;
    const DxfTagWatch::Entity& entity = m_watch.Finished();
    std::vector<DxfEntity>* destination = Destination();
    if (destination == nullptr)
        return Skip("paper space " + entity.type);
    destination->push_back({std::move(shape), getAttributes().getLayer(), entity.visible, entity.handle, entity.line});
}

void DxfEvents::addLine(const DL_LineData& data)
{
    Add(DxfLine{{data.x1, data.y1, data.z1}, {data.x2, data.y2, data.z2}});
}

void DxfEvents::addArc(const DL_ArcData& data)
{
    Add(DxfArc{{data.cx, data.cy, data.cz}, data.radius, data.angle1, data.angle2});
}

void DxfEvents::addCircle(const DL_CircleData& data)
{
    Add(DxfCircle{{data.cx, data.cy, data.cz}, data.radius});
}

void DxfEvents::addPolyline(const DL_PolylineData& data)
{
    if ((data.flags & kNot2dPolyline) != 0)
    {
        m_polyline = nullptr;
        return Skip("3D POLYLINE or mesh");
    }
    // An LWPOLYLINE's vertices come from the watch; a POLYLINE's follow.
    Add(DxfPolyline{m_watch.TakeFinishedVertices(), (data.flags & 1) != 0});
    std::vector<DxfEntity>* destination = Destination();
    if (destination != nullptr)
        m_polyline = &std::get<DxfPolyline>(destination->back().shape);
}

void DxfEvents::addVertex(const DL_VertexData& data)
{
    if (m_polyline != nullptr)
        m_polyline->vertices.push_back({data.x, data.y, data.bulge});
}

void DxfEvents::addInsert(const DL_InsertData& data)
{
    if (data.cols > 1 || data.rows > 1)
        return Skip("MINSERT (an array of references)");
    Add(DxfInsert{data.name, {data.ipx, data.ipy, data.ipz}, data.sx, data.sy, data.sz, data.angle});
}
