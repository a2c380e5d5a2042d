#include "exchange/DxfPairs.h"

#include "drawing/Angles.h"
#include "drawing/Failure.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>

namespace
{
using Pairs = std::vector<DxfPair>;

double Real(const DxfPair& pair)
{
    std::string_view text = pair.value;
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int Integer(const DxfPair& pair)
{
    std::string_view text = pair.value;
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return static_cast<int>(std::clamp<long long>(value, -2147483647LL, 2147483647LL));
}

std::string Text(const DxfPair& pair) { return std::string(pair.value); }

[[noreturn]] void Refuse(std::size_t line, const std::string& what)
{
    throw Failure(FailureKind::badInput, "line " + std::to_string(line) + ": " + what);
}

// The name of what a code the readers do not take holds.
std::string AttributeOf(int code)
{
    if (code == 39)
        return "thickness";
    if (code >= 210 && code <= 230)
        return "extrusion direction";
    if (code == 430)
        return "colour name";
    if (code == 440)
        return "transparency";
    if (code == 390)
        return "plot style";
    if (code == 347)
        return "material";
    if (code == 284)
        return "shadows";
    if (code >= 1000)
        return "extended data";
    return "group code " + std::to_string(code);
}

// The line weights DXF has, by layer (-1), by block (-2) and default (-3)
// among them.
bool IsLineWeight(int weight)
{
    static constexpr int kWeights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,  53,
                                       60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211, -1, -2, -3};
    return std::find(std::begin(kWeights), std::end(kWeights), weight) != std::end(kWeights);
}

// Whether a pair not taken says something: codes whose value is the one
// that means nothing pass unseen.
bool SaysNothing(const DxfPair& pair)
{
    switch (pair.code)
    {
    case 39:
    case 284:
        return Real(pair) == 0.0;
    case 210:
    case 220:
        return Real(pair) == 0.0;
    case 230:
        return Real(pair) == 1.0;
    default:
        return false;
    }
}

// The walk over one entity's or record's pairs: the part every entity has,
// the structure DXF wraps around records, and the count of what is not
// taken, once per attribute of the entity.
class Walk
{
public:
    Walk(const DxfTagWatch::Entity& read, DxfPairReader& reader) : m_type(read.type), m_reader(reader) {}
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;
    ~Walk()
    {
        for (const std::string& attribute : m_passed)
            m_reader.Skip(m_type, attribute);
    }

    // Takes what every object of DXF has, and counts anything else.
    void Other(const DxfPair& pair)
    {
        if (m_inGroup)
        {
            if (pair.code == 102 && pair.value == "}")
                m_inGroup = false;
            return;
        }
        switch (pair.code)
        {
        case 5:
        case 100:
        case 105:
        case 330:
        case 360:
        case 67:
        case 410:
            return;
        case 102:
            // Reactors only point back at owners; anything else in a group
            // is data of its own.
            m_inGroup = pair.value != "}";
            if (pair.value == "{ACAD_XDICTIONARY")
                Pass("extension dictionary");
            else if (m_inGroup && pair.value != "{ACAD_REACTORS")
                Pass("application data");
            return;
        default:
            if (!SaysNothing(pair))
                Pass(AttributeOf(pair.code));
        }
    }

    // Takes the entity's common part too.
    void Common(const DxfPair& pair, DxfEntity& entity)
    {
        switch (pair.code)
        {
        case 5:
            entity.handle = Text(pair);
            return;
        case 8:
            if (!pair.value.empty())
                entity.layer = Text(pair);
            return;
        case 6:
            if (!pair.value.empty())
                entity.linetype = Text(pair);
            return;
        case 62:
            if (std::abs(Integer(pair)) <= kDxfColourByLayer)
                entity.colour = std::abs(Integer(pair));
            else
                Pass("colour index " + Text(pair));
            return;
        case 420:
            entity.trueColour = Integer(pair) & 0xFFFFFF;
            return;
        case 48:
            if (Real(pair) > 0.0)
                entity.linetypeScale = Real(pair);
            else
                Pass("line type scale " + Text(pair));
            return;
        case 370:
            if (IsLineWeight(Integer(pair)))
                entity.lineWeight = Integer(pair);
            else
                Pass("line weight " + Text(pair));
            return;
        case 60:
            entity.visible = Integer(pair) == 0;
            return;
        default:
            Other(pair);
        }
    }

