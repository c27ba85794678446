// A whole .cmp file through DecompressCmp, then DescrambleFont on the result.
#include <cstddef>
#include <cstdint>

#include "codec/cmp_file.h"
#include "codec/font_descrambler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > UINT32_MAX) return 0;
    VLByteBuffer decoded = DecompressCmp(data, static_cast<uint32_t>(size));
    if (!decoded) return 0;
    // Numbers near the wrap-around points as well as ordinary ones.
    const int32_t numbers[] = {101, -2, static_cast<int32_t>(size * 2654435761u), 214748364, INT32_MIN};
    for (int32_t number : numbers) DescrambleFont(number, decoded.data.get(), decoded.size);
    return 0;
}
