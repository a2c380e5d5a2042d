#include "tests/support/DrawingFileImage.h"

#include "cadhost/Crc32.h"
#include "cadhost/DwgMemoryFiler.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
const std::uint8_t* bytesOf(const std::string& text)
{
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

void appendWithChecksum(std::string& file, const std::string& section)
{
    const auto checksum = cadhost::checksumBytes(cadhost::crc32(bytesOf(section), section.size()));
    file += section;
    file.append(checksum.begin(), checksum.end());
}
} // namespace

DrawingFileImage DrawingFileImage::of(const std::string& fileBytes)
{
    DrawingFileImage image;
    EXPECT_EQ(image.header.readFrom(bytesOf(fileBytes), fileBytes.size()), Acad::eOk);
    const auto objectsAt = static_cast<std::size_t>(image.header.objectTableStart());
    if (image.header.variablesSize > 0)
        image.variables = fileBytes.substr(image.header.variablesStart(),
                                           image.header.variablesSize - cadhost::kChecksumSize);
    image.classTable = fileBytes.substr(image.header.classTableStart(),
                                        image.header.classTableSize - cadhost::kChecksumSize);
    DwgMemoryFiler entries;
    entries.assignBuffer(bytesOf(fileBytes) + objectsAt, image.header.objectTableSize - cadhost::kChecksumSize);
    for (Adesk::UInt32 i = 0; i < image.header.objectCount; ++i)
    {
        Object object{};
        Adesk::UInt32 size = 0;
        entries.readUInt64(&object.handle);
        entries.readUInt32(&object.classIndex);
        entries.readUInt32(&size);
        object.record.resize(size);
        entries.readBytes(object.record.data(), size);
        image.objects.push_back(std::move(object));
    }
    EXPECT_EQ(entries.filerStatus(), Acad::eOk);
    EXPECT_EQ(entries.tell(), static_cast<Adesk::Int64>(entries.size()));
    return image;
}

std::string DrawingFileImage::bytes() const
{
    DwgMemoryFiler entries;
    for (const Object& object : objects)
    {
        entries.writeUInt64(object.handle);
        entries.writeUInt32(object.classIndex);
        entries.writeUInt32(static_cast<Adesk::UInt32>(object.record.size()));
        entries.writeBytes(object.record.data(), object.record.size());
    }
    const std::string objectTable(reinterpret_cast<const char*>(entries.data()), entries.size());

    cadhost::DrawingFileHeader fixed = header;
    fixed.objectCount = static_cast<Adesk::UInt32>(objects.size());
    fixed.variablesSize = fixed.version == cadhost::DrawingFileHeader::kFirstVersion
                              ? 0
                              : variables.size() + cadhost::kChecksumSize;
    fixed.classTableSize = classTable.size() + cadhost::kChecksumSize;
    fixed.objectTableSize = objectTable.size() + cadhost::kChecksumSize;
    DwgMemoryFiler headerFiler;
    fixed.writeTo(headerFiler);
    std::string file(reinterpret_cast<const char*>(headerFiler.data()), headerFiler.size());
    if (fixed.variablesSize > 0)
        appendWithChecksum(file, variables);
    appendWithChecksum(file, classTable);
    appendWithChecksum(file, objectTable);
    return file;
}

DrawingFileImage::Object* DrawingFileImage::object(AcDbHandle handle)
{
    const auto at = std::find_if(objects.begin(), objects.end(), [handle](const Object& object) {
        return object.handle == static_cast<Adesk::UInt64>(handle);
    });
    EXPECT_NE(at, objects.end()) << "no object of that handle in the file";
    return at != objects.end() ? &*at : nullptr;
}
