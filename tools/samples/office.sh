# Office documents and their containers: Word 97, the OpenDocument kinds and templates, the OpenOffice.org 1
# XML documents, AbiWord, Krita and OpenRaster images, the KOffice stores, Hangul 3 and 5 documents and Access
# databases.
# packages: libreoffice-writer libreoffice-calc libreoffice-impress libreoffice-draw libreoffice-math libreoffice-base abiword krita xvfb xauth faketime python3 imagemagick
# LibreOffice, AbiWord and Krita run with their own profile folders and the clock stopped at the fixed date;
# LibreOffice draws its random numbers (Writer's revision ids) from a fixed seed and Krita's Qt hashes use a
# fixed seed (the order of its XML attributes), so a rerun gives the same bytes. The kinds no Debian tool
# writes are written by python3 from the formats' documentation (OpenDocument 1.2, the OpenOffice.org XML file
# format 1.0, the KOffice store, the compound file format, Hangul 3 and 5, the Jet database pages), with fixed
# member dates.
need_tools soffice abiword krita xvfb-run faketime python3 convert
mkdir -p "$work/office"
cd "$work/office"

# --- Inputs: a short text, a two-row table, a drawing, a slide and a formula, all written here.
printf 'Quodra sample document.\nA second line of text.\n' > note.txt
printf 'item,count\napples,3\npears,5\n' > sheet.csv
cat > drawing.svg <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64"><rect x="4" y="4" width="40" height="30" fill="#d04020"/></svg>
SVG
cat > slides.fodp <<'FODP'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:body><office:presentation><draw:page draw:name="page1"><draw:frame svg:x="2cm" svg:y="2cm" svg:width="10cm" svg:height="3cm"><draw:text-box><text:p>Quodra sample slide</text:p></draw:text-box></draw:frame></draw:page></office:presentation></office:body>
</office:document>
FODP
cat > formula.mml <<'MML'
<?xml version="1.0" encoding="UTF-8"?>
<math xmlns="http://www.w3.org/1998/Math/MathML"><mrow><mi>a</mi><mo>+</mo><mi>b</mi></mrow></math>
MML

# lo OUTPUT FILTER INPUT [INFILTER]: one LibreOffice conversion under the stopped clock.
lo()
{
  local output=$1 filter=$2 input=$3 infilter=${4:-}
  local args=(-env:UserInstallation="file://$work/office/profile" --headless)
  [ -n "$infilter" ] && args+=(--infilter="$infilter")
  rm -rf lo_out && mkdir lo_out
  SAL_RAND_REPEATABLE=1 at_fixed_time soffice "${args[@]}" --convert-to "${output##*.}:$filter" --outdir lo_out "$input" >/dev/null 2>&1
  mv lo_out/"${input%.*}.${output##*.}" "$output"
}

# Word 97, Excel 97, text and spreadsheet as LibreOffice lays them out (other writers' are in the main script).
lo word97.doc "MS Word 97" note.txt
put doc_libreoffice doc "LibreOffice (MS Word 97 filter)" word97.doc
lo writer.odt writer8 note.txt
put odt_libreoffice odt "LibreOffice (writer8 filter)" writer.odt
lo calc.ods calc8 sheet.csv
put ods_libreoffice ods "LibreOffice (calc8 filter)" calc.ods
lo excel97.xls "MS Excel 97" sheet.csv
put xls_libreoffice xls "LibreOffice (MS Excel 97 filter)" excel97.xls
lo text_template.ott writer8_template note.txt
put ott_libreoffice ott "LibreOffice (writer8_template filter)" text_template.ott
lo text_web.oth writerweb8_writer_template note.txt "Text (StarWriter/Web)"
put oth_libreoffice oth "LibreOffice Writer/Web (writerweb8_writer_template filter)" text_web.oth
lo master.odm writerglobal8 note.txt "Text (encoded) (StarWriter/GlobalDocument):UTF8"
put odm_libreoffice odm "LibreOffice master document (writerglobal8 filter)" master.odm
lo writer1.sxw writer_web_StarOffice_XML_Writer note.txt "Text (StarWriter/Web)"
put sxw_libreoffice sxw "LibreOffice Writer/Web (StarOffice XML export filter)" writer1.sxw
lo sheet_template.ots calc8_template sheet.csv
put ots_libreoffice ots "LibreOffice (calc8_template filter)" sheet_template.ots
lo drawing.odg draw8 drawing.svg
put odg_libreoffice odg "LibreOffice (draw8 filter)" drawing.odg
lo drawing_template.otg draw8_template drawing.svg
put otg_libreoffice otg "LibreOffice (draw8_template filter)" drawing_template.otg
lo slides.odp impress8 slides.fodp
put odp_libreoffice odp "LibreOffice (impress8 filter)" slides.odp
lo slides_template.otp impress8_template slides.fodp
put otp_libreoffice otp "LibreOffice (impress8_template filter)" slides_template.otp
lo formula.odf math8 formula.mml
put odf_libreoffice odf "LibreOffice (math8 filter)" formula.odf
# The bibliography database LibreOffice ships as its preset.
cp /usr/lib/libreoffice/presets/database/biblio.odb biblio.odb
put odb_libreoffice_biblio odb "libreoffice-common (presets/database/biblio.odb)" biblio.odb

