"""What the exchange tests ask of ezdxf, the outside DXF library they check
znsim's DXF against.

  dxf_tool.py vehicle OUT.dxf   writes a vehicle drawn as blocks: a nested
                                wheel, arcs, bulged polylines, references
                                rotated and scaled unevenly, an invisible
                                reference and a text that znsim passes over
  dxf_tool.py dump IN.dxf       prints, as JSON, the audit's error count, the
                                layers, each block's and model space's
                                entities, and the records under each
                                dictionary of the root dictionary
"""
import json
import sys

import ezdxf


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


def point(p):
    return [p[0], p[1], p[2]]


def entity(e):
    kind = e.dxftype()
    out = {"type": kind}
    if kind == "LINE":
        out.update(start=point(e.dxf.start), end=point(e.dxf.end))
    elif kind == "CIRCLE":
        out.update(center=point(e.dxf.center), radius=e.dxf.radius)
    elif kind == "ARC":
        out.update(center=point(e.dxf.center), radius=e.dxf.radius,
                   start=e.dxf.start_angle % 360, end=e.dxf.end_angle % 360)
    elif kind == "LWPOLYLINE":
        out.update(points=[[x, y, b] for x, y, b in e.get_points("xyb")], closed=bool(e.closed))
    elif kind == "INSERT":
        out.update(block=e.dxf.name, insert=point(e.dxf.insert), xscale=e.dxf.xscale,
                   yscale=e.dxf.yscale, zscale=e.dxf.zscale, rotation=e.dxf.rotation % 360,
                   invisible=int(e.dxf.invisible), handle=e.dxf.handle)
    out["layer"] = e.dxf.layer
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


def dump(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    blocks = {}
    for block in doc.blocks:
        if not block.name.lower().startswith(("*model_space", "*paper_space")):
            blocks[block.name] = [entity(e) for e in block]
    print(json.dumps({
        "version": doc.dxfversion,
        "audit_errors": len(auditor.errors),
        "layers": sorted(layer.dxf.name for layer in doc.layers),
        "blocks": blocks,
        "modelspace": [entity(e) for e in doc.modelspace()],
        "records": records(doc),
    }))


if __name__ == "__main__":
    {"vehicle": vehicle, "dump": dump}[sys.argv[1]](sys.argv[2])
