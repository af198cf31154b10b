#include "update/UpdateRules.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "support/Format.h"
#include "support/Text.h"

namespace tsy {

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = unsigned(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + std::int64_t(dayOfEra) - 719468;
}

constexpr std::int64_t kDaysFrom1899To1970 = 25569;

// A decimal integer with optional leading blanks and sign; 0 for anything else.
std::int32_t ToIntOrZero(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    text.remove_prefix(start);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return 0;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return value;
}

} // namespace

TDateTime DateTimeFromCivil(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    const auto days = DaysFromCivil(year, unsigned(month), unsigned(day)) + kDaysFrom1899To1970;
    const double fraction = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
    return double(days) + fraction;
}

std::optional<TDateTime> DecodeDateTime(const std::vector<std::uint8_t>& bytes) {
    TDateTime value = 0;
    if (bytes.size() != sizeof value)
        return std::nullopt;
    std::memcpy(&value, bytes.data(), sizeof value);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<std::uint8_t> EncodeDateTime(TDateTime value) {
    std::vector<std::uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

bool IsCheckDue(std::optional<TDateTime> lastCheck, TDateTime now, bool force) {
    if (force)
        return true;
    const double today = std::floor(now);
    const double last = lastCheck ? *lastCheck : today - 1;
    return !(last >= today && last < today + 1);
}

TVersionRecord ParseVersion(std::string_view body) {
    std::int32_t parts[3] = {};
    std::string_view rest = body;
    for (auto& part : parts) {
        const auto dot = rest.find('.');
        if (dot == std::string_view::npos)
            continue;
        part = ToIntOrZero(rest.substr(0, dot));
        rest.remove_prefix(dot + 1);
    }
    return {parts[0], parts[1], parts[2], ToIntOrZero(rest)};
}

bool IsNewerVersion(const TVersionRecord& latest, const TVersionRecord& running) {
    const std::int32_t a[] = {latest.Major, latest.Minor, latest.Release, latest.Build};
    const std::int32_t b[] = {running.Major, running.Minor, running.Release, running.Build};
    for (int i = 0; i < 4; ++i)
        if (a[i] != b[i])
            return a[i] > b[i];
    return false;
}

TUpdateDetails SplitDetails(std::string_view body) {
    const auto lineFeed = body.find('\n');
    if (lineFeed == std::string_view::npos)
        return {"", std::string(TrimText(body))};
    return {std::string(TrimText(body.substr(0, lineFeed))),
            std::string(TrimText(body.substr(lineFeed + 1)))};
}

std::string BuildRequestURL(std::string_view baseURL, std::string_view format, std::string_view productCode,
                            std::string_view mode) {
    std::string url(baseURL);
    const auto slot = format.find("%s");
    if (slot == std::string_view::npos) {
        url += format;
    } else {
        url += format.substr(0, slot);
        url += productCode;
        url += format.substr(slot + 2);
    }
    if (!mode.empty()) {
        url += "&mode=";
        url += mode;
    }
    return url;
}

std::string HttpStatusText(std::int32_t status) {
    switch (status) {
    case 100:
        return "Continue";
    case 101:
        return "Switching Protocols ";
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 202:
        return "Accepted";
    case 203:
        return "Non-Authoritative Information";
    case 204:
        return "No Content";
    case 205:
        return "Reset Content";
    case 206:
        return "Partial Content";
    case 300:
        return "Multiple Choices";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 303:
        return "See Other";
    case 304:
        return "Not Modified";
    case 305:
        return "Use Proxy";
    case 307:
        return "Temporary Redirect";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 402:
        return "Payment Required";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Not Allowed";
    case 406:
        return "Not Acceptable";
    case 407:
        return "Proxy Authentication Required";
    case 408:
        return "Request Timeout";
    case 409:
        return "Conflict";
    case 410:
        return "Gone";
    case 411:
        return "Length Required";
    case 412:
        return "Precondition Failed";
    case 413:
        return "Request Entity Too Large";
    case 414:
        return "Request-URI Too Long";
    case 415:
        return "Unsupported Media Type";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    case 505:
        return "HTTP Version Not Supported";
    default:
        return "Unknown HTTP status code.";
    }
}

std::string UpdateDetailsText(const TVersionRecord& running, const TVersionRecord& latest) {
    return Format("You are using version %d.%d, release %d, build %.3d\n\r"
                  "Latest available version is %d.%d, release %d, build %.3d",
                  int(running.Major), int(running.Minor), int(running.Release), int(running.Build),
                  int(latest.Major), int(latest.Minor), int(latest.Release), int(latest.Build));
}

bool IsDownloadAddress(std::string_view url) {
    constexpr std::string_view kScheme = "https://";
    if (!StartsWithIgnoreAsciiCase(url, kScheme) || url.size() == kScheme.size())
        return false;
    for (char c : url)
        if (IsBlank(c))
            return false;
    return true;
}

} // namespace tsy
