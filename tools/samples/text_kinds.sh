# Text kinds of particular programs: XML dialects (interface designs, launch files, reports, schemas,
# ontologies, translations, news lists), program sources that share an extension (.m, .mo), graphs, queries,
# subtitles, playlists, registry files and the saved files of a few spreadsheet and word programs.
# packages: graphviz txt2tags rasqal-utils qttools5-dev-tools qtchooser dia-shapes gdal-data gnustep-base-common cdrdao ffmpeg sox wine64
# Most are written here from the formats' documentation (their programs are not in Debian) and read back by
# a real reader where Debian has one (ffmpeg for subtitles, dot, roqet, lconvert, txt2tags, cdrdao, Python's
# XML and JSON parsers); graphs, queries and translations are made by the real tools, and the package files
# are copied.
need_tools dot gvgen roqet lupdate lconvert iconv ffmpeg txt2tags cdrdao sox /usr/lib/wine/wine64
mkdir -p "$work/text_kinds"
cd "$work/text_kinds"
# crlf FILE: Windows programs write their texts with CR LF line ends.
crlf() { sed -i 's/$/\r/' "$1"; }
# well_formed FILE...: the XML and JSON written here parse (the part stops otherwise).
well_formed() { /usr/bin/python3 -c 'import sys, json, xml.dom.minidom
for name in sys.argv[1:]:
    json.load(open(name)) if name.endswith(".json") else xml.dom.minidom.parse(name)' "$@"; }
# read_subtitles FORMAT FILE: ffmpeg's reader of that subtitle format turns the file into SubRip.
# (ffmpeg's SAMI reader calls an empty cue a decoding error: only fatal messages are shown.)
read_subtitles() { ffmpeg -hide_banner -loglevel fatal -y -f "$1" -i "$2" -f srt checked.srt && grep -q -- ' --> ' checked.srt; }

# ---- XML dialects, by their root element
cat > glade3.glade <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<!-- Generated with glade 3.40.0 -->
<interface>
  <requires lib="gtk+" version="3.24"/>
  <object class="GtkWindow" id="main_window">
    <property name="can-focus">False</property>
    <property name="title" translatable="yes">Quodra sample</property>
    <property name="default-width">320</property>
    <child>
      <object class="GtkButton" id="close_button">
        <property name="label" translatable="yes">Close</property>
        <property name="visible">True</property>
        <signal name="clicked" handler="on_close_clicked" swapped="no"/>
      </object>
    </child>
  </object>
</interface>
XML
well_formed glade3.glade
# Glade 3 saves GtkBuilder interfaces: the bytes of a .ui file, right under either name.
put glade_gtk3 ui,glade "written by this script from the format's documentation (Glade 3 project)" glade3.glade
cat > libglade.glade <<'XML'
<?xml version="1.0" standalone="no"?> <!--*- mode: xml -*-->
<!DOCTYPE glade-interface SYSTEM "http://glade.gnome.org/glade-2.0.dtd">
<glade-interface>
  <widget class="GtkWindow" id="main_window">
    <property name="visible">True</property>
    <property name="title" translatable="yes">Quodra sample</property>
    <child>
      <widget class="GtkButton" id="close_button">
        <property name="label">gtk-close</property>
        <property name="use_stock">True</property>
        <signal name="clicked" handler="on_close_clicked"/>
      </widget>
    </child>
  </widget>
</glade-interface>
XML
well_formed libglade.glade
put glade_libglade glade "written by this script from the format's documentation (libglade interface)" libglade.glade
cat > gnome.glade <<'XML'
<?xml version="1.0"?>
<glade-interface>
  <requires lib="gnome"/>
  <widget class="GnomeApp" id="app">
    <property name="title">Quodra sample</property>
    <child internal-child="dock">
      <widget class="BonoboDock" id="dock">
        <child>
          <widget class="GtkLabel" id="label">
            <property name="label" translatable="yes">Hello</property>
          </widget>
        </child>
      </widget>
    </child>
  </widget>
</glade-interface>
XML
well_formed gnome.glade
put glade_libglade_gnome glade "written by this script from the format's documentation (libglade interface)" gnome.glade
cat > app.jnlp <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<jnlp spec="1.0+" codebase="https://example.com/quodra/" href="sample.jnlp">
  <information>
    <title>Quodra Sample</title>
    <vendor>Quodra</vendor>
    <offline-allowed/>
  </information>
  <resources>
    <j2se version="1.8+"/>
    <jar href="sample.jar" main="true"/>
  </resources>
  <application-desc main-class="com.example.quodra.Sample">
    <argument>--verbose</argument>
  </application-desc>
</jnlp>
XML
well_formed app.jnlp
put jnlp_application jnlp "written by this script from the format's documentation (Java Web Start)" app.jnlp
cat > applet.jnlp <<'XML'
<jnlp spec="6.0+" codebase="http://example.com/applets" href="clock.jnlp">
    <information>
        <title>Clock applet</title>
        <vendor>Quodra</vendor>
    </information>
    <security>
        <all-permissions/>
    </security>
    <resources>
        <java version="1.6+" href="http://java.sun.com/products/autodl/j2se"/>
        <jar href="clock.jar"/>
    </resources>
    <applet-desc name="Clock" main-class="Clock" width="200" height="200"/>
</jnlp>
XML
well_formed applet.jnlp
put jnlp_applet jnlp "written by this script from the format's documentation (Java Web Start)" applet.jnlp
cat > hardware.spx <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<array>
	<dict>
		<key>_SPCommandLineArguments</key>
		<array>
			<string>/usr/sbin/system_profiler</string>
			<string>-nospawn</string>
			<string>-xml</string>
			<string>SPHardwareDataType</string>
			<string>-detailLevel</string>
			<string>full</string>
		</array>
		<key>_dataType</key>
		<string>SPHardwareDataType</string>
		<key>_detailLevel</key>
		<integer>0</integer>
		<key>_items</key>
		<array>
			<dict>
				<key>_name</key>
				<string>hardware_overview</string>
				<key>cpu_type</key>
				<string>Quad-Core Sample CPU</string>
				<key>machine_model</key>
				<string>Quodra1,1</string>
				<key>physical_memory</key>
				<string>8 GB</string>
			</dict>
		</array>
		<key>_timeStamp</key>
		<date>2023-11-14T22:13:20Z</date>
	</dict>
</array>
</plist>
XML
well_formed hardware.spx
put spx_hardware spx "written by this script from the format's documentation (System Profiler report)" hardware.spx
cp /usr/share/gdal/gdalmdiminfo_output.schema.json gdal.schema.json
put json_schema_gdal json "gdal-data (gdalmdiminfo_output.schema.json)" gdal.schema.json
/usr/bin/python3 - <<'PY'
import json
schema = {
    "$schema": "https://json-schema.org/draft/2020-12/schema",
    "$id": "https://example.com/quodra/sample.schema.json",
    "title": "Sample",
    "type": "object",
    "properties": {
        "name": {"type": "string", "minLength": 1},
        "size": {"type": "integer", "minimum": 0},
        "tags": {"type": "array", "items": {"type": "string"}},
    },
    "required": ["name"],
}
with open("sample.schema.json", "w") as out:
    json.dump(schema, out, indent=2)
    out.write("\n")
PY
well_formed sample.schema.json
put json_schema_2020 json "python3 json (a schema written by this script)" sample.schema.json
cat > window.cpp <<'CPP'
#include <QPushButton>

void label_buttons(QPushButton *open, QPushButton *quit)
{
    open->setText(QObject::tr("Open file"));
    open->setToolTip(QObject::tr("Opens a file from the disk"));
    quit->setText(QObject::tr("Quit"));
}
CPP
QT_SELECT=5 lupdate -silent window.cpp -ts app_ja.ts
put linguist_lupdate ts "lupdate (qttools5-dev-tools)" app_ja.ts
cat > app_de.ts <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <location filename="mainwindow.ui" line="14"/>
        <source>Quodra sample</source>
        <translation>Quodra-Beispiel</translation>
    </message>
    <message numerus="yes">
        <location filename="mainwindow.cpp" line="42"/>
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
</context>
</TS>
XML
well_formed app_de.ts
QT_SELECT=5 lconvert -i app_de.ts -o checked.ts
put linguist_translated ts "written by this script from the format's documentation (Qt Linguist), read back by lconvert" app_de.ts
cat > sample.owx <<'XML'
<?xml version="1.0"?>
<Ontology xmlns="http://www.w3.org/2002/07/owl#"
     xml:base="http://example.com/quodra/sample"
     xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#"
     xmlns:xml="http://www.w3.org/XML/1998/namespace"
     xmlns:xsd="http://www.w3.org/2001/XMLSchema#"
     xmlns:rdfs="http://www.w3.org/2000/01/rdf-schema#"
     ontologyIRI="http://example.com/quodra/sample">
    <Prefix name="owl" IRI="http://www.w3.org/2002/07/owl#"/>
    <Prefix name="rdfs" IRI="http://www.w3.org/2000/01/rdf-schema#"/>
    <Declaration>
        <Class IRI="#Document"/>
    </Declaration>
    <Declaration>
        <Class IRI="#Picture"/>
    </Declaration>
    <SubClassOf>
        <Class IRI="#Picture"/>
        <Class IRI="#Document"/>
    </SubClassOf>
</Ontology>
XML
well_formed sample.owx
put owl_xml_ontology owx "written by this script from the format's documentation (OWL 2 XML syntax)" sample.owx
cat > prefixed.owx <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE owl:Ontology [
  <!ENTITY ex "http://example.com/quodra/files#">
]>
<owl:Ontology xmlns:owl="http://www.w3.org/2002/07/owl#" ontologyIRI="http://example.com/quodra/files">
  <owl:Declaration><owl:Class IRI="&ex;Archive"/></owl:Declaration>
  <owl:Declaration><owl:ObjectProperty IRI="&ex;contains"/></owl:Declaration>
  <owl:ObjectPropertyDomain>
    <owl:ObjectProperty IRI="&ex;contains"/>
    <owl:Class IRI="&ex;Archive"/>
  </owl:ObjectPropertyDomain>
</owl:Ontology>
XML
well_formed prefixed.owx
put owl_xml_prefixed owx "written by this script from the format's documentation (OWL 2 XML syntax)" prefixed.owx
cat > query.mrml <<'XML'
<?xml version="1.0" standalone="no" ?>
<!DOCTYPE mrml SYSTEM "http://www.mrml.net/specification/v1_0/MRML_v10.dtd">
<mrml session-id="1" transaction-id="44">
  <query-step session-id="1" resultsize="10" algorithm-id="adefault">
    <user-relevance-element-list>
      <user-relevance-element image-location="http://example.com/images/sample.jpg" user-relevance="1"/>
    </user-relevance-element-list>
  </query-step>
</mrml>
XML
well_formed query.mrml
put mrml_query mrml,mrl "written by this script from the format's documentation (MRML 1.0)" query.mrml
cat > properties.mrml <<'XML'
<mrml>
  <get-server-properties />
  <get-collections />
</mrml>
XML
well_formed properties.mrml
put mrml_properties mrml,mrl "written by this script from the format's documentation (MRML 1.0)" properties.mrml
cat > sample.nzb <<'XML'
<?xml version="1.0" encoding="iso-8859-1" ?>
<!DOCTYPE nzb PUBLIC "-//newzBin//DTD NZB 1.1//EN" "http://www.newzbin.com/DTD/nzb/nzb-1.1.dtd">
<nzb xmlns="http://www.newzbin.com/DTD/2003/nzb">
 <head>
   <meta type="title">Quodra sample</meta>
 </head>
 <file poster="Quodra &lt;samples@example.com&gt;" date="1700000000" subject="Quodra sample - &quot;sample.txt&quot; yEnc (1/1)">
  <groups>
   <group>alt.binaries.test</group>
  </groups>
  <segments>
   <segment bytes="102400" number="1">sample-1@example.com</segment>
  </segments>
 </file>
</nzb>
XML
well_formed sample.nzb
put nzb_with_head nzb "written by this script from the format's documentation (NZB 1.1)" sample.nzb
cat > parts.nzb <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<nzb xmlns="http://www.newzbin.com/DTD/2003/nzb">
  <file poster="poster@example.com" date="1699999999" subject="archive.part1.rar (1/2)">
    <groups><group>alt.binaries.misc</group></groups>
    <segments>
      <segment bytes="384000" number="1">part1of2.abc@example.com</segment>
      <segment bytes="120310" number="2">part2of2.abc@example.com</segment>
    </segments>
  </file>
</nzb>
XML
well_formed parts.nzb
put nzb_segments nzb "written by this script from the format's documentation (NZB 1.1)" parts.nzb
cp /usr/share/dia/shapes/electronic/variable_linear_part.shape linear.shape
put dia_shape_electronic shape "dia-shapes (electronic/variable_linear_part.shape)" linear.shape
cp /usr/share/dia/shapes/Optics/wave.shape wave.shape
put dia_shape_optics shape "dia-shapes (Optics/wave.shape)" wave.shape
cat > show.smi <<'SMI'
<SAMI>
<HEAD>
<TITLE>Quodra sample</TITLE>
<STYLE TYPE="text/css">
<!--
P { font-family: Arial; font-size: 14pt; color: white; text-align: center; }
.ENUSCC { Name: English; lang: en-US; }
-->
</STYLE>
</HEAD>
<BODY>
<SYNC Start=0><P Class=ENUSCC>Quodra sample subtitle
<SYNC Start=2000><P Class=ENUSCC>&nbsp;
<SYNC Start=2500><P Class=ENUSCC>A second line
</BODY>
</SAMI>
SMI
crlf show.smi
read_subtitles sami show.smi
put sami_captions smi,sami "written by this script from the format's documentation (SAMI), read back by ffmpeg" show.smi
cat > lower.smi <<'SMI'
<!-- captions for the sample clip -->
<sami>
<head>
<style type="text/css"><!--
.KRCC { name: Korean; lang: ko-KR; }
--></style>
</head>
<body>
<sync start=500><p class=KRCC>안녕하세요
<sync start=3000><p class=KRCC>&nbsp;
</body>
</sami>
SMI
read_subtitles sami lower.smi
put sami_lowercase smi,sami "written by this script from the format's documentation (SAMI), read back by ffmpeg" lower.smi

# ---- Texts with a clear first line
cat > paper.lyx <<'LYX'
#LyX 2.3 created this file. For more info see http://www.lyx.org/
\lyxformat 544
\begin_document
\begin_header
\save_transient_properties true
\origin unavailable
\textclass article
\use_default_options true
\maintain_unincluded_children false
\language english
\language_package default
\inputencoding auto
\fontencoding global
\font_roman "default" "default"
\font_sans "default" "default"
\font_default_family default
\graphics default
\papersize default
\use_geometry false
\cite_engine basic
\secnumdepth 3
\tocdepth 3
\paragraph_separation indent
\quotes_style english
\papercolumns 1
\papersides 1
\paperpagestyle default
\tracking_changes false
\output_changes false
\end_header

\begin_body

\begin_layout Title
Quodra sample
\end_layout

\begin_layout Standard
A short paragraph with 
\emph on
one
\emph default
 stressed word.
\end_layout

\end_body
\end_document
LYX
put lyx_article lyx "written by this script from the format's documentation (LyX 2.3)" paper.lyx
cat > notes.lyx <<'LYX'
#LyX 2.1 created this file. For more info see http://www.lyx.org/
\lyxformat 474
\begin_document
\begin_header
\textclass scrartcl
\language ngerman
\inputencoding utf8
\papersize a4paper
\end_header

\begin_body

\begin_layout Section
Notizen
\end_layout

\begin_layout Itemize
Erster Punkt
\end_layout

\begin_layout Itemize
Zweiter Punkt
\end_layout

\end_body
\end_document
LYX
put lyx_sections lyx "written by this script from the format's documentation (LyX 2.1)" notes.lyx
cat > settings.reg <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Quodra\Sample]
"Name"="Quodra sample"
"Count"=dword:00000003

