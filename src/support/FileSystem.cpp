#include "support/FileSystem.h"

#include "support/Text.h"

#include <utility>

namespace tsy {

bool IsSaveTemporaryName(std::string_view fileName) {
    constexpr std::string_view extension = ".tmp";
    if (fileName.size() < kSaveTemporaryPrefix.size() + 1 + extension.size() ||
        !EqualIgnoreAsciiCase(fileName.substr(0, kSaveTemporaryPrefix.size()), kSaveTemporaryPrefix) ||
        !EqualIgnoreAsciiCase(fileName.substr(fileName.size() - extension.size()), extension))
        return false;
    const std::string_view digits = fileName.substr(
        kSaveTemporaryPrefix.size(), fileName.size() - kSaveTemporaryPrefix.size() - extension.size());
    if (digits.size() > 4)
        return false;
    for (char c : digits)
        if (AsciiHexValue(c) < 0)
            return false;
    return true;
}

namespace {

// Deletes a file when it goes out of scope, unless told to keep it.
class TRemovedUnlessKept {
public:
    TRemovedUnlessKept(IFileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
    TRemovedUnlessKept(const TRemovedUnlessKept&) = delete;
    TRemovedUnlessKept& operator=(const TRemovedUnlessKept&) = delete;
    ~TRemovedUnlessKept() {
        if (!path_.empty())
            files_.RemoveFile(path_);
    }
    const std::string& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    IFileSystem& files_;
    std::string path_;
};

} // namespace

void WriteFilePairAtomic(IFileSystem& files, std::string_view firstPath, std::string_view firstContent,
                         std::string_view secondPath, std::string_view secondContent) {
    TRemovedUnlessKept first(files, files.WriteTemporary(firstPath, firstContent));
    TRemovedUnlessKept second(files, files.WriteTemporary(secondPath, secondContent));
    const std::string kept = files.ReplaceKeepingOld(first.Path(), firstPath);
    first.Keep();
    // Once both are in place the old first file goes; until then it is the way back.
    TRemovedUnlessKept oldFirst(files, kept);
    try {
        // The second file's old copy is of no use: it is never put back.
        TRemovedUnlessKept oldSecond(files, files.ReplaceKeepingOld(second.Path(), secondPath));
        second.Keep();
    } catch (const EFileError&) {
        // Should putting it back fail too, the old file stays where it was kept.
        oldFirst.Keep();
        if (kept.empty())
            files.RemoveFile(firstPath);
        else
            files.Restore(kept, firstPath);
        throw;
    }
}

} // namespace tsy
