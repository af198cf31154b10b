#pragma once
// The pages the real browsers visit to write their histories, oldest first; the native tests
// leave the histories in a folder of the native build tree, where the Windows tests read them.
#include <string>
#include <vector>

namespace tsy::browsers {

inline const std::vector<std::string> kFirefoxVisits = {"http://first.fx.visits.example/",
                                                        "http://second.fx.visits.example/find?q=x+y",
                                                        "http://third.fx.visits.example/a/b.html"};
inline const std::vector<std::string> kChromiumVisits = {"http://first.cr.visits.example/",
                                                         "http://second.cr.visits.example/find?q=StubText",
                                                         "http://third.cr.visits.example/a/b.html"};

// Each visit's title is its address without the scheme, as the test proxy gives it.
inline std::string VisitTitle(const std::string& url) {
    return url.substr(url.find("://") + 3);
}

} // namespace tsy::browsers
