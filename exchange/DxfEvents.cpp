#include "exchange/DxfEvents.h"

#include "drawing/Failure.h"
#include "motion/LengthUnit.h"

#include <dxflib/dl_entities.h>

#include <cctype>

namespace
{
bool StartsNoCase(const std::string& name, const char* start)
{
    std::size_t i = 0;
    for (; start[i] != '\0'; ++i)
        if (i >= name.size() || std::tolower(static_cast<unsigned char>(name[i])) !=
                                    std::tolower(static_cast<unsigned char>(start[i])))
            return false;
    return true;
}

// R12 files name the two spaces $MODEL_SPACE and $PAPER_SPACE; later ones
// *Model_Space and *Paper_Space, the latter followed by a number for each
// further layout.
bool IsPaperSpace(const std::string& blockName)
{
    return StartsNoCase(blockName, "*Paper_Space") || StartsNoCase(blockName, "$Paper_Space");
}

bool IsModelSpace(const std::string& blockName)
{
    return blockName.size() == 12 && (StartsNoCase(blockName, "*Model_Space") || StartsNoCase(blockName, "$Model_Space"));
}
} // namespace

template <class Read> void DxfEvents::Guarded(Read read)
{
    try
    {
        read();
    }
    catch (const Failure& failure)
    {
        m_watch.Refuse(failure.what());
    }
}

void DxfEvents::addLayer(const DL_LayerData&)
{
    Guarded([&] { m_drawing.layers.push_back(m_pairs.Layer(m_watch.Finished())); });
}

void DxfEvents::addLinetype(const DL_LinetypeData&)
{
    Guarded([&] { m_drawing.linetypes.push_back(m_pairs.Linetype(m_watch.Finished())); });
}

void DxfEvents::addTextStyle(const DL_StyleData&)
{
    Guarded([&] { m_drawing.styles.push_back(m_pairs.Style(m_watch.Finished())); });
}

void DxfEvents::addBlock(const DL_BlockData&)
{
    m_inBlock = true;
    Guarded([&] {
        DxfBlock block = m_pairs.Block(m_watch.Finished());
        m_inPaperBlock = IsPaperSpace(block.name);
        m_inModelBlock = IsModelSpace(block.name);
        if (!m_inModelBlock && !m_inPaperBlock)
            m_drawing.blocks.push_back(std::move(block));
    });
}

void DxfEvents::endBlock()
{
    m_inBlock = false;
    m_inModelBlock = false;
    m_inPaperBlock = false;
    m_polyline = nullptr;
}

void DxfEvents::setVariableInt(const std::string& key, int value, int)
{
    // Units the host does not know are counted and the drawing left
    // without units, as one that never said.
    if (key != "$INSUNITS")
        return;
    if (value == 0 || MetresPerInsertionUnit(value))
        m_drawing.units = value;
    else
        ++m_drawing.skipped[DxfSkip{"HEADER", "$INSUNITS " + std::to_string(value), {}}];
}

std::vector<DxfEntity>* DxfEvents::Destination()
{
    if (m_inPaperBlock || (!m_inBlock && m_watch.Finished().paperSpace))
        return nullptr;
    if (m_inBlock && !m_inModelBlock)
        return m_drawing.blocks.empty() ? nullptr : &m_drawing.blocks.back().entities;
    return &m_drawing.modelSpace;
}

void DxfEvents::Add()
{
    m_polyline = nullptr;
    const DxfTagWatch::Entity& read = m_watch.Finished();
    std::vector<DxfEntity>* destination = Destination();
    if (destination == nullptr)
        return m_pairs.Skip(read.type, {}, "paper space");
    Guarded([&] {
        DxfEntity entity;
        if (m_pairs.Entity(read, m_watch.TakeFinishedVertices(), entity))
            destination->push_back(std::move(entity));
    });
}

void DxfEvents::addLine(const DL_LineData&) { Add(); }
void DxfEvents::addArc(const DL_ArcData&) { Add(); }
void DxfEvents::addCircle(const DL_CircleData&) { Add(); }
void DxfEvents::addInsert(const DL_InsertData&) { Add(); }
void DxfEvents::addText(const DL_TextData&) { Add(); }
void DxfEvents::addMText(const DL_MTextData&) { Add(); }
void DxfEvents::addEllipse(const DL_EllipseData&) { Add(); }
void DxfEvents::addSpline(const DL_SplineData&) { Add(); }
void DxfEvents::addPoint(const DL_PointData&) { Add(); }
void DxfEvents::addHatch(const DL_HatchData&) { Add(); }

// An LWPOLYLINE comes whole; a POLYLINE's vertices follow it.
void DxfEvents::addPolyline(const DL_PolylineData&)
{
    const DxfTagWatch::Entity& read = m_watch.Finished();
    if (read.type == "LWPOLYLINE")
        return Add();
    m_polyline = nullptr;
    std::vector<DxfEntity>* destination = Destination();
    if (destination == nullptr)
        return m_pairs.Skip(read.type, {}, "paper space");
    Guarded([&] {
        DxfEntity entity;
        bool flat = false;
        DxfPolyline polyline = m_pairs.Polyline(read, entity, flat);
        if (!flat)
            return m_pairs.Skip("3D POLYLINE or mesh");
        entity.shape = std::move(polyline);
        destination->push_back(std::move(entity));
        m_polyline = &std::get<DxfPolyline>(destination->back().shape);
    });
}

void DxfEvents::addVertex(const DL_VertexData&)
{
    if (m_polyline == nullptr)
        return;
    DxfVertex vertex;
    if (m_pairs.Vertex(m_watch.Finished(), vertex))
        m_polyline->vertices.push_back(vertex);
}
