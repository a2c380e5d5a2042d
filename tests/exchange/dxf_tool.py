"""What the exchange tests ask of ezdxf, the outside DXF library they check
znsim's DXF against.

  dxf_tool.py vehicle OUT.dxf   writes a vehicle drawn as blocks: a nested
                                wheel, arcs, bulged polylines, references
                                rotated and scaled unevenly, an invisible
                                reference and a text
  dxf_tool.py drawing OUT.dxf   writes a drawing in millimetres holding every
                                table and entity a drawing takes: layers of
                                every kind, a dashed line type, a text style,
                                and each entity with its attributes
  dxf_tool.py dump IN.dxf       prints, as JSON, the audit's error and fix
                                counts, the units, the tables, each block's
                                and model space's entities property by
                                property, and the records under each
                                dictionary of the root dictionary
  dxf_tool.py count IN.dxf...   prints, as JSON by file, the audit's error
                                and fix counts and the count of each entity
                                type in the blocks (but the two spaces') and
                                in model space and paper space; or why ezdxf
                                cannot read it
"""
import json
import re
import sys

import ezdxf
from ezdxf.enums import TextEntityAlignment


def vehicle(path):
    doc = ezdxf.new("R2000")
    wheel = doc.blocks.new("Wheel")
    wheel.add_circle((0, 0), 0.45)
    wheel.add_arc((0, 0), 0.3, 20, 160)
    wheel.add_line((-0.45, 0), (0.45, 0))
    body = doc.blocks.new("Van body")
    # The body's outline with rounded front corners: bulges of a quarter turn.
    body.add_lwpolyline([(0, -1, 0), (3.6, -1, 0.41421356237309503), (4.2, -0.4, 0),
                         (4.2, 0.4, 0.41421356237309503), (3.6, 1, 0), (0, 1, 0)],
                        format="xyb", close=True)
    body.add_line((2.8, -1), (2.8, 1))
    body.add_arc((3.9, 0), 0.25, -60, 60)
    for x, y in ((0.8, -1.05), (0.8, 1.05), (3.2, -1.05), (3.2, 1.05)):
        body.add_blockref("Wheel", (x, y), dxfattribs={"xscale": 1.0, "yscale": 0.4, "rotation": 90})
    trailer = doc.blocks.new("Trailer")
    trailer.add_lwpolyline([(0, -0.9), (2.5, -0.9), (2.5, 0.9), (0, 0.9)], close=True)
    trailer.add_blockref("Wheel", (1.2, 0), dxfattribs={"xscale": 0.8, "yscale": 2.0})
    msp = doc.modelspace()
    msp.add_blockref("Van body", (10, 5), dxfattribs={"rotation": 30, "xscale": 2.0, "yscale": -0.5})
    msp.add_blockref("Trailer", (4.5, 3.2), dxfattribs={"rotation": 210.5})
    hidden = msp.add_blockref("Van body", (30, 0))
    msp.add_lwpolyline([(0, 0, 0.25), (8, 0, -0.6), (16, 6, 0)], format="xyb")
    msp.add_arc((20, 20), 5, 300, 45)
    msp.add_line((0, -3), (20, -3))
    msp.add_text("Delivery van", dxfattribs={"height": 0.5})
    doc.saveas(path)
    make_invisible(path, hidden.dxf.handle)


