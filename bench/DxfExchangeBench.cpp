// DXF export and import of a drawing of 100 simulations (1,000 and 10,000
// positions each) beside a plan of layers, a line type, a text style and a
// hundred each of text, paragraphs, ellipses, splines, points and hatches,
// against ezdxf doing the same work on the same content in the same run:
// export gathers the drawing and writes the file, against ezdxf making a
// drawing of the same tables, blocks, entities and records and saving it;
// import reads the file and builds a drawing of it, against ezdxf reading it
// and gathering its geometry. ezdxf runs in a child process and reports the
// seconds its work took, without Python's start-up. The per position
// counters show how each grows.
//
// Every repetition does the whole work: each export and each import counts
// the entities it wrote or brought in, as does ezdxf, and a count other than
// the drawing's fails the run, so that a repetition that found nothing to do
// cannot pass for a fast one.
#include "bench/support/BenchDrawing.h"
#include "exchange/DrawingToDxf.h"
#include "exchange/DxfFileReader.h"
#include "exchange/DxfFileWriter.h"
#include "exchange/DxfToDrawing.h"
#include "host/AcDbCurves.h"
#include "host/AcDbHatch.h"
#include "host/AcDbPoint.h"
#include "host/AcDbSymbolTable.h"
#include "host/AcDbText.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace
{
constexpr int kSims = 100;
// Of each kind of the plan's entities.
constexpr int kPlanEntities = 100;
constexpr int kPlanKinds = 6;

std::string Scratch(const std::wstring& stem, std::size_t positions)
{
    return bench::Narrow(bench::TemporaryPath(stem)) + "-" + std::to_string(positions) + ".dxf";
}

// Layers in colours, a dashed line type and a text style, and the plan's
// entities on them.
void DrawPlan(AcDbDatabase& drawing)
{
    AcDbLinetypeTable* linetypes = nullptr;
    drawing.getLinetypeTable(linetypes, AcDb::kForWrite);
    auto* dashed = new AcDbLinetypeTableRecord;
    dashed->setName(L"Dashed");
    dashed->setNumDashes(2);
    dashed->setDashLengthAt(0, 0.5);
    dashed->setDashLengthAt(1, -0.25);
    dashed->setPatternLength(0.75);
    AcDbObjectId dashedId;
    linetypes->add(dashedId, dashed);
    dashed->close();
    linetypes->close();
    AcDbLayerTable* layers = nullptr;
    drawing.getLayerTable(layers, AcDb::kForWrite);
    std::vector<AcDbObjectId> layerIds;
    for (int i = 0; i < 10; ++i)
    {
        auto* layer = new AcDbLayerTableRecord;
        layer->setName((L"Plan " + std::to_wstring(i)).c_str());
        AcCmColor colour;
        colour.setColorIndex(static_cast<Adesk::UInt16>(i + 1));
        layer->setColor(colour);
        layer->setLinetypeObjectId(dashedId);
        layers->add(layerIds.emplace_back(), layer);
        layer->close();
    }
    layers->close();
    AcDbBlockTableRecord* model = nullptr;
    AcDbBlockTable* table = nullptr;
    drawing.getBlockTable(table, AcDb::kForRead);
    table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForWrite);
    table->close();
    for (int i = 0; i < kPlanEntities; ++i)
    {
        const double x = i * 10.0;
        AcGePoint3dArray points;
        AcGeDoubleArray knots;
        for (int k = 0; k < 4; ++k)
            points.append({x + k, static_cast<double>(k % 2), 0.0});
        for (const double knot : {0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0})
            knots.append(knot);
        auto* spline = new AcDbSpline;
        spline->setNurbsData(3, false, false, false, points, knots, {});
        auto* paragraph = new AcDbMText;
        paragraph->setContents((L"Bay\\Pnumber " + std::to_wstring(i)).c_str());
        paragraph->setLocation({x, 5, 0});
        auto* hatch = new AcDbHatch;
        AcGePoint2dArray corners;
        corners.append({x, 0}).append({x + 4, 0}).append({x + 4, 4}).append({x, 4});
        hatch->appendLoop(AcDbHatch::kExternal, corners, {});
        AcDbEntity* kinds[kPlanKinds] = {new AcDbText({x, 0, 0}, (L"Bay " + std::to_wstring(i)).c_str()),
                                         paragraph,
                                         new AcDbEllipse({x, 2, 0}, {0, 0, 1}, {2, 0, 0}, 0.5),
                                         spline,
                                         new AcDbPoint({x, 3, 0}),
                                         hatch};
        for (AcDbEntity* entity : kinds)
        {
            entity->setLayer(layerIds[static_cast<std::size_t>(i) % layerIds.size()]);
            model->appendAcDbEntity(entity);
            entity->close();
        }
    }
    model->close();
}

