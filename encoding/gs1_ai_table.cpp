#include "encoding/gs1_ai_table.h"

namespace quillant::gs1 {

const AiEntry* FindAi(std::string_view ai) {
    for (size_t i = 0; i < kAiEntryCount; ++i) {
        const AiEntry& entry = kAiEntries[i];
        if (ai.size() == entry.first.size() && ai >= entry.first && ai <= entry.last) return &entry;
    }
    return nullptr;
}

}  // namespace quillant::gs1
