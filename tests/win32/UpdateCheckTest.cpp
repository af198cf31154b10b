// The HTTP fetch and whole update checks against a server on the loopback address.
#include "LoopbackHttpServer.h"

#include <windows.h>

#include <wininet.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "ModalDriver.h"
#include "TestWindow.h"
#include "infodialogs.h"
#include "support/KeyValueStore.h"
#include "support/win32/RegistryStore.h"
#include "ui/win32/FrmAutoUpdate.h"
#include "update/UpdateRules.h"
#include "update/win32/UpdateCheck.h"
#include "update/win32/WinINetClient.h"

namespace {

using namespace tsy;
using namespace tsy::win32;
using tsy::testing::Click;
using tsy::testing::TLoopbackHttpServer;
using tsy::testing::TModalDriver;

constexpr const char* kVersionPath = "updates-check-TSY.php";
constexpr const char* kDetailsPath = "updates-check-TSY.php&mode=details";

std::string WinINetText(DWORD code) {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                   GetModuleHandleA("wininet.dll"), code, 0, text, sizeof text, nullptr);
    std::string message(text);
    while (!message.empty() && static_cast<unsigned char>(message.back()) <= 32)
        message.pop_back();
    return message;
}

TEST(HttpGet, ReadsTheBodyOfA200WholeAndCutsItAtANul) {
    const std::string big(3000, 'x');
    TLoopbackHttpServer server({{"empty", {200, ""}},
                                {"big", {200, big}},
                                {"nul", {200, std::string("1.2\0junk", 8)}},
                                {"gone", {404, "not here"}},
                                {"moved", {405, ""}}});
    ASSERT_TRUE(server.Listening());
    std::string body = "before";
    EXPECT_EQ(HttpGet(server.BaseURL() + "empty", kNoCacheFlag, body), 200);
    EXPECT_EQ(body, "");
    EXPECT_EQ(HttpGet(server.BaseURL() + "big", kNoCacheFlag, body), 200);
    EXPECT_EQ(body, big);
    EXPECT_EQ(HttpGet(server.BaseURL() + "nul", kNoCacheFlag, body), 200);
    EXPECT_EQ(body, "1.2");
    body = "untouched";
    EXPECT_EQ(HttpGet(server.BaseURL() + "gone", kNoCacheFlag, body), 404);
    EXPECT_EQ(body, "untouched");
    EXPECT_EQ(HttpGet(server.BaseURL() + "moved", kNoCacheFlag, body), 405);
    EXPECT_EQ(body, "untouched");

    // The request names the agent and asks any cache on the way for a fresh copy.
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].rfind("GET /empty HTTP/1.1\r\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("User-Agent: Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.0)\r\n"),
              std::string::npos);
    EXPECT_NE(requests[0].find("Pragma: no-cache"), std::string::npos) << requests[0];
}

TEST(HttpGet, ARefusedConnectionRaisesWithTheWinINetText) {
    const auto port = TLoopbackHttpServer::RefusingPort();
    ASSERT_NE(port, 0);
    std::string body = "kept";
    try {
        HttpGet("http://127.0.0.1:" + std::to_string(port) + "/x", kNoCacheFlag, body);
        ADD_FAILURE() << "no error for a refused connection";
    } catch (const std::runtime_error& error) {
        const std::string expected = WinINetText(ERROR_INTERNET_CANNOT_CONNECT);
        if (!expected.empty())
            EXPECT_EQ(std::string(error.what()), expected);
        else
            EXPECT_EQ(std::string(error.what()), "Internet error 12029.");
    }
    EXPECT_EQ(body, "kept");
}

TEST(HttpGet, AnAnswerTooLongOrTooLateEndsTheFetch) {
    TLoopbackHttpServer server({{"most", {200, std::string(kMostAnswerBytes, 'x')}},
                                {"over", {200, std::string(kMostAnswerBytes + 1, 'x')}},
                                {"silent", {200, "", true}}});
    ASSERT_TRUE(server.Listening());
    std::string body;
    EXPECT_EQ(HttpGet(server.BaseURL() + "most", kNoCacheFlag, body), 200);
    EXPECT_EQ(body.size(), kMostAnswerBytes);
    body = "kept";
    try {
        HttpGet(server.BaseURL() + "over", kNoCacheFlag, body);
        ADD_FAILURE() << "no error for an answer over the limit";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), kUpdateFailedMessage);
    }
    EXPECT_EQ(body, "kept");
    // The same wait as the real one, only shorter.
    THttpLimits limits;
    limits.ReceiveTimeout = 300;
    try {
        HttpGet(server.BaseURL() + "silent", kNoCacheFlag, body, limits);
        ADD_FAILURE() << "no error for a server that never answers";
    } catch (const std::runtime_error& error) {
        // Windows calls it a time-out; Wine drops the connection, which the server never did.
        const std::string message = error.what();
        EXPECT_TRUE(message == WinINetText(ERROR_INTERNET_TIMEOUT) ||
                    message == WinINetText(ERROR_INTERNET_CONNECTION_ABORTED))
            << message;
    }
}