[HKEY_CURRENT_USER\Software\Quodra\Sample\Window]
"Left"=dword:00000064
"Top"=dword:00000032
REG
crlf settings.reg
put reg_regedit4 reg "written by this script from the format's documentation (REGEDIT4)" settings.reg
# Wine's regedit imports the REGEDIT4 file and exports its keys again, as version 5 in UTF-16.
(
  export WINEPREFIX="$work/text_kinds/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  /usr/lib/wine/wine64 regedit /S settings.reg >/dev/null 2>&1
  /usr/lib/wine/wine64 regedit /E exported.reg 'HKEY_CURRENT_USER\Software\Quodra' >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
)
put reg_wine_export reg "regedit /E (Wine), of the REGEDIT4 file above" exported.reg
cat > unicode.txt <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\Quodra]
"InstallPath"="C:\\Program Files\\Quodra"
"Language"="ja"
"Data"=hex:01,02,03,04

[-HKEY_CURRENT_USER\Software\Quodra\Old]
REG
crlf unicode.txt
{ printf '\377\376'; iconv -f UTF-8 -t UTF-16LE unicode.txt; } > unicode.reg
put reg_version5_utf16 reg "iconv -t UTF-16LE of a text written by this script (regedit version 5)" unicode.reg
cat > video.gvp <<'GVP'
#.download.the.free.Google.Video.Player.from.http://video.google.com/
gvp_version:1.1
url:http://vp.video.google.com/videodownload?version=0&secureurl=sample&docid=1234567890
docid:1234567890
duration:62000
title:Quodra sample video
description:A short clip for the sample set.
GVP
put gvp_pointer gvp "written by this script from the format's documentation (Google Video pointer)" video.gvp
cat > spaced.gvp <<'GVP'
# download the free Google Video Player from http://video.google.com/
gvp_version:1.1
url:http://vp.video.google.com/videodownload?version=0&docid=987654321
docid:987654321
duration:3600000
title:Lecture
GVP
put gvp_spaced gvp "written by this script from the format's documentation (Google Video pointer)" spaced.gvp
cat > tune.mup <<'MUP'
//!Mup-Arkkra-6.8
// A short tune for the sample set.
header
	title bold (18) "Quodra Sample"
