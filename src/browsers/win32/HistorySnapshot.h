#pragma once

#include "browsers/OpenPages.h"

#include <memory>
#include <string>

namespace tsy::win32 {

// Copies the database and its "-wal" and "-journal" files into a fresh folder under the
// temporary folder, reading them while their owner keeps them open for writing. nullptr, with
// nothing left behind, when the database is missing or one of its files cannot be read.
class TDatabaseSnapshots : public IDatabaseSnapshots {
public:
    TDatabaseSnapshots(const IFileSystem& files, const ICodePage& codePage)
        : files_(files), codePage_(codePage) {}
    std::unique_ptr<IDatabaseSnapshot> Snapshot(const std::string& path) override;

private:
    const IFileSystem& files_;
    const ICodePage& codePage_;
};

} // namespace tsy::win32