def drawing(path):
    doc = ezdxf.new("R2018")
    doc.header["$INSUNITS"] = 4
    doc.linetypes.add("DASHDOT2", [2.0, 1.0, -0.5, 0.0, -0.5], description="Dash dot __ . __")
    doc.layers.add("Walls", color=1, linetype="DASHDOT2", lineweight=50)
    doc.layers.add("Off", color=3).off()
    frozen = doc.layers.add("Frozen", color=4)
    frozen.freeze()
    frozen.lock()
    doc.layers.add("No print", color=30).dxf.plot = 0
    doc.layers.add("Ochre").rgb = (204, 119, 34)
    doc.styles.add("Narrow", font="arial.ttf").dxf.width = 0.8

    marker = doc.blocks.new("Marker")
    marker.add_circle((1, 1), 0.5, dxfattribs={"layer": "Walls"})
    marker.add_point((1, 1), dxfattribs={"color": 5})
    marker.add_text("M", dxfattribs={"height": 0.3, "insert": (0.9, 0.9)})

    msp = doc.modelspace()
    msp.add_blockref("Marker", (10, 10), dxfattribs={"xscale": 2, "yscale": 2, "rotation": 45})
    msp.add_line((0, 0), (1, 1), dxfattribs={"layer": "Walls", "color": 2, "linetype": "DASHDOT2",
                                              "ltscale": 2.5, "lineweight": 35})
    msp.add_line((0, 1), (1, 2), dxfattribs={"layer": "Ochre"}).rgb = (10, 20, 30)
    msp.add_line((0, 2), (1, 3), dxfattribs={"layer": "Off", "invisible": 1})
    msp.add_line((0, 3), (1, 4), dxfattribs={"layer": "Frozen", "linetype": "BYBLOCK", "color": 0,
                                              "lineweight": -2})
    msp.add_lwpolyline([(0, 0), (3, 0), (3, 3)], dxfattribs={"const_width": 0.18, "layer": "No print"})
    msp.add_lwpolyline([(0, 0, 0.5, 0.5, 0.1), (2, 0, 0.2, 0.4, 0), (2, 2, 0, 0, 0)], format="xyseb",
                       close=True, dxfattribs={"elevation": 1.5})
    msp.add_circle((5, 5), 2)
    msp.add_arc((5, 5), 3, 350, 10)
    text = msp.add_text("Hello", dxfattribs={"height": 0.5, "rotation": 30, "style": "Narrow", "width": 0.8,
                                             "oblique": 10})
    text.set_placement((1, 2), (4, 2), align=TextEntityAlignment.ALIGNED)
    msp.add_text("Upside", dxfattribs={"height": 0.25, "text_generation_flag": 4}).set_placement(
        (2, 8), align=TextEntityAlignment.TOP_RIGHT)
    msp.add_mtext("Line one\\PGr\u00fc\u00dfe \u2713 " + "long " * 60,
                  dxfattribs={"char_height": 0.3, "width": 5, "insert": (5, 5), "attachment_point": 5,
                              "style": "Narrow", "line_spacing_factor": 1.5})
    msp.add_ellipse((0, 0), major_axis=(2, 1), ratio=0.5, start_param=0.3, end_param=2.0)
    msp.add_spline([(0, 0), (1, 2), (3, 1), (4, 4)])
    rational = msp.add_rational_spline([(0, 0), (1, 2), (3, 1), (4, 4), (5, 0)], [1, 2, 0.5, 1, 1], degree=3)
    rational.dxf.layer = "Walls"
    msp.add_point((3, 4), dxfattribs={"angle": 30})
    solid = msp.add_hatch(color=2)
    solid.paths.add_polyline_path([(0, 0, 0), (4, 0, 0.4), (4, 4, 0), (0, 4, 0)], is_closed=True)
    pattern = msp.add_hatch(dxfattribs={"layer": "Walls"})
    pattern.set_pattern_fill("ANSI31", scale=0.5, angle=15)
    edges = pattern.paths.add_edge_path()
    edges.add_line((0, 0), (10, 0))
    edges.add_arc((10, 5), 5, -90, 90)
    edges.add_line((10, 10), (5, 10))
    edges.add_spline(control_points=[(5, 10), (3, 12), (1, 8), (0, 10)], knot_values=[0, 0, 0, 0, 1, 1, 1, 1],
                     degree=3)
    edges.add_ellipse((0, 5), (0, 5), 0.4, 0, 180)
    gradient = msp.add_hatch()
    gradient.set_gradient((255, 0, 0), (0, 0, 255))
    gradient.paths.add_polyline_path([(20, 0), (21, 0), (21, 1)], is_closed=True)
    doc.saveas(path)


