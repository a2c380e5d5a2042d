#include "drawing/Angles.h"
#include "geometry/CZnTransform.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

namespace
{

using Angles = std::array<double, 3>;

// A point or a vector, exactly unless a tolerance is given.
template <class Xyz>
void expectXyz(const Xyz& p, double x, double y, double z, double tolerance = 0.0)
{
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
    EXPECT_NEAR(p.z, z, tolerance);
}

void expectSameMatrix(const CZnTransform& a, const CZnTransform& b, double tolerance)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(a(r, c), b(r, c), tolerance) << "element (" << r << ", " << c << ")";
}

void expectAngles(const Angles& got, const Angles& expected, double tolerance)
{
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(got[k], expected[k], tolerance) << "angle " << k;
}

CZnTransform rotation(int axis, double angle)
{
    return CZnTransform(CZnVector(axis == 0, axis == 1, axis == 2), angle);
}

// A transform set from angles (which the convention may change in place).
CZnTransform fromAngles(Angles& angles)
{
    CZnTransform t;
    EXPECT_TRUE(t.SetEulerAngles(angles.data()));
    return t;
}

Angles anglesOf(CZnTransform& t)
{
    Angles angles{};
    EXPECT_TRUE(t.GetEulerAngles(angles.data()));
    return angles;
}

TEST(TransformTest, TranslationMovesPointsNotVectorsAndTheBlockSettersCompound)
{
    CZnTransform t;
    expectXyz(t * CZnPoint(1, 2, 3), 1, 2, 3);
    expectSameMatrix(t.Inverse(), CZnTransform(), 0.0);
    t.SetTranslation(CZnVector(10, 20, 30));
    expectXyz(t * CZnPoint(1, 2, 3), 11, 22, 33);
    expectXyz(t * CZnVector(1, 2, 3), 1, 2, 3);
    CZnVector translation;
    t.GetTranslation(translation);
    expectXyz(translation, 10, 20, 30);
    expectXyz(t.Inverse() * CZnPoint(11, 22, 33), 1, 2, 3);

    expectXyz(rotation(2, kPi / 2) * CZnPoint(1, 0, 0), 0, 1, 0, 1e-15);
    t.SetScale(2);
    t.SetScale(2);
    expectXyz(t * CZnPoint(1, 1, 1), 14, 24, 34);
    // The three vectors are the images of the three axes.
    t.SetRotation(CZnVector(1, 2, 3), CZnVector(4, 5, 6), CZnVector(7, 8, 9));
    expectXyz(t * CZnVector(0, 1, 0), 4, 5, 6);
    expectXyz(t * CZnPoint(0, 0, 1), 17, 28, 39);
}