score
	time=4/4
	key=1#
	staffs=1
music
1: 4c;d;e;f;
bar
1: 2g;g;
bar
1: 4a;a;a;a;
bar
1: 1g;
endbar
MUP
put mup_tune mup,not "written by this script from the format's documentation (Mup)" tune.mup
cat > window.fl <<'FL'
# data file for the Fltk User Interface Designer (fluid)
version 1.0308
header_name {.h}
code_name {.cxx}
Function {make_window()} {open
} {
  Fl_Window main_window {
    label {Quodra sample} open
    xywh {100 100 320 180} type Double visible
  } {
    Fl_Button {} {
      label Close
      callback {exit(0);}
      xywh {120 130 80 25}
    }
  }
}
FL
put fluid_window fl "written by this script from the format's documentation (FLUID)" window.fl
cat > clips.m4u <<'M4U'
#EXTM4U
#EXTINF:62,Quodra sample clip
http://example.com/media/clip1.mp4
#EXTINF:-1,Quodra live
rtsp://example.com/live/stream.sdp
M4U
put m4u_playlist m4u,m1u,mxu "written by this script from the format's documentation (MPEG URL list)" clips.m4u
cat > files.mxu <<'M4U'
#EXTM4U
http://example.com/video/first.mxu
http://example.com/video/second.mxu
M4U
put mxu_list mxu,m4u,m1u "written by this script from the format's documentation (MPEG URL list)" files.mxu
cat > display.ccmx <<'CCMX'
CCMX   

