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
const uint32_t KIND_JAR = 0x4131;
const uint32_t KIND_APK = 0x4132;
const uint32_t KIND_OLE = 0x4200;      // a compound file of no more special kind
const uint32_t KIND_DOC = 0x4201;
const uint32_t KIND_XLS = 0x4202;
const uint32_t KIND_PPT = 0x4203;
const uint32_t KIND_MSI = 0x4204;
const uint32_t KIND_MSG = 0x4205;
const uint32_t KIND_WMV = 0x4301;
const uint32_t KIND_WMA = 0x4302;
const uint32_t KIND_EXE = 0x4401;
const uint32_t KIND_DLL = 0x4402;

// The kind code of an open file.
uint32_t judge_container_kind(HANDLE file);
