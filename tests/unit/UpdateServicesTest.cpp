#include "update/UpdateServices.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "BrowserFakes.h"
#include "FakeKeyValueStore.h"

namespace tsy {

namespace {

class ScriptedHttp : public IHttpClient {
public:
    struct Answer {
        std::int32_t status = 200;
        std::string body;
        bool fails = false;
    };
    std::int32_t Get(const std::string& url, std::uint32_t flags, std::string& body) override {
        requests.push_back(url);
        lastFlags = flags;
        const auto it = answers.find(url);
        if (it == answers.end())
            return 404;
        if (it->second.fails)
            throw std::runtime_error("The attempt to connect to the server failed.");
        if (it->second.status == 200)
            body = it->second.body;
        return it->second.status;
    }
    std::map<std::string, Answer> answers;
    std::vector<std::string> requests;
    std::uint32_t lastFlags = 0;
};

class RecordingUI : public IUpdateUI {
public:
    void Warning(std::string_view text) override { shown.push_back("Warning: " + std::string(text)); }
    void Message(std::string_view text) override { shown.push_back(std::string(text)); }
    std::vector<std::string> shown;
};

constexpr const char* kBase = "https://u.example/tessaly/";
constexpr const char* kVersionURL = "https://u.example/tessaly/updates-check-TSY.php";
constexpr const char* kDetailsURL = "https://u.example/tessaly/updates-check-TSY.php&mode=details";

class UpdateCheckTest : public ::testing::Test {
protected:
    UpdateCheckTest() {
        context.Registry = &registry;
        context.Http = &http;
        context.UI = &ui;
        context.Debug = &debug;
        context.Now = [this] { return now; };
        context.Running = {2, 1, 0, 5};
    }
    std::optional<TDateTime> StoredCheck() const {
        const RawValue* value = registry.Find(RootKey::CurrentUser, kUpdateKeyPath, kLastCheckValue);
        if (!value)
            return std::nullopt;
        EXPECT_EQ(value->type, ValueType::Binary);
        return DecodeDateTime(value->data);
    }
    void Run(bool force) {
        RunUpdateCheck(context, kBase, force, [this](TKVUpdateServices& service) {
            dialogs.push_back(service.DownloadURL() + "|" + service.Description() + "|" +
                              UpdateDetailsText(service.RunningVersion(), service.LatestVersion()));
        });
    }

    fakes::FakeKeyValueStore registry;
    ScriptedHttp http;
    RecordingUI ui;
    fakes::RecordingDebugOutput debug;
    TDateTime now = DateTimeFromCivil(2026, 12, 9, 10, 30, 0);
    TUpdateServicesContext context;
    std::vector<std::string> dialogs;
};

TEST_F(UpdateCheckTest, ANewerVersionShowsTheDialogWithItsDetails) {
    http.answers[kVersionURL] = {200, "2.2.0.12"};
    http.answers[kDetailsURL] = {200, "http://dl.example/tsy.exe\r\nMore sites."};
    Run(true);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0], "http://dl.example/tsy.exe|More sites.|You are using version 2.1, release 0, build "
                          "005\n\rLatest available version is 2.2, release 0, build 012");
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(http.lastFlags, 256u);
    EXPECT_EQ(debug.lines,
              (std::vector<std::string>{"TSY: Update check initiated...", "TSY: update found."}));
    EXPECT_EQ(StoredCheck(), now);
}

TEST_F(UpdateCheckTest, TheSameVersionTellsAForcedCheckItIsTheLatest) {
    http.answers[kVersionURL] = {200, "2.1.0.5"};
    Run(true);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(ui.shown, std::vector<std::string>{"You have the latest release of Tessaly."});
    EXPECT_EQ(debug.lines.back(), "TSY: Software is up to date.");
    EXPECT_EQ(StoredCheck(), now);
}

TEST_F(UpdateCheckTest, AFailedVersionRequestWarnsThenCountsAsUpToDate) {
    Run(true);
    EXPECT_EQ(ui.shown,
              (std::vector<std::string>{"Warning: Not Found", "You have the latest release of Tessaly."}));
    EXPECT_EQ(http.requests, std::vector<std::string>{kVersionURL});
    EXPECT_EQ(StoredCheck(), now);
}

TEST_F(UpdateCheckTest, AFailedDetailsRequestStillShowsTheDialogEmpty) {
    http.answers[kVersionURL] = {200, "3.0.0.0"};
    http.answers[kDetailsURL] = {503, ""};
    Run(true);
    EXPECT_EQ(ui.shown, std::vector<std::string>{"Warning: Service Unavailable"});
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].substr(0, 2), "||");
}

TEST_F(UpdateCheckTest, ANetworkFailureIsShownAndTheCheckStillCounts) {
    http.answers[kVersionURL] = {200, "", true};
    Run(true);
    EXPECT_EQ(ui.shown, std::vector<std::string>{"Warning: The attempt to connect to the server failed."});
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(StoredCheck(), now);
}

TEST_F(UpdateCheckTest, AnUnforcedCheckRunsOncePerDayAndSaysNothingWhenUpToDate) {
    http.answers[kVersionURL] = {200, "2.1.0.5"};
    Run(false);
    EXPECT_EQ(http.requests.size(), 1u);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(debug.lines[1], "Expired");
    now += 0.4; // later the same day
    Run(false);
    EXPECT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(debug.lines[4], "Not now...");
    EXPECT_EQ(StoredCheck(), now);
    now = DateTimeFromCivil(2026, 12, 10, 0, 0, 1);
    Run(false);
    EXPECT_EQ(http.requests.size(), 2u);
}

TEST_F(UpdateCheckTest, AStoredValueOfAnotherShapeCountsAsNoCheck) {
    registry.At(RootKey::CurrentUser, kUpdateKeyPath).values["aulastcheck"] = {ValueType::Binary, {1, 2}};
    TKVUpdateServices service(context, RootKey::CurrentUser, "TSY", kBase, kUpdateKeyPath);
    EXPECT_TRUE(service.IsCheckDue(false));
    EXPECT_FALSE(registry.Exists(RootKey::CurrentUser, "\\SOFTWARE\\Other")) << "reading creates no key";
}

} // namespace

} // namespace tsy
