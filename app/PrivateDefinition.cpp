#include "app/PrivateDefinition.h"

#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/Utf8Text.h"
#include "drawing/BlockDefinition.h"
#include "drawing/BlockWalk.h"
#include "drawing/Failure.h"
#include "drawing/Names.h"
#include "drawing/Opened.h"
#include "host/AcDbBlockReference.h"
#include "host/AcRxClass.h"

namespace
{
[[noreturn]] void Fail(const std::string& what, Acad::ErrorStatus status)
{
    throw Failure(FailureKind::internal, what + " (host status " + std::to_string(status) + ")");
}

// Characters the host does not allow in a block name.
bool Forbidden(wchar_t c)
{
    return std::wstring(L"<>/\\\":;?*|,=`").find(c) != std::wstring::npos || c < L' ';
}

std::string PrivateName(const std::string& definition, std::wstring simulation)
{
    for (wchar_t& c : simulation)
        if (Forbidden(c))
            c = L'_';
    const Opened<AcDbBlockTable> table = OpenBlockTable(AcDb::kForRead);
    const std::wstring stem = cadhost::fromUtf8(definition) + L" [" + simulation + L" ";
    for (int number = 1;; ++number)
    {
        const std::wstring name = stem + std::to_wstring(number) + L"]";
        if (!table->has(name.c_str()))
            return cadhost::toUtf8(name);
    }
}

// A copy of entity in no drawing, made by filing it out and into a new
// object of its class, as the host's copy filer does.
std::unique_ptr<AcDbEntity> CopyOf(const AcDbEntity& entity)
{
    std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(entity.isA()->create()));
    if (copy == nullptr)
        Fail("an entity of its definition cannot be made anew", Acad::eNotApplicable);
    DwgMemoryFiler filer(entity.database(), AcDb::kCopyFiler);
    entity.dwgOutFields(&filer);
    filer.rewind();
    if (const Acad::ErrorStatus status = copy->dwgInFields(&filer); status != Acad::eOk)
        Fail("an entity of its definition cannot be copied", status);
    return copy;
}

// Copies of every entity of the definition, all made before the drawing
// gains anything, so that a copy that fails leaves no half definition.
NewEntities CopiesOf(AcDbObjectId definition)
{
    NewEntities copies;
    const Acad::ErrorStatus walked =
        ForEachEntity(definition, [&](const AcDbEntity& entity) { copies.push_back(CopyOf(entity)); });
    if (walked != Acad::eOk)
        Fail("its definition cannot be read whole", walked);
    return copies;
}
} // namespace

std::unique_ptr<AcDbBlockReference> MakePrivateReference(const AcDbBlockReference& source,
                                                         const std::wstring& simulation)
{
    const AcDbObjectId sourceId = source.blockTableRecord();
    const std::optional<std::string> name = BlockName(sourceId);
    if (!name)
        Fail("its definition cannot be opened", Acad::eKeyNotFound);
    NewEntities copies = CopiesOf(sourceId);
    const AcDbObjectId copy = AddBlockDefinition(PrivateName(*name, simulation));
    AppendEntities(copy, std::move(copies));
    auto reference = std::make_unique<AcDbBlockReference>(source.position(), copy);
    if (const Acad::ErrorStatus status = reference->setScaleFactors(source.scaleFactors()); status != Acad::eOk)
        Fail("its scale cannot be kept", status);
    return reference;
}