# --- AbiWord's own XML document.
HOME="$work/office/abiword_home" at_fixed_time abiword --to=abw -o note.abw note.txt >/dev/null 2>&1
put abw_abiword abw "abiword --to=abw" note.abw

# --- Krita: an OpenRaster image it exports (under a virtual display; its profile stays in this folder), and
# the smallest of the Krita documents krita-data ships as templates.
convert -size 16x16 gradient:'#d04020-#2050d0' -depth 8 +set date:create +set date:modify \
  -define png:exclude-chunks=date,time layer.png
HOME="$work/office/krita_home" XDG_CONFIG_HOME="$work/office/krita_home" QT_HASH_SEED=0 \
  at_fixed_time xvfb-run -a krita layer.png --export --export-filename layer.ora >/dev/null 2>&1
put ora_krita ora "krita --export (OpenRaster)" layer.ora
cp /usr/share/krita/templates/texture/.source/Texture1k32bitscalar.kra texture.kra
put kra_krita kra "krita-data (templates/texture/.source/Texture1k32bitscalar.kra)" texture.kra

# --- Kinds no Debian tool writes, from the formats' documentation: a ZIP whose first member is the stored
# "mimetype", then the document's XML parts and (OpenDocument, OpenOffice.org) its manifest.
python3 - <<'PY'
import zipfile

FIXED = (2023, 11, 14, 22, 13, 20)


def member(archive, name, data, stored=False):
    info = zipfile.ZipInfo(name, FIXED)
    info.compress_type = zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED
    info.external_attr = 0o644 << 16
    archive.writestr(info, data)


def store(path, mime, parts, manifest=None):
    with zipfile.ZipFile(path, "w") as archive:
        member(archive, "mimetype", mime, stored=True)
        for name, data in parts:
            member(archive, name, data)
        if manifest is not None:
            member(archive, "META-INF/manifest.xml", manifest)


ODF_NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
          'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" '
          'xmlns:chart="urn:oasis:names:tc:opendocument:xmlns:chart:1.0" '
          'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" '
          'xmlns:xlink="http://www.w3.org/1999/xlink" '
          'xmlns:math="http://www.w3.org/1998/Math/MathML"')


def odf_manifest(mime, files):
    entries = "".join(' <manifest:file-entry manifest:full-path="%s" manifest:media-type="%s"/>\n' % f for f in files)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">\n'
            ' <manifest:file-entry manifest:full-path="/" manifest:version="1.2" manifest:media-type="%s"/>\n%s'
            '</manifest:manifest>\n' % (mime, entries))


def odf(path, kind, body, extra=()):
    mime = "application/vnd.oasis.opendocument." + kind
    content = ('<?xml version="1.0" encoding="UTF-8"?>\n<office:document-content %s office:version="1.2">'
               '<office:body>%s</office:body></office:document-content>\n' % (ODF_NS, body))
    files = [("content.xml", "text/xml")] + [(name, media) for name, media, _ in extra]
    store(path, mime, [("content.xml", content)] + [(name, data) for name, _, data in extra], odf_manifest(mime, files))


chart = ('<office:chart><chart:chart chart:class="chart:bar" svg:width="8cm" svg:height="6cm">'
         '<chart:plot-area><chart:series chart:values-cell-range-address="local-table.B2:B3"/></chart:plot-area>'
         '</chart:chart></office:chart>')
odf("chart.odc", "chart", chart)
odf("chart_template.otc", "chart-template", chart)
formula = ('<office:formula><math:math><math:semantics><math:mrow><math:mi>a</math:mi><math:mo>+</math:mo>'
           '<math:mi>b</math:mi></math:mrow><math:annotation math:encoding="StarMath 5.0">a + b</math:annotation>'
           '</math:semantics></math:math></office:formula>')
