"""ezdxf doing what znsim's DXF export and import do, on the same content, so
that DxfExchangeBench can set one beside the other in the same run. It
prints the seconds the work took, without Python's start-up and without
gathering the content to write.

  ezdxf_same_work.py export CONTENT.dxf OUT.dxf
      takes the blocks, model space and records of CONTENT.dxf (untimed), then
      makes a new R2000 drawing of them and saves it (timed)
  ezdxf_same_work.py import IN.dxf
      reads IN.dxf and gathers each block's and model space's geometry into
      plain lists, as import builds a drawing of them (timed)
"""
import sys
import time

import ezdxf


def gather(entity):
    kind = entity.dxftype()
    if kind == "LWPOLYLINE":
        return kind, list(entity.get_points("xyb")), entity.closed, entity.dxf.layer
    if kind == "INSERT":
        return kind, entity.dxf.name, tuple(entity.dxf.insert), entity.dxf.xscale, entity.dxf.yscale, \
            entity.dxf.rotation, entity.dxf.layer
    if kind == "LINE":
        return kind, tuple(entity.dxf.start), tuple(entity.dxf.end), entity.dxf.layer
    if kind in ("CIRCLE", "ARC"):
        return kind, tuple(entity.dxf.center), entity.dxf.radius, entity.dxf.layer
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
    layers = [layer.dxf.name for layer in doc.layers]
    return blocks, model, records, layers


def add(layout, item):
    kind = item[0]
    if kind == "LWPOLYLINE":
        layout.add_lwpolyline(item[1], format="xyb", close=item[2], dxfattribs={"layer": item[3]})
    elif kind == "INSERT":
        layout.add_blockref(item[1], item[2], dxfattribs={"xscale": item[3], "yscale": item[4],
                                                          "rotation": item[5], "layer": item[6]})
    elif kind == "LINE":
        layout.add_line(item[1], item[2], dxfattribs={"layer": item[3]})


def write(content, out):
    blocks, model, records, layers = content
    doc = ezdxf.new("R2000")
    for name in layers:
        if name not in doc.layers:
            doc.layers.add(name)
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


def main():
    if sys.argv[1] == "export":
        content = read(sys.argv[2])
        start = time.perf_counter()
        write(content, sys.argv[3])
    else:
        start = time.perf_counter()
        read(sys.argv[2])
    print(time.perf_counter() - start)


main()
