// What kind of file a container holds, from the container's own directory: the ZIP central directory, the
// OLE2 directory, the ASF stream headers and the PE file header. Every read is bounded by the file's size.
#pragma once
#include <windows.h>
#include <cstdint>

// result_b codes reported by the container judge (result_a is 0).
const uint32_t KIND_UNKNOWN = 1;       // not a container this library knows
const uint32_t KIND_ZIP = 0x4001;      // a ZIP archive of no more special kind
const uint32_t KIND_DOCX = 0x4101;
const uint32_t KIND_XLSX = 0x4102;
const uint32_t KIND_PPTX = 0x4103;
const uint32_t KIND_ODT = 0x4111;
const uint32_t KIND_ODS = 0x4112;
const uint32_t KIND_ODP = 0x4113;
const uint32_t KIND_ODG = 0x4114;
const uint32_t KIND_ODF = 0x4115;
const uint32_t KIND_EPUB = 0x4121;
// OpenDocument's other kinds and templates, named by the "mimetype" member like the five above.
const uint32_t KIND_OTT = 0x4140;
const uint32_t KIND_OTH = 0x4141;
const uint32_t KIND_ODM = 0x4142;
const uint32_t KIND_OTG = 0x4143;
const uint32_t KIND_OTP = 0x4144;
const uint32_t KIND_OTS = 0x4145;
const uint32_t KIND_ODC = 0x4146;
const uint32_t KIND_OTC = 0x4147;
const uint32_t KIND_OTF = 0x4148;
const uint32_t KIND_ODB = 0x4149;
const uint32_t KIND_ODI = 0x414A;
// The OpenOffice.org 1 XML documents, the older form of the same container.
const uint32_t KIND_SXW = 0x4150;
const uint32_t KIND_STW = 0x4151;
const uint32_t KIND_SXG = 0x4152;
const uint32_t KIND_SXC = 0x4153;
const uint32_t KIND_STC = 0x4154;
const uint32_t KIND_SXD = 0x4155;
const uint32_t KIND_STD = 0x4156;
const uint32_t KIND_SXI = 0x4157;
const uint32_t KIND_STI = 0x4158;
const uint32_t KIND_SXM = 0x4159;
// KOffice documents in their ZIP store, and the painting programs' layered images.
const uint32_t KIND_KWD = 0x4160;
const uint32_t KIND_KSP = 0x4161;
const uint32_t KIND_KPR = 0x4162;
const uint32_t KIND_CHRT = 0x4163;
const uint32_t KIND_KFO = 0x4164;
const uint32_t KIND_FLW = 0x4165;
const uint32_t KIND_KON = 0x4166;
const uint32_t KIND_KRA = 0x4168;
const uint32_t KIND_ORA = 0x4170;
const uint32_t KIND_JAR = 0x4131;
const uint32_t KIND_APK = 0x4132;
const uint32_t KIND_OLE = 0x4200;      // a compound file of no more special kind
const uint32_t KIND_DOC = 0x4201;
const uint32_t KIND_XLS = 0x4202;
const uint32_t KIND_PPT = 0x4203;
const uint32_t KIND_MSI = 0x4204;
const uint32_t KIND_MSG = 0x4205;
const uint32_t KIND_HWP = 0x4206;      // Hangul word processor 5
const uint32_t KIND_WMV = 0x4301;
const uint32_t KIND_WMA = 0x4302;
const uint32_t KIND_EXE = 0x4401;
const uint32_t KIND_DLL = 0x4402;

// The kind code of an open file.
uint32_t judge_container_kind(HANDLE file);