def make_invisible(path, handle):
    """Marks an entity invisible (group code 60) in the written file: ezdxf
    0.18 keeps the flag but does not write it."""
    with open(path) as f:
        text = f.read()
    start = text.index("\n  5\n%s\n" % handle)
    marker = "\n100\nAcDbEntity\n"
    at = text.index(marker, start) + len(marker)
    with open(path, "w") as f:
        f.write(text[:at] + " 60\n1\n" + text[at:])


def value(v):
    if isinstance(v, (str, bytes, int, float)) or v is None:
        return v
    return [value(c) for c in v]


# The attributes compared of every entity and of each type; ezdxf gives a
# default for each that a file leaves out.
COMMON = ["layer", "color", "linetype", "ltscale", "lineweight", "invisible"]
ATTRIBUTES = {
    "LINE": ["start", "end"],
    "CIRCLE": ["center", "radius"],
    "ARC": ["center", "radius", "start_angle", "end_angle"],
    "LWPOLYLINE": ["const_width", "elevation"],
    "INSERT": ["name", "insert", "xscale", "yscale", "zscale", "rotation"],
    "TEXT": ["text", "insert", "height", "rotation", "width", "oblique", "style", "text_generation_flag",
             "halign", "valign"],
    "MTEXT": ["insert", "char_height", "width", "attachment_point", "flow_direction", "style",
              "line_spacing_style", "line_spacing_factor", "text_direction", "extrusion"],
    "ELLIPSE": ["center", "major_axis", "ratio", "start_param", "end_param", "extrusion"],
    "SPLINE": ["degree", "knot_tolerance", "control_point_tolerance", "fit_tolerance"],
    "POINT": ["location", "angle"],
    "HATCH": ["pattern_name", "solid_fill", "hatch_style", "pattern_type", "elevation", "extrusion"],
}


def path_of(p):
    if type(p).__name__ == "PolylinePath":
        return {"polyline": [value(v) for v in p.vertices]}
    edges = []
    for e in p.edges:
        edge = {"type": type(e).__name__}
        for name in ("start", "end", "center", "radius", "start_angle", "end_angle", "ccw", "major_axis", "ratio",
                     "degree", "rational", "periodic", "knot_values", "control_points", "weights"):
            if hasattr(e, name):
                edge[name] = value(getattr(e, name))
        edges.append(edge)
    return {"edges": edges}


def unescaped(text):
    """Text with the \\U+XXXX escapes of files before 2007 read as the
    characters they stand for, as CAD programs show them."""
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)


def entity(e):
    kind = e.dxftype()
    out = {"type": kind, "handle": e.dxf.handle, "true_color": e.rgb and value(e.rgb)}
    for name in COMMON + ATTRIBUTES.get(kind, []):
        out[name] = value(getattr(e.dxf, name))
    # Names compare without letter case, as CAD programs compare them.
    out["linetype"] = out["linetype"].lower()
    if kind == "ARC":
        out.update(start_angle=e.dxf.start_angle % 360, end_angle=e.dxf.end_angle % 360)
    elif kind == "INSERT":
        out["rotation"] = e.dxf.rotation % 360
    elif kind == "LWPOLYLINE":
        out.update(points=[list(p) for p in e.get_points("xyseb")], closed=bool(e.closed))
    elif kind == "TEXT" and (e.dxf.halign or e.dxf.valign):
        out["align_point"] = value(e.dxf.align_point)
    elif kind == "MTEXT":
        out["text"] = unescaped(e.text)
    elif kind == "SPLINE":
        out.update(control_points=value(e.control_points), knots=value(e.knots), weights=value(e.weights),
                   fit_points=value(e.fit_points), closed=e.closed, rational=bool(e.dxf.flags & 4))
    elif kind == "HATCH":
        out["paths"] = [path_of(p) for p in e.paths]
        out["seeds"] = value(e.seeds)
        if e.pattern:
            out["pattern"] = {"angle": e.dxf.pattern_angle, "scale": e.dxf.pattern_scale,
                              "lines": [[line.angle, value(line.base_point), value(line.offset), value(line.dash_length_items)]
                                        for line in e.pattern.lines]}
    return out


