// decode_bench [--runs N] [FONT...]: decode throughput in MB/s of output.
// Every round times each decoder once, one after the other, so that all of
// them see the same machine state; the figures are medians over the rounds.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "codec/cmp_encoder.h"
#include "codec/huffman_decoder.h"
#include "codec/table_huffman_decoder.h"

#ifdef VL_BENCH_REFERENCES
#include <libdeflate.h>
#include <zlib.h>
#endif

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Seconds for one call; exits when the decoder reports failure.
double Time(const char* name, const std::function<bool()>& decode) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = decode();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok) {
        std::fprintf(stderr, "decode_bench: %s failed\n", name);
        std::exit(1);
    }
    return seconds;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

#ifdef VL_BENCH_REFERENCES
// Raw deflate, Huffman coding only (no matches): the same kind of code as ours.
std::vector<uint8_t> DeflateHuffmanOnly(const std::vector<uint8_t>& data) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_HUFFMAN_ONLY);
    std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(data.size())));
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}
#endif

void BenchFont(const std::string& path, int runs) {
    const std::vector<uint8_t> font = ReadFile(path);
    if (font.empty()) {
        std::fprintf(stderr, "decode_bench: %s: cannot read\n", path.c_str());
        return;
    }
    const auto packed = PackFont(101, font.data(), font.size());
    if (!packed) return;
    const uint8_t* stream = packed->data() + 4;
    const size_t streamSize = packed->size() - 4;
    const uint32_t count = static_cast<uint32_t>(font.size() + 1);
    // With the room past the count that the installer gives, for the parts.
    std::vector<uint8_t> output(static_cast<size_t>(VLTableHuffmanDecoder::RoomToSplit(count)));

    VLTableHuffmanDecoder table;
    // The same decoder kept to one stream, to show what the split adds.
    VLTableHuffmanDecoder oneStream(VLTableHuffmanDecoder::SplitPolicy{UINT32_MAX, 4096});
    // Each number of interleaved parts on one thread, to show what the
    // default's choice is worth and what its second thread adds.
    std::vector<VLTableHuffmanDecoder> byParts;
    for (unsigned parts = 2; parts <= 4; ++parts) {
        byParts.emplace_back(VLTableHuffmanDecoder::SplitPolicy{64 * 1024, 4096, parts, false});
    }
    std::vector<std::vector<double>> partsTimes(byParts.size());
    CHuffmanDecoder walker;
    std::vector<double> ours, single, treewalk, zlibTimes, libdeflateTimes;
#ifdef VL_BENCH_REFERENCES
    const std::vector<uint8_t> deflated = DeflateHuffmanOnly(font);
    libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
    std::vector<uint8_t> inflated(font.size());
#endif
    for (int run = 0; run < runs; ++run) {
        ours.push_back(Time("ours", [&] {
            return table.Decode(stream, streamSize, output.data(), count, output.size()) ==
                   VLDecodeStatus::kOk;
        }));
        single.push_back(Time("single", [&] {
            return oneStream.Decode(stream, streamSize, output.data(), count, output.size()) ==
                   VLDecodeStatus::kOk;
        }));
        for (size_t i = 0; i < byParts.size(); ++i) {
            partsTimes[i].push_back(Time("parts", [&] {
                return byParts[i].Decode(stream, streamSize, output.data(), count, output.size()) ==
                       VLDecodeStatus::kOk;
            }));
        }
        // The tree walk is slow; a third of the rounds give a steady median.
        if (run % 3 == 0) {
            treewalk.push_back(Time("treewalk", [&] {
                return walker.Decode(stream, streamSize, output.data(), count) == VLDecodeStatus::kOk;
            }));
        }
#ifdef VL_BENCH_REFERENCES
        libdeflateTimes.push_back(Time("libdeflate", [&] {
            return libdeflate_deflate_decompress(decompressor, deflated.data(), deflated.size(),
                                                 inflated.data(), inflated.size(),
                                                 nullptr) == LIBDEFLATE_SUCCESS;
        }));
        zlibTimes.push_back(Time("zlib", [&] {
            z_stream z{};
            inflateInit2(&z, -15);
            z.next_in = const_cast<Bytef*>(deflated.data());
            z.avail_in = static_cast<uInt>(deflated.size());
            z.next_out = inflated.data();
            z.avail_out = static_cast<uInt>(inflated.size());
            const int result = inflate(&z, Z_FINISH);
            inflateEnd(&z);
            return result == Z_STREAM_END;
        }));
#endif
    }
    const double megabytes = static_cast<double>(count) / 1e6;
    const double oursMbps = megabytes / Median(ours);
    const double treewalkMbps = megabytes / Median(treewalk);
    const double singleMbps = megabytes / Median(single);
    const std::string name = BaseName(path);
    std::string partsFigures;
    for (size_t i = 0; i < byParts.size(); ++i) {
        char figure[48];
        std::snprintf(figure, sizeof figure, " parts%zu_mbps=%.1f", i + 2, megabytes / Median(partsTimes[i]));
        partsFigures += figure;
    }
#ifdef VL_BENCH_REFERENCES
    libdeflate_free_decompressor(decompressor);
    const double libdeflateMbps = static_cast<double>(font.size()) / 1e6 / Median(libdeflateTimes);
    const double zlibMbps = static_cast<double>(font.size()) / 1e6 / Median(zlibTimes);
    std::printf(
        "decode %s ours_mbps=%.1f libdeflate_mbps=%.1f zlib_mbps=%.1f treewalk_mbps=%.1f ratio=%.2f\n",
        name.c_str(), oursMbps, libdeflateMbps, zlibMbps, treewalkMbps, oursMbps / libdeflateMbps);
    std::printf(
        "  %s: ours/treewalk=%.1fx ours/zlib=%.2f one_stream_mbps=%.1f (%.2f of libdeflate); "
        "size cmp=%zu deflate_huffman_only=%zu (%.4f); font=%zu bytes, %d rounds\n  %s:%s (default %u; one "
        "thread)\n",
        name.c_str(), oursMbps / treewalkMbps, oursMbps / zlibMbps, singleMbps, singleMbps / libdeflateMbps,
        packed->size(), deflated.size(),
        static_cast<double>(packed->size()) / static_cast<double>(deflated.size()), font.size(), runs,
        name.c_str(), partsFigures.c_str(), VLTableHuffmanDecoder::kDefaultParts);
#else
    std::printf(
        "decode %s ours_mbps=%.1f treewalk_mbps=%.1f ours/treewalk=%.1fx one_stream_mbps=%.1f "
        "(font=%zu bytes, %d rounds)\n  %s:%s (default %u; one thread)\n",
        name.c_str(), oursMbps, treewalkMbps, oursMbps / treewalkMbps, singleMbps, font.size(), runs,
        name.c_str(), partsFigures.c_str(), VLTableHuffmanDecoder::kDefaultParts);
#endif
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 15;
    std::vector<std::string> fonts;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            fonts.push_back(arg);
        }
    }
    if (fonts.empty()) fonts.push_back("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf");
    for (const std::string& font : fonts) BenchFont(font, runs);
    return 0;
}
