// What reading a DXF makes of what other programs write, case by case: the
// two spaces of an R12 file, layers and styles named but not defined, text
// in a code page, and what is passed over counted by what it is.
#include "exchange/DxfFileReader.h"
#include "exchange/DxfTextCodec.h"
#include "drawing/Failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A DXF of the given sections, each "code\nvalue" line pair as written.
std::string Dxf(const std::string& sections) { return sections + "0\nEOF\n"; }

std::string Entities(const std::string& entities) { return "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n"; }

std::size_t Skipped(const DxfDrawing& dxf, const std::string& type, const std::string& attribute = {},
                    const std::string& in = {})
{
    const auto found = dxf.skipped.find(DxfSkip{type, attribute, in});
    return found != dxf.skipped.end() ? found->second : 0;
}

// R12 names the two spaces $MODEL_SPACE and $PAPER_SPACE: they are no
// blocks, and what the paper space holds is counted there.
TEST(DxfReadingTest, AnR12FilesSpacesAreTheSpacesNotBlocks)
{
    const DxfDrawing dxf = ReadDxf(Dxf("0\nSECTION\n2\nBLOCKS\n"
                                       "0\nBLOCK\n8\n0\n2\n$MODEL_SPACE\n70\n0\n10\n0\n20\n0\n30\n0\n0\nENDBLK\n8\n0\n"
                                       "0\nBLOCK\n8\n0\n2\n$PAPER_SPACE\n70\n0\n10\n0\n20\n0\n30\n0\n"
                                       "0\nARC\n8\n0\n10\n0\n20\n0\n40\n1\n50\n0\n51\n90\n0\nENDBLK\n8\n0\n"
                                       "0\nBLOCK\n8\n0\n2\nDoor\n70\n0\n10\n0\n20\n0\n30\n0\n"
                                       "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n0\n0\nENDBLK\n8\n0\n0\nENDSEC\n" +
                                       Entities("0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n")));
    ASSERT_EQ(dxf.blocks.size(), 1u);
    EXPECT_EQ(dxf.blocks[0].name, "Door");
    EXPECT_EQ(dxf.modelSpace.size(), 1u);
    EXPECT_EQ(dxf.skipped, (std::map<DxfSkip, std::size_t>{{DxfSkip{"ARC", "", "paper space"}, 1}}));
}

// "An entity on a layer that the file never defines": the layer is made,
// and said; so is a text style; a line type the file never defines is
// refused, naming the entity's line.
TEST(DxfReadingTest, LayersAndStylesNamedButNotDefinedAreMadeAndLineTypesRefused)
{
    const DxfDrawing dxf = ReadDxf(Dxf(Entities("0\nLINE\n8\nRoof\n10\n0\n20\n0\n11\n1\n21\n1\n"
                                                "0\nTEXT\n8\nroof\n7\nSign\n10\n0\n20\n0\n40\n1\n1\nHi\n"
                                                "0\nLINE\n8\n0\n6\nContinuous\n10\n0\n20\n0\n11\n1\n21\n1\n")));
    EXPECT_EQ(dxf.createdLayers, std::vector<std::string>{"Roof"});
    EXPECT_EQ(dxf.createdStyles, std::vector<std::string>{"Sign"});
    ASSERT_EQ(dxf.layers.size(), 1u);
    EXPECT_EQ(dxf.layers[0].colour, 7);
    try
    {
        static_cast<void>(ReadDxf(Dxf(Entities("0\nLINE\n8\n0\n6\nDASHED\n10\n0\n20\n0\n11\n1\n21\n1\n"))));
        ADD_FAILURE() << "an undefined line type was taken";
    }
    catch (const Failure& failure)
    {
        EXPECT_EQ(std::string(failure.what()).rfind("line 5: the line type \"DASHED\"", 0), 0u) << failure.what();
    }
}

