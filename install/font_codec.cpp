#include "install/font_codec.h"

#include "codec/cmp_file.h"
#include "codec/font_descrambler.h"
#include "codec/sfnt_check.h"

VLFontCodec GetFontCodec() {
    return VLFontCodec{
        ReadCmpFile,
        [](const uint8_t* file, uint32_t fileSize) { return DecompressCmp(file, fileSize); },
        DescrambleFont,
        CheckSfntTables,
    };
}