TEST(TransformTest, SumsRunInTheOrderOfTheInnerIndex)
{
    // 1e16 + 1 rounds back to 1e16, so each row gives its expected value
    // only when its terms are added from column 0 to column 3: adding them
    // backwards, pairwise or translation first changes at least one.
    CZnTransform t;
    const double rows[3][4] = {{1e16, 1, -1e16, 0}, {1, 1e16, -1e16, 0}, {1e16, -1e16, 0, 1}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            t(r, c) = rows[r][c];

    expectXyz(t * CZnVector(1, 1, 1), 0, 0, 0);
    expectXyz(t * CZnPoint(1, 1, 1), 0, 0, 1);
    const double in[4] = {1, 1, 1, 1};
    double out[4];
    t.Multiply(in, out);
    EXPECT_EQ(out[1], 0.0);
    EXPECT_EQ(out[2], 1.0);
    CZnTransform columnOfOnes;
    columnOfOnes(1, 0) = columnOfOnes(2, 0) = columnOfOnes(3, 0) = 1;
    const CZnTransform product = t * columnOfOnes;
    EXPECT_EQ(product(1, 0), 0.0);
    EXPECT_EQ(product(2, 0), 1.0);
}

TEST(TransformTest, InverseUndoesRigidMotionsOnly)
{
    CZnTransform rigid(CZnVector(0.6, 0, 0.8), 1.1);
    rigid.SetTranslation(CZnVector(-3, 7, 2.5));
    expectSameMatrix(rigid * rigid.Inverse(), CZnTransform(), 1e-14);
    expectSameMatrix(rigid.Inverse() * rigid, CZnTransform(), 1e-14);

    CZnTransform scaled;
    scaled.SetScale(2);
    const CZnTransform inverse = scaled.Inverse();
    EXPECT_EQ(inverse(0, 0), 2.0);
    EXPECT_EQ((scaled * inverse)(0, 0), 4.0);

    // Row 3 written by hand is not carried into the inverse.
    scaled(3, 0) = 5;
    EXPECT_EQ(scaled.Inverse()(3, 0), 0.0);
    EXPECT_EQ(scaled.Inverse()(3, 3), 1.0);
}

// Every test below may change the process's Euler convention; the fixture
// puts the default back.
class EulerTest : public ::testing::Test
{
protected:
    void TearDown() override { *CZnTransform::GoogleConfig() = CGoogleEarthConfig(); }
    static CGoogleEarthConfig& convention() { return *CZnTransform::GoogleConfig(); }
};

// Whatever the convention, the transform turns by the angles, negated, about
// its axes in order (the third about the first again when asked), after the
// flags have negated or swapped them in the caller's array; the angles come
// back as given and the translation stays.
TEST_F(EulerTest, EveryConventionIsTheProductOfThreeNegatedTurnsAboutItsAxes)
{
    const struct
    {
        const char* name;
        CGoogleEarthConfig convention;
        Angles given;
        Angles turns; // what the caller's array holds afterwards
    } rows[] = {
        {"default", {}, {0.3, -1.2, 2.9}, {0.3, -1.2, 2.9}},
        {"signs dropped", {2, 0, 1, false, false, false}, {-0.5, -0.25, 0.75}, {0.5, 0.25, -0.75}},
        {"swapped", {2, 0, 1, true, false, true}, {-0.75, 0.25, 0.5}, {0.5, 0.25, -0.75}},
        {"first axis repeated", {2, 0, 1, true, true, false}, {0.4, 1.9, -2.2}, {0.4, 1.9, -2.2}},
        {"x, y, z", {0, 1, 2, true, false, false}, {0.4, -0.9, 2.2}, {0.4, -0.9, 2.2}},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        convention() = row.convention;
        const int axes[3] = {row.convention.m_nFirstAxis, row.convention.m_nSecondAxis,
                             row.convention.m_bRepeatFirstAxis ? row.convention.m_nFirstAxis
                                                               : row.convention.m_nThirdAxis};
        Angles angles = row.given;
        CZnTransform t;
        t.SetTranslation(CZnVector(1, 2, 3));
        EXPECT_TRUE(t.SetEulerAngles(angles.data()));
        EXPECT_EQ(angles, row.turns);
        CZnTransform expected = rotation(axes[0], -row.turns[0]) *
                                rotation(axes[1], -row.turns[1]) * rotation(axes[2], -row.turns[2]);
        expected.SetTranslation(CZnVector(1, 2, 3));
        expectSameMatrix(t, expected, 1e-15);
        expectAngles(anglesOf(t), row.given, 1e-12);
    }
}

// At a tilt of a quarter turn the first and third turns share an axis: the
// combined turn comes back in the first angle.
TEST_F(EulerTest, AnglesComeBackInsideTheirDomainAndInGimbalLock)
{
    std::mt19937 random(20070);
    std::uniform_real_distribution<double> turn(-kPi, kPi);
    std::uniform_real_distribution<double> tilt(-kPi / 2 + 1e-3, kPi / 2 - 1e-3);
    for (int n = 0; n < 2000; ++n)
    {
        const Angles given{turn(random), tilt(random), turn(random)};
        Angles angles = given;
        CZnTransform t;
        t.SetTranslation(CZnVector(7, 8, 9));
        t.SetEulerAngles(angles.data());
        const Angles back = anglesOf(t);
        for (int k = 0; k < 3; ++k)
            ASSERT_NEAR(back[k], given[k], 1e-9) << "angle " << k << " of case " << n;
        EXPECT_EQ(t(0, 3), 7.0);
        EXPECT_EQ(t(3, 3), 1.0);
    }

    Angles locked{0.3, kPi / 2, 0.2};
    CZnTransform t = fromAngles(locked);
    const Angles back = anglesOf(t);
    expectAngles(back, {0.1, kPi / 2, 0.0}, 1e-12);
    EXPECT_EQ(back[2], 0.0);
}
} // namespace
