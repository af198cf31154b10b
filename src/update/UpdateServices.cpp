#include "update/UpdateServices.h"

#include <exception>

#include "support/DebugOutput.h"
#include "support/Format.h"
#include "support/WebAddresses.h"

namespace tsy {

TKVUpdateServices::TKVUpdateServices(const TUpdateServicesContext& context, RootKey root,
                                     std::string productCode, std::string baseURL, std::string keyPath)
    : context_(context), productCode_(std::move(productCode)), root_(root), keyPath_(std::move(keyPath)),
      baseURL_(std::move(baseURL)) {}

bool TKVUpdateServices::IsNewerVersion(const TVersionRecord& version) const {
    return tsy::IsNewerVersion(version, context_.Running);
}

bool TKVUpdateServices::IsCheckDue(bool force) {
    std::optional<TDateTime> last;
    if (auto key = context_.Registry->Open(root_, keyPath_, false))
        if (auto value = key->ReadTyped(kLastCheckValue, ValueType::Binary))
            last = DecodeDateTime(value->data);
    const bool due = tsy::IsCheckDue(last, context_.Now(), force);
    Debug(due ? "Expired" : "Not now...");
    return due;
}

void TKVUpdateServices::StoreLastCheck() {
    auto key = context_.Registry->Open(root_, keyPath_, true);
    if (!key)
        throw ERegistryError("Failed to create key " + keyPath_);
    key->Write(kLastCheckValue, RawValue{ValueType::Binary, EncodeDateTime(context_.Now())});
}

std::string TKVUpdateServices::BuildRequestURL(std::string_view format, std::string_view mode) const {
    return tsy::BuildRequestURL(baseURL_, format, productCode_, mode);
}

bool TKVUpdateServices::FetchText(const std::string& url, std::string& body) {
    const std::int32_t status = context_.Http->Get(url, kNoCacheFlag, body);
    if (status == 200)
        return true;
    context_.UI->Warning(HttpStatusText(status));
    return false;
}

bool TKVUpdateServices::CheckForUpdate(bool force) {
    if (!force && !IsCheckDue(false))
        return false;
    std::string body;
    if (!FetchText(BuildRequestURL(kVersionRequestFormat, ""), body))
        return false;
    latest_ = ParseVersion(body);
    return IsNewerVersion(latest_);
}

void TKVUpdateServices::FetchDetails() {
    std::string body;
    if (!FetchText(BuildRequestURL(kVersionRequestFormat, kDetailsMode), body))
        return;
    auto details = SplitDetails(body);
    downloadURL_ = std::move(details.DownloadURL);
    description_ = std::move(details.Description);
}

void TKVUpdateServices::Debug(std::string_view line) const {
    if (context_.Debug)
        context_.Debug->Write(line);
}

void RunUpdateCheck(const TUpdateServicesContext& context, const std::string& baseURL, bool force,
                    const std::function<void(TKVUpdateServices&)>& showDialog) {
    TKVUpdateServices service(context, RootKey::CurrentUser, kUpdateProductCode, baseURL, kUpdateKeyPath);
    auto debug = [&context](std::string_view line) {
        if (context.Debug)
            context.Debug->Write(line);
    };
    debug("TSY: Update check initiated...");
    try {
        if (service.CheckForUpdate(force)) {
            debug("TSY: update found.");
            service.FetchDetails();
            showDialog(service);
        } else {
            debug("TSY: Software is up to date.");
            if (force)
                context.UI->Message(Format(kLatestReleaseFormat, kProductName));
        }
    } catch (const std::exception& error) {
        // The server could not be reached: the user learns why, and the attempt counts.
        context.UI->Warning(error.what());
    }
    service.StoreLastCheck();
}

} // namespace tsy