DESCRIPTOR "Quodra sample display correction"
KEYWORD "INSTRUMENT"
INSTRUMENT "i1 DisplayPro, ColorMunki Display"
KEYWORD "DISPLAY"
DISPLAY "Sample LCD"
KEYWORD "REFERENCE"
REFERENCE "Spectrometer"
ORIGINATOR "ccxxmake"
CREATED "Tue Nov 14 22:13:20 2023"
KEYWORD "COLOR_REP"
COLOR_REP "XYZ"

NUMBER_OF_FIELDS 3
BEGIN_DATA_FORMAT
XYZ_X XYZ_Y XYZ_Z
END_DATA_FORMAT

NUMBER_OF_SETS 3
BEGIN_DATA
1.01230 0.01230 -0.00450
0.00870 0.99870 0.00120
-0.00230 0.01010 1.02130
END_DATA
CCMX
put ccmx_matrix ccmx "written by this script from the format's documentation (Argyll CGATS matrix)" display.ccmx
cat > letter.602 <<'T602'
@CT 0
@LH 6
@PL 60
@LM 1
@RM 70
@PN 1
@PO 0
Quodra sample document.
A second line of text.
T602
crlf letter.602
put t602_letter 602 "written by this script from the format's documentation (T602)" letter.602
cat > latin2.602 <<'T602'
@CT 1
@PL 66
@RM 60
@HE Quodra
Prvni radek dokumentu.
Druhy radek.
T602
crlf latin2.602
put t602_latin2 602 "written by this script from the format's documentation (T602)" latin2.602
cat > table.qti <<'QTI'
QtiPlot 0.9.8 project file
<scripting-lang>	muParser
<windows>	1
<table>
Table1	3	2	14.11.2023 22:13:20
geometry	0	0	400	300	active
header	1[X]	2[Y]
ColWidth	100	100
<com>
</com>
ColType	0;0/13	0;0/13
ReadOnlyColumn	0	0
HiddenColumn	0	0
Comments		
WindowLabel		2
<data>
0	1	1
1	2	4
2	3	9
</data>
</table>
<open>1</open>
QTI
put qtiplot_table qti "written by this script from the format's documentation (QtiPlot project)" table.qti
cat > grid.pysu <<'PYS'
[Pyspread save file version]
2.0
[shape]
1000	100	3
[grid]
0	0	0	'Quodra sample'
1	0	0	1
2	0	0	2
3	0	0	S[1, 0, 0] + S[2, 0, 0]
[attributes]
[]	[]	[]	[]	[(0, 0)]	0	'textfont'	'Sans'
[row_heights]
0	0	30.0
[col_widths]
0	0	150.0
[macros]
PYS
put pyspread_grid pysu "written by this script from the format's documentation (pyspread)" grid.pysu
cat > budget.as <<'AS'
*BEGIN SPREADSHEETS VERSION=442/430 ENCODING=7BIT
Num ExtenBlocks 1
Document Type=Spreadsheet
Version=442
Sheet Name=A
A:A1: 'Quodra sample
A:A2: 12
A:A3: 30
A:A4: =SUM(A2:A3)
*END SPREADSHEETS
AS
put applix_spreadsheet as "written by this script from the format's documentation (Applixware Spreadsheets)" budget.as
cat > memo.aw <<'AW'
*BEGIN WORDS VERSION=430/320 ENCODING=7BIT
<Applix Words>
<start_styles>
<Normal >
<end_styles>
<start_flow>
<T "Quodra sample memo">
<P "Normal">
<T "A short paragraph of the memo.">
<P "Normal">
<end_flow>
*END WORDS
AW
put applix_words aw "written by this script from the format's documentation (Applixware Words)" memo.aw
cat > chart.ag <<'AG'
*BEGIN GRAPHICS VERSION=430/420 ENCODING=7BIT
*DRAWING ENCODING
Graphics page 8.5 11 inches
RECT 1.0 1.0 3.0 2.0 LINE 0 0 0 FILL 255 255 0
TEXT 1.2 1.5 "Quodra sample"
*END GRAPHICS
AG
put applix_graphics ag "written by this script from the format's documentation (Applixware Graphics)" chart.ag
cat > sheet.oleo <<'OLEO'
# This file was written by GNU Oleo
# format 2.1 (requires Oleo 1.99.9 or higher)
F;DGFL8
O;auto;background;noa0;ticks 1
C;c1r1;K"Quodra sample"
C;c1r2;K12
C;c1r3;K30
C;c1r4;K42;Esum(r2:3c1)
W;N1;A1 20
E
OLEO
put oleo_sheet oleo "written by this script from the format's documentation (GNU Oleo)" sheet.oleo
cat > office.nsc <<'NSC'
[Address]
Name=Quodra sample channel
IP Address=239.192.10.10
IP Port=5000
Time To Live=5
NSC Format Version=3.0
Default Buffer Size=3
Unicast URL=mms://media.example.com/sample
Channel Description=A channel of the sample set
Contact Address=samples@example.com
[Formats]
Format1=0161010001000000440ac00000000000
NSC
crlf office.nsc
put nsc_channel nsc "written by this script from the format's documentation (NetShow channel)" office.nsc

