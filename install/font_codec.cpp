#include "install/font_codec.h"

#include "codec/cmp_file.h"
#include "codec/font_descrambler.h"
#include "codec/sfnt_check.h"
#include "install/progress.h"

VLFontCodec GetFontCodec() {
    return VLFontCodec{
        [](const std::string& path, VLReusableBuffer& file) {
            return ReadCmpFileInto(path, file,
                                   [](uint32_t chunks) { AddProgress(kProgressReading / chunks); });
        },
        [](const uint8_t* file, uint32_t fileSize, VLReusableBuffer& font) {
            return DecompressCmpInto(file, fileSize, font) == VLDecodeStatus::kOk;
        },
        DescrambleFont,
        CheckSfntTables,
        std::make_shared<VLFontBuffers>(),
    };
}
