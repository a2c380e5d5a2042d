#include "motion/PackedMotion.h"

#include "motion/Sampling.h"

#include <cmath>
#include <limits>

namespace
{
static_assert(kKeyframeHead > kKeyframeTime && kKeyframeHead > kKeyframePosition && kKeyframeHead > kKeyframeX &&
              kKeyframeHead > kKeyframeY);
// Affine2's order: a, b, c, d, e, f.
static_assert(kPartE == 4 && kPartF == 5 && kFloatsPerPart == 6);

// The largest float at or below value.
float Below(double value)
{
    const float rounded = static_cast<float>(value);
    return rounded > value ? std::nextafter(rounded, -std::numeric_limits<float>::infinity()) : rounded;
}

PackedSegment PackSegment(const SegmentMotion& segment, std::vector<float>& floats)
{
    PackedSegment packed;
    packed.at = floats.size();
    packed.positions = segment.placements.size();
    if (segment.placements.empty())
        return packed;
    packed.timeOrigin = Below(segment.times.front());
    packed.originX = segment.placements.front().point.x;
    packed.originY = segment.placements.front().point.y;
    std::vector<const PartShape*> drawn;
    for (const PartShape& part : segment.parts)
        if (!part.definition.isNull())
        {
            drawn.push_back(&part);
            packed.definitions.push_back(part.definition);
        }
    // With nothing drawn, nothing turns that a straight line would miss.
    SampleSpacing spacing;
    if (!drawn.empty())
        spacing.turn = kKeyframeTurn;
    const std::vector<MotionSample> samples = SamplesOf(segment, spacing);
    packed.keyframes = samples.size();
    const std::size_t stride = packed.Stride();
    floats.resize(packed.at + stride * samples.size());
    float* keyframe = floats.data() + packed.at;
    for (const MotionSample& sample : samples)
    {
        keyframe[kKeyframeTime] = Below(sample.time - packed.timeOrigin);
        keyframe[kKeyframePosition] = static_cast<float>(static_cast<double>(sample.position) + sample.fraction);
        keyframe[kKeyframeX] = static_cast<float>(sample.frame.point.x - packed.originX);
        keyframe[kKeyframeY] = static_cast<float>(sample.frame.point.y - packed.originY);
        float* part = keyframe + kKeyframeHead;
        for (const PartShape* shape : drawn)
        {
            const Affine2 place = PlaceOf(*shape, sample.frame);
            const double numbers[kFloatsPerPart] = {place.a, place.b, place.c, place.d, place.e - packed.originX,
                                                    place.f - packed.originY};
            for (const double number : numbers)
                *part++ = static_cast<float>(number);
        }
        keyframe += stride;
    }
    return packed;
}
} // namespace

PackedMotion PackMotion(const SimulationMotion& motion)
{
    PackedMotion packed;
    for (const SectionMotion& section : motion.sections)
    {
        PackedSection& packedSection = packed.sections.emplace_back();
        for (const SegmentMotion& segment : section.segments)
            packedSection.segments.push_back(PackSegment(segment, packed.floats));
        packedSection.lead = LeadSegment(section);
        if (motion.problem.empty() || packed.starts.empty())
            packed.starts.push_back(section.start);
    }
    return packed;
}

std::optional<std::size_t> PackedPartIndex(const SegmentMotion& segment, std::size_t part)
{
    if (segment.parts.at(part).definition.isNull())
        return std::nullopt;
    std::size_t index = 0;
    for (std::size_t i = 0; i < part; ++i)
        if (!segment.parts[i].definition.isNull())
            ++index;
    return index;
}
