#include "codec/decode_status.h"

const char* DescribeDecodeStatus(VLDecodeStatus status) {
    switch (status) {
        case VLDecodeStatus::kOk:
            return "ok";
        case VLDecodeStatus::kTooShort:
            return "file shorter than its 4-byte size field";
        case VLDecodeStatus::kSizeImpossible:
            return "decoded size larger than the stream can hold";
        case VLDecodeStatus::kNoMemory:
            return "not enough memory";
        case VLDecodeStatus::kTruncated:
            return "bit stream ends early";
        case VLDecodeStatus::kLengthTooLong:
            return "code length above 16";
        case VLDecodeStatus::kOverSubscribed:
            return "code lengths over-subscribed";
        case VLDecodeStatus::kPoolOverflow:
            return "code needs more tree nodes than the decoder holds";
        case VLDecodeStatus::kMissingCode:
            return "bits reach an unassigned code";
    }
    return "unknown failure";
}
