// The pass that keeps identifiers unique, held to the pass as first written
// (copy every simulation a list of the drawing shows) on drawings drawn at
// random, with and without simulations of the previous release.
#include "host/AcRxClass.h"
#include "storage/SimDictionary.h"
#include "tests/legacy101/LegacyTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{
const CTime kLongAgo(1000000000);

int saveThroughAList(CPmSim200* sim)
{
    const std::unique_ptr<CPmSimList200> list(CPmDbxFactory200::LoadSimList(false, false));
    for (int i = 0; i < list->Size(); ++i)
    {
        CPmSim200* other = list->Sim(i);
        if (*other->Name() != *sim->Name() && other->Id() == sim->Id())
        {
            other->SetId(0);
            CIvAcadObject::Save(kSimDictionary, *other->Name(), static_cast<CPmAcadSim200*>(other));
        }
    }
    return CIvAcadObject::Save(kSimDictionary, *sim->Name(), static_cast<CPmAcadSim200*>(sim));
}

// Simulations drawn from a seed: names that repeat and differ in letter
// case, shared identifiers, entries that load as nothing (an outdated record,
// no simulation at all) and, when asked for, legacy simulations. Stored
// without the pass and as edited long ago.
class RandomSims
{
public:
    RandomSims(unsigned seed, std::vector<unsigned __int64> ids, bool legacy)
        : m_random(seed), m_ids(std::move(ids)), m_legacy(legacy)
    {
    }

    void storeSome()
    {
        for (int i = pick(10, 40); i > 0; --i)
        {
            const int kind = pick(0, 19);
            if (kind == 0)
                ASSERT_EQ(CIvAcadObject::Save(kSimDictionary, name(), new NamedThing()), 0);
            else if (kind < 5 && m_legacy)
                ASSERT_EQ(fill(CPmDbxFactory::MakeSim(id(), 1), legacySection())->Save(), 0);
            else
                store(make(kind == 5));
        }
    }

