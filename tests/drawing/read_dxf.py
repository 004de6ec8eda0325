# Reads a DXF written by velkar with ezdxf: audits it and lists every point
# (POINT on a point layer) with its coordinates and the name written beside it.
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("audit errors", len(auditor.errors))
names = {}
for e in doc.modelspace().query("TEXT[layer=='NOKTA_ADLARI']"):
    names.setdefault((round(e.dxf.insert.x, 4), round(e.dxf.insert.y, 4)), e.dxf.text)
height = doc.header.get("$TEXTSIZE", 1.0)
for e in doc.modelspace().query("POINT"):
    x, y, z = e.dxf.location
    name = names.get((round(x + height / 2, 4), round(y + height / 2, 4)), "?")
    print("point %.4f %.4f %.4f %s" % (x, y, z, name))
print("lines", len(doc.modelspace().query("LINE[layer=='BAKIS_DOGRULARI']")))
