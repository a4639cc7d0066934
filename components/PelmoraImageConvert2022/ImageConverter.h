#pragma once
// One converter: the loaded picture, the chosen output and encoding, and the
// caller's monitors. Every method catches what fails inside and leaves its
// text for GetLastErrorText, so nothing but true or false leaves the library.
#include "components/PelmoraImageConvert2022/Codecs.h"
#include "components/PelmoraImageConvert2022/PelmoraImageConvert2022.h"
#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include <memory>
#include <optional>
#include <string>

namespace pelmora {

class JpegCoefficients;

class ImageConverter final : public IImageConverter {
public:
    ImageConverter();
    ~ImageConverter() override;

    void SetMonitor(int stage, IMonitorProgress* monitor) override;
    bool ReservedSlot3() override;
    bool PrepareImage(int flags) override;
    bool ReservedSlot5() override;
    bool SetOutputFormat(const char* format) override;
    bool ReservedSlot7() override;
    bool ReservedSlot8() override;
    bool ReservedSlot9() override;
    bool Load(const char* path) override;
    bool GetFileInfo(ImageEngineInfo* info, const char* path, int reserved1, int reserved2) override;
    bool Save(const char* path) override;
    bool SetEncoding(int quality, const char* format, std::uint32_t targetBytes) override;
    bool Resize(std::uint32_t width, std::uint32_t height) override;
    bool SetResolution(double resolution, int unit) override;
    ImageEngineInfo GetInfo() override;
    const char* GetLastErrorText() override;

private:
    template <typename Step>
    bool Guard(Step&& step);
    void RequireImage() const;
    OutputKind ParseOutput(const char* format) const;
    // Whether the JPEG's coefficients can be written as they are, with no
    // orientation to apply to pixels first.
    bool CoefficientsSuffice() const;
    // The pixels, decoded from the held coefficients' file when not yet done.
    PixelImage& Pixels();
    ByteBuffer Encode(OutputKind kind, const EncodeSettings& settings);
    ByteBuffer EncodeToTarget(OutputKind kind);

    ProgressSink m_progress;
    PixelImage m_image;
    std::unique_ptr<JpegCoefficients> m_jpeg;   // a JPEG not yet decoded to pixels
    SourceFormat m_sourceFormat = SourceFormat::Unknown;
    std::uint32_t m_fileSize = 0;
    std::optional<OutputKind> m_output;
    int m_quality = 90;
    std::uint32_t m_targetBytes = 0;
    double m_dpi = 0;
    std::string m_error;
};

}  // namespace pelmora