    void Pass(const std::string& attribute) { m_passed.insert(attribute); }

private:
    std::string m_type;
    DxfPairReader& m_reader;
    std::set<std::string> m_passed;
    bool m_inGroup = false;
};

// A code's value when it is one of low to high; otherwise the value kept
// and what it was named among what is passed over.
int InRange(const DxfPair& pair, int low, int high, int kept, Walk& walk, const char* what)
{
    const int value = Integer(pair);
    if (value >= low && value <= high)
        return value;
    walk.Pass(std::string(what) + " " + Text(pair));
    return kept;
}

// Sets one coordinate of a point by the last digit of its code (10, 20, 30
// and so on: x, y, z).
void Coordinate(DxfPoint& point, const DxfPair& pair)
{
    const int axis = (pair.code / 10) % 10;
    (axis == 1 ? point.x : axis == 2 ? point.y : point.z) = Real(pair);
}

bool IsCoordinate(int code, int first)
{
    return code == first || code == first + 10 || code == first + 20;
}

DxfLine ReadLine(const Pairs& pairs, Walk& walk, DxfEntity& entity)
{
    DxfLine line;
    for (const DxfPair& pair : pairs)
        if (IsCoordinate(pair.code, 10))
            Coordinate(line.start, pair);
        else if (IsCoordinate(pair.code, 11))
            Coordinate(line.end, pair);
        else
            walk.Common(pair, entity);
    return line;
}

DxfArc ReadArc(const Pairs& pairs, Walk& walk, DxfEntity& entity)
{
    DxfArc arc;
    for (const DxfPair& pair : pairs)
        if (IsCoordinate(pair.code, 10))
            Coordinate(arc.centre, pair);
        else if (pair.code == 40)
            arc.radius = Real(pair);
        else if (pair.code == 50)
            arc.startAngle = Real(pair);
        else if (pair.code == 51)
            arc.endAngle = Real(pair);
        else
            walk.Common(pair, entity);
    return arc;
}

DxfPolyline ReadLwPolyline(const Pairs& pairs, Walk& walk, DxfEntity& entity, std::vector<DxfVertex> vertices)
{
    DxfPolyline polyline{std::move(vertices), false, 0.0, 0.0};
    for (const DxfPair& pair : pairs)
        switch (pair.code)
        {
        case 90:
            break;
        case 70:
            polyline.closed = (Integer(pair) & 1) != 0;
            if ((Integer(pair) & 128) != 0)
                walk.Pass("line type generation");
            break;
        case 43:
            polyline.constantWidth = Real(pair);
            break;
        case 38:
            polyline.elevation = Real(pair);
            break;
        case 91:
            if (Integer(pair) != 0)
                walk.Pass("vertex identifiers");
            break;
        default:
            walk.Common(pair, entity);
        }
    return polyline;
}

DxfInsert ReadInsert(const Pairs& pairs, Walk& walk, DxfEntity& entity, bool& array)
{
    DxfInsert insert;
    array = false;
    for (const DxfPair& pair : pairs)
        if (pair.code == 2)
            insert.block = Text(pair);
        else if (IsCoordinate(pair.code, 10))
            Coordinate(insert.position, pair);
        else if (pair.code == 41)
            insert.sx = Real(pair);
        else if (pair.code == 42)
            insert.sy = Real(pair);
        else if (pair.code == 43)
            insert.sz = Real(pair);
        else if (pair.code == 50)
            insert.rotation = Real(pair);
        else if (pair.code == 70 || pair.code == 71)
            array = array || Integer(pair) > 1;
        else if (pair.code != 66 && pair.code != 44 && pair.code != 45)
            walk.Common(pair, entity);
    return insert;
}

DxfText ReadText(const Pairs& pairs, Walk& walk, DxfEntity& entity)
{
    DxfText text;
    for (const DxfPair& pair : pairs)
        if (pair.code == 1)
            text.text = Text(pair);
        else if (pair.code == 7)
            text.style = Text(pair);
        else if (IsCoordinate(pair.code, 10))
            Coordinate(text.position, pair);
        else if (IsCoordinate(pair.code, 11))
            Coordinate(text.alignment, pair);
        else if (pair.code == 40)
            text.height = Real(pair);
        else if (pair.code == 41)
            text.widthFactor = Real(pair);
        else if (pair.code == 50)
            text.rotation = Real(pair);
        else if (pair.code == 51)
            text.oblique = Real(pair);
        else if (pair.code == 71)
            text.mirror = Integer(pair) & 6;
        else if (pair.code == 72)
            text.horizontal = InRange(pair, 0, 5, text.horizontal, walk, "horizontal alignment");
        else if (pair.code == 73)
            text.vertical = InRange(pair, 0, 3, text.vertical, walk, "vertical alignment");
        else
            walk.Common(pair, entity);
    return text;
}

// Codes 3 carry the text in pieces ahead of the last, code 1.
DxfMText ReadMText(const Pairs& pairs, Walk& walk, DxfEntity& entity)
{
    DxfMText text;
    std::string last;
    bool directionGiven = false;
    double rotation = 0.0;
    for (const DxfPair& pair : pairs)
        switch (pair.code)
        {
        case 3:
            text.text += pair.value;
            break;
        case 1:
            last = Text(pair);
            break;
        case 7:
            text.style = Text(pair);
            break;
        case 10:
        case 20:
        case 30:
            Coordinate(text.location, pair);
            break;
        case 11:
        case 21:
        case 31:
            Coordinate(text.direction, pair);
            directionGiven = true;
            break;
        case 210:
        case 220:
        case 230:
            Coordinate(text.normal, pair);
            break;
        case 40:
            text.height = Real(pair);
            break;
        case 41:
            text.width = Real(pair);
            break;
        case 42:
        case 43:
            break;
        case 44:
            if (Real(pair) >= 0.25 && Real(pair) <= 4.0)
                text.spacingFactor = Real(pair);
            else
                walk.Pass("line spacing factor " + Text(pair));
            break;
        case 50:
            rotation = Real(pair);
            break;
        case 71:
            text.attachment = InRange(pair, 1, 9, text.attachment, walk, "attachment");
            break;
        case 72:
            text.flow = InRange(pair, 1, 5, text.flow, walk, "drawing direction");
            break;
        case 73:
            text.spacingStyle = InRange(pair, 1, 2, text.spacingStyle, walk, "line spacing style");
            break;
        case 46:
            if (Real(pair) != 0.0)
                walk.Pass("column height");
            break;
        case 90:
            if (Integer(pair) != 0)
                walk.Pass("background fill");
            break;
        case 45:
        case 63:
        case 421:
        case 431:
        case 441:
            walk.Pass("background fill");
            break;
        case 75:
        case 76:
        case 78:
        case 79:
        case 48:
        case 49:
            walk.Pass("columns");
            break;
        default:
            walk.Common(pair, entity);
        }
    text.text += last;
    // A direction wins over a rotation when both are given.
    if (!directionGiven)
        text.direction = {std::cos(Radians(rotation)), std::sin(Radians(rotation)), 0.0};
    return text;
}

DxfEllipse ReadEllipse(const Pairs& pairs, Walk& walk, DxfEntity& entity)
{
    DxfEllipse ellipse;
    for (const DxfPair& pair : pairs)
        if (IsCoordinate(pair.code, 10))
            Coordinate(ellipse.centre, pair);
        else if (IsCoordinate(pair.code, 11))
            Coordinate(ellipse.majorAxis, pair);
        else if (pair.code >= 210 && pair.code <= 230 && pair.code % 10 == 0)
            Coordinate(ellipse.normal, pair);
        else if (pair.code == 40)
            ellipse.ratio = Real(pair);
        else if (pair.code == 41)
            ellipse.startParam = Real(pair);
        else if (pair.code == 42)
            ellipse.endParam = Real(pair);
        else
            walk.Common(pair, entity);
    return ellipse;
}

// Appends a point to points when pair starts one (its x), else sets the
// coordinate of the last.
void PointOf(std::vector<DxfPoint>& points, const DxfPair& pair)
{
    if (pair.code < 20 || points.empty())
        points.emplace_back();
    Coordinate(points.back(), pair);
}

constexpr int kMaxSplineDegree = 25;

void CheckSpline(const DxfSpline& spline, const std::size_t line, int knotCount, int controlCount, int fitCount)
{
    const auto says = [&](int told, std::size_t given, const char* what) {
        if (told >= 0 && static_cast<std::size_t>(told) != given)
            Refuse(line, "a SPLINE that says it has " + std::to_string(told) + " " + what + " but gives " +
                             std::to_string(given));
    };
    says(knotCount, spline.knots.size(), "knots");
    says(controlCount, spline.controlPoints.size(), "control points");
    says(fitCount, spline.fitPoints.size(), "fit points");
    if (spline.degree < 1 || spline.degree > kMaxSplineDegree)
        Refuse(line, "a SPLINE of degree " + std::to_string(spline.degree) + " (1 to 25 are splines)");
    const std::size_t points = spline.controlPoints.size();
    if (points == 0 && spline.knots.empty())
        return;
    const std::size_t knotsNeeded = points + static_cast<std::size_t>(spline.degree) + 1;
    if (spline.knots.size() != knotsNeeded)
        Refuse(line, "a SPLINE of degree " + std::to_string(spline.degree) + " with " + std::to_string(points) +
                         " control points needs " + std::to_string(knotsNeeded) + " knots, not " +
                         std::to_string(spline.knots.size()));
    for (std::size_t i = 1; i < spline.knots.size(); ++i)
        if (spline.knots[i] < spline.knots[i - 1] - spline.knotTolerance)
            Refuse(line, "a SPLINE whose knots are out of order: knot " + std::to_string(i + 1) + " is below knot " +
                             std::to_string(i));
    if (!spline.weights.empty() && spline.weights.size() != points)
        Refuse(line, "a SPLINE with " + std::to_string(spline.weights.size()) + " weights for " +
                         std::to_string(points) + " control points");
}

DxfSpline ReadSpline(const Pairs& pairs, Walk& walk, DxfEntity& entity, std::size_t line)
{
    DxfSpline spline;
    int knotCount = -1;
    int controlCount = -1;
    int fitCount = -1;
    bool rational = false;
    for (const DxfPair& pair : pairs)
        switch (pair.code)
        {
        case 70:
            spline.closed = (Integer(pair) & 1) != 0;
            spline.periodic = (Integer(pair) & 2) != 0;
            rational = (Integer(pair) & 4) != 0;
            break;
        case 71:
            spline.degree = Integer(pair);
            break;
        case 72:
            knotCount = Integer(pair);
            break;
        case 73:
            controlCount = Integer(pair);
            break;
        case 74:
            fitCount = Integer(pair);
            break;
        case 42:
            spline.knotTolerance = Real(pair);
            break;
        case 43:
            spline.controlTolerance = Real(pair);
            break;
        case 44:
            spline.fitTolerance = Real(pair);
            break;
        case 40:
            spline.knots.push_back(Real(pair));
            break;
        case 41:
            spline.weights.push_back(Real(pair));
            break;
        case 10:
        case 20:
        case 30:
            PointOf(spline.controlPoints, pair);
            break;
        case 11:
        case 21:
        case 31:
            PointOf(spline.fitPoints, pair);
            break;
        case 12:
        case 22:
        case 32:
            Coordinate(spline.startTangent, pair);
            break;
        case 13:
        case 23:
        case 33:
            Coordinate(spline.endTangent, pair);
            break;
        case 210:
        case 220:
        case 230:
            break;
        default:
            walk.Common(pair, entity);
        }
    // A rational spline whose weights are all 1 may leave them out.
    if (rational && spline.weights.empty())
        spline.weights.assign(spline.controlPoints.size(), 1.0);
    if (!rational && !spline.weights.empty() &&
        std::all_of(spline.weights.begin(), spline.weights.end(), [](double w) { return w == 1.0; }))
        spline.weights.clear();
    CheckSpline(spline, line, knotCount, controlCount, fitCount);
    return spline;
}

DxfPointEntity ReadPoint(const Pairs& pairs, Walk& walk, DxfEntity& entity)
{
    DxfPointEntity point;
    for (const DxfPair& pair : pairs)
        if (IsCoordinate(pair.code, 10))
            Coordinate(point.position, pair);
        else if (pair.code == 50)
            point.angle = Real(pair);
        else
            walk.Common(pair, entity);
    return point;
}

// A hatch's pairs in order: what its boundary loops and pattern lines are
// made of comes in runs whose lengths the pairs before them give.
class HatchReader
{
public:
    HatchReader(const Pairs& pairs, Walk& walk, DxfEntity& entity) : m_pairs(pairs), m_walk(walk), m_entity(entity)
    {
    }