cat > software.spx <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">
<array>
	<dict>
		<key>_SPCommandLineArguments</key>
		<array>
			<string>/usr/sbin/system_profiler</string>
			<string>-nospawn</string>
			<string>-xml</string>
			<string>SPSoftwareDataType</string>
			<string>-detailLevel</string>
			<string>mini</string>
		</array>
		<key>_dataType</key>
		<string>SPSoftwareDataType</string>
		<key>_items</key>
		<array>
			<dict>
				<key>_name</key>
				<string>os_overview</string>
				<key>kernel_version</key>
				<string>Darwin 23.1.0</string>
				<key>os_version</key>
				<string>macOS 14.1</string>
			</dict>
		</array>
	</dict>
</array>
</plist>
XML
well_formed software.spx
put spx_software spx "written by this script from the format's documentation (System Profiler report)" software.spx
cat > duet.mup <<'MUP'
//!Mup-Arkkra-7.0
score
	staffs=2
	vscheme=1
staff 2
	clef=bass
music
1: 8c;d;e;f;g;a;b;c+;
2: 2c;g-;
bar
1: 1c+;
2: 1c;
endbar
MUP
put mup_two_staffs mup,not "written by this script from the format's documentation (Mup)" duet.mup
cat > dialog.fl <<'FL'
# data file for the Fltk User Interface Designer (fluid)
version 1.0400
header_name {.h}
code_name {.cxx}
decl {\#include <FL/fl_ask.H>} {public global
}

class SettingsDialog {open
} {
  Function {SettingsDialog()} {open
  } {
    Fl_Window window {
      label Settings open
      xywh {200 200 300 120} type Double modal visible
    } {
      Fl_Input name_input {
        label {Name:}
        xywh {70 15 210 25}
      }
      Fl_Return_Button ok_button {
        label OK
        callback {window->hide();}
        xywh {200 80 80 25}
      }
    }
  }
}
FL
put fluid_dialog_class fl "written by this script from the format's documentation (FLUID)" dialog.fl
cat > graph.qti <<'QTI'
QtiPlot 0.9.7.14 project file
<scripting-lang>	Python
<windows>	2
<table>
Table1	2	2	14.11.2023 22:13:20
geometry	0	0	300	200
header	A[X]	B[Y]
ColWidth	100	100
<com>
</com>
ColType	0;0/13	0;0/13
ReadOnlyColumn	0	0
HiddenColumn	0	0
Comments		
WindowLabel		2
<data>
0	1	2
1	2	3
</data>
</table>
<note>
Note1	14.11.2023 22:13:20
geometry	310	0	200	150
WindowLabel		2
<content>
Measured on the sample bench.
</content>
</note>
<open>1</open>
QTI
put qtiplot_with_note qti "written by this script from the format's documentation (QtiPlot project)" graph.qti
cat > old.pysu <<'PYS'
[Pyspread save file version]
1.0
[shape]
100	10	1
[grid]
0	0	0	"Name"
0	1	0	"Size"
1	0	0	"sample.txt"
1	1	0	1024
[attributes]
[row_heights]
[col_widths]
[macros]
PYS
put pyspread_version1 pysu "written by this script from the format's documentation (pyspread)" old.pysu
cat > projector.ccmx <<'CCMX'
CCMX   