// Nothing is dropped without being counted: an attribute the drawing does
// not hold is counted by name, once per entity, unless it says nothing (a
// thickness of 0); so is a group of entities, while the dictionaries that
// hold the drawing's settings are not.
TEST(DxfReadingTest, WhatAnEntityHoldsBeyondTheDrawingIsCountedByName)
{
    const DxfDrawing dxf = ReadDxf(Dxf(Entities(
        "0\nLINE\n8\n0\n39\n2.5\n10\n0\n20\n0\n11\n1\n21\n1\n1001\nAPP\n1000\nnote\n1040\n3\n"
        "0\nLINE\n8\n0\n39\n0\n210\n0\n220\n0\n230\n1\n10\n0\n20\n0\n11\n1\n21\n1\n"
        "0\nCIRCLE\n8\n0\n210\n0\n220\n0\n230\n-1\n440\n33554687\n10\n0\n20\n0\n40\n1\n"
        "0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n0\n1\nno height\n"
        "0\nINSERT\n8\n0\n2\nDoor\n70\n3\n71\n2\n10\n0\n20\n0\n"
        "0\nDIMENSION\n8\n0\n") +
                                       "0\nSECTION\n2\nOBJECTS\n0\nDICTIONARY\n5\nC\n0\nGROUP\n5\nD\n300\nDoors\n"
                                       "0\nENDSEC\n"));
    EXPECT_EQ(dxf.modelSpace.size(), 3u);
    EXPECT_EQ(Skipped(dxf, "LINE", "thickness"), 1u);
    EXPECT_EQ(Skipped(dxf, "LINE", "extended data"), 1u);
    EXPECT_EQ(Skipped(dxf, "LINE", "extrusion direction"), 0u);
    EXPECT_EQ(Skipped(dxf, "CIRCLE", "extrusion direction"), 1u);
    EXPECT_EQ(Skipped(dxf, "CIRCLE", "transparency"), 1u);
    EXPECT_EQ(Skipped(dxf, "TEXT without a height"), 1u);
    EXPECT_EQ(Skipped(dxf, "MINSERT (an array of references)"), 1u);
    EXPECT_EQ(Skipped(dxf, "DIMENSION"), 1u);
    EXPECT_EQ(Skipped(dxf, "GROUP"), 1u);
    EXPECT_EQ(dxf.skipped.size(), 8u);
}

// In files older than the 2007 version text is in the file's code page,
// with \U+ escapes beyond it; writing escapes every character beyond ASCII,
// even beyond the first plane, and reading gives them back.
TEST(DxfReadingTest, TextInACodePageAndEscapedComesBackAsWritten)
{
    struct Row
    {
        std::string file;
        bool utf8File;
        std::string text;
    };
    const Row rows[] = {{"Gr\xFC\xDF" "e", false, "Grüße"},
                        {"\x80 5", false, "€ 5"},
                        {"Grüße", false, "Grüße"},
                        {"\\U+2713 ok", false, "✓ ok"},
                        {"\\U+D83D\\U+DE97", false, "🚗"},
                        {"Grüße", true, "Grüße"},
                        // No character: a name cut short at it would name another.
                        {"A\\U+0000B", false, "A\\U+0000B"}};
    for (const Row& row : rows)
        EXPECT_EQ(TextFromDxf(row.file, row.utf8File), row.text) << row.file;
    for (const char* text : {"Grüße ✓", "🚗 at 5 \\P", "plain"})
        EXPECT_EQ(TextFromDxf(TextToDxf(text), false), text);
    EXPECT_EQ(TextToDxf("ä🚗"), "\\U+00E4\\U+D83D\\U+DE97");

    const DxfDrawing dxf =
        ReadDxf(Dxf("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n" +
                    Entities("0\nTEXT\n8\nSch\xE4" "den\n10\n0\n20\n0\n40\n1\n1\n  two  \n")));
    EXPECT_EQ(dxf.units, 4);
    ASSERT_EQ(dxf.modelSpace.size(), 1u);
    EXPECT_EQ(dxf.modelSpace[0].layer, "Schäden");
    EXPECT_EQ(std::get<DxfText>(dxf.modelSpace[0].shape).text, "  two  ") << "a text keeps its spaces";
}
} // namespace
