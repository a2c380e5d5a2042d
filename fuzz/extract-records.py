"""Copies the simulation records out of drawing files, one file per record:
CPmAcadSim200 records into CORPUS/sim_record, CPmAcadSim (version 101)
records into CORPUS/legacy_sim_record. The layout is that of
docs/drawing-file-format.md; the files are trusted, made by fuzz/make-seeds.

    python3 extract-records.py CORPUS DRAWING...
"""
import pathlib
import struct
import sys

FOLDERS = {"CPmAcadSim200": "sim_record", "CPmAcadSim": "legacy_sim_record"}


def text(data, at):
    (units,) = struct.unpack_from("<I", data, at)
    end = at + 4 + 2 * units
    return data[at + 4:end].decode("utf-16-le"), end


def class_names(data, count):
    names, at = [], 64
    for _ in range(count):
        name, at = text(data, at)
        for _ in range(2):  # DXF name, application name
            _, at = text(data, at)
        at += 12  # proxy flags, drawing and maintenance versions
        names.append(name)
    return names


def records(data):
    classes, objects = struct.unpack_from("<II", data, 12)
    (class_table_size,) = struct.unpack_from("<Q", data, 44)
    names = class_names(data, classes)
    at = 64 + class_table_size
    for _ in range(objects):
        handle, index, size = struct.unpack_from("<QII", data, at)
        yield handle, names[index], data[at + 16:at + 16 + size]
        at += 16 + size


def main(corpus, drawings):
    for drawing in drawings:
        path = pathlib.Path(drawing)
        for handle, name, record in records(path.read_bytes()):
            if name in FOLDERS:
                out = pathlib.Path(corpus) / FOLDERS[name] / f"{path.stem}-{handle:X}.rec"
                out.write_bytes(record)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
