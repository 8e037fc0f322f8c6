#!/usr/bin/env python3
"""Property lists through Python's plistlib, an implementation independent of
the one under test.

  plist_helper.py write xml|binary PATH   write the sample dictionary
  plist_helper.py dump PATH               print a plist's content as canonical JSON

Canonical JSON tags every value with its kind and spells out what text could
blur: strings and keys as hex of their UTF-8 bytes, reals as the hex of their
IEEE-754 bits, dates as whole microseconds since 2001-01-01 UTC.
"""
import datetime
import json
import plistlib
import struct
import sys

EPOCH = datetime.datetime(2001, 1, 1)


def sample():
    return {
        "yes": True,
        "no": False,
        "int": 42,
        "negative": -5,
        "wide": 2**32 + 1,
        "min": -(2**63),
        "max": 2**63 - 1,
        "real": 2.7,
        "negativeReal": -0.5,
        "tiny": 5e-324,
        "huge": 1.7976931348623157e308,
        "string": "h\u00e9llo \u2713 \u65e5\u672c \U0001F600",
        "empty": "",
        "markup": "<a & b>",
        "data": bytes([0, 1, 0x7F, 0x80, 0xFF]),
        "emptyData": b"",
        "date": datetime.datetime(2020, 5, 17, 12, 30, 45),
        "before2001": datetime.datetime(1999, 12, 31, 23, 59, 59),
        "array": [1, "two", 3.5, True, [], {}],
        "dict": {"nested": {"deeper": [False]}, "\u043a\u043b\u044e\u0447": "\u0437\u043d\u0430\u0447\u0435\u043d\u0438\u0435"},
        # Equal values: the binary writer stores them once and refers to them twice.
        "shared": ["same", "same", 7, 7],
    }


def canonical(value):
    if isinstance(value, bool):
        return {"bool": value}
    if isinstance(value, int):
        return {"integer": value}
    if isinstance(value, float):
        return {"real": struct.pack(">d", value).hex()}
    if isinstance(value, str):
        return {"string": value.encode("utf-8").hex()}
    if isinstance(value, bytes):
        return {"data": value.hex()}
    if isinstance(value, datetime.datetime):
        return {"date": (value - EPOCH) // datetime.timedelta(microseconds=1)}
    if isinstance(value, list):
        return {"array": [canonical(item) for item in value]}
    if isinstance(value, dict):
        return {"dict": {key.encode("utf-8").hex(): canonical(item) for key, item in value.items()}}
    raise TypeError(f"unexpected {type(value).__name__}")


def main(argv):
    if len(argv) == 4 and argv[1] == "write" and argv[2] in ("xml", "binary"):
        fmt = plistlib.FMT_XML if argv[2] == "xml" else plistlib.FMT_BINARY
        with open(argv[3], "wb") as out:
            plistlib.dump(sample(), out, fmt=fmt, sort_keys=True)
        return 0
    if len(argv) == 3 and argv[1] == "dump":
        with open(argv[2], "rb") as source:
            value = plistlib.load(source)
        print(json.dumps(canonical(value), sort_keys=True, separators=(",", ":")))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
