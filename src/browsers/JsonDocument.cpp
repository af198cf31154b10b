#include "browsers/JsonDocument.h"

namespace tsy {
namespace {

// Whether arrays and objects nest no deeper than kMaxJsonDepth anywhere in the text. The
// library's own limit differs between builds of it; this one holds for every build.
bool NestsWithinLimit(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxJsonDepth)
                return false;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return true;
}

} // namespace

TJsonDocument ParseJson(std::string_view text) {
    if (text.size() > kMaxJsonText || !NestsWithinLimit(text))
        return nullptr;
    return TJsonDocument(cJSON_ParseWithLength(text.data(), text.size()));
}

const cJSON* JsonMember(const cJSON* item, const char* name) {
    if (!cJSON_IsObject(item))
        return nullptr;
    return cJSON_GetObjectItemCaseSensitive(item, name);
}

const cJSON* JsonArray(const cJSON* item) {
    return cJSON_IsArray(item) ? item : nullptr;
}

std::optional<std::string_view> JsonString(const cJSON* item, const char* name) {
    const cJSON* member = JsonMember(item, name);
    if (!cJSON_IsString(member) || !member->valuestring)
        return std::nullopt;
    return std::string_view(member->valuestring);
}

} // namespace tsy