    // New, or now and then a stored one given another identifier. A stored
    // one is taken only under the spelling it is stored with: loaded under
    // another, it is saved as another name, the case the pass's own tests
    // cover.
    CPmSim200* subject()
    {
        CPmSim200* sim = make(false);
        CPmSim200* stored = pick(0, 3) == 0 ? CPmAcadSim200::Load(*sim->Name()) : nullptr;
        const std::vector<CString> keys = storedNames();
        if (stored != nullptr && std::find(keys.begin(), keys.end(), *sim->Name()) == keys.end())
        {
            stored->Close();
            stored = nullptr;
        }
        if (stored == nullptr)
            return sim;
        stored->SetId(sim->Id());
        CPmDbxFactory200::DeleteSim(sim);
        return stored;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    double coordinate() { return pick(0, 99) / 4.0; }
    unsigned __int64 id() { return m_ids[static_cast<std::size_t>(pick(0, static_cast<int>(m_ids.size()) - 1))]; }

    CString name()
    {
        static const wchar_t* const stems[] = {L"run", L"Run", L"RUN", L"walk", L"Walk", L"swim"};
        std::wstring text = stems[pick(0, 5)];
        return CString(pick(0, 1) == 0 ? text + std::to_wstring(pick(1, 4)) : text);
    }

    template <class Sim, class Section> Sim* fill(Sim* sim, Section* section)
    {
        sim->SetName(name());
        sim->SetSimInUse(pick(0, 1) == 1);
        sim->SetDttmCreated(CTime(kLongAgo.GetTime() + pick(0, 1000)));
        if (pick(0, 1) == 1)
            sim->AddSection(section);
        else
            delete section;
        return sim;
    }

    CPmSim200* make(bool outdated)
    {
        std::vector<PmPosition200> path;
        for (int i = pick(1, 4); i > 0; --i)
            path.push_back(PmPosition200{{coordinate(), 1.5, 0}, {2, coordinate(), 3}, {}});
        CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
        segment->AddPart(CPmDbxFactory200::MakePart());
        segment->AddPath(path);
        CPmSection200* section = CPmDbxFactory200::MakeSection();
        section->SetSpeed(pick(1, 60), pick(0, 2));
        section->AddSegment(segment);
        CPmSim200* sim = fill(CPmDbxFactory200::MakeSim(id(), pick(0, 3)), section);
        sim->SetIsCurVersion(!outdated);
        sim->SetDttmEdited(kLongAgo);
        return sim;
    }

    CPmSection* legacySection()
    {
        CPmSegment* segment = CPmDbxFactory::MakeSegment();
        segment->AddPart(CPmDbxFactory::MakePart());
        segment->AddPath({{{coordinate(), 2, 1}, pick(0, 6) / 2.0, {coordinate(), 0, 0}}});
        CPmSection* section = CPmDbxFactory::MakeSection(pick(1, 60), pick(0, 2));
        section->AddSegment(segment);
        return section;
    }

    static void store(CPmSim200* sim)
    {
        ASSERT_EQ(CIvAcadObject::Save(kSimDictionary, *sim->Name(), static_cast<CPmAcadSim200*>(sim)), 0);
    }

    std::mt19937 m_random;
    std::vector<unsigned __int64> m_ids;
    bool m_legacy;
};

class IdentifierPassAgreementTest : public LegacyTest
{
protected:
    void expectAgreementOnRandomDrawings(bool legacy)
    {
        int storedAgain = 0;
        for (unsigned seed = 1; seed <= 100; ++seed)
        {
            const std::vector<std::wstring> module =
                outcome(seed, legacy, [](CPmSim200* sim) { return sim->Save(); });
            const std::vector<std::wstring> plain = outcome(seed, legacy, saveThroughAList);
            EXPECT_EQ(module, plain) << "seed " << seed;
            for (const std::wstring& entry : plain)
                storedAgain += entry.find(L" id 0 edited now") != std::wstring::npos;
        }
        // The drawings do reach the pass's decisions.
        EXPECT_GT(storedAgain, 20);
    }

private:
    // The drawing after the subject of seed is saved: per entry its key,
    // object and class and, for this release's simulations, all they hold;
    // an edit time after the start of the save shows as "now".
    std::vector<std::wstring> outcome(unsigned seed, bool legacy, int (*saveSubject)(CPmSim200*))
    {
        freshDatabase();
        std::vector<unsigned __int64> ids{0, kNamesNothing, kNamesNothing + 1};
        for (int i = 0; i < 2; ++i)
            ids.insert(ids.end(), {liveReference(), erasedReference(), otherObject()});
        RandomSims sims(seed, ids, legacy);
        sims.storeSome();
        CPmSim200* subject = sims.subject();
        const __time64_t start = CTime::GetCurrentTime().GetTime();
        EXPECT_EQ(saveSubject(subject), 0);

        std::vector<std::wstring> entries;
        for (const CString& key : storedNames())
        {
            AcDbObject* object = nullptr;
            EXPECT_EQ(acdbOpenAcDbObject(object, storedObject(key), AcDb::kForRead), Acad::eOk);
            std::wstringstream line;
            line << key.str() << L" " << object->objectId().handle().low() << L" "
                 << object->isA()->name();
            if (const CPmAcadSim200* sim = CPmAcadSim200::cast(object))
            {
                const __time64_t edited = sim->DttmEditedTime().GetTime();
                line << L" current " << sim->IsCurVersion() << L" type " << sim->Type()
                     << L" in use " << sim->SimInUse() << L" created "
                     << sim->DttmCreatedTime().GetTime() << L" id " << sim->Id() << L" edited "
                     << (edited >= start ? L"now" : std::to_wstring(edited));
                sim->DisplayPrint(line);
            }
            object->close();
            entries.push_back(line.str());
        }
        return entries;
    }
};

TEST_F(IdentifierPassAgreementTest, WithoutTheLegacyModule)
{
    expectAgreementOnRandomDrawings(false);
}

TEST_F(IdentifierPassAgreementTest, WithLegacySimulations)
{
    ASSERT_TRUE(acrxLoadModule(LegacyModulePath().c_str(), false));
    expectAgreementOnRandomDrawings(true);
}
} // namespace