def records(doc):
    found = {}
    for name, dictionary in doc.rootdict.items():
        if not hasattr(dictionary, "items"):
            continue
        for key, record in dictionary.items():
            if record.dxftype() == "XRECORD":
                found.setdefault(name, {})[key] = [[tag.code, tag.value] for tag in record.tags]
    return found


def tables(doc):
    layers = {}
    for layer in doc.layers:
        layers[layer.dxf.name] = {"color": layer.color, "true_color": layer.rgb and value(layer.rgb),
                                  "linetype": layer.dxf.linetype.lower(), "lineweight": layer.dxf.lineweight,
                                  "off": layer.is_off(), "frozen": layer.is_frozen(), "locked": layer.is_locked(),
                                  "plot": layer.dxf.plot}
    linetypes = {}
    for linetype in doc.linetypes:
        tags = linetype.pattern_tags.tags if linetype.pattern_tags else []
        linetypes[linetype.dxf.name.lower()] = {"description": linetype.dxf.description,
                                                "dashes": [t.value for t in tags if t.code == 49]}
    styles = {}
    for style in doc.styles:
        styles[style.dxf.name] = {"font": style.dxf.font, "width": style.dxf.width, "height": style.dxf.height,
                                  "oblique": style.dxf.oblique}
    return {"layers": layers, "linetypes": linetypes, "styles": styles}


def dump(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    blocks = {}
    for block in doc.blocks:
        if not block.name.lower().startswith(("*model_space", "*paper_space")):
            blocks[block.name] = {"base": value(block.block.dxf.base_point), "entities": [entity(e) for e in block]}
    print(json.dumps({
        "version": doc.dxfversion,
        "audit_errors": len(auditor.errors),
        "audit_fixes": len(auditor.fixes),
        "units": doc.header.get("$INSUNITS", 0),
        "layers": sorted(layer.dxf.name for layer in doc.layers),
        "tables": tables(doc),
        "blocks": blocks,
        "modelspace": [entity(e) for e in doc.modelspace()],
        "records": records(doc),
    }))


def counted(path):
    try:
        doc = ezdxf.readfile(path)
    except ezdxf.DXFStructureError as error:
        return {"unreadable": str(error)}
    auditor = doc.audit()
    types, paper = {}, {}
    for block in doc.blocks:
        name = block.name.lower()
        found = paper if name.startswith(("*paper_space", "$paper_space")) else types
        if name.startswith(("*model_space", "$model_space")):
            continue
        for e in block:
            found[e.dxftype()] = found.get(e.dxftype(), 0) + 1
    for e in doc.modelspace():
        types[e.dxftype()] = types.get(e.dxftype(), 0) + 1
    # A reference's attributes are entities of their own in the file.
    spaces = ("*model_space", "$model_space", "*paper_space", "$paper_space")
    for layout in [doc.modelspace()] + [b for b in doc.blocks if not b.name.lower().startswith(spaces)]:
        for insert in layout.query("INSERT"):
            if insert.attribs:
                types["ATTRIB"] = types.get("ATTRIB", 0) + len(insert.attribs)
    return {"audit_errors": len(auditor.errors), "audit_fixes": len(auditor.fixes), "types": types,
            "paper": paper}


def count(paths):
    print(json.dumps({path: counted(path) for path in paths}))


if __name__ == "__main__":
    if sys.argv[1] == "count":
        count(sys.argv[2:])
    else:
        {"vehicle": vehicle, "drawing": drawing, "dump": dump}[sys.argv[1]](sys.argv[2])