    DxfHatch Read()
    {
        while (More())
        {
            const DxfPair& pair = Next();
            switch (pair.code)
            {
            case 10:
            case 20:
                break;
            case 30:
                m_hatch.elevation = Real(pair);
                break;
            case 210:
            case 220:
            case 230:
                Coordinate(m_hatch.normal, pair);
                break;
            case 2:
                m_hatch.pattern = Text(pair);
                break;
            case 70:
                m_hatch.solid = Integer(pair) != 0;
                break;
            case 71:
                if (Integer(pair) != 0)
                    m_walk.Pass("associative boundary");
                break;
            case 91:
                for (int loop = 0; loop < Integer(pair) && More(); ++loop)
                    m_hatch.loops.push_back(Loop());
                break;
            case 75:
                m_hatch.style = InRange(pair, 0, 2, m_hatch.style, m_walk, "hatch style");
                break;
            case 76:
                m_hatch.patternType = InRange(pair, 0, 2, m_hatch.patternType, m_walk, "hatch pattern type");
                break;
            case 52:
                m_hatch.patternAngle = Real(pair);
                break;
            case 41:
                m_hatch.patternScale = Real(pair);
                break;
            case 77:
                m_hatch.patternDouble = Integer(pair) != 0;
                break;
            case 78:
                for (int line = 0; line < Integer(pair) && More(); ++line)
                    m_hatch.lines.push_back(PatternLine());
                break;
            case 47:
                break;
            case 98:
                for (int seed = 0; seed < Integer(pair) && More(); ++seed)
                    m_hatch.seeds.push_back({Expect(10), Expect(20), 0.0});
                break;
            case 450:
                if (Integer(pair) != 0)
                    m_walk.Pass("gradient");
                break;
            case 451:
            case 452:
            case 453:
            case 460:
            case 461:
            case 462:
            case 463:
            case 470:
            case 421:
            case 63:
                break;
            default:
                m_walk.Common(pair, m_entity);
            }
        }
        return std::move(m_hatch);
    }

private:
    bool More() const { return m_at < m_pairs.size(); }
    const DxfPair& Next() { return m_pairs[m_at++]; }
    bool NextIs(int code) const { return More() && m_pairs[m_at].code == code; }
    // The value of the next pair, which should have that code: otherwise
    // the hatch's runs do not say what follows, and it is refused there.
    double Expect(int code)
    {
        if (!NextIs(code))
            Refuse(More() ? m_pairs[m_at].line : m_pairs.back().line,
                   "a HATCH whose boundary data is out of order: group code " + std::to_string(code) + " expected");
        return Real(Next());
    }
    int ExpectInteger(int code) { return static_cast<int>(std::lround(Expect(code))); }