// The drawing, and the DXF that export wrote of it.
class BigDrawing
{
public:
    explicit BigDrawing(std::size_t positions) : m_path(Scratch(L"dxf-bench", positions))
    {
        bench::StoreSims(kSims, bench::MakePath(positions), 1);
        DrawPlan(m_drawing.database());
        m_entities = Export();
    }
    ~BigDrawing() { std::remove(m_path.c_str()); }

    // The entities of model space it wrote.
    std::size_t Export()
    {
        const bench::WorkingAgain working(m_drawing);
        std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(true, false));
        std::vector<ExportedSimulation> sims;
        for (int i = 0; i < list->Size(); ++i)
            sims.push_back({list->Sim(i), {}, {}});
        const DxfDrawing dxf = DrawingToDxf(sims);
        WriteDxfFile(m_path, dxf);
        return dxf.modelSpace.size();
    }

    const std::string& Path() const { return m_path; }
    // Model space's entities as export wrote them the first time: a path
    // and a part per simulation, and the plan.
    std::size_t Entities() const { return m_entities; }

private:
    bench::WorkingDrawing m_drawing;
    std::string m_path;
    std::size_t m_entities = 0;
};

BigDrawing& Drawing(std::size_t positions)
{
    return bench::PerSize<BigDrawing>(positions);
}

void Report(benchmark::State& state)
{
    const auto positions = static_cast<std::int64_t>(kSims) * state.range(0);
    state.SetItemsProcessed(state.iterations() * positions);
}

// Fails the run when a repetition did not do the whole work.
bool Counted(benchmark::State& state, std::size_t counted, std::size_t expected, const char* what)
{
    if (counted == expected)
        return true;
    state.SkipWithError((std::string(what) + ": " + std::to_string(counted) + " entities, not " +
                         std::to_string(expected))
                            .c_str());
    return false;
}

// Runs the ezdxf script; the seconds it reports and the entities it
// counted, or a negative number.
double Ezdxf(const std::string& arguments, std::size_t& entities)
{
    const std::string command = "/usr/bin/python3 " ZNSIM_EZDXF_SAME_WORK " " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1.0;
    double seconds = -1.0;
    if (std::fscanf(pipe, "%lf %zu", &seconds, &entities) != 2)
        seconds = -1.0;
    return pclose(pipe) == 0 ? seconds : -1.0;
}

void RunEzdxf(benchmark::State& state, const std::string& arguments, std::size_t expected)
{
    for (auto _ : state)
    {
        std::size_t entities = 0;
        const double seconds = Ezdxf(arguments, entities);
        if (seconds < 0.0)
        {
            state.SkipWithError("ezdxf did not run (is python3-ezdxf installed?)");
            break;
        }
        if (!Counted(state, entities, expected, "ezdxf"))
            break;
        state.SetIterationTime(seconds);
    }
    Report(state);
}

void BM_ExportDxf(benchmark::State& state)
{
    BigDrawing& drawing = Drawing(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        if (!Counted(state, drawing.Export(), drawing.Entities(), "export"))
            break;
    Report(state);
}
BENCHMARK(BM_ExportDxf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportDxf_Baseline(benchmark::State& state)
{
    const auto positions = static_cast<std::size_t>(state.range(0));
    const std::string out = Scratch(L"dxf-bench-ezdxf", positions);
    RunEzdxf(state, "export " + Drawing(positions).Path() + " " + out, Drawing(positions).Entities());
    std::remove(out.c_str());
}
BENCHMARK(BM_ExportDxf_Baseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_ImportDxf(benchmark::State& state)
{
    BigDrawing& drawing = Drawing(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
    {
        std::ifstream in(drawing.Path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const DxfDrawing dxf = ReadDxf(text.str());
        bench::WorkingDrawing into;
        CheckDxfImport(dxf);
        const DxfImport imported = ImportDxf(dxf, true);
        std::size_t inModelSpace = 0;
        for (const ImportedEntity& entity : imported.entities)
            inModelSpace += entity.in == "model space" ? 1 : 0;
        if (!Counted(state, inModelSpace, drawing.Entities(), "import"))
            break;
    }
    Report(state);
}
BENCHMARK(BM_ImportDxf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportDxf_Baseline(benchmark::State& state)
{
    BigDrawing& drawing = Drawing(static_cast<std::size_t>(state.range(0)));
    RunEzdxf(state, "import " + drawing.Path(), drawing.Entities());
}
BENCHMARK(BM_ImportDxf_Baseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseManualTime();
} // namespace
BENCHMARK_MAIN();
