#!/usr/bin/env python3
# mkview.py OUT year month day hour minute lat10 lon10west zoom kind index [equator]
import struct, sys
a = sys.argv
out = a[1]
y, mo, d, h, mi, lat, lon, zoom, kind, index = map(int, a[2:12])
rec = [0] * 128
def put(off, v): rec[off // 4] = v
put(0, 2500); put(4, 1); put(8, 0)            # version, Greenwich time, no DST
put(72, 0); put(84, zoom)
for i, v in enumerate((y, mo, d, h, mi)): put(88 + 4 * i, v)
if kind >= 0:
    put(116, kind); put(120, index); put(124, 1)
put(240, 1 | 2 | 8)                           # viewpoint, time, location
put(244, 0); put(248, 300 * 100)
put(264, lat); put(268, lon)
open(out, 'wb').write(struct.pack('<128i', *rec))