    DxfHatchLoop Loop()
    {
        DxfHatchLoop loop;
        loop.line = More() ? m_pairs[m_at].line : 0;
        loop.flags = ExpectInteger(92);
        if ((loop.flags & 2) != 0)
        {
            const bool bulges = NextIs(72) && Integer(Next()) != 0;
            if (NextIs(73))
                Next();
            const int count = ExpectInteger(93);
            for (int i = 0; i < count && More(); ++i)
            {
                DxfVertex vertex{Expect(10), Expect(20)};
                if (bulges && NextIs(42))
                    vertex.bulge = Real(Next());
                loop.vertices.push_back(vertex);
            }
        }
        else
        {
            const int count = ExpectInteger(93);
            for (int i = 0; i < count && More(); ++i)
                loop.edges.push_back(Edge());
        }
        if (NextIs(97))
            for (int sources = Integer(Next()); sources > 0 && NextIs(330); --sources)
            {
                Next();
                m_walk.Pass("associative boundary");
            }
        return loop;
    }

    DxfHatchEdge Edge()
    {
        DxfHatchEdge edge;
        edge.type = ExpectInteger(72);
        switch (edge.type)
        {
        case 1:
            edge.x1 = Expect(10);
            edge.y1 = Expect(20);
            edge.x2 = Expect(11);
            edge.y2 = Expect(21);
            break;
        case 2:
            edge.x1 = Expect(10);
            edge.y1 = Expect(20);
            edge.radius = Expect(40);
            edge.startAngle = Expect(50);
            edge.endAngle = Expect(51);
            edge.counterClockwise = ExpectInteger(73) != 0;
            break;
        case 3:
            edge.x1 = Expect(10);
            edge.y1 = Expect(20);
            edge.x2 = Expect(11);
            edge.y2 = Expect(21);
            edge.radius = Expect(40);
            edge.startAngle = Expect(50);
            edge.endAngle = Expect(51);
            edge.counterClockwise = ExpectInteger(73) != 0;
            break;
        case 4:
            SplineEdge(edge);
            break;
        default:
            Refuse(m_pairs[m_at - 1].line, "a HATCH boundary edge of type " + std::to_string(edge.type) +
                                               " (1 line, 2 arc, 3 elliptical arc, 4 spline)");
        }
        return edge;
    }

