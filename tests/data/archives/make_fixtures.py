#!/usr/bin/python3
"""Writes the fixture archives of this folder: keyed archives in the forms
other writers produce, each with a .json sidecar of the values a reader must
find (or "refused": true). Run it again after changing a fixture; new
fixtures may also be dropped in by hand.

Sidecar: {"description": str, "class": root class name, "refused": bool,
          "values": {key: {"kind": k, ...}}}
kinds: bool/int32/int64/float/double/string {"value"}, data {"hex"},
       rect/point/size {"value": [numbers]}, color {"rgba": [0-1 x4]},
       font {"family","size","bold","italic"},
       styledText {"text", "runs": [{"length", "font": {...}, "rgba"}]},
       picture {"points": [w, h], "pixels": [w, h]};
       any kind with "absent": true must read as absent, "null": true as none.
"""
import json
import os
import plistlib
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
UID = plistlib.UID


class Archive:
    def __init__(self):
        self.objects = ["$null"]
        self.classes = {}

    def add(self, value):
        self.objects.append(value)
        return UID(len(self.objects) - 1)

    def cls(self, *chain):
        if chain[0] not in self.classes:
            self.classes[chain[0]] = self.add(
                {"$classname": chain[0], "$classes": list(chain) + ["NSObject"]})
        return self.classes[chain[0]]

    def obj(self, chain, **values):
        d = {"$class": self.cls(*chain)}
        d.update(values)
        return self.add(d)

    def bytes(self, root, fmt=plistlib.FMT_BINARY, version=100000):
        top = {"$version": version, "$archiver": "NSKeyedArchiver",
               "$top": {"root": root}, "$objects": self.objects}
        if fmt == plistlib.FMT_XML:
            top = cf_uid_form(top)
        return plistlib.dumps(top, fmt=fmt, sort_keys=False)


def cf_uid_form(value):
    """XML has no UIDs: they are written as {"CF$UID": n}."""
    if isinstance(value, UID):
        return {"CF$UID": value.data}
    if isinstance(value, list):
        return [cf_uid_form(v) for v in value]
    if isinstance(value, dict):
        return {k: cf_uid_form(v) for k, v in value.items()}
    return value


def write(name, data, sidecar):
    with open(os.path.join(HERE, name + ".bin"), "wb") as f:
        f.write(data)
    with open(os.path.join(HERE, name + ".json"), "w", encoding="utf-8") as f:
        json.dump(sidecar, f, indent=2, ensure_ascii=False)
        f.write("\n")


def tiff_rgb(width, height, pixel, dpi):
    """An uncompressed RGB TIFF, every pixel `pixel`, at `dpi`."""
    strip = bytes(pixel) * (width * height)
    entries = []
    extra = b""
    base = 8 + 2 + 12 * 11 + 4  # header, count, entries, next-IFD offset

    def put(tag, typ, count, value):
        entries.append(struct.pack("<HHI", tag, typ, count) + value)

    bits_at = base + len(extra)
    extra += struct.pack("<HHH", 8, 8, 8) + b"\0\0"
    res_at = base + len(extra)
    extra += struct.pack("<II", dpi, 1)
    strip_at = base + len(extra)
    put(256, 3, 1, struct.pack("<HH", width, 0))
    put(257, 3, 1, struct.pack("<HH", height, 0))
    put(258, 3, 3, struct.pack("<I", bits_at))
    put(259, 3, 1, struct.pack("<HH", 1, 0))
    put(262, 3, 1, struct.pack("<HH", 2, 0))
    put(273, 4, 1, struct.pack("<I", strip_at))
    put(277, 3, 1, struct.pack("<HH", 3, 0))
    put(278, 3, 1, struct.pack("<HH", height, 0))
    put(279, 4, 1, struct.pack("<I", len(strip)))
    put(282, 5, 1, struct.pack("<I", res_at))
    put(283, 5, 1, struct.pack("<I", res_at))
    ifd = struct.pack("<H", len(entries)) + b"".join(entries) + b"\0\0\0\0"
    return b"II*\0" + struct.pack("<I", 8) + ifd + extra + strip


def mutable_string(a, text):
    return a.obj(["NSMutableString", "NSString"], **{"NS.string": text})


def font(a, name, size):
    return a.obj(["NSFont"], NSName=a.add(name), NSSize=float(size), NSfFlags=16)


def attributes(a, entries):
    return a.obj(["NSDictionary"], **{"NS.keys": [a.add(k) for k, _ in entries],
                                      "NS.objects": [v for _, v in entries]})


def varints(values):
    out = bytearray()
    for v in values:
        while True:
            b = v & 0x7F
            v >>= 7
            out.append(b | (0x80 if v else 0))
            if not v:
                break
    return bytes(out)