odf("formula_template.otf", "formula-template", formula)
pixel_png = bytes.fromhex("89504e470d0a1a0a0000000d4948445200000001000000010806000000"
                          "1f15c4890000000d4944415478da63f8cfc0f01f0005000201b9d1a7ba0000000049454e44ae426082")
odf("image.odi", "image",
    '<office:image><draw:frame svg:width="1cm" svg:height="1cm"><draw:image xlink:href="Pictures/pixel.png"/>'
    '</draw:frame></office:image>', [("Pictures/pixel.png", "image/png", pixel_png)])

# OpenOffice.org 1 XML: the same container with the 2000 namespaces; office:class names the application.
OOO_NS = ('xmlns:office="http://openoffice.org/2000/office" xmlns:text="http://openoffice.org/2000/text" '
          'xmlns:table="http://openoffice.org/2000/table" xmlns:draw="http://openoffice.org/2000/drawing" '
          'xmlns:svg="http://www.w3.org/2000/svg" xmlns:math="http://www.w3.org/1998/Math/MathML"')


def ooo(path, kind, office_class, body):
    mime = "application/vnd.sun.xml." + kind
    if office_class == "math":
        content = ('<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE math:math PUBLIC "-//OpenOffice.org//DTD '
                   'Modified W3C MathML 1.01//EN" "math.dtd">\n<math:math %s>%s</math:math>\n' % (OOO_NS, body))
    else:
        content = ('<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE office:document-content PUBLIC '
                   '"-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "office.dtd">\n<office:document-content %s '
                   'office:class="%s" office:version="1.0"><office:body>%s</office:body></office:document-content>\n'
                   % (OOO_NS, office_class, body))
    manifest = ('<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE manifest:manifest PUBLIC "-//OpenOffice.org//DTD '
                'Manifest 1.0//EN" "Manifest.dtd">\n<manifest:manifest xmlns:manifest="http://openoffice.org/2001/manifest">\n'
                ' <manifest:file-entry manifest:media-type="%s" manifest:full-path="/"/>\n'
                ' <manifest:file-entry manifest:media-type="text/xml" manifest:full-path="content.xml"/>\n'
                '</manifest:manifest>\n' % mime)
    store(path, mime, [("content.xml", content)], manifest)


text = '<text:p>Quodra sample document.</text:p>'
table = ('<table:table table:name="Sheet1"><table:table-row><table:table-cell table:value-type="float" '
         'table:value="3"><text:p>3</text:p></table:table-cell></table:table-row></table:table>')
page = ('<draw:page draw:name="page1"><draw:rect svg:x="1cm" svg:y="1cm" svg:width="4cm" svg:height="3cm"/>'
        '</draw:page>')
ooo("writer_template.stw", "writer.template", "text", text)
ooo("writer_global.sxg", "writer.global", "text-global", text)
ooo("calc.sxc", "calc", "spreadsheet", table)
ooo("calc_template.stc", "calc.template", "spreadsheet", table)
ooo("draw.sxd", "draw", "drawing", page)
ooo("draw_template.std", "draw.template", "drawing", page)
ooo("impress.sxi", "impress", "presentation", page)
ooo("impress_template.sti", "impress.template", "presentation", page)
ooo("math.sxm", "math", "math", '<math:mrow><math:mi>a</math:mi><math:mo>+</math:mo><math:mi>b</math:mi></math:mrow>')

# The KOffice store: "mimetype", the document's maindoc.xml and its documentinfo.xml.
def koffice(path, app, doctype, root, body):
    mime = "application/x-" + app
    maindoc = ('<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE %s>\n<%s mime="%s" editor="%s" syntaxVersion="2">'
               '%s</%s>\n' % (doctype, root, mime, app.capitalize(), body, root))
    info = ('<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE document-info>\n<document-info>'
            '<about><title>Quodra sample</title></about></document-info>\n')
    store(path, mime, [("maindoc.xml", maindoc), ("documentinfo.xml", info)])


koffice("kword.kwd", "kword", "DOC", "DOC", '<FRAMESETS><FRAMESET frameType="1" name="Text Frameset 1">'
        '<PARAGRAPH><TEXT>Quodra sample document.</TEXT></PARAGRAPH></FRAMESET></FRAMESETS>')
koffice("kspread.ksp", "kspread", "spreadsheet", "spreadsheet",
        '<map><table name="Sheet1"><cell row="1" column="1"><text>3</text></cell></table></map>')
