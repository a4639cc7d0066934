// Every test picture read and written in every format the library writes,
// the outputs decoded by Pillow on the host and compared with their sources:
// exactly where the output is lossless, above a PSNR floor where it is not.
#include "tests/components/PelmoraImageConvert2022/ConverterHandle.h"
#include "tests/components/PelmoraImageConvert2022/Fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

using pelmoratest::ConverterHandle;
using pelmoratest::Fixtures;
using pelmoratest::Utf8;

struct Output {
    const char* format;
    const char* extension;
    int quality;
    const char* rule;   // how check_outputs.py compares it
};

const Output kOutputs[] = {
    {"JPG", "jpg", 90, "like:JPEG:90"}, {"JPEG", "jpeg", 90, "like:JPEG:90"},  {"PNG", "png", 100, "exact"},
    {"PNG", "png", 50, "psnr:26"},     {"PNG8", "png", 100, "psnr:26"},  {"PNG24", "png", 100, "exact"},
    {"PNG32", "png", 100, "exact"},    {"PNG48", "png", 100, "near"},    {"PNG64", "png", 100, "near"},
    {"BMP", "bmp", 100, "exact"},      {"GIF", "gif", 100, "binary-alpha:26"},
    {"TIF", "tif", 100, "exact"},      {"TIFF", "tiff", 100, "exact"},   {"WEBP", "webp", 90, "like:WEBP:90"},
};

// Sources whose pixels two decoders may round differently: lossless outputs
// are held to a high floor against them instead of exact equality.
bool LossySource(const std::string& name)
{
    return name.ends_with(".jpg") || name == "lossy.webp" || name == "jpeg.tif" || name.starts_with("cmyk");
}

std::string Rule(const Output& out, const std::string& source)
{
    if (std::string(out.rule) == "exact" && LossySource(source)) return "psnr:40";
    return out.rule;
}

TEST(PelmoraRoundTrip, EveryPictureConvertsToEveryWritableFormat)
{
    const Fixtures& fixtures = Fixtures::Get();
    ASSERT_GE(fixtures.List().size(), 40u) << fixtures.Error();
    std::ofstream listing(std::filesystem::path(fixtures.Folder().File(L"outputs.txt")), std::ios::binary);
    std::map<std::string, std::string> sourceOf;
    for (const auto& fixture : fixtures.List()) {
        SCOPED_TRACE(fixture.name);
        std::string source = Utf8(fixtures.Path(fixture.name));
        ConverterHandle info;
        ImageEngineInfo header{};
        EXPECT_TRUE(info->GetFileInfo(&header, source.c_str(), 0, 0)) << info.Error();
        EXPECT_EQ(header.width, fixture.width);
        EXPECT_EQ(header.height, fixture.height);
        for (const Output& out : kOutputs) {
            SCOPED_TRACE(out.format);
            std::string name = fixture.name + "_" + out.format + "_" + std::to_string(out.quality) + "." + out.extension;
            ConverterHandle converter;
            ASSERT_TRUE(converter->Load(source.c_str())) << converter.Error();
            ASSERT_TRUE(converter->PrepareImage(0)) << converter.Error();
            ASSERT_TRUE(converter->SetOutputFormat(out.format)) << converter.Error();
            ASSERT_TRUE(converter->SetEncoding(out.quality, out.format, 0)) << converter.Error();
            ASSERT_TRUE(converter->Save(Utf8(fixtures.Path(name)).c_str())) << converter.Error();
            listing << fixture.name << ' ' << name << ' ' << Rule(out, fixture.name) << '\n';
            sourceOf[name] = fixture.name;
        }
    }
    listing.close();
    std::wstring folder = fixtures.Folder().Folder();
    pelmoratest::ScriptRun run = pelmoratest::RunHostPython(L"check_outputs.py", {folder.substr(0, folder.size() - 1), L"outputs.txt"});
    size_t checked = 0;
    for (const std::string& line : run.Lines()) {
        ++checked;
        EXPECT_TRUE(line.starts_with("OK ")) << line;
    }
    EXPECT_EQ(checked, sourceOf.size()) << run.output;
}

}  // namespace
