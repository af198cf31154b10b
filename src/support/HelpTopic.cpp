#include "support/HelpTopic.h"

namespace tsy {

std::string HelpTopicAddress(std::string_view helpFile, std::string_view keyword) {
    std::string address(helpFile);
    address += "::/";
    address += keyword;
    address += ".htm";
    return address;
}

} // namespace tsy
