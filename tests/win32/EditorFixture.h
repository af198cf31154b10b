#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeAppServices.h"
#include "ModalDriver.h"
#include "support/win32/ErrorBoundary.h"

namespace tsy::testing {

// An in-memory catalogue with the editors' context around it: message boxes recorded, help
// requests and errors collected, open pages as the test sets them.
class TEditorFixture : public ::testing::Test, protected fakes::TFakeAppServices {
protected:
    TEditorFixture() {
        context.ListOpenPages = [this] { return pages; };
    }

    std::vector<std::string> Warnings() const {
        return boxes.Texts(fakes::RecordingMessageBoxes::Kind::Warning);
    }

    TPageInfos pages;
    win32::TEditorContext context = services.Editor();
    std::vector<std::string> errors;
    win32::TScopedErrorHandler errorScope{[this](std::string_view text) { errors.emplace_back(text); }};
};

} // namespace tsy::testing
