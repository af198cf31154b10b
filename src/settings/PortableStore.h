#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/CodePage.h"
#include "support/FileSystem.h"
#include "support/KeyValueStore.h"

namespace tsy {

// The store of a copy that keeps its options beside itself: the keys of the current user under
// the settings key live in one INI file, every other key (the machine's, the start-up list) is
// passed on to the store given. One section per key, named by its path below the settings key
// ("Tessaly" for the key itself); value names are the keys, the default value "@". Numbers are
// decimal, texts UTF-8, multi-strings numbered keys "Name.0", "Name.1"..., binary values hex
// digits. The file keeps no types: a value reads as whatever its reader asks for, when its
// text has that form. Every change replaces the file as a whole. Safe to share between threads.
class TPortableStore : public IKeyValueStore {
public:
    TPortableStore(IKeyValueStore& passOn, IFileSystem& files, std::string filePath,
                   const ICodePage& codePage);
    TPortableStore(const TPortableStore&) = delete;
    TPortableStore& operator=(const TPortableStore&) = delete;
    ~TPortableStore() override;

    std::unique_ptr<IKey> Open(RootKey root, std::string_view path, bool create) override;

    // The file's text as the next change writes it.
    std::string Text() const;

private:
    class TKey;
    struct TSection {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Values; // name, stored text
    };

    TSection* Find(std::string_view section);
    const TSection* Find(std::string_view section) const;
    bool KeyExists(std::string_view section) const;
    std::optional<std::string> Get(std::string_view section, std::string_view name) const;
    // Each returns whether anything changed.
    bool Set(std::string_view section, std::string_view name, std::string text);
    bool Erase(std::string_view section, std::string_view name);
    bool EraseNumbered(std::string_view section, std::string_view name);
    std::vector<std::string> Numbered(std::string_view section, std::string_view name) const;
    void Save();
    std::string TextLocked() const;

    std::optional<RawValue> Read(std::string_view section, std::string_view name, bool wide) const;
    std::optional<RawValue> ReadTyped(std::string_view section, std::string_view name, ValueType type) const;
    void Write(std::string_view section, std::string_view name, const RawValue& value, bool wide);
    bool Delete(std::string_view section, std::string_view name);

    std::string FromAnsi(std::string_view bytes) const;
    std::string ToAnsi(std::string_view utf8) const;

    IKeyValueStore& passOn_;
    IFileSystem& files_;
    std::string filePath_;
    const ICodePage& codePage_;
    mutable std::mutex mutex_;
    std::vector<TSection> sections_;
    // Keys opened for writing this run that hold no value yet; the file has no place for them.
    std::vector<std::string> created_;
};

} // namespace tsy
