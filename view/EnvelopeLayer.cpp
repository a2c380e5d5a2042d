#include "view/EnvelopeLayer.h"

#include "drawing/NumberText.h"

namespace
{
std::string PathData(const Envelope& envelope)
{
    std::string d;
    for (const std::vector<Ring>& polygon : envelope.polygons)
        for (const Ring& ring : polygon)
        {
            for (std::size_t i = 0; i + 1 < ring.size(); i += 2)
                d += (i == 0 ? "M" : " L") + NumberText(ring[i], kPictureDigits) + ' ' +
                     NumberText(ring[i + 1], kPictureDigits);
            d += " Z";
        }
    return d;
}

nlohmann::json Rings(const Envelope& envelope)
{
    nlohmann::json rings = nlohmann::json::array();
    for (const std::vector<Ring>& polygon : envelope.polygons)
        for (const Ring& ring : polygon)
            rings.push_back(ring);
    return rings;
}
} // namespace

std::string EnvelopeSvg(const SweepReport& sweep)
{
    std::string svg;
    if (!sweep.clearanceEnvelope.Empty())
        svg += "<path class=\"clearance\" fill=\"#e8a33c\" fill-opacity=\"0.16\" fill-rule=\"evenodd\" "
               "stroke=\"#b86e00\" stroke-width=\"1\" stroke-dasharray=\"4 3\" d=\"" +
               PathData(sweep.clearanceEnvelope) + "\"/>\n";
    if (!sweep.envelope.Empty())
        svg += "<path class=\"envelope\" fill=\"#7a4fb0\" fill-opacity=\"0.22\" fill-rule=\"evenodd\" "
               "stroke=\"#5a2f90\" stroke-width=\"1\" d=\"" +
               PathData(sweep.envelope) + "\"/>\n";
    if (!sweep.wheelTracks.Empty())
        svg += "<path class=\"wheels\" fill=\"#2a8a5a\" fill-opacity=\"0.35\" fill-rule=\"evenodd\" "
               "stroke=\"#1d6b43\" stroke-width=\"1\" d=\"" +
               PathData(sweep.wheelTracks) + "\"/>\n";
    return svg;
}

nlohmann::json EnvelopeJson(const SweepReport* sweep)
{
    if (sweep == nullptr)
        return nullptr;
    return {{"envelope", Rings(sweep->envelope)},
            {"clearance", Rings(sweep->clearanceEnvelope)},
            {"wheels", Rings(sweep->wheelTracks)}};
}

void AddEnvelope(Bounds& bounds, const SweepReport& sweep)
{
    for (const Envelope* envelope : {&sweep.envelope, &sweep.clearanceEnvelope})
        if (!envelope->Empty())
        {
            bounds.Add(envelope->box.minX, envelope->box.minY);
            bounds.Add(envelope->box.maxX, envelope->box.maxY);
        }
}