    void SplineEdge(DxfHatchEdge& edge)
    {
        const std::size_t line = m_pairs[m_at - 1].line;
        edge.degree = ExpectInteger(94);
        const bool rational = ExpectInteger(73) != 0;
        edge.periodic = ExpectInteger(74) != 0;
        const int knots = ExpectInteger(95);
        const int points = ExpectInteger(96);
        for (int i = 0; i < knots && More(); ++i)
            edge.knots.push_back(Expect(40));
        for (int i = 0; i < points && More(); ++i)
        {
            edge.controlPoints.push_back(Expect(10));
            edge.controlPoints.push_back(Expect(20));
            if (rational && NextIs(42))
                edge.weights.push_back(Real(Next()));
        }
        if (NextIs(97))
        {
            const int fitPoints = Integer(Next());
            for (int i = 0; i < fitPoints && More(); ++i)
            {
                Expect(11);
                Expect(21);
            }
            if (fitPoints > 0)
                m_walk.Pass("spline edge fit points");
            for (const int tangent : {12, 22, 13, 23})
                if (NextIs(tangent))
                    Next();
        }
        DxfSpline spline;
        spline.degree = edge.degree;
        spline.knots = edge.knots;
        spline.controlPoints.resize(edge.controlPoints.size() / 2);
        spline.weights = edge.weights;
        CheckSpline(spline, line, knots, points, -1);
    }

    DxfPatternLine PatternLine()
    {
        DxfPatternLine line;
        line.angle = Expect(53);
        line.baseX = Expect(43);
        line.baseY = Expect(44);
        line.offsetX = Expect(45);
        line.offsetY = Expect(46);
        const int dashes = ExpectInteger(79);
        for (int i = 0; i < dashes && More(); ++i)
            line.dashes.push_back(Expect(49));
        return line;
    }

