#include "app/modules/imagecompress/CompressModeTable.h"

#include <cwchar>
#include <iterator>

#include "dui/res.mgr/SAppTranslator.h"

namespace {

struct FormatRow {
    int id;
    const wchar_t* extension;
};

// Rows in table order. The ids missing here (4, 12, 19, 27, 31, 38, 45, 49,
// 54) are gaps the stored settings and the engine's names already rely on.
constexpr FormatRow kRows[] = {
    {0, L"aai"},    {1, L"art"},    {2, L"arw"},    {3, L"avs"},    {5, L"bpg"},    {6, L"bmp"},
    {7, L"brf"},    {8, L"cals"},   {9, L"cin"},    {10, L"crw"},   {11, L"cr2"},   {13, L"cur"},
    {14, L"dcx"},   {15, L"dds"},   {16, L"dib"},   {17, L"dng"},   {18, L"dpx"},   {20, L"exr"},
    {21, L"emf"},   {22, L"fax"},   {23, L"fits"},  {24, L"flif"},  {25, L"gif"},   {26, L"hdr"},
    {28, L"hrz"},   {29, L"heic"},  {30, L"ico"},   {32, L"jpg"},   {33, L"jpeg"},  {34, L"jng"},
    {35, L"jp2"},   {36, L"j2c"},   {37, L"j2k"},   {39, L"mat"},   {40, L"miff"},  {41, L"mng"},
    {42, L"mpc"},   {43, L"mrw"},   {44, L"mtv"},   {46, L"orf"},   {47, L"otb"},   {48, L"pam"},
    {50, L"pbm"},   {51, L"pcd"},   {52, L"pcds"},  {53, L"pcx"},   {55, L"pef"},   {56, L"pes"},
    {57, L"pfa"},   {58, L"pfb"},   {59, L"pgm"},   {60, L"pict"},  {61, L"pix"},   {62, L"png"},
    {63, L"png8"},  {64, L"png24"}, {65, L"png32"}, {66, L"png48"}, {67, L"png64"}, {68, L"pnm"},
    {69, L"ppm"},   {70, L"psb"},   {71, L"psd"},   {72, L"ptif"},  {73, L"pwp"},   {74, L"rla"},
    {75, L"sct"},   {76, L"sgi"},   {77, L"sun"},   {78, L"svg"},   {79, L"tga"},   {80, L"tif"},
    {81, L"tiff"},  {82, L"tim"},   {83, L"vicar"}, {84, L"viff"},  {85, L"wbmp"},  {86, L"webp"},
    {87, L"wmf"},   {88, L"wpg"},   {89, L"xbm"},   {90, L"xcf"},   {91, L"xpm"},
};

// Raw camera files, vector and layered formats the engine can open but not write.
constexpr const wchar_t* kReadOnly[] = {
    L"arw", L"avs", L"bpg", L"cals", L"crw", L"cr2", L"cur", L"dng", L"emf", L"heic", L"ico", L"mrw", L"orf",
    L"pef", L"pes", L"pfa", L"pfb", L"pix", L"pwp", L"rla", L"sct", L"svg", L"tim", L"wmf", L"wpg", L"xcf",
};
constexpr const wchar_t* kWriteOnly[] = {L"brf"};

template <size_t N>
bool Listed(const wchar_t* const (&names)[N], const wchar_t* extension)
{
    for (const wchar_t* name : names)
        if (std::wcscmp(name, extension) == 0) return true;
    return false;
}

ImageFormatInfo MakeRow(const FormatRow& row)
{
    ImageFormatInfo info;
    info.id = row.id;
    info.extension = row.extension;
    info.upperName = row.extension;
    info.upperName.MakeUpper();
    info.readable = Listed(kWriteOnly, row.extension) ? 0 : 1;
    info.writable = Listed(kReadOnly, row.extension) ? 0 : 1;
    return info;
}

} // namespace

CompressModeTable::CompressModeTable()
{
    levelNames[0] = DUI::TranslateText(L"普通压缩", L"text");
    levelNames[1] = L"极限压缩";
    levelNames[2] = L"保证画质";
    modeNames[0] = L"快速压缩";
    modeNames[1] = L"按比例压缩";
    modeNames[2] = L"指定像素(报考专用)";
    modeNames[3] = L"指定大小(报考专用)";
}

CompressModeTable& CompressModeTable::Instance()
{
    // Never freed: workers may still copy rows while the process ends.
    static CompressModeTable* table = new CompressModeTable();
    return *table;
}

const std::vector<ImageFormatInfo>& CompressModeTable::GetFormatTable()
{
    if (formatTable.empty()) {
        formatTable.reserve(std::size(kRows));
        for (const FormatRow& row : kRows) formatTable.push_back(MakeRow(row));
    }
    return formatTable;
}

std::vector<ImageFormatInfo> CompressModeTable::GetWritableFormats()
{
    std::vector<ImageFormatInfo> rows;
    for (const ImageFormatInfo& row : GetFormatTable())
        if (row.writable) rows.push_back(row);
    return rows;
}

std::vector<ImageFormatInfo> CompressModeTable::GetReadableFormats()
{
    std::vector<ImageFormatInfo> rows;
    for (const ImageFormatInfo& row : GetFormatTable())
        if (row.readable) rows.push_back(row);
    return rows;
}

std::map<DUI::SStringW, DUI::SStringW> CompressModeTable::GetReadableFormatMap()
{
    std::map<DUI::SStringW, DUI::SStringW> map;
    for (const ImageFormatInfo& row : GetFormatTable())
        if (row.readable) map[row.extension] = row.extension;
    return map;
}

ImageFormatInfo GetImageFormatInfo(int id)
{
    for (const ImageFormatInfo& row : CompressModeTable::Instance().GetFormatTable())
        if (row.id == id) return row;
    ImageFormatInfo none;
    none.id = kNoFormatId;
    return none;
}
