// Layer names as a user types them after --obstacles and --ignore: the
// wildcards, letter case, and what is no pattern at all.
#include "drawing/Failure.h"
#include "drawing/LayerPatterns.h"

#include <gtest/gtest.h>

namespace
{
TEST(LayerPatternsTest, WildcardsMatchWholeNamesWithoutLetterCase)
{
    struct Row
    {
        const char* patterns;
        const char* name;
        bool matches;
    };
    for (const Row& row : {Row{"Kerb", "KERB", true}, Row{"Kerb", "Kerbs", false}, Row{"?erb", "Kerb", true},
                           Row{"?erb", "erb", false}, Row{"kerb*", "Kerb-left", true}, Row{"*left", "Kerb-left", true},
                           Row{"*", "0", true}, Row{"a*b*c", "aXbYbZc", true}, Row{"a*b*c", "aXbYcZ", false},
                           Row{"Wall,Kerb*", "kerbstone", true}, Row{"Wall,Kerb*", "Walls", false},
                           Row{"Kerb, Walls ", "walls", true}, Row{"Kerb, Walls", " Walls", false},
                           Row{"Straße", "STRAßE", true}, Row{"Ä*", "äußere", true}})
        EXPECT_EQ(LayerPatterns(row.patterns, "--obstacles").Matches(row.name), row.matches)
            << row.patterns << " / " << row.name;

    const LayerPatterns patterns("Kerb*,Wall,Tre?s", "--ignore");
    EXPECT_EQ(patterns.Unmatched({"kerb-left", "Trees", "0"}), std::vector<std::string>{"Wall"});
    EXPECT_TRUE(LayerPatterns().Empty());
    EXPECT_FALSE(LayerPatterns().Matches("0"));
}

TEST(LayerPatternsTest, AnEmptyNameOrACharacterNoLayerNameHoldsIsRefused)
{
    for (const char* bad : {"", ",", " ", "Kerb, ", "Kerb,", ",Kerb", "Kerb,,Wall", "Kerb<1", "a|b", "a=b", "a\"b", "a/b"})
        try
        {
            static_cast<void>(LayerPatterns(bad, "--obstacles"));
            ADD_FAILURE() << bad << " was taken";
        }
        catch (const Failure& refused)
        {
            EXPECT_EQ(refused.Kind(), FailureKind::badInput) << bad;
        }
}
} // namespace
