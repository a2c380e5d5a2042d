// dxflib's callbacks, turned into a DxfDrawing: the layer, line type and
// text style tables, the blocks with their entities, model space, and the
// insertion units. dxflib says what comes and when; what each entity or
// table record holds is read from its own pairs, which the tag watch kept
// (DxfPairs.h), since dxflib's values lose some of it (a hatch's polyline
// boundaries and pattern lines, a vertex's widths, a text's slant, the
// order of a paragraph's pieces) and cannot tell what they left out. What
// the drawing cannot hold (paper space, 3D polylines and meshes, arrays of
// references) is counted by what it is, as are the entity types and table
// records the tag watch saw go by unread.
#pragma once

#include "exchange/DxfDrawing.h"
#include "exchange/DxfPairs.h"
#include "exchange/DxfTagWatch.h"

#include <dxflib/dl_creationadapter.h>

class DxfEvents : public DL_CreationAdapter
{
public:
    DxfEvents(DxfTagWatch& watch, DxfDrawing& drawing)
        : m_watch(watch), m_drawing(drawing), m_pairs(drawing.skipped)
    {
    }

    void addLayer(const DL_LayerData& data) override;
    void addLinetype(const DL_LinetypeData& data) override;
    void addTextStyle(const DL_StyleData& data) override;
    void addBlock(const DL_BlockData& data) override;
    void endBlock() override;
    void addLine(const DL_LineData& data) override;
    void addArc(const DL_ArcData& data) override;
    void addCircle(const DL_CircleData& data) override;
    void addPolyline(const DL_PolylineData& data) override;
    void addVertex(const DL_VertexData& data) override;
    void addInsert(const DL_InsertData& data) override;
    void addText(const DL_TextData& data) override;
    void addMText(const DL_MTextData& data) override;
    void addEllipse(const DL_EllipseData& data) override;
    void addSpline(const DL_SplineData& data) override;
    void addPoint(const DL_PointData& data) override;
    void addHatch(const DL_HatchData& data) override;
    void setVariableInt(const std::string& key, int value, int code) override;

private:
    // Where an entity goes: the block being read, or model space; null for
    // paper space, whose entities are counted instead.
    std::vector<DxfEntity>* Destination();
    // The entity dxflib has just finished, read from its pairs.
    void Add();
    // A refusal from reading an entity's pairs stops the read there, as the
    // watch's own do: dxflib is not unwound through.
    template <class Read> void Guarded(Read read);

    DxfTagWatch& m_watch;
    DxfDrawing& m_drawing;
    DxfPairReader m_pairs;
    bool m_inBlock = false;
    bool m_inModelBlock = false;
    bool m_inPaperBlock = false;
    // The polyline whose vertices are being read; null when none is or it
    // was passed over.
    DxfPolyline* m_polyline = nullptr;
};