// A visible dialog-class window of the enumerated thread: a message box.
BOOL CALLBACK FindVisibleBox(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

class WholeCheckTest : public ::testing::Test {
protected:
    WholeCheckTest() { ClearLastCheck(); }
    ~WholeCheckTest() override { ClearLastCheck(); }

    static void ClearLastCheck() {
        if (auto key = registry_.Open(RootKey::CurrentUser, kUpdateKeyPath, false))
            key->DeleteValue(kLastCheckValue);
    }
    static std::optional<RawValue> LastCheck() {
        auto key = registry_.Open(RootKey::CurrentUser, kUpdateKeyPath, false);
        return key ? key->Read(kLastCheckValue) : std::nullopt;
    }
    TUpdateCheckStart Start(const std::string& baseURL) {
        TUpdateCheckStart start;
        start.Instance = GetModuleHandleA(nullptr);
        start.CallingForm = settingsForm.Get();
        start.MainWindow = mainWindow.Get();
        start.BaseURL = baseURL;
        start.Running = {2, 1, 0, 5};
        start.ShowDialog = [this](const TDialogEnvironment& dialogs, HWND owner,
                                  const TKVUpdateServices& service) {
            ShowUpdateDialog(dialogs, owner, service,
                             [this](HWND, const std::string& url) { opened.push_back(url); });
        };
        return start;
    }
    void Check(const std::string& baseURL, std::deque<TModalDriver::TStep> steps) {
        TModalDriver driver(std::move(steps));
        RunUpdateCheck(Start(baseURL));
        EXPECT_TRUE(driver.AllStepsRun()) << "a box or the dialog did not open";
        EXPECT_FALSE(driver.TimedOut());
        const auto stored = LastCheck();
        ASSERT_TRUE(stored.has_value()) << "AULastCheck is written by every check";
        EXPECT_EQ(stored->type, ValueType::Binary);
        EXPECT_EQ(stored->data.size(), 8u);
    }
    // A step for a message box: its caption and text, its owner, then OK.
    TModalDriver::TStep Box(std::string caption, std::string text) {
        return [this, caption, text](HWND box) {
            EXPECT_EQ(tsy::testing::Text(box), caption);
            EXPECT_EQ(tsy::testing::Text(GetDlgItem(box, 0xFFFF)), text);
            EXPECT_EQ(GetWindow(box, GW_OWNER), mainWindow.Get()) << "owned by the program, not the desktop";
            Click(box, IDOK);
        };
    }

    static inline TRegistryStore registry_;
    tsy::testing::TestWindow mainWindow;
    tsy::testing::TestWindow settingsForm;
    std::vector<std::string> opened;
};

TEST_F(WholeCheckTest, ANewerVersionShowsTheUpdateDialogAndItsDownload) {
    TLoopbackHttpServer server({{kVersionPath, {200, "2.2.0.12"}},
                                {kDetailsPath, {200, "https://dl.example/tsy-setup.exe\r\nMore sites."}}});
    Check(server.BaseURL(), {[this](HWND dialog) {
              EXPECT_EQ(tsy::testing::Text(dialog), "Update Available");
              EXPECT_EQ(GetWindow(dialog, GW_OWNER), mainWindow.Get());
              EXPECT_EQ(tsy::testing::Text(GetDlgItem(dialog, IDC_UPD_MESSAGE)),
                        "An update to Tessaly is available. Click below to download it.");
              EXPECT_EQ(tsy::testing::Text(GetDlgItem(dialog, IDC_UPD_DETAILS)),
                        "You are using version 2.1, release 0, build 005\n\r"
                        "Latest available version is 2.2, release 0, build 012");
              EXPECT_EQ(tsy::testing::Text(GetDlgItem(dialog, IDC_UPD_OPEN_SITE)),
                        "Visit Orvelle for details");
              EXPECT_EQ(tsy::testing::Text(GetDlgItem(dialog, IDC_UPD_DESCRIPTION)), "More sites.");
              Click(dialog, IDC_UPD_DOWNLOAD);
          }});
    EXPECT_EQ(opened, std::vector<std::string>{"https://dl.example/tsy-setup.exe"});
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(WholeCheckTest, ADownloadAddressThatIsNoWebPageIsRefused) {
    TLoopbackHttpServer server({{kVersionPath, {200, "9.0.0.0"}},
                                {kDetailsPath, {200, "C:\\Windows\\System32\\calc.exe\nRun this."}}});
    Check(server.BaseURL(), {[this](HWND dialog) {
                                 Click(dialog, IDC_UPD_DOWNLOAD);
                                 EXPECT_TRUE(opened.empty());
                                 EXPECT_TRUE(IsWindow(dialog)) << "the maker's page is still offered";
                                 Click(dialog, IDC_UPD_OPEN_SITE);
                             },
                             [](HWND box) {
                                 EXPECT_EQ(tsy::testing::Text(GetDlgItem(box, 0xFFFF)),
                                           kInvalidDownloadMessage);
                                 Click(box, IDOK);
                             }});
    EXPECT_EQ(opened, std::vector<std::string>{kProductHomePage});
}

TEST_F(WholeCheckTest, TheDescriptionIsPlainTextAndAPlainHttpDownloadIsRefused) {
    const std::string rich = "{\\rtf1 \\b Bold\\b0 {\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt y}}}";
    TLoopbackHttpServer server(
        {{kVersionPath, {200, "9.0.0.0"}}, {kDetailsPath, {200, "http://dl.example/setup.exe\n" + rich}}});
    Check(server.BaseURL(), {[&](HWND dialog) {
                                 EXPECT_EQ(tsy::testing::Text(GetDlgItem(dialog, IDC_UPD_DESCRIPTION)), rich);
                                 Click(dialog, IDC_UPD_DOWNLOAD);
                                 EXPECT_TRUE(opened.empty());
                                 Click(dialog, IDC_UPD_OPEN_SITE);
                             },
                             [](HWND box) {
                                 EXPECT_EQ(tsy::testing::Text(GetDlgItem(box, 0xFFFF)),
                                           kInvalidDownloadMessage);
                                 Click(box, IDOK);
                             }});
}

TEST_F(WholeCheckTest, AnAnswerOverTheLimitEndsTheCheckWithItsFailure) {
    TLoopbackHttpServer server({{kVersionPath, {200, "9.0.0.0" + std::string(kMostAnswerBytes, ' ')}}});
    Check(server.BaseURL(), {Box("Warning", kUpdateFailedMessage)});
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(WholeCheckTest, TheSameVersionTellsTheUserItIsTheLatest) {
    TLoopbackHttpServer server({{kVersionPath, {200, "2.1.0.5"}}});
    Check(server.BaseURL(), {Box("Tessaly", "You have the latest release of Tessaly.")});
}

TEST_F(WholeCheckTest, A404WarnsThenTellsTheLatestRelease) {
    TLoopbackHttpServer server({});
    Check(server.BaseURL(),
          {Box("Warning", "Not Found"), Box("Tessaly", "You have the latest release of Tessaly.")});
}

TEST_F(WholeCheckTest, ANetworkFailureOnTheWorkerThreadIsShownAndTheCheckCounts) {
    const auto port = TLoopbackHttpServer::RefusingPort();
    auto thread = StartUpdateCheck(Start("http://127.0.0.1:" + std::to_string(port) + "/"));
    ASSERT_TRUE(thread);
    // The warning comes from the worker thread: look for its box there, pumping our own messages
    // so the owner answers.
    HWND box = nullptr;
    for (int poll = 0; poll < 400 && !box; ++poll) {
        tsy::testing::PumpMessages();
        EnumThreadWindows(GetThreadId(thread.Get()), FindVisibleBox, reinterpret_cast<LPARAM>(&box));
        if (!box)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
    }
    ASSERT_NE(box, nullptr) << "no warning from the worker thread";
    EXPECT_EQ(tsy::testing::Text(box), "Warning");
    EXPECT_FALSE(tsy::testing::Text(GetDlgItem(box, 0xFFFF)).empty());
    EXPECT_EQ(GetWindow(box, GW_OWNER), mainWindow.Get());
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    DWORD waited = WAIT_TIMEOUT;
    for (int poll = 0; poll < 400 && waited != WAIT_OBJECT_0; ++poll) {
        tsy::testing::PumpMessages();
        HANDLE handle = thread.Get();
        waited = MsgWaitForMultipleObjects(1, &handle, FALSE, 25, QS_ALLINPUT);
        if (waited == WAIT_OBJECT_0 + 1)
            waited = WAIT_TIMEOUT;
    }
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the check did not end";
    EXPECT_TRUE(LastCheck().has_value());
}

} // namespace