def colours_and_fonts():
    a = Archive()
    root = a.obj(["FixtureRecord"],
                 grey=a.obj(["NSColor"], NSColorSpace=3, NSWhite=b"0.5\0"),
                 clear=a.obj(["NSColor"], NSColorSpace=4, NSWhite=b"1 0\0"),
                 cmyk=a.obj(["NSColor"], NSColorSpace=5, NSCYMK=b"0 1 1 0\0"),
                 rgba=a.obj(["NSColor"], NSColorSpace=2, NSRGB=b"0 0 1 0.5\0"),
                 components=a.obj(["NSColor"], NSColorSpace=10,
                                  NSComponents=b"0.2 0.4 0.6 1\0",
                                  NSCustomColorSpace=a.obj(["NSColorSpace"], NSID=7)),
                 bolditalic=font(a, "TimesNewRomanPS-BoldItalicMT", 14),
                 bold=font(a, "TimesNewRomanPS-BoldMT", 24),
                 plain=a.obj(["NSFont"], NSName=mutable_string(a, "Helvetica"), NSSize=9),
                 name=mutable_string(a, "Zoë 😀"),
                 blob=a.obj(["NSMutableData", "NSData"], **{"NS.data": b"\x00\x01\xfe"}),
                 frame="{{ 10.5,-2 },{243,154}}",
                 origin="{1e2, 0.25}",
                 count=-17,
                 big=5000000000,
                 ratio=1.100000023841858,
                 whole=3.0,
                 on=True,
                 onAsInteger=1,
                 countObject=a.add(-7),
                 frameObject=a.add("{{1,2},{3,4}}"),
                 nothing=UID(0))
    values = {
        "grey": {"kind": "color", "rgba": [0.5, 0.5, 0.5, 1]},
        "clear": {"kind": "color", "rgba": [1, 1, 1, 0]},
        "cmyk": {"kind": "color", "rgba": [1, 0, 0, 1]},
        "rgba": {"kind": "color", "rgba": [0, 0, 1, 0.5]},
        "components": {"kind": "color", "rgba": [0.2, 0.4, 0.6, 1]},
        "bolditalic": {"kind": "font", "family": "Times New Roman", "size": 14,
                       "bold": True, "italic": True},
        "bold": {"kind": "font", "family": "Times New Roman", "size": 24,
                 "bold": True, "italic": False},
        "plain": {"kind": "font", "family": "Helvetica", "size": 9,
                  "bold": False, "italic": False},
        "name": {"kind": "string", "value": "Zoë 😀"},
        "blob": {"kind": "data", "hex": "0001fe"},
        "frame": {"kind": "rect", "value": [10.5, -2, 243, 154]},
        "origin": {"kind": "point", "value": [100, 0.25]},
        "count": {"kind": "int32", "value": -17},
        "big": {"kind": "int64", "value": 5000000000},
        "bigAsInt32": {"kind": "int32", "absent": True, "key": "big"},
        "ratio": {"kind": "float", "value": 1.100000023841858},
        "whole": {"kind": "int32", "value": 3},
        "on": {"kind": "bool", "value": True},
        "onAsInteger": {"kind": "bool", "value": True},
        "countObject": {"kind": "int32", "value": -7},
        "frameObject": {"kind": "rect", "value": [1, 2, 3, 4]},
        "nothing": {"kind": "color", "null": True},
        "missing": {"kind": "double", "absent": True},
    }
    write("colours_fonts_numbers", a.bytes(root),
          {"description": "colour spaces 2-5 and component colours, PostScript font names, "
                          "wrapped strings and data, inline numbers and rectangle strings",
           "class": "FixtureRecord", "refused": False, "values": values})


def styled_text():
    a = Archive()
    red = a.obj(["NSColor"], NSColorSpace=1, NSRGB=b"1 0 0\0")
    plain = attributes(a, [("NSFont", font(a, "TimesNewRomanPSMT", 14))])
    bold = attributes(a, [("NSFont", font(a, "TimesNewRomanPS-BoldMT", 18)), ("NSColor", red)])
    para = a.obj(["NSParagraphStyle"], NSAlignment=2)
    third = attributes(a, [("NSParagraphStyle", para), ("NSFont", font(a, "Helvetica", 9))])
    storage = a.obj(["NSTextStorage", "NSMutableAttributedString", "NSAttributedString"],
                    NSString=mutable_string(a, "Hi😀!"),
                    NSAttributes=a.obj(["NSArray"], **{"NS.objects": [plain, bold, third]}),
                    NSAttributeInfo=a.add(varints([2, 0, 2, 1, 1, 2])))
    single = a.obj(["NSAttributedString"], NSString=a.add("one run"),
                   NSAttributes=attributes(a, [("NSColor", red)]))
    root = a.obj(["FixtureRecord"], text=storage, single=single)
    tnr = {"family": "Times New Roman", "bold": False, "italic": False}
    values = {
        "text": {"kind": "styledText", "text": "Hi😀!", "runs": [
            {"length": 2, "font": dict(tnr, size=14), "rgba": [0, 0, 0, 1]},
            {"length": 2, "font": dict(tnr, size=18, bold=True), "rgba": [1, 0, 0, 1]},
            {"length": 1, "font": {"family": "Helvetica", "size": 9, "bold": False,
                                   "italic": False}, "rgba": [0, 0, 0, 1]}]},
        "single": {"kind": "styledText", "text": "one run", "runs": [
            {"length": 7, "font": dict(tnr, size=14), "rgba": [1, 0, 0, 1]}]},
    }
    write("styled_text_runs", a.bytes(root),
          {"description": "styled text with a run table (an emoji counts two), attributes we "
                          "do not read, and a one-run attributed string without a font",
           "class": "FixtureRecord", "refused": False, "values": values})


