#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AsciiCollation.h"
#include "DialogContextBuilder.h"
#include "FakeKeyValueStore.h"
#include "ModalDriver.h"
#include "RecordingMessageBoxes.h"
#include "WideCaseCollation.h"
#include "catalogue/Catalogue.h"
#include "settings/PersistentUI.h"
#include "support/AnsiCodePage.h"
#include "support/OwnerStack.h"
#include "support/win32/ErrorBoundary.h"
#include "ui/win32/EditorContext.h"

namespace tsy::testing {

// An in-memory catalogue with the editors' context around it: message boxes recorded, help
// requests and errors collected, open pages as the test sets them.
class TEditorFixture : public ::testing::Test {
protected:
    TEditorFixture()
        : collections(collation), categories(collation), owners(TWindowHandle(GetDesktopWindow())) {}

    std::vector<std::string> Warnings() const {
        return boxes.Texts(fakes::RecordingMessageBoxes::Kind::Warning);
    }

    fakes::AsciiCollation collation;
    TAnsiCodePage codePage;
    fakes::WideCaseCollation wideCollation;
    TTargets targets;
    TCollections collections;
    TCategories categories;
    fakes::RecordingMessageBoxes boxes;
    fakes::FakeKeyValueStore registry;
    TPersistentUI layouts{registry};
    TOwnerStack owners;
    std::vector<std::string> help;
    TPageInfos pages;
    win32::TEditorContext context{fakes::TDialogContextBuilder()
                                      .Owners(owners)
                                      .Layouts(layouts)
                                      .Boxes(boxes)
                                      .Help(help)
                                      .BuildEnvironment(),
                                  targets,
                                  collections,
                                  categories,
                                  collation,
                                  codePage,
                                  wideCollation,
                                  [this] { return pages; }};
    std::vector<std::string> errors;
    win32::TScopedErrorHandler errorScope{[this](std::string_view text) { errors.emplace_back(text); }};
};

} // namespace tsy::testing
