#pragma once

// Why a .cmp stream could not be decoded. Both decoders report the same
// outcome (success or failure) for every input; the reason is for messages.
enum class VLDecodeStatus {
    kOk,
    kTooShort,        // fewer than the 4 bytes of the size field
    kSizeImpossible,  // the decoded size exceeds what the stream or memory can hold
    kNoMemory,        // the output or the tables could not be allocated
    kTruncated,       // the bit stream ends inside the lengths or before the last symbol
    kLengthTooLong,   // a code length above 16
    kOverSubscribed,  // the lengths claim more codes than exist
    kPoolOverflow,    // the code needs more tree nodes than the decoder holds
    kMissingCode,     // the bits reach a code the lengths leave unassigned
};

// A short English description for tool output.
const char* DescribeDecodeStatus(VLDecodeStatus status);