koffice("kpresenter.kpr", "kpresenter", "DOC", "DOC", '<PAPER format="5" width="680" height="510"/>'
        '<OBJECTS><OBJECT type="4"><ORIG x="30" y="30"/><SIZE width="200" height="40"/></OBJECT></OBJECTS>')
koffice("kchart.chrt", "kchart", "chart", "chart", '<type value="bar"/><data rows="1" cols="2">'
        '<cell value="3" valType="double"/><cell value="5" valType="double"/></data>')
koffice("kformula.kfo", "kformula", "KFORMULA", "KFORMULA", '<FORMULA><SEQUENCE><TEXT CHAR="a"/><TEXT CHAR="+"/>'
        '<TEXT CHAR="b"/></SEQUENCE></FORMULA>')
koffice("kivio.flw", "kivio", "kiviodoc", "kiviodoc", '<KivioPage name="Page1"><KivioLayer name="Layer 1"/></KivioPage>')
koffice("kontour.kon", "kontour", "kontour", "kontour", '<page id="Page 1"><layer><rect x="10" y="10" width="40" '
        'height="30"/></layer></page>')
PY
from_docs="written by this script from the format's documentation"
put odc_chart odc "$from_docs (OpenDocument 1.2)" chart.odc
put otc_chart_template otc "$from_docs (OpenDocument 1.2)" chart_template.otc
put otf_formula_template otf "$from_docs (OpenDocument 1.2)" formula_template.otf
put odi_image odi "$from_docs (OpenDocument 1.2)" image.odi
put stw_writer_template stw "$from_docs (OpenOffice.org XML 1.0)" writer_template.stw
put sxg_writer_global sxg "$from_docs (OpenOffice.org XML 1.0)" writer_global.sxg
put sxc_calc sxc "$from_docs (OpenOffice.org XML 1.0)" calc.sxc
put stc_calc_template stc "$from_docs (OpenOffice.org XML 1.0)" calc_template.stc
put sxd_draw sxd "$from_docs (OpenOffice.org XML 1.0)" draw.sxd
put std_draw_template std "$from_docs (OpenOffice.org XML 1.0)" draw_template.std
put sxi_impress sxi "$from_docs (OpenOffice.org XML 1.0)" impress.sxi
put sti_impress_template sti "$from_docs (OpenOffice.org XML 1.0)" impress_template.sti
put sxm_math sxm "$from_docs (OpenOffice.org XML 1.0)" math.sxm
put kwd_kword kwd,kwt "$from_docs (KOffice store)" kword.kwd
put ksp_kspread ksp "$from_docs (KOffice store)" kspread.ksp
put kpr_kpresenter kpr,kpt "$from_docs (KOffice store)" kpresenter.kpr
put chrt_kchart chrt "$from_docs (KOffice store)" kchart.chrt
put kfo_kformula kfo "$from_docs (KOffice store)" kformula.kfo
put flw_kivio flw "$from_docs (KOffice store)" kivio.flw
put kon_kontour kon "$from_docs (KOffice store)" kontour.kon

# --- A Hangul 5 document: a compound file (512-byte sectors, the small streams in the mini stream) holding the
# FileHeader stream with the signature and version, DocInfo with the document properties, and BodyText/Section0
# with one paragraph, every record uncompressed as the FileHeader's properties say.
python3 - <<'PY'
import struct

FREE, END, FAT_SECTOR = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD


def record(tag, level, data):
    return struct.pack("<I", tag | level << 10 | len(data) << 20) + data