DESCRIPTOR "Projector correction made with a spectrometer"
KEYWORD "INSTRUMENT"
INSTRUMENT "ColorMunki Smile"
KEYWORD "DISPLAY"
DISPLAY "Sample projector"
KEYWORD "TECHNOLOGY"
TECHNOLOGY "DLP Projector"
ORIGINATOR "Argyll ccxxmake"
CREATED "Wed Nov 15 09:00:00 2023"
KEYWORD "DISPLAY_TYPE_REFRESH"
DISPLAY_TYPE_REFRESH "YES"
KEYWORD "COLOR_REP"
COLOR_REP "XYZ"

NUMBER_OF_FIELDS 3
BEGIN_DATA_FORMAT
XYZ_X XYZ_Y XYZ_Z
END_DATA_FORMAT

NUMBER_OF_SETS 3
BEGIN_DATA
0.982100 -0.021400 0.010200
0.014300 1.004500 -0.003100
0.001200 0.020100 0.961800
END_DATA
CCMX
put ccmx_projector ccmx "written by this script from the format's documentation (Argyll CGATS matrix)" projector.ccmx
cat > report.aw <<'AW'
*BEGIN WORDS VERSION=442/430 ENCODING=7BIT
<Applix Words>
<Globals
 Fonts: "Helvetica"
>
<start_styles>
<Normal >
<Heading 1 bold size:16>
<end_styles>
<start_flow>
<P "Heading 1">
<T "Quarterly report">
<P "Normal">
<T "Sales rose in every region.">
<end_flow>
*END WORDS
AW
put applix_words_styles aw "written by this script from the format's documentation (Applixware Words)" report.aw
# FlashForge's printer files: a 58-byte header ("xgcode 1.0", the places of the thumbnail and of the G-code,
# print time, filament and temperatures, little-endian), an 80x60 BMP thumbnail, then the G-code text.
/usr/bin/python3 - <<'PY'
import struct
width, height = 80, 60
row = bytearray()
for x in range(width):
    row += bytes((200 - x, 80 + x, 40))
pixels = bytes(row) * height
bmp = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
bmp += struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0) + pixels
gcode = b"".join(line + b"\r\n" for line in [
    b";generated by the sample script", b";machine_type: Finder", b"M118 X10.00 Y10.00 Z1.00 T0",
    b"M140 S0 T0", b"M104 S200 T0", b"G90", b"G28", b"G1 Z0.3 F420", b"G1 X10 Y10 E2.5 F1200", b"M107",
    b"M104 S0 T0", b"G28 X Y", b"M132 X Y A B", b"M652", b"G91", b"M18"])
bitmap_start = 58
gcode_start = bitmap_start + len(bmp)
header = b"xgcode 1.0\n\0" + struct.pack("<IIII", 0, bitmap_start, gcode_start, gcode_start)
header += struct.pack("<III", 125, 310, 0)                        # seconds, filament used (mm)
header += struct.pack("<8H", 11, 200, 0, 2, 60, 0, 200, 0)          # extruders, layer, shells, speed, temperatures
header += struct.pack("<BB", 1, 1)                                  # materials
assert len(header) == bitmap_start
with open("print.gx", "wb") as out:
    out.write(header + bmp + gcode)
PY
put gx_flashforge gx "python3 struct, written by this script from the format's documentation (xgcode 1.0)" print.gx

# ---- Texts told by their lines
cat > office.pcf <<'PCF'
[main]
Description=Quodra sample office
Host=vpn.example.com
AuthType=1
GroupName=quodra
GroupPwd=
enc_GroupPwd=
EnableISPConnect=0
ISPConnectType=0
ISPConnect=
ISPCommand=
Username=sample
SaveUserPassword=0
UserPassword=
enc_UserPassword=
NTDomain=
EnableBackup=0
BackupServer=
EnableMSLogon=1
MSLogonType=0
EnableNat=1
TunnelingMode=0
TcpTunnelingPort=10000
CertStore=0
CertName=
CertPath=
CertSubjectName=
CertSerialHash=00000000000000000000000000000000
SendCertChain=0
PeerTimeout=90
EnableLocalLAN=0
PCF
crlf office.pcf
put pcf_group_auth pcf "written by this script from the format's documentation (VPN client profile)" office.pcf
cat > locked.pcf <<'PCF'
[main]
!Description=Branch office
!Host=192.0.2.10
!AuthType=5
!EnableLocalLAN=1
TunnelingMode=1
PCF
crlf locked.pcf
put pcf_locked pcf "written by this script from the format's documentation (VPN client profile)" locked.pcf
cp /usr/share/doc/txt2tags/examples/sample.t2t package.t2t
put txt2tags_package t2t "txt2tags (examples/sample.t2t)" package.t2t
cat > notes.t2t <<'T2T'
Quodra sample notes
The Quodra team
%%mtime(%Y-%m-%d)

%!target: html
%!encoding: UTF-8
%!options: --toc

= Introduction =

This is **bold** and //italic// text.

- one
- two


== Details ==

| cell | cell |
T2T
txt2tags -q -t html -o checked.html notes.t2t
put txt2tags_notes t2t "written by this script from the format's documentation (txt2tags), read back by txt2tags" notes.t2t
cat > main.qml <<'QML'
import QtQuick 2.15
import QtQuick.Window 2.15