    const Pairs& m_pairs;
    Walk& m_walk;
    DxfEntity& m_entity;
    std::size_t m_at = 0;
    DxfHatch m_hatch;
};

struct Point2
{
    double x;
    double y;
};

// The ends of an edge in the order it runs.
std::pair<Point2, Point2> Ends(const DxfHatchEdge& edge)
{
    switch (edge.type)
    {
    case 1:
        return {{edge.x1, edge.y1}, {edge.x2, edge.y2}};
    case 2:
    case 3: {
        const double sign = edge.counterClockwise ? 1.0 : -1.0;
        const auto at = [&](double degrees) {
            const double angle = Radians(sign * degrees);
            if (edge.type == 2)
                return Point2{edge.x1 + edge.radius * std::cos(angle), edge.y1 + edge.radius * std::sin(angle)};
            // An ellipse's angle is turned into its parameter, along the
            // major axis (x2, y2) and the minor at ratio, a quarter turn on.
            const double t = std::atan2(std::sin(angle) / edge.radius, std::cos(angle));
            const double c = std::cos(t);
            const double s = std::sin(t) * edge.radius;
            return Point2{edge.x1 + c * edge.x2 - s * edge.y2, edge.y1 + c * edge.y2 + s * edge.x2};
        };
        return {at(edge.startAngle), at(edge.endAngle)};
    }
    default: {
        const std::vector<double>& p = edge.controlPoints;
        if (p.size() < 2)
            return {{0.0, 0.0}, {0.0, 0.0}};
        return {{p[0], p[1]}, {p[p.size() - 2], p[p.size() - 1]}};
    }
    }
}

// An edge loop closes when each edge starts where the one before it ended,
// either way round (writers do not agree on the direction of clockwise
// arcs), and the last ends where the first started; ends count as one
// within a hundred-thousandth of the loop's size. A loop may be several
// such chains one after another (programs write a hatch of many outlines
// so), each closed.
void CheckLoopCloses(const DxfHatchLoop& loop)
{
    if (loop.edges.empty())
        return;
    std::vector<std::pair<Point2, Point2>> ends;
    double low = INFINITY;
    double high = -INFINITY;
    for (const DxfHatchEdge& edge : loop.edges)
    {
        ends.push_back(Ends(edge));
        for (const Point2& p : {ends.back().first, ends.back().second})
        {
            low = std::min({low, p.x, p.y});
            high = std::max({high, p.x, p.y});
        }
    }
    const double tolerance = 1e-5 * (high - low) + 1e-9;
    const auto meets = [tolerance](Point2 a, Point2 b) { return std::hypot(a.x - b.x, a.y - b.y) <= tolerance; };
    // The edge after the chain that starts at first, run one way round;
    // first itself when it does not close.
    const auto chainEnd = [&](std::size_t first, bool reversed) {
        const Point2 start = reversed ? ends[first].second : ends[first].first;
        Point2 at = reversed ? ends[first].first : ends[first].second;
        for (std::size_t i = first + 1;; ++i)
        {
            if (meets(at, start))
                return i;
            if (i == ends.size())
                return first;
            if (meets(ends[i].first, at))
                at = ends[i].second;
            else if (meets(ends[i].second, at))
                at = ends[i].first;
            else
                return first;
        }
    };
    for (std::size_t first = 0; first < ends.size();)
    {
        std::size_t next = chainEnd(first, false);
        if (next == first)
            next = chainEnd(first, true);
        if (next == first)
            Refuse(loop.line, "a HATCH boundary that does not close: its edges leave a gap");
        first = next;
    }
}

// Why a shape read whole still cannot be held; empty when it can.
std::string WhatCannotBeHeld(const DxfShape& shape)
{
    if (const auto* text = std::get_if<DxfText>(&shape); text != nullptr && !(text->height > 0.0))
        return "without a height";
    if (const auto* text = std::get_if<DxfText>(&shape); text != nullptr && !(text->widthFactor > 0.0))
        return "without a width";
    if (const auto* text = std::get_if<DxfMText>(&shape); text != nullptr && !(text->height > 0.0))
        return "without a height";
    if (const auto* ellipse = std::get_if<DxfEllipse>(&shape))
    {
        const DxfPoint& a = ellipse->majorAxis;
        if (!(ellipse->ratio > 0.0 && ellipse->ratio <= 1.0) || (a.x == 0.0 && a.y == 0.0 && a.z == 0.0))
            return "whose axes are not an ellipse's";
    }
    if (const auto* spline = std::get_if<DxfSpline>(&shape);
        spline != nullptr && spline->controlPoints.empty() && spline->fitPoints.size() < 2)
        return "without points";
    return {};
}
} // namespace

void DxfPairReader::Skip(const std::string& type, const std::string& attribute, const std::string& in)
{
    ++m_skipped[DxfSkip{type, attribute, in}];
}

