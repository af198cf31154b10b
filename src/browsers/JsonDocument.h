#pragma once

#include <cjson/cJSON.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

namespace tsy {

// The longest JSON text a browser's file is read as; a longer one reads as unparsable.
inline constexpr std::size_t kMaxJsonText = 16u << 20;
// The deepest nesting of arrays and objects read; browsers' files need a small part of it.
inline constexpr int kMaxJsonDepth = 64;

struct DeleteJson {
    void operator()(cJSON* item) const noexcept { cJSON_Delete(item); }
};
using TJsonDocument = std::unique_ptr<cJSON, DeleteJson>;

// The parsed text, or nullptr when it is no JSON, is nested too deeply or is too long.
TJsonDocument ParseJson(std::string_view text);

// The member of an object by its exact name, nullptr when item is no object or lacks it.
const cJSON* JsonMember(const cJSON* item, const char* name);
// The item when it is an array, else nullptr, which loops over nothing.
const cJSON* JsonArray(const cJSON* item);
// The string value of a member; nullopt when it is missing or no string.
std::optional<std::string_view> JsonString(const cJSON* item, const char* name);

} // namespace tsy
