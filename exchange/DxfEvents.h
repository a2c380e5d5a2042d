// dxflib's callbacks, turned into a DxfDrawing: the blocks with their
// entities, model space, the layers. What dxflib hands over but the drawing
// cannot hold (paper space, 3D polylines and meshes, arrays of references)
// is counted by what it is, as are the entity types the tag watch saw go by
// unread.
#pragma once

#include "exchange/DxfDrawing.h"
#include "exchange/DxfTagWatch.h"

#include <dxflib/dl_creationadapter.h>

class DxfEvents : public DL_CreationAdapter
{
public:
    DxfEvents(DxfTagWatch& watch, DxfDrawing& drawing) : m_watch(watch), m_drawing(drawing) {}

    void addLayer(const DL_LayerData& data) override;
    void addBlock(const DL_BlockData& data) override;
    void endBlock() override;
    void addLine(const DL_LineData& data) override;
    void addArc(const DL_ArcData& data) override;
    void addCircle(const DL_CircleData& data) override;
    void addPolyline(const DL_PolylineData& data) override;
    void addVertex(const DL_VertexData& data) override;
    void addInsert(const DL_InsertData& data) override;

private:
    // Where an entity goes: the block being read, or model space; null for
    // paper space, whose entities are counted instead.
    std::vector<DxfEntity>* Destination();
    void Add(DxfShape shape);
    void Skip(const std::string& what);

    DxfTagWatch& m_watch;
    DxfDrawing& m_drawing;
    bool m_inBlock = false;
    bool m_inPaperBlock = false;
    // The polyline whose vertices are being read; null when none is or it
    // was passed over.
    DxfPolyline* m_polyline = nullptr;
};
