"""ezdxf doing what znsim's DXF export and import do, on the same content, so
that DxfExchangeBench can set one beside the other in the same run. It
prints the seconds the work took, without Python's start-up and without
gathering the content to write, and the entities of model space it wrote or
gathered, which the benchmark checks.

  ezdxf_same_work.py export CONTENT.dxf OUT.dxf
      takes the tables, blocks, model space and records of CONTENT.dxf
      (untimed), then makes a new R2000 drawing of them and saves it (timed)
  ezdxf_same_work.py import IN.dxf
      reads IN.dxf and gathers the tables and each block's and model space's
      geometry into plain lists, as import builds a drawing of them (timed)
"""
import sys
import time

import ezdxf


def gather(entity):
    kind = entity.dxftype()
    dxf = entity.dxf
    if kind == "LWPOLYLINE":
        return kind, list(entity.get_points("xyb")), entity.closed, dxf.layer
    if kind == "INSERT":
        return kind, dxf.name, tuple(dxf.insert), dxf.xscale, dxf.yscale, dxf.rotation, dxf.layer
    if kind == "LINE":
        return kind, tuple(dxf.start), tuple(dxf.end), dxf.layer
    if kind in ("CIRCLE", "ARC"):
        return kind, tuple(dxf.center), dxf.radius, dxf.layer
    if kind == "TEXT":
        return kind, dxf.text, tuple(dxf.insert), dxf.height, dxf.layer
    if kind == "MTEXT":
        return kind, entity.text, tuple(dxf.insert), dxf.char_height, dxf.layer
    if kind == "ELLIPSE":
        return kind, tuple(dxf.center), tuple(dxf.major_axis), dxf.ratio, dxf.layer
    if kind == "SPLINE":
        return kind, [tuple(p) for p in entity.control_points], list(entity.knots), dxf.layer
    if kind == "POINT":
        return kind, tuple(dxf.location), dxf.layer
    if kind == "HATCH":
        return kind, [list(path.vertices) for path in entity.paths], dxf.layer
    return kind, None


def read(path):
    doc = ezdxf.readfile(path)
    blocks = {b.name: [gather(e) for e in b] for b in doc.blocks
              if not b.name.lower().startswith(("*model", "*paper"))}
    model = [gather(e) for e in doc.modelspace()]
    records = {}
    dictionary = doc.rootdict.get("ZNSIM_SIMULATIONS")
    if dictionary is not None:
        records = {key: [(t.code, t.value) for t in record.tags] for key, record in dictionary.items()}
    layers = [(layer.dxf.name, layer.dxf.color, layer.dxf.linetype) for layer in doc.layers]
    linetypes = [(lt.dxf.name, lt.dxf.description, [t.value for t in lt.pattern_tags.tags if t.code == 49])
                 for lt in doc.linetypes if lt.pattern_tags]
    return blocks, model, records, layers, linetypes


def add(layout, item):
    kind = item[0]
    if kind == "LWPOLYLINE":
        layout.add_lwpolyline(item[1], format="xyb", close=item[2], dxfattribs={"layer": item[3]})
    elif kind == "INSERT":
        layout.add_blockref(item[1], item[2], dxfattribs={"xscale": item[3], "yscale": item[4],
                                                          "rotation": item[5], "layer": item[6]})
    elif kind == "LINE":
        layout.add_line(item[1], item[2], dxfattribs={"layer": item[3]})
    elif kind == "TEXT":
        layout.add_text(item[1], dxfattribs={"insert": item[2], "height": item[3], "layer": item[4]})
    elif kind == "MTEXT":
        layout.add_mtext(item[1], dxfattribs={"insert": item[2], "char_height": item[3], "layer": item[4]})
    elif kind == "ELLIPSE":
        layout.add_ellipse(item[1], item[2], item[3], dxfattribs={"layer": item[4]})
    elif kind == "SPLINE":
        spline = layout.add_open_spline(item[1], dxfattribs={"layer": item[3]})
        spline.knots = item[2]
    elif kind == "POINT":
        layout.add_point(item[1], dxfattribs={"layer": item[2]})
    elif kind == "HATCH":
        hatch = layout.add_hatch(dxfattribs={"layer": item[2]})
        for vertices in item[1]:
            hatch.paths.add_polyline_path([v[:2] for v in vertices], is_closed=True)


def write(content, out):
    blocks, model, records, layers, linetypes = content
    doc = ezdxf.new("R2000")
    for name, description, dashes in linetypes:
        if name not in doc.linetypes and dashes:
            doc.linetypes.add(name, [sum(abs(d) for d in dashes)] + dashes, description=description)
    for name, color, linetype in layers:
        if name not in doc.layers:
            doc.layers.add(name, color=abs(color), linetype=linetype if linetype in doc.linetypes else "Continuous")
    for name, entities in blocks.items():
        block = doc.blocks.new(name)
        for item in entities:
            add(block, item)
    msp = doc.modelspace()
    for item in model:
        add(msp, item)
    dictionary = doc.rootdict.add_new_dict("ZNSIM_SIMULATIONS")
    for key, tags in records.items():
        record = dictionary.add_xrecord(key)
        record.reset(tags)
    doc.saveas(out)
    return len(doc.modelspace())


def main():
    if sys.argv[1] == "export":
        content = read(sys.argv[2])
        start = time.perf_counter()
        entities = write(content, sys.argv[3])
    else:
        start = time.perf_counter()
        entities = len(read(sys.argv[2])[1])
    print(time.perf_counter() - start, entities)


main()