bool DxfPairReader::Entity(const DxfTagWatch::Entity& read, std::vector<DxfVertex> vertices, DxfEntity& entity)
{
    entity = DxfEntity();
    entity.line = read.line;
    Walk walk(read, *this);
    const Pairs& pairs = read.pairs;
    const std::string& type = read.type;
    if (type == "LINE")
        entity.shape = ReadLine(pairs, walk, entity);
    else if (type == "CIRCLE")
    {
        const DxfArc arc = ReadArc(pairs, walk, entity);
        entity.shape = DxfCircle{arc.centre, arc.radius};
    }
    else if (type == "ARC")
        entity.shape = ReadArc(pairs, walk, entity);
    else if (type == "LWPOLYLINE")
        entity.shape = ReadLwPolyline(pairs, walk, entity, std::move(vertices));
    else if (type == "INSERT")
    {
        bool array = false;
        entity.shape = ReadInsert(pairs, walk, entity, array);
        if (array)
            return Rejected("MINSERT (an array of references)");
    }
    else if (type == "TEXT")
        entity.shape = ReadText(pairs, walk, entity);
    else if (type == "MTEXT")
        entity.shape = ReadMText(pairs, walk, entity);
    else if (type == "ELLIPSE")
        entity.shape = ReadEllipse(pairs, walk, entity);
    else if (type == "SPLINE")
        entity.shape = ReadSpline(pairs, walk, entity, read.line);
    else if (type == "POINT")
        entity.shape = ReadPoint(pairs, walk, entity);
    else if (type == "HATCH")
    {
        DxfHatch hatch = HatchReader(pairs, walk, entity).Read();
        for (const DxfHatchLoop& loop : hatch.loops)
            CheckLoopCloses(loop);
        entity.shape = std::move(hatch);
    }
    else
        return Rejected(type);
    const std::string cannotHold = WhatCannotBeHeld(entity.shape);
    return cannotHold.empty() || Rejected(type + " " + cannotHold);
}

bool DxfPairReader::Rejected(const std::string& what)
{
    Skip(what);
    return false;
}

DxfPolyline DxfPairReader::Polyline(const DxfTagWatch::Entity& read, DxfEntity& entity, bool& flat)
{
    entity = DxfEntity();
    entity.line = read.line;
    Walk walk(read, *this);
    DxfPolyline polyline;
    int flags = 0;
    m_defaultStart = m_defaultEnd = -1.0;
    for (const DxfPair& pair : read.pairs)
        switch (pair.code)
        {
        case 66:
        case 10:
        case 20:
            break;
        case 30:
            polyline.elevation = Real(pair);
            break;
        case 70:
            flags = Integer(pair);
            break;
        case 40:
            m_defaultStart = Real(pair);
            break;
        case 41:
            m_defaultEnd = Real(pair);
            break;
        case 71:
        case 72:
        case 73:
        case 74:
        case 75:
            if (Integer(pair) != 0)
                walk.Pass("mesh or smoothing");
            break;
        default:
            walk.Common(pair, entity);
        }
    constexpr int kNot2dPolyline = 8 | 16 | 64;
    flat = (flags & kNot2dPolyline) == 0;
    polyline.closed = (flags & 1) != 0;
    if ((flags & 2) != 0)
        walk.Pass("curve fitting");
    if ((flags & 4) != 0)
        walk.Pass("spline fitting");
    if ((flags & 128) != 0)
        walk.Pass("line type generation");
    // Widths the same at both ends for every vertex are the constant width.
    if (m_defaultStart >= 0.0 && m_defaultStart == m_defaultEnd)
    {
        polyline.constantWidth = m_defaultStart;
        m_defaultStart = m_defaultEnd = -1.0;
    }
    return polyline;
}

bool DxfPairReader::Vertex(const DxfTagWatch::Entity& read, DxfVertex& vertex)
{
    Walk walk(read, *this);
    vertex = DxfVertex{0.0, 0.0, 0.0, m_defaultStart > 0.0 ? m_defaultStart : -1.0,
                       m_defaultEnd > 0.0 ? m_defaultEnd : -1.0};
    int flags = 0;
    for (const DxfPair& pair : read.pairs)
        switch (pair.code)
        {
        case 10:
            vertex.x = Real(pair);
            break;
        case 20:
            vertex.y = Real(pair);
            break;
        case 30:
        case 8:
        case 6:
        case 62:
        case 420:
        case 48:
        case 370:
        case 60:
            break;
        case 40:
            vertex.startWidth = Real(pair);
            break;
        case 41:
            vertex.endWidth = Real(pair);
            break;
        case 42:
            vertex.bulge = Real(pair);
            break;
        case 70:
            flags = Integer(pair);
            break;
        case 50:
            walk.Pass("curve fit tangents");
            break;
        case 71:
        case 72:
        case 73:
        case 74:
        case 91:
            if (Integer(pair) != 0)
                walk.Pass("mesh faces");
            break;
        default:
            walk.Other(pair);
        }
    // A spline-fit polyline's frame is not drawn; the vertices fitted to it
    // are.
    return (flags & 16) == 0;
}

