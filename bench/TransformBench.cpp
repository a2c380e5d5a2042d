// The transform against hand-written baselines that make the same sin, cos,
// atan2 and sqrt calls and the same arithmetic on the same inputs. A
// baseline is kept out of line, as the module's code is, so that each pair
// differs only by what the transform adds: the convention lookup, the axis
// indexing and building its result.
#include "geometry/CZnTransform.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
constexpr std::size_t kInputs = 1024;

// Row-major elements of a transform, read through its public access.
struct Matrix
{
    double m[16];
};

Matrix elementsOf(const CZnTransform& t)
{
    Matrix out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out.m[4 * r + c] = t(r, c);
    return out;
}

struct Inputs
{
    std::vector<double> angles; // three per input
    std::vector<CZnTransform> transforms;
    std::vector<Matrix> matrices; // the same transforms as plain elements
    std::vector<CZnPoint> points;
};

const Inputs& inputs()
{
    static const Inputs made = [] {
        Inputs in;
        std::mt19937 random(2007);
        std::uniform_real_distribution<double> turn(-3.1, 3.1);
        std::uniform_real_distribution<double> tilt(-1.5, 1.5);
        std::uniform_real_distribution<double> coordinate(-1000, 1000);
        for (std::size_t n = 0; n < kInputs; ++n)
        {
            double angles[3] = {turn(random), tilt(random), turn(random)};
            in.angles.insert(in.angles.end(), angles, angles + 3);
            CZnTransform t;
            t.SetEulerAngles(angles);
            t.SetTranslation(CZnVector(coordinate(random), coordinate(random), coordinate(random)));
            in.transforms.push_back(t);
            in.matrices.push_back(elementsOf(t));
            in.points.emplace_back(coordinate(random), coordinate(random), coordinate(random));
        }
        return in;
    }();
    return made;
}

// The default convention (axes z, x, y) written out for fixed positions.
[[gnu::noinline]] void eulerToBlock(const double* a, double* m)
{
    const double ci = std::cos(a[0]), si = std::sin(a[0]);
    const double cj = std::cos(a[1]), sj = std::sin(a[1]);
    const double ch = std::cos(a[2]), sh = std::sin(a[2]);
    const double cc = ci * ch, cs = ci * sh, sc = si * ch, ss = si * sh;
    m[10] = cj * ch, m[8] = cj * sh, m[9] = -sj;
    m[2] = sj * sc - cs, m[0] = sj * ss + cc, m[1] = cj * si;
    m[6] = sj * cc + ss, m[4] = sj * cs - sc, m[5] = cj * ci;
}

[[gnu::noinline]] void blockToEuler(const double* m, double* a)
{
    const double cy = std::sqrt(m[10] * m[10] + m[8] * m[8]);
    a[0] = std::atan2(m[1], m[5]);
    a[1] = std::atan2(-m[9], cy);
    a[2] = std::atan2(m[8], m[10]);
}

[[gnu::noinline]] void transformPoint(const double* m, const double* p, double* out)
{
    for (int r = 0; r < 3; ++r)
        out[r] = 0.0 + m[4 * r] * p[0] + m[4 * r + 1] * p[1] + m[4 * r + 2] * p[2] + m[4 * r + 3];
}

[[gnu::noinline]] void multiply(const double* a, const double* b, double* out)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a[4 * r + k] * b[4 * k + c];
            out[4 * r + c] = sum;
        }
}

// Runs step once per iteration on the inputs in turn.
template <typename Step>
void cycle(benchmark::State& state, Step step)
{
    std::size_t n = 0;
    for (auto _ : state)
    {
        step(n);
        n = (n + 1) % kInputs;
    }
}

void BM_SetEulerAngles(benchmark::State& state)
{
    const Inputs& in = inputs();
    CZnTransform t;
    cycle(state, [&](std::size_t n) {
        double angles[3] = {in.angles[3 * n], in.angles[3 * n + 1], in.angles[3 * n + 2]};
        t.SetEulerAngles(angles);
        benchmark::DoNotOptimize(t);
    });
}

void BM_SetEulerAngles_Baseline(benchmark::State& state)
{
    const Inputs& in = inputs();
    Matrix t = elementsOf(CZnTransform());
    cycle(state, [&](std::size_t n) {
        double angles[3] = {in.angles[3 * n], in.angles[3 * n + 1], in.angles[3 * n + 2]};
        eulerToBlock(angles, t.m);
        benchmark::DoNotOptimize(t);
    });
}

void BM_GetEulerAngles(benchmark::State& state)
{
    std::vector<CZnTransform> transforms = inputs().transforms; // the call is not const
    cycle(state, [&](std::size_t n) {
        double angles[3];
        transforms[n].GetEulerAngles(angles);
        benchmark::DoNotOptimize(angles);
    });
}

void BM_GetEulerAngles_Baseline(benchmark::State& state)
{
    const Inputs& in = inputs();
    cycle(state, [&](std::size_t n) {
        double angles[3];
        blockToEuler(in.matrices[n].m, angles);
        benchmark::DoNotOptimize(angles);
    });
}

void BM_TransformPoint(benchmark::State& state)
{
    const Inputs& in = inputs();
    cycle(state, [&](std::size_t n) {
        CZnPoint moved = in.transforms[n] * in.points[n];
        benchmark::DoNotOptimize(moved);
    });
}

void BM_TransformPoint_Baseline(benchmark::State& state)
{
    const Inputs& in = inputs();
    cycle(state, [&](std::size_t n) {
        const double p[3] = {in.points[n].x, in.points[n].y, in.points[n].z};
        double moved[3];
        transformPoint(in.matrices[n].m, p, moved);
        benchmark::DoNotOptimize(moved);
    });
}

void BM_Product(benchmark::State& state)
{
    const Inputs& in = inputs();
    cycle(state, [&](std::size_t n) {
        CZnTransform product = in.transforms[n] * in.transforms[kInputs - 1 - n];
        benchmark::DoNotOptimize(product);
    });
}

void BM_Product_Baseline(benchmark::State& state)
{
    const Inputs& in = inputs();
    cycle(state, [&](std::size_t n) {
        Matrix product;
        multiply(in.matrices[n].m, in.matrices[kInputs - 1 - n].m, product.m);
        benchmark::DoNotOptimize(product);
    });
}
} // namespace

BENCHMARK(BM_SetEulerAngles);
BENCHMARK(BM_SetEulerAngles_Baseline);
BENCHMARK(BM_GetEulerAngles);
BENCHMARK(BM_GetEulerAngles_Baseline);
BENCHMARK(BM_TransformPoint);
BENCHMARK(BM_TransformPoint_Baseline);
BENCHMARK(BM_Product);
BENCHMARK(BM_Product_Baseline);

BENCHMARK_MAIN();