Window {
    width: 320
    height: 180
    visible: true
    title: qsTr("Quodra sample")

    Rectangle {
        id: panel
        anchors.fill: parent
        color: "steelblue"

        Text {
            anchors.centerIn: parent
            text: "Hello"
            font.pixelSize: 24
        }
    }
}
QML
put qml_window qml "written by this script from the format's documentation (QML)" main.qml
cat > Button.qml <<'QML'
// A button of the sample's own style.
import QtQuick 2.12
import QtQuick.Controls 2.12 as Controls

Controls.Button {
    id: control
    property color accent: "#2050d0"
    signal confirmed()

    onClicked: control.confirmed()
    background: Rectangle {
        radius: 4
        color: control.down ? Qt.darker(control.accent) : control.accent
    }
}
QML
put qml_component qml "written by this script from the format's documentation (QML)" Button.qml
cat > build.gv <<'GV'
digraph build {
  rankdir=LR;
  source -> object -> program;
  header -> object;
  library -> program [style=dashed];
}
GV
dot -Tcanon build.gv > canon.gv
put graphviz_dot_canon gv,dot "dot -Tcanon (graphviz)" canon.gv
gvgen -t 3 > tree.gv
put graphviz_gvgen_tree gv,dot "gvgen -t 3 (graphviz)" tree.gv
cat > network.dot <<'GV'
/* Links between the sample hosts. */
// drawn with neato
strict graph network
{
  node [shape=box];
  gateway -- server1;
  gateway -- server2;
  server1 -- server2 [color=red];
}
GV
dot -Tcanon network.dot > /dev/null
put graphviz_strict_graph gv,dot "written by this script from the format's documentation (DOT language), read back by dot" network.dot
cat > people.rq <<'RQ'
PREFIX foaf: <http://xmlns.com/foaf/0.1/>
SELECT ?name ?mbox WHERE { ?x foaf:name ?name . OPTIONAL { ?x foaf:mbox ?mbox } } ORDER BY ?name LIMIT 10
RQ
roqet -i sparql -n -d sparql people.rq http://example.org/queries/ 2>/dev/null > people.qs
put sparql_roqet qs,rq "roqet -d sparql (rasqal-utils)" people.qs
cat > titles.qs <<'RQ'
# Titles of the documents, in English.
PREFIX dc: <http://purl.org/dc/elements/1.1/>
PREFIX rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#>

SELECT DISTINCT ?title
WHERE
{
  ?doc rdf:type <http://example.com/Document> ;
       dc:title ?title .
  FILTER (lang(?title) = "en")
}
ORDER BY ?title
RQ
roqet -q -n -i sparql titles.qs > /dev/null
put sparql_titles qs,rq "written by this script from the format's documentation (SPARQL 1.1), read back by roqet" titles.qs
cat > album.toc <<'TOC'
CD_DA

// Track 1
TRACK AUDIO
NO COPY
NO PRE_EMPHASIS
TWO_CHANNEL_AUDIO
FILE "track01.wav" 0 00:04:00

// Track 2
TRACK AUDIO
TWO_CHANNEL_AUDIO
PREGAP 00:02:00
FILE "track02.wav" 0 00:03:00
TOC
# cdrdao reads a table of contents only beside the audio and data files it names.
sox -n -r 44100 -c 2 -b 16 track01.wav trim 0 4
sox -n -r 44100 -c 2 -b 16 track02.wav trim 0 3
cdrdao show-toc album.toc > /dev/null 2>&1
put cdrdao_toc_audio toc "written by this script from the format's documentation (cdrdao table of contents), read back by cdrdao show-toc" album.toc
cat > text.toc <<'TOC'
CD_DA

CD_TEXT {
  LANGUAGE_MAP {
    0 : EN
  }
  LANGUAGE 0 {
    TITLE "Quodra Sample"
    PERFORMER "Quodra"
  }
}

TRACK AUDIO
CD_TEXT {
  LANGUAGE 0 {
    TITLE "First"
  }
}
FILE "data.bin" 0 00:30:00
TOC
head -c 352800 /dev/zero > data.bin
cdrdao show-toc text.toc > /dev/null 2>&1
put cdrdao_toc_cd_text toc "written by this script from the format's documentation (cdrdao table of contents), read back by cdrdao show-toc" text.toc

# ---- Subtitles
printf '{25}{75}Quodra sample subtitle\r\n{100}{162}A second one\r\n{175}{}The end\r\n' > microdvd.sub
read_subtitles microdvd microdvd.sub
put microdvd_lines sub "written by this script from the format's documentation (MicroDVD), read back by ffmpeg" microdvd.sub
printf '{1}{1}23.976\n{24}{72}Quodra sample subtitle|on two lines\n{96}{150}{y:i}A second one\n' > framed.sub
read_subtitles microdvd framed.sub
put microdvd_frame_rate sub "written by this script from the format's documentation (MicroDVD), read back by ffmpeg" framed.sub
printf '[10][30]Quodra sample subtitle\n[40][65]/A second one|on two lines\n[70][90]The end\n' > lines.mpl
read_subtitles mpl2 lines.mpl
put mpl2_lines mpl "written by this script from the format's documentation (MPL2), read back by ffmpeg" lines.mpl
printf '[0][25]First\n[30][52]Second\n' > short.mpl
read_subtitles mpl2 short.mpl
put mpl2_short mpl "written by this script from the format's documentation (MPL2), read back by ffmpeg" short.mpl
cat > timed.sub <<'SUB'
TITLE=Quodra sample
AUTHOR=Quodra
FORMAT=TIME
NOTE=Made for the sample set

