#include "app/SimBuilder.h"

#include "app/BlockReferences.h"
#include "app/ExitStatus.h"
#include "app/HeldSimulation.h"
#include "app/PrivateDefinition.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "cadhost/DwgMemoryFiler.h"
#include "drawing/Names.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "model/CPmPart.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "model/CPmSim200.h"
#include "storage/CIvAcadObject.h"
#include "storage/CPmBlockFactory.h"
#include "storage/PartText.h"
#include "storage/SimDictionary.h"

namespace
{
class SimBuilder
{
public:
    SimBuilder(const std::string& drawingFile, const std::string& descriptionFile)
        : m_drawingFile(drawingFile), m_descriptionFile(descriptionFile)
    {
    }

    void Check(const SimDescription& description) const
    {
        // Names compare without letter case: the stored spelling is named.
        if (!CIvAcadObject::GetObjectId(kSimDictionary, description.name.c_str()).isNull())
            throw Failure(FailureKind::refused, m_drawingFile + ": a simulation named \"" +
                                                          StoredName(Utf8(description.name)) +
                                                          "\" is stored already");
        for (const SectionDescription& section : description.sections)
            for (const SegmentDescription& segment : section.segments)
                CheckBlocks(segment.part);
    }

    void Store(const SimDescription& description) const
    {
        HeldSimulation sim(Made(CPmDbxFactory200::MakeSim(description.id, description.type)));
        sim->SetName(description.name.c_str());
        for (const SectionDescription& section : description.sections)
            sim->AddSection(Section(section, description.name).release());
        const int status = sim->Save();
        if (status != 0)
            throw Failure(FailureKind::internal, m_drawingFile + ": the simulation cannot be stored (status " +
                                                          std::to_string(status) + ")");
        // Stored: the drawing owns it now.
        static_cast<void>(sim.release());
    }

private:
    void CheckBlocks(const PartDescription& part) const
    {
        if (part.block.isNull() && !part.definition.isNull())
            return;
        AcDbBlockReference* reference = OpenBlockReference(part.block);
        if (reference == nullptr)
            throw Failure(FailureKind::badInput, m_descriptionFile + ": " + part.where +
                                                           ".block: " + HandleText(part.block) +
                                                           " names no block reference in " +
                                                           m_drawingFile);
        reference->close();
        for (const PartDescription& subPart : part.parts)
            CheckBlocks(subPart);
    }

    std::unique_ptr<CPmSection200> Section(const SectionDescription& description,
                                           const std::wstring& simulation) const
    {
        std::unique_ptr<CPmSection200> section(Made(CPmDbxFactory200::MakeSection()));
        section->SetSpeed(description.speed, description.unit);
        for (const SegmentDescription& segmentDescription : description.segments)
        {
            std::unique_ptr<CPmSegment200> segment(Made(CPmDbxFactory200::MakeSegment()));
            segment->AddPart(Part(segmentDescription.part, simulation).release());
            segment->AddPath(segmentDescription.positions);
            // Added last, once it holds its path: the section moves the
            // part's blocks to the path's start.
            section->AddSegment(segment.release());
        }
        return section;
    }

    std::unique_ptr<CPmPart> Part(const PartDescription& description, const std::wstring& simulation) const
    {
        std::unique_ptr<CPmPart> part(Made(CPmDbxFactory200::MakePart()));
        DwgMemoryFiler scratch;
        SetPartText(*part, description.text.c_str(), scratch);
        part->SetOffset(description.offset);
        part->AddBlock(Block(description, simulation));
        for (const PartDescription& subPart : description.parts)
            part->AddPart(Part(subPart, simulation).release());
        return part;
    }

    // A block copied from a reference to a private copy of the definition
    // that the named reference shows, or of the definition given
    // (app/PrivateDefinition.h).
    CZnBlock* Block(const PartDescription& description, const std::wstring& simulation) const
    {
        std::unique_ptr<AcDbBlockReference> own;
        try
        {
            if (description.block.isNull())
                own = MakePrivateReference(AcDbBlockReference(AcGePoint3d(), description.definition), simulation);
            else
                own = MakePrivateReference(*Opened<AcDbBlockReference>(OpenBlockReference(description.block)),
                                           simulation);
        }
        catch (const Failure& failure)
        {
            throw failure.In(m_drawingFile + ": the block definition of " + HandleText(description.block) +
                             " cannot be copied for " + description.where);
        }
        element source{nullptr, own.get()};
        return Made(CPmBlockFactory::CreateBlock(&source));
    }

    const std::string& m_drawingFile;
    const std::string& m_descriptionFile;
};
} // namespace

void StoreSimulation(const SimDescription& description, const std::string& drawingFile,
                     const std::string& descriptionFile)
{
    const SimBuilder builder(drawingFile, descriptionFile);
    builder.Check(description);
    builder.Store(description);
}
