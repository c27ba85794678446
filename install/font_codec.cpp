#include "install/font_codec.h"

#include <memory>

#include "codec/cmp_file.h"
#include "codec/font_descrambler.h"
#include "codec/sfnt_check.h"
#include "codec/table_huffman_decoder.h"
#include "install/progress.h"
#include "platform/worker_thread.h"

VLFontCodec GetFontCodec() {
    // One decoder for every font: its tables are kept. Its second thread
    // starts now, so that it runs by the first font: a new thread can take
    // milliseconds to begin.
    auto decoder = std::make_shared<VLTableHuffmanDecoder>();
    VLWorkerThread::ForDecoding();
    return VLFontCodec{
        [](const std::string& path, VLCmpFileBytes& file) {
            return ReadCmpFileInto(path, file,
                                   [](uint32_t chunks) { AddProgress(kProgressReading / chunks); });
        },
        [decoder](const uint8_t* file, uint32_t fileSize, VLReusableBuffer& font) {
            return DecompressCmpInto(file, fileSize, font, decoder.get()) == VLDecodeStatus::kOk;
        },
        DescrambleFont,
        CheckSfntTables,
        std::make_shared<VLFontBuffers>(),
    };
}