1 2.5
Quodra sample subtitle

1.5 3
A second one
on two lines
SUB
read_subtitles mpsub timed.sub
put mpsub_time sub "written by this script from the format's documentation (MPSub), read back by ffmpeg" timed.sub
cat > frames.sub <<'SUB'
FORMAT=25

0 50
First subtitle

25 75
Second subtitle
SUB
read_subtitles mpsub frames.sub
put mpsub_frames sub "written by this script from the format's documentation (MPSub), read back by ffmpeg" frames.sub
cat > info.sub <<'SUB'
[INFORMATION]
[TITLE]Quodra sample
[AUTHOR]Quodra
[SOURCE]
[PRG]
[FILEPATH]
[DELAY]0
[CD TRACK]0
[COMMENT]
[END INFORMATION]
[SUBTITLE]
[COLF]&HFFFFFF,[STYLE]bd,[SIZE]18,[FONT]Arial
00:00:01.00,00:00:03.50
Quodra sample subtitle[br]on two lines

00:00:04.00,00:00:06.00
A second one
SUB
crlf info.sub
read_subtitles subviewer info.sub
put subviewer_information sub "written by this script from the format's documentation (SubViewer 2.0), read back by ffmpeg" info.sub
cat > plain.sub <<'SUB'
00:00:01.00,00:00:03.50
Quodra sample subtitle

00:00:04.00,00:00:06.00
A second one

00:00:07.20,00:00:09.00
The end
SUB
read_subtitles subviewer plain.sub
put subviewer_timings sub "written by this script from the format's documentation (SubViewer), read back by ffmpeg" plain.sub

# ---- Program sources that share the extension .m (MATLAB, Objective-C) and .mo (Modelica)
cat > summarize.m <<'M'
function [total, average] = summarize(values)
% SUMMARIZE  Total and average of a vector.
%   [T, A] = SUMMARIZE(V) returns the sum and the mean of V.
if nargin < 1 || isempty(values)
    error('summarize:empty', 'No values given');
end
total = 0;
for k = 1:numel(values)
    total = total + values(k);
end
average = total / numel(values);
end
M
put matlab_function m "written by this script from the format's documentation (MATLAB function)" summarize.m
cat > wave.m <<'M'
% Plot of a damped wave for the sample set.
clear all; close all; clc
t = linspace(0, 10, 200);
y = exp(-0.3 * t) .* sin(2 * pi * t);
figure;
plot(t, y, 'b-');
xlabel('time (s)');
ylabel('amplitude');
title('Damped wave');
peak = max(abs(y));
fprintf('Peak amplitude: %.3f\n', peak);
disp(size(y));
M
put matlab_script m "written by this script from the format's documentation (MATLAB script)" wave.m
cat > greeter.m <<'M'
#import <Foundation/Foundation.h>

@interface Greeter : NSObject
@property (nonatomic, copy) NSString *name;
- (NSString *)greeting;
@end

@implementation Greeter
- (NSString *)greeting
{
    return [NSString stringWithFormat:@"Hello, %@", self.name];
}
@end

int main(int argc, const char *argv[])
{
    @autoreleasepool {
        Greeter *greeter = [[Greeter alloc] init];
        greeter.name = @"Quodra";
        NSLog(@"%@", [greeter greeting]);
    }
    return 0;
}
M
put objc_program m "written by this script from the format's documentation (Objective-C)" greeter.m
cat > view.m <<'M'
//  QSampleView.m
//  A view that fills itself with one colour.

#import "QSampleView.h"

@implementation QSampleView

- (instancetype)initWithFrame:(NSRect)frame
{
    self = [super initWithFrame:frame];
    if (self) {
        _color = [NSColor blueColor];
    }
    return self;
}

- (void)drawRect:(NSRect)dirtyRect
{
    [super drawRect:dirtyRect];
    [self.color setFill];
    NSRectFill(dirtyRect);
}

+ (BOOL)requiresConstraintBasedLayout
{
    return YES;
}

@end
M
put objc_view m "written by this script from the format's documentation (Objective-C)" view.m
cp "$(ls /usr/share/GNUstep/Libraries/gnustep-base/Versions/*/Resources/NSTimeZones/create-abbrevs.m | head -1)" \
  abbrevs.m
put objc_gnustep_tool m "gnustep-base-common (NSTimeZones/create-abbrevs.m)" abbrevs.m
cat > ball.mo <<'MO'
within Quodra.Examples;
model BouncingBall "A ball bouncing on the floor"
  parameter Real e = 0.7 "coefficient of restitution";
  parameter Real g = 9.81 "gravity acceleration";
  Real h(start = 1, fixed = true) "height of the ball";
  Real v(fixed = true) "velocity of the ball";
equation
  der(h) = v;
  der(v) = -g;
  when h <= 0 then
    reinit(v, -e * pre(v));
  end when;
  annotation(experiment(StopTime = 5));
end BouncingBall;
MO
put modelica_model mo "written by this script from the format's documentation (Modelica)" ball.mo
cat > circuits.mo <<'MO'
package Circuits "Simple electrical components"
  connector Pin
    Real v;
    flow Real i;
  end Pin;

  partial model OnePort
    Pin p, n;
    Real v;
    Real i;
  equation
    v = p.v - n.v;
    0 = p.i + n.i;
    i = p.i;
  end OnePort;

  model Resistor
    extends OnePort;
    parameter Real R(unit = "Ohm") = 100;
  equation
    v = R * i;
  end Resistor;
end Circuits;
MO
put modelica_package mo "written by this script from the format's documentation (Modelica)" circuits.mo
cd "$work"
