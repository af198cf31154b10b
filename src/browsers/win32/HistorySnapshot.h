#pragma once

#include "browsers/OpenPages.h"

#include <memory>
#include <string>

namespace tsy::win32 {

// Copies the database and its "-wal" and "-journal" files into a fresh folder under the
// temporary folder, reading them while their owner keeps them open for writing. nullptr, with
// nothing left behind, when the database is missing or one of its files cannot be read.
std::unique_ptr<IDatabaseSnapshot> SnapshotDatabaseFile(const std::string& path);

// UTF-8 to the ANSI code page; text that is not valid UTF-8 comes back unchanged.
std::string Utf8ToAnsi(const std::string& text);
// The ANSI code page to UTF-8.
std::string AnsiToUtf8(const std::string& text);

} // namespace tsy::win32
