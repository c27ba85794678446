#include "codec/huffman_lengths.h"

#include <algorithm>
#include <queue>
#include <vector>

namespace {

// Plain Huffman lengths by repeatedly merging the two lightest trees.
std::array<uint16_t, 256> HuffmanLengths(const std::array<uint64_t, 256>& weights) {
    struct Node {
        uint64_t weight;
        int parent;
    };
    std::vector<Node> nodes;
    using Item = std::pair<uint64_t, int>;  // weight, node index (ties: lower index first)
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
    int leafOf[256];
    for (int s = 0; s < 256; ++s) {
        leafOf[s] = -1;
        if (weights[s] == 0) continue;
        leafOf[s] = static_cast<int>(nodes.size());
        queue.push({weights[s], leafOf[s]});
        nodes.push_back({weights[s], -1});
    }
    std::array<uint16_t, 256> lengths{};
    if (nodes.size() == 1) {
        for (int s = 0; s < 256; ++s) {
            if (leafOf[s] >= 0) lengths[s] = 1;
        }
        return lengths;
    }
    while (queue.size() > 1) {
        const Item a = queue.top();
        queue.pop();
        const Item b = queue.top();
        queue.pop();
        const int parent = static_cast<int>(nodes.size());
        nodes.push_back({a.first + b.first, -1});
        nodes[a.second].parent = parent;
        nodes[b.second].parent = parent;
        queue.push({a.first + b.first, parent});
    }
    for (int s = 0; s < 256; ++s) {
        if (leafOf[s] < 0) continue;
        uint16_t depth = 0;
        for (int n = leafOf[s]; nodes[n].parent >= 0; n = nodes[n].parent) ++depth;
        lengths[s] = depth;
    }
    return lengths;
}

}  // namespace

std::array<uint16_t, 256> BuildCodeLengths(const std::array<uint64_t, 256>& counts, unsigned maxLength) {
    maxLength = std::min(std::max(maxLength, 8u), 16u);
    std::array<uint64_t, 256> weights = counts;
    for (;;) {
        const std::array<uint16_t, 256> lengths = HuffmanLengths(weights);
        if (*std::max_element(lengths.begin(), lengths.end()) <= maxLength) return lengths;
        // Too deep: flatten the weights and try again. Each round halves the
        // spread, so after a few rounds all 256 values fit in 8 bits.
        for (uint64_t& w : weights) {
            if (w != 0) w = w / 2 + 1;
        }
    }
}
