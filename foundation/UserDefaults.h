#pragma once

#include "AtomicFile.h"
#include "Dictionary.h"
#include "Error.h"
#include "Value.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>

// One settings domain persisted as an XML property list, over a volatile
// registration domain. Every write notifies observers before it returns.
class UserDefaults {
public:
    using Observer = std::function<void(const std::string& key, const Value& value)>;
    using Token = unsigned long;

    // Posted after every change, as the original's defaults-did-change notification.
    static constexpr const char* kDidChangeNotification = "NSUserDefaultsDidChangeNotification";
    // Posted after kDidChangeNotification when values written by another process or
    // by hand were read in.
    static constexpr const char* kDidChangeOutsideNotification = "VendrelUserDefaultsDidChangeOutsideNotification";
    static constexpr const char* kErrorDomain = "UserDefaultsErrorDomain";

    // $XDG_CONFIG_HOME/vendrel/settings.plist, or ~/.config/vendrel/settings.plist.
    static std::filesystem::path defaultFilePath();
    // The program's shared instance on the default path.
    static UserDefaults& standard();

    // Reads the file when it exists, or the complete copy that a save cut off while
    // rewriting it in place left. A file that cannot be parsed is logged and the
    // domain starts empty; the file stays untouched until the first save moves it
    // aside as "<name>.corrupt-<time>", so a run that saves nothing changes nothing.
    // A file the user may not read, and a path that is or links to anything but a
    // regular file (a directory, a named pipe, a device) or whose links never end, are
    // logged once and never moved aside or replaced.
    explicit UserDefaults(std::filesystem::path file);

    const std::filesystem::path& filePath() const { return m_file; }

    void registerDefaults(const Dictionary& defaults);
    const Dictionary& registeredDefaults() const { return m_registered; }

    // Stored value, else registered value, else nil.
    Value objectForKey(const std::string& key) const;
    bool isStored(const std::string& key) const { return m_stored.contains(key); }
    bool isPresent(const std::string& key) const { return !objectForKey(key).isNil(); }
    const Dictionary& storedValues() const { return m_stored; }

    // Typed reads with the original's coercions; the fallback when absent or of a
    // kind that has no such value.
    bool boolForKey(const std::string& key, bool fallback = false) const;
    long long integerForKey(const std::string& key, long long fallback = 0) const;
    double doubleForKey(const std::string& key, double fallback = 0) const;
    std::string stringForKey(const std::string& key, const std::string& fallback = {}) const;
    std::vector<Value> arrayForKey(const std::string& key) const;
    Dictionary dictionaryForKey(const std::string& key) const;

    // Setting nil removes the stored value. Each write persists and notifies. A value
    // with no property-list form raises, as the original did, and nothing changes.
    void setObject(const std::string& key, Value value);
    void removeObject(const std::string& key) { setObject(key, Value()); }
    // Several keys in one write and one save; observers hear of each key. true when
    // the file now holds them. A caller that takes the error reports a failure itself.
    bool setObjects(const Dictionary& values, Error* error = nullptr);

    // Writes the file atomically; on failure logs (unless the caller takes the error)
    // and keeps the values in memory. Refuses, without a log line, while the domain is
    // not persistent. Every write first reads in what others wrote to the file since
    // it was last read or written, and checks again right before it replaces the file:
    // a change made meanwhile is read in and the save made again, so that a save never
    // discards a newer outside change.
    bool synchronize(Error* error = nullptr);
    // Reads in what others wrote to the file, as every write does first; observers hear
    // of changed keys. A file that no longer parses is treated as at start-up (kept
    // aside before the next save) and one the user may no longer read is never
    // replaced; either way the values in memory stay. A removed file is written anew
    // by the next save.
    void readOutsideChanges();
    // Reads the file again, dropping unsaved changes; observers hear of changed keys.
    void reload();

    // Per-key observation; the current value is delivered at once.
    Token observe(const std::string& key, Observer observer);
    // Every change of any key.
    Token observeAll(Observer observer);
    void removeObserver(Token token);

    // When off, nothing reaches the file, not even through synchronize(): command-line
    // mode must leave the user's settings as they are.
    void setPersistent(bool persistent) { m_persistent = persistent; }
    bool isPersistent() const { return m_persistent; }

private:
    // What tells one state of the file from another.
    struct FileStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const FileStamp& other) const;
    };
    FileStamp currentStamp() const;

    // The stored values of the file; an unreadable one is remembered for moveAside.
    Dictionary load(bool whileRunning = false);
    // Takes in an outside change of the file; the keys whose values changed.
    std::vector<std::string> absorbOutsideChanges();
    // The keys whose values, stored or registered, differ afterwards.
    std::vector<std::string> replaceStored(Dictionary values);
    // Reads in outside changes, sets `values` over them and writes the file, again
    // while the file changes meanwhile; `outside` gains the keys the file changed.
    bool save(const Dictionary& values, std::vector<std::string>& outside, Error* error);
    // true when written; nullopt, on all but the last attempt, when the file was
    // changed by another program meanwhile and is left as it was.
    std::optional<bool> writeFile(Error* error, bool lastAttempt);
    void moveAside(const std::string& reason);
    // For a file read anew or removed: nothing of the former file is kept or moved aside.
    void forgetFileTrouble();
    // Leaves the file as it is for the rest of its state, saying why in one line.
    void keepInPlace(const std::string& logLine);
    // Writes the file atomically unless it changed since m_stamp; why not on failure.
    std::optional<AtomicFile::Failure> saveFile(const std::string& text);
    // Tells observers of each key, then posts kDidChangeNotification, and
    // kDidChangeOutsideNotification when the file brought some of them.
    void didChange(const std::vector<std::string>& keys, bool fromOutside = false);
    void notify(const std::string& key, const Value& value);

    std::filesystem::path m_file;
    Dictionary m_registered;
    Dictionary m_stored;
    bool m_persistent = true;
    // The file as this domain last read or wrote it.
    FileStamp m_stamp;
    // Set while a file that could not be read must not be replaced: one that could not
    // be moved aside, or one the user may not read.
    bool m_fileKeptInPlace = false;
    bool m_staleTemporariesRemoved = false;
    // Why the file could not be read, while it still waits to be moved aside.
    std::string m_unreadableReason;
    // Only the first of a run of failed saves is logged.
    bool m_lastSaveFailed = false;
    struct Registration {
        Token token;
        bool allKeys;
        std::string key;
        std::shared_ptr<Observer> observer;
    };
    std::vector<Registration> m_observers;
    Token m_next = 1;
};