DxfLayer DxfPairReader::Layer(const DxfTagWatch::Entity& read)
{
    Walk walk(read, *this);
    DxfLayer layer;
    layer.line = read.line;
    for (const DxfPair& pair : read.pairs)
        switch (pair.code)
        {
        case 2:
            layer.name = Text(pair);
            break;
        case 70: {
            const int flags = Integer(pair);
            layer.frozen = (flags & 1) != 0;
            layer.locked = (flags & 4) != 0;
            if ((flags & 2) != 0)
                walk.Pass("frozen in new viewports");
            if ((flags & 16) != 0)
                walk.Pass("external reference");
            break;
        }
        case 62:
            layer.off = Integer(pair) < 0;
            if (std::abs(Integer(pair)) >= 1 && std::abs(Integer(pair)) <= 255)
                layer.colour = std::abs(Integer(pair));
            else
                walk.Pass("colour index " + Text(pair));
            break;
        case 420:
            layer.trueColour = Integer(pair) & 0xFFFFFF;
            break;
        case 6:
            if (!pair.value.empty())
                layer.linetype = Text(pair);
            break;
        case 370:
            if (IsLineWeight(Integer(pair)) && Integer(pair) != -1 && Integer(pair) != -2)
                layer.lineWeight = Integer(pair);
            else
                walk.Pass("line weight " + Text(pair));
            break;
        case 290:
            layer.plotted = Integer(pair) != 0;
            break;
        case 390:
        case 347:
            // A layer's plot style and material point at the drawing's own
            // (every writer gives each layer the default ones); the drawing
            // has neither.
            break;
        default:
            walk.Other(pair);
        }
    return layer;
}

DxfLinetype DxfPairReader::Linetype(const DxfTagWatch::Entity& read)
{
    Walk walk(read, *this);
    DxfLinetype linetype;
    linetype.line = read.line;
    for (const DxfPair& pair : read.pairs)
        switch (pair.code)
        {
        case 2:
            linetype.name = Text(pair);
            break;
        case 3:
            linetype.description = Text(pair);
            break;
        case 40:
            linetype.patternLength = Real(pair);
            break;
        case 49:
            linetype.dashes.push_back(Real(pair));
            break;
        case 70:
            if ((Integer(pair) & 16) != 0)
                walk.Pass("external reference");
            break;
        case 72:
        case 73:
            break;
        case 74:
            if (Integer(pair) != 0)
                walk.Pass("text or shapes in its dashes");
            break;
        case 75:
        case 340:
        case 46:
        case 50:
        case 44:
        case 45:
        case 9:
            walk.Pass("text or shapes in its dashes");
            break;
        default:
            walk.Other(pair);
        }
    return linetype;
}

DxfTextStyle DxfPairReader::Style(const DxfTagWatch::Entity& read)
{
    Walk walk(read, *this);
    DxfTextStyle style;
    style.line = read.line;
    for (const DxfPair& pair : read.pairs)
        switch (pair.code)
        {
        case 2:
            style.name = Text(pair);
            break;
        case 70: {
            const int flags = Integer(pair);
            style.shape = (flags & 1) != 0;
            style.vertical = (flags & 4) != 0;
            if ((flags & 16) != 0)
                walk.Pass("external reference");
            break;
        }
        case 40:
            style.height = Real(pair);
            break;
        case 41:
            style.widthFactor = Real(pair);
            break;
        case 50:
            style.oblique = Real(pair);
            break;
        case 71:
            style.generation = Integer(pair) & 6;
            break;
        case 42:
            style.lastHeight = Real(pair);
            break;
        case 3:
            style.font = Text(pair);
            break;
        case 4:
            style.bigFont = Text(pair);
            break;
        default:
            walk.Other(pair);
        }
    return style;
}

DxfBlock DxfPairReader::Block(const DxfTagWatch::Entity& read)
{
    Walk walk(read, *this);
    DxfBlock block;
    block.line = read.line;
    for (const DxfPair& pair : read.pairs)
        switch (pair.code)
        {
        case 2:
            block.name = Text(pair);
            break;
        case 10:
        case 20:
        case 30:
            Coordinate(block.base, pair);
            break;
        case 70:
            if ((Integer(pair) & (4 | 8 | 16)) != 0)
                walk.Pass("external reference");
            break;
        case 1:
        case 4:
            if (!pair.value.empty())
                walk.Pass(pair.code == 1 ? "external reference" : "description");
            break;
        case 3:
        case 8:
            break;
        default:
            walk.Other(pair);
        }
    return block;
}