file_header = b"HWP Document File".ljust(32, b"\0") + struct.pack("<II", 0x05000300, 0)
file_header = file_header.ljust(256, b"\0")
# HWPTAG_DOCUMENT_PROPERTIES: section count, start numbers, caret position.
doc_info = record(0x10, 0, struct.pack("<HHHHHHHIII", 1, 1, 1, 1, 1, 1, 1, 0, 0, 0))
text = "Quodra sample document.\r".encode("utf-16-le")
# HWPTAG_PARA_HEADER (character count, control mask, shape ids...) then HWPTAG_PARA_TEXT.
para_header = struct.pack("<IIHBBHHHIH", len(text) // 2, 0, 0, 0, 0, 1, 0, 1, 0, 0)
section = record(0x42, 0, para_header) + record(0x43, 1, text)

# Directory: 0 root, 1 BodyText (storage), 2 DocInfo, 3 FileHeader, 4 Section0; a balanced all-black tree
# under the root (BodyText, with DocInfo left and FileHeader right), Section0 the storage's only child.
streams = {2: doc_info, 3: file_header, 4: section}
mini = b""
starts = {}
for number in sorted(streams):
    starts[number] = len(mini) // 64
    mini += streams[number] + b"\0" * (-len(streams[number]) % 64)
mini_fat = []
for number in sorted(streams):
    count = (len(streams[number]) + 63) // 64
    mini_fat += [starts[number] + i + 1 for i in range(count - 1)] + [END]

# Sectors: 0 FAT, 1-2 directory, 3 mini FAT, 4.. the mini stream.
mini_sectors = (len(mini) + 511) // 512
fat = [FAT_SECTOR, 2, END, END] + [4 + i + 1 for i in range(mini_sectors - 1)] + [END]
fat += [FREE] * (128 - len(fat))


def entry(name, kind, left, right, child, start, size):
    encoded = name.encode("utf-16-le") + b"\0\0" if name else b""
    return (encoded.ljust(64, b"\0") + struct.pack("<HBBIII", len(encoded), kind, 1, left, right, child) +
            b"\0" * 36 + struct.pack("<IQ", start, size))


directory = (entry("Root Entry", 5, FREE, FREE, 1, 4, len(mini)) +
             entry("BodyText", 1, 2, 3, 4, 0, 0) +
             entry("DocInfo", 2, FREE, FREE, FREE, starts[2], len(doc_info)) +
             entry("FileHeader", 2, FREE, FREE, FREE, starts[3], len(file_header)) +
             entry("Section0", 2, FREE, FREE, FREE, starts[4], len(section)))
directory = directory.ljust(1024, b"\0")
for unused in range(5, 8):
    directory = directory[:unused * 128] + entry("", 0, FREE, FREE, FREE, 0, 0) + directory[(unused + 1) * 128:]

header = (b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\0" * 16 + struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6) +
          b"\0" * 10 + struct.pack("<IIIIIIII", 1, 1, 0, 4096, 3, 1, END, 0) + struct.pack("<I", 0))
header = header.ljust(512, b"\xFF")
with open("hangul5.hwp", "wb") as out:
    out.write(header + struct.pack("<128I", *fat) + directory +
              struct.pack("<128I", *(mini_fat + [FREE] * (128 - len(mini_fat)))) + mini.ljust(mini_sectors * 512, b"\0"))
PY
put hwp_hangul5 hwp "$from_docs (Hangul 5, compound file)" hangul5.hwp

# Hangul 3: the signature, the 128-byte document information block (uncompressed body, no extra information
# block) and the 1008-byte summary of nine 56-character fields in the two-byte character set.
python3 - <<'PY'
import struct

signature = b"HWP Document File V3.00 \x1a\x01\x02\x03\x04\x05"
info = bytearray(128)
struct.pack_into("<HH", info, 0, 0, 0)
info[124] = 0
struct.pack_into("<H", info, 126, 0)
fields = ["Quodra sample", "", "Quodra Developers", "2023-11-14", "", "", "", "", ""]
summary = b"".join(struct.pack("<%dH" % len(f), *map(ord, f)).ljust(112, b"\0") for f in fields)
with open("hangul3.hwp", "wb") as out:
    out.write(signature + bytes(info) + summary)
PY
put hwp_hangul3_header hwp "$from_docs (Hangul 3: signature, document information and summary blocks only)" hangul3.hwp

# --- An Access (Jet 4) database's definition page: the signature, the engine version and the header block,
# encrypted with RC4 under the fixed key the format's documentation gives (plain: code page 1252, no password).
python3 - <<'PY'
import struct


def rc4(key, data):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) & 255
        s[i], s[j] = s[j], s[i]
    out, i, j = bytearray(), 0, 0
    for byte in data:
        i = (i + 1) & 255
        j = (j + s[i]) & 255
        s[i], s[j] = s[j], s[i]
        out.append(byte ^ s[(s[i] + s[j]) & 255])
    return bytes(out)


page = bytearray(4096)
page[0:20] = b"\x00\x01\x00\x00Standard Jet DB\x00"
struct.pack_into("<I", page, 0x14, 1)
plain = bytearray(128)
struct.pack_into("<H", plain, 0x3C - 0x18, 1252)
page[0x18:0x18 + 128] = rc4(struct.pack("<I", 0x6B39DAC7), bytes(plain))
with open("jet4.mdb", "wb") as out:
    out.write(bytes(page))
PY
put mdb_jet4_header mdb "$from_docs (Jet 4 database definition page only)" jet4.mdb
