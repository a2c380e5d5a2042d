"""A drawing drawn with style, as the view tests and a person check it.

  styled_drawing.py dxf OUT.dxf   writes, in metres: a red layer with a line
                                  on it, a dashed line type at scale 2, a
                                  polyline 0.18 m wide, a text and a
                                  paragraph, a solid and a patterned hatch,
                                  an ellipse, a spline, a point, and a line
                                  on a layer that is off and one on a layer
                                  that is frozen
  styled_drawing.py svg IN.svg    prints, as JSON, each element of the
                                  still's drawing group below it: its tag,
                                  its attributes and its text
"""
import json
import sys
import xml.etree.ElementTree as ElementTree

import ezdxf


def write_dxf(path):
    doc = ezdxf.new("R2010", units=6)
    doc.header["$INSUNITS"] = 6
    doc.layers.add("Kerbs", color=1)
    doc.layers.add("Hidden", color=2).off()
    doc.layers.add("Frozen", color=3).freeze()
    doc.linetypes.add("SPACED", pattern=[0.75, 0.5, -0.25], description="- - -")
    msp = doc.modelspace()
    msp.add_line((0, 0), (20, 0), dxfattribs={"layer": "Kerbs"})
    msp.add_line((0, 5), (20, 5), dxfattribs={"linetype": "SPACED", "ltscale": 2.0, "color": 5})
    msp.add_lwpolyline([(0, 10), (20, 10), (20, 14)], dxfattribs={"const_width": 0.18, "color": 3})
    msp.add_text("Gate A", height=1.5, dxfattribs={"insert": (2, 16), "color": 6})
    msp.add_mtext("Quay\\PNorth", dxfattribs={"insert": (10, 22), "char_height": 1.0, "attachment_point": 1})
    solid = msp.add_hatch(color=4)
    solid.paths.add_polyline_path([(25, 0), (30, 0), (30, 5), (25, 5)], is_closed=True)
    pattern = msp.add_hatch(color=30)
    pattern.set_pattern_fill("ANSI31", color=30, scale=0.5)
    pattern.paths.add_polyline_path([(25, 10), (30, 10), (30, 15), (25, 15)], is_closed=True)
    msp.add_ellipse((35, 5), major_axis=(3, 0), ratio=0.5, dxfattribs={"color": 40})
    msp.add_spline([(33, 10), (35, 14), (37, 10), (39, 14)], dxfattribs={"color": 5})
    msp.add_point((35, 18))
    msp.add_line((0, -5), (20, -5), dxfattribs={"layer": "Hidden", "color": 200})
    msp.add_line((0, -8), (20, -8), dxfattribs={"layer": "Frozen", "color": 210})
    doc.saveas(path)


def local(tag):
    return tag.split("}")[-1]


def dump_svg(path):
    root = ElementTree.parse(path).getroot()
    drawing = next(e for e in root.iter() if e.get("class") == "drawing")
    elements = []
    for element in drawing.iter():
        if element is drawing or local(element.tag) in ("g", "tspan"):
            continue
        elements.append({"tag": local(element.tag), "attributes": dict(element.attrib),
                         "lines": [t.text or "" for t in element if local(t.tag) == "tspan"]})
    print(json.dumps(elements))


if __name__ == "__main__":
    {"dxf": write_dxf, "svg": dump_svg}[sys.argv[1]](sys.argv[2])
