#pragma once

// What the fake browsers and the tests that drive them agree on.

// Names the file a fake browser program appends its command line to; without it the
// program writes "<its own path>.log".
#define TSY_FAKE_BROWSER_LOG_VARIABLE "TSY_FAKE_BROWSER_LOG"
// Names the file the fake automation server logs its calls to; without it the server
// writes "<its own path>.log".
#define TSY_FAKE_AUTOMATION_LOG_VARIABLE "TSY_FAKE_AUTOMATION_LOG"
// The fake automation server's class.
#define TSY_FAKE_AUTOMATION_CLSID "{6A1E0B52-3C4D-4E8F-9A7B-2D5C8E1F0A39}"
// A Navigate2 of a URL that contains this text fails with E_FAIL.
#define TSY_FAKE_FAILING_URL_MARK "fail-navigation"

// The fake "Shell.Application" server's class.
#define TSY_FAKE_SHELL_CLSID "{0C4E7A91-5B2D-4F63-8E1A-7D39B6C25F04}"
// Names the file that lists the fake shell's windows, one a line, fields separated by tabs:
// Name, LocationURL, LocationName, document. The document is "title:" and the HTML title, "plain"
// for a document without the HTML interface, or "none". Without the file there are no windows.
#define TSY_FAKE_SHELL_WINDOWS_VARIABLE "TSY_FAKE_SHELL_WINDOWS"
// The class of the window the fake Firefox program keeps open until it is closed.
#define TSY_FAKE_MOZILLA_CLASS "MozillaUIWindowClass"