def styled_text_broken_runs():
    """Run tables that do not fit the text keep it whole in the first attributes."""
    a = Archive()
    plain = attributes(a, [("NSFont", font(a, "TimesNewRomanPSMT", 14))])
    red = a.obj(["NSColor"], NSColorSpace=1, NSRGB=b"1 0 0\0")
    second = attributes(a, [("NSColor", red)])
    sets = a.obj(["NSArray"], **{"NS.objects": [plain, second]})
    tables = {
        "tooLong": varints([2, 0, 9, 1]),
        "badIndex": varints([2, 0, 3, 7]),
        "truncated": bytes([2, 0, 0x83]),
        "tooShort": varints([1, 0]),
    }
    keys = {}
    for name, table in tables.items():
        keys[name] = a.obj(["NSTextStorage", "NSMutableAttributedString", "NSAttributedString"],
                           NSString=a.add("Hi😀!"), NSAttributes=sets,
                           NSAttributeInfo=a.add(table))
    root = a.obj(["FixtureRecord"], **keys)
    run = {"length": 5, "font": {"family": "Times New Roman", "size": 14, "bold": False,
                                 "italic": False}, "rgba": [0, 0, 0, 1]}
    values = {name: {"kind": "styledText", "text": "Hi😀!", "runs": [run]} for name in tables}
    write("styled_text_broken_runs", a.bytes(root),
          {"description": "run tables longer or shorter than the text, with a bad index, "
                          "or cut inside a number: the text stays, in the first attributes",
           "class": "FixtureRecord", "refused": False, "values": values})


def picture():
    a = Archive()
    rep = a.obj(["NSBitmapImageRep", "NSImageRep"],
                NSTIFFRepresentation=a.add(tiff_rgb(8, 4, (0, 128, 255), 288)))
    pair = a.obj(["NSArray"], **{"NS.objects": [a.add(0), rep]})
    image = a.obj(["NSImage"], NSSize="{2, 1}",
                  NSReps=a.obj(["NSMutableArray", "NSArray"], **{"NS.objects": [pair]}),
                  NSColor=a.obj(["NSColor"], NSColorSpace=6, NSCatalogName=a.add("System")))
    nosize = a.obj(["NSImage"], NSReps=a.obj(["NSArray"], **{"NS.objects": [rep]}))
    root = a.obj(["FixtureRecord"], image=image, nosize=nosize)
    values = {
        "image": {"kind": "picture", "points": [2, 1], "pixels": [8, 4]},
        "nosize": {"kind": "picture", "points": [2, 1], "pixels": [8, 4]},
    }
    write("picture_tiff", a.bytes(root),
          {"description": "an image with its representations in [index, bitmap] pairs, and "
                          "one without a size (taken from the 288-dpi TIFF)",
           "class": "FixtureRecord", "refused": False, "values": values})


def xml_cf_uid():
    a = Archive()
    root = a.obj(["FixtureRecord"], title=a.add("from XML"), width=12.5)
    text = a.bytes(root, fmt=plistlib.FMT_XML)
    write("xml_with_cf_uid", text,
          {"description": "an XML archive whose references are CF$UID dictionaries",
           "class": "FixtureRecord", "refused": False,
           "values": {"title": {"kind": "string", "value": "from XML"},
                      "width": {"kind": "double", "value": 12.5}}})


def refused():
    a = Archive()
    first = a.obj(["FixtureRecord"])
    second = a.obj(["FixtureRecord"], child=first)
    a.objects[first.data]["child"] = second
    write("refused_cycle", a.bytes(first),
          {"description": "two objects holding each other", "class": "FixtureRecord",
           "refused": True, "values": {}})
    b = Archive()
    root = b.obj(["FixtureRecord"], title=UID(40))
    write("refused_uid_out_of_range", b.bytes(root),
          {"description": "a reference past the end of $objects", "class": "FixtureRecord",
           "refused": True, "values": {}})
    c = Archive()
    root = c.obj(["FixtureRecord"])
    write("refused_version", c.bytes(root, version=200000),
          {"description": "an unknown archive version", "class": "FixtureRecord",
           "refused": True, "values": {}})


if __name__ == "__main__":
    colours_and_fonts()
    styled_text()
    styled_text_broken_runs()
    picture()
    xml_cf_uid()
    refused()
