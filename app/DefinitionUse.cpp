#include "app/DefinitionUse.h"

#include "app/HeldSimulation.h"
#include "cadhost/Utf8Text.h"
#include "drawing/BlockWalk.h"
#include "drawing/Names.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "host/AcDbDatabase.h"
#include "host/AcDbSymbolTable.h"
#include "motion/SimulationReferences.h"

#include <algorithm>
#include <map>

namespace
{
// Which block definition each block reference shows, both by handle.
using Shown = std::map<AcDbHandle, AcDbHandle>;

// Records in shown every block reference of the record, and appends the
// definitions they show to those still to walk.
void AddReferences(AcDbObjectId record, Shown& shown, std::vector<AcDbObjectId>& toWalk)
{
    ForEachEntity(record, [&](const AcDbEntity& entity) {
        if (const AcDbBlockReference* reference = AcDbBlockReference::cast(&entity))
        {
            AcDbHandle handle;
            reference->getAcDbHandle(handle);
            shown[handle] = reference->blockTableRecord().handle();
            toWalk.push_back(reference->blockTableRecord());
        }
    });
}

// The block references in model space and paper space, and in every block
// definition shown from there, however deep (each definition walked once, so
// that a drawing whose definitions show each other ends).
Shown ReferencesInDrawing()
{
    Shown shown;
    const Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead);
    if (!table)
        return shown;
    std::vector<AcDbObjectId> toWalk(2);
    table->getAt(ACDB_MODEL_SPACE, toWalk[0]);
    table->getAt(ACDB_PAPER_SPACE, toWalk[1]);
    std::set<AcDbObjectId> walked;
    while (!toWalk.empty())
    {
        const AcDbObjectId record = toWalk.back();
        toWalk.pop_back();
        if (walked.insert(record).second)
            AddReferences(record, shown, toWalk);
    }
    return shown;
}

class ReachFinder
{
public:
    explicit ReachFinder(const std::set<std::wstring>& names) : m_names(names) {}

    DeletionReach Find()
    {
        const Shown inDrawing = ReferencesInDrawing();
        HeldSimulationList list(CPmDbxFactory200::LoadSimList(true, false));
        std::map<AcDbHandle, std::wstring> outsideSims;
        std::set<AcDbHandle> simReferences;
        for (int i = 0; list != nullptr && i < list->Size(); ++i)
        {
            const CPmSim200& sim = *list->Sim(i);
            const bool deleted = m_names.count(sim.Name()->GetString()) != 0;
            for (const AcDbHandle& reference : ReferencesOf(sim))
            {
                simReferences.insert(reference);
                const auto definition = inDrawing.find(reference);
                if (definition == inDrawing.end())
                    continue;
                if (deleted)
                    Going(definition->second);
                else
                    m_others.emplace_back(definition->second, sim.Name()->GetString());
            }
        }
        for (const auto& [reference, definition] : inDrawing)
            if (simReferences.count(reference) == 0)
                m_plain.emplace_back(definition, reference);
        return Reach();
    }

private:
    void Going(const AcDbHandle& definition)
    {
        if (m_going.emplace(definition, m_order.size()).second)
            m_order.push_back(definition);
    }

    DeletionReach Reach() const
    {
        std::vector<DefinitionUsers> users(m_order.size());
        for (const auto& [definition, reference] : m_plain)
            if (const auto going = m_going.find(definition); going != m_going.end())
                users[going->second].references.push_back(reference);
        for (const auto& [definition, sim] : m_others)
            if (const auto going = m_going.find(definition); going != m_going.end())
                AddOnce(users[going->second].simulations, sim);
        DeletionReach reach;
        AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
        for (std::size_t i = 0; i < m_order.size(); ++i)
        {
            AcDbObjectId id;
            drawing->getAcDbObjectId(id, false, m_order[i]);
            // One erased already goes with nothing.
            const std::optional<std::string> name = BlockName(id);
            if (!name)
                continue;
            users[i].definition = cadhost::fromUtf8(*name);
            reach.definitions.push_back(users[i].definition);
            if (!users[i].references.empty() || !users[i].simulations.empty())
                reach.stillUsed.push_back(users[i]);
        }
        return reach;
    }

    static void AddOnce(std::vector<std::wstring>& names, const std::wstring& name)
    {
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }

    const std::set<std::wstring>& m_names;
    // The definitions going, in the order first met, and where each stands.
    std::vector<AcDbHandle> m_order;
    std::map<AcDbHandle, std::size_t> m_going;
    // Definitions shown by references of no simulation, and by simulations
    // that stay.
    std::vector<std::pair<AcDbHandle, AcDbHandle>> m_plain;
    std::vector<std::pair<AcDbHandle, std::wstring>> m_others;
};
} // namespace

DeletionReach WhatDeletingTakes(const std::set<std::wstring>& names)
{
    return ReachFinder(names).Find();
}
